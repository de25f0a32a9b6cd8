#include "RemoteWizard.h"

#include <commctrl.h>
#include <oleacc.h>
#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <utility>

#include "resource.h"

namespace remote {

namespace {

int g_passed = 0;

std::string ClassOf(HWND window) {
    char name[64] = {};
    return std::string(name, static_cast<size_t>(::GetClassNameA(window, name, sizeof(name))));
}

DWORD ProcessOf(HWND window) {
    DWORD id = 0;
    return ::GetWindowThreadProcessId(window, &id) ? id : 0;
}

// The program's visible, enabled top-level dialogs.
std::vector<HWND> Dialogs(DWORD processId) {
    std::pair<DWORD, std::vector<HWND>> search{processId, {}};
    ::EnumWindows([](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<std::pair<DWORD, std::vector<HWND>>*>(data);
        if (ProcessOf(window) == s->first && ::IsWindowVisible(window) && ::IsWindowEnabled(window) &&
            ClassOf(window) == "#32770")
            s->second.push_back(window);
        return TRUE;
    }, reinterpret_cast<LPARAM>(&search));
    return search.second;
}

// The file dialog's name box, as the common dialog numbers it (combo, or edit).
HWND FileNameBox(HWND dialog) {
    return ::GetDlgItem(dialog, 0x47C) ? ::GetDlgItem(dialog, 0x47C) : ::GetDlgItem(dialog, 0x480);
}

// Each event carries its place, so that nothing moving the pointer in between (an
// event of the display arriving late) can take the click elsewhere.
void SendMouse(POINT at, DWORD button) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = (at.x * 65536 + ::GetSystemMetrics(SM_CXSCREEN) - 1) / ::GetSystemMetrics(SM_CXSCREEN);
    input.mi.dy = (at.y * 65536 + ::GetSystemMetrics(SM_CYSCREEN) - 1) / ::GetSystemMetrics(SM_CYSCREEN);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | button;
    ::SendInput(1, &input, sizeof(input));
}

// A button pressed as the keyboard would; posted, so that a box it opens does not
// block the caller.
void Press(HWND button) { ::PostMessageW(button, BM_CLICK, 0, 0); }

// Texts here are plain ASCII: paths, names and the program's messages.
std::string Narrow(const std::wstring& wide) { return std::string(wide.begin(), wide.end()); }

HWND ChildDialogWith(HWND parent, int id) {
    for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        if (ClassOf(child) == "#32770" && ::GetDlgItem(child, id))
            return child;
    return nullptr;
}

void ChooseFiles(HWND dialog, const std::string& folder, const std::string& names) {
    // A folder typed and confirmed is opened and the box emptied, unless the dialog
    // was in it already (it may start where it was last): so by way of its parent.
    for (const std::string& step : {folder.substr(0, folder.rfind('\\') + 1), folder}) {
        SetText(FileNameBox(dialog), step);
        Press(::GetDlgItem(dialog, IDOK));
        WaitFor([&] { return Text(FileNameBox(dialog)).empty(); }, "the file dialog to open " + step);
    }
    SetText(FileNameBox(dialog), names);
    Press(::GetDlgItem(dialog, IDOK));
    WaitFor([&] { return !::IsWindow(dialog); }, "the file dialog to close");
}

}  // namespace

void Check(bool condition, const std::string& what) {
    if (!condition)
        throw Failure(what);
}

void Expect(bool condition, const std::string& what) {
    Check(condition, what);
    std::printf("ok %d - %s\n", ++g_passed, what.c_str());
    std::fflush(stdout);
}

