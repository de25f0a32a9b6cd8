// Command images: the shared list keyed by command id, its faded and shadow
// copies, bitmaps with and without system-colour mapping, toolbar lookup.
#include <gtest/gtest.h>

#include "DrawTestSupport.h"
#include "menudraw_ids.h"

using namespace menudraw;

namespace {

// What image `index` of `list` shows, drawn transparently on `paper`.
class DrawnImage {
public:
    DrawnImage(HIMAGELIST list, int index, COLORREF paper = RGB(1, 2, 3)) : canvas(16, 15, paper)
    {
        ::ImageList_Draw(list, index, canvas.Dc(), 0, 0, ILD_TRANSPARENT);
    }
    COLORREF At(POINT p) const { return canvas.Pixel(p.x, p.y); }
    COLORREF At(int x, int y) const { return canvas.Pixel(x, y); }
    Canvas canvas;
};

size_t SharedCount()
{
    return static_cast<size_t>(GlyphMenu::sharedImages.GetImageCount());
}

int AddPicture(GlyphMenu& menu, COLORREF interior, UINT id)
{
    CImageList list;
    if (!MakePictureList(list, interior))
        return -2;
    return menu.AddSharedImage(&list, 0, id);
}

// The image of a bitmap resource cell `cell` (16 pixels wide) as loaded.
COLORREF BitmapPixel(HBITMAP bitmap, int x, int y)
{
    Canvas canvas(x + 1, y + 1);
    HDC memory = ::CreateCompatibleDC(canvas.Dc());
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(canvas.Dc(), 0, 0, x + 1, y + 1, memory, 0, 0, SRCCOPY);
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
    return canvas.Pixel(x, y);
}

}  // namespace

TEST(SharedImages, SameCommandAddedTwiceKeepsItsIndexWithTheNewerImage)
{
    ScopedFamily family(classicFamily);
    GlyphMenu menu;
    const UINT id = NextTestCommand();
    const int first = AddPicture(menu, red, id);
    ASSERT_GE(first, 0);
    const size_t count = SharedCount();
    EXPECT_EQ(AddPicture(menu, blue, id), first);
    EXPECT_EQ(SharedCount(), count);
    EXPECT_EQ(GlyphMenu::sharedImageIds.size(), count);
    EXPECT_EQ(Hex(DrawnImage(GlyphMenu::sharedImages, first).At(interiorPixel)), Hex(blue));
    EXPECT_EQ(GlyphMenu::FindSharedImage(id), first);
}

TEST(SharedImages, SameCommandAddedTwiceInTheFlatStyleRenewsItsCopiesToo)
{
    ScopedFamily family(flatFamily);
    ASSERT_TRUE(GlyphMenu::UsesFlatStyle());
    GlyphMenu menu;
    const UINT id = NextTestCommand();
    const int first = AddPicture(menu, red, id);
    ASSERT_TRUE(GlyphMenu::HasImageTriple(first));
    const size_t count = SharedCount();
    EXPECT_EQ(AddPicture(menu, blue, id), first);
    EXPECT_EQ(SharedCount(), count);
    EXPECT_EQ(Hex(DrawnImage(GlyphMenu::sharedImages, first).At(interiorPixel)), Hex(blue));
    EXPECT_EQ(Hex(DrawnImage(GlyphMenu::sharedImages, first + 1).At(interiorPixel)),
              Hex(GlyphMenu::Lighten(blue, 0.3)));
    EXPECT_EQ(Hex(DrawnImage(GlyphMenu::sharedImages, first + 2).At(interiorPixel)),
              Hex(Sys(COLOR_BTNSHADOW)));
}

TEST(SharedImages, FlatStyleWithRaisedIconsAddsATripleAndTheClassicStyleOneImage)
{
    GlyphMenu menu;
    {
        ScopedFamily family(flatFamily);
        const UINT id = NextTestCommand();
        const size_t before = SharedCount();
        const int index = AddPicture(menu, green, id);
        EXPECT_EQ(index, static_cast<int>(before));
        EXPECT_EQ(SharedCount(), before + 3);
        ASSERT_EQ(GlyphMenu::sharedImageIds.size(), before + 3);
        EXPECT_EQ(GlyphMenu::sharedImageIds[before + 1], id);
        EXPECT_EQ(GlyphMenu::sharedImageIds[before + 2], id);
        EXPECT_TRUE(GlyphMenu::HasImageTriple(index));
        EXPECT_FALSE(GlyphMenu::HasImageTriple(index + 1));
        // The copies: faded foreground, and a shadow (themed: the plain shadow
        // colour); the face stays transparent in both.
        const DrawnImage faded(GlyphMenu::sharedImages, index + 1);
        EXPECT_EQ(Hex(faded.At(interiorPixel)), Hex(GlyphMenu::Lighten(green, 0.3)));
        EXPECT_EQ(Hex(faded.At(0, 0)), Hex(RGB(1, 2, 3)));
        const DrawnImage shadow(GlyphMenu::sharedImages, index + 2);
        EXPECT_EQ(Hex(shadow.At(interiorPixel)), Hex(Sys(COLOR_BTNSHADOW)));
        EXPECT_EQ(Hex(shadow.At(outlineTopLeft)), Hex(Sys(COLOR_BTNSHADOW)));
        EXPECT_EQ(Hex(shadow.At(0, 0)), Hex(RGB(1, 2, 3)));
    }
    {
        ScopedFamily family(classicFamily);
        const size_t before = SharedCount();
        const int index = AddPicture(menu, green, NextTestCommand());
        EXPECT_EQ(index, static_cast<int>(before));
        EXPECT_EQ(SharedCount(), before + 1);
        EXPECT_EQ(GlyphMenu::sharedImageIds.size(), before + 1);
        EXPECT_FALSE(GlyphMenu::HasImageTriple(index));
    }
}

