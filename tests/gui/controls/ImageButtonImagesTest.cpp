// The image button's icons and bitmaps: where each alignment puts the image
// with and without a caption, which slot each state shows, transparency
// through the mask, the disabled look, and releasing the images.

#include <gtest/gtest.h>

#include <memory>

#include "CImageButton.h"
#include "ControlsHarness.h"
#include "DrawingButton.h"
#include "resource.h"

namespace {

using ctl::Box;

constexpr WORD kButton = 201;
constexpr WORD kCheck = 202;
constexpr int kSize = ctl::kTestImageSize;  // with a 2-pixel transparent border
constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kGreen = RGB(0, 160, 0);
constexpr COLORREF kOrange = RGB(250, 140, 0);
constexpr COLORREF kBlue = RGB(0, 0, 200);
constexpr COLORREF kYellow = RGB(230, 230, 0);

COLORREF Sys(int index) { return ::GetSysColor(index); }

// Where the opaque middle of an image placed at (x, y) lands.
std::string MiddleAt(int x, int y)
{
    Box box;
    box.left = x + 2;
    box.top = y + 2;
    box.right = x + kSize - 3;
    box.bottom = y + kSize - 3;
    return ctl::Describe(box);
}

class ImageButtonImages : public ::testing::Test {
protected:
    void SetUp() override
    {
        gui::DialogTemplate t(WS_POPUP | WS_CAPTION | DS_MODALFRAME, 200, 100, "Images");
        t.Add("Button", "Go", kButton, BS_PUSHBUTTON | WS_TABSTOP, 8, 8, 70, 30)
            .Add("Button", "Go", kCheck, BS_AUTOCHECKBOX | WS_TABSTOP, 100, 8, 70, 30);
        host = std::make_unique<ctl::HostDialog>(t);
        ASSERT_TRUE(host->IsWindow());
        ASSERT_TRUE(button.SubclassDlgItem(kButton, host.get()));
        ASSERT_TRUE(check.SubclassDlgItem(kCheck, host.get()));
        const RECT r = ctl::ClientRect(button);
        w = r.right;
        h = r.bottom;
        face = Sys(COLOR_BTNFACE);
    }

    std::unique_ptr<gui::DibCanvas> Draw(CImageButton& b, UINT state)
    {
        auto canvas = std::make_unique<gui::DibCanvas>(w, h);
        ctl::DrawThroughParent(b, *canvas, state);
        return canvas;
    }

    std::string Where(const gui::DibCanvas& c, COLORREF colour)
    {
        return ctl::Describe(ctl::FindColour(c, colour, RECT{0, 0, w, h}));
    }

    // The caption's ink lies in its measured block centred in `area`.
    ::testing::AssertionResult CaptionCentredIn(const gui::DibCanvas& c, RECT area)
    {
        RECT measured = area;
        const HDC dc = ::GetDC(button);
        const HGDIOBJ old = ::SelectObject(dc, button.GetFontHandle());
        ::DrawTextA(dc, "Go", -1, &measured, DT_WORDBREAK | DT_CENTER | DT_CALCRECT);
        ::SelectObject(dc, old);
        ::ReleaseDC(button, dc);
        const int mw = measured.right - measured.left, mh = measured.bottom - measured.top;
        const int left = area.left + ((area.right - area.left) - mw) / 2;
        const int top = area.top + ((area.bottom - area.top) - mh) / 2;
        const Box ink = ctl::FindColour(c, Sys(COLOR_BTNTEXT), RECT{0, 0, w, h});
        if (ink.Empty())
            return ::testing::AssertionFailure() << "no caption drawn";
        if (ink.left < left || ink.right >= left + mw || ink.top < top || ink.bottom >= top + mh)
            return ::testing::AssertionFailure()
                   << "caption ink " << ctl::Describe(ink) << " outside its block at (" << left
                   << "," << top << ") size " << mw << "x" << mh;
        return ::testing::AssertionSuccess();
    }

