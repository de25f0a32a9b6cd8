// The flat style: white items beside a shaded icon column, a light selection
// with a one-pixel frame, framed check cells and raised icons with a shadow.
#include <gtest/gtest.h>

#include "StyleTestFixture.h"

using namespace menudraw;

namespace {

// 22 pixels: the flat item height with the default cell and raised icons.
class FlatStyle : public StyleTest {
protected:
    FlatStyle() : StyleTest(flatFamily, 22) {}

    void SetUp() override
    {
        ASSERT_TRUE(GlyphMenu::IsThemedXp()) << "the test prefix must not use the classic theme";
        ASSERT_TRUE(GlyphMenu::UsesFlatStyle());
    }

    // Themed: the column is the plain face colour, the selection a 0.7 tint.
    const COLORREF window = Sys(COLOR_WINDOW);
    const COLORREF face = Sys(COLOR_BTNFACE);
    const COLORREF highlight = Sys(COLOR_HIGHLIGHT);
    const COLORREF selection = GlyphMenu::Lighten(highlight, 0.7);
    const COLORREF checkedCell = GlyphMenu::Lighten(highlight, 0.85);
    static constexpr int barWidth = 23;
    // Images sit 4 pixels in; raised ones one pixel up and left of that.
    const POINT imageAt{item.left + 4, item.top + 4};
    const RECT cell{item.left + 1, item.top + 1, item.left + barWidth - 1, item.bottom - 1};
};

}  // namespace

TEST_F(FlatStyle, SeparatorLineStartsAGapRightOfTheStillDrawnIconColumn)
{
    auto separator = Separator();
    Draw(separator.get(), 0);
    const int lineStart = item.left + barWidth + 7;
    for (int y : {int(item.top), mid, int(item.bottom - 1)}) {
        EXPECT_TRUE(PixelIs(canvas, item.left, y, face));
        EXPECT_TRUE(PixelIs(canvas, item.left + barWidth - 1, y, face));
    }
    EXPECT_TRUE(PixelIs(canvas, item.left + barWidth, mid, window));
    EXPECT_TRUE(PixelIs(canvas, lineStart - 1, mid, window));
    for (int x : {lineStart, lineStart + 50, int(item.right - 1)}) {
        EXPECT_TRUE(PixelIs(canvas, x, mid, Sys(COLOR_BTNSHADOW)));
        EXPECT_TRUE(PixelIs(canvas, x, mid + 1, Sys(COLOR_BTNHIGHLIGHT)));
        EXPECT_TRUE(PixelIs(canvas, x, mid - 1, window));
        EXPECT_TRUE(PixelIs(canvas, x, mid + 2, window));
    }
}

TEST_F(FlatStyle, SelectionIsALightFillInAOnePixelFrame)
{
    auto record = Record("Open");
    Draw(record.get(), ODS_SELECTED);
    EXPECT_TRUE(PixelIs(canvas, item.left, item.top, highlight));
    EXPECT_TRUE(PixelIs(canvas, item.right - 1, item.top, highlight));
    EXPECT_TRUE(PixelIs(canvas, item.left, item.bottom - 1, highlight));
    EXPECT_TRUE(PixelIs(canvas, item.right - 1, item.bottom - 1, highlight));
    EXPECT_TRUE(PixelIs(canvas, item.left + 1, item.top + 1, selection));
    EXPECT_TRUE(PixelIs(canvas, item.right - 2, item.bottom - 2, selection));

    Draw(record.get(), 0);
    EXPECT_TRUE(PixelIs(canvas, item.left, item.top, face));
    EXPECT_TRUE(PixelIs(canvas, item.left + barWidth - 1, item.bottom - 1, face));
    EXPECT_TRUE(PixelIs(canvas, item.left + barWidth, item.top, window));
    EXPECT_TRUE(PixelIs(canvas, item.right - 1, item.bottom - 1, window));
}

