// Building a GlyphMenu and keeping its records in step with the live menu.
#include "GlyphMenu.h"

BOOL GlyphMenu::LoadMenu(UINT resourceId)
{
    return LoadMenu(MAKEINTRESOURCEA(resourceId & 0xFFFF));
}

BOOL GlyphMenu::LoadMenu(LPCSTR)
{
    return FALSE;
}

BOOL GlyphMenu::AppendItem(const wchar_t*, UINT, UINT_PTR, INT_PTR)
{
    return FALSE;
}

std::unique_ptr<GlyphMenuItem> GlyphMenu::ReplaceItemAt(UINT, UINT, UINT_PTR, const char*)
{
    return nullptr;
}

void GlyphMenu::SyncWithHandle() {}
void GlyphMenu::PadAcceleratorColumn() {}

int GlyphMenu::FirstOwnPosition()
{
    return 0;
}

void GlyphMenu::PlainPopupTitles() {}
