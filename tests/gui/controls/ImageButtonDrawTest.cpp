// The image button's drawing, read back as pixels: each state's border lines
// and their colours, the caption's place, the embossed disabled caption, the
// black frame and the focus rectangle of a button that is not flat.

#include <gtest/gtest.h>

#include <memory>

#include "CImageButton.h"
#include "ControlsHarness.h"
#include "DrawingButton.h"

namespace {

using ctl::Box;
using ctl::FindColour;
using ctl::FindOtherThan;

constexpr WORD kFlat = 201;
constexpr WORD kRaised = 202;
constexpr WORD kDefault = 203;
constexpr WORD kCheck = 204;
constexpr WORD kWide = 205;

COLORREF Sys(int index) { return ::GetSysColor(index); }

class ImageButtonDrawing : public ::testing::Test {
protected:
    void SetUp() override
    {
        gui::DialogTemplate t(WS_POPUP | WS_CAPTION | DS_MODALFRAME, 220, 80, "Drawing");
        t.Add("Button", "Open", kFlat, BS_PUSHBUTTON | WS_TABSTOP, 8, 8, 60, 16)
            .Add("Button", "Open", kRaised, BS_PUSHBUTTON | WS_TABSTOP, 80, 8, 60, 16)
            .Add("Button", "Open", kDefault, BS_DEFPUSHBUTTON | WS_TABSTOP, 150, 8, 60, 16)
            .Add("Button", "Open", kCheck, BS_AUTOCHECKBOX | WS_TABSTOP, 8, 40, 60, 16)
            .Add("Button", "Open the file now", kWide, BS_PUSHBUTTON | WS_TABSTOP, 80, 36, 40, 30);
        host = std::make_unique<ctl::HostDialog>(t);
        ASSERT_TRUE(host->IsWindow());
        ASSERT_TRUE(flat.SubclassDlgItem(kFlat, host.get()));
        ASSERT_TRUE(raised.SubclassDlgItem(kRaised, host.get()));
        ASSERT_TRUE(defaultButton.SubclassDlgItem(kDefault, host.get()));
        ASSERT_TRUE(check.SubclassDlgItem(kCheck, host.get()));
        ASSERT_TRUE(wide.SubclassDlgItem(kWide, host.get()));
        raised.SetFlatLook(FALSE);
        defaultButton.SetFlatLook(FALSE);
        gui::FlushEvents();
        face = Sys(COLOR_BTNFACE);
    }

    // Draws `button` in `state` into a canvas of its size.
    std::unique_ptr<gui::DibCanvas> Draw(CImageButton& button, UINT state)
    {
        const RECT r = ctl::ClientRect(button);
        auto canvas = std::make_unique<gui::DibCanvas>(r.right, r.bottom);
        ctl::DrawThroughParent(button, *canvas, state);
        return canvas;
    }

    // Where the caption's measured block stands when centred in the button.
    RECT CentredCell(CImageButton& button)
    {
        const RECT client = ctl::ClientRect(button);
        RECT measured = client;
        const HDC dc = ::GetDC(button);
        const HGDIOBJ old = ::SelectObject(dc, button.GetFontHandle());
        const CString text = button.GetWindowText();
        ::DrawTextA(dc, text.c_str(), -1, &measured, DT_WORDBREAK | DT_CENTER | DT_CALCRECT);
        ::SelectObject(dc, old);
        ::ReleaseDC(button, dc);
        const int width = measured.right - measured.left, height = measured.bottom - measured.top;
        const int left = (client.right - width) / 2, top = (client.bottom - height) / 2;
        return RECT{left, top, left + width, top + height};
    }

    // The caption: whatever is not face colour inside the border lines.
    Box Caption(const gui::DibCanvas& canvas, COLORREF background)
    {
        const RECT inner{3, 3, canvas.Width() - 3, canvas.Height() - 3};
        return FindOtherThan(canvas, background, inner);
    }

