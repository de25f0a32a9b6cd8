#pragma once

// Message maps: a static table per window class that chains to its base class's
// table. Entries are typed: a handler takes the message's real arguments, decoded
// by the cracker of that message, and a handler whose signature does not fit its
// message is a compile error, not a silent mis-decode.
//
//   const MessageMap& CMyDlg::GetMessageMap() const {
//       static const MessageMap map(CDialog::GetMessageMap(), {
//           OnMessage<WM_PAINT>(&CMyDlg::OnPaint),
//           OnCommand(BN_CLICKED, IDC_START, &CMyDlg::OnStart),
//           OnNotify(TCN_SELCHANGE, IDC_STEPS, &CMyDlg::OnSelchangeSteps),
//       });
//       return map;
//   }
//
// See README.md for reflection and the full list of crackers.

#include <functional>
#include <initializer_list>
#include <type_traits>
#include <vector>

#include "AfxTypes.h"
#include "CDC.h"
#include "CRect.h"

class CWnd;
class CMenu;

// The catch-all colour message: entries made by OnCtlColor / OnReflectedCtlColor
// answer every WM_CTLCOLORxxx under this one key (its old 16-bit number).
constexpr UINT WM_CTLCOLOR_ANY = 0x0019;

enum class MessageKind {
    Message,           // a window message
    Command,           // WM_COMMAND with a notification code and control id
    Notify,            // WM_NOTIFY with a notification code and control id
    ReflectedCommand,  // WM_COMMAND offered back to the control that sent it
    ReflectedNotify,   // WM_NOTIFY offered back to the control that sent it
    ReflectedMessage,  // WM_CTLCOLORxxx, WM_DRAWITEM... offered back to the control
};

struct MessageEntry {
    MessageKind kind;
    UINT message;  // Message and ReflectedMessage
    UINT code;     // notification code
    UINT id;       // control id (Command, Notify)
    // Runs the handler. Answers whether the message counts as handled (a reflected
    // handler answering FALSE lets the parent's own handler run as well) and
    // stores the window procedure's result.
    std::function<bool(CWnd&, WPARAM, LPARAM, LRESULT&)> invoke;
};

class MessageMap {
public:
    explicit MessageMap(std::initializer_list<MessageEntry> entries)
        : m_base(nullptr), m_entries(entries) {}
    MessageMap(const MessageMap& base, std::initializer_list<MessageEntry> entries)
        : m_base(&base), m_entries(entries) {}
    MessageMap(const MessageMap&) = delete;
    MessageMap& operator=(const MessageMap&) = delete;

    // The most derived entry that matches, or null.
    const MessageEntry* Find(MessageKind kind, UINT message, UINT code, UINT id) const;

private:
    const MessageMap* m_base;
    std::vector<MessageEntry> m_entries;
};

namespace afx_detail {

template <class T>
T& As(CWnd& wnd)
{
    return static_cast<T&>(wnd);
}

template <class R>
LRESULT ToResult(R value)
{
    if constexpr (std::is_pointer_v<R>)
        return reinterpret_cast<LRESULT>(value);
    else
        return static_cast<LRESULT>(value);
}

CWnd* WndFromHandle(HWND hwnd);      // CWnd::FromHandle, without including CWnd.h
CMenu* MenuFromHandle(HMENU menu);   // CMenu::FromHandle
// CTLCOLOR_xxx of the colour message being handled (WM_CTLCOLORxxx - WM_CTLCOLORMSGBOX).
UINT CtlColorType();

}  // namespace afx_detail

// How each message's parameters become handler arguments. Only the messages
// listed have a cracker; for anything else use OnRawMessage.
template <UINT Msg>
struct MessageCracker;

// Messages whose handler takes nothing (the result is 0 unless the handler returns one).
#define AFX_CRACK_NOARGS(MSG)                                                        \
    template <>                                                                      \
    struct MessageCracker<MSG> {                                                     \
        template <class T, class R>                                                  \
        static bool Invoke(CWnd& w, R (T::*h)(), WPARAM, LPARAM, LRESULT& r)         \
        {                                                                            \
            if constexpr (std::is_void_v<R>) {                                       \
                (afx_detail::As<T>(w).*h)();                                         \
                r = 0;                                                               \
            } else {                                                                 \
                r = afx_detail::ToResult((afx_detail::As<T>(w).*h)());               \
            }                                                                        \
            return true;                                                             \
        }                                                                            \
    };
