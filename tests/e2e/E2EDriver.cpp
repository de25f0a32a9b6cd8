// End to end: starts the real tessiva.exe and works it from outside as a user
// would -- step buttons clicked, text files added through the real open-file
// dialog, boxes typed into, START pressed, message boxes read and answered --
// then compares the pages and the index it wrote with the expected bytes.

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "RemoteWizard.h"
#include "resource.h"

using namespace remote;

namespace {

// For what follows a click: the program gets to it when it has handled the click,
// which the driver cannot see directly; it looks until it holds.
template <class Condition>
void ExpectSoon(Condition condition, const std::string& what)
{
    WaitFor(condition, what);
    Expect(true, what);
}

void ExpectBox(const Box& box, const std::string& caption, const std::string& text,
               const std::vector<int>& buttons, bool icon)
{
    Expect(box.caption == caption, "box caption \"" + caption + "\" (got \"" + box.caption + "\")");
    Expect(box.text == text, "box text \"" + text + "\" (got \"" + box.text + "\")");
    Expect(box.buttons == buttons, "box buttons of \"" + caption + "\"");
    Expect(box.hasIcon == icon, std::string("box ") + (icon ? "with" : "without") + " icon");
}

// Where the run happens: fixed folders, so the index's page addresses are known.
const std::string kInputFolder = "C:\\tessiva-e2e\\in";
const std::string kOutputFolder = "C:\\tessiva-e2e\\out";
const char* const kInputs[] = {"a-walk.txt", "b-recipe.txt", "c-notes.txt"};
const char* const kTemplateName = "e2e-templet.htm";

void Run()
{
    const std::string bin = OwnFolder();
    const std::string data = bin + "..\\tests\\e2e\\data\\";

    EmptyFolder(kInputFolder);
    EmptyFolder(kOutputFolder);
    for (const char* name : kInputs)
        WriteBytes(kInputFolder + "\\" + name, ReadBytes(data + "input\\" + name));
    // The template lies in the program folder, where the run reads it.
    WriteBytes(bin + kTemplateName, ReadBytes(data + kTemplateName));
    // An older page 2 is in the way: the run must ask before replacing it.
    WriteBytes(kOutputFolder + "\\page2.htm", "an older page");

    Program app(bin + "tessiva.exe", bin);
    const HWND wizard = app.WaitForWindow("tessiva");
    const HWND steps = ::GetDlgItem(wizard, IDC_STEPS);
    const HWND start = ::GetDlgItem(wizard, IDC_START);
    const HWND banner = ::GetDlgItem(wizard, IDC_BANNER);
    const HWND filesPage = ChildDialogWith(steps, IDC_FILE_LIST);
    const HWND templatePage = ChildDialogWith(steps, IDC_TEMPLATE_NAME);
    const HWND outputPage = ChildDialogWith(steps, IDC_OUTPUT_PATH);
    Check(steps && start && banner && filesPage && templatePage && outputPage,
          "the wizard's step control, START, banner and three pages");
    HMODULE program = ::LoadLibraryExA((bin + "tessiva.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);

    Expect(!::IsWindowEnabled(start), "START is disabled at start");
    Expect(::IsWindowVisible(filesPage) && !::IsWindowVisible(templatePage) &&
               !::IsWindowVisible(outputPage),
           "the files page is in front");
    ExpectSoon([&] { return ScreenShowsBitmap(banner, program, IDB_BANNER_STEP1); },
               "the banner of step 1 is shown");

    // The about box, from the item the wizard added to its system menu.
    ::PostMessageW(wizard, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    Box about = app.WaitForBox(wizard);
    ExpectBox(about, "About tessiva", "tessiva Version 1.0", {IDOK}, true);
    app.Answer(about, IDOK);

    // STEP3 enables START; START with an empty list only complains.
    ClickStep(steps, 2);
    ExpectSoon([&] { return ::IsWindowVisible(outputPage) && !::IsWindowVisible(filesPage); },
               "STEP3 brings the output page");
    ExpectSoon([&] { return ::IsWindowEnabled(start) != FALSE; }, "STEP3 enables START");
    ExpectSoon([&] { return ScreenShowsBitmap(banner, program, IDB_BANNER_STEP3); },
               "the banner of step 3 is shown");
    Click(start);
    Box complaint = app.WaitForBox(wizard);
    ExpectBox(complaint, "tessiva", "you must add one file in the listbox", {IDOK}, false);
    app.Answer(complaint, IDOK);

    // STEP1: three files through the open-file dialog, picked out of order.
    ClickStep(steps, 0);
    ExpectSoon([&] { return ScreenShowsBitmap(banner, program, IDB_BANNER_STEP1); },
               "back at step 1, its banner again");
    Expect(::IsWindowEnabled(start), "START stays enabled");
    Click(::GetDlgItem(filesPage, IDC_ADD));
    HWND fileDialog = nullptr;
    WaitFor([&] { return (fileDialog = FindFileDialog(app.Id())) != nullptr; }, "the open-file dialog");
    ChooseFiles(fileDialog, kInputFolder, "\"c-notes.txt\" \"a-walk.txt\" \"b-recipe.txt\"");
    const HWND list = ::GetDlgItem(filesPage, IDC_FILE_LIST);
    WaitFor([&] { return ListEntries(list).size() == 3; }, "three entries in the list");
    Expect(ListEntries(list) == std::vector<std::string>{kInputFolder + "\\a-walk.txt",
                                                         kInputFolder + "\\b-recipe.txt",
                                                         kInputFolder + "\\c-notes.txt"},
           "the list holds the three files, sorted");
    ExpectSoon([&] { return Text(::GetDlgItem(filesPage, IDC_FILE_COUNT)) == "3"; }, "the count says 3");

    // STEP2: the template and the two meta texts.
    ClickStep(steps, 1);
    ExpectSoon([&] { return ::IsWindowVisible(templatePage) != FALSE; }, "STEP2 brings the template page");
    ExpectSoon([&] { return ScreenShowsBitmap(banner, program, IDB_BANNER_STEP2); },
               "the banner of step 2 is shown");
    SetText(::GetDlgItem(templatePage, IDC_TEMPLATE_NAME), kTemplateName);
    SetText(::GetDlgItem(templatePage, IDC_KEYWORDS), "river, bread");
    SetText(::GetDlgItem(templatePage, IDC_DESCRIPTION), "Three pages");

    // STEP3: where the pages go, their names, the index and the home link.
    ClickStep(steps, 2);
    SetText(::GetDlgItem(outputPage, IDC_OUTPUT_PATH), kOutputFolder + "\\");
    SetText(::GetDlgItem(outputPage, IDC_OUTPUT_NAME), "page");
    SetText(::GetDlgItem(outputPage, IDC_START_NUMBER), "1");
    const HWND indexOption = ::GetDlgItem(outputPage, IDC_CREATE_INDEX);
    Click(indexOption);
    ExpectSoon([&] { return ::SendMessageW(indexOption, BM_GETCHECK, 0, 0) == BST_CHECKED; },
               "the index option is checked");
    SetText(::GetDlgItem(outputPage, IDC_HOME_TITLE), "Home");
    SetText(::GetDlgItem(outputPage, IDC_HOME_URL), "index.htm");

    // START: one question for the page in the way, then the end of the run.
    Click(start);
    Box question = app.WaitForBox(wizard);
    ExpectBox(question, "WARNNING",
              "the file " + kOutputFolder + "\\page2.htm has already existed!\nAre you sure to overwrite it",
              {IDYES, IDNO}, false);
    Expect(question.defaultButton == IDYES, "Yes is the default answer");
    Expect(!::IsWindowEnabled(start), "START is disabled while the run asks");
    app.Answer(question, IDYES);
    Box finished = app.WaitForBox(wizard);
    ExpectBox(finished, "tessiva", "The work has been finished! Thank you for using!", {IDOK}, false);
    app.Answer(finished, IDOK);
    Expect(::IsWindowEnabled(start), "START is enabled again after the run");

    for (const char* name : {"page1.htm", "page2.htm", "page3.htm", "index.htm"})
        Expect(ReadBytes(kOutputFolder + "\\" + name) == ReadBytes(data + "expected\\" + name),
               std::string(name) + " holds the expected bytes");
    Expect(::GetFileAttributesA((kOutputFolder + "\\page4.htm").c_str()) == INVALID_FILE_ATTRIBUTES,
           "no page beyond the third");

    // Closing the window ends the program.
    ::PostMessageW(wizard, WM_SYSCOMMAND, SC_CLOSE, 0);
    Expect(app.WaitForExit() == 0, "the program ends when its window is closed");

    if (program)
        ::FreeLibrary(program);
    ::DeleteFileA((bin + kTemplateName).c_str());
}

}  // namespace

int main()
{
    int failed = 0;
    try {
        Run();
    } catch (const Failure& failure) {
        std::printf("not ok - %s\n", failure.what.c_str());
        failed = 1;
    }
    std::printf("e2e: %d passed, %d failed\n", PassedCount(), failed);
    return failed ? 1 : 0;
}
