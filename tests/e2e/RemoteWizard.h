#pragma once

// Works the real tessiva.exe from outside, as a user would: starts it, finds its
// windows, clicks with the real mouse, answers its boxes and file dialogs. Texts
// cross the process boundary only through W messages, which carry them whole.
// Waits poll a condition with a generous bound: no outcome depends on speed.

#include <windows.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace remote {

struct Failure : std::runtime_error {  // a step that did not go as expected
    using std::runtime_error::runtime_error;
};
void Check(bool condition, const std::string& what);   // throws Failure unless it holds
void Expect(bool condition, const std::string& what);  // Check, then prints "ok N - what"
template <class Condition>
void WaitFor(Condition condition, const std::string& what, DWORD limitMs = 20000)
{
    for (const DWORD start = ::GetTickCount(); !condition(); ::Sleep(20))
        if (::GetTickCount() - start > limitMs)
            throw Failure("timed out waiting for " + what);
}

std::string Text(HWND window);
void SetText(HWND window, const std::string& text);
std::vector<std::string> ListEntries(HWND list, int stride = 1);  // entries 0, stride, 2 * stride...

struct Box {  // a top-level dialog of the program
    HWND window = nullptr;
    std::string caption, text;  // the text: its first static
    std::vector<int> buttons;   // ids in window order
    int defaultButton = 0;      // drawn as default (BS_DEFPUSHBUTTON)
    bool hasIcon = false;
};

// The real wizard, started in `folder` as its working folder; ended if it still
// runs when this goes.
class Wizard {
public:
    Wizard(const std::string& exe, const std::string& folder);
    ~Wizard();
    Wizard(const Wizard&) = delete;
    Wizard& operator=(const Wizard&) = delete;

    HWND Item(int page, int id) const { return ::GetDlgItem(pages[page], id); }
    // A control of the run's panel: the wizard's one child dialog (the pages are the step control's).
    HWND PanelItem(int id) const { return ::GetDlgItem(::FindWindowExW(window, nullptr, L"#32770", nullptr), id); }
    // A letter, Tab, then Alt+`access` (which puts the focus into `target`), each acted on in turn by the
    // wizard in front; the focus on a visible, enabled control all along.
    void ExpectKeysAnswered(WORD letter, WORD access, HWND target, const std::string& what) const;
    bool ShowsTip(HWND control, const std::string& tip) const;  // with the pointer resting on `control`
    bool ShowsPage(int step) const;  // its page alone visible
    std::vector<HWND> Boxes() const;  // the program's enabled top-level dialogs but its window
    Box WaitForBox() const;
    void Answer(const Box& box, int id) const;  // presses button `id`; returns once the box is destroyed
    void Settle() const;  // returns once the program is back at its messages
    DWORD WaitForExit() const;
    DWORD Close() const { return ::PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0), WaitForExit(); }  // its close box
    // Opens `folder` (never its parent) in the file dialog of ADD, picks `names` there.
    void AddFiles(const std::string& names, const std::string& folder) const;

    HWND window = nullptr, steps = nullptr, start = nullptr, pages[3] = {};  // pages: files, template, output

private:
    PROCESS_INFORMATION m_process{};
};

// A real click at `client` of `window` (its centre by default), once its top-level
// window is in front there, enabled and the only one of its program that takes input.
void Click(HWND window, const POINT* client = nullptr);
// A block of the program's memory, for a message that points at data; freed when this goes.
struct RemoteBlock {
    RemoteBlock(HWND window, size_t bytes, const void* data = nullptr);  // a copy of `data` when given
    RemoteBlock(const RemoteBlock&) = delete;
    ~RemoteBlock() { if (at) ::VirtualFreeEx(process, at, 0, MEM_RELEASE); ::CloseHandle(process); }
    bool Read(void* to, size_t bytes) const { return ::ReadProcessMemory(process, at, to, bytes, nullptr); }
    bool Write(const void* from, size_t bytes) { return ::WriteProcessMemory(process, at, from, bytes, nullptr); }
    const HANDLE process;
    void* at;
};
RECT StepButtonRect(HWND tabs, int index);  // in the step control's client coordinates
void ClickStep(HWND tabs, int index);  // and waits until that step button has the focus
std::string StepLabel(HWND tabs, int index);
// What the screen shows at `window`'s top-left: 32-bit 0xRRGGBB top-down, or 24-bit
// rows bottom-up as a BMP file holds them.
std::vector<DWORD> ScreenPixels(HWND window, SIZE size, WORD bitCount = 32);

// What a screen reader is told about `control` by the accessibility layer, asked from this process:
// its name and its keyboard shortcut ("Alt+A"); "?" when there is none.
std::string ReaderName(HWND control, long child = CHILDID_SELF);  // or of its part `child`
std::string ReaderShortcut(HWND control, long child = CHILDID_SELF);

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
std::string OwnFolder();                      // ends in a backslash
void EmptyFolder(const std::string& folder);  // created when missing

// Real keys with their scan codes, pressed in order and let go in reverse ({VK_CONTROL, VK_TAB}).
void PressKeys(const std::vector<WORD>& chord);
HWND FocusOf(HWND window);  // the focus of `window`'s thread
// Files dropped on `window` as the shell (`wide`) or an older program drops them: WM_DROPFILES, the names in its memory.
void DropFiles(HWND window, const std::vector<std::string>& paths, bool wide = true);

}  // namespace remote