AFX_CRACK_NOARGS(WM_PAINT)
AFX_CRACK_NOARGS(WM_DESTROY)
AFX_CRACK_NOARGS(WM_CLOSE)
AFX_CRACK_NOARGS(WM_MOUSELEAVE)
AFX_CRACK_NOARGS(WM_CANCELMODE)
AFX_CRACK_NOARGS(WM_SYSCOLORCHANGE)
AFX_CRACK_NOARGS(WM_QUERYDRAGICON)  // HCURSOR OnQueryDragIcon()
AFX_CRACK_NOARGS(WM_GETDLGCODE)     // UINT OnGetDlgCode()
AFX_CRACK_NOARGS(WM_NCDESTROY)
#undef AFX_CRACK_NOARGS

// void OnXxx(UINT nFlags, CPoint point): mouse messages in client coordinates.
#define AFX_CRACK_MOUSE(MSG)                                                         \
    template <>                                                                      \
    struct MessageCracker<MSG> {                                                     \
        template <class T>                                                           \
        static bool Invoke(CWnd& w, void (T::*h)(UINT, CPoint), WPARAM wp, LPARAM lp, \
                           LRESULT& r)                                               \
        {                                                                            \
            (afx_detail::As<T>(w).*h)(static_cast<UINT>(wp), CPoint(lp));            \
            r = 0;                                                                   \
            return true;                                                             \
        }                                                                            \
    };
AFX_CRACK_MOUSE(WM_MOUSEMOVE)
AFX_CRACK_MOUSE(WM_LBUTTONDOWN)
AFX_CRACK_MOUSE(WM_LBUTTONUP)
AFX_CRACK_MOUSE(WM_LBUTTONDBLCLK)
AFX_CRACK_MOUSE(WM_RBUTTONDOWN)
AFX_CRACK_MOUSE(WM_RBUTTONUP)
#undef AFX_CRACK_MOUSE

// void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags), and the same for characters.
#define AFX_CRACK_KEY(MSG)                                                             \
    template <>                                                                        \
    struct MessageCracker<MSG> {                                                       \
        template <class T>                                                             \
        static bool Invoke(CWnd& w, void (T::*h)(UINT, UINT, UINT), WPARAM wp, LPARAM lp, \
                           LRESULT& r)                                                 \
        {                                                                              \
            (afx_detail::As<T>(w).*h)(static_cast<UINT>(wp), LOWORD(lp), HIWORD(lp));   \
            r = 0;                                                                     \
            return true;                                                               \
        }                                                                              \
    };
AFX_CRACK_KEY(WM_KEYDOWN)
AFX_CRACK_KEY(WM_KEYUP)
AFX_CRACK_KEY(WM_CHAR)
#undef AFX_CRACK_KEY

// void OnSysCommand(UINT nID, LPARAM lParam)
template <>
struct MessageCracker<WM_SYSCOMMAND> {
    template <class T>
    static bool Invoke(CWnd& w, void (T::*h)(UINT, LPARAM), WPARAM wp, LPARAM lp, LRESULT& r)
    {
        (afx_detail::As<T>(w).*h)(static_cast<UINT>(wp), lp);
        r = 0;
        return true;
    }
};

// void OnTimer(UINT_PTR nIDEvent)
template <>
struct MessageCracker<WM_TIMER> {
    template <class T>
    static bool Invoke(CWnd& w, void (T::*h)(UINT_PTR), WPARAM wp, LPARAM, LRESULT& r)
    {
        (afx_detail::As<T>(w).*h)(static_cast<UINT_PTR>(wp));
        r = 0;
        return true;
    }
};

// void OnEnable(BOOL bEnable)
template <>
struct MessageCracker<WM_ENABLE> {
    template <class T>
    static bool Invoke(CWnd& w, void (T::*h)(BOOL), WPARAM wp, LPARAM, LRESULT& r)
    {
        (afx_detail::As<T>(w).*h)(static_cast<BOOL>(wp));
        r = 0;
        return true;
    }
};

// void OnSetFocus(CWnd* pOldWnd) / void OnKillFocus(CWnd* pNewWnd) / OnCaptureChanged(CWnd*)
#define AFX_CRACK_WND(MSG)                                                          \
    template <>                                                                     \
    struct MessageCracker<MSG> {                                                    \
        template <class T>                                                          \
        static bool Invoke(CWnd& w, void (T::*h)(CWnd*), WPARAM wp, LPARAM lp,      \
                           LRESULT& r)                                              \
        {                                                                           \
            const HWND other = (MSG) == WM_CAPTURECHANGED ? reinterpret_cast<HWND>(lp) \
                                                          : reinterpret_cast<HWND>(wp); \
            (afx_detail::As<T>(w).*h)(afx_detail::WndFromHandle(other));            \
            r = 0;                                                                  \
            return true;                                                            \
        }                                                                           \
    };