    std::unique_ptr<ctl::HostDialog> host;
    DrawingButton button, check;
    int w = 0, h = 0;
    COLORREF face = 0;
};

struct Placement {
    const char* label;
    BYTE alignment;
    bool caption;
};

TEST_F(ImageButtonImages, EachAlignmentPlacesTheBitmapAndMakesRoomForTheCaption)
{
    const Placement cases[] = {
        {"left, caption", CImageButton::ImageLeft, true},
        {"left, alone", CImageButton::ImageLeft, false},
        {"above, caption", CImageButton::ImageAbove, true},
        {"above, alone", CImageButton::ImageAbove, false},
        {"right, caption", CImageButton::ImageRight, true},
        {"right, alone", CImageButton::ImageRight, false},
    };
    button.SetBitmaps(ctl::MakeTestBitmap(kGreen, kMagenta), kMagenta);
    const int centreX = (w - kSize) / 2, centreY = (h - kSize) / 2;
    for (const Placement& c : cases) {
        SCOPED_TRACE(c.label);
        button.SetAlignment(c.alignment, FALSE);
        button.SetWindowText(c.caption ? "Go" : "");
        POINT at{centreX, centreY};
        RECT captionArea{0, 0, w, h};
        if (c.caption && c.alignment == CImageButton::ImageLeft) {
            at = POINT{3, centreY};
            captionArea.left = kSize + 3;
        } else if (c.caption && c.alignment == CImageButton::ImageAbove) {
            at = POINT{centreX, 3};
            captionArea.top = kSize;
        } else if (c.caption && c.alignment == CImageButton::ImageRight) {
            at = POINT{w - kSize - 3, centreY};
            captionArea.left = 3;
            captionArea.right = w - kSize - 3;
        }
        auto rest = Draw(button, 0);
        EXPECT_EQ(MiddleAt(at.x, at.y), Where(*rest, kGreen));
        // The border was transparent: the face shows through, magenta nowhere.
        EXPECT_EQ(0, ctl::CountColour(*rest, kMagenta, RECT{0, 0, w, h}));
        EXPECT_EQ(face, rest->Pixel(at.x, at.y));
        if (c.caption)
            EXPECT_TRUE(CaptionCentredIn(*rest, captionArea));
        else
            EXPECT_EQ(0, ctl::CountColour(*rest, Sys(COLOR_BTNTEXT), RECT{0, 0, w, h}));

        // Pressed, image and caption move one pixel right and down.
        auto pressed = Draw(button, ODS_SELECTED);
        EXPECT_EQ(MiddleAt(at.x + 1, at.y + 1), Where(*pressed, kGreen));
        if (c.caption) {
            RECT moved = captionArea;
            ::OffsetRect(&moved, 1, 1);
            EXPECT_TRUE(CaptionCentredIn(*pressed, moved));
        }
    }
}

TEST_F(ImageButtonImages, AnIconIsPlacedTheSameWayAndDrawnThroughItsMask)
{
    button.SetIcons(ctl::MakeTestIcon(kBlue));
    button.SetAlignment(CImageButton::ImageLeft, FALSE);
    auto rest = Draw(button, 0);
    EXPECT_EQ(MiddleAt(3, (h - kSize) / 2), Where(*rest, kBlue));
    EXPECT_EQ(face, rest->Pixel(3, (h - kSize) / 2));
    EXPECT_TRUE(CaptionCentredIn(*rest, RECT{kSize + 3, 0, w, h}));

    button.SetAlignment(CImageButton::ImageAbove, FALSE);
    auto above = Draw(button, 0);
    EXPECT_EQ(MiddleAt((w - kSize) / 2, 3), Where(*above, kBlue));
}

TEST_F(ImageButtonImages, HoverAndPressShowTheHotImageRestShowsTheNormalOne)
{
    // Icons and bitmaps choose their slots each on their own; one kind at a time,
    // as both would stand in the same place.
    struct Kind {
        const char* label;
        COLORREF hot, normal;
        void (*set)(CImageButton&, bool withNormal);
    };
    const Kind kinds[] = {
        {"icons", kBlue, kYellow,
         [](CImageButton& b, bool withNormal) {
             b.SetIcons(ctl::MakeTestIcon(kBlue), withNormal ? ctl::MakeTestIcon(kYellow) : nullptr);
         }},
        {"bitmaps", kGreen, kOrange,
         [](CImageButton& b, bool withNormal) {
             b.SetBitmaps(ctl::MakeTestBitmap(kGreen, kMagenta), kMagenta,
                          withNormal ? ctl::MakeTestBitmap(kOrange, kMagenta) : nullptr, kMagenta);
         }},
    };
    button.SetWindowText("");
    const RECT all{0, 0, w, h};
    for (const Kind& k : kinds) {
        SCOPED_TRACE(k.label);
        button.ReleaseImages(TRUE);
        k.set(button, true);
        button.ForceHover(FALSE);
        auto rest = Draw(button, 0);
        EXPECT_GT(ctl::CountColour(*rest, k.normal, all), 0);
        EXPECT_EQ(0, ctl::CountColour(*rest, k.hot, all));

        auto pressed = Draw(button, ODS_SELECTED);
        EXPECT_EQ(0, ctl::CountColour(*pressed, k.normal, all));
        EXPECT_GT(ctl::CountColour(*pressed, k.hot, all), 0);

        button.ForceHover(TRUE);
        auto hover = Draw(button, 0);
        EXPECT_EQ(0, ctl::CountColour(*hover, k.normal, all));
        EXPECT_GT(ctl::CountColour(*hover, k.hot, all), 0);

        // Without a normal image the hot one shows throughout.
        button.ForceHover(FALSE);
        k.set(button, false);
        auto single = Draw(button, 0);
        EXPECT_GT(ctl::CountColour(*single, k.hot, all), 0);
    }
}

TEST_F(ImageButtonImages, ACheckBoxShowsTheHotImageOnlyWhileChecked)
{
    check.SetBitmaps(ctl::MakeTestBitmap(kGreen, kMagenta), kMagenta, ctl::MakeTestBitmap(kOrange, kMagenta), kMagenta);
    check.SetWindowText("");
    check.ForceHover(TRUE);
    auto hover = Draw(check, 0);
    EXPECT_GT(ctl::CountColour(*hover, kOrange, RECT{0, 0, w, h}), 0);
    check.SendMessage(BM_SETCHECK, BST_CHECKED);
    auto checked = Draw(check, 0);
    EXPECT_GT(ctl::CountColour(*checked, kGreen, RECT{0, 0, w, h}), 0);
    // A check box stays in place when pressed.
    EXPECT_EQ(MiddleAt((w - kSize) / 2, (h - kSize) / 2), Where(*checked, kGreen));
}

TEST_F(ImageButtonImages, ADisabledButtonGreysItsImagesUnlessToldNotTo)
{
    button.SetBitmaps(ctl::MakeTestBitmap(kGreen, kMagenta), kMagenta);
    auto disabled = Draw(button, ODS_DISABLED);
    EXPECT_EQ(0, ctl::CountColour(*disabled, kGreen, RECT{0, 0, w, h}));
    EXPECT_EQ(0, ctl::CountColour(*disabled, kMagenta, RECT{0, 0, w, h}));
    // Something is drawn where the image stands.
    const RECT image{3, (h - kSize) / 2, 3 + kSize, (h - kSize) / 2 + kSize};
    EXPECT_FALSE(ctl::FindOtherThan(*disabled, face, image).Empty());

    button.SetGreyDisabledBitmap(FALSE, FALSE);
    auto plain = Draw(button, ODS_DISABLED);
    EXPECT_EQ(MiddleAt(3, (h - kSize) / 2), Where(*plain, kGreen));

    button.ReleaseImages(TRUE);
    button.SetIcons(ctl::MakeTestIcon(kBlue));
    auto icon = Draw(button, ODS_DISABLED);
    EXPECT_EQ(0, ctl::CountColour(*icon, kBlue, RECT{0, 0, w, h}));
    EXPECT_FALSE(ctl::FindOtherThan(*icon, face, image).Empty());
}

TEST_F(ImageButtonImages, ReleasingTheImagesDestroysThemAndEmptiesTheSlots)
{
    const HBITMAP bitmap = ctl::MakeTestBitmap(kGreen, kMagenta);
    const HICON icon = ctl::MakeTestIcon(kBlue);
    button.SetBitmaps(bitmap, kMagenta);
    button.SetIcons(icon);
    button.ReleaseImages(TRUE);
    EXPECT_EQ(0u, static_cast<unsigned>(::GetObjectType(bitmap)));
    ICONINFO info{};
    EXPECT_FALSE(::GetIconInfo(icon, &info));
    auto c = Draw(button, 0);
    EXPECT_EQ(0, ctl::CountColour(*c, kGreen, RECT{0, 0, w, h}));
    EXPECT_EQ(0, ctl::CountColour(*c, kBlue, RECT{0, 0, w, h}));

    // Without destroying, the handles stay the caller's.
    const HBITMAP kept = ctl::MakeTestBitmap(kGreen, kMagenta);
    button.SetBitmaps(kept, kMagenta);
    button.ReleaseImages(FALSE);
    EXPECT_EQ(static_cast<DWORD>(OBJ_BITMAP), ::GetObjectType(kept));
    ::DeleteObject(kept);
}

TEST_F(ImageButtonImages, ImagesComeFromTheProgramsResourcesToo)
{
    button.SetWindowText("");
    button.SetIcons(UINT(IDR_MAINFRAME));
    auto icon = Draw(button, 0);
    EXPECT_FALSE(ctl::FindOtherThan(*icon, face, RECT{1, 1, w - 1, h - 1}).Empty());
    button.SetIcons(static_cast<HICON>(nullptr));

    // A bitmap resource, its top-left pixel's colour taken as transparent.
    button.SetBitmaps(UINT(IDB_BANNER_STEP1), RGB(1, 2, 3));
    auto bitmap = Draw(button, 0);
    EXPECT_FALSE(ctl::FindOtherThan(*bitmap, face, RECT{1, 1, w - 1, h - 1}).Empty());

    // Ids that name nothing leave the slots empty.
    button.SetBitmaps(UINT(65001), RGB(1, 2, 3));
    button.SetIcons(UINT(65001));
    auto none = Draw(button, 0);
    EXPECT_TRUE(ctl::FindOtherThan(*none, face, RECT{1, 1, w - 1, h - 1}).Empty());
}

}  // namespace
