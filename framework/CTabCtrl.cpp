#include "CTabCtrl.h"

IMPLEMENT_DYNAMIC(CTabCtrl, CWnd)

BOOL CTabCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CreateEx(0, WC_TABCONTROLA, nullptr, style | WS_CHILD, rect, parent, id);
}

int CTabCtrl::GetItemCount() const { return static_cast<int>(SendMessage(TCM_GETITEMCOUNT)); }

LONG CTabCtrl::InsertItem(UINT mask, int index, LPCSTR text, int image, LPARAM param)
{
    TCITEMA item{};
    item.mask = mask;
    item.pszText = const_cast<LPSTR>(text);
    item.iImage = image;
    item.lParam = param;
    return InsertItem(index, &item);
}

LONG CTabCtrl::InsertItem(int index, LPCSTR text)
{
    return InsertItem(TCIF_TEXT, index, text, 0, 0);
}

LONG CTabCtrl::InsertItem(int index, TCITEMA* item)
{
    return static_cast<LONG>(
        SendMessage(TCM_INSERTITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item)));
}


BOOL CTabCtrl::GetItemRect(int index, LPRECT rect) const
{
    return static_cast<BOOL>(
        SendMessage(TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect)));
}

int CTabCtrl::GetCurSel() const { return static_cast<int>(SendMessage(TCM_GETCURSEL)); }

int CTabCtrl::SetCurSel(int index)
{
    return static_cast<int>(SendMessage(TCM_SETCURSEL, static_cast<WPARAM>(index)));
}

int CTabCtrl::GetCurFocus() const { return static_cast<int>(SendMessage(TCM_GETCURFOCUS)); }
void CTabCtrl::SetCurFocus(int index) { SendMessage(TCM_SETCURFOCUS, static_cast<WPARAM>(index)); }

int CTabCtrl::HitTest(TCHITTESTINFO* info) const
{
    return static_cast<int>(SendMessage(TCM_HITTEST, 0, reinterpret_cast<LPARAM>(info)));
}
