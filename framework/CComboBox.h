#pragma once

#include "CWnd.h"

// A combo box control. Indexes are 0-based; CB_ERR (-1) reports a failure.
class CComboBox : public CWnd {
    DECLARE_DYNAMIC(CComboBox)
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int index);
    int AddString(LPCSTR text);
    int InsertString(int index, LPCSTR text);
    int DeleteString(UINT index);
    void ResetContent();
    int GetLBText(int index, LPSTR buffer) const;
    void GetLBText(int index, CString& text) const;
    CString GetLBText(int index) const;
    int GetLBTextLen(int index) const;
    int FindString(int startAfter, LPCSTR prefix) const;
    int FindStringExact(int startAfter, LPCSTR text) const;
    int SelectString(int startAfter, LPCSTR prefix);
    BOOL LimitText(int maxChars);
};
