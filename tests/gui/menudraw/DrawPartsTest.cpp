// The small drawing routines both menu styles share: tick, dot, colour
// lightening, the off-screen context, image rendering and disabled images.
#include <gtest/gtest.h>

#include "DrawTestSupport.h"

using namespace menudraw;

namespace {

constexpr COLORREF paper = RGB(250, 240, 230);
constexpr COLORREF ink = RGB(10, 20, 30);

// The tick, row by row: '#' where the colour lands.
const char* const tickRows[7] = {
    "......#",
    ".....##",
    "#...###",
    "##.###.",
    "#####..",
    ".###...",
    "..#....",
};

}  // namespace

TEST(DrawTick, PaintsTheSevenBySevenPatternAndNothingElse)
{
    Canvas canvas(12, 12, paper);
    CDC dc(canvas.Dc());
    GlyphMenu::DrawTick(&dc, 2, 3, ink);
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 12; ++x) {
            const int tx = x - 2;
            const int ty = y - 3;
            const bool inTick = tx >= 0 && tx < 7 && ty >= 0 && ty < 7 && tickRows[ty][tx] == '#';
            EXPECT_TRUE(PixelIs(canvas, x, y, inTick ? ink : paper));
        }
    }
}

TEST(DrawDot, FillsARoundDotInsideItsSixPixelSquare)
{
    Canvas canvas(12, 12, paper);
    CDC dc(canvas.Dc());
    GlyphMenu::DrawDot(&dc, 3, 2, ink);
    // Solid in the middle.
    for (int y = 4; y <= 5; ++y)
        for (int x = 5; x <= 6; ++x)
            EXPECT_TRUE(PixelIs(canvas, x, y, ink));
    // Nothing outside (3, 2)-(9, 8), and round: the corners stay clear.
    EXPECT_EQ(canvas.Count(RECT{0, 0, 12, 12}, ink), canvas.Count(RECT{3, 2, 9, 8}, ink));
    EXPECT_TRUE(PixelIs(canvas, 3, 2, paper));
    EXPECT_TRUE(PixelIs(canvas, 8, 7, paper));
    EXPECT_GE(canvas.Count(RECT{3, 2, 9, 8}, ink), 16);
}

TEST(Lighten, MovesEachChannelTowardsWhiteWithinItsBounds)
{
    struct Case {
        const char* label;
        COLORREF colour;
        double fraction;
        COLORREF expected;
    };
    const Case cases[] = {
        {"zero keeps the colour", RGB(10, 100, 200), 0.0, RGB(10, 100, 200)},
        {"negative keeps the colour", RGB(10, 100, 200), -0.5, RGB(10, 100, 200)},
        {"above one keeps the colour", RGB(10, 100, 200), 1.01, RGB(10, 100, 200)},
        {"one gives white", RGB(10, 100, 200), 1.0, RGB(255, 255, 255)},
        {"half, truncated", RGB(0, 100, 255), 0.5, RGB(127, 177, 255)},
        {"fade of pure red", RGB(255, 0, 0), 0.3, RGB(255, 76, 76)},
        {"a sliver truncates to nothing", RGB(0, 0, 0), 0.001, RGB(0, 0, 0)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Hex(GlyphMenu::Lighten(c.colour, c.fraction)), Hex(c.expected)) << c.label;
    }
}