TEST_F(FlatStyle, DisabledItemUnderTheCursorIsNeverHighlighted)
{
    auto record = Record("Paste special");
    Draw(record.get(), ODS_SELECTED | ODS_GRAYED);
    EXPECT_EQ(canvas.Count(item, selection), 0);
    EXPECT_TRUE(PixelIs(canvas, item.left, item.top, face));
    EXPECT_TRUE(PixelIs(canvas, item.right - 1, item.top, window));
    EXPECT_TRUE(PixelIs(canvas, item.right - 1, item.bottom - 1, window));
    // Its text is drawn, in gray and nothing darker.
    EXPECT_GT(canvas.Count(item, Sys(COLOR_GRAYTEXT)), 0);
    EXPECT_EQ(canvas.Count(item, Sys(COLOR_MENUTEXT)), 0);
    // Only the item is painted.
    EXPECT_TRUE(PixelIs(canvas, item.left - 1, item.top, RGB(1, 2, 3)));
    EXPECT_TRUE(PixelIs(canvas, item.left, item.bottom, RGB(1, 2, 3)));
}

TEST_F(FlatStyle, DisabledImageIsEmbossedOnTheColumn)
{
    auto record = Record("Cut", MF_OWNERDRAW, SharedPicture(red));
    Draw(record.get(), ODS_SELECTED | ODS_GRAYED);
    EXPECT_EQ(canvas.Count(item, selection), 0);
    EXPECT_TRUE(PixelIs(canvas, imageAt.x, imageAt.y, face));
    EXPECT_TRUE(PixelIs(canvas, imageAt.x + interiorPixel.x, imageAt.y + interiorPixel.y,
                        Sys(COLOR_BTNSHADOW)));
    EXPECT_TRUE(PixelIs(canvas, imageAt.x + outlineBottomRight.x + 1,
                        imageAt.y + outlineBottomRight.y + 1, Sys(COLOR_BTNHIGHLIGHT)));
}

TEST_F(FlatStyle, CheckedItemWithoutImageShowsATickInAFramedLightCell)
{
    auto record = Record("Word wrap");
    Draw(record.get(), ODS_CHECKED);
    // A 16 x 16 cell centred in the column: (left + 4, top + 3).
    const RECT box{item.left + 4, item.top + 3, item.left + 20, item.top + 19};
    EXPECT_TRUE(PixelIs(canvas, box.left, box.top, highlight));
    EXPECT_TRUE(PixelIs(canvas, box.right - 1, box.bottom - 1, highlight));
    EXPECT_TRUE(PixelIs(canvas, box.left + 1, box.top + 1, checkedCell));
    EXPECT_TRUE(PixelIs(canvas, box.left - 1, box.top, face));
    EXPECT_TRUE(TickAt(canvas, box.left + 5, box.top + 4, Sys(COLOR_MENUTEXT), checkedCell));
}

TEST_F(FlatStyle, RadioItemsShowADot)
{
    RadioMenu radio;
    const RECT box{item.left + 4, item.top + 3, item.left + 20, item.top + 19};
    auto record = Record("Centre");
    for (UINT id : {RadioMenu::bitmapRadio, RadioMenu::systemRadio}) {
        SCOPED_TRACE(id);
        Draw(record.get(), ODS_CHECKED, radio.Handle(), id);
        EXPECT_TRUE(PixelIs(canvas, box.left + 7, box.top + 6, Sys(COLOR_MENUTEXT)));
        EXPECT_TRUE(PixelIs(canvas, box.left + 8, box.top + 7, Sys(COLOR_MENUTEXT)));
        EXPECT_TRUE(PixelIs(canvas, box.left + 4, box.top + 7, checkedCell));
    }
}

TEST_F(FlatStyle, CheckedItemWithImageShowsItRaisedInAFramedLightCell)
{
    auto record = Record("Bold", MF_OWNERDRAW, SharedPicture(green));
    Draw(record.get(), ODS_CHECKED);
    EXPECT_TRUE(PixelIs(canvas, cell.left, cell.top, highlight));
    EXPECT_TRUE(PixelIs(canvas, cell.right - 1, cell.bottom - 1, highlight));
    EXPECT_TRUE(PixelIs(canvas, cell.left + 1, cell.top + 1, checkedCell));
    EXPECT_TRUE(PixelIs(canvas, item.left, mid, face));
    // The image itself, one pixel up and left, not its faded copy.
    EXPECT_TRUE(PixelIs(canvas, imageAt.x - 1 + interiorPixel.x, imageAt.y - 1 + interiorPixel.y,
                        green));
    EXPECT_TRUE(PixelIs(canvas, imageAt.x - 1 + outlineTopLeft.x, imageAt.y - 1 + outlineTopLeft.y,
                        RGB(0, 0, 0)));
}

