// Every state of a menu item, in both styles, painted into a DIB section and read at named points.
#include <gtest/gtest.h>

#include "GuiHarness.h"
#include "HandleCounter.h"
#include "GlyphMenu.h"
#include "ScopedFamily.h"
#include "menu_test_ids.h"

namespace {

using gui::ScopedSysColours;

// Each channel moved `fraction` of the way to white.
COLORREF Tint(COLORREF c, double fraction) {
    auto up = [fraction](int v) { return static_cast<BYTE>(v + fraction * (255 - v)); };
    return RGB(up(GetRValue(c)), up(GetGValue(c)), up(GetBValue(c)));
}

constexpr COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kUnpainted = RGB(1, 2, 3);
constexpr int kLeft = 10, kRight = 210, kPitch = 26;
enum Item { Separator, Plain, Radio, Open, Undo, OffToolbar, Own };
enum Row { SeparatorRow, AtRest, Selected, Grayed, GrayedSelected, Checked, CheckedSelected, RadioChecked,
           ImageAtRest, ImageSelected, ImageChecked, ImageGrayed, ToolbarImage, FirstImage, ImageDithered, ImageCheckedSelected, OwnImage,
           CheckImage, CheckImageSelected, Rows };
const struct { Item item; UINT state; BOOL dither = FALSE, checks = FALSE; } kRows[Rows] = {  // checks: check images for the tick
    {Separator, 0}, {Plain, 0}, {Plain, ODS_SELECTED}, {Plain, ODS_GRAYED}, {Plain, ODS_GRAYED | ODS_SELECTED},
    {Plain, ODS_CHECKED}, {Plain, ODS_CHECKED | ODS_SELECTED}, {Radio, ODS_CHECKED}, {Open, 0},
    {Open, ODS_SELECTED}, {Open, ODS_CHECKED}, {Open, ODS_GRAYED}, {Undo, 0}, {OffToolbar, 0}, {Open, ODS_GRAYED, TRUE},
    {Open, ODS_CHECKED | ODS_SELECTED}, {Own, 0}, {Plain, ODS_CHECKED, FALSE, TRUE}, {Plain, ODS_CHECKED | ODS_SELECTED, FALSE, TRUE},
};

// Spot: the pixel at (x, y) of the row's item is `colour`. Text: the columns x
// to y of the item (0, 0: the label area) hold (or lack) `colour`.
struct Check { const char* label; Row row; int x, y; COLORREF colour; bool text = false, present = true; };

class Picture {
public:
    // Images are kept per command for the whole process: each style has its own ids.
    Picture(int family, int height, UINT toolbar, UINT base) : m_family(family), m_height(height)
    {
        m_popup.CreatePopupMenu();
        m_popup.AppendItem(nullptr, 0, 0), m_popup.AppendItem(L"&Open\tCtrl+O", 0, 2001 + base), m_popup.AppendItem(L"Radio", 0, 2002 + base);
        m_popup.AppendItem(L"Open", 0, ID_OPEN + base, toolbar), m_popup.AppendItem(L"Undo", 0, ID_UNDO + base, toolbar);
        m_popup.AppendItem(L"Not on it", 0, 2003 + base, toolbar), m_popup.AppendItem(L"Own", 0, 2004 + base);
        GlyphMenuItem& own = *m_popup.items[Own];  // a list of its own: red, green (its faded copy), blue, yellow
        own.ownImages = std::make_unique<CImageList>(), own.ownImageSource = own.ownImageIndex = 0, m_cells.LoadBitmap(IDT_TEST_TOOLBAR);
        own.ownImages->Create(16, 15, ILC_COLOR24 | ILC_MASK, 4, 0), own.ownImages->Add(m_cells, RGB(192, 192, 192));
        ::CheckMenuRadioItem(m_popup, 2002 + base, 2002 + base, 2002 + base, MF_BYCOMMAND), m_popup.checkImagesShared = TRUE;
        m_canvas.Fill(kUnpainted);
        const HGDIOBJ old = ::SelectObject(m_canvas.Dc(), m_font);
        for (int row = 0; row < Rows; ++row) {
            m_popup.ditherDisabled = kRows[row].dither, m_popup.checkImages = kRows[row].checks ? own.ownImages.get() : nullptr;
            m_popup.checkedImage = m_popup.checkedSelectedImage = kRows[row].checks ? 1 : -1;
            DRAWITEMSTRUCT draw{ODT_MENU, 0, static_cast<UINT>(m_popup.items[kRows[row].item]->commandId), ODA_DRAWENTIRE,
                                kRows[row].state, reinterpret_cast<HWND>(m_popup.m_hMenu), m_canvas.Dc(), Rect(row),
                                reinterpret_cast<ULONG_PTR>(m_popup.items[kRows[row].item].get())};
            m_popup.DrawItem(&draw);
        }
        ::SelectObject(m_canvas.Dc(), old);
    }
    ~Picture() { ::DeleteObject(m_font); }
    RECT Rect(int row) const { return RECT{kLeft, row * kPitch + 2, kRight, row * kPitch + 2 + m_height}; }
    void Verify(const char* picture, const std::vector<Check>& checks) const
    {
        EXPECT_TRUE(m_canvas.MatchesPicture(picture));
        for (const Check& c : checks) {
            const RECT item = Rect(c.row);
            bool found = false;
            for (int y = item.top; y < item.bottom; ++y)
                for (int x = item.left + (c.x ? c.x : 25); c.text && x < item.left + (c.y ? c.y : 200); ++x)
                    found = found || m_canvas.Pixel(x, y) == c.colour;
            if (!c.text)  // a spot
                EXPECT_EQ(c.colour, m_canvas.Pixel(item.left + c.x, item.top + c.y)) << c.label << ": row " << c.row << " (" << c.x << ", " << c.y << ")";
            else
                EXPECT_EQ(c.present, found) << c.label << ": row " << c.row << " colour " << std::hex << c.colour;
        }
    }
private:
    gui::ScopedFamily m_family;
    int m_height;
    GlyphMenu m_popup; CBitmap m_cells;
    // Text drawn without smoothing comes out in exactly its colour.
    HFONT m_font = ::CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, NONANTIALIASED_QUALITY, 0, "Tahoma");
    gui::DibCanvas m_canvas{kRight + 10, Rows * kPitch};
};