TEST(OffscreenDCTest, DrawsInTargetCoordinatesAndCopiesBackOnlyWhenDestroyed)
{
    Canvas target(40, 30, paper);
    CDC targetDc(target.Dc());
    const RECT area{10, 5, 30, 20};
    {
        OffscreenDC offscreen(&targetDc, area);
        offscreen.FillSolidRect(RECT{0, 0, 40, 30}, ink);  // spills past the area
        offscreen.FillSolidRect(RECT{12, 7, 14, 9}, RGB(0, 255, 0));
        // Nothing reaches the target while the object lives.
        EXPECT_TRUE(PixelIs(target, 10, 5, paper));
        EXPECT_TRUE(PixelIs(target, 12, 7, paper));
    }
    EXPECT_TRUE(PixelIs(target, 10, 5, ink));
    EXPECT_TRUE(PixelIs(target, 29, 19, ink));
    EXPECT_TRUE(PixelIs(target, 12, 7, RGB(0, 255, 0)));
    EXPECT_TRUE(PixelIs(target, 13, 8, RGB(0, 255, 0)));
    // Only the area is copied.
    EXPECT_TRUE(PixelIs(target, 9, 5, paper));
    EXPECT_TRUE(PixelIs(target, 30, 19, paper));
    EXPECT_TRUE(PixelIs(target, 10, 4, paper));
    EXPECT_TRUE(PixelIs(target, 10, 20, paper));
    EXPECT_TRUE(PixelIs(target, 0, 0, paper));
}

TEST(OffscreenDCTest, DrawsStraightThroughWhenTheAreaIsEmpty)
{
    Canvas target(20, 20, paper);
    CDC targetDc(target.Dc());
    {
        OffscreenDC offscreen(&targetDc, RECT{5, 5, 5, 5});
        EXPECT_EQ(offscreen.GetSafeHdc(), target.Dc());
        offscreen.FillSolidRect(RECT{1, 1, 3, 3}, ink);
    }
    EXPECT_TRUE(PixelIs(target, 1, 1, ink));
    // The borrowed context survives the object.
    EXPECT_NE(::GetCurrentObject(target.Dc(), OBJ_BITMAP), nullptr);
    EXPECT_TRUE(PixelIs(target, 2, 2, ink));
}

TEST(IconToBitmap, RendersTheEntryOnTheFaceColourAtCellSize)
{
    GlyphMenu menu;
    CImageList list;
    ASSERT_TRUE(MakePictureList(list, red));
    Canvas canvas(1, 1);
    CDC dc(canvas.Dc());
    CBitmap bitmap;
    ASSERT_TRUE(menu.IconToBitmap(&dc, &list, 0, bitmap));
    const SIZE size = bitmap.GetSize();
    EXPECT_EQ(size.cx, 16);
    EXPECT_EQ(size.cy, 15);

    Canvas copy(16, 15);
    CDC source;
    ASSERT_TRUE(source.CreateCompatibleDC(copy.Dc()));
    HGDIOBJ old = source.SelectObject(&bitmap);
    ::BitBlt(copy.Dc(), 0, 0, 16, 15, source, 0, 0, SRCCOPY);
    source.SelectObject(old);
    EXPECT_TRUE(PixelIs(copy, 0, 0, Sys(COLOR_BTNFACE)));
    EXPECT_TRUE(PixelIs(copy, interiorPixel.x, interiorPixel.y, red));
    EXPECT_TRUE(PixelIs(copy, outlineTopLeft.x, outlineTopLeft.y, RGB(0, 0, 0)));

    // No list or no such entry: nothing to render.
    EXPECT_FALSE(menu.IconToBitmap(&dc, nullptr, 0, bitmap));
    EXPECT_FALSE(menu.IconToBitmap(&dc, &list, 5, bitmap));
}

// Both disabled drawings etch the shape: shadow on the shape, highlight on the
// shape moved one pixel right and down, the background colour elsewhere.
class DisabledImage : public ::testing::TestWithParam<bool> {};