std::string Text(HWND window) {
    std::wstring wide(static_cast<size_t>(::SendMessageW(window, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
    wide.resize(static_cast<size_t>(::SendMessageW(window, WM_GETTEXT, wide.size(), LPARAM(&wide[0]))));
    return Narrow(wide);
}

// UTF-8: the tour types non-ASCII names.
void SetText(HWND window, const std::string& text) {
    std::wstring wide(text.size() + 1, L'\0');
    wide.resize(static_cast<size_t>(
        ::MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), &wide[0], int(wide.size()))));
    ::SendMessageW(window, WM_SETTEXT, 0, LPARAM(wide.c_str()));
}

std::vector<std::string> ListEntries(HWND list, int stride) {
    std::vector<std::string> entries;
    // The list may change while it is read: an entry gone ends the reading.
    for (int i = 0; i < ::SendMessageW(list, LB_GETCOUNT, 0, 0); i += stride) {
        std::wstring wide(static_cast<size_t>(::SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
        const LRESULT length = ::SendMessageW(list, LB_GETTEXT, i, LPARAM(&wide[0]));
        if (length < 0 || static_cast<size_t>(length) >= wide.size())
            break;
        entries.push_back(Narrow(wide.substr(0, static_cast<size_t>(length))));
    }
    return entries;
}

// ---- the program ----------------------------------------------------------------------

Wizard::Wizard(const std::string& exe, const std::string& folder) {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    std::string commandLine = "\"" + exe + "\"";
    // Tried again a moment later: Wine has been seen to refuse a start while processes the shell
    // started for an opened link were still coming and going.
    bool started = false;
    for (int attempt = 0; attempt < 3 && !started; ++attempt) {
        if (attempt > 0)
            ::Sleep(1000);
        started = ::CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                                   &startup, &m_process);
    }
    Check(started, "could not start " + exe + " (error " + std::to_string(::GetLastError()) + ")");
    WaitFor([&] {
        for (HWND dialog : Dialogs(m_process.dwProcessId))
            window = Text(dialog) == "tessiva" ? dialog : window;
        return window != nullptr;
    }, "the wizard's window");
    steps = ::GetDlgItem(window, IDC_STEPS);
    start = ::GetDlgItem(window, IDC_START);
    const int pageItems[] = {IDC_FILE_LIST, IDC_TEMPLATE_NAME, IDC_OUTPUT_PATH};
    for (int i = 0; i < 3; ++i)
        pages[i] = ChildDialogWith(steps, pageItems[i]);
    Check(steps && start && pages[0] && pages[1] && pages[2], "the wizard's steps, START and pages");
}

Wizard::~Wizard() {
    if (::WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT)
        ::TerminateProcess(m_process.hProcess, 99);
    ::CloseHandle(m_process.hProcess);
    ::CloseHandle(m_process.hThread);
}

std::vector<HWND> Wizard::Boxes() const {
    std::vector<HWND> boxes = Dialogs(m_process.dwProcessId);
    boxes.erase(std::remove(boxes.begin(), boxes.end(), window), boxes.end());
    return boxes;
}

Box Wizard::WaitForBox() const {
    WaitFor([&] { return !Boxes().empty(); }, "a message box");
    Box box;
    box.window = Boxes().front();
    box.caption = Text(box.window);
    for (HWND child = ::GetWindow(box.window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        const LONG style = static_cast<LONG>(::GetWindowLongPtrW(child, GWL_STYLE));
        if (ClassOf(child) == "Button" && (style & WS_VISIBLE)) {
            box.buttons.push_back(::GetDlgCtrlID(child));
            if ((style & 0x0F) == BS_DEFPUSHBUTTON)
                box.defaultButton = box.buttons.back();
        } else if (ClassOf(child) == "Static" && (style & SS_TYPEMASK) == SS_ICON) {
            box.hasIcon = box.hasIcon || ::SendMessageW(child, STM_GETICON, 0, 0) != 0;
        } else if (ClassOf(child) == "Static" && box.text.empty()) {
            box.text = Text(child);
        }
    }
    return box;
}

void Wizard::Answer(const Box& box, int id) const {
    const HWND button = ::GetDlgItem(box.window, id);
    Check(button != nullptr, "the box \"" + box.caption + "\" has no button " + std::to_string(id));
    Press(button);
    // Hidden is not enough: the owner is enabled again only on the way out.
    WaitFor([&] { return !::IsWindow(box.window); }, "the box \"" + box.caption + "\" to close");
}

void Wizard::Settle() const {
    DWORD_PTR ignored = 0;
    Check(::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 20000, &ignored) != 0, "the program to answer");
}

DWORD Wizard::WaitForExit() const {
    Check(::WaitForSingleObject(m_process.hProcess, 20000) == WAIT_OBJECT_0, "the program to end");
    DWORD code = 0;
    ::GetExitCodeProcess(m_process.hProcess, &code);
    return code;
}

void Wizard::ExpectKeysAnswered(WORD letter, WORD access, HWND target, const std::string& what) const {
    const auto usable = [this] {  // what keys reach: shown, and nothing on the way up disabled
        const HWND focus = FocusOf(window);
        bool usable = focus && ::IsWindowVisible(focus);
        for (HWND w = focus; usable && w && w != window; w = ::GetParent(w))
            usable = ::IsWindowEnabled(w);
        return usable;
    };
    WaitFor([&] { return ::GetForegroundWindow() == window && Boxes().empty() && usable() && ::IsWindowVisible(target); },
            what + ": the wizard in front, its focus on a visible, enabled control, the target shown");
    const HWND before = FocusOf(window);
    PressKeys({letter});
    PressKeys({VK_TAB});  // taken only once the letter has been: a wizard caught in the letter never moves on
    WaitFor([&] { return FocusOf(window) != before && usable(); }, what + ": a letter, then Tab, acted on");
    PressKeys({VK_MENU, access});
    WaitFor([&] { return FocusOf(window) == target || ::GetParent(FocusOf(window)) == target; },
            what + ": then Alt+" + std::string(1, char(access)));
    Settle();
    Expect(true, what + ": a letter, Tab and Alt+" + std::string(1, char(access)) + " answered, the focus usable");
}

bool Wizard::ShowsTip(HWND control, const std::string& tip) const {
    RECT rect{};
    ::GetWindowRect(control, &rect);
    SendMouse(POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}, 0);  // the pointer rests there
    std::pair<const std::string*, bool> search{&tip, false};
    ::EnumThreadWindows(m_process.dwThreadId, [](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<std::pair<const std::string*, bool>*>(data);
        s->second = s->second || (ClassOf(window) == TOOLTIPS_CLASSA && ::IsWindowVisible(window) &&
                                  Text(window) == *s->first);
        return TRUE;
    }, LPARAM(&search));
    return search.second;
}

bool Wizard::ShowsPage(int step) const {
    for (int i = 0; i < 3; ++i)
        if ((::IsWindowVisible(pages[i]) != FALSE) != (i == step))
            return false;
    return true;
}

void Wizard::AddFiles(const std::string& names, const std::string& folder) const {
    Click(Item(0, IDC_ADD));
    HWND dialog = nullptr;
    WaitFor([&] {
        for (HWND box : Boxes())
            dialog = FileNameBox(box) && ::GetDlgItem(box, 0x470) ? box : dialog;  // and its file-type box
        return dialog != nullptr;
    }, "the open-file dialog");
    ChooseFiles(dialog, folder, names);
}

// ---- input ----------------------------------------------------------------------------

void Click(HWND window, const POINT* client) {
    // A click reaches only a window that takes input: shown (a page may still be on
    // its way), in front, enabled, and with no box of its program still up or on its way out.
    const HWND root = ::GetAncestor(window, GA_ROOT);
    WaitFor([&] {
        if (!::IsWindowVisible(window) || !::IsWindowEnabled(root) || Dialogs(ProcessOf(root)) != std::vector<HWND>{root})
            return false;
        if (::GetForegroundWindow() == root)
            return true;
        ::SetForegroundWindow(root);
        return false;
    }, "the window to take input");
    RECT rect{};
    ::GetClientRect(window, &rect);
    POINT at = client ? *client : POINT{rect.right / 2, rect.bottom / 2};
    // A little left or right of the spot, by turns: two clicks in a row on one
    // spot would make a double click.
    static int side = 1;
    at.x += (side = -side) * ::GetSystemMetrics(SM_CXDOUBLECLK);
    ::ClientToScreen(window, &at);
    WaitFor([&] { return ::GetAncestor(::WindowFromPoint(at), GA_ROOT) == root; }, "the spot uncovered by other windows");
    SendMouse(at, MOUSEEVENTF_LEFTDOWN);
    SendMouse(at, MOUSEEVENTF_LEFTUP);
}

RemoteBlock::RemoteBlock(HWND window, size_t bytes, const void* data)
    : process(::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, ProcessOf(window))),
      at(process ? ::VirtualAllocEx(process, nullptr, bytes, MEM_COMMIT, PAGE_READWRITE) : nullptr) {
    Check(at && (!data || Write(data, bytes)), "a block in the program's memory");
}

