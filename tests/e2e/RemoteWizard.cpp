#include "RemoteWizard.h"

#include <commctrl.h>

#include <cstdio>
#include <fstream>
#include <iterator>

namespace remote {

namespace {

std::wstring Widen(const std::string& text)
{
    if (text.empty())
        return std::wstring();
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], length);
    wide.resize(static_cast<size_t>(length - 1));
    return wide;
}

std::string Narrow(const std::wstring& wide)
{
    if (wide.empty())
        return std::string();
    const int length = ::WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(length), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, &text[0], length, nullptr, nullptr);
    text.resize(static_cast<size_t>(length - 1));
    return text;
}

std::vector<HWND> TopLevelDialogs(DWORD processId)
{
    struct Search {
        DWORD processId;
        std::vector<HWND> found;
    } search{processId, {}};
    ::EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(window, &owner);
            if (owner == s->processId && ::IsWindowVisible(window) && ClassOf(window) == "#32770")
                s->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The file dialog's controls, as the common dialog numbers them.
constexpr int kFileTypeCombo = 0x470;
constexpr int kFileNameCombo = 0x47C;
constexpr int kFileNameEdit = 0x480;

HWND FileNameBox(HWND dialog)
{
    if (HWND combo = ::GetDlgItem(dialog, kFileNameCombo))
        return combo;
    return ::GetDlgItem(dialog, kFileNameEdit);
}

}  // namespace

void Check(bool condition, const std::string& what)
{
    if (!condition)
        throw Failure{what};
}

namespace {
int g_passed = 0;
}  // namespace

void Expect(bool condition, const std::string& what)
{
    Check(condition, what);
    ++g_passed;
    std::printf("ok %d - %s\n", g_passed, what.c_str());
    std::fflush(stdout);
}

int PassedCount()
{
    return g_passed;
}

std::string Text(HWND window)
{
    const int length = static_cast<int>(::SendMessageW(window, WM_GETTEXTLENGTH, 0, 0));
    std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
    const int copied = static_cast<int>(
        ::SendMessageW(window, WM_GETTEXT, wide.size(), reinterpret_cast<LPARAM>(&wide[0])));
    wide.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return Narrow(wide);
}

std::string ClassOf(HWND window)
{
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof(name));
    return name;
}

void SetText(HWND window, const std::string& text)
{
    const std::wstring wide = Widen(text);
    ::SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

std::vector<std::string> ListEntries(HWND list)
{
    std::vector<std::string> entries;
    const int count = static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        const int length = static_cast<int>(::SendMessageW(list, LB_GETTEXTLEN, i, 0));
        std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
        ::SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&wide[0]));
        wide.resize(static_cast<size_t>(length));
        entries.push_back(Narrow(wide));
    }
    return entries;
}

void Click(HWND window)
{
    RECT client{};
    ::GetClientRect(window, &client);
    ClickAt(window, POINT{client.right / 2, client.bottom / 2});
}

void ClickAt(HWND window, POINT client)
{
    const HWND root = ::GetAncestor(window, GA_ROOT);
    ::SetForegroundWindow(root);
    WaitFor([&] { return ::GetForegroundWindow() == root; }, "the window to come to the front");
    POINT screen = client;
    ::ClientToScreen(window, &screen);
    ::SetCursorPos(screen.x, screen.y);
    INPUT input[2] = {};
    input[0].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].type = INPUT_MOUSE;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(2, input, sizeof(INPUT));
    // The click has been handled once the program answers a message again.
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 200, &ignored);
}

void Press(HWND button)
{
    ::PostMessageW(button, BM_CLICK, 0, 0);
}

// ---- the program ------------------------------------------------------------------

Program::Program(const std::string& exe, const std::string& folder)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    std::string commandLine = "\"" + exe + "\"";
    if (!::CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                          folder.c_str(), &startup, &m_info))
        throw Failure{"could not start " + exe};
    ::WaitForInputIdle(m_info.hProcess, 20000);
}

