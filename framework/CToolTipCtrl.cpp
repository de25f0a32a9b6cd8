#include "CToolTipCtrl.h"

IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)

namespace {

TOOLINFOA ToolFor(const CWnd* wnd, UINT_PTR id)
{
    TOOLINFOA info{};
    info.cbSize = sizeof(info);
    info.hwnd = wnd ? wnd->m_hWnd : nullptr;
    info.uId = id;
    return info;
}

}  // namespace

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style)
{
    const RECT none{CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT};
    if (!CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | style, none,
                  parent, 0))
        return FALSE;
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return TRUE;
}

LRESULT CToolTipCtrl::SendToolMessage(UINT message, WPARAM wParam, TOOLINFOA& info) const
{
    const LRESULT result = SendMessage(message, wParam, reinterpret_cast<LPARAM>(&info));
    if (result || info.cbSize != sizeof(TOOLINFOA))
        return result;
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    return SendMessage(message, wParam, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::Activate(BOOL activate) { SendMessage(TTM_ACTIVATE, static_cast<WPARAM>(activate)); }

BOOL CToolTipCtrl::AddTool(CWnd* wnd, LPCSTR text, LPCRECT rect, UINT_PTR id)
{
    TOOLINFOA info = ToolFor(wnd, id);
    info.uFlags = 0;  // mouse messages are relayed by the owner, not caught by subclassing
    if (rect)
        info.rect = *rect;
    else if (wnd)
        ::GetClientRect(wnd->m_hWnd, &info.rect);
    info.hinst = nullptr;
    info.lpszText = const_cast<LPSTR>(text ? text : "");
    return static_cast<BOOL>(SendToolMessage(TTM_ADDTOOLA, 0, info));
}

void CToolTipCtrl::DelTool(CWnd* wnd, UINT_PTR id)
{
    TOOLINFOA info = ToolFor(wnd, id);
    SendMessage(TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::UpdateTipText(LPCSTR text, CWnd* wnd, UINT_PTR id)
{
    TOOLINFOA info = ToolFor(wnd, id);
    info.lpszText = const_cast<LPSTR>(text ? text : "");
    SendMessage(TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
}

CString CToolTipCtrl::GetText(CWnd* wnd, UINT_PTR id) const
{
    // The ANSI form copies at most 80 characters; the wide form takes the
    // buffer's size.
    wchar_t buffer[1024] = {};
    TTTOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.hwnd = wnd ? wnd->m_hWnd : nullptr;
    info.uId = id;
    info.lpszText = buffer;
    SendMessage(TTM_GETTEXTW, sizeof(buffer) / sizeof(buffer[0]), reinterpret_cast<LPARAM>(&info));
    buffer[sizeof(buffer) / sizeof(buffer[0]) - 1] = L'\0';
    const int bytes = ::WideCharToMultiByte(CP_ACP, 0, buffer, -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 1)
        return CString();
    CString text(static_cast<size_t>(bytes), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, buffer, -1, &text[0], bytes, nullptr, nullptr);
    text.resize(static_cast<size_t>(bytes - 1));
    return text;
}

int CToolTipCtrl::GetToolCount() const { return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT)); }

void CToolTipCtrl::RelayEvent(MSG* msg)
{
    if (m_hWnd)
        SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg));
}

int CToolTipCtrl::SetMaxTipWidth(int width)
{
    return static_cast<int>(SendMessage(TTM_SETMAXTIPWIDTH, 0, width));
}