RECT StepButtonRect(HWND tabs, int index) {
    RECT rect{};
    const RemoteBlock block(tabs, sizeof(rect));
    Check(::SendMessageW(tabs, TCM_GETITEMRECT, index, LPARAM(block.at)) && block.Read(&rect, sizeof(rect)),
          "the rectangle of step button " + std::to_string(index));
    return rect;
}

void ClickStep(HWND tabs, int index) {
    const RECT rect = StepButtonRect(tabs, index);
    const POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    Click(tabs, &centre);
    WaitFor([&] { return ::SendMessageW(tabs, TCM_GETCURFOCUS, 0, 0) == index; },
            "step button " + std::to_string(index) + " to take the focus");
}

std::string StepLabel(HWND tabs, int index) {
    struct Item { TCITEMW item; wchar_t text[32]; } local{};
    RemoteBlock block(tabs, sizeof(local));
    local.item = {TCIF_TEXT, 0, 0, static_cast<Item*>(block.at)->text, 32, 0, 0};  // its own text, there
    if (!block.Write(&local, sizeof(local)) ||
        !::SendMessageW(tabs, TCM_GETITEMW, index, LPARAM(block.at)) || !block.Read(&local, sizeof(local)))
        local.text[0] = L'?';
    return std::string(local.text, local.text + ::wcslen(local.text));
}

