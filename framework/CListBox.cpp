#include "CListBox.h"

IMPLEMENT_DYNAMIC(CListBox, CWnd)

BOOL CListBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CreateEx(WS_EX_CLIENTEDGE, "LISTBOX", nullptr, style | WS_CHILD, rect, parent, id);
}

int CListBox::GetCount() const { return static_cast<int>(SendMessage(LB_GETCOUNT)); }

int CListBox::AddString(LPCSTR text)
{
    return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
}

int CListBox::InsertString(int index, LPCSTR text)
{
    return static_cast<int>(
        SendMessage(LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text)));
}

int CListBox::DeleteString(UINT index) { return static_cast<int>(SendMessage(LB_DELETESTRING, index)); }

void CListBox::ResetContent() { SendMessage(LB_RESETCONTENT); }

int CListBox::InitStorage(int items, UINT bytes)
{
    return static_cast<int>(SendMessage(LB_INITSTORAGE, static_cast<WPARAM>(items), bytes));
}

int CListBox::GetText(int index, LPSTR buffer) const
{
    return static_cast<int>(
        SendMessage(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer)));
}

CString CListBox::GetText(int index) const
{
    const int length = GetTextLen(index);
    if (length == LB_ERR)
        return CString();
    CString text(static_cast<size_t>(length) + 1, '\0');
    const int copied = GetText(index, &text[0]);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

int CListBox::GetTextLen(int index) const
{
    return static_cast<int>(SendMessage(LB_GETTEXTLEN, static_cast<WPARAM>(index)));
}

int CListBox::GetItemRect(int index, LPRECT rect) const
{
    return static_cast<int>(
        SendMessage(LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect)));
}


int CListBox::GetCurSel() const { return static_cast<int>(SendMessage(LB_GETCURSEL)); }

int CListBox::SetCurSel(int index)
{
    return static_cast<int>(SendMessage(LB_SETCURSEL, static_cast<WPARAM>(index)));
}

int CListBox::GetSel(int index) const
{
    return static_cast<int>(SendMessage(LB_GETSEL, static_cast<WPARAM>(index)));
}

int CListBox::SetSel(int index, BOOL select)
{
    return static_cast<int>(SendMessage(LB_SETSEL, static_cast<WPARAM>(select), index));
}

int CListBox::GetSelCount() const { return static_cast<int>(SendMessage(LB_GETSELCOUNT)); }

int CListBox::GetSelItems(int maxItems, LPINT indexes) const
{
    return static_cast<int>(
        SendMessage(LB_GETSELITEMS, static_cast<WPARAM>(maxItems), reinterpret_cast<LPARAM>(indexes)));
}

std::vector<int> CListBox::GetSelItems() const
{
    const int count = GetSelCount();
    if (count <= 0)
        return {};
    std::vector<int> indexes(static_cast<size_t>(count));
    const int got = GetSelItems(count, indexes.data());
    indexes.resize(static_cast<size_t>(got > 0 ? got : 0));
    return indexes;
}
