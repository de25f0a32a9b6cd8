// End to end: starts the real tessiva.exe (or the one named on the command line) and
// works it as a user would -- clicks, keys, the real open-file dialog, every box read
// and answered -- then compares the pages and the index with the expected bytes.

#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "RemoteWizard.h"
#include "resource.h"

using namespace remote;

namespace {

const std::string kIn = "C:\\tessiva-e2e\\in", kOut = "C:\\tessiva-e2e\\out";
const char* const kTemplateName = "e2e-templet.htm";
const char* const kPages[] = {"page1.htm", "page2.htm", "page3.htm", "index.htm"};
const std::string kOlderPage = "an older page";
const std::string kClearQuestion = "The command will clear all item in the listbox\n ARE YOU SURE?";

template <class Condition>
void ExpectSoon(Condition condition, const std::string& what) { WaitFor(condition, what), Expect(true, what); }

bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string SystemReason(DWORD code) {
    char text[512] = {};
    ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text, 512, nullptr);
    const std::string reason = text;
    return reason.substr(0, reason.find_last_not_of("\r\n ") + 1);
}

void ExpectBox(Wizard& w, const std::string& caption, const std::string& text, const std::vector<int>& buttons,
               bool icon, int answer) {
    const Box box = w.WaitForBox();
    WaitFor([&] { return !::IsWindowEnabled(w.window); }, "the wizard to wait for the box \"" + caption + "\"");
    Expect(box.caption == caption && box.text == text && box.buttons == buttons && box.hasIcon == icon &&
               box.defaultButton == buttons[0],
           "box \"" + caption + "\": \"" + text + "\", " + std::to_string(buttons.size()) + " buttons, the first as default, " +
               (icon ? "an" : "no") + " icon (got \"" + box.caption + "\": \"" + box.text + "\")");
    if (answer)  // else the caller answers
        w.Answer(box, answer);
}

void ExpectList(const Wizard& w, const std::vector<std::string>& names) {
    w.Settle();
    std::vector<std::string> paths;
    for (const std::string& name : names)
        paths.push_back(kIn + "\\" + name);
    // Back at its messages is not yet done with them: the file dialog's way out may answer in between.
    const std::string count = std::to_string(names.size());
    ExpectSoon([&] { return ListEntries(w.Item(0, IDC_FILE_LIST)) == paths; },
               "the list holds " + count + " files in order");
    ExpectSoon([&] { return Text(w.Item(0, IDC_FILE_COUNT)) == count; }, "the count says " + count);
}

// While this lives the shell opens web pages with the driver itself, which notes each in kOpened (see main).
const std::string kOpened = "C:\\tessiva-e2e\\opened.txt";
struct PagesOpenedHere {
    explicit PagesOpenedHere(const std::string& driver) {
        had = !::RegGetValueA(HKEY_CLASSES_ROOT, ".htm", nullptr, RRF_RT_REG_SZ, nullptr, before, &size);
        ::RegSetValueA(HKEY_CLASSES_ROOT, ".htm", REG_SZ, "tessiva.e2e.opened", 0), ::DeleteFileA(kOpened.c_str());
        ::RegSetValueA(HKEY_CLASSES_ROOT, "tessiva.e2e.opened\\shell\\open\\command", REG_SZ, ("\"" + driver + "\" --opened \"%1\"").c_str(), 0);
    }
    ~PagesOpenedHere() {  // the association from before comes back
        ::RegDeleteTreeA(HKEY_CLASSES_ROOT, "tessiva.e2e.opened");
        had ? ::RegSetValueA(HKEY_CLASSES_ROOT, ".htm", REG_SZ, before, 0) : ::RegDeleteTreeA(HKEY_CLASSES_ROOT, ".htm");
    }
    char before[256] = {}; DWORD size = sizeof before; bool had = false;
};