TEST(SharedImages, LookupAndTripleTestStayInsideTheIds)
{
    ScopedFamily family(classicFamily);
    GlyphMenu menu;
    EXPECT_EQ(GlyphMenu::FindSharedImage(NextTestCommand()), -1);
    const UINT id = NextTestCommand();
    const int index = AddPicture(menu, red, id);
    EXPECT_EQ(GlyphMenu::FindSharedImage(id), index);
    EXPECT_FALSE(GlyphMenu::HasImageTriple(-1));
    EXPECT_FALSE(GlyphMenu::HasImageTriple(static_cast<int>(GlyphMenu::sharedImageIds.size()) - 1));
    EXPECT_FALSE(GlyphMenu::HasImageTriple(static_cast<int>(GlyphMenu::sharedImageIds.size())));
}

TEST(SharedImages, AnEmptySourceAddsNothing)
{
    GlyphMenu menu;
    CImageList empty;
    ASSERT_TRUE(empty.Create(16, 15, ILC_COLORDDB | ILC_MASK, 1, 1));
    const size_t before = GlyphMenu::sharedImageIds.size();
    EXPECT_EQ(menu.AddSharedImage(&empty, 0, NextTestCommand()), -1);
    EXPECT_EQ(menu.AddSharedImage(nullptr, 0, NextTestCommand()), -1);
    EXPECT_EQ(GlyphMenu::sharedImageIds.size(), before);
    EXPECT_EQ(SharedCount(), before);
}

TEST(FadeAndShadow, ChangeEveryPixelThatIsNotTheFaceColour)
{
    const COLORREF face = Sys(COLOR_BTNFACE);
    // A face-coloured bitmap with a few foreground pixels, one of them only one
    // step away from the face colour (as anti-aliased edges are).
    auto make = [&] {
        HBITMAP bitmap = MakePicture(red);
        HDC memory = ::CreateCompatibleDC(nullptr);
        HGDIOBJ old = ::SelectObject(memory, bitmap);
        ::SetPixel(memory, 0, 0, RGB(GetRValue(face) - 1, GetGValue(face), GetBValue(face)));
        ::SelectObject(memory, old);
        ::DeleteDC(memory);
        return bitmap;
    };
    HBITMAP faded = make();
    GlyphMenu::FadeBitmap(faded);
    EXPECT_EQ(Hex(BitmapPixel(faded, interiorPixel.x, interiorPixel.y)),
              Hex(GlyphMenu::Lighten(red, 0.3)));
    EXPECT_EQ(Hex(BitmapPixel(faded, 0, 0)),
              Hex(GlyphMenu::Lighten(RGB(GetRValue(face) - 1, GetGValue(face), GetBValue(face)), 0.3)));
    EXPECT_EQ(Hex(BitmapPixel(faded, 1, 0)), Hex(face));
    ::DeleteObject(faded);

    for (int family : {classicFamily, flatFamily}) {
        ScopedFamily scoped(family);
        // Off a theme the shadow is lighter.
        const COLORREF expected = GlyphMenu::IsThemedXp()
                                      ? Sys(COLOR_BTNSHADOW)
                                      : GlyphMenu::Lighten(Sys(COLOR_BTNSHADOW), 0.49);
        HBITMAP shadow = make();
        GlyphMenu::ShadowBitmap(shadow);
        EXPECT_EQ(Hex(BitmapPixel(shadow, interiorPixel.x, interiorPixel.y)), Hex(expected));
        EXPECT_EQ(Hex(BitmapPixel(shadow, outlineTopLeft.x, outlineTopLeft.y)), Hex(expected));
        EXPECT_EQ(Hex(BitmapPixel(shadow, 0, 0)), Hex(expected));
        EXPECT_EQ(Hex(BitmapPixel(shadow, 1, 0)), Hex(face));
        ::DeleteObject(shadow);
    }
}

