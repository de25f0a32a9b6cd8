#pragma once

// A window object and its window. The object is linked to its handle by
// comctl32 subclassing: SetWindowSubclass stores the object as the subclass's
// reference data, so the handle finds its object (FromHandlePermanent) without a
// global map, and DefSubclassProc reaches whatever procedure was there before.
// The link is cut at WM_NCDESTROY, so nothing reaches a half-destroyed object,
// and by the destructor, which never dispatches to virtuals.
//
// Messages go WindowProc -> OnWndMsg (reflection, then the message map chain)
// -> DefWindowProc. See README.md for how to write a window class.

#include "AfxTypes.h"
#include "CObject.h"
#include "CRect.h"
#include "MessageMap.h"

class CDataExchange;
class CFont;
class CMenu;

class CWnd : public CObject {
    DECLARE_DYNAMIC(CWnd)
public:
    HWND m_hWnd = nullptr;

    CWnd();
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return GetSafeHwnd(); }

    // ---- handle <-> object ---------------------------------------------------
    // The object attached to `hwnd`, or null.
    static CWnd* FromHandlePermanent(HWND hwnd);
    // The attached object, else a temporary wrapper that lives until the message
    // loop's next turn (DeleteTempMap). Null for a null handle.
    static CWnd* FromHandle(HWND hwnd);
    static void DeleteTempMap();

    // Attaches this object to an existing window (a dialog's control, say):
    // PreSubclassWindow runs first, then the object starts receiving messages.
    BOOL SubclassWindow(HWND hwnd);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    // Cuts the link and hands the window back; it keeps working without the object.
    HWND UnsubclassWindow();

    // Creates a window of a registered class and attaches it (PreSubclassWindow
    // runs before the first message reaches the object). The object owns it.
    BOOL CreateEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style,
                  const RECT& rect, CWnd* parent, UINT id, LPVOID param = nullptr);
    BOOL Create(LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect,
                CWnd* parent, UINT id);
    virtual BOOL DestroyWindow();

    // ---- overridables --------------------------------------------------------
    virtual void PreSubclassWindow();
    // Called by the message loop for the target window and each parent up to the
    // loop's dialog, before the dialog manager sees the message; TRUE eats it.
    virtual BOOL PreTranslateMessage(MSG* msg);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // What unhandled messages get: the procedure the window had before us.
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The standard window help: opens the application's help file, when there is one.
    virtual void WinHelp(DWORD_PTR data, UINT command = HELP_CONTEXT);
    // A parent offers WM_COMMAND, WM_NOTIFY, WM_CTLCOLORxxx, WM_DRAWITEM and
    // WM_MEASUREITEM to the control first; TRUE means the parent stays out.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // After WM_NCDESTROY, with the link already cut.
    virtual void PostNcDestroy();
    virtual void DoDataExchange(CDataExchange* dx);
    virtual const MessageMap& GetMessageMap() const;

    // Data exchange between the controls and the members bound in DoDataExchange.
    // FALSE when a check failed (the user was told and the control has the focus).
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    // The message being handled, and its default processing.
    static const MSG* GetCurrentMessage();
    LRESULT Default();

    // ---- window operations ----------------------------------------------------
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    DWORD GetStyle() const;
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT swpFlags = 0);
    BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT swpFlags = 0);

    BOOL ShowWindow(int command);
    BOOL IsWindowVisible() const;
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL IsWindowEnabled() const;
    BOOL IsIconic() const;
    BOOL IsWindow() const;

    void SetWindowText(LPCSTR text);
    CString GetWindowText() const;
    int GetWindowTextLength() const;

    void GetClientRect(LPRECT rect) const;
    void GetWindowRect(LPRECT rect) const;
    void ClientToScreen(LPPOINT point) const;
    void ScreenToClient(LPPOINT point) const;
    void ScreenToClient(LPRECT rect) const;
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
    BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags);
    BOOL SetWindowPos(HWND insertAfter, int x, int y, int cx, int cy, UINT flags);

    void Invalidate(BOOL erase = TRUE);
    BOOL RedrawWindow(LPCRECT rect = nullptr, HRGN region = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);

    CWnd* GetParent() const;
    CWnd* GetDlgItem(int id) const;
    int GetDlgCtrlID() const;
    CWnd* GetNextDlgTabItem(CWnd* control, BOOL previous = FALSE) const;
    CWnd* SetFocus();
    static CWnd* GetFocus();
    CWnd* WindowFromPoint(POINT screenPoint) const;
    static CWnd* GetActiveWindow();

    void SetFont(HFONT font, BOOL redraw = TRUE);
    void SetFont(const CFont* font, BOOL redraw = TRUE);
    HFONT GetFontHandle() const;
    HICON SetIcon(HICON icon, BOOL big);
    // The window menu: the current one, or with `revert` a fresh copy of the default.
    CMenu* GetSystemMenu(BOOL revert) const;

    UINT_PTR SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc = nullptr);
    BOOL KillTimer(UINT_PTR id);

    // A message box owned by this window; no caption means the application's name.
    int MessageBox(LPCSTR text, LPCSTR caption = nullptr, UINT type = MB_OK);

    void SetDlgItemText(int id, LPCSTR text);

protected:
    // Dispatches through reflection and the message map; false sends the message
    // to DefWindowProc.
    virtual bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Looks the reflected message up in this control's map (the default OnChildNotify).
    bool ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // Default processing for handlers that want to add to it; each passes the
    // current message on (Default()).
    void OnLButtonDown(UINT flags, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);
    void OnTimer(UINT_PTR id);
    void OnPaint();
    void OnSysCommand(UINT id, LPARAM lParam);
    void OnEnable(BOOL enable);
    void OnKillFocus(CWnd* newWnd);
    void OnDrawItem(int id, LPDRAWITEMSTRUCT drawItem);
    void OnMeasureItem(int id, LPMEASUREITEMSTRUCT measureItem);
    LRESULT OnMenuChar(UINT ch, UINT flags, CMenu* menu);
    BOOL OnHelpInfo(HELPINFO* info);

    // Links this object to `hwnd` without PreSubclassWindow (windows we create).
    bool Attach(HWND hwnd);
    // Set when this object created its window, so its destructor destroys it.
    bool m_bOwnsWindow = false;

private:
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR refData) noexcept;
    void Detach();
    // Menu items drawn and measured by their menu's object (ODT_MENU carries no control).
    bool RouteMenuOwnerDraw(UINT message, LPARAM lParam, LRESULT& result);
    bool RouteToApplication(UINT message, WPARAM wParam, LPARAM lParam);

    friend class CDialog;
    friend struct CurrentMessageScope;
};

// Walks from msg->hwnd up the parent chain to `top` (inclusive), offering the
// message to each attached object's PreTranslateMessage. TRUE when one ate it.
BOOL AfxWalkPreTranslateTree(HWND top, MSG* msg);