// The program declares the version 6 controls and per-monitor DPI awareness, with the older flag too,
// and the system takes the window as aware per monitor (Wine knows the first version only).
void ExpectManifest(const std::string& exe, HWND window) {
    const HMODULE module = ::LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    const HRSRC found = module ? ::FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)) : nullptr;
    const std::string manifest = found ? std::string(static_cast<const char*>(::LockResource(::LoadResource(module, found))),
                                                     ::SizeofResource(module, found)) : "";
    ::FreeLibrary(module);
    const auto has = [&](const char* text) { return manifest.find(text) != std::string::npos; };
    Expect(has("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"") && has(">true/pm</dpiAware>") &&
           has(">PerMonitorV2, PerMonitor</dpiAwareness>") &&
           ::GetAwarenessFromDpiAwarenessContext(::GetWindowDpiAwarenessContext(window)) == DPI_AWARENESS_PER_MONITOR_AWARE,
           "the manifest: version 6 controls, per-monitor DPI awareness (v2, and the older flag), which the window has");
}

void Run(const std::string& exe) {
    const std::string data = OwnFolder() + "..\\tests\\e2e\\data\\";
    const std::string programFolder = exe.substr(0, exe.rfind('\\') + 1);
    EmptyFolder(kIn), EmptyFolder(kOut);
    for (const char* name : {"a-walk.txt", "b-recipe.txt", "c-notes.txt"})
        WriteBytes(kIn + "\\" + name, ReadBytes(data + "input\\" + name));
    // The run reads it there; removed even when a check fails, as an installed program's folder must empty.
    WriteBytes(programFolder + kTemplateName, ReadBytes(data + kTemplateName));
    struct Removed { std::string path; ~Removed() { ::DeleteFileA(path.c_str()); } } templet{programFolder + kTemplateName};

    Wizard w(exe, programFolder);
    Expect(!::IsWindowEnabled(w.start), "START is disabled at first");
    ExpectManifest(exe, w.window);
    ExpectSoon([&] { return w.ShowsPage(0); }, "step 1 in front at first");
    Expect(StepLabel(w.steps, 0) + StepLabel(w.steps, 1) + StepLabel(w.steps, 2) == "STEP1STEP2STEP3", "the step buttons' labels");
    RECT suggested{}, now{};  // where the system puts the window when the dots per inch change
    ::GetWindowRect(w.window, &suggested), ::OffsetRect(&suggested, 7, 5), suggested.right += 3;
    ::SendMessageW(w.window, WM_DPICHANGED, MAKEWPARAM(96, 96), LPARAM(RemoteBlock(w.window, sizeof(suggested), &suggested).at));
    ExpectSoon([&] { return ::GetWindowRect(w.window, &now) && ::EqualRect(&now, &suggested) && w.ShowsPage(0); },
               "a change of dots per inch: the window where the system suggests");
    RECT area{}, page{}; ::GetClientRect(w.steps, &area);
    const RECT first = StepButtonRect(w.steps, 0);
    for (HWND p : w.pages) {
        ::GetWindowRect(p, &page), ::MapWindowPoints(nullptr, w.steps, reinterpret_cast<POINT*>(&page), 2);
        Check(page.left == first.left && page.top == first.bottom + 1 && page.right == area.right - 2 &&
                  page.bottom == area.bottom - 2, "every page lies in the step control, from below its buttons to 2 pixels in from its edges");
    }

    // What a screen reader says, asked from here: a name for what has no text of its own, an access key
    // for every button, check box and labelled box.
    for (const auto& [control, said] : std::vector<std::pair<HWND, std::string>>{
             {w.Item(0, IDC_FILE_LIST), "Text files to convert"}, {w.Item(0, IDC_FILE_COUNT), "0 files in the list"},
             {w.steps, "Steps: STEP1, STEP2, STEP3; STEP1 in front"},
             {::GetDlgItem(w.window, IDC_BANNER), "tessiva - step 1 of 3: add text files into listbox"},
             {w.Item(1, IDC_TEMPLATE_NAME), "Templet"}})
        Expect(ReaderName(control) == said, "a screen reader hears \"" + said + "\" (got \"" + ReaderName(control) + "\")");
    std::string keys;
    for (const auto& [page, id] : std::vector<std::pair<int, int>>{{0, IDC_ADD}, {0, IDC_DELETE}, {0, IDC_CLEAR},
             {1, IDC_TEMPLATE_NAME}, {1, IDC_VIEW}, {1, IDC_KEYWORDS}, {1, IDC_DESCRIPTION}, {2, IDC_OUTPUT_PATH},
             {2, IDC_BROWSE}, {2, IDC_OUTPUT_NAME}, {2, IDC_START_NUMBER}, {2, IDC_CREATE_INDEX}, {2, IDC_HOME_TITLE},
             {2, IDC_HOME_URL}, {2, IDC_REPLACE_EXISTING}})
        keys += ReaderShortcut(w.Item(page, id)) + " ";
    Expect(keys == "Alt+A Alt+L Alt+C Alt+T Alt+V Alt+K Alt+D Alt+O Alt+B Alt+n Alt+u Alt+r Alt+h Alt+l Alt+p ",
           "a screen reader hears the access keys of every page: " + keys);
    const HWND templetBox = w.Item(1, IDC_TEMPLATE_NAME);  // the drop-down's own, not its parts'
    Expect(ReaderName(templetBox, 1) != "Templet" && ReaderShortcut(templetBox, 1) != "Alt+T", "its parts keep their own names and keys");

    for (const auto& link : {std::make_pair(IDC_LINK_WEBSITE, "http://www.example.com/tessiva/"),
                             std::make_pair(IDC_LINK_EMAIL, "mailto:tessiva@example.com")})
        ExpectSoon([&] { return w.ShowsTip(::GetDlgItem(w.window, link.first), link.second); },
                   std::string("the link's tip names its target, ") + link.second);

    // The system menu's about item; the low four bits of a system command are the system's.
    ::PostMessageW(w.window, WM_SYSCOMMAND, IDM_ABOUTBOX | 0x3, 0);
    ExpectBox(w, "About tessiva", "tessiva Version 1.0", {IDOK}, true, IDOK);

    ClickStep(w.steps, 1);  // the first step left for another: the step control knows which was in front
    ExpectSoon([&] { return w.ShowsPage(1); }, "STEP2 brings step 2 from the first");
    ClickStep(w.steps, 2);
    ExpectSoon([&] { return w.ShowsPage(2); }, "STEP3 brings step 3");
    Expect(::IsWindowEnabled(w.start), "STEP3 enables START");
    Click(w.start);
    ExpectBox(w, "tessiva", "you must add one file in the listbox", {IDOK}, false, IDOK);

    ClickStep(w.steps, 0);
    ExpectSoon([&] { return w.ShowsPage(0); }, "STEP1 brings step 1 back");
    PressKeys({VK_RIGHT});  // the step buttons have the focus after the click
    ExpectSoon([&] { return w.ShowsPage(1); }, "an arrow key on the step buttons brings the step and its page");
    PressKeys({VK_LEFT});
    ClickStep(w.steps, 0);  // a click on the button of the page in front keeps it
    ExpectSoon([&] { return w.ShowsPage(0); }, "a click on the step in front keeps it");
    Expect(::IsWindowEnabled(w.start), "START stays enabled");

    Click(w.Item(0, IDC_ADD));  // ADD, then the open-file dialog cancelled: nothing follows
    w.Answer(w.WaitForBox(), IDCANCEL), w.Settle();
    Expect(w.Boxes().empty() && ListEntries(w.Item(0, IDC_FILE_LIST)).empty(), "ADD cancelled: no box, no file");
    w.AddFiles("\"c-notes.txt\"", kIn);
    ExpectList(w, {"c-notes.txt"});
    ClickStep(w.steps, 2), Click(w.start);
    ExpectBox(w, "tessiva", "you must input the file output path", {IDOK}, false, IDOK);

    ClickStep(w.steps, 0);
    w.AddFiles("\"b-recipe.txt\" \"a-walk.txt\"", kIn);
    ExpectList(w, {"a-walk.txt", "b-recipe.txt", "c-notes.txt"});
    Click(w.Item(0, IDC_CLEAR));
    ExpectBox(w, "warnning", kClearQuestion, {IDYES, IDNO}, false, IDNO);
    ExpectList(w, {"a-walk.txt", "b-recipe.txt", "c-notes.txt"});

    ClickStep(w.steps, 1);
    ExpectSoon([&] { return w.ShowsPage(1); }, "STEP2 brings step 2");
    SetText(w.Item(1, IDC_TEMPLATE_NAME), "no-such-templet.htm");
    Click(w.Item(1, IDC_VIEW));
    ExpectBox(w, "tessiva", "::ShellExecute failed to open this link!", {IDOK}, false, IDOK);
    SetText(w.Item(1, IDC_KEYWORDS), "river, bread"), SetText(w.Item(1, IDC_DESCRIPTION), "Three pages");

    // A start number that is no integer: the box says so, and nothing is written.
    ClickStep(w.steps, 2);
    Click(w.Item(2, IDC_BROWSE));  // the shell's folder browser, told where to go as a program would tell it
    const Box browser = w.WaitForBox();
    ExpectSoon([&] { return ::GetWindow(browser.window, GW_OWNER) == w.window && !::IsWindowEnabled(w.window); },
               "BROWSE: the shell's browser is the wizard's, which waits for it");
    const std::wstring folder(kOut.begin(), kOut.end());
    const RemoteBlock chosen(browser.window, (folder.size() + 1) * sizeof(wchar_t), folder.c_str());
    ::SendMessageW(browser.window, BFFM_SETSELECTIONW, TRUE, LPARAM(chosen.at));
    w.Answer(browser, IDOK);
    ExpectSoon([&] { return Text(w.Item(2, IDC_OUTPUT_PATH)) == kOut; }, "BROWSE: the folder chosen there is the path");
    SetText(w.Item(2, IDC_OUTPUT_PATH), kOut + "\\"), SetText(w.Item(2, IDC_OUTPUT_NAME), "page");
    SetText(w.Item(2, IDC_START_NUMBER), "x1"), Click(w.start);
    ExpectBox(w, "tessiva", "Please enter an integer.", {IDOK}, true, IDOK);
    // Names Windows keeps for devices: refused before anything is written, the page named.
    SetText(w.Item(2, IDC_START_NUMBER), "1");
    for (const auto& name : {std::make_pair("COM", "COM1"), {"lpt", "lpt1"}, {"NUL\\page", "NUL"}}) {
        SetText(w.Item(2, IDC_OUTPUT_NAME), name.first);
        Click(w.start);
        ExpectBox(w, "tessiva", std::string(name.second) + " is a name Windows keeps for a device; no page or folder "
                  "can have it.\n\n" + kOut + "\\" + name.first + "1.htm", {IDOK}, true, IDOK);
    }
    SetText(w.Item(2, IDC_OUTPUT_NAME), "page");
    // The template that is not there: the system's reason, then the file.
    Click(w.start);
    ExpectBox(w, "tessiva", SystemReason(ERROR_FILE_NOT_FOUND) + "\n\n" + programFolder + "no-such-templet.htm",
                {IDOK}, true, IDOK);
    Expect(std::filesystem::is_empty(kOut), "nothing written by the refused runs");

    ClickStep(w.steps, 1);
    SetText(w.Item(1, IDC_TEMPLATE_NAME), kTemplateName);
    ClickStep(w.steps, 2);
    const HWND indexOption = w.Item(2, IDC_CREATE_INDEX);
    Click(indexOption);
    ExpectSoon([&] { return ::SendMessageW(indexOption, BM_GETCHECK, 0, 0) == BST_CHECKED; }, "the index option is on");
    SetText(w.Item(2, IDC_HOME_TITLE), "Home");
    SetText(w.Item(2, IDC_HOME_URL), "index.htm");

    // A page in the way: No stops the run there, without a word. Files of the user's
    // that look like a run's side files stay as they are.
    WriteBytes(kOut + "\\page2.htm", kOlderPage);
    const char* const users[] = {"~tessiva-notes.tmp", "~tessiva-0000.tmp"};
    for (const char* name : users)
        WriteBytes(kOut + "\\" + name, name);
    const auto question = [](const char* page) {
        return "the file " + kOut + "\\" + page + " has already existed!\nAre you sure to overwrite it";
    };
    Click(w.start);
    w.WaitForBox();
    Expect(!::IsWindowEnabled(w.start), "START is disabled while the run asks");
    // Asked long enough for the run's panel to show behind the question; answered by key.
    ExpectSoon([&] { return ::IsWindowVisible(w.PanelItem(IDC_STOP)) != FALSE; }, "the run's panel behind the question");
    ExpectBox(w, "WARNNING", question("page2.htm"), {IDYES, IDNO}, false, 0);
    WaitFor([&] { return !w.Boxes().empty() && ::GetForegroundWindow() == w.Boxes().front(); }, "the question in front");
    PressKeys({'N'});
    ExpectSoon([&] { return w.Boxes().empty() && ::IsWindowEnabled(w.start); }, "after No: no box, START enabled");
    w.ExpectKeysAnswered('N', 'O', w.Item(2, IDC_OUTPUT_PATH), "after No at the question");
    Expect(ReadBytes(kOut + "\\page1.htm") == ReadBytes(data + "expected\\page1.htm") &&
               ReadBytes(kOut + "\\page2.htm") == kOlderPage && !Exists(kOut + "\\page3.htm"),
           "after No: page 1 written, page 2 kept, no page 3");

    // Again, from the start number entered: Yes to both pages in the way.
    ::DeleteFileA((kOut + "\\index.htm").c_str());
    Click(w.start);
    ExpectBox(w, "WARNNING", question("page1.htm"), {IDYES, IDNO}, false, IDYES);
    ExpectBox(w, "WARNNING", question("page2.htm"), {IDYES, IDNO}, false, IDYES);
    ExpectBox(w, "tessiva", "The work has been finished! Thank you for using!", {IDOK}, false, IDOK);
    for (const char* name : kPages)
        Expect(ReadBytes(kOut + "\\" + name) == ReadBytes(data + "expected\\" + name),
               std::string(name) + " holds the expected bytes");
    Expect(!Exists(kOut + "\\page4.htm"), "no page beyond the third");
    for (const char* name : users)
        Expect(ReadBytes(kOut + "\\" + name) == name, std::string("the user's ") + name + " is as it was");

    // DELETE takes exactly the selected entries; CLEAR answered Yes takes all.
    ClickStep(w.steps, 0);
    ::SendMessageW(w.Item(0, IDC_FILE_LIST), LB_SETSEL, TRUE, 0);
    ::SendMessageW(w.Item(0, IDC_FILE_LIST), LB_SETSEL, TRUE, 2);
    Click(w.Item(0, IDC_DELETE));
    ExpectSoon([&] { return ListEntries(w.Item(0, IDC_FILE_LIST)).size() == 1; }, "DELETE takes two entries");
    ExpectList(w, {"b-recipe.txt"});
    Click(w.Item(0, IDC_CLEAR));
    ExpectBox(w, "warnning", kClearQuestion, {IDYES, IDNO}, false, IDYES);
    ExpectList(w, {});
    Expect(::SendMessageW(w.Item(0, IDC_FILE_LIST), LB_GETHORIZONTALEXTENT, 0, 0) == 0, "CLEAR: no scrolling left for the names gone");

    // The result one click away, in the browser; F1 opens the guide there too when its pages are beside the program.
    // Last of all: the shell's program and its console may take the front at any moment after, even mid-click.
    const PagesOpenedHere opened(OwnFolder() + "tessiva_e2e_driver.exe");
    ClickStep(w.steps, 2);
    ExpectSoon([&] { return ::IsWindowVisible(w.Item(2, IDC_OPEN_RESULT)); }, "after the finished run the result is offered");
    Click(w.Item(2, IDC_OPEN_RESULT));
    ExpectSoon([&] { return ReadBytes(kOpened) == kOut + "\\index.htm\n"; }, "the offer opens index.htm through the shell");
    if (Exists(programFolder + "help\\welcome.htm")) {
        // The shell's program may take the front, then or a moment later: F1 is pressed again, with the
        // wizard in front, until the guide's page has been opened.
        const std::string both = kOut + "\\index.htm\n" + programFolder + "help\\welcome.htm\n";
        const auto guideOpened = [&] { return ReadBytes(kOpened).rfind(both, 0) == 0; };
        for (int attempt = 0; attempt < 3 && !guideOpened(); ++attempt) {
            ClickStep(w.steps, 2);
            WaitFor([&] { return ::GetForegroundWindow() == w.window; }, "the wizard in front");
            PressKeys({VK_F1});
            for (const DWORD start = ::GetTickCount(); !guideOpened() && ::GetTickCount() - start < 5000;)
                ::Sleep(50);
        }
        Expect(guideOpened(), "F1 opens the guide's first topic as a page");
    }

    Expect(w.Close() == 0, "the program ends when its window is closed");
}

