// CImageButton's drawing: DrawItem in its steps, the two drawing hooks, image
// placement, icon and bitmap drawing, and the transparent face.

#include "CImageButton.h"

#include "CBrush.h"
#include "CClientDC.h"
#include "CPen.h"
#include "ScopedSelect.h"

namespace {

constexpr UINT kCaptionFormat = DT_WORDBREAK | DT_CENTER;

// One line strip in a solid 1-pixel pen; each segment leaves out its end point.
void DrawStrip(CDC& dc, int systemColour, POINT a, POINT b, POINT c)
{
    CPen pen(PS_SOLID, 1, ::GetSysColor(systemColour));
    ScopedSelect select(dc, pen);
    dc.MoveTo(a.x, a.y);
    dc.LineTo(b.x, b.y);
    dc.LineTo(c.x, c.y);
}

// The two-pixel raised border of a button that is not flat.
void DrawRaisedBorder(CDC& dc, const CRect& r)
{
    const LONG L = r.left, T = r.top, R = r.right, B = r.bottom;
    DrawStrip(dc, COLOR_BTNHIGHLIGHT, {L, B - 1}, {L, T}, {R, T});
    DrawStrip(dc, COLOR_3DLIGHT, {L + 1, B - 1}, {L + 1, T + 1}, {R, T + 1});
    DrawStrip(dc, COLOR_3DDKSHADOW, {L, B - 1}, {R - 1, B - 1}, {R - 1, T - 1});
    DrawStrip(dc, COLOR_BTNSHADOW, {L + 1, B - 2}, {R - 2, B - 2}, {R - 2, T});
}

// "&Go" as "Go", "R&&D" as "R&D".
CString WithoutAccessKeyMarks(const CString& caption)
{
    CString shown;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size())
            ++i;
        shown += caption[i];
    }
    return shown;
}

void CentreHorizontally(CRect& image, DWORD width)
{
    image.left += (image.right - image.left - static_cast<LONG>(width)) / 2;
}

void CentreVertically(CRect& image, DWORD height)
{
    image.top += (image.bottom - image.top - static_cast<LONG>(height)) / 2;
}

}  // namespace

void CImageButton::DrawItem(LPDRAWITEMSTRUCT drawItem)
{
    CDC dc(drawItem->hDC);
    // The button's own font, also when the caller's context came without it.
    ScopedSelect font(dc, IsWindow() ? static_cast<HGDIOBJ>(GetFontHandle()) : nullptr);

    // 1. The state this draw shows.
    const UINT state = drawItem->itemState;
    if (m_bCheckBox) {
        m_bPressed = (state & ODS_SELECTED) || m_nCheck == 1;
    } else {
        m_bPressed = (state & ODS_SELECTED) != 0;
        if (m_menu.GetSafeHmenu() && m_bMenuShowing)
            m_bPressed = TRUE;
    }
    m_bFocused = (state & ODS_FOCUS) != 0;
    m_bDisabled = (state & ODS_DISABLED) != 0;
    // The window's keyboard cues: no focus rectangle and no access key underline
    // until the keyboard is used, as standard buttons do.
    const bool hideFocus = (state & ODS_NOFOCUSRECT) != 0;
    m_bHideAccel = (state & ODS_NOACCEL) != 0;

    // 2. The working rectangle shrinks with every frame drawn around it.
    const CRect item = drawItem->rcItem;
    CRect work = item;
    dc.SetBkMode(TRANSPARENT);

    // 3. The black frame of a focused or default button that is not flat.
    if (!m_bFlat && (m_bFocused || m_bDefault)) {
        CBrush black(RGB(0, 0, 0));
        dc.FrameRect(work, black);
        work.DeflateRect(1, 1);
    }

    // 4. The face.
    if (m_bTransparent)
        PaintParentBackground(&dc);
    else
        DrawBackground(&dc, &work);

    // 5. The border.
    if (m_bPressed) {
        if (m_bFlat) {
            if (m_bDrawBorder)
                DrawHoverBorder(&dc, &work);
        } else {
            CBrush shadow(::GetSysColor(COLOR_BTNSHADOW));
            dc.FrameRect(work, shadow);
        }
    } else if (m_bFlat) {
        if (m_bHover && m_bDrawBorder)
            DrawHoverBorder(&dc, &work);
    } else {
        DrawRaisedBorder(dc, work);
    }

    // 6. The caption's area starts as the whole item; images may take part of it.
    const CString caption = IsWindow() ? GetWindowText() : CString();
    CRect captionRect = item;

    // 7. Images.
    const BOOL hasCaption = !caption.empty();
    if (m_icons[0].hIcon)
        DrawIconImage(&dc, hasCaption, item, captionRect, m_bPressed, m_bDisabled);
    if (m_bitmaps[0].hBitmap) {
        dc.SetBkColor(RGB(255, 255, 255));
        DrawBitmapImage(&dc, hasCaption, item, captionRect, m_bPressed, m_bDisabled);
    }

    // 8. The caption.
    if (hasCaption)
        DrawCaption(&dc, caption, captionRect);

    // 9. The focus rectangle.
    if ((!m_bFlat || m_bFocusWhenFlat) && m_bFocused && !hideFocus) {
        CRect focus = work;
        focus.DeflateRect(3, 3);
        dc.DrawFocusRect(focus);
    }
}