// Drawn again, once the first drawing has filled the image caches, every row gives back all it took.
void ExpectNoLeak(int family, int height, UINT toolbar, UINT base) {
    gui::HandleCounter counter;
    { const Picture again(family, height, toolbar, base); }
    EXPECT_GT(counter.Created(), 20u); EXPECT_EQ(0u, counter.Live());
}

// Colours that all differ, so each check tells them apart.
ScopedSysColours DistinctColours() {
    return ScopedSysColours({{COLOR_MENU, RGB(230, 225, 210)}, {COLOR_BTNFACE, RGB(212, 208, 200)},
        {COLOR_BTNHIGHLIGHT, RGB(250, 250, 240)}, {COLOR_BTNSHADOW, RGB(128, 120, 110)}, {COLOR_HIGHLIGHT, RGB(10, 36, 106)},
        {COLOR_HIGHLIGHTTEXT, RGB(255, 255, 200)}, {COLOR_MENUTEXT, RGB(20, 0, 40)}, {COLOR_GRAYTEXT, RGB(140, 140, 150)},
        {COLOR_WINDOW, RGB(255, 255, 255)}});
}

TEST(MenuDrawing, ClassicStyle) {
    const auto colours = DistinctColours();
    const COLORREF back = ::GetSysColor(COLOR_MENU), light = ::GetSysColor(COLOR_BTNHIGHLIGHT),
                   shadow = ::GetSysColor(COLOR_BTNSHADOW), high = ::GetSysColor(COLOR_HIGHLIGHT),
                   ink = ::GetSysColor(COLOR_MENUTEXT), gray = ::GetSysColor(COLOR_GRAYTEXT), cell = Tint(back, 0.6);
    // The icon cell is 20 x 19 at the item's corner, the image 2 pixels in.
    const Picture picture(gui::classicFamily, 19, IDT_TEST_TOOLBAR, 0);
    ExpectNoLeak(gui::classicFamily, 19, IDT_TEST_TOOLBAR, 0);
    // Every pixel is in the picture; these say what its parts are.
    picture.Verify("MENU_CLASSIC", {
        {"separator: etched line", SeparatorRow, 100, 9, shadow}, {"separator: etched line", SeparatorRow, 100, 10, light},
        {"at rest: the label begins 25 pixels in", AtRest, 25, 26, ink, true}, {"at rest: not before", AtRest, 1, 25, ink, true, false},
        {"accelerator: right-aligned an icon width before the edge", AtRest, 180, 184, ink, true},
        {"selected: the whole item", Selected, 0, 0, high}, {"selected: text", Selected, 0, 0, ::GetSysColor(COLOR_HIGHLIGHTTEXT), true},
        {"grayed: gray text", Grayed, 0, 0, gray, true}, {"grayed: etched copy", Grayed, 0, 0, light, true},
        {"grayed selected: text in menu colour", GrayedSelected, 0, 0, back, true},
        {"checked: light cell", Checked, 14, 14, cell}, {"checked: sunken edge", Checked, 1, 2, shadow}, {"checked: tick", Checked, 5, 8, ink},
        {"checked selected: plain cell", CheckedSelected, 14, 14, back}, {"radio: dot", RadioChecked, 9, 9, ink},
        {"image", ImageAtRest, 10, 10, kRed}, {"image selected: raised", ImageSelected, 0, 0, light}, {"image checked: sunken", ImageChecked, 0, 0, shadow},
        {"image grayed: embossed", ImageGrayed, 10, 10, shadow}, {"image grayed: white is no shape, lit below its right", ImageGrayed, 7, 7, light},
        {"the command's toolbar image", ToolbarImage, 10, 10, kBlue}, {"off the toolbar: its first image", FirstImage, 10, 10, kRed},
    });
    Picture(gui::classicFamily, 21, IDT_TEST_TOOLBAR, 0).Verify("MENU_CLASSIC_TALLER", {{"taller: the cell centred, a pixel lower", ImageAtRest, 3, 2, back}, {"taller", ImageAtRest, 3, 3, kRed}});

    // With no area to draw into, the off-screen context draws straight through
    // and leaves the target's context alive.
    gui::DibCanvas canvas(4, 4);
    CDC target(canvas.Dc());
    ::SetBkColor(canvas.Dc(), kRed);
    { OffscreenDC(&target, RECT{1, 1, 1, 3}).FillSolidRect(RECT{0, 0, 2, 2}, kBlue); }
    EXPECT_EQ(kBlue, canvas.Pixel(1, 1));
    EXPECT_EQ(kRed, ::GetBkColor(canvas.Dc()));  // a fill leaves the background colour as it found it
    EXPECT_NE(CLR_INVALID, ::SetPixel(canvas.Dc(), 3, 3, kRed));
}

