// CImageButton's image slots: filling them from handles or resources, the
// masks that make bitmaps transparent, and releasing them.

#include "CImageButton.h"

#include <cstdlib>

#include "ResourceLookup.h"

void CImageButton::ReleaseIconSlots(BOOL destroy)
{
    for (IconSlot& slot : m_icons) {
        if (destroy && slot.hIcon)
            ::DestroyIcon(slot.hIcon);
        slot = IconSlot{};
    }
}

void CImageButton::ReleaseBitmapSlots(BOOL destroy)
{
    if (destroy) {
        for (BitmapSlot& slot : m_bitmaps)
            if (slot.hBitmap)
                ::DeleteObject(slot.hBitmap);
        for (BitmapSlot& slot : m_bitmaps)
            if (slot.hMask)
                ::DeleteObject(slot.hMask);
    }
    for (BitmapSlot& slot : m_bitmaps)
        slot = BitmapSlot{};
}

DWORD CImageButton::ReleaseImages(BOOL destroy)
{
    ReleaseIconSlots(destroy);
    ReleaseBitmapSlots(destroy);
    return 0;
}

void CImageButton::FillIconSlot(IconSlot& slot, HICON icon)
{
    slot = IconSlot{};
    if (!icon)
        return;
    slot.hIcon = icon;
    ICONINFO info{};
    if (!::GetIconInfo(icon, &info))
        return;
    BITMAP bitmap{};
    if (info.hbmColor && ::GetObjectA(info.hbmColor, sizeof(bitmap), &bitmap)) {
        slot.width = static_cast<DWORD>(bitmap.bmWidth);
        slot.height = static_cast<DWORD>(bitmap.bmHeight);
    } else if (info.hbmMask && ::GetObjectA(info.hbmMask, sizeof(bitmap), &bitmap)) {
        // A monochrome icon keeps its AND and XOR halves in one mask bitmap.
        slot.width = static_cast<DWORD>(bitmap.bmWidth);
        slot.height = static_cast<DWORD>(bitmap.bmHeight / 2);
    }
    // GetIconInfo hands out copies that the caller must delete.
    if (info.hbmColor)
        ::DeleteObject(info.hbmColor);
    if (info.hbmMask)
        ::DeleteObject(info.hbmMask);
}

void CImageButton::FillBitmapSlot(BitmapSlot& slot, HBITMAP bitmap, COLORREF transparent)
{
    slot = BitmapSlot{};
    BITMAP info{};
    if (!bitmap || !::GetObjectA(bitmap, sizeof(info), &info))
        return;
    slot.hBitmap = bitmap;
    slot.width = static_cast<DWORD>(info.bmWidth);
    slot.height = static_cast<DWORD>(std::abs(info.bmHeight));
    const int width = static_cast<int>(slot.width);
    const int height = static_cast<int>(slot.height);

    // The mask is white where the bitmap shows its transparent colour and black
    // elsewhere; the bitmap is then made black at those pixels, so that drawing
    // mask (AND) then bitmap (OR) leaves the face showing through.
    slot.hMask = ::CreateBitmap(width, height, 1, 1, nullptr);
    if (!slot.hMask)
        return;
    CDC imageDC;
    CDC maskDC;
    if (!imageDC.CreateCompatibleDC(static_cast<HDC>(nullptr)) ||
        !maskDC.CreateCompatibleDC(static_cast<HDC>(nullptr)))
        return;
    const HGDIOBJ oldImage = imageDC.SelectObject(bitmap);
    const HGDIOBJ oldMask = maskDC.SelectObject(slot.hMask);
    const COLORREF oldBack = imageDC.SetBkColor(transparent);
    maskDC.BitBlt(0, 0, width, height, imageDC, 0, 0, SRCCOPY);
    imageDC.SetBkColor(RGB(0, 0, 0));
    const COLORREF oldText = imageDC.SetTextColor(RGB(255, 255, 255));
    imageDC.BitBlt(0, 0, width, height, maskDC, 0, 0, SRCAND);
    imageDC.SetTextColor(oldText);
    imageDC.SetBkColor(oldBack);
    maskDC.SelectObject(oldMask);
    imageDC.SelectObject(oldImage);
}

DWORD CImageButton::SetIcons(HICON hot, HICON normal, BOOL repaint)
{
    ReleaseIconSlots(TRUE);
    FillIconSlot(m_icons[0], hot);
    // The same handle twice is one image, owned (and destroyed) once.
    FillIconSlot(m_icons[1], normal != hot ? normal : nullptr);
    Repaint(repaint);
    return 0;
}

HANDLE CImageButton::LoadResourceImage(UINT id, LPCSTR resourceType, UINT imageType)
{
    if (!id)
        return nullptr;
    const LPCSTR name = MAKEINTRESOURCEA(id);
    // Not shared: the button owns what it loads and destroys it.
    return ::LoadImageA(AfxFindResourceHandle(name, resourceType), name, imageType, 0, 0, 0);
}

DWORD CImageButton::SetIcons(UINT hotId, UINT normalId, BOOL repaint)
{
    const HICON hot = static_cast<HICON>(LoadResourceImage(hotId, RT_GROUP_ICON, IMAGE_ICON));
    const HICON normal = static_cast<HICON>(LoadResourceImage(normalId, RT_GROUP_ICON, IMAGE_ICON));
    return SetIcons(hot, normal, repaint);
}

DWORD CImageButton::SetBitmaps(HBITMAP hot, COLORREF hotTransparent, HBITMAP normal,
                               COLORREF normalTransparent, BOOL repaint)
{
    ReleaseBitmapSlots(TRUE);
    FillBitmapSlot(m_bitmaps[0], hot, hotTransparent);
    FillBitmapSlot(m_bitmaps[1], normal != hot ? normal : nullptr, normalTransparent);
    Repaint(repaint);
    return 0;
}

DWORD CImageButton::SetBitmaps(UINT hotId, COLORREF hotTransparent, UINT normalId,
                               COLORREF normalTransparent, BOOL repaint)
{
    const HBITMAP hot = static_cast<HBITMAP>(LoadResourceImage(hotId, RT_BITMAP, IMAGE_BITMAP));
    const HBITMAP normal = static_cast<HBITMAP>(LoadResourceImage(normalId, RT_BITMAP, IMAGE_BITMAP));
    return SetBitmaps(hot, hotTransparent, normal, normalTransparent, repaint);
}