// Bitmaps are loaded with the face and shadow colours changed, so a mapped gray
// can be told from an unmapped one.
class BitmapSources : public ::testing::Test {
protected:
    ScopedSysColours colours{{{COLOR_BTNFACE, RGB(200, 220, 180)},
                              {COLOR_BTNSHADOW, RGB(90, 60, 30)},
                              {COLOR_BTNHIGHLIGHT, RGB(255, 250, 230)},
                              {COLOR_BTNTEXT, RGB(10, 0, 20)}}};
    ScopedFamily family{classicFamily};
    GlyphMenu menu;
};

TEST_F(BitmapSources, SixteenColourBitmapsAreMappedToSystemColours)
{
    HBITMAP bitmap = GlyphMenu::LoadSysColorBitmap(IDT_DRAW_TOOLBAR);
    ASSERT_NE(bitmap, nullptr);
    const int grays = 3 * 16;  // the fourth cell: dark gray outline, white inside, black centre
    EXPECT_EQ(Hex(BitmapPixel(bitmap, 0, 0)), Hex(Sys(COLOR_BTNFACE)));
    EXPECT_EQ(Hex(BitmapPixel(bitmap, grays + 3, 3)), Hex(Sys(COLOR_BTNSHADOW)));
    EXPECT_EQ(Hex(BitmapPixel(bitmap, grays + 4, 4)), Hex(Sys(COLOR_BTNHIGHLIGHT)));
    EXPECT_EQ(Hex(BitmapPixel(bitmap, grays + 7, 7)), Hex(Sys(COLOR_BTNTEXT)));
    // Other colours pass unchanged.
    EXPECT_EQ(Hex(BitmapPixel(bitmap, 7, 7)), Hex(red));
    ::DeleteObject(bitmap);
}

TEST_F(BitmapSources, OtherBitmapsAreNotLoadedWithMapping)
{
    EXPECT_EQ(GlyphMenu::LoadSysColorBitmap(IDB_DRAW_COLOUR256), nullptr);
    EXPECT_EQ(GlyphMenu::LoadSysColorBitmap(IDM_DRAW_DEMO), nullptr);  // no such bitmap
}

TEST_F(BitmapSources, SixteenColourCellsGoInWithTheFaceColourTransparent)
{
    CImageList list;
    ASSERT_TRUE(list.Create(16, 15, ILC_COLORDDB | ILC_MASK, 1, 1));
    ASSERT_TRUE(menu.AddBitmapImages(&list, IDT_DRAW_TOOLBAR));
    EXPECT_EQ(list.GetImageCount(), 5);
    EXPECT_EQ(Hex(DrawnImage(list, 0).At(0, 0)), Hex(RGB(1, 2, 3)));
    EXPECT_EQ(Hex(DrawnImage(list, 0).At(interiorPixel)), Hex(red));
    EXPECT_EQ(Hex(DrawnImage(list, 1).At(interiorPixel)), Hex(blue));
    EXPECT_EQ(Hex(DrawnImage(list, 3).At(3, 3)), Hex(Sys(COLOR_BTNSHADOW)));
}

TEST_F(BitmapSources, TwoHundredFiftySixColourBitmapsKeepTheirGray)
{
    CImageList list;
    ASSERT_TRUE(list.Create(16, 15, ILC_COLORDDB | ILC_MASK, 1, 1));
    ASSERT_TRUE(menu.AddBitmapImages(&list, IDB_DRAW_COLOUR256));
    ASSERT_EQ(list.GetImageCount(), 1);
    // Unmapped light gray is not the face colour, so it is not transparent.
    EXPECT_EQ(Hex(DrawnImage(list, 0).At(0, 0)), Hex(RGB(192, 192, 192)));
    EXPECT_EQ(Hex(DrawnImage(list, 0).At(7, 7)), Hex(RGB(0, 128, 255)));

    // With the mask colour in use, that gray is the transparent one.
    menu.useMaskColour = TRUE;
    CImageList masked;
    ASSERT_TRUE(masked.Create(16, 15, ILC_COLORDDB | ILC_MASK, 1, 1));
    ASSERT_TRUE(menu.AddBitmapImages(&masked, IDB_DRAW_COLOUR256));
    EXPECT_EQ(Hex(DrawnImage(masked, 0).At(0, 0)), Hex(RGB(1, 2, 3)));
    EXPECT_EQ(Hex(DrawnImage(masked, 0).At(7, 7)), Hex(RGB(0, 128, 255)));
}

