// Disabled menu images: the embossed outline and the dithered outline, both
// etched in the highlight and shadow colours on a background colour, and the
// rendering of an image-list entry into a bitmap they start from.
#include "GlyphMenu.h"

#include <optional>

#include "CBrush.h"
#include "CClientDC.h"
#include "MenuIcon.h"
#include "ScopedSelect.h"

namespace {

// Brush where the source is set (the shape), destination elsewhere.
constexpr DWORD ropBrushWhereSourceSet = 0x00E20746;    // DSPDxax
// Brush where the source is clear (the shape), destination elsewhere.
constexpr DWORD ropBrushWhereSourceClear = 0x00B8074A;  // PSDPxax

constexpr COLORREF black = RGB(0, 0, 0);
constexpr COLORREF white = RGB(255, 255, 255);

}  // namespace

BOOL GlyphMenu::IconToBitmap(CDC* dc, CImageList* list, int index, CBitmap& out)
{
    out.DeleteObject();
    if (list == nullptr || list->GetSafeHandle() == nullptr)
        return FALSE;
    MenuIcon icon(list->ExtractIcon(index));
    if (!icon)
        return FALSE;

    // Without a context of the caller's, the screen decides the bitmap format.
    std::optional<CClientDC> screen;
    HDC reference = dc != nullptr ? dc->GetSafeHdc() : nullptr;
    if (reference == nullptr)
        reference = screen.emplace(nullptr).GetSafeHdc();
    CDC memory;
    if (!memory.CreateCompatibleDC(reference) ||
        !out.CreateCompatibleBitmap(reference, iconWidth, iconHeight))
        return FALSE;
    ScopedSelect select(memory, out);
    // The transparent parts come out in the face colour, which the disabled
    // drawings and the faded and shadow copies treat as background.
    CBrush face(::GetSysColor(COLOR_BTNFACE));
    memory.DrawIconEx(0, 0, icon.Get(), iconWidth, iconHeight, face, DI_NORMAL);
    return TRUE;
}

void GlyphMenu::EmbossDisabled(CDC* dc, int x, int y, int width, int height, CBitmap* source,
                               int sx, int sy, COLORREF background)
{
    if (dc == nullptr || source == nullptr || source->GetSafeHandle() == nullptr || width <= 0 ||
        height <= 0)
        return;
    CDC maskDc;
    CDC sourceDc;
    CBitmap mask;
    if (!maskDc.CreateCompatibleDC(dc) || !sourceDc.CreateCompatibleDC(dc) ||
        !mask.CreateBitmap(width, height, 1, 1, nullptr))
        return;
    ScopedSelect selectMask(maskDc, mask);
    ScopedSelect selectSource(sourceDc, *source);

    // The mask: face and highlight pixels are background (white), the rest is
    // the shape (black).
    const COLORREF oldBack = sourceDc.SetBkColor(::GetSysColor(COLOR_BTNFACE));
    maskDc.PatBlt(0, 0, width, height, WHITENESS);
    maskDc.BitBlt(0, 0, width, height, sourceDc, sx, sy, SRCCOPY);
    sourceDc.SetBkColor(::GetSysColor(COLOR_BTNHIGHLIGHT));
    maskDc.BitBlt(0, 0, width, height, sourceDc, sx, sy, SRCPAINT);

    // The source bitmap becomes the canvas: the mask's shape turns into all ones
    // when combined, so the brush lands exactly on it.
    sourceDc.FillSolidRect(0, 0, width, height, background);
    sourceDc.SetBkColor(black);
    const COLORREF oldText = sourceDc.SetTextColor(white);

    CBrush highlight(::GetSysColor(COLOR_BTNHIGHLIGHT));
    CBrush shadow(::GetSysColor(COLOR_BTNSHADOW));
    {
        ScopedSelect selectBrush(sourceDc, highlight);
        sourceDc.BitBlt(0, 0, width, height, maskDc, 0, 0, ropBrushWhereSourceSet);
        dc->BitBlt(x + 1, y + 1, width, height, sourceDc, 0, 0, SRCCOPY);
        sourceDc.BitBlt(1, 1, width, height, maskDc, 0, 0, ropBrushWhereSourceSet);
    }
    {
        ScopedSelect selectBrush(sourceDc, shadow);
        sourceDc.BitBlt(0, 0, width, height, maskDc, 0, 0, ropBrushWhereSourceSet);
    }
    dc->BitBlt(x, y, width, height, sourceDc, 0, 0, SRCCOPY);
    sourceDc.SetTextColor(oldText);
    sourceDc.SetBkColor(oldBack);
}

void GlyphMenu::DitherDisabled(HDC dc, int x, int y, int width, int height, HBITMAP source,
                               int sx, int sy, COLORREF background)
{
    if (dc == nullptr || source == nullptr || width <= 0 || height <= 0)
        return;
    CDC memory;
    CDC monochrome;
    CBitmap section;
    // A monochrome bitmap sorts colours by the source's background colour; a
    // one-bit DIB section would match them to black or white by brightness
    // instead, and light shapes would vanish.
    if (!memory.CreateCompatibleDC(dc) || !monochrome.CreateCompatibleDC(memory.GetSafeHdc()) ||
        !section.CreateBitmap(width, height, 1, 1, nullptr))
        return;
    {
        ScopedSelect selectSection(monochrome, section);
        ScopedSelect selectSource(memory, source);
        // White pixels become 1 (background), all others 0 (the shape). The face
        // colour counts as background too: the images this class renders lie on
        // it, and without that the whole cell would come out as one block.
        memory.SetBkColor(white);
        monochrome.BitBlt(0, 0, width, height, memory, sx, sy, SRCCOPY);
        memory.SetBkColor(::GetSysColor(COLOR_BTNFACE));
        monochrome.BitBlt(0, 0, width, height, memory, sx, sy, SRCPAINT);
    }

    CDC target(dc);
    target.FillSolidRect(x, y, width, height, background);
    // Clear bits of the section must read as zero and set bits as all ones.
    const COLORREF oldText = target.SetTextColor(black);
    const COLORREF oldBack = target.SetBkColor(white);
    ScopedSelect selectSection(monochrome, section);
    CBrush highlight(::GetSysColor(COLOR_BTNHIGHLIGHT));
    CBrush shadow(::GetSysColor(COLOR_BTNSHADOW));
    {
        ScopedSelect selectBrush(dc, highlight);
        target.BitBlt(x + 1, y + 1, width, height, monochrome, 0, 0, ropBrushWhereSourceClear);
    }
    {
        ScopedSelect selectBrush(dc, shadow);
        target.BitBlt(x, y, width, height, monochrome, 0, 0, ropBrushWhereSourceClear);
    }
    target.SetTextColor(oldText);
    target.SetBkColor(oldBack);
}
