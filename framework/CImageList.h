#pragma once

#include <windows.h>
#include <commctrl.h>

#include "CObject.h"

class CDC;

// Owner of one image list handle (destroyed with the wrapper; moved, never copied).
class CImageList : public CObject {
    DECLARE_DYNAMIC(CImageList)
public:
    HIMAGELIST m_hImageList = nullptr;

    CImageList() = default;
    ~CImageList() override;
    CImageList(CImageList&& other) noexcept;
    CImageList& operator=(CImageList&& other) noexcept;
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    BOOL Create(int cx, int cy, UINT flags, int initial, int grow);
    BOOL Attach(HIMAGELIST list);
    HIMAGELIST Detach();
    BOOL DeleteImageList();

    HIMAGELIST GetSafeHandle() const { return m_hImageList; }
    operator HIMAGELIST() const { return m_hImageList; }

    int GetImageCount() const;

    // Adds every cell of `bitmap`, with `mask` as the transparent colour. Returns
    // the index of the first new image, or -1.
    int Add(HBITMAP bitmap, COLORREF mask);
    int Add(HBITMAP bitmap, HBITMAP mask);
    int Add(HICON icon);
    // Replaces image `index` by `icon`; -1 appends. Returns the index or -1.
    int Replace(int index, HICON icon);
    // A new icon of image `index`; the caller destroys it.
    HICON ExtractIcon(int index) const;
    BOOL Draw(HDC dc, int index, POINT at, UINT style) const;
    BOOL Draw(const CDC* dc, int index, POINT at, UINT style) const;
    COLORREF SetBkColor(COLORREF colour);
};
