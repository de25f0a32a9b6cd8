// Takes a picture of each step of the real wizard, filled in as a user would
// fill it in, for the README and for `make run` without a display.
//   tessiva_tour.exe PICTURE_FOLDER SAMPLES_FOLDER
// Writes step1.bmp, step2.bmp and step3.bmp into PICTURE_FOLDER.

#include <windows.h>

#include <cstdio>
#include <string>

#include "RemoteWizard.h"
#include "resource.h"

using namespace remote;

namespace {

// Where the pictures show the user's texts: a folder as a user would have it.
const std::string kTextFolder = "C:\\My Texts";

// Copies the text files of `samples` into `folder`; answers their names, quoted,
// as the file dialog takes them.
std::string CopyTextFiles(const std::string& samples, const std::string& folder)
{
    EmptyFolder(folder);
    std::string names;
    WIN32_FIND_DATAA found{};
    HANDLE search = ::FindFirstFileA((samples + "\\*.txt").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::string name = found.cFileName;
        WriteBytes(folder + "\\" + name, ReadBytes(samples + "\\" + name));
        names += "\"" + name + "\" ";
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
    return names;
}

// Lets the program finish painting, then saves what the screen shows of it.
void Picture(HWND wizard, const std::string& path)
{
    ::SetForegroundWindow(wizard);
    ::RedrawWindow(wizard, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutW(wizard, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &ignored);
    ::Sleep(400);  // the display server draws what the program sent
    Check(SaveWindowPicture(wizard, path), "could not save " + path);
    std::printf("saved %s\n", path.c_str());
}

void Tour(const std::string& pictures, const std::string& samples)
{
    const std::string bin = OwnFolder();
    const std::string names = CopyTextFiles(samples, kTextFolder);
    Program app(bin + "tessiva.exe", bin);
    const HWND wizard = app.WaitForWindow("tessiva");
    const HWND steps = ::GetDlgItem(wizard, IDC_STEPS);
    const HWND filesPage = ChildDialogWith(steps, IDC_FILE_LIST);
    const HWND templatePage = ChildDialogWith(steps, IDC_TEMPLATE_NAME);
    const HWND outputPage = ChildDialogWith(steps, IDC_OUTPUT_PATH);
    Check(steps && filesPage && templatePage && outputPage, "the wizard's steps and pages");

    Click(::GetDlgItem(filesPage, IDC_ADD));
    HWND fileDialog = nullptr;
    WaitFor([&] { return (fileDialog = FindFileDialog(app.Id())) != nullptr; }, "the open-file dialog");
    ChooseFiles(fileDialog, kTextFolder, names);
    ClickStep(steps, 0);
    Picture(wizard, pictures + "\\step1.bmp");

    ClickStep(steps, 1);
    SetText(::GetDlgItem(templatePage, IDC_KEYWORDS), "travel, recipes, notes");
    SetText(::GetDlgItem(templatePage, IDC_DESCRIPTION), "Pages made from my text files");
    Picture(wizard, pictures + "\\step2.bmp");

    ClickStep(steps, 2);
    SetText(::GetDlgItem(outputPage, IDC_OUTPUT_PATH), "C:\\My Site");
    SetText(::GetDlgItem(outputPage, IDC_OUTPUT_NAME), "page");
    SetText(::GetDlgItem(outputPage, IDC_START_NUMBER), "1");
    const HWND indexOption = ::GetDlgItem(outputPage, IDC_CREATE_INDEX);
    Click(indexOption);
    WaitFor([&] { return ::SendMessageW(indexOption, BM_GETCHECK, 0, 0) == BST_CHECKED; },
            "the index option to be checked");
    SetText(::GetDlgItem(outputPage, IDC_HOME_TITLE), "Home");
    SetText(::GetDlgItem(outputPage, IDC_HOME_URL), "index.htm");
    ClickStep(steps, 2);  // the focus back on the step buttons, as after a click
    Picture(wizard, pictures + "\\step3.bmp");

    ::PostMessageW(wizard, WM_SYSCOMMAND, SC_CLOSE, 0);
    app.WaitForExit();
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::printf("usage: tessiva_tour PICTURE_FOLDER SAMPLES_FOLDER\n");
        return 2;
    }
    try {
        Tour(argv[1], argv[2]);
    } catch (const Failure& failure) {
        std::printf("tour failed: %s\n", failure.what.c_str());
        return 1;
    }
    return 0;
}