Program::~Program()
{
    if (m_info.hProcess) {
        if (::WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT)
            ::TerminateProcess(m_info.hProcess, 99);
        ::CloseHandle(m_info.hProcess);
        ::CloseHandle(m_info.hThread);
    }
}

HWND Program::WaitForWindow(const std::string& caption)
{
    HWND found = nullptr;
    WaitFor(
        [&] {
            for (HWND window : TopLevelDialogs(Id()))
                if (::IsWindowEnabled(window) && Text(window) == caption) {
                    found = window;
                    return true;
                }
            return false;
        },
        "a window \"" + caption + "\"");
    return found;
}

HWND Program::FindBox(HWND except) const
{
    for (HWND window : TopLevelDialogs(Id()))
        if (window != except && ::IsWindowEnabled(window))
            return window;
    return nullptr;
}

Box Program::WaitForBox(HWND except)
{
    HWND window = nullptr;
    WaitFor([&] { return (window = FindBox(except)) != nullptr; }, "a message box");
    Box box;
    box.window = window;
    box.caption = Text(window);
    for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        const std::string cls = ClassOf(child);
        const LONG style = static_cast<LONG>(::GetWindowLongPtrW(child, GWL_STYLE));
        if (cls == "Button" && (style & WS_VISIBLE)) {
            const int id = ::GetDlgCtrlID(child);
            box.buttons.push_back(id);
            if ((style & 0x0F) == BS_DEFPUSHBUTTON)
                box.defaultButton = id;
        } else if (cls == "Static") {
            if ((style & SS_TYPEMASK) == SS_ICON)
                box.hasIcon = box.hasIcon || ::SendMessageW(child, STM_GETICON, 0, 0) != 0;
            else if (box.text.empty())
                box.text = Text(child);
        }
    }
    return box;
}

void Program::Answer(const Box& box, int id)
{
    HWND button = ::GetDlgItem(box.window, id);
    Check(button != nullptr, "the box \"" + box.caption + "\" has no button " + std::to_string(id));
    Press(button);
    WaitFor([&] { return !::IsWindow(box.window) || !::IsWindowVisible(box.window); },
            "the box \"" + box.caption + "\" to close");
}

DWORD Program::WaitForExit()
{
    Check(::WaitForSingleObject(m_info.hProcess, 20000) == WAIT_OBJECT_0, "the program to end");
    DWORD code = 0;
    ::GetExitCodeProcess(m_info.hProcess, &code);
    return code;
}

// ---- pages and dialogs ---------------------------------------------------------------

HWND ChildDialogWith(HWND parent, int id)
{
    for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        if (ClassOf(child) == "#32770" && ::GetDlgItem(child, id))
            return child;
    return nullptr;
}

HWND FindFileDialog(DWORD processId)
{
    for (HWND window : TopLevelDialogs(processId))
        if (FileNameBox(window) && ::GetDlgItem(window, kFileTypeCombo) && ::IsWindowEnabled(window))
            return window;
    return nullptr;
}

void ChooseFiles(HWND dialog, const std::string& folder, const std::string& names)
{
    // A folder typed and confirmed is opened, not chosen.
    SetText(FileNameBox(dialog), folder);
    Press(::GetDlgItem(dialog, IDOK));
    WaitFor([&] { return Text(FileNameBox(dialog)).empty() || !::IsWindow(dialog); },
            "the file dialog to open the folder");
    SetText(FileNameBox(dialog), names);
    Press(::GetDlgItem(dialog, IDOK));
    WaitFor([&] { return !::IsWindow(dialog) || !::IsWindowVisible(dialog); },
            "the file dialog to close");
}

bool SaveWindowPicture(HWND window, const std::string& path)
{
    RECT rect{};
    ::GetWindowRect(window, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // bottom-up, as a BMP file stores it
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    ::GdiFlush();
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    const DWORD imageSize = stride * static_cast<DWORD>(height);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    file.bfSize = file.bfOffBits + imageSize;
    info.bmiHeader.biSizeImage = imageSize;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof(info.bmiHeader));
    out.write(static_cast<const char*>(bits), imageSize);
    const bool written = static_cast<bool>(out);
    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return written;
}

