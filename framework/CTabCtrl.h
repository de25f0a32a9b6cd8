#pragma once

#include "CWnd.h"

// A tab control (common controls).
class CTabCtrl : public CWnd {
    DECLARE_DYNAMIC(CTabCtrl)
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    int GetItemCount() const;
    // Inserts item `index` with the fields `mask` names (TCIF_TEXT, TCIF_IMAGE, TCIF_PARAM).
    LONG InsertItem(UINT mask, int index, LPCSTR text, int image, LPARAM param);
    LONG InsertItem(int index, LPCSTR text);
    LONG InsertItem(int index, TCITEMA* item);
    BOOL GetItemRect(int index, LPRECT rect) const;
    int GetCurSel() const;
    int SetCurSel(int index);
    int GetCurFocus() const;
    void SetCurFocus(int index);
    int HitTest(TCHITTESTINFO* info) const;
};