AFX_CRACK_WND(WM_SETFOCUS)
AFX_CRACK_WND(WM_KILLFOCUS)
AFX_CRACK_WND(WM_CAPTURECHANGED)
#undef AFX_CRACK_WND

// BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
template <>
struct MessageCracker<WM_SETCURSOR> {
    template <class T>
    static bool Invoke(CWnd& w, BOOL (T::*h)(CWnd*, UINT, UINT), WPARAM wp, LPARAM lp,
                       LRESULT& r)
    {
        r = (afx_detail::As<T>(w).*h)(afx_detail::WndFromHandle(reinterpret_cast<HWND>(wp)),
                                      LOWORD(lp), HIWORD(lp));
        return true;
    }
};

// BOOL OnEraseBkgnd(CDC* pDC) -- the context is borrowed for the call.
template <>
struct MessageCracker<WM_ERASEBKGND> {
    template <class T>
    static bool Invoke(CWnd& w, BOOL (T::*h)(CDC*), WPARAM wp, LPARAM, LRESULT& r)
    {
        CDC dc(reinterpret_cast<HDC>(wp));
        r = (afx_detail::As<T>(w).*h)(&dc);
        return true;
    }
};

// BOOL OnHelpInfo(HELPINFO* pHelpInfo)
template <>
struct MessageCracker<WM_HELP> {
    template <class T>
    static bool Invoke(CWnd& w, BOOL (T::*h)(HELPINFO*), WPARAM, LPARAM lp, LRESULT& r)
    {
        r = (afx_detail::As<T>(w).*h)(reinterpret_cast<HELPINFO*>(lp));
        return true;
    }
};

// void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT) / void OnMeasureItem(int, LPMEASUREITEMSTRUCT)
template <>
struct MessageCracker<WM_DRAWITEM> {
    template <class T>
    static bool Invoke(CWnd& w, void (T::*h)(int, LPDRAWITEMSTRUCT), WPARAM wp, LPARAM lp,
                       LRESULT& r)
    {
        (afx_detail::As<T>(w).*h)(static_cast<int>(wp), reinterpret_cast<LPDRAWITEMSTRUCT>(lp));
        r = TRUE;
        return true;
    }
};
template <>
struct MessageCracker<WM_MEASUREITEM> {
    template <class T>
    static bool Invoke(CWnd& w, void (T::*h)(int, LPMEASUREITEMSTRUCT), WPARAM wp, LPARAM lp,
                       LRESULT& r)
    {
        (afx_detail::As<T>(w).*h)(static_cast<int>(wp),
                                  reinterpret_cast<LPMEASUREITEMSTRUCT>(lp));
        r = TRUE;
        return true;
    }
};

// LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu)
template <>
struct MessageCracker<WM_MENUCHAR> {
    template <class T>
    static bool Invoke(CWnd& w, LRESULT (T::*h)(UINT, UINT, CMenu*), WPARAM wp, LPARAM lp,
                       LRESULT& r)
    {
        r = (afx_detail::As<T>(w).*h)(LOWORD(wp), HIWORD(wp),
                                      afx_detail::MenuFromHandle(reinterpret_cast<HMENU>(lp)));
        return true;
    }
};

// void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
template <>
struct MessageCracker<WM_ACTIVATE> {
    template <class T>
    static bool Invoke(CWnd& w, void (T::*h)(UINT, CWnd*, BOOL), WPARAM wp, LPARAM lp,
                       LRESULT& r)
    {
        (afx_detail::As<T>(w).*h)(LOWORD(wp),
                                  afx_detail::WndFromHandle(reinterpret_cast<HWND>(lp)),
                                  HIWORD(wp) != 0);
        r = 0;
        return true;
    }
};

// void OnDropFiles(HDROP hDropInfo): files dropped on a window that accepts them.
template <>
struct MessageCracker<WM_DROPFILES> {
    template <class T>
    static bool Invoke(CWnd& w, void (T::*h)(HDROP), WPARAM wp, LPARAM, LRESULT& r)
    {
        (afx_detail::As<T>(w).*h)(reinterpret_cast<HDROP>(wp));
        r = 0;
        return true;
    }
};

// A typed entry for message Msg; the handler's signature is checked against Msg's cracker.
template <UINT Msg, class Handler>
MessageEntry OnMessage(Handler handler)
{
    return MessageEntry{MessageKind::Message, Msg, 0, 0,
                        [handler](CWnd& w, WPARAM wp, LPARAM lp, LRESULT& r) {
                            return MessageCracker<Msg>::Invoke(w, handler, wp, lp, r);
                        }};
}