TEST_F(FlatStyle, RaisedIconFloatsOverItsShadowAndRestsFaded)
{
    const int index = SharedPicture(red);
    ASSERT_TRUE(GlyphMenu::HasImageTriple(index));
    auto record = Record("Open", MF_OWNERDRAW, index);

    Draw(record.get(), ODS_SELECTED);
    const POINT raised{imageAt.x - 1, imageAt.y - 1};
    const POINT shadowAt{imageAt.x + 1, imageAt.y + 1};
    EXPECT_TRUE(PixelIs(canvas, cell.left, cell.top, selection));
    EXPECT_TRUE(PixelIs(canvas, raised.x + interiorPixel.x, raised.y + interiorPixel.y, red));
    EXPECT_TRUE(PixelIs(canvas, raised.x + outlineTopLeft.x, raised.y + outlineTopLeft.y,
                        RGB(0, 0, 0)));
    // Beyond the image's lower right the shadow shows (themed: the plain shadow colour).
    const COLORREF shadow = Sys(COLOR_BTNSHADOW);
    EXPECT_TRUE(PixelIs(canvas, shadowAt.x + outlineBottomRight.x, shadowAt.y + outlineBottomRight.y,
                        shadow));
    EXPECT_TRUE(PixelIs(canvas, raised.x + outlineBottomRight.x + 1, shadowAt.y + outlineBottomRight.y,
                        shadow));
    EXPECT_TRUE(PixelIs(canvas, shadowAt.x + outlineBottomRight.x + 1,
                        shadowAt.y + outlineBottomRight.y + 1, selection));

    Draw(record.get(), 0);
    EXPECT_TRUE(PixelIs(canvas, imageAt.x + interiorPixel.x, imageAt.y + interiorPixel.y,
                        GlyphMenu::Lighten(red, 0.3)));
    EXPECT_TRUE(PixelIs(canvas, imageAt.x + outlineTopLeft.x, imageAt.y + outlineTopLeft.y,
                        GlyphMenu::Lighten(RGB(0, 0, 0), 0.3)));
    EXPECT_TRUE(PixelIs(canvas, imageAt.x + outlineBottomRight.x + 1,
                        imageAt.y + outlineBottomRight.y + 1, face));
}

TEST_F(FlatStyle, ImageWithoutCopiesRestsAsItIs)
{
    int index = -1;
    {
        ScopedFamily classic(classicFamily);
        index = SharedPicture(blue);
    }
    ASSERT_FALSE(GlyphMenu::HasImageTriple(index));
    auto record = Record("Save", MF_OWNERDRAW, index);
    Draw(record.get(), 0);
    EXPECT_TRUE(PixelIs(canvas, imageAt.x + interiorPixel.x, imageAt.y + interiorPixel.y, blue));
    Draw(record.get(), ODS_SELECTED);
    EXPECT_TRUE(PixelIs(canvas, imageAt.x + interiorPixel.x, imageAt.y + interiorPixel.y, blue));
    EXPECT_TRUE(PixelIs(canvas, imageAt.x + outlineBottomRight.x + 1,
                        imageAt.y + outlineBottomRight.y + 1, selection));
}

TEST_F(FlatStyle, AcceleratorIsRightAlignedIconWidthBeforeTheEdge)
{
    CrispFont font(canvas.Dc());
    const COLORREF ink = Sys(COLOR_MENUTEXT);
    auto record = Record("Open\tCtrl+O");
    Draw(record.get(), 0);
    const int right = canvas.RightMost(item, ink);
    EXPECT_LE(right, item.right - 16 - 1);
    EXPECT_GE(right, item.right - 16 - 4);
    const RECT column{item.left, item.top, item.left + barWidth + 8, item.bottom};
    EXPECT_EQ(canvas.Count(column, ink), 0);
}
