#include "CWnd.h"

#include <memory>
#include <unordered_map>

#include "CDataExchange.h"
#include "CFont.h"
#include "CMenu.h"
#include "CWinApp.h"

IMPLEMENT_DYNAMIC(CWnd, CObject)

namespace {

// One id for every subclass this layer installs; the procedure plus this id is
// the key comctl32 keeps the object under.
constexpr UINT_PTR kSubclassId = 0x7E55;

// Temporary wrappers handed out by FromHandle for windows nobody attached.
std::unordered_map<HWND, std::unique_ptr<CWnd>>& TempMap()
{
    static std::unordered_map<HWND, std::unique_ptr<CWnd>> map;
    return map;
}

// The message each nested window procedure call is handling (innermost last).
thread_local const MSG* t_currentMessage = nullptr;

// The control a parent's message is about, for reflection; null when none.
HWND ReflectionSource(HWND self, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        return reinterpret_cast<HWND>(lParam);
    case WM_NOTIFY:
        return lParam ? reinterpret_cast<NMHDR*>(lParam)->hwndFrom : nullptr;
    case WM_DRAWITEM: {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        return item && item->CtlType != ODT_MENU ? item->hwndItem : nullptr;
    }
    case WM_MEASUREITEM: {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        return item && item->CtlType != ODT_MENU ? ::GetDlgItem(self, static_cast<int>(item->CtlID))
                                                 : nullptr;
    }
    default:
        if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
            return reinterpret_cast<HWND>(lParam);
        (void)wParam;
        return nullptr;
    }
}

}  // namespace

// Makes the message visible to GetCurrentMessage/Default for the duration of its handling.
struct CurrentMessageScope {
    MSG msg;
    const MSG* saved;
    CurrentMessageScope(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
        : msg{hwnd, message, wParam, lParam, 0, {0, 0}}, saved(t_currentMessage)
    {
        t_currentMessage = &msg;
    }
    ~CurrentMessageScope() { t_currentMessage = saved; }
};

CWnd::CWnd() = default;

CWnd::~CWnd()
{
    if (!m_hWnd || FromHandlePermanent(m_hWnd) != this)
        return;
    const HWND hwnd = m_hWnd;
    const bool owned = m_bOwnsWindow;
    // Cut the link first: the messages of the destruction below must not reach
    // an object that is half gone.
    Detach();
    if (owned)
        ::DestroyWindow(hwnd);
}

// ---- handle <-> object ---------------------------------------------------------

CWnd* CWnd::FromHandlePermanent(HWND hwnd)
{
    DWORD_PTR ref = 0;
    if (hwnd && ::GetWindowSubclass(hwnd, SubclassProc, kSubclassId, &ref))
        return reinterpret_cast<CWnd*>(ref);
    return nullptr;
}

CWnd* CWnd::FromHandle(HWND hwnd)
{
    if (!hwnd)
        return nullptr;
    if (CWnd* wnd = FromHandlePermanent(hwnd))
        return wnd;
    auto& slot = TempMap()[hwnd];
    if (!slot) {
        slot = std::make_unique<CWnd>();
        slot->m_hWnd = hwnd;
    }
    return slot.get();
}

void CWnd::DeleteTempMap()
{
    auto& map = TempMap();
    for (auto& entry : map)
        entry.second->m_hWnd = nullptr;  // a temporary wrapper never owns its window
    map.clear();
}

bool CWnd::Attach(HWND hwnd)
{
    if (!hwnd || m_hWnd || FromHandlePermanent(hwnd))
        return false;
    if (!::SetWindowSubclass(hwnd, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this)))
        return false;
    m_hWnd = hwnd;
    // A temporary wrapper made earlier would now disagree with the real object.
    auto& temps = TempMap();
    const auto temp = temps.find(hwnd);
    if (temp != temps.end()) {
        temp->second->m_hWnd = nullptr;  // it must not touch the window on its way out
        temps.erase(temp);
    }
    return true;
}

void CWnd::Detach()
{
    // Only our own link: a temporary wrapper has none to remove.
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this)
        ::RemoveWindowSubclass(m_hWnd, SubclassProc, kSubclassId);
    m_hWnd = nullptr;
    m_bOwnsWindow = false;
}

BOOL CWnd::SubclassWindow(HWND hwnd)
{
    if (!hwnd || m_hWnd || FromHandlePermanent(hwnd))
        return FALSE;
    // The object sees its window before any message does.
    m_hWnd = hwnd;
    PreSubclassWindow();
    m_hWnd = nullptr;
    return Attach(hwnd) ? TRUE : FALSE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent)
{
    if (!parent)
        return FALSE;
    return SubclassWindow(::GetDlgItem(parent->m_hWnd, static_cast<int>(id)));
}

