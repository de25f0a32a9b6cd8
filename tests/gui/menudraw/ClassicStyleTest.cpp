// The classic style: menu-coloured items, a highlight bar, three-dimensional
// frames around icons, sunken check cells and etched gray text.
#include <gtest/gtest.h>

#include "StyleTestFixture.h"

using namespace menudraw;

namespace {

// 19 pixels: the classic item height with the default cell.
class ClassicStyle : public StyleTest {
protected:
    ClassicStyle() : StyleTest(classicFamily, 19) {}

    void SetUp() override { ASSERT_FALSE(GlyphMenu::UsesFlatStyle()); }

    const COLORREF back = Sys(COLOR_MENU);
    const COLORREF highlight = Sys(COLOR_HIGHLIGHT);
    const COLORREF light = Sys(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = Sys(COLOR_BTNSHADOW);
    // The icon cell: (left, top) to (left + 20, top + 19) with the default sizes.
    const RECT cell{item.left, item.top, item.left + 20, item.top + 19};
    const POINT imageAt{item.left + 2, item.top + 2};
    // Labels start here.
    const int textLeft = item.left + 16 + 9;
};

}  // namespace

TEST_F(ClassicStyle, SeparatorIsAnEtchedLineThroughTheMiddle)
{
    auto separator = Separator();
    Draw(separator.get(), 0);
    for (int x : {item.left, item.left + 100, item.right - 1}) {
        EXPECT_TRUE(PixelIs(canvas, x, mid, shadow));
        EXPECT_TRUE(PixelIs(canvas, x, mid + 1, light));
        EXPECT_TRUE(PixelIs(canvas, x, mid - 1, back));
        EXPECT_TRUE(PixelIs(canvas, x, mid + 2, back));
        EXPECT_TRUE(PixelIs(canvas, x, item.top, back));
        EXPECT_TRUE(PixelIs(canvas, x, item.bottom - 1, back));
    }
    // Only the item is painted.
    EXPECT_TRUE(PixelIs(canvas, item.left - 1, mid, RGB(1, 2, 3)));
    EXPECT_TRUE(PixelIs(canvas, item.left, item.bottom, RGB(1, 2, 3)));
}

TEST_F(ClassicStyle, HighlightCoversTheWholeItemWithoutAnImage)
{
    CrispFont font(canvas.Dc());
    auto record = Record("Open");
    Draw(record.get(), ODS_SELECTED);
    EXPECT_TRUE(PixelIs(canvas, item.left, item.top, highlight));
    EXPECT_TRUE(PixelIs(canvas, item.left + 2, mid, highlight));
    EXPECT_TRUE(PixelIs(canvas, item.right - 1, item.bottom - 1, highlight));
    EXPECT_GT(canvas.Count(item, Sys(COLOR_HIGHLIGHTTEXT)), 10);
    EXPECT_EQ(canvas.Count(item, Sys(COLOR_MENUTEXT)), 0);

    Draw(record.get(), 0);
    EXPECT_TRUE(PixelIs(canvas, item.left, item.top, back));
    EXPECT_TRUE(PixelIs(canvas, item.right - 1, item.bottom - 1, back));
    EXPECT_GT(canvas.Count(item, Sys(COLOR_MENUTEXT)), 10);
}

TEST_F(ClassicStyle, HighlightStartsRightOfARaisedIcon)
{
    auto record = Record("Open", MF_OWNERDRAW, SharedPicture(red));
    ASSERT_GE(record->sharedImageIndex, 0);
    Draw(record.get(), ODS_SELECTED);
    // The bar starts iconWidth + 5 pixels in; the icon column keeps the menu colour.
    EXPECT_TRUE(PixelIs(canvas, item.left + 21, item.top, highlight));
    EXPECT_TRUE(PixelIs(canvas, item.left + 21, item.bottom - 1, highlight));
    EXPECT_TRUE(PixelIs(canvas, item.left + 20, mid, back));
    // Raised frame around the cell, the image inside it.
    EXPECT_TRUE(PixelIs(canvas, cell.left, cell.top, light));
    EXPECT_TRUE(PixelIs(canvas, cell.left, cell.bottom - 2, light));
    EXPECT_TRUE(PixelIs(canvas, cell.right - 1, cell.bottom - 1, shadow));
    EXPECT_TRUE(PixelIs(canvas, cell.right - 1, cell.top, shadow));
    EXPECT_TRUE(PixelIs(canvas, cell.left + 1, cell.top + 1, back));
    EXPECT_TRUE(PixelIs(canvas, imageAt.x + interiorPixel.x, imageAt.y + interiorPixel.y, red));
    EXPECT_TRUE(PixelIs(canvas, imageAt.x, imageAt.y, back));  // transparent corner

    // At rest the cell is flat: no frame colours.
    Draw(record.get(), 0);
    EXPECT_TRUE(PixelIs(canvas, cell.left, cell.top, back));
    EXPECT_TRUE(PixelIs(canvas, cell.right - 1, cell.bottom - 1, back));
    EXPECT_TRUE(PixelIs(canvas, imageAt.x + interiorPixel.x, imageAt.y + interiorPixel.y, red));
}

TEST_F(ClassicStyle, DisabledItemUnderTheCursorIsHighlightedWithTextInTheMenuColour)
{
    CrispFont font(canvas.Dc());
    auto record = Record("Paste special");
    Draw(record.get(), ODS_SELECTED | ODS_GRAYED);
    EXPECT_TRUE(PixelIs(canvas, item.left, item.top, highlight));
    EXPECT_TRUE(PixelIs(canvas, item.right - 1, item.bottom - 1, highlight));
    const RECT text{textLeft, item.top, item.right, item.bottom};
    EXPECT_GT(canvas.Count(text, back), 10);
    EXPECT_EQ(canvas.Count(text, Sys(COLOR_GRAYTEXT)), 0);
    EXPECT_EQ(canvas.Count(text, Sys(COLOR_HIGHLIGHTTEXT)), 0);
    EXPECT_EQ(canvas.Count(text, light), 0);
}

TEST_F(ClassicStyle, DisabledImageUnderTheCursorIsEmbossedOnTheMenuColour)
{
    auto record = Record("Cut", MF_OWNERDRAW, SharedPicture(red));
    Draw(record.get(), ODS_SELECTED | ODS_GRAYED);
    EXPECT_TRUE(PixelIs(canvas, item.left + 21, mid, highlight));
    EXPECT_TRUE(PixelIs(canvas, imageAt.x + interiorPixel.x, imageAt.y + interiorPixel.y, shadow));
    EXPECT_TRUE(PixelIs(canvas, imageAt.x + outlineBottomRight.x + 1,
                        imageAt.y + outlineBottomRight.y + 1, light));
    EXPECT_TRUE(PixelIs(canvas, imageAt.x, imageAt.y, back));
    // No raised frame for a disabled image.
    EXPECT_TRUE(PixelIs(canvas, cell.left, cell.top, back));
}

TEST_F(ClassicStyle, DisabledItemAtRestHasGrayTextOverAHighlightCopyOnePixelDownRight)
{
    CrispFont font(canvas.Dc());
    auto record = Record("Paste special");
    Draw(record.get(), ODS_GRAYED);
    const RECT text{textLeft, item.top, item.right, item.bottom};
    const COLORREF gray = Sys(COLOR_GRAYTEXT);
    ASSERT_GT(canvas.Count(text, gray), 10);
    // The gray pixel furthest down and right has the etched copy just beyond it.
    POINT last{-1, -1};
    for (int y = text.top; y < text.bottom; ++y)
        for (int x = text.left; x < text.right; ++x)
            if (canvas.Pixel(x, y) == gray && x + y > last.x + last.y)
                last = POINT{x, y};
    EXPECT_TRUE(PixelIs(canvas, last.x + 1, last.y + 1, light));
    EXPECT_EQ(canvas.Count(text, Sys(COLOR_MENUTEXT)), 0);
}

TEST_F(ClassicStyle, CheckedItemWithoutImageShowsATickInASunkenLightCell)
{
    auto record = Record("Word wrap");
    Draw(record.get(), ODS_CHECKED);
    // The check cell: (left + 1, top + 2) to (left + 17, top + 17).
    const RECT box{item.left + 1, item.top + 2, item.left + 17, item.top + 17};
    const COLORREF cellColour = GlyphMenu::Lighten(back, 0.6);
    EXPECT_TRUE(PixelIs(canvas, box.left, box.top, shadow));
    EXPECT_TRUE(PixelIs(canvas, box.right - 1, box.bottom - 1, light));
    EXPECT_TRUE(PixelIs(canvas, box.left + 1, box.top + 1, cellColour));
    EXPECT_TRUE(TickAt(canvas, box.left + 4, box.top + 4, Sys(COLOR_MENUTEXT), cellColour));

    // Under the cursor the cell takes the plain menu colour and the bar starts
    // right of it.
    Draw(record.get(), ODS_CHECKED | ODS_SELECTED);
    EXPECT_TRUE(TickAt(canvas, box.left + 4, box.top + 4, Sys(COLOR_MENUTEXT), back));
    EXPECT_TRUE(PixelIs(canvas, item.left + 21, mid, highlight));
}

TEST_F(ClassicStyle, RadioItemsShowADotInsteadOfATick)
{
    RadioMenu radio;
    const RECT box{item.left + 1, item.top + 2, item.left + 17, item.top + 17};
    const COLORREF cellColour = GlyphMenu::Lighten(back, 0.6);
    const COLORREF ink = Sys(COLOR_MENUTEXT);
    auto record = Record("Centre");
    for (UINT id : {RadioMenu::bitmapRadio, RadioMenu::systemRadio}) {
        SCOPED_TRACE(id);
        Draw(record.get(), ODS_CHECKED, radio.Handle(), id);
        // The dot spans (left + 5, top + 4) to (left + 11, top + 10) of the cell.
        EXPECT_TRUE(PixelIs(canvas, box.left + 7, box.top + 6, ink));
        EXPECT_TRUE(PixelIs(canvas, box.left + 8, box.top + 7, ink));
        // Where a tick's first stroke would be, the cell shows.
        EXPECT_TRUE(PixelIs(canvas, box.left + 4, box.top + 7, cellColour));
    }
    Draw(record.get(), ODS_CHECKED, radio.Handle(), RadioMenu::plain);
    EXPECT_TRUE(TickAt(canvas, box.left + 4, box.top + 4, ink, cellColour));
}

TEST_F(ClassicStyle, CheckedItemWithImageShowsItInASunkenCellInsteadOfATick)
{
    auto record = Record("Bold", MF_OWNERDRAW, SharedPicture(green));
    const COLORREF cellColour = GlyphMenu::Lighten(back, 0.6);
    Draw(record.get(), ODS_CHECKED);
    EXPECT_TRUE(PixelIs(canvas, cell.left, cell.top, shadow));
    EXPECT_TRUE(PixelIs(canvas, cell.right - 1, cell.bottom - 1, light));
    EXPECT_TRUE(PixelIs(canvas, cell.left + 1, cell.top + 1, cellColour));
    EXPECT_TRUE(PixelIs(canvas, imageAt.x, imageAt.y, cellColour));
    EXPECT_TRUE(PixelIs(canvas, imageAt.x + interiorPixel.x, imageAt.y + interiorPixel.y, green));
    // Under the cursor it stays pressed in.
    Draw(record.get(), ODS_CHECKED | ODS_SELECTED);
    EXPECT_TRUE(PixelIs(canvas, cell.left, cell.top, shadow));
    EXPECT_TRUE(PixelIs(canvas, cell.right - 1, cell.bottom - 1, light));
}

TEST_F(ClassicStyle, AcceleratorIsRightAlignedIconWidthBeforeTheEdge)
{
    CrispFont font(canvas.Dc());
    const COLORREF ink = Sys(COLOR_MENUTEXT);
    auto record = Record("Open\tCtrl+O");
    Draw(record.get(), 0);
    const int right = canvas.RightMost(item, ink);
    EXPECT_LE(right, item.right - 16 - 1);
    EXPECT_GE(right, item.right - 16 - 4);
    // The label starts at the text column.
    int left = -1;
    for (int x = item.left; x < item.right && left < 0; ++x)
        if (canvas.Count(RECT{x, item.top, x + 1, item.bottom}, ink) > 0)
            left = x;
    EXPECT_GE(left, textLeft);
    EXPECT_LE(left, textLeft + 2);

    // Without a tab nothing is right-aligned.
    auto plain = Record("Open");
    Draw(plain.get(), 0);
    EXPECT_LT(canvas.RightMost(item, ink), item.left + 100);
}

TEST_F(ClassicStyle, ItemWithoutRecordIsPlainBackground)
{
    Draw(nullptr, 0);
    EXPECT_TRUE(PixelIs(canvas, item.left, item.top, back));
    EXPECT_TRUE(PixelIs(canvas, item.right - 1, item.bottom - 1, back));
}