// ---- files ------------------------------------------------------------------------------

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return "<missing " + path + ">";
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    Check(static_cast<bool>(out), "could not write " + path);
}

std::string OwnFolder()
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.rfind('\\') + 1);
}

void EmptyFolder(const std::string& folder)
{
    // Parents first: the folder may lie deeper than any that exists.
    for (size_t at = folder.find('\\', 3); at != std::string::npos; at = folder.find('\\', at + 1))
        ::CreateDirectoryA(folder.substr(0, at).c_str(), nullptr);
    ::CreateDirectoryA(folder.c_str(), nullptr);
    WIN32_FIND_DATAA found{};
    HANDLE search = ::FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            ::DeleteFileA((folder + "\\" + found.cFileName).c_str());
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
}

}  // namespace remote

namespace remote {

RECT TabItemRect(HWND tabs, int index)
{
    RECT rect{};
    DWORD processId = 0;
    ::GetWindowThreadProcessId(tabs, &processId);
    HANDLE process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                                   processId);
    Check(process != nullptr, "could not open the program's process");
    void* remoteRect = ::VirtualAllocEx(process, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
    const bool got = remoteRect &&
                     ::SendMessageW(tabs, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(remoteRect)) &&
                     ::ReadProcessMemory(process, remoteRect, &rect, sizeof(rect), nullptr);
    if (remoteRect)
        ::VirtualFreeEx(process, remoteRect, 0, MEM_RELEASE);
    ::CloseHandle(process);
    Check(got, "no rectangle for step button " + std::to_string(index));
    return rect;
}

void ClickStep(HWND tabs, int index)
{
    const RECT button = TabItemRect(tabs, index);
    ClickAt(tabs, POINT{(button.left + button.right) / 2, (button.top + button.bottom) / 2});
    WaitFor([&] { return ::SendMessageW(tabs, TCM_GETCURFOCUS, 0, 0) == index; },
            "step button " + std::to_string(index) + " to take the focus");
}

namespace {

// `width` x `height` pixels of `source` at (x, y), as 0x00RRGGBB values, top-down.
std::vector<DWORD> Pixels(HDC source, int x, int y, int width, int height)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC memory = ::CreateCompatibleDC(source);
    HBITMAP canvas = ::CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(memory, canvas);
    ::BitBlt(memory, 0, 0, width, height, source, x, y, SRCCOPY);
    ::GdiFlush();
    const DWORD* first = static_cast<const DWORD*>(bits);
    std::vector<DWORD> pixels(first, first + static_cast<size_t>(width) * height);
    for (DWORD& p : pixels)
        p &= 0x00FFFFFF;
    ::SelectObject(memory, old);
    ::DeleteObject(canvas);
    ::DeleteDC(memory);
    return pixels;
}

}  // namespace

bool ScreenShowsBitmap(HWND window, HMODULE module, UINT id)
{
    HBITMAP bitmap = static_cast<HBITMAP>(
        ::LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!bitmap)
        return false;
    BITMAP size{};
    ::GetObjectA(bitmap, sizeof(size), &size);
    RECT rect{};
    ::GetWindowRect(window, &rect);

    HDC screen = ::GetDC(nullptr);
    HDC picture = ::CreateCompatibleDC(screen);
    HGDIOBJ old = ::SelectObject(picture, bitmap);
    const bool same = Pixels(picture, 0, 0, size.bmWidth, size.bmHeight) ==
                      Pixels(screen, rect.left, rect.top, size.bmWidth, size.bmHeight);
    ::SelectObject(picture, old);
    ::DeleteDC(picture);
    ::ReleaseDC(nullptr, screen);
    ::DeleteObject(bitmap);
    return same;
}

}  // namespace remote