HWND CWnd::UnsubclassWindow()
{
    const HWND hwnd = m_hWnd;
    Detach();
    return hwnd;
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style,
                    const RECT& rect, CWnd* parent, UINT id, LPVOID param)
{
    if (m_hWnd)
        return FALSE;
    AfxInitCommonControls();
    const HWND hwnd = ::CreateWindowExA(
        exStyle, className, windowName, style, rect.left, rect.top, rect.right - rect.left,
        rect.bottom - rect.top, parent ? parent->m_hWnd : nullptr,
        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), ::GetModuleHandleA(nullptr), param);
    if (!hwnd)
        return FALSE;
    m_hWnd = hwnd;
    PreSubclassWindow();
    m_hWnd = nullptr;
    if (!Attach(hwnd)) {
        ::DestroyWindow(hwnd);
        return FALSE;
    }
    m_bOwnsWindow = true;
    return TRUE;
}

BOOL CWnd::Create(LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect,
                  CWnd* parent, UINT id)
{
    return CreateEx(0, className, windowName, style | WS_CHILD, rect, parent, id);
}

BOOL CWnd::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    return ::DestroyWindow(m_hWnd);
}

// ---- dispatch ----------------------------------------------------------------

LRESULT CALLBACK CWnd::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR, DWORD_PTR refData) noexcept
{
    CWnd* wnd = reinterpret_cast<CWnd*>(refData);
    CurrentMessageScope scope(hwnd, message, wParam, lParam);
    if (message != WM_NCDESTROY)
        return wnd->WindowProc(message, wParam, lParam);

    // The last message: leave the window, let it finish, then tell the object.
    ::RemoveWindowSubclass(hwnd, SubclassProc, kSubclassId);
    const LRESULT result = wnd->WindowProc(message, wParam, lParam);
    wnd->m_hWnd = nullptr;
    wnd->m_bOwnsWindow = false;
    wnd->PostNcDestroy();
    return result;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!m_hWnd)
        return 0;
    return ::DefSubclassProc(m_hWnd, message, wParam, lParam);
}

bool CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    // The control a notification is about hears it first.
    if (const HWND source = ReflectionSource(m_hWnd, message, wParam, lParam)) {
        CWnd* child = FromHandlePermanent(source);
        if (child && child != this && child->OnChildNotify(message, wParam, lParam, &result))
            return true;
    }

    const MessageMap& map = GetMessageMap();
    const MessageEntry* entry = nullptr;
    if (message == WM_COMMAND) {
        entry = map.Find(MessageKind::Command, message, HIWORD(wParam), LOWORD(wParam));
    } else if (message == WM_NOTIFY) {
        if (const auto* header = reinterpret_cast<const NMHDR*>(lParam))
            entry = map.Find(MessageKind::Notify, message, header->code,
                             static_cast<UINT>(header->idFrom));
    } else {
        entry = map.Find(MessageKind::Message, message, 0, 0);
        if (!entry && message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
            entry = map.Find(MessageKind::Message, WM_CTLCOLOR_ANY, 0, 0);
    }
    if (entry && entry->invoke(*this, wParam, lParam, result))
        return true;

    if ((message == WM_DRAWITEM || message == WM_MEASUREITEM) &&
        RouteMenuOwnerDraw(message, lParam, result))
        return true;
    if (message == WM_COMMAND && RouteToApplication(message, wParam, lParam)) {
        result = 0;
        return true;
    }
    return false;
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    LRESULT r = 0;
    if (!ReflectChildNotify(message, wParam, lParam, r))
        return FALSE;
    if (result)
        *result = r;
    return TRUE;
}

bool CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    const MessageMap& map = GetMessageMap();
    const MessageEntry* entry = nullptr;
    if (message == WM_COMMAND)
        entry = map.Find(MessageKind::ReflectedCommand, message, HIWORD(wParam), 0);
    else if (message == WM_NOTIFY)
        entry = lParam ? map.Find(MessageKind::ReflectedNotify, message,
                                  reinterpret_cast<const NMHDR*>(lParam)->code, 0)
                       : nullptr;
    else if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
        entry = map.Find(MessageKind::ReflectedMessage, WM_CTLCOLOR_ANY, 0, 0);
    else
        entry = map.Find(MessageKind::ReflectedMessage, message, 0, 0);
    return entry && entry->invoke(*this, wParam, lParam, result);
}