TEST(MenuDrawing, FlatStyle) {
    const auto colours = DistinctColours();
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE), window = ::GetSysColor(COLOR_WINDOW), light = ::GetSysColor(COLOR_BTNHIGHLIGHT),
                   shadow = ::GetSysColor(COLOR_BTNSHADOW), high = ::GetSysColor(COLOR_HIGHLIGHT), ink = ::GetSysColor(COLOR_MENUTEXT),
                   gray = ::GetSysColor(COLOR_GRAYTEXT), selection = Tint(high, 0.7), cell = Tint(high, 0.85);
    // A 23 pixel icon column; images 4 pixels in, raised ones 3, their shadows 5.
    const Picture picture(gui::flatFamily, 22, IDT_FLAT_TOOLBAR, 100);
    ExpectNoLeak(gui::flatFamily, 22, IDT_FLAT_TOOLBAR, 100);
    picture.Verify("MENU_FLAT", {
        {"separator: line after a gap", SeparatorRow, 40, 11, shadow}, {"separator: gap", SeparatorRow, 29, 11, window},
        {"at rest: column", AtRest, 5, 2, face}, {"at rest: background", AtRest, 40, 2, window},
        {"at rest: the label begins 31 pixels in", AtRest, 31, 32, ink, true}, {"no text over the column", AtRest, 1, 31, ink, true, false},
        {"selected: frame", Selected, 0, 0, high}, {"selected: fill over the column", Selected, 5, 5, selection},
        {"grayed: no etched copy", Grayed, 0, 0, light, true, false}, {"grayed selected: never highlighted", GrayedSelected, 0, 0, face},
        {"checked: framed cell", Checked, 4, 3, high}, {"checked: light cell", Checked, 18, 17, cell},
        {"image: faded at rest", ImageAtRest, 12, 12, Tint(kRed, 0.3)}, {"image selected: raised", ImageSelected, 11, 11, kRed},
        {"image selected: its shadow", ImageSelected, 20, 18, shadow}, {"image checked: raised, no shadow", ImageChecked, 19, 18, cell},
        {"image grayed: embossed", ImageGrayed, 12, 12, shadow}, {"its own list: the second image is its faded copy", OwnImage, 12, 12, RGB(0, 128, 0)},
    });
}