// Any message, undecoded: LRESULT OnXxx(WPARAM, LPARAM).
template <class T>
MessageEntry OnRawMessage(UINT message, LRESULT (T::*handler)(WPARAM, LPARAM))
{
    return MessageEntry{MessageKind::Message, message, 0, 0,
                        [handler](CWnd& w, WPARAM wp, LPARAM lp, LRESULT& r) {
                            r = (afx_detail::As<T>(w).*handler)(wp, lp);
                            return true;
                        }};
}

// A control's notification through WM_COMMAND: void OnXxx().
template <class T>
MessageEntry OnCommand(UINT code, UINT id, void (T::*handler)())
{
    return MessageEntry{MessageKind::Command, WM_COMMAND, code, id,
                        [handler](CWnd& w, WPARAM, LPARAM, LRESULT& r) {
                            (afx_detail::As<T>(w).*handler)();
                            r = 0;
                            return true;
                        }};
}

// A control's notification through WM_NOTIFY: void OnXxx(NMHDR*, LRESULT* pResult).
template <class T>
MessageEntry OnNotify(UINT code, UINT id, void (T::*handler)(NMHDR*, LRESULT*))
{
    return MessageEntry{MessageKind::Notify, WM_NOTIFY, code, id,
                        [handler](CWnd& w, WPARAM, LPARAM lp, LRESULT& r) {
                            r = 0;
                            (afx_detail::As<T>(w).*handler)(reinterpret_cast<NMHDR*>(lp), &r);
                            return true;
                        }};
}

// Every WM_CTLCOLORxxx at the parent: HBRUSH OnCtlColor(CDC*, CWnd* pCtl, UINT nCtlColor).
template <class T>
MessageEntry OnCtlColor(HBRUSH (T::*handler)(CDC*, CWnd*, UINT))
{
    return MessageEntry{MessageKind::Message, WM_CTLCOLOR_ANY, 0, 0,
                        [handler](CWnd& w, WPARAM wp, LPARAM lp, LRESULT& r) {
                            CDC dc(reinterpret_cast<HDC>(wp));
                            r = afx_detail::ToResult((afx_detail::As<T>(w).*handler)(
                                &dc, afx_detail::WndFromHandle(reinterpret_cast<HWND>(lp)),
                                afx_detail::CtlColorType()));
                            return true;
                        }};
}

// The control's own notification, reflected back to it by its parent.
// void handler: the notification is consumed, the parent's map never sees it.
// BOOL handler: TRUE consumes it, FALSE lets the parent's own handler run afterwards.
template <class T, class R>
MessageEntry OnReflectedCommand(UINT code, R (T::*handler)())
{
    static_assert(std::is_void_v<R> || std::is_same_v<R, BOOL>, "void or BOOL handler");
    return MessageEntry{MessageKind::ReflectedCommand, WM_COMMAND, code, 0,
                        [handler](CWnd& w, WPARAM, LPARAM, LRESULT& r) {
                            r = 0;
                            if constexpr (std::is_void_v<R>) {
                                (afx_detail::As<T>(w).*handler)();
                                return true;
                            } else {
                                return (afx_detail::As<T>(w).*handler)() != FALSE;
                            }
                        }};
}

template <class T, class R>
MessageEntry OnReflectedNotify(UINT code, R (T::*handler)(NMHDR*, LRESULT*))
{
    static_assert(std::is_void_v<R> || std::is_same_v<R, BOOL>, "void or BOOL handler");
    return MessageEntry{MessageKind::ReflectedNotify, WM_NOTIFY, code, 0,
                        [handler](CWnd& w, WPARAM, LPARAM lp, LRESULT& r) {
                            r = 0;
                            auto* header = reinterpret_cast<NMHDR*>(lp);
                            if constexpr (std::is_void_v<R>) {
                                (afx_detail::As<T>(w).*handler)(header, &r);
                                return true;
                            } else {
                                return (afx_detail::As<T>(w).*handler)(header, &r) != FALSE;
                            }
                        }};
}

// The control's colour request, reflected: HBRUSH CtlColor(CDC*, UINT nCtlColor).
// A null brush lets the parent's own colour handler (or the default) run.
template <class T>
MessageEntry OnReflectedCtlColor(HBRUSH (T::*handler)(CDC*, UINT))
{
    return MessageEntry{MessageKind::ReflectedMessage, WM_CTLCOLOR_ANY, 0, 0,
                        [handler](CWnd& w, WPARAM wp, LPARAM, LRESULT& r) {
                            CDC dc(reinterpret_cast<HDC>(wp));
                            const HBRUSH brush =
                                (afx_detail::As<T>(w).*handler)(&dc, afx_detail::CtlColorType());
                            r = reinterpret_cast<LRESULT>(brush);
                            return brush != nullptr;
                        }};
}