bool CWnd::RouteMenuOwnerDraw(UINT message, LPARAM lParam, LRESULT& result)
{
    if (message == WM_DRAWITEM) {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (!item || item->CtlType != ODT_MENU)
            return false;
        CMenu* menu = CMenu::FromHandlePermanent(reinterpret_cast<HMENU>(item->hwndItem));
        if (!menu)
            return false;
        menu->DrawItem(item);
        result = TRUE;
        return true;
    }
    // A measured item names no menu; only a pop-up item's id is a menu handle.
    auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    if (!item || item->CtlType != ODT_MENU)
        return false;
    const HMENU asMenu = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(item->itemID));
    CMenu* menu = ::IsMenu(asMenu) ? CMenu::FromHandlePermanent(asMenu) : nullptr;
    if (!menu)
        return false;
    menu->MeasureItem(item);
    result = TRUE;
    return true;
}

bool CWnd::RouteToApplication(UINT, WPARAM wParam, LPARAM)
{
    CWinApp* app = AfxGetApp();
    if (!app || app->m_pMainWnd != this)
        return false;
    return app->OnCmdMsg(LOWORD(wParam), HIWORD(wParam));
}

const MessageMap& CWnd::GetMessageMap() const
{
    static const MessageMap map({});
    return map;
}

void CWnd::PreSubclassWindow() {}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

void CWnd::PostNcDestroy() {}

void CWnd::DoDataExchange(CDataExchange*) {}

void CWnd::WinHelp(DWORD_PTR data, UINT command)
{
    CWinApp* app = AfxGetApp();
    if (!app || app->m_strHelpFilePath.empty())
        return;
    // No help file of the old kind ships with a program; asking the system to
    // open a missing one only puts up an error window, so a missing file is quiet.
    if (::GetFileAttributesA(app->m_strHelpFilePath.c_str()) == INVALID_FILE_ATTRIBUTES)
        return;
    ::WinHelpA(m_hWnd, app->m_strHelpFilePath.c_str(), command, data);
}

BOOL CWnd::UpdateData(BOOL saveAndValidate)
{
    CDataExchange dx(this, saveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (const CDataExchange::Failure&) {
        return FALSE;
    }
    return TRUE;
}

const MSG* CWnd::GetCurrentMessage()
{
    return t_currentMessage;
}

LRESULT CWnd::Default()
{
    const MSG* msg = t_currentMessage;
    if (!msg)
        return 0;
    return DefWindowProc(msg->message, msg->wParam, msg->lParam);
}

// ---- default handlers -------------------------------------------------------------

void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnPaint() { Default(); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
void CWnd::OnEnable(BOOL) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT item)
{
    LRESULT result = 0;
    if (!RouteMenuOwnerDraw(WM_DRAWITEM, reinterpret_cast<LPARAM>(item), result))
        Default();
}

void CWnd::OnMeasureItem(int, LPMEASUREITEMSTRUCT item)
{
    LRESULT result = 0;
    if (!RouteMenuOwnerDraw(WM_MEASUREITEM, reinterpret_cast<LPARAM>(item), result))
        Default();
}

LRESULT CWnd::OnMenuChar(UINT, UINT, CMenu*)
{
    return Default();
}

BOOL CWnd::OnHelpInfo(HELPINFO*)
{
    return static_cast<BOOL>(Default());
}

// ---- window operations ------------------------------------------------------------

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
}

DWORD CWnd::GetStyle() const
{
    return static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_STYLE));
}

namespace {

BOOL ModifyLong(HWND hwnd, int index, DWORD remove, DWORD add, UINT swpFlags)
{
    const DWORD style = static_cast<DWORD>(::GetWindowLongPtrA(hwnd, index));
    const DWORD changed = (style & ~remove) | add;
    if (style == changed)
        return FALSE;
    ::SetWindowLongPtrA(hwnd, index, static_cast<LONG_PTR>(changed));
    if (swpFlags)
        ::SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | swpFlags);
    return TRUE;
}

}  // namespace

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT swpFlags)
{
    return ModifyLong(m_hWnd, GWL_STYLE, remove, add, swpFlags);
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT swpFlags)
{
    return ModifyLong(m_hWnd, GWL_EXSTYLE, remove, add, swpFlags);
}

