// The real help window under Wine: F1 on a control inside a child window of a
// top-level window reaches that window as WM_HELP, which asks for the guide's
// default topic the way the wizard does. The help window belongs to the
// desktop, shows the guide's contents, and outlives the window that asked.
#include <windows.h>

#include <commctrl.h>
#include <htmlhelp.h>

#include <string>
#include <vector>

#include "HelpTestSupport.h"
#include "HtmlHelpLoader.h"
#include <gtest/gtest.h>

using namespace helptest;

namespace {

const char kWindowClass[] = "TessivaHelpTestWindow";
const char kPageClass[] = "TessivaHelpTestPage";

struct HelpRequests {
    int count = 0;
    HWND lastControl = nullptr;  // the control the request came from
    HWND helpWindow = nullptr;
};

// Stands in for the wizard window: its WM_HELP handler is the wizard's.
LRESULT CALLBACK WizardLikeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_HELP) {
        auto* requests = reinterpret_cast<HelpRequests*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        const auto* info = reinterpret_cast<const HELPINFO*>(lParam);
        ++requests->count;
        requests->lastControl = static_cast<HWND>(info->hItemHandle);
        requests->helpWindow = ShowHelpContents();
        return TRUE;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterClasses()
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WizardLikeProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kWindowClass;
    RegisterClassA(&windowClass);
    // A page: a plain child window that leaves WM_HELP to the default
    // handling, which passes it on to the parent.
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.lpszClassName = kPageClass;
    RegisterClassA(&windowClass);
}

void PumpMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// Keyboard input travels through the system's input queue; pump until the
// expected effect shows, with a bound so that a broken case fails instead of
// hanging.
template <typename Condition>
bool PumpUntil(Condition done)
{
    for (int round = 0; round < 100 && !done(); ++round) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        PumpMessages();
    }
    return done();
}

void PressKey(WORD key)
{
    INPUT inputs[2] = {};
    inputs[0].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = key;
    inputs[1] = inputs[0];
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof(INPUT));
}

HWND FindDescendant(HWND parent, const char* className)
{
    struct Search {
        const char* className;
        HWND found;
    } search{className, nullptr};
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            char name[64];
            GetClassNameA(child, name, sizeof(name));
            if (lstrcmpiA(name, s->className) == 0) {
                s->found = child;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string TreeItemText(HWND tree, HTREEITEM item)
{
    char text[256] = {};
    TVITEMA data = {};
    data.mask = TVIF_TEXT;
    data.hItem = item;
    data.pszText = text;
    data.cchTextMax = sizeof(text);
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data));
    return text;
}

std::vector<std::string> TopLevelTreeItems(HWND tree)
{
    std::vector<std::string> items;
    for (auto item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0)); item;
         item = reinterpret_cast<HTREEITEM>(
             SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item))))
        items.push_back(TreeItemText(tree, item));
    return items;
}

// Saves what the screen shows inside `window` as a 24-bit BMP file, so the
// picture of the help window can be looked at after the run.
void SaveScreenshot(HWND window, const std::string& path)
{
    RECT frame;
    GetWindowRect(window, &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const int stride = (width * 3 + 3) & ~3;

    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits,
                                      nullptr, 0);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, frame.left, frame.top, SRCCOPY);
    GdiFlush();

    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(header);
    file.bfSize = file.bfOffBits + stride * height;
    HANDLE out = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (out != INVALID_HANDLE_VALUE) {
        DWORD written;
        WriteFile(out, &file, sizeof(file), &written, nullptr);
        WriteFile(out, &header, sizeof(header), &written, nullptr);
        WriteFile(out, bits, stride * height, &written, nullptr);
        CloseHandle(out);
    }
    SelectObject(memory, previous);
    DeleteDC(memory);
    DeleteObject(bitmap);
    ReleaseDC(nullptr, screen);
}

}  // namespace

class HelpWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetHtmlHelpLoaderForTests();
        RegisterClasses();
        m_window = CreateWindowExA(WS_EX_CONTEXTHELP, kWindowClass, "tessiva", WS_POPUP | WS_CAPTION | WS_SYSMENU,
                                   40, 40, 420, 300, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        SetWindowLongPtrA(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&m_requests));
        m_page = CreateWindowExA(WS_EX_CONTROLPARENT, kPageClass, "", WS_CHILD | WS_VISIBLE, 10, 10, 380, 200,
                                 m_window, nullptr, GetModuleHandleA(nullptr), nullptr);
        m_control = CreateWindowExA(0, "BUTTON", "ADD", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 20, 20,
                                    80, 24, m_page, reinterpret_cast<HMENU>(1002), GetModuleHandleA(nullptr),
                                    nullptr);
        ShowWindow(m_window, SW_SHOW);
        SetForegroundWindow(m_window);
        SetFocus(m_control);
        PumpMessages();
    }

    void TearDown() override
    {
        if (IsWindow(m_window))
            DestroyWindow(m_window);
        CallHtmlHelp(nullptr, nullptr, HH_CLOSE_ALL, 0);
        PumpMessages();
        // Unload the control again, so that every test of this program starts
        // in a process that has loaded no help library.
        if (g_hHtmlHelpModule)
            FreeLibrary(g_hHtmlHelpModule);
        ResetHtmlHelpLoaderForTests();
        EXPECT_FALSE(AnyHtmlHelpLibraryLoaded());
    }

    HelpRequests m_requests;
    HWND m_window = nullptr;
    HWND m_page = nullptr;
    HWND m_control = nullptr;
};

TEST_F(HelpWindow, F1OnAControlInAPageOpensTheGuideOwnedByTheDesktop)
{
    ASSERT_EQ(m_control, GetFocus());
    PressKey(VK_F1);
    ASSERT_TRUE(PumpUntil([&] { return m_requests.count > 0; })) << "F1 never arrived as WM_HELP";
    EXPECT_EQ(1, m_requests.count);
    EXPECT_EQ(m_control, m_requests.lastControl);

    const HWND help = m_requests.helpWindow;
    ASSERT_NE(nullptr, help) << "the HTML Help control opened no window";
    PumpMessages();
    EXPECT_TRUE(IsWindowVisible(help));
    EXPECT_EQ(GetDesktopWindow(), GetAncestor(help, GA_PARENT));
    EXPECT_EQ(nullptr, GetWindow(help, GW_OWNER)) << "owned by the window that asked";
    char title[128] = {};
    GetWindowTextA(help, title, sizeof(title));
    EXPECT_STREQ("tessiva Help", title);

    // The contents pane comes from the compiled guide's table of contents.
    const HWND tree = FindDescendant(help, WC_TREEVIEWA);
    ASSERT_NE(nullptr, tree);
    const std::vector<std::string> expected = {
        "Welcome to tessiva", "The three steps", "Pressing START",          "How a text file becomes a page",
        "Templates",          "The index file",  "Messages and what to do", "The command-line tool"};
    EXPECT_EQ(expected, TopLevelTreeItems(tree));

    RedrawWindow(help, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpMessages();
    const std::string shots = ProgramFolder() + "..\\screenshots\\";
    CreateDirectoryA(shots.c_str(), nullptr);
    SaveScreenshot(help, shots + "help.bmp");

    // Closing the window that asked leaves the help open.
    DestroyWindow(m_window);
    PumpMessages();
    EXPECT_TRUE(IsWindow(help));
    EXPECT_TRUE(IsWindowVisible(help));
}

TEST_F(HelpWindow, TheQuestionMarkClickOnAControlReachesTheLoaderToo)
{
    // What the caption's question-mark button followed by a click on the
    // control sends: WM_HELP to the control, passed up to the top window.
    HELPINFO info = {};
    info.cbSize = sizeof(info);
    info.iContextType = HELPINFO_WINDOW;
    info.iCtrlId = 1002;
    info.hItemHandle = m_control;
    SendMessageA(m_control, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    PumpMessages();
    EXPECT_EQ(1, m_requests.count);
    EXPECT_EQ(m_control, m_requests.lastControl);
    const HMODULE module = g_hHtmlHelpModule;
    ASSERT_NE(nullptr, m_requests.helpWindow);
    EXPECT_TRUE(IsWindowVisible(m_requests.helpWindow));

    // A second request uses the control loaded by the first.
    SendMessageA(m_control, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    PumpMessages();
    EXPECT_EQ(2, m_requests.count);
    EXPECT_EQ(module, g_hHtmlHelpModule);
    ASSERT_NE(nullptr, m_requests.helpWindow);
    EXPECT_TRUE(IsWindowVisible(m_requests.helpWindow));
}
