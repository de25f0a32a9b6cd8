#pragma once
// Shared by the control tests: a shown dialog recording the commands it leaves unhandled, the real mouse, images.
#include <algorithm>
#include <vector>

#include "CDialog.h"
#include "GuiHarness.h"

inline COLORREF Sys(int index) { return ::GetSysColor(index); }
inline void Fill(HDC dc, RECT r, COLORREF c) { ::SetBkColor(dc, c), ::ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr); }

struct Host : CDialog {
    explicit Host(gui::DialogTemplate& t)
    {
        CreateIndirect(t.Get()); ::SetWindowPos(m_hWnd, nullptr, 40, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
        ::SetForegroundWindow(m_hWnd), gui::FlushEvents();
    }
    ~Host() override { ::DestroyWindow(m_hWnd), gui::FlushEvents(); }
    int Count(int id, int code) const { return int(std::count(commands.begin(), commands.end(), std::make_pair(id, code))); }
    std::vector<std::pair<int, int>> commands;
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        const bool handled = CDialog::OnWndMsg(message, wParam, lParam, result);
        if (message == WM_COMMAND && !handled) commands.emplace_back(LOWORD(wParam), HIWORD(wParam));
        return handled;
    }
};

// The real mouse to a client point; absolute positions scale back rounding down, so round up.
inline void MoveMouse(HWND hwnd, POINT at)
{
    ::ClientToScreen(hwnd, &at); const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
    INPUT input{INPUT_MOUSE};
    input.mi = {(at.x * 65536 + cx - 1) / cx, (at.y * 65536 + cy - 1) / cy, 0, MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE};
    ::SendInput(1, &input, sizeof(INPUT)); POINT now{};
    gui::PumpUntil([&] { return ::GetCursorPos(&now) && now.x == at.x && now.y == at.y; });
}

// 16 x 16 images: `inner` inside a 2-pixel `border`; the icon's border is transparent.
inline HBITMAP MakeBitmap(COLORREF inner, COLORREF border, bool mono = false)
{
    const HDC screen = ::GetDC(nullptr), dc = ::CreateCompatibleDC(screen);
    const HBITMAP bitmap = mono ? ::CreateBitmap(16, 16, 1, 1, nullptr) : ::CreateCompatibleBitmap(screen, 16, 16);
    const HGDIOBJ old = ::SelectObject(dc, bitmap);
    Fill(dc, {0, 0, 16, 16}, border), Fill(dc, {2, 2, 14, 14}, inner), ::SelectObject(dc, old), ::DeleteDC(dc), ::ReleaseDC(nullptr, screen);
    return bitmap;
}
inline HICON MakeIcon(COLORREF inner, bool mono = false)  // mono: black, its AND mask above its XOR mask in one bitmap
{
    WORD masks[32] = {}; for (int y = 0; y < 16; ++y) masks[y] = y < 2 || y > 13 ? 0xFFFF : 0x03C0;
    ICONINFO info{TRUE, 0, 0, mono ? ::CreateBitmap(16, 32, 1, 1, masks) : MakeBitmap(RGB(0, 0, 0), RGB(255, 255, 255), true),
                  mono ? nullptr : MakeBitmap(inner, RGB(0, 0, 0))};
    const HICON icon = ::CreateIconIndirect(&info);
    return ::DeleteObject(info.hbmMask), ::DeleteObject(info.hbmColor), icon;
}
