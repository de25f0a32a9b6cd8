#include "ControlsHarness.h"

#include <algorithm>
#include <cstdio>

namespace ctl {

// ---- host dialog ------------------------------------------------------------------------

HostDialog::HostDialog(gui::DialogTemplate& dialogTemplate, int x, int y)
{
    if (CreateIndirect(dialogTemplate.Get(), nullptr)) {
        ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        ::ShowWindow(m_hWnd, SW_SHOW);
        ::SetForegroundWindow(m_hWnd);
        gui::FlushEvents();
    }
}

HostDialog::~HostDialog()
{
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
    gui::FlushEvents();
    if (m_background)
        ::DeleteObject(m_background);
}

const MessageMap& HostDialog::GetMessageMap() const
{
    static const MessageMap map(CDialog::GetMessageMap(), {
        OnCtlColor(&HostDialog::OnColour),
    });
    return map;
}

bool HostDialog::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    const bool handled = CDialog::OnWndMsg(message, wParam, lParam, result);
    // Unhandled here means the control's reflected handler let it through and no
    // entry of this dialog's own took it: the dialog's own handling hears it.
    if (message == WM_COMMAND && !handled)
        commands.emplace_back(LOWORD(wParam), HIWORD(wParam));
    return handled;
}

int HostDialog::CountCommands(int id, int code) const
{
    int count = 0;
    for (const auto& command : commands)
        if (command.first == id && command.second == code)
            ++count;
    return count;
}

void HostDialog::SetBackground(COLORREF colour)
{
    if (m_background)
        ::DeleteObject(m_background);
    m_background = colour == CLR_INVALID ? nullptr : ::CreateSolidBrush(colour);
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

HBRUSH HostDialog::OnColour(CDC*, CWnd*, UINT type)
{
    if (type == CTLCOLOR_DLG && m_background)
        return m_background;
    return reinterpret_cast<HBRUSH>(Default());
}

// ---- real input ---------------------------------------------------------------------------

namespace {

void SendMouse(DWORD flags, LONG dx = 0, LONG dy = 0)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    input.mi.dx = dx;
    input.mi.dy = dy;
    ::SendInput(1, &input, sizeof(INPUT));
}

}  // namespace

void MoveMouseToScreen(POINT screen)
{
    // Absolute coordinates run from 0 to 65535 across the primary screen and
    // are scaled back rounding down: round up here to land on the pixel asked for.
    const int width = ::GetSystemMetrics(SM_CXSCREEN);
    const int height = ::GetSystemMetrics(SM_CYSCREEN);
    const LONG dx = static_cast<LONG>((screen.x * 65536 + width - 1) / width);
    const LONG dy = static_cast<LONG>((screen.y * 65536 + height - 1) / height);
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, dx, dy);
    gui::PumpUntil([&] {
        POINT now{};
        ::GetCursorPos(&now);
        return now.x == screen.x && now.y == screen.y;
    }, 2000);
    // Where the rounding missed, the pointer is put on the pixel itself.
    POINT now{};
    ::GetCursorPos(&now);
    if (now.x != screen.x || now.y != screen.y)
        ::SetCursorPos(screen.x, screen.y);
    gui::FlushEvents();
}

void MoveMouseTo(HWND hwnd, POINT client)
{
    POINT screen = client;
    ::ClientToScreen(hwnd, &screen);
    MoveMouseToScreen(screen);
}

void MouseDown()
{
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    gui::FlushEvents();
}

void MouseUp()
{
    SendMouse(MOUSEEVENTF_LEFTUP);
    gui::FlushEvents();
}

void DoubleClick()
{
    // All four at once: they carry the same time, well inside the double-click time.
    INPUT input[4] = {};
    const DWORD flags[4] = {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, MOUSEEVENTF_LEFTDOWN,
                            MOUSEEVENTF_LEFTUP};
    for (int i = 0; i < 4; ++i) {
        input[i].type = INPUT_MOUSE;
        input[i].mi.dwFlags = flags[i];
    }
    ::SendInput(4, input, sizeof(INPUT));
    gui::FlushEvents();
}

// ---- drawing ---------------------------------------------------------------------------------

