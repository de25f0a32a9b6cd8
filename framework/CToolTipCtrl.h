#pragma once

#include "CWnd.h"

// A tooltip control. It learns about the mouse only from messages relayed to
// it (RelayEvent), usually from the owner's PreTranslateMessage.
class CToolTipCtrl : public CWnd {
    DECLARE_DYNAMIC(CToolTipCtrl)
public:
    // A pop-up tooltip owned by `parent`, with TTS_ALWAYSTIP plus `style`.
    BOOL Create(CWnd* parent, DWORD style = 0);

    void Activate(BOOL activate);
    // A tool for `wnd`'s client area (or `rect` in its client coordinates) under `id`.
    BOOL AddTool(CWnd* wnd, LPCSTR text, LPCRECT rect = nullptr, UINT_PTR id = 0);
    void DelTool(CWnd* wnd, UINT_PTR id = 0);
    void UpdateTipText(LPCSTR text, CWnd* wnd, UINT_PTR id = 0);
    CString GetText(CWnd* wnd, UINT_PTR id = 0) const;
    int GetToolCount() const;
    void RelayEvent(MSG* msg);
    int SetMaxTipWidth(int width);

private:
    // Sends a tool message, first with the full structure and then, for common
    // controls that predate its last field, with the older size.
    LRESULT SendToolMessage(UINT message, WPARAM wParam, TOOLINFOA& info) const;
};
