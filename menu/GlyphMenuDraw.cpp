// Drawing of GlyphMenu items in the classic three-dimensional style and in the
// flat style of themed desktops.
#include "GlyphMenu.h"

#include <algorithm>
#include <optional>
#include <string>

#include "CBrush.h"
#include "ScopedSelect.h"

namespace {

constexpr double checkedCellLightening = 0.6;     // classic: a checked image's cell
constexpr double flatCheckedLightening = 0.85;    // flat: a checked image's cell
constexpr double flatFaceLightening = 0.25;       // flat: icon column off a theme
constexpr double themedSelectionLightening = 0.7;
constexpr double plainSelectionLightening = 0.85;
constexpr double flatGrayTextLightening = 0.4;
constexpr int flatCheckCellSize = 16;

const GlyphMenuItem* RecordOf(const DRAWITEMSTRUCT* drawItem)
{
    return reinterpret_cast<const GlyphMenuItem*>(drawItem->itemData);
}

// Where an item's image comes from. An item may have an image index whose list
// is missing: it still gets its cell, only no picture.
struct ItemImage {
    bool present = false;
    bool own = false;
    CImageList* list = nullptr;
    int index = -1;

    void Draw(CDC& dc, int index, POINT at) const
    {
        if (list != nullptr && list->GetSafeHandle() != nullptr)
            list->Draw(&dc, index, at, ILD_TRANSPARENT);
    }
    void Draw(CDC& dc, POINT at) const { Draw(dc, index, at); }
};

ItemImage ImageOf(const GlyphMenuItem* record)
{
    ItemImage image;
    if (record == nullptr)
        return image;
    if (record->ownImageSource >= 0) {
        image.present = true;
        image.own = true;
        image.list = record->ownImages.get();
        image.index = record->ownImageIndex;
    } else if (record->sharedImageIndex >= 0) {
        image.present = true;
        image.list = &GlyphMenu::sharedImages;
        image.index = record->sharedImageIndex;
    }
    return image;
}

// The state bits of one WM_DRAWITEM, with the style's own view of highlighting.
struct ItemLook {
    bool grayed = false;
    bool checked = false;
    bool highlighted = false;
    bool checkImage = false;     // a check mark from the menu's check images
    bool disabledImage = false;
    bool raisedImage = false;
    ItemImage image;
};

// The label and, after a tab, the accelerator text.
struct ItemText {
    std::string label;
    std::string accelerator;
    bool hasTab = false;
};

ItemText TextOf(const GlyphMenuItem* record)
{
    ItemText text;
    if (record == nullptr)
        return text;
    text.label = record->GetText();
    const size_t firstTab = text.label.find('\t');
    if (firstTab != std::string::npos) {
        text.hasTab = true;
        text.accelerator = text.label.substr(text.label.rfind('\t') + 1);
        text.label.resize(firstTab);
    }
    return text;
}

// Puts the context's text colour and background mode back on the way out.
class TextStateGuard {
public:
    explicit TextStateGuard(CDC& dc)
        : m_dc(dc), m_colour(dc.GetTextColor()), m_mode(dc.SetBkMode(TRANSPARENT))
    {
    }
    ~TextStateGuard()
    {
        m_dc.SetTextColor(m_colour);
        m_dc.SetBkMode(m_mode);
    }
    TextStateGuard(const TextStateGuard&) = delete;
    TextStateGuard& operator=(const TextStateGuard&) = delete;

private:
    CDC& m_dc;
    COLORREF m_colour;
    int m_mode;
};

void DrawItemText(CDC& dc, const ItemText& text, RECT rect, COLORREF colour, UINT prefixFormat)
{
    dc.SetTextColor(colour);
    const UINT format = DT_VCENTER | DT_SINGLELINE | prefixFormat;
    if (!text.label.empty()) {
        RECT labelRect = rect;
        dc.DrawText(text.label, &labelRect, format);
    }
    if (!text.accelerator.empty()) {
        RECT acceleratorRect = rect;
        dc.DrawText(text.accelerator, &acceleratorRect, format | DT_RIGHT);
    }
}

// The system asks to hide mnemonic underlines until the keyboard is used.
UINT PrefixFormatOf(const DRAWITEMSTRUCT* drawItem)
{
    return (drawItem->itemState & ODS_NOACCEL) ? DT_HIDEPREFIX : 0;
}

int HalfOrZero(double value)
{
    return std::max(static_cast<int>(value * 0.5), 0);
}

}  // namespace