// ---- pixels and files -----------------------------------------------------------------

std::vector<DWORD> ScreenPixels(HWND window, SIZE size, WORD bitCount) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    BITMAPINFO info{};  // 32 bits: top-down; 24: bottom-up, as a BMP file
    info.bmiHeader = {sizeof(info.bmiHeader), size.cx, bitCount == 32 ? -size.cy : size.cy, 1, bitCount, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const HDC screen = ::GetDC(nullptr), memory = ::CreateCompatibleDC(screen);
    const HBITMAP canvas = ::CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = ::SelectObject(memory, canvas);
    ::BitBlt(memory, 0, 0, size.cx, size.cy, screen, rect.left, rect.top, SRCCOPY), ::GdiFlush();
    const size_t words = ((static_cast<size_t>(size.cx) * bitCount / 8 + 3) / 4) * size.cy;
    std::vector<DWORD> pixels(static_cast<const DWORD*>(bits), static_cast<const DWORD*>(bits) + words);
    for (DWORD& p : pixels)
        p &= bitCount == 32 ? 0x00FFFFFF : 0xFFFFFFFF;
    ::SelectObject(memory, old), ::DeleteObject(canvas), ::DeleteDC(memory), ::ReleaseDC(nullptr, screen);
    return pixels;
}

namespace {
constexpr IID kIIDAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
std::string Ask(HWND control, HRESULT (STDMETHODCALLTYPE IAccessible::*question)(VARIANT, BSTR*), long child) {
    IAccessible* object = nullptr;
    std::string answer = "?";
    if (SUCCEEDED(::AccessibleObjectFromWindow(control, OBJID_CLIENT, kIIDAccessible, reinterpret_cast<void**>(&object)))) {
        VARIANT self{};
        self.vt = VT_I4, self.lVal = child;
        BSTR text = nullptr;
        if ((object->*question)(self, &text) == S_OK && text)
            answer = Narrow(std::wstring(text, ::SysStringLen(text)));
        ::SysFreeString(text);
        object->Release();
    }
    return answer;
}
}  // namespace

std::string ReaderName(HWND control, long child) { return Ask(control, &IAccessible::get_accName, child); }
std::string ReaderShortcut(HWND control, long child) { return Ask(control, &IAccessible::get_accKeyboardShortcut, child); }

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return in ? std::string(std::istreambuf_iterator<char>(in), {}) : "<missing " + path + ">";
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    Check(static_cast<bool>(out << bytes), "could not write " + path);
}

std::string OwnFolder() {
    char path[MAX_PATH] = {};
    return std::filesystem::path(std::string(path, ::GetModuleFileNameA(nullptr, path, MAX_PATH)))
               .parent_path().string() + "\\";
}

void EmptyFolder(const std::string& folder) {
    std::filesystem::create_directories(folder);
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        std::filesystem::remove(entry.path());  // files only: the folder may be a program's current one
}

// ---- keys -------------------------------------------------------------------------------

void PressKeys(const std::vector<WORD>& chord) {
    std::vector<INPUT> keys(chord.size() * 2, INPUT{INPUT_KEYBOARD, {}});
    for (size_t i = 0; i < chord.size(); ++i) {  // pressed in order, let go in reverse; page and arrow keys extended
        const DWORD extended = chord[i] >= VK_PRIOR && chord[i] <= VK_DOWN ? KEYEVENTF_EXTENDEDKEY : 0;
        keys[i].ki = {chord[i], WORD(::MapVirtualKeyA(chord[i], MAPVK_VK_TO_VSC)), extended, 0, 0};
        keys[keys.size() - 1 - i].ki = {chord[i], keys[i].ki.wScan, extended | KEYEVENTF_KEYUP, 0, 0};
    }
    ::SendInput(UINT(keys.size()), keys.data(), sizeof(INPUT));
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info{sizeof(info)};
    return ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
}

void DropFiles(HWND window, const std::vector<std::string>& paths, bool wide) {
    const DROPFILES head{sizeof(DROPFILES), {0, 0}, FALSE, wide};
    std::string block(reinterpret_cast<const char*>(&head), sizeof(head));
    for (const std::string& path : paths)  // each name ended, and one more end (the names are ASCII)
        for (const char c : path + '\0') block += wide ? std::string{c, '\0'} : std::string(1, c);
    block.append(wide ? 2 : 1, '\0');
    RemoteBlock remote(window, block.size(), block.data());
    ::PostMessageW(window, WM_DROPFILES, WPARAM(std::exchange(remote.at, nullptr)), 0);  // the program's to free
}

}  // namespace remote