TEST(MenuImages, ACommandAddedAgainKeepsItsPlaceWithTheNewerPicture) {
    {   // The classic style raises no icons: no copies are made for it.
        const gui::ScopedFamily classic(gui::classicFamily);
        GlyphMenu menu;
        CImageList cells;
        ASSERT_TRUE(menu.CreatePopupMenu() && menu.AppendItem(L"Plain", 0, 3002, IDT_TEST_TOOLBAR) && menu.items[0]->sharedImageIndex >= 0);
        EXPECT_FALSE(GlyphMenu::HasImageTriple(menu.items[0]->sharedImageIndex));
        ASSERT_TRUE(cells.Create(16, 15, ILC_COLORDDB | ILC_MASK, 1, 1) && menu.AddBitmapImages(&cells, IDT_TEST_TOOLBAR));
        EXPECT_EQ(4, cells.GetImageCount());
        const size_t ids = GlyphMenu::sharedImageIds.size();  // the first image's command, too, is found again: it keeps its place
        EXPECT_TRUE(menu.AddSharedImage(&GlyphMenu::sharedImages, 0, GlyphMenu::sharedImageIds[0]) == 0 && ids == GlyphMenu::sharedImageIds.size());
    }
    const gui::ScopedFamily family(gui::flatFamily);
    GlyphMenu menu;
    menu.CreatePopupMenu();
    menu.AppendItem(L"Off the toolbar", 0, 3001, IDT_TEST_TOOLBAR);
    const int index = menu.items[0]->sharedImageIndex;
    ASSERT_GE(index, 0);
    EXPECT_TRUE(GlyphMenu::HasImageTriple(index));
    CImageList cells;
    ASSERT_TRUE(cells.Create(16, 15, ILC_COLORDDB | ILC_MASK, 1, 1) && menu.AddBitmapImages(&cells, IDT_TEST_TOOLBAR));
    EXPECT_EQ(6, cells.GetImageCount());  // four cells, then copies of the first
    gui::DibCanvas copies(32, 15); cells.Draw(copies.Dc(), 0, POINT{0, 0}, ILD_NORMAL), cells.Draw(copies.Dc(), 4, POINT{16, 0}, ILD_NORMAL);
    EXPECT_EQ(Tint(copies.Pixel(8, 8), 0.3), copies.Pixel(24, 8));  // the faded copy
    const size_t count = GlyphMenu::sharedImageIds.size();
    EXPECT_EQ(index, menu.AddSharedImage(&cells, 2, 3001));  // the blue cell, in place of the red
    EXPECT_EQ(count, GlyphMenu::sharedImageIds.size());
    gui::DibCanvas canvas(48, 15);
    for (int i = 0; i < 3; ++i)
        GlyphMenu::sharedImages.Draw(canvas.Dc(), index + i, POINT{16 * i, 0}, ILD_NORMAL);
    EXPECT_EQ(kBlue, canvas.Pixel(8, 8));
    EXPECT_EQ(Tint(kBlue, 0.3), canvas.Pixel(24, 8));  // faded
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), canvas.Pixel(40, 8));  // shadow
}

}  // namespace
