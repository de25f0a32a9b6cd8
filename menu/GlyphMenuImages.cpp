// Command images of GlyphMenu: the shared image list, bitmaps, toolbars, and the
// faded and shadow copies of the flat style.
#include "GlyphMenu.h"

int GlyphMenu::FindSharedImage(UINT_PTR)
{
    return -1;
}

BOOL GlyphMenu::HasImageTriple(int)
{
    return FALSE;
}

int GlyphMenu::AddSharedImage(CImageList*, int, UINT_PTR)
{
    return -1;
}

BOOL GlyphMenu::AddBitmapImages(CImageList*, INT_PTR)
{
    return FALSE;
}

BOOL GlyphMenu::LookupToolbarImage(UINT_PTR, INT_PTR, int&)
{
    return FALSE;
}

HBITMAP GlyphMenu::LoadSysColorBitmap(INT_PTR)
{
    return nullptr;
}

void GlyphMenu::FadeBitmap(HBITMAP) {}
void GlyphMenu::ShadowBitmap(HBITMAP) {}