// The list in the order people number things in: ADD of five chapters, and a run numbers them so.
void Chapters(const std::string& exe) {
    const std::string in = "C:\\tessiva-e2e\\chapters";
    EmptyFolder(in);
    const std::vector<std::string> order = {"Appendix.txt", "chapter 1.txt", "Chapter 1a.txt", "Chapter 2.txt",
                                            "Chapter 10.txt"};
    std::vector<std::string> paths;
    for (const std::string& name : order)
        WriteBytes(paths.emplace_back(in + "\\" + name), name + "\r\n");  // its name is its head
    Wizard w(exe, exe.substr(0, exe.rfind('\\') + 1));
    w.AddFiles("\"Chapter 10.txt\" \"Chapter 2.txt\" \"chapter 1.txt\" \"Chapter 1a.txt\" \"Appendix.txt\"", in);
    ExpectSoon([&] { return ListEntries(w.Item(0, IDC_FILE_LIST)) == paths; },
               "Appendix, chapter 1, Chapter 1a, Chapter 2, Chapter 10 in the list");
    ClickStep(w.steps, 2);
    SetText(w.Item(2, IDC_OUTPUT_PATH), in);
    SetText(w.Item(2, IDC_START_NUMBER), "1");
    Click(w.start);
    ExpectBox(w, "tessiva", "The work has been finished! Thank you for using!", {IDOK}, false, IDOK);
    bool inOrder = true;
    for (size_t i = 0; i < order.size(); ++i)
        inOrder = inOrder && ReadBytes(in + "\\" + std::to_string(i + 1) + ".htm").find(order[i]) != std::string::npos;
    Expect(inOrder, "pages 1 to 5 in that order");
    Expect(w.Close() == 0, "the program ends when its window is closed");
}

}  // namespace

void KeyboardTour(const std::string& exe);  // KeyboardTour.cpp
void LongRun(const std::string& exe);       // LongRun.cpp
void LongList(const std::string& exe);      // LongRun.cpp
void LegacySet(const std::string& exe);     // LegacySet.cpp

// tessiva_e2e_driver [--japanese] [TESSIVA_EXE]: --japanese, run on a Japanese system, tries older texts there.
int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--opened")  // standing in for the browser
        return WriteBytes(kOpened, (Exists(kOpened) ? ReadBytes(kOpened) : "") + argv[2] + "\n"), 0;
    const bool japanese = argc > 1 && std::string(argv[1]) == "--japanese";
    const std::string exe = argc > 1 + japanese ? argv[1 + japanese] : OwnFolder() + "tessiva.exe";
    ::CoInitialize(nullptr);  // the accessibility layer's objects come through COM
    try {
        // The tour that has the shell open pages goes last: the shell's program may take the front after.
        japanese ? LegacySet(exe) : (Chapters(exe), KeyboardTour(exe), LongRun(exe), LongList(exe), Run(exe));
        return 0;
    } catch (const std::exception& failure) {  // the program under test has been ended by now
        std::printf("not ok - %s\n", failure.what());
        return 1;
    }
}
