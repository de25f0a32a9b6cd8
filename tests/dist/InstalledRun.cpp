// tessiva_installed_run PROGRAM WORKING-FOLDER INPUT-FOLDER OUTPUT-FOLDER
// Works an installed tessiva.exe from outside, as a user who has just started it
// from the Start menu: starts it in WORKING-FOLDER (what the shortcut names),
// adds every text file of INPUT-FOLDER through the real open-file dialog, picks
// the installed template templet2.htm, asks for pages page1.htm... with an index
// in OUTPUT-FOLDER, presses START and reads the message that ends the run. The
// package test then compares the pages with those of the installed command-line
// tool for the same job.
// Prints one line per step; exit status 0 when every step held.

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "RemoteWizard.h"
#include "resource.h"

using namespace remote;

namespace {

// The names of the files in `folder`, sorted as the wizard's list sorts them.
std::string QuotedNamesIn(const std::string& folder, size_t& count)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    const HANDLE search = ::FindFirstFileA((folder + "\\*.txt").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do
            names.push_back(found.cFileName);
        while (::FindNextFileA(search, &found));
        ::FindClose(search);
    }
    std::string quoted;
    for (const std::string& name : names)
        quoted += (quoted.empty() ? "\"" : " \"") + name + "\"";
    count = names.size();
    return quoted;
}

void Run(const std::string& program, const std::string& workdir, const std::string& input,
         const std::string& output)
{
    size_t count = 0;
    const std::string names = QuotedNamesIn(input, count);
    Check(count > 0, "text files in " + input);

    Program app(program, workdir);
    const HWND wizard = app.WaitForWindow("tessiva");
    Expect(wizard != nullptr, "the installed wizard opens");
    const HWND steps = ::GetDlgItem(wizard, IDC_STEPS);
    const HWND start = ::GetDlgItem(wizard, IDC_START);
    const HWND filesPage = ChildDialogWith(steps, IDC_FILE_LIST);
    const HWND templatePage = ChildDialogWith(steps, IDC_TEMPLATE_NAME);
    const HWND outputPage = ChildDialogWith(steps, IDC_OUTPUT_PATH);
    Check(steps && start && filesPage && templatePage && outputPage, "the wizard's steps, START and pages");

    Click(::GetDlgItem(filesPage, IDC_ADD));
    HWND fileDialog = nullptr;
    WaitFor([&] { return (fileDialog = FindFileDialog(app.Id())) != nullptr; }, "the open-file dialog");
    ChooseFiles(fileDialog, input, names);
    const HWND list = ::GetDlgItem(filesPage, IDC_FILE_LIST);
    WaitFor([&] { return ListEntries(list).size() == count; }, "the files in the list");
    Expect(true, "the text files are in the list");

    ClickStep(steps, 1);
    SetText(::GetDlgItem(templatePage, IDC_TEMPLATE_NAME), "templet2.htm");
    SetText(::GetDlgItem(templatePage, IDC_KEYWORDS), "rivers, travel");
    SetText(::GetDlgItem(templatePage, IDC_DESCRIPTION), "Notes from the trip");

    ClickStep(steps, 2);
    SetText(::GetDlgItem(outputPage, IDC_OUTPUT_PATH), output);
    SetText(::GetDlgItem(outputPage, IDC_OUTPUT_NAME), "page");
    SetText(::GetDlgItem(outputPage, IDC_START_NUMBER), "1");
    const HWND indexOption = ::GetDlgItem(outputPage, IDC_CREATE_INDEX);
    Click(indexOption);
    WaitFor([&] { return ::SendMessageW(indexOption, BM_GETCHECK, 0, 0) == BST_CHECKED; },
            "the index option to be checked");
    SetText(::GetDlgItem(outputPage, IDC_HOME_TITLE), "All pages");
    SetText(::GetDlgItem(outputPage, IDC_HOME_URL), "index.htm");

    Click(start);
    const Box finished = app.WaitForBox(wizard);
    Expect(finished.text == "The work has been finished! Thank you for using!",
           "the run finishes (the box says \"" + finished.text + "\")");
    app.Answer(finished, IDOK);

    ::PostMessageW(wizard, WM_SYSCOMMAND, SC_CLOSE, 0);
    Expect(app.WaitForExit() == 0, "the wizard ends when its window is closed");
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: tessiva_installed_run PROGRAM WORKING-FOLDER INPUT-FOLDER OUTPUT-FOLDER\n");
        return 64;
    }
    int failed = 0;
    try {
        Run(argv[1], argv[2], argv[3], argv[4]);
    } catch (const Failure& failure) {
        std::printf("not ok - %s\n", failure.what.c_str());
        failed = 1;
    }
    return failed;
}