    // Every pixel of the outermost ring has `colour`.
    ::testing::AssertionResult RingIs(const gui::DibCanvas& c, int inset, COLORREF colour)
    {
        const int w = c.Width(), h = c.Height();
        for (int x = inset; x < w - inset; ++x)
            for (int y : {inset, h - 1 - inset})
                if (c.Pixel(x, y) != colour)
                    return ::testing::AssertionFailure()
                           << "(" << x << "," << y << ") is " << ctl::Hex(c.Pixel(x, y))
                           << ", expected " << ctl::Hex(colour);
        for (int y = inset; y < h - inset; ++y)
            for (int x : {inset, w - 1 - inset})
                if (c.Pixel(x, y) != colour)
                    return ::testing::AssertionFailure()
                           << "(" << x << "," << y << ") is " << ctl::Hex(c.Pixel(x, y))
                           << ", expected " << ctl::Hex(colour);
        return ::testing::AssertionSuccess();
    }

    std::unique_ptr<ctl::HostDialog> host;
    DrawingButton flat, raised, defaultButton, check, wide;
    COLORREF face = 0;
};

TEST_F(ImageButtonDrawing, FlatButtonAtRestShowsOnlyItsFaceAndCaption)
{
    auto c = Draw(flat, 0);
    EXPECT_TRUE(RingIs(*c, 0, face));
    EXPECT_TRUE(RingIs(*c, 1, face));
    const Box caption = Caption(*c, face);
    ASSERT_FALSE(caption.Empty());
    EXPECT_GT(ctl::CountColour(*c, Sys(COLOR_BTNTEXT), {0, 0, c->Width(), c->Height()}), 0);
    // The ink lies inside the measured text cell centred in the button.
    const RECT cell = CentredCell(flat);
    EXPECT_GE(caption.left, cell.left) << ctl::Describe(caption);
    EXPECT_LE(caption.right, cell.right - 1) << ctl::Describe(caption);
    EXPECT_GE(caption.top, cell.top) << ctl::Describe(caption);
    EXPECT_LE(caption.bottom, cell.bottom - 1) << ctl::Describe(caption);
    EXPECT_LE(caption.left - cell.left, 2);
}

TEST_F(ImageButtonDrawing, HoverDrawsAOnePixelRaisedBorder)
{
    flat.ForceHover(TRUE);
    auto c = Draw(flat, 0);
    const int w = c->Width(), h = c->Height();
    for (int x = 0; x < w - 1; ++x)
        ASSERT_EQ(Sys(COLOR_BTNHIGHLIGHT), c->Pixel(x, 0)) << x;
    for (int y = 0; y < h - 1; ++y)
        ASSERT_EQ(Sys(COLOR_BTNHIGHLIGHT), c->Pixel(0, y)) << y;
    for (int x = 0; x < w; ++x)
        ASSERT_EQ(Sys(COLOR_BTNSHADOW), c->Pixel(x, h - 1)) << x;
    for (int y = 0; y < h; ++y)
        ASSERT_EQ(Sys(COLOR_BTNSHADOW), c->Pixel(w - 1, y)) << y;
    EXPECT_TRUE(RingIs(*c, 1, face));
}

TEST_F(ImageButtonDrawing, PressedDrawsASunkenBorderAndMovesTheCaptionOnePixel)
{
    auto rest = Draw(flat, 0);
    const Box restCaption = Caption(*rest, face);
    auto c = Draw(flat, ODS_SELECTED);
    const int w = c->Width(), h = c->Height();
    EXPECT_EQ(Sys(COLOR_BTNSHADOW), c->Pixel(0, 0));
    EXPECT_EQ(Sys(COLOR_BTNSHADOW), c->Pixel(w / 2, 0));
    EXPECT_EQ(Sys(COLOR_BTNSHADOW), c->Pixel(0, h / 2));
    EXPECT_EQ(Sys(COLOR_BTNHIGHLIGHT), c->Pixel(w - 1, h - 1));
    EXPECT_EQ(Sys(COLOR_BTNHIGHLIGHT), c->Pixel(w / 2, h - 1));
    EXPECT_EQ(Sys(COLOR_BTNHIGHLIGHT), c->Pixel(w - 1, h / 2));
    const Box pressed = Caption(*c, face);
    EXPECT_EQ(restCaption.left + 1, pressed.left) << ctl::Describe(pressed);
    EXPECT_EQ(restCaption.top + 1, pressed.top) << ctl::Describe(pressed);
    EXPECT_EQ(restCaption.right + 1, pressed.right);
    EXPECT_EQ(restCaption.bottom + 1, pressed.bottom);
}

TEST_F(ImageButtonDrawing, DisabledCaptionIsEmbossedHighlightBelowShadow)
{
    auto rest = Draw(flat, 0);
    const Box restCaption = Caption(*rest, face);
    auto c = Draw(flat, ODS_DISABLED);
    const RECT inner{2, 2, c->Width() - 2, c->Height() - 2};
    const Box shadow = FindColour(*c, Sys(COLOR_BTNSHADOW), inner);
    const Box highlight = FindColour(*c, Sys(COLOR_BTNHIGHLIGHT), inner);
    ASSERT_FALSE(shadow.Empty());
    ASSERT_FALSE(highlight.Empty());
    // The shadow is where the caption stands; the highlight peeks out one pixel
    // right and down of it.
    EXPECT_EQ(restCaption.left, shadow.left);
    EXPECT_EQ(restCaption.top, shadow.top);
    EXPECT_EQ(shadow.right + 1, highlight.right);
    EXPECT_EQ(shadow.bottom + 1, highlight.bottom);
    if (Sys(COLOR_BTNTEXT) != Sys(COLOR_BTNSHADOW))
        EXPECT_EQ(0, ctl::CountColour(*c, Sys(COLOR_BTNTEXT), inner));
    EXPECT_TRUE(RingIs(*c, 0, face));
}

TEST_F(ImageButtonDrawing, FlatButtonDrawsNoFocusRectangleUnlessAskedTo)
{
    auto rest = Draw(flat, 0);
    auto focused = Draw(flat, ODS_FOCUS);
    const RECT all{0, 0, focused->Width(), focused->Height()};
    EXPECT_EQ(ctl::Describe(FindOtherThan(*rest, face, all)),
              ctl::Describe(FindOtherThan(*focused, face, all)));

    flat.SetFocusWhenFlat(TRUE, FALSE);
    auto asked = Draw(flat, ODS_FOCUS);
    // No frame on a flat button, so the focus rectangle stands 3 pixels in.
    const int w = asked->Width();
    const RECT row3{3, 3, w - 3, 4};
    EXPECT_GT(w / 3, 0);
    EXPECT_GE(ctl::CountColour(*asked, face ^ 0xFFFFFF, row3), (w - 6) / 3);
    EXPECT_EQ(0, ctl::CountColour(*asked, face ^ 0xFFFFFF, RECT{3, 2, w - 3, 3}));
}

TEST_F(ImageButtonDrawing, RaisedButtonAtRestHasATwoPixelBorder)
{
    auto c = Draw(raised, 0);
    const int w = c->Width(), h = c->Height();
    EXPECT_EQ(Sys(COLOR_BTNHIGHLIGHT), c->Pixel(0, 0));
    EXPECT_EQ(Sys(COLOR_BTNHIGHLIGHT), c->Pixel(w / 2, 0));
    EXPECT_EQ(Sys(COLOR_BTNHIGHLIGHT), c->Pixel(0, h / 2));
    EXPECT_EQ(Sys(COLOR_3DLIGHT), c->Pixel(1, 1));
    EXPECT_EQ(Sys(COLOR_3DLIGHT), c->Pixel(w / 2, 1));
    EXPECT_EQ(Sys(COLOR_3DLIGHT), c->Pixel(1, h / 2));
    EXPECT_EQ(Sys(COLOR_3DDKSHADOW), c->Pixel(w - 1, h - 1));
    EXPECT_EQ(Sys(COLOR_3DDKSHADOW), c->Pixel(w - 1, 0));
    EXPECT_EQ(Sys(COLOR_3DDKSHADOW), c->Pixel(0, h - 1));
    EXPECT_EQ(Sys(COLOR_BTNSHADOW), c->Pixel(w - 2, h - 2));
    EXPECT_EQ(Sys(COLOR_BTNSHADOW), c->Pixel(w - 2, 1));
    EXPECT_EQ(Sys(COLOR_BTNSHADOW), c->Pixel(1, h - 2));
    EXPECT_EQ(face, c->Pixel(2, 2));
    EXPECT_EQ(face, c->Pixel(w - 3, h - 3));
}

TEST_F(ImageButtonDrawing, RaisedFocusedButtonHasABlackFrameTheBorderInsideAndAFocusRectangle)
{
    auto c = Draw(raised, ODS_FOCUS);
    const int w = c->Width(), h = c->Height();
    EXPECT_TRUE(RingIs(*c, 0, RGB(0, 0, 0)));
    EXPECT_EQ(Sys(COLOR_BTNHIGHLIGHT), c->Pixel(1, 1));
    EXPECT_EQ(Sys(COLOR_3DLIGHT), c->Pixel(2, 2));
    EXPECT_EQ(Sys(COLOR_3DDKSHADOW), c->Pixel(w - 2, h - 2));
    EXPECT_EQ(Sys(COLOR_BTNSHADOW), c->Pixel(w - 3, h - 3));
    // The dotted focus rectangle, 4 pixels in from the edge, inverts every
    // other pixel of the face; the row above it is untouched face.
    const COLORREF inverted = face ^ 0xFFFFFF;
    EXPECT_GE(ctl::CountColour(*c, inverted, RECT{4, 4, w - 4, 5}), (w - 8) / 3);
    EXPECT_GE(ctl::CountColour(*c, inverted, RECT{4, h - 5, w - 4, h - 4}), (w - 8) / 3);
    EXPECT_GE(ctl::CountColour(*c, inverted, RECT{4, 4, 5, h - 4}), (h - 8) / 3);
    EXPECT_EQ(0, ctl::CountColour(*c, inverted, RECT{3, 3, w - 3, 4}));
    EXPECT_EQ(0, ctl::CountColour(*c, inverted, RECT{3, 3, 4, h - 3}));
}

TEST_F(ImageButtonDrawing, DefaultRaisedButtonHasTheBlackFrameButNoFocusRectangle)
{
    EXPECT_TRUE(defaultButton.IsDefaultButton());
    auto c = Draw(defaultButton, 0);
    const int w = c->Width(), h = c->Height();
    EXPECT_TRUE(RingIs(*c, 0, RGB(0, 0, 0)));
    EXPECT_EQ(Sys(COLOR_BTNHIGHLIGHT), c->Pixel(1, 1));
    EXPECT_EQ(0, ctl::CountColour(*c, face ^ 0xFFFFFF, RECT{0, 0, w, h}));
    // A flat default button shows no frame.
    defaultButton.SetFlatLook(TRUE, FALSE);
    auto asFlat = Draw(defaultButton, ODS_FOCUS);
    EXPECT_TRUE(RingIs(*asFlat, 0, face));
}

TEST_F(ImageButtonDrawing, RaisedPressedButtonHasAShadowFrameAndAMovedCaption)
{
    auto rest = Draw(raised, 0);
    auto c = Draw(raised, ODS_SELECTED);
    EXPECT_TRUE(RingIs(*c, 0, Sys(COLOR_BTNSHADOW)));
    EXPECT_TRUE(RingIs(*c, 1, face));
    const Box restCaption = Caption(*rest, face);
    const Box pressed = Caption(*c, face);
    EXPECT_EQ(restCaption.left + 1, pressed.left);
    EXPECT_EQ(restCaption.top + 1, pressed.top);
}

TEST_F(ImageButtonDrawing, CheckedCheckBoxLooksPressedWithItsCaptionInPlace)
{
    ASSERT_TRUE(check.IsCheckBoxMode());
    auto unchecked = Draw(check, 0);
    EXPECT_TRUE(RingIs(*unchecked, 0, face));
    check.SendMessage(BM_SETCHECK, BST_CHECKED);
    auto c = Draw(check, 0);
    const int w = c->Width(), h = c->Height();
    EXPECT_EQ(Sys(COLOR_BTNSHADOW), c->Pixel(0, 0));
    EXPECT_EQ(Sys(COLOR_BTNSHADOW), c->Pixel(w / 2, 0));
    EXPECT_EQ(Sys(COLOR_BTNHIGHLIGHT), c->Pixel(w - 1, h - 1));
    EXPECT_EQ(ctl::Describe(Caption(*unchecked, face)), ctl::Describe(Caption(*c, face)));
}

TEST_F(ImageButtonDrawing, FacesAndCaptionsTakeTheirColoursFromTheTable)
{
    const COLORREF hotFace = RGB(10, 200, 30), hotText = RGB(200, 0, 0);
    const COLORREF normalFace = RGB(20, 40, 220), normalText = RGB(250, 250, 0);
    const COLORREF focusFace = RGB(120, 10, 120);
    flat.SetColor(CImageButton::ColorBackgroundHot, hotFace, FALSE);
    flat.SetColor(CImageButton::ColorTextHot, hotText, FALSE);
    flat.SetColor(CImageButton::ColorBackgroundNormal, normalFace, FALSE);
    flat.SetColor(CImageButton::ColorTextNormal, normalText, FALSE);
    flat.SetColor(CImageButton::ColorBackgroundFocus, focusFace, FALSE);
    EXPECT_EQ(hotFace, flat.GetColor(CImageButton::ColorBackgroundHot));
    EXPECT_EQ(CLR_INVALID, flat.GetColor(6));

    auto rest = Draw(flat, 0);
    EXPECT_EQ(normalFace, rest->Pixel(2, 2));
    EXPECT_GT(ctl::CountColour(*rest, normalText, {0, 0, rest->Width(), rest->Height()}), 0);

    auto focused = Draw(flat, ODS_FOCUS);
    EXPECT_EQ(focusFace, focused->Pixel(2, 2));
    EXPECT_GT(ctl::CountColour(*focused, normalText, {0, 0, focused->Width(), focused->Height()}), 0);

    auto pressed = Draw(flat, ODS_SELECTED | ODS_FOCUS);
    EXPECT_EQ(hotFace, pressed->Pixel(2, 2));
    EXPECT_GT(ctl::CountColour(*pressed, hotText, {0, 0, pressed->Width(), pressed->Height()}), 0);

    flat.ForceHover(TRUE);
    auto hover = Draw(flat, ODS_FOCUS);
    EXPECT_EQ(hotFace, hover->Pixel(2, 2));
    EXPECT_EQ(0, ctl::CountColour(*hover, normalText, {0, 0, hover->Width(), hover->Height()}));

    flat.ForceHover(FALSE);
    flat.RestoreDefaultColors(FALSE);
    auto restored = Draw(flat, 0);
    EXPECT_EQ(face, restored->Pixel(2, 2));
}

TEST_F(ImageButtonDrawing, AWideCaptionWrapsAndTheBlockIsCentred)
{
    auto c = Draw(wide, 0);
    const Box caption = Caption(*c, face);
    ASSERT_FALSE(caption.Empty());
    // Taller than one line of the dialog's font.
    TEXTMETRICA metrics{};
    {
        const HDC dc = ::GetDC(wide);
        const HGDIOBJ old = ::SelectObject(dc, wide.GetFontHandle());
        ::GetTextMetricsA(dc, &metrics);
        ::SelectObject(dc, old);
        ::ReleaseDC(wide, dc);
    }
    EXPECT_GT(caption.Height(), metrics.tmHeight) << ctl::Describe(caption);
    const RECT cell = CentredCell(wide);
    EXPECT_GE(caption.left, cell.left) << ctl::Describe(caption);
    EXPECT_LE(caption.right, cell.right - 1) << ctl::Describe(caption);
    EXPECT_GE(caption.top, cell.top) << ctl::Describe(caption);
    EXPECT_LE(caption.bottom, cell.bottom - 1) << ctl::Describe(caption);
    EXPECT_GT(cell.top, 0);
}

TEST_F(ImageButtonDrawing, AnEmptyCaptionDrawsOnlyTheFaceAndBorder)
{
    flat.SetWindowText("");
    flat.ForceHover(TRUE);
    auto c = Draw(flat, 0);
    const RECT inner{1, 1, c->Width() - 1, c->Height() - 1};
    EXPECT_TRUE(FindOtherThan(*c, face, inner).Empty());
}

TEST_F(ImageButtonDrawing, TheDrawingHooksCanBeReplaced)
{
    // A derived class paints its own face and border.
    class Custom : public DrawingButton {
    public:
        DWORD DrawBackground(CDC* dc, CRect* rect) override
        {
            dc->FillSolidRect(*rect, RGB(0, 128, 0));
            return 0;
        }
        DWORD DrawHoverBorder(CDC* dc, CRect* rect) override
        {
            dc->Draw3dRect(*rect, RGB(255, 0, 255), RGB(255, 0, 255));
            return 0;
        }
    };
    flat.UnsubclassWindow();
    Custom custom;
    ASSERT_TRUE(custom.SubclassDlgItem(kFlat, host.get()));
    custom.ForceHover(TRUE);
    auto c = Draw(custom, 0);
    EXPECT_TRUE(RingIs(*c, 0, RGB(255, 0, 255)));
    EXPECT_EQ(RGB(0, 128, 0), c->Pixel(2, 2));
    custom.UnsubclassWindow();
}

}  // namespace
