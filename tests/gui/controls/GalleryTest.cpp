// A gallery window: image buttons in every state and link labels in theirs,
// painted by the system as on any screen, then photographed into
// <build>/screenshots/buttons.bmp for a person to look at. A few pixels of
// the photograph are checked, so a gallery that shows the wrong thing fails.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "CImageButton.h"
#include "CLinkLabel.h"
#include "ControlsHarness.h"
#include "DrawingButton.h"

namespace {

COLORREF Sys(int index) { return ::GetSysColor(index); }

std::string ScreenshotFolder()
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    folder.resize(folder.find_last_of('\\') + 1);
    folder += "..\\screenshots\\";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

enum : WORD {
    kFlatRest = 201, kFlatHover, kFlatPressed, kFlatDisabled, kFlatChecked,
    kRaisedRest = 211, kRaisedFocused, kRaisedDefault, kRaisedPressed, kRaisedDisabled,
    kIconLeft = 221, kIconAbove, kIconRight, kBitmapAlone, kBitmapDisabled,
    kLink = 231, kVisited, kUnderlined, kHovered,
};

TEST(Gallery, ShowsEveryStateAndIsPhotographed)
{
    gui::DialogTemplate t(WS_POPUP | WS_CAPTION | DS_MODALFRAME, 352, 150, "Image buttons and link labels");
    const short x0 = 40, dx = 62, w = 56, h = 18;
    t.Add("Static", "Flat", 100, SS_LEFT, 4, 12, 34, 8)
        .Add("Static", "Raised", 101, SS_LEFT, 4, 36, 34, 8)
        .Add("Static", "Images", 102, SS_LEFT, 4, 66, 34, 8)
        .Add("Static", "Links", 103, SS_LEFT, 4, 124, 34, 8);
    const char* flatNames[] = {"Rest", "Hover", "Pressed", "Disabled", "Checked"};
    const char* raisedNames[] = {"Rest", "Focused", "Default", "Pressed", "Disabled"};
    const char* imageNames[] = {"Left", "Above", "Right", "", ""};
    for (int i = 0; i < 5; ++i) {
        const DWORD flatStyle = (i == 4 ? BS_AUTOCHECKBOX : BS_PUSHBUTTON) | WS_TABSTOP;
        t.Add("Button", flatNames[i], WORD(kFlatRest + i), flatStyle, short(x0 + i * dx), 8, w, h);
        const DWORD raisedStyle = (i == 2 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP;
        t.Add("Button", raisedNames[i], WORD(kRaisedRest + i), raisedStyle, short(x0 + i * dx), 32, w, h);
        t.Add("Button", imageNames[i], WORD(kIconLeft + i), BS_PUSHBUTTON | WS_TABSTOP,
              short(x0 + i * dx), 56, w, i == 1 ? 36 : 22);
    }
    t.Add("Static", "http://example.org/", kLink, SS_LEFT, x0, 124, 90, 10)
        .Add("Static", "Visited link", kVisited, SS_LEFT, short(x0 + 2 * dx), 124, 60, 10)
        .Add("Static", "Always underlined", kUnderlined, SS_LEFT, short(x0 + 3 * dx), 124, 80, 10)
        .Add("Static", "Hovered link", kHovered, SS_LEFT, short(x0 + 2 * dx), 108, 60, 10);
    ctl::HostDialog host(t, 60, 60);
    ASSERT_TRUE(host.IsWindow());

    DrawingButton flat[5], raised[5], images[5];
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(flat[i].SubclassDlgItem(kFlatRest + i, &host));
        ASSERT_TRUE(raised[i].SubclassDlgItem(kRaisedRest + i, &host));
        ASSERT_TRUE(images[i].SubclassDlgItem(kIconLeft + i, &host));
        raised[i].SetFlatLook(FALSE);
    }
    CLinkLabel link, visited, underlined, hovered;
    ASSERT_TRUE(link.SubclassDlgItem(kLink, &host));
    ASSERT_TRUE(hovered.SubclassDlgItem(kHovered, &host));
    ASSERT_TRUE(visited.SubclassDlgItem(kVisited, &host));
    ASSERT_TRUE(underlined.SubclassDlgItem(kUnderlined, &host));
    visited.MarkVisited(TRUE);
    underlined.SetUnderlineMode(CLinkLabel::UnderlineAlways);

    // The states, reached as a program or a user would reach them.
    flat[1].ForceHover(TRUE);
    flat[2].SendMessage(BM_SETSTATE, TRUE);
    flat[3].EnableWindow(FALSE);
    flat[4].SendMessage(BM_SETCHECK, BST_CHECKED);
    raised[1].SetFocus();
    raised[3].SendMessage(BM_SETSTATE, TRUE);
    raised[4].EnableWindow(FALSE);
    const COLORREF blue = RGB(0, 90, 200), green = RGB(0, 150, 60), magenta = RGB(255, 0, 255);
    images[0].SetIcons(ctl::MakeTestIcon(blue));
    images[1].SetIcons(ctl::MakeTestIcon(blue));
    images[1].SetAlignment(CImageButton::ImageAbove);
    images[2].SetIcons(ctl::MakeTestIcon(blue));
    images[2].SetAlignment(CImageButton::ImageRight);
    images[3].SetBitmaps(ctl::MakeTestBitmap(green, magenta), magenta);
    images[4].SetBitmaps(ctl::MakeTestBitmap(green, magenta), magenta);
    images[4].EnableWindow(FALSE);

    // The mouse rests on one link; every window then paints.
    ctl::MoveMouseTo(hovered, POINT{2, 2});
    ctl::MoveMouseTo(hovered, POINT{3, 3});
    ASSERT_TRUE(gui::PumpUntil([&] { return hovered.IsHovering() != FALSE; }));
    ::RedrawWindow(host, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    gui::FlushEvents();

    RECT frame{};
    ::GetWindowRect(host, &frame);
    gui::DibCanvas shot(frame.right - frame.left, frame.bottom - frame.top);
    ASSERT_TRUE(gui::CaptureScreen(host, shot));
    EXPECT_TRUE(shot.SaveBmp(ScreenshotFolder() + "buttons.bmp"));

    // A few pixels of the photograph: each button's corner where it stands.
    auto corner = [&](HWND button, int dxIn, int dyIn) {
        RECT r{};
        ::GetWindowRect(button, &r);
        return shot.Pixel(r.left - frame.left + dxIn, r.top - frame.top + dyIn);
    };
    EXPECT_EQ(Sys(COLOR_BTNFACE), corner(flat[0], 0, 0));
    EXPECT_EQ(Sys(COLOR_BTNHIGHLIGHT), corner(flat[1], 0, 0));
    EXPECT_EQ(Sys(COLOR_BTNSHADOW), corner(flat[2], 0, 0));
    EXPECT_EQ(Sys(COLOR_BTNSHADOW), corner(flat[4], 0, 0));
    EXPECT_EQ(RGB(0, 0, 0), corner(raised[1], 0, 0));
    EXPECT_EQ(Sys(COLOR_BTNHIGHLIGHT), corner(raised[0], 0, 0));
    EXPECT_EQ(blue, corner(images[0], 3 + 8, ctl::ClientRect(images[0]).bottom / 2));
    const RECT all{0, 0, shot.Width(), shot.Height()};
    EXPECT_GT(ctl::CountColour(shot, RGB(255, 0, 0), all), 10);      // the hovered link
    EXPECT_GT(ctl::CountColour(shot, RGB(85, 26, 139), all), 10);    // the visited one
    EXPECT_GT(ctl::CountColour(shot, RGB(0, 0, 238), all), 10);      // the others
}

}  // namespace