RECT ClientRect(HWND hwnd)
{
    RECT rect{};
    ::GetClientRect(hwnd, &rect);
    return rect;
}

void DrawThroughParent(HWND button, gui::DibCanvas& canvas, UINT state, COLORREF fill)
{
    canvas.Fill(fill);
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.CtlID = static_cast<UINT>(::GetDlgCtrlID(button));
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = state;
    item.hwndItem = button;
    item.hDC = canvas.Dc();
    item.rcItem = ClientRect(button);
    ::SendMessageA(::GetParent(button), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
    ::GdiFlush();
}

std::string Describe(const Box& box)
{
    if (box.Empty())
        return "(empty)";
    char text[80];
    std::snprintf(text, sizeof(text), "(%d,%d)-(%d,%d)", box.left, box.top, box.right,
                  box.bottom);
    return text;
}

namespace {

template <class Match>
Box Find(const gui::DibCanvas& canvas, const RECT& area, Match match)
{
    Box box;
    bool any = false;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            if (!match(canvas.Pixel(x, y)))
                continue;
            if (!any) {
                box.left = box.right = x;
                box.top = box.bottom = y;
                any = true;
            }
            box.left = std::min(box.left, x);
            box.right = std::max(box.right, x);
            box.top = std::min(box.top, y);
            box.bottom = std::max(box.bottom, y);
        }
    return box;
}

}  // namespace

Box FindColour(const gui::DibCanvas& canvas, COLORREF colour, const RECT& area)
{
    return Find(canvas, area, [colour](COLORREF c) { return c == colour; });
}

Box FindOtherThan(const gui::DibCanvas& canvas, COLORREF colour, const RECT& area)
{
    return Find(canvas, area, [colour](COLORREF c) { return c != colour; });
}

int CountColour(const gui::DibCanvas& canvas, COLORREF colour, const RECT& area)
{
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (canvas.Pixel(x, y) == colour)
                ++count;
    return count;
}

std::string Hex(COLORREF colour)
{
    char text[16];
    std::snprintf(text, sizeof(text), "#%02X%02X%02X", GetRValue(colour), GetGValue(colour),
                  GetBValue(colour));
    return text;
}

int CountThreadWindows(const char* className)
{
    struct Search {
        const char* name;
        int count;
    } search{className, 0};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hwnd, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            if (::lstrcmpiA(gui::ClassName(hwnd).c_str(), s->name) == 0)
                ++s->count;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.count;
}

// ---- images ---------------------------------------------------------------------------------

HBITMAP MakeTestBitmap(COLORREF inner, COLORREF border)
{
    const int size = kTestImageSize;
    const HDC screen = ::GetDC(nullptr);
    const HBITMAP bitmap = ::CreateCompatibleBitmap(screen, size, size);
    const HDC dc = ::CreateCompatibleDC(screen);
    const HGDIOBJ old = ::SelectObject(dc, bitmap);
    const HBRUSH borderBrush = ::CreateSolidBrush(border);
    const HBRUSH innerBrush = ::CreateSolidBrush(inner);
    RECT all{0, 0, size, size}, middle{2, 2, size - 2, size - 2};
    ::FillRect(dc, &all, borderBrush);
    ::FillRect(dc, &middle, innerBrush);
    ::DeleteObject(borderBrush);
    ::DeleteObject(innerBrush);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
    return bitmap;
}

HICON MakeTestIcon(COLORREF inner)
{
    const int size = kTestImageSize;
    const HBITMAP colour = MakeTestBitmap(inner, RGB(0, 0, 0));
    const HBITMAP mask = ::CreateBitmap(size, size, 1, 1, nullptr);
    const HDC dc = ::CreateCompatibleDC(nullptr);
    const HGDIOBJ old = ::SelectObject(dc, mask);
    RECT all{0, 0, size, size}, middle{2, 2, size - 2, size - 2};
    ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::FillRect(dc, &middle, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmColor = colour;
    info.hbmMask = mask;
    const HICON icon = ::CreateIconIndirect(&info);
    ::DeleteObject(colour);
    ::DeleteObject(mask);
    return icon;
}

}  // namespace ctl