void CImageButton::DrawCaption(CDC* dc, const CString& text, CRect& captionRect)
{
    if (m_bPressed && !m_bCheckBox)
        captionRect.OffsetRect(1, 1);

    // Without the access key's underline the marks go before drawing, as not
    // every system's text drawing hides them when asked.
    const CString caption = m_bHideAccel ? WithoutAccessKeyMarks(text) : text;
    const UINT format = kCaptionFormat | (m_bHideAccel ? DT_NOPREFIX : 0);

    // Measure the wrapped block, then centre it in the area in both directions.
    const CRect area = captionRect;
    dc->DrawText(caption, &captionRect, format | DT_CALCRECT);
    captionRect.OffsetRect((area.Width() - captionRect.Width()) / 2,
                           (area.Height() - captionRect.Height()) / 2);
    dc->SetBkMode(TRANSPARENT);

    if (m_bDisabled) {
        // Embossed: the highlight one pixel down and right, the shadow on top.
        captionRect.OffsetRect(1, 1);
        dc->SetTextColor(::GetSysColor(COLOR_BTNHIGHLIGHT));
        dc->DrawText(caption, &captionRect, format);
        captionRect.OffsetRect(-1, -1);
        dc->SetTextColor(::GetSysColor(COLOR_BTNSHADOW));
    } else if (m_bHover || m_bPressed) {
        dc->SetTextColor(m_colors[ColorTextHot]);
        dc->SetBkColor(m_colors[ColorBackgroundHot]);
    } else {
        dc->SetTextColor(m_colors[ColorTextNormal]);
        dc->SetBkColor(m_colors[ColorBackgroundNormal]);
    }
    dc->DrawText(caption, &captionRect, format);
}

DWORD CImageButton::DrawBackground(CDC* dc, CRect* rect)
{
    COLORREF colour = m_colors[ColorBackgroundNormal];
    if (m_bHover || m_bPressed)
        colour = m_colors[ColorBackgroundHot];
    else if (m_bFocused)
        colour = m_colors[ColorBackgroundFocus];
    CBrush brush(colour);
    dc->FillRect(*rect, brush);
    return 0;
}

DWORD CImageButton::DrawHoverBorder(CDC* dc, CRect* rect)
{
    const COLORREF highlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    if (m_bPressed)
        dc->Draw3dRect(*rect, shadow, highlight);
    else
        dc->Draw3dRect(*rect, highlight, shadow);
    return 0;
}

int CImageButton::ChooseSlot(BOOL hasNormal) const
{
    const BOOL hot = m_bCheckBox ? m_bPressed : (m_bPressed || m_bHover);
    if (hot)
        return 0;
    return hasNormal ? 1 : 0;
}

void CImageButton::PlaceImage(BOOL hasCaption, const CRect& itemRect, CRect& captionRect,
                              BOOL pressed, DWORD width, DWORD height, CRect& imageRect) const
{
    // Only the image's top-left corner is placed; its right and bottom stay the item's.
    imageRect = itemRect;
    switch (m_byAlign) {
    case ImageLeft:
        if (hasCaption) {
            imageRect.left += 3;
            captionRect.left += static_cast<LONG>(width) + 3;
            CentreVertically(imageRect, height);
        } else {
            CentreHorizontally(imageRect, width);
            CentreVertically(imageRect, height);
        }
        break;
    case ImageAbove:
        if (hasCaption) {
            CentreHorizontally(imageRect, width);
            imageRect.top = 3;
            captionRect.top += static_cast<LONG>(height);
        } else {
            CentreHorizontally(imageRect, width);
            CentreVertically(imageRect, height);
        }
        break;
    case ImageRight:
        if (hasCaption) {
            captionRect.right = captionRect.right - captionRect.left - static_cast<LONG>(width) - 3;
            captionRect.left = 3;
            CRect client;
            GetClientRect(&client);
            imageRect.left = client.right - static_cast<LONG>(width) - 3;
            CentreVertically(imageRect, height);
        } else {
            // An image alone stands in the middle, whatever side it was given.
            CentreHorizontally(imageRect, width);
            CentreVertically(imageRect, height);
        }
        break;
    default:
        break;
    }
    if (pressed && !m_bCheckBox)
        imageRect.OffsetRect(1, 1);
}

