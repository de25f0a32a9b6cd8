#pragma once

// A static text control that behaves like a link in a web page: link colour,
// visited colour once its target was opened, hover colour while the mouse is
// over it; underlined always, never or on hover; a pointing hand over it; a
// tooltip showing the target; a click opens the target through the shell, or,
// when the shell cannot, through the program registered for web pages. A
// failure beeps and names its cause in a message box.
//
// The label learns that the mouse has left by polling: a 100 ms timer runs
// while the mouse is over it.
//
// By keyboard it is a stop of the Tab round: it shows the focus rectangle
// while focused (unless the window hides focus cues), and Enter or Space opens
// the target as a click does. In high contrast it takes the system's hot-track
// and window-text colours; its fonts follow the window's dots per inch.

#include "Afx.h"
#include "CFont.h"
#include "CStatic.h"
#include "CToolTipCtrl.h"

class CLinkLabel : public CStatic {
public:
    enum UnderlineMode { UnderlineOnHover = -1, UnderlineNever = 0, UnderlineAlways = 1 };

    // Prefix of every failure message.
    static constexpr const char* OpenErrorPrefix = "Unable to open hyperlink:\n\n";

    CLinkLabel();
    ~CLinkLabel() override;

    // What a click opens; also the tooltip. Fits the control to its text.
    void SetTarget(CString target);
    const CString& GetTarget() const { return m_target; }
    void MarkVisited(BOOL visited);
    BOOL IsVisited() const { return m_visited; }
    void SetUnderlineMode(int mode);
    int GetUnderlineMode() const { return m_underlineMode; }
    BOOL IsHovering() const { return m_hovering; }

    COLORREF GetLinkColor() const { return m_colorLink; }
    COLORREF GetVisitedColor() const { return m_colorVisited; }
    COLORREF GetHoverColor() const { return m_colorHover; }
    UINT_PTR GetHoverTimerId() const { return m_hoverTimerId; }
    HFONT GetUnderlinedFont() const { return m_fontUnderlined.GetSafeHandle(); }
    HFONT GetPlainFont() const { return m_fontPlain.GetSafeHandle(); }
    HCURSOR GetHandCursor() const { return m_hHandCursor; }
    CToolTipCtrl& GetToolTip() { return m_tip; }

    BOOL DestroyWindow() override;
    BOOL PreTranslateMessage(MSG* msg) override;

    // ---- The open attempt and its fallback, as plain steps --------------------------
    // The failure text for a code of the shell or of the program start, with the prefix.
    static CString OpenErrorText(INT_PTR code);
    // The default value of `subkey` under `root` (a string of at most 259 bytes)
    // into `out`. 0, or the platform's error code: a value that is missing, not
    // a string, too long for 260 bytes or for `outSize` fails and leaves `out` empty.
    static LONG ReadClassesRootValue(HKEY root, LPCSTR subkey, char* out, size_t outSize);
    // The open command of web pages under `root`: the class named by ".htm",
    // then that class's shell\open\command. 0 or the error code.
    static LONG ReadWebPageCommand(HKEY root, char* out, size_t outSize);
    // The command line that opens `target` with `command`: the command cut at its
    // first "%1" placeholder (at the opening quote when quoted), a blank, the
    // target. False when the result would not fit `outSize` bytes.
    static bool BuildOpenCommandLine(const char* command, const char* target, char* out,
                                     size_t outSize);

protected:
    void PreSubclassWindow() override;
    const MessageMap& GetMessageMap() const override;

    // Opens `target`: the shell's answer when above 32, else the fallback's.
    // A derived class may open targets its own way.
    virtual INT_PTR OpenTarget(LPCSTR target, int showCommand);
    // The failure message box for `code`; the caller has beeped already.
    virtual void ShowOpenError(INT_PTR code);

    void FitToText();
    void LoadHandCursor();

private:
    // Message handlers, in map order.
    HBRUSH CtlColor(CDC* dc, UINT ctlColor);
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    void OnMouseMove(UINT flags, CPoint point);
    void OnTimer(UINT_PTR id);
    void OnClicked();
    BOOL OnEraseBkgnd(CDC* dc);
    LRESULT OnGetDlgCode(WPARAM wParam, LPARAM lParam);
    void OnKeyDown(UINT key, UINT repeat, UINT flags);
    void OnFocusChange(CWnd* other);
    LRESULT OnUpdateUiState(WPARAM wParam, LPARAM lParam);
    void OnPaint();
    LRESULT OnDpiChangedAfterParent(WPARAM wParam, LPARAM lParam);

    // The plain and underlined fonts from `logFont`, the one in use put on the control.
    void CreateFonts(LOGFONTA logFont);
    COLORREF TextColor() const;

    COLORREF m_colorLink = RGB(0, 0, 238);
    COLORREF m_colorVisited = RGB(85, 26, 139);
    COLORREF m_colorHover = RGB(255, 0, 0);
    BOOL m_hovering = FALSE;
    BOOL m_visited = FALSE;
    int m_underlineMode = UnderlineOnHover;
    BOOL m_fitToText = TRUE;
    CString m_target;
    CFont m_fontUnderlined;
    CFont m_fontPlain;
    HCURSOR m_hHandCursor = nullptr;
    CToolTipCtrl m_tip;
    UINT_PTR m_hoverTimerId = 100;
    UINT m_dpi = 0;  // the dots per inch the fonts were made for
};