// ---- Dispatch ----

void GlyphMenu::DrawItem(LPDRAWITEMSTRUCT drawItem)
{
    if (drawItem == nullptr || drawItem->hDC == nullptr)
        return;
    // Light tints of the flat style turn to mush on a palette display.
    const bool palette = (::GetDeviceCaps(drawItem->hDC, RASTERCAPS) & RC_PALETTE) != 0;
    if (palette || !UsesFlatStyle())
        DrawItemClassic(drawItem);
    else
        DrawItemFlat(drawItem);
}

// ---- Classic style ----

void GlyphMenu::DrawItemClassic(LPDRAWITEMSTRUCT drawItem)
{
    CDC dc(drawItem->hDC);
    const GlyphMenuItem* record = RecordOf(drawItem);
    const RECT& item = drawItem->rcItem;
    const int height = item.bottom - item.top;
    const COLORREF back = ::GetSysColor(IsThemedXp() ? COLOR_BTNFACE : COLOR_MENU);
    CBrush backBrush(back);

    ItemLook look;
    look.grayed = (drawItem->itemState & ODS_GRAYED) != 0;
    look.checked = (drawItem->itemState & ODS_CHECKED) != 0;
    look.highlighted = (drawItem->itemState & ODS_SELECTED) != 0;
    if (look.grayed && look.highlighted && !highlightDisabledClassic)
        look.highlighted = false;

    if (record != nullptr && (record->flags & MF_SEPARATOR)) {
        dc.FillRect(item, backBrush);
        RECT line = item;
        line.top += height >> 1;
        dc.DrawEdge(&line, EDGE_ETCHED, BF_TOP);
        return;
    }

    look.image = ImageOf(record);
    look.checkImage = look.checked && !look.image.present &&
                      ((look.highlighted && checkedSelectedImage > 0) || checkedImage > 0);
    look.disabledImage = look.image.present && look.grayed;
    look.raisedImage = look.image.present && look.highlighted && !look.grayed;

    // Background. A highlighted item with something in its icon column leaves
    // that column in the menu colour, so the icon keeps its frame.
    if (!look.highlighted) {
        dc.FillRect(item, backBrush);
    } else {
        RECT selection = item;
        if (look.image.present || look.checkImage || look.checked) {
            dc.FillRect(item, backBrush);
            selection.left += iconWidth + 5;
        }
        CBrush highlight(::GetSysColor(COLOR_HIGHLIGHT));
        dc.FillRect(selection, highlight);
    }

    const int dy = std::max((height - iconHeight - 4) / 2, 0);
    const RECT inner{item.left + 1, item.top + dy + 1, item.left + iconWidth + 3,
                     item.top + dy + iconHeight + 3};
    const RECT cell{item.left, item.top + dy, item.left + iconWidth + 4,
                    item.top + dy + iconHeight + 4};
    const POINT imageAt{item.left + 2, item.top + dy + 2};
    const COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);

    if (look.image.present || look.checkImage) {
        dc.Draw3dRect(inner, back, back);
        if (look.checkImage && checkImages != nullptr) {
            dc.FillRect(inner, backBrush);
            dc.Draw3dRect(cell, back, back);
            checkImages->Draw(&dc, look.highlighted ? 1 : 0, imageAt, ILD_TRANSPARENT);
        } else if (look.disabledImage) {
            dc.Draw3dRect(cell, back, back);
            CBitmap picture;
            if (IconToBitmap(&dc, look.image.list, look.image.index, picture)) {
                if (ditherDisabled)
                    DitherDisabled(dc, imageAt.x, imageAt.y, iconWidth, iconHeight, picture, 0, 0,
                                   back);
                else
                    EmbossDisabled(&dc, imageAt.x, imageAt.y, iconWidth, iconHeight, &picture, 0,
                                   0, back);
            }
        } else if (look.raisedImage) {
            dc.FillRect(inner, backBrush);
            if (HasModernGdi()) {
                if (look.checked)
                    dc.Draw3dRect(cell, shadow, light);
                else
                    dc.Draw3dRect(cell, light, shadow);
            }
            look.image.Draw(dc, imageAt);
        } else {
            if (look.checked) {
                dc.FillSolidRect(inner, Lighten(back, checkedCellLightening));
                if (HasModernGdi())
                    dc.Draw3dRect(cell, shadow, light);
            } else {
                dc.FillRect(inner, backBrush);
                dc.Draw3dRect(cell, back, back);
            }
            if (look.image.present)
                look.image.Draw(dc, imageAt);
        }
    }

    if (!look.image.present && look.checked && !look.checkImage) {
        const RECT box{item.left + 1, item.top + dy + 2, item.left + iconWidth + 1,
                       item.top + dy + iconHeight + 2};
        DrawCheckBox(&dc, box, look.highlighted,
                     IsRadioItem(reinterpret_cast<HMENU>(drawItem->hwndItem), drawItem->itemID));
    }

    const ItemText text = TextOf(record);
    RECT textRect{item.left + iconWidth + 9, item.top - 1, item.right, item.bottom - 1};
    if (text.hasTab)
        textRect.right -= iconWidth;
    TextStateGuard textState(dc);
    const UINT prefix = PrefixFormatOf(drawItem);
    if (!look.grayed) {
        DrawItemText(dc, text, textRect,
                     ::GetSysColor(look.highlighted ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT), prefix);
    } else if (look.highlighted) {
        DrawItemText(dc, text, textRect, back, prefix);
    } else {
        RECT etched = textRect;
        ::OffsetRect(&etched, 1, 1);
        DrawItemText(dc, text, etched, light, prefix);
        DrawItemText(dc, text, textRect, ::GetSysColor(COLOR_GRAYTEXT), prefix);
    }
}

