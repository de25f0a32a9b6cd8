#pragma once

#include <vector>

#include "CWnd.h"

// A list box control. Indexes are 0-based; LB_ERR (-1) reports a failure.
class CListBox : public CWnd {
    DECLARE_DYNAMIC(CListBox)
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    int GetCount() const;
    int AddString(LPCSTR text);
    int InsertString(int index, LPCSTR text);  // at `index`, whatever the list's style
    int DeleteString(UINT index);
    void ResetContent();
    // Room for `items` more entries at once, instead of a little at a time.
    int InitStorage(int items, UINT bytes);
    int GetText(int index, LPSTR buffer) const;
    CString GetText(int index) const;
    int GetTextLen(int index) const;
    int GetItemRect(int index, LPRECT rect) const;

    // Single-selection list boxes.
    int GetCurSel() const;
    int SetCurSel(int index);
    // Multiple-selection list boxes.
    int GetSel(int index) const;
    int SetSel(int index, BOOL select = TRUE);
    int GetSelCount() const;
    int GetSelItems(int maxItems, LPINT indexes) const;
    std::vector<int> GetSelItems() const;
};
