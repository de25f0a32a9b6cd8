#include "CImageList.h"

#include <utility>

#include "CDC.h"

IMPLEMENT_DYNAMIC(CImageList, CObject)

CImageList::~CImageList()
{
    DeleteImageList();
}

CImageList::CImageList(CImageList&& other) noexcept
    : CObject(other), m_hImageList(std::exchange(other.m_hImageList, nullptr))
{
}

CImageList& CImageList::operator=(CImageList&& other) noexcept
{
    if (this != &other) {
        DeleteImageList();
        m_hImageList = std::exchange(other.m_hImageList, nullptr);
    }
    return *this;
}

BOOL CImageList::Create(int cx, int cy, UINT flags, int initial, int grow)
{
    if (m_hImageList != nullptr)
        return FALSE;
    return Attach(::ImageList_Create(cx, cy, flags, initial, grow));
}

BOOL CImageList::Attach(HIMAGELIST list)
{
    if (list == nullptr || m_hImageList != nullptr)
        return FALSE;
    m_hImageList = list;
    return TRUE;
}

HIMAGELIST CImageList::Detach()
{
    return std::exchange(m_hImageList, nullptr);
}

BOOL CImageList::DeleteImageList()
{
    if (m_hImageList == nullptr)
        return FALSE;
    return ::ImageList_Destroy(Detach());
}

int CImageList::GetImageCount() const
{
    return m_hImageList != nullptr ? ::ImageList_GetImageCount(m_hImageList) : 0;
}

int CImageList::Add(HBITMAP bitmap, COLORREF mask)
{
    return m_hImageList != nullptr ? ::ImageList_AddMasked(m_hImageList, bitmap, mask) : -1;
}

int CImageList::Add(HBITMAP bitmap, HBITMAP mask)
{
    return m_hImageList != nullptr ? ::ImageList_Add(m_hImageList, bitmap, mask) : -1;
}

int CImageList::Add(HICON icon)
{
    return Replace(-1, icon);
}

int CImageList::Replace(int index, HICON icon)
{
    return m_hImageList != nullptr ? ::ImageList_ReplaceIcon(m_hImageList, index, icon) : -1;
}

HICON CImageList::ExtractIcon(int index) const
{
    return m_hImageList != nullptr ? ::ImageList_GetIcon(m_hImageList, index, ILD_NORMAL)
                                   : nullptr;
}

BOOL CImageList::Draw(HDC dc, int index, POINT at, UINT style) const
{
    return m_hImageList != nullptr &&
           ::ImageList_Draw(m_hImageList, index, dc, at.x, at.y, style);
}

BOOL CImageList::Draw(const CDC* dc, int index, POINT at, UINT style) const
{
    return dc != nullptr && Draw(dc->GetSafeHdc(), index, at, style);
}

COLORREF CImageList::SetBkColor(COLORREF colour)
{
    return m_hImageList != nullptr ? ::ImageList_SetBkColor(m_hImageList, colour) : CLR_NONE;
}