void CImageButton::DrawIconImage(CDC* dc, BOOL hasCaption, const CRect& itemRect,
                                 CRect& captionRect, BOOL pressed, BOOL disabled)
{
    const IconSlot& slot = m_icons[ChooseSlot(m_icons[1].hIcon != nullptr)];
    CRect image;
    PlaceImage(hasCaption, itemRect, captionRect, pressed, slot.width, slot.height, image);
    dc->DrawState(image.TopLeft(), image.Size(), slot.hIcon,
                  DST_ICON | (disabled ? DSS_DISABLED : DSS_NORMAL));
}

void CImageButton::DrawBitmapImage(CDC* dc, BOOL hasCaption, const CRect& itemRect,
                                   CRect& captionRect, BOOL pressed, BOOL disabled)
{
    const BitmapSlot& slot = m_bitmaps[ChooseSlot(m_bitmaps[1].hBitmap != nullptr)];
    CRect image;
    PlaceImage(hasCaption, itemRect, captionRect, pressed, slot.width, slot.height, image);
    const int width = static_cast<int>(slot.width);
    const int height = static_cast<int>(slot.height);

    CDC bitmapDC;
    CDC maskDC;
    if (!bitmapDC.CreateCompatibleDC(dc) || !maskDC.CreateCompatibleDC(static_cast<HDC>(nullptr)))
        return;
    ScopedSelect selectBitmap(bitmapDC, slot.hBitmap);
    ScopedSelect selectMask(maskDC, slot.hMask);
    // A monochrome mask lands as the context's background colour (its white
    // bits) and text colour (its black bits).
    const COLORREF oldText = dc->SetTextColor(RGB(0, 0, 0));

    if (disabled && m_bGreyDisabledBitmap) {
        // Compose the image on white first, then let the system grey it.
        CDC scratchDC;
        CBitmap scratch;
        if (scratchDC.CreateCompatibleDC(dc) && scratch.CreateCompatibleBitmap(*dc, width, height)) {
            ScopedSelect selectScratch(scratchDC, scratch);
            scratchDC.FillSolidRect(0, 0, width, height, RGB(255, 255, 255));
            const COLORREF oldBack = scratchDC.SetBkColor(RGB(255, 255, 255));
            scratchDC.SetTextColor(RGB(0, 0, 0));
            scratchDC.BitBlt(0, 0, width, height, maskDC, 0, 0, SRCAND);
            scratchDC.BitBlt(0, 0, width, height, bitmapDC, 0, 0, SRCPAINT);
            scratchDC.SetBkColor(oldBack);
            // The bitmap must leave the scratch context before DrawState reads it.
        }
        if (scratch.GetSafeHandle())
            dc->DrawState(image.TopLeft(), CSize(width, height), scratch.GetSafeHandle(),
                          DST_BITMAP | DSS_DISABLED);
    } else {
        dc->BitBlt(image.left, image.top, width, height, maskDC, 0, 0, SRCAND);
        dc->BitBlt(image.left, image.top, width, height, bitmapDC, 0, 0, SRCPAINT);
    }
    dc->SetTextColor(oldText);
}

void CImageButton::PaintParentBackground(CDC* dc)
{
    const HWND parent = ::GetParent(m_hWnd);
    if (!parent)
        return;
    CClientDC parentDC(parent);
    CRect client;
    GetClientRect(&client);
    CRect window;
    GetWindowRect(&window);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<LPPOINT>(&window), 2);

    // A capture of another size (the button was resized) no longer fits.
    if (m_dcBackground.GetSafeHdc() && client.Size() != m_bmpBackground.GetSize())
        DropCapturedBackground();
    if (!m_dcBackground.GetSafeHdc()) {
        if (!m_dcBackground.CreateCompatibleDC(&parentDC))
            return;
        if (!m_bmpBackground.CreateCompatibleBitmap(parentDC, client.Width(), client.Height())) {
            m_dcBackground.DeleteDC();
            return;
        }
        m_hOldBackground = m_dcBackground.SelectObject(&m_bmpBackground);
        m_dcBackground.BitBlt(0, 0, client.Width(), client.Height(), parentDC, window.left,
                              window.top, SRCCOPY);
    }
    dc->BitBlt(0, 0, client.Width(), client.Height(), m_dcBackground, 0, 0, SRCCOPY);
}
