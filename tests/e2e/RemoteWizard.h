#pragma once

// Works the real tessiva.exe from outside, as a user would: it starts the
// program, finds its windows, clicks with the real mouse, types into boxes and
// answers its message boxes and file dialogs. Texts cross the process boundary
// only through W messages, which the system carries over whole.
//
// Waiting is by polling with a generous limit; the limit only turns a hang into
// a failure, no outcome depends on speed.

#include <windows.h>

#include <string>
#include <vector>

namespace remote {

// A failed step: what was expected and what was found.
struct Failure {
    std::string what;
};

// Throws Failure with `what` unless `condition` holds.
void Check(bool condition, const std::string& what);
// Check, then print "ok N - what" and count it.
void Expect(bool condition, const std::string& what);
// How many Expect calls have passed.
int PassedCount();
// Polls `condition` until it holds; Failure naming `what` after `limitMs`.
template <class Condition>
void WaitFor(Condition condition, const std::string& what, DWORD limitMs = 20000)
{
    const DWORD start = ::GetTickCount();
    while (!condition()) {
        if (::GetTickCount() - start > limitMs)
            throw Failure{"timed out waiting for " + what};
        ::Sleep(30);
    }
}

std::string Text(HWND window);  // the window's text (WM_GETTEXT, W form)
std::string ClassOf(HWND window);
void SetText(HWND window, const std::string& text);  // WM_SETTEXT, W form
// The list box's entries, in list order.
std::vector<std::string> ListEntries(HWND list);

// A real left click in the middle of `window` (or at `client` in it).
void Click(HWND window);
void ClickAt(HWND window, POINT client);
// A button pressed the way the keyboard would: BM_CLICK, posted so that a modal
// window it opens does not block the caller.
void Press(HWND button);

// A top-level dialog box of the process: caption, first text, buttons.
struct Box {
    HWND window = nullptr;
    std::string caption;
    std::string text;
    std::vector<int> buttons;  // ids in window order
    int defaultButton = 0;     // the one drawn as default (BS_DEFPUSHBUTTON)
    bool hasIcon = false;
};

class Program {
public:
    // Starts `exe` with `folder` as its working folder.
    Program(const std::string& exe, const std::string& folder);
    ~Program();  // ends the process if it is still running
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    DWORD Id() const { return m_info.dwProcessId; }
    // The visible, enabled top-level dialog whose caption is `caption`.
    HWND WaitForWindow(const std::string& caption);
    // The next box other than `except` (the main window); nullptr if none yet.
    HWND FindBox(HWND except) const;
    Box WaitForBox(HWND except);
    // Answers a box by pressing its button `id`, and waits until it has gone.
    void Answer(const Box& box, int id);
    // Waits for the process to end; answers its exit code.
    DWORD WaitForExit();

private:
    PROCESS_INFORMATION m_info{};
};

// Children of `parent` that are dialogs and hold control `id` (the pages).
HWND ChildDialogWith(HWND parent, int id);
// The open-file dialog of the process, found while it is up.
HWND FindFileDialog(DWORD processId);
// Types a folder into the file dialog and confirms (it changes to the folder),
// then types the names and confirms; waits until the dialog has gone.
void ChooseFiles(HWND dialog, const std::string& folder, const std::string& names);

// The window's pixels as the screen shows them, saved as a 24-bit BMP file.
bool SaveWindowPicture(HWND window, const std::string& path);

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
// The folder of this executable, ending in a backslash.
std::string OwnFolder();
// Removes every file in `folder` and creates it when missing.
void EmptyFolder(const std::string& folder);

}  // namespace remote

namespace remote {

// The rectangle of button `index` of a tab control in another process (the
// message's rectangle is read and written in that process's memory).
RECT TabItemRect(HWND tabs, int index);
// A real click on step button `index`.
void ClickStep(HWND tabs, int index);

// Whether the screen shows, inside `window` at its top-left, exactly the pixels
// of bitmap `id` of `module`.
bool ScreenShowsBitmap(HWND window, HMODULE module, UINT id);

}  // namespace remote