TEST_P(DisabledImage, EtchesTheShapeInShadowAndHighlightOnTheBackground)
{
    const bool dither = GetParam();
    GlyphMenu menu;
    CImageList list;
    ASSERT_TRUE(MakePictureList(list, red));
    Canvas canvas(40, 30, paper);
    CDC dc(canvas.Dc());
    CBitmap picture;
    ASSERT_TRUE(menu.IconToBitmap(&dc, &list, 0, picture));
    const COLORREF background = RGB(200, 210, 220);
    const int x = 6;
    const int y = 4;
    if (dither)
        menu.DitherDisabled(canvas.Dc(), x, y, 16, 15, picture, 0, 0, background);
    else
        menu.EmbossDisabled(&dc, x, y, 16, 15, &picture, 0, 0, background);

    const COLORREF shadow = Sys(COLOR_BTNSHADOW);
    const COLORREF light = Sys(COLOR_BTNHIGHLIGHT);
    // The face around the picture is background, not shape.
    EXPECT_TRUE(PixelIs(canvas, x, y, background));
    EXPECT_TRUE(PixelIs(canvas, x + 15, y + 14, background));
    EXPECT_TRUE(PixelIs(canvas, x + 2, y + 2, background));
    // Outline and interior alike are shape.
    EXPECT_TRUE(PixelIs(canvas, x + outlineTopLeft.x, y + outlineTopLeft.y, shadow));
    EXPECT_TRUE(PixelIs(canvas, x + interiorPixel.x, y + interiorPixel.y, shadow));
    EXPECT_TRUE(PixelIs(canvas, x + outlineBottomRight.x, y + outlineBottomRight.y, shadow));
    // The highlight shows below and right of the shape.
    EXPECT_TRUE(PixelIs(canvas, x + outlineBottomRight.x + 1, y + outlineBottomRight.y + 1, light));
    EXPECT_TRUE(PixelIs(canvas, x + outlineBottomRight.x + 1, y + outlineTopLeft.y + 1, light));
    EXPECT_TRUE(PixelIs(canvas, x + outlineTopLeft.x + 1, y + outlineBottomRight.y + 1, light));
    EXPECT_TRUE(PixelIs(canvas, x + outlineBottomRight.x + 2, y + outlineBottomRight.y + 2,
                        background));
    // Nothing left of or above the drawing changes.
    EXPECT_TRUE(PixelIs(canvas, x - 1, y, paper));
    EXPECT_TRUE(PixelIs(canvas, x, y - 1, paper));
}

INSTANTIATE_TEST_SUITE_P(EmbossAndDither, DisabledImage, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Dither" : "Emboss"; });

TEST(DitherDisabled, TreatsWhiteAsBackgroundAndAnyOtherColourAsShape)
{
    GlyphMenu menu;
    // White around a black block, with one almost white pixel in it.
    Canvas source(16, 15, RGB(255, 255, 255));
    HBRUSH black = ::CreateSolidBrush(RGB(0, 0, 0));
    RECT block{4, 4, 10, 9};
    ::FillRect(source.Dc(), &block, black);
    ::DeleteObject(black);
    ::SetPixel(source.Dc(), 2, 2, RGB(250, 252, 254));
    HBITMAP bitmap = static_cast<HBITMAP>(::GetCurrentObject(source.Dc(), OBJ_BITMAP));
    HBITMAP copy = static_cast<HBITMAP>(::CopyImage(bitmap, IMAGE_BITMAP, 0, 0, 0));
    ASSERT_NE(copy, nullptr);

    Canvas canvas(30, 30, paper);
    const COLORREF background = RGB(200, 210, 220);
    menu.DitherDisabled(canvas.Dc(), 2, 2, 16, 15, copy, 0, 0, background);
    ::DeleteObject(copy);
    EXPECT_TRUE(PixelIs(canvas, 2, 2, background));
    EXPECT_TRUE(PixelIs(canvas, 2 + 4, 2 + 4, Sys(COLOR_BTNSHADOW)));
    EXPECT_TRUE(PixelIs(canvas, 2 + 10, 2 + 9, Sys(COLOR_BTNHIGHLIGHT)));
    EXPECT_TRUE(PixelIs(canvas, 2 + 2, 2 + 2, Sys(COLOR_BTNSHADOW)));
    EXPECT_TRUE(PixelIs(canvas, 2 + 3, 2 + 3, Sys(COLOR_BTNHIGHLIGHT)));
}