BOOL CWnd::ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }
BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
BOOL CWnd::EnableWindow(BOOL enable) { return ::EnableWindow(m_hWnd, enable); }
BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
BOOL CWnd::IsIconic() const { return ::IsIconic(m_hWnd); }
BOOL CWnd::IsWindow() const { return m_hWnd && ::IsWindow(m_hWnd); }

void CWnd::SetWindowText(LPCSTR text) { ::SetWindowTextA(m_hWnd, text ? text : ""); }

CString CWnd::GetWindowText() const
{
    const int length = ::GetWindowTextLengthA(m_hWnd);
    CString text(static_cast<size_t>(length) + 1, '\0');
    const int copied = ::GetWindowTextA(m_hWnd, &text[0], length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

int CWnd::GetWindowTextLength() const { return ::GetWindowTextLengthA(m_hWnd); }

void CWnd::GetClientRect(LPRECT rect) const { ::GetClientRect(m_hWnd, rect); }
void CWnd::GetWindowRect(LPRECT rect) const { ::GetWindowRect(m_hWnd, rect); }
void CWnd::ClientToScreen(LPPOINT point) const { ::ClientToScreen(m_hWnd, point); }
void CWnd::ScreenToClient(LPPOINT point) const { ::ScreenToClient(m_hWnd, point); }

void CWnd::ScreenToClient(LPRECT rect) const
{
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(rect), 2);
}

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint)
{
    ::MoveWindow(m_hWnd, x, y, width, height, repaint);
}

BOOL CWnd::SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags)
{
    return ::SetWindowPos(m_hWnd, insertAfter ? insertAfter->m_hWnd : nullptr, x, y, cx, cy,
                          flags);
}

BOOL CWnd::SetWindowPos(HWND insertAfter, int x, int y, int cx, int cy, UINT flags)
{
    return ::SetWindowPos(m_hWnd, insertAfter, x, y, cx, cy, flags);
}

void CWnd::Invalidate(BOOL erase) { ::InvalidateRect(m_hWnd, nullptr, erase); }

BOOL CWnd::RedrawWindow(LPCRECT rect, HRGN region, UINT flags)
{
    return ::RedrawWindow(m_hWnd, rect, region, flags);
}

CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
CWnd* CWnd::GetDlgItem(int id) const { return FromHandle(::GetDlgItem(m_hWnd, id)); }
int CWnd::GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }

CWnd* CWnd::GetNextDlgTabItem(CWnd* control, BOOL previous) const
{
    return FromHandle(::GetNextDlgTabItem(m_hWnd, control ? control->m_hWnd : nullptr, previous));
}

CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
CWnd* CWnd::GetFocus() { return FromHandle(::GetFocus()); }
CWnd* CWnd::WindowFromPoint(POINT screenPoint) const { return FromHandle(::WindowFromPoint(screenPoint)); }
CWnd* CWnd::GetActiveWindow() { return FromHandle(::GetActiveWindow()); }

void CWnd::SetFont(HFONT font, BOOL redraw)
{
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), MAKELPARAM(redraw, 0));
}

void CWnd::SetFont(const CFont* font, BOOL redraw)
{
    SetFont(font ? font->GetSafeHandle() : nullptr, redraw);
}

HFONT CWnd::GetFontHandle() const
{
    return reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
}

HICON CWnd::SetIcon(HICON icon, BOOL big)
{
    return reinterpret_cast<HICON>(
        SendMessage(WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
}

CMenu* CWnd::GetSystemMenu(BOOL revert) const
{
    return CMenu::FromHandle(::GetSystemMenu(m_hWnd, revert));
}

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc)
{
    return ::SetTimer(m_hWnd, id, elapse, proc);
}

BOOL CWnd::KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }

int CWnd::MessageBox(LPCSTR text, LPCSTR caption, UINT type)
{
    const CString name = AfxGetAppName();
    return ::MessageBoxA(m_hWnd, text, caption ? caption : name.c_str(), type);
}

void CWnd::SetDlgItemText(int id, LPCSTR text) { ::SetDlgItemTextA(m_hWnd, id, text); }

// ---- message loop support -----------------------------------------------------------

BOOL AfxWalkPreTranslateTree(HWND top, MSG* msg)
{
    for (HWND hwnd = msg->hwnd; hwnd; hwnd = ::GetParent(hwnd)) {
        if (CWnd* wnd = CWnd::FromHandlePermanent(hwnd)) {
            if (wnd->PreTranslateMessage(msg))
                return TRUE;
        }
        if (hwnd == top)
            break;
    }
    return FALSE;
}
