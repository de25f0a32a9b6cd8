#include "CComboBox.h"

IMPLEMENT_DYNAMIC(CComboBox, CWnd)

BOOL CComboBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CreateEx(0, "COMBOBOX", nullptr, style | WS_CHILD, rect, parent, id);
}

int CComboBox::GetCount() const { return static_cast<int>(SendMessage(CB_GETCOUNT)); }
int CComboBox::GetCurSel() const { return static_cast<int>(SendMessage(CB_GETCURSEL)); }

int CComboBox::SetCurSel(int index)
{
    return static_cast<int>(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(index)));
}

int CComboBox::AddString(LPCSTR text)
{
    return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
}

int CComboBox::InsertString(int index, LPCSTR text)
{
    return static_cast<int>(
        SendMessage(CB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text)));
}

int CComboBox::DeleteString(UINT index) { return static_cast<int>(SendMessage(CB_DELETESTRING, index)); }
void CComboBox::ResetContent() { SendMessage(CB_RESETCONTENT); }

int CComboBox::GetLBText(int index, LPSTR buffer) const
{
    return static_cast<int>(
        SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer)));
}

void CComboBox::GetLBText(int index, CString& text) const
{
    text = GetLBText(index);
}

CString CComboBox::GetLBText(int index) const
{
    const int length = GetLBTextLen(index);
    if (length == CB_ERR)
        return CString();
    CString text(static_cast<size_t>(length) + 1, '\0');
    const int copied = GetLBText(index, &text[0]);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

int CComboBox::GetLBTextLen(int index) const
{
    return static_cast<int>(SendMessage(CB_GETLBTEXTLEN, static_cast<WPARAM>(index)));
}

int CComboBox::FindString(int startAfter, LPCSTR prefix) const
{
    return static_cast<int>(SendMessage(CB_FINDSTRING, static_cast<WPARAM>(startAfter),
                                        reinterpret_cast<LPARAM>(prefix)));
}

int CComboBox::FindStringExact(int startAfter, LPCSTR text) const
{
    return static_cast<int>(SendMessage(CB_FINDSTRINGEXACT, static_cast<WPARAM>(startAfter),
                                        reinterpret_cast<LPARAM>(text)));
}

int CComboBox::SelectString(int startAfter, LPCSTR prefix)
{
    return static_cast<int>(SendMessage(CB_SELECTSTRING, static_cast<WPARAM>(startAfter),
                                        reinterpret_cast<LPARAM>(prefix)));
}


BOOL CComboBox::LimitText(int maxChars)
{
    return static_cast<BOOL>(SendMessage(CB_LIMITTEXT, static_cast<WPARAM>(maxChars)));
}

