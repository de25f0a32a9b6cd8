// Check marks of GlyphMenu items: the sunken classic cell, the framed flat
// cell, the tick and the radio dot, and the test that tells a radio item.
#include "GlyphMenu.h"

#include "CBrush.h"
#include "CPen.h"
#include "ScopedSelect.h"

namespace {
constexpr double checkCellLightening = 0.6;
constexpr double flatCheckCellLightening = 0.85;
}  // namespace

void GlyphMenu::DrawCheckBox(CDC* dc, const RECT& cell, BOOL highlighted, BOOL radio)
{
    if (dc == nullptr)
        return;
    COLORREF colour = ::GetSysColor(IsThemedXp() ? COLOR_BTNFACE : COLOR_MENU);
    // A lighter cell at rest, so the mark stands out like a pressed button.
    if (!highlighted)
        colour = Lighten(colour, checkCellLightening);
    dc->FillSolidRect(cell, colour);
    if (HasModernGdi()) {
        RECT edge = cell;
        dc->DrawEdge(&edge, BDR_SUNKENOUTER, BF_RECT);
    }
    const COLORREF mark = ::GetSysColor(COLOR_MENUTEXT);
    if (radio)
        DrawDot(dc, cell.left + 5, cell.top + 4, mark);
    else
        DrawTick(dc, cell.left + 4, cell.top + 4, mark);
}

void GlyphMenu::DrawFlatCheckBox(CDC* dc, const RECT& cell, BOOL radio, COLORREF frame)
{
    if (dc == nullptr)
        return;
    dc->FillSolidRect(cell, Lighten(frame, flatCheckCellLightening));
    dc->Draw3dRect(cell, frame, frame);
    const COLORREF mark = ::GetSysColor(COLOR_MENUTEXT);
    // The flat cell is 16 wide: both marks sit at the same place in it.
    if (radio)
        DrawDot(dc, cell.left + 5, cell.top + 4, mark);
    else
        DrawTick(dc, cell.left + 5, cell.top + 4, mark);
}

void GlyphMenu::DrawTick(CDC* dc, int x, int y, COLORREF colour)
{
    if (dc == nullptr)
        return;
    // Each column of the tick is a 3-pixel stroke starting this far down.
    static const int strokeTop[7] = {2, 3, 4, 3, 2, 1, 0};
    CPen pen(PS_SOLID, 0, colour);
    ScopedSelect select(dc->GetSafeHdc(), pen);
    const POINT old = dc->MoveTo(x, y);
    for (int i = 0; i < 7; ++i) {
        dc->MoveTo(x + i, y + strokeTop[i]);
        dc->LineTo(x + i, y + strokeTop[i] + 3);
    }
    dc->MoveTo(old.x, old.y);
}

void GlyphMenu::DrawDot(CDC* dc, int x, int y, COLORREF colour)
{
    if (dc == nullptr)
        return;
    CBrush brush(colour);
    CPen pen(PS_SOLID, 0, colour);
    ScopedSelect selectBrush(dc->GetSafeHdc(), brush);
    ScopedSelect selectPen(dc->GetSafeHdc(), pen);
    dc->Ellipse(x, y, x + 6, y + 6);
}

BOOL GlyphMenu::IsRadioItem(HMENU menu, UINT id)
{
    if (menu == nullptr || !::IsMenu(menu))
        return FALSE;
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    // A checked bitmap of its own marks the item as one of a group; the system's
    // own radio-check type says the same for items checked with CheckMenuRadioItem.
    info.fMask = MIIM_CHECKMARKS | MIIM_FTYPE;
    if (!::GetMenuItemInfoA(menu, id, FALSE, &info))
        return FALSE;
    return info.hbmpChecked != nullptr || (info.fType & MFT_RADIOCHECK) != 0;
}