// ---- Flat style ----

void GlyphMenu::DrawItemFlat(LPDRAWITEMSTRUCT drawItem)
{
    CDC itemDc(drawItem->hDC);
    const GlyphMenuItem* record = RecordOf(drawItem);
    const RECT& item = drawItem->rcItem;
    const int height = item.bottom - item.top;
    const int gap = raisedIcons ? 7 : 4;
    const int barWidth = iconWidth + gap;
    const bool themed = IsThemedXp() != FALSE;

    const COLORREF window = ::GetSysColor(COLOR_WINDOW);
    COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    if (!themed)
        face = Lighten(face, flatFaceLightening);
    const COLORREF highlight = ::GetSysColor(COLOR_HIGHLIGHT);
    const COLORREF selection =
        Lighten(highlight, themed ? themedSelectionLightening : plainSelectionLightening);
    CBrush windowBrush(window);
    CBrush faceBrush(face);

    ItemLook look;
    look.grayed = (drawItem->itemState & ODS_GRAYED) != 0;
    look.checked = (drawItem->itemState & ODS_CHECKED) != 0;
    look.highlighted = (drawItem->itemState & ODS_SELECTED) != 0;

    // A disabled item is drawn unhighlighted, off-screen, and copied in one go.
    std::optional<OffscreenDC> offscreen;
    CDC* target = &itemDc;
    CFont menuFont;
    HGDIOBJ oldFont = nullptr;
    if (look.grayed && !highlightDisabledFlat) {
        look.highlighted = false;
        offscreen.emplace(&itemDc, item);
        target = &*offscreen;
        if (CreateMenuFont(menuFont))
            oldFont = target->SelectObject(&menuFont);
    }
    CDC& dc = *target;
    const RECT column{item.left, item.top, item.left + barWidth, item.bottom};

    if (record != nullptr && (record->flags & MF_SEPARATOR)) {
        dc.FillRect(item, windowBrush);
        RECT line{item.left + barWidth + gap, item.top + (height >> 1), item.right, item.bottom};
        dc.DrawEdge(&line, EDGE_ETCHED, BF_TOP);
        dc.FillRect(column, faceBrush);
    } else {
        look.image = ImageOf(record);
        look.checkImage = look.checked && !look.image.present &&
                          ((look.highlighted && checkedSelectedImage > 0) || checkedImage > 0);
        look.disabledImage = look.image.present && look.grayed;
        look.raisedImage = look.image.present && look.highlighted && !look.grayed;

        // An image triple: the image, then its faded and its shadow copy.
        bool triple = false;
        int fadedIndex = -1;
        int shadowIndex = -1;
        if (raisedIcons && look.image.present) {
            if (look.image.own) {
                triple = look.image.list != nullptr && look.image.list->GetImageCount() > 2 &&
                         look.image.index == 0;
                fadedIndex = 1;
                shadowIndex = 2;
            } else {
                triple = HasImageTriple(look.image.index) != FALSE;
                fadedIndex = look.image.index + 1;
                shadowIndex = look.image.index + 2;
            }
        }

        if (!look.highlighted) {
            dc.FillRect(item, windowBrush);
            dc.FillRect(column, faceBrush);
        } else {
            dc.FillSolidRect(item, selection);
            dc.Draw3dRect(item, highlight, highlight);
        }

        const POINT imageAt{item.left + HalfOrZero(barWidth - iconWidth + 1),
                            item.top + HalfOrZero(height - iconHeight + 1)};
        const POINT raisedAt{imageAt.x - 1, imageAt.y - 1};
        const POINT shadowAt{imageAt.x + 1, imageAt.y + 1};
        const RECT cell{item.left + 1, item.top + 1, item.left + barWidth - 1, item.bottom - 1};

        if (look.image.present || look.checkImage) {
            if (look.checkImage && checkImages != nullptr) {
                dc.FillRect(cell, faceBrush);
                checkImages->Draw(&dc, look.highlighted ? 1 : 0, imageAt, ILD_TRANSPARENT);
            } else if (look.disabledImage) {
                const COLORREF background = look.highlighted ? selection : face;
                CBitmap picture;
                if (IconToBitmap(&dc, look.image.list, look.image.index, picture)) {
                    if (ditherDisabled)
                        DitherDisabled(dc, imageAt.x, imageAt.y, iconWidth, iconHeight, picture,
                                       0, 0, background);
                    else
                        EmbossDisabled(&dc, imageAt.x, imageAt.y, iconWidth, iconHeight,
                                       &picture, 0, 0, background);
                }
                if (look.highlighted)
                    dc.Draw3dRect(item, highlight, highlight);
            } else if (look.raisedImage) {
                dc.FillSolidRect(cell, selection);
                if (look.checked) {
                    dc.Draw3dRect(cell, highlight, highlight);
                    look.image.Draw(dc, raisedAt);
                } else if (triple) {
                    look.image.Draw(dc, shadowIndex, shadowAt);
                    look.image.Draw(dc, raisedAt);
                } else {
                    look.image.Draw(dc, imageAt);
                }
            } else if (look.checked) {
                dc.FillSolidRect(cell, Lighten(highlight, flatCheckedLightening));
                dc.Draw3dRect(cell, highlight, highlight);
                if (look.image.present)
                    look.image.Draw(dc, raisedAt);
            } else {
                dc.FillRect(cell, faceBrush);
                look.image.Draw(dc, triple ? fadedIndex : look.image.index, imageAt);
            }
        }

        if (!look.image.present && look.checked && !look.checkImage) {
            const int x = item.left + HalfOrZero(barWidth - flatCheckCellSize + 1);
            const int y = item.top + HalfOrZero(height - flatCheckCellSize + 1);
            const RECT box{x, y, x + flatCheckCellSize, y + flatCheckCellSize};
            DrawFlatCheckBox(&dc, box,
                             IsRadioItem(reinterpret_cast<HMENU>(drawItem->hwndItem),
                                         drawItem->itemID),
                             highlight);
        }

        const ItemText text = TextOf(record);
        RECT textRect{item.left + barWidth + 8, item.top - 1, item.right, item.bottom - 1};
        if (text.hasTab)
            textRect.right -= iconWidth;
        COLORREF colour = ::GetSysColor(COLOR_MENUTEXT);
        if (look.grayed) {
            colour = ::GetSysColor(COLOR_GRAYTEXT);
            if (!themed && !look.highlighted)
                colour = Lighten(colour, flatGrayTextLightening);
        }
        TextStateGuard textState(dc);
        DrawItemText(dc, text, textRect, colour, PrefixFormatOf(drawItem));
    }

    if (oldFont != nullptr)
        dc.SelectObject(oldFont);
    // Copies the item onto the menu before the font goes.
    offscreen.reset();
}
