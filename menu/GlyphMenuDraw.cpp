// Drawing of GlyphMenu items in the classic and the flat style.
#include "GlyphMenu.h"

OffscreenDC::OffscreenDC(CDC* target, const RECT& rect) : m_target(target), m_rect(rect) {}

OffscreenDC::~OffscreenDC() = default;

void GlyphMenu::DrawItem(LPDRAWITEMSTRUCT) {}
void GlyphMenu::DrawItemClassic(LPDRAWITEMSTRUCT) {}
void GlyphMenu::DrawItemFlat(LPDRAWITEMSTRUCT) {}
void GlyphMenu::DrawCheckBox(CDC*, const RECT&, BOOL, BOOL) {}
void GlyphMenu::DrawFlatCheckBox(CDC*, const RECT&, BOOL, COLORREF) {}
void GlyphMenu::DrawTick(CDC*, int, int, COLORREF) {}
void GlyphMenu::DrawDot(CDC*, int, int, COLORREF) {}
void GlyphMenu::EmbossDisabled(CDC*, int, int, int, int, CBitmap*, int, int, COLORREF) {}
void GlyphMenu::DitherDisabled(HDC, int, int, int, int, HBITMAP, int, int, COLORREF) {}

BOOL GlyphMenu::IconToBitmap(CDC*, CImageList*, int, CBitmap&)
{
    return TRUE;
}

COLORREF GlyphMenu::Lighten(COLORREF colour, double)
{
    return colour;
}

BOOL GlyphMenu::IsRadioItem(HMENU, UINT)
{
    return FALSE;
}