TEST_F(BitmapSources, FlatStyleAppendsCopiesOfTheFirstCellAfterAllCells)
{
    ScopedFamily flat(flatFamily);
    CImageList list;
    ASSERT_TRUE(list.Create(16, 15, ILC_COLORDDB | ILC_MASK, 1, 1));
    ASSERT_TRUE(menu.AddBitmapImages(&list, IDT_DRAW_TOOLBAR));
    ASSERT_EQ(list.GetImageCount(), 7);
    EXPECT_EQ(Hex(DrawnImage(list, 5).At(interiorPixel)), Hex(GlyphMenu::Lighten(red, 0.3)));
    EXPECT_EQ(Hex(DrawnImage(list, 6).At(interiorPixel)), Hex(Sys(COLOR_BTNSHADOW)));
}

TEST_F(BitmapSources, IconsAreAppendedAsTheyAre)
{
    CImageList pictures;
    ASSERT_TRUE(MakePictureList(pictures, green));
    HICON icon = pictures.ExtractIcon(0);
    ASSERT_NE(icon, nullptr);
    menu.imagesAreIcons = TRUE;
    CImageList list;
    ASSERT_TRUE(list.Create(16, 15, ILC_COLORDDB | ILC_MASK, 1, 1));
    EXPECT_TRUE(menu.AddBitmapImages(&list, reinterpret_cast<INT_PTR>(icon)));
    ASSERT_EQ(list.GetImageCount(), 1);
    EXPECT_EQ(Hex(DrawnImage(list, 0).At(interiorPixel)), Hex(green));
    ::DestroyIcon(icon);
}

TEST_F(BitmapSources, MissingBitmapAddsNothing)
{
    CImageList list;
    ASSERT_TRUE(list.Create(16, 15, ILC_COLORDDB | ILC_MASK, 1, 1));
    EXPECT_FALSE(menu.AddBitmapImages(&list, 999));
    EXPECT_EQ(list.GetImageCount(), 0);
    EXPECT_FALSE(menu.AddBitmapImages(nullptr, IDT_DRAW_TOOLBAR));
}

TEST(ToolbarLookup, FindsTheImageNumberOfACommandSkippingSeparators)
{
    GlyphMenu menu;
    struct Case {
        const char* label;
        UINT id;
        INT_PTR toolbar;
        BOOL found;
        int index;  // starting from 7
    };
    const Case cases[] = {
        {"after the separator", ID_DRAW_SAVE, IDT_DRAW_TOOLBAR, TRUE, 1},
        {"last button", ID_DRAW_CUT, IDT_DRAW_TOOLBAR, TRUE, 4},
        {"image 0 leaves the index alone", ID_DRAW_OPEN, IDT_DRAW_TOOLBAR, TRUE, 7},
        {"command not on the toolbar", ID_DRAW_NOT_ON_TOOLBAR, IDT_DRAW_TOOLBAR, FALSE, 7},
        {"no such toolbar", ID_DRAW_SAVE, 999, FALSE, 7},
        {"id beyond 16 bits", 0x10000u + ID_DRAW_SAVE, IDT_DRAW_TOOLBAR, FALSE, 7},
    };
    for (const Case& c : cases) {
        int index = 7;
        EXPECT_EQ(menu.LookupToolbarImage(c.id, c.toolbar, index), c.found) << c.label;
        EXPECT_EQ(index, c.index) << c.label;
    }
}

TEST(ToolbarImages, AppendedItemsShowTheirToolbarImageAndImageZeroWhenMissing)
{
    ScopedFamily family(classicFamily);
    GlyphMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    // (The demo menu's commands are left to the demo, which adds their images
    // in the flat style.)
    ASSERT_TRUE(menu.AppendItem(L"Grays", 0, ID_DRAW_GRAYS, IDT_DRAW_TOOLBAR));
    ASSERT_TRUE(menu.AppendItem(L"Elsewhere", 0, ID_DRAW_NOT_ON_TOOLBAR, IDT_DRAW_TOOLBAR));
    ASSERT_EQ(menu.items.size(), 2u);
    const int grays = menu.items[0]->sharedImageIndex;
    const int missing = menu.items[1]->sharedImageIndex;
    ASSERT_GE(grays, 0);
    ASSERT_GE(missing, 0);
    EXPECT_EQ(Hex(DrawnImage(GlyphMenu::sharedImages, grays).At(outlineTopLeft)),
              Hex(Sys(COLOR_BTNSHADOW)));
    EXPECT_EQ(Hex(DrawnImage(GlyphMenu::sharedImages, missing).At(interiorPixel)), Hex(red));
    // A later item of the same command without a source finds the same image.
    ASSERT_TRUE(menu.AppendItem(L"Grays again", 0, ID_DRAW_GRAYS));
    EXPECT_EQ(menu.items[2]->sharedImageIndex, grays);
}
