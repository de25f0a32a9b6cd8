// Many buttons and labels created, used in every way that makes them take
// handles, and destroyed: afterwards no GDI object, device context, icon,
// cursor or tooltip window of theirs is left.

#include <gtest/gtest.h>

#include <memory>

#include "CImageButton.h"
#include "CLinkLabel.h"
#include "ControlsHarness.h"
#include "DrawingButton.h"
#include "HandleCounter.h"
#include "controls_test_ids.h"

namespace {

constexpr WORD kButton = 201;
constexpr WORD kLabel = 301;
constexpr COLORREF kMagenta = RGB(255, 0, 255);

// Uses a button in every way that takes a handle, then lets it go.
void Exercise(DrawingButton& button)
{
    button.SetIcons(ctl::MakeTestIcon(RGB(0, 0, 200)), ctl::MakeTestIcon(RGB(200, 200, 0)));
    button.SetBitmaps(ctl::MakeTestBitmap(RGB(0, 160, 0), kMagenta), kMagenta,
                      ctl::MakeTestBitmap(RGB(250, 140, 0), kMagenta), kMagenta);
    // Replacing images releases the earlier ones.
    button.SetIcons(ctl::MakeTestIcon(RGB(0, 0, 200)));
    button.SetButtonCursor(::LoadCursorA(nullptr, MAKEINTRESOURCEA(32515)));
    button.SetButtonCursor(::LoadCursorA(nullptr, MAKEINTRESOURCEA(32649)));
    button.SetMenu(IDM_TEST_DROPDOWN, ::GetParent(button));
    button.SetTooltipText("tip");
    button.PostMessage(WM_NULL);
    gui::FlushEvents();

    const RECT r = ctl::ClientRect(button);
    gui::DibCanvas canvas(r.right, r.bottom);
    for (BOOL flat : {TRUE, FALSE}) {
        button.SetFlatLook(flat, FALSE);
        for (UINT state : {0u, UINT(ODS_SELECTED), UINT(ODS_DISABLED), UINT(ODS_FOCUS)})
            ctl::DrawThroughParent(button, canvas, state);
        button.ForceHover(TRUE);
        ctl::DrawThroughParent(button, canvas, 0);
        button.ForceHover(FALSE);
    }
    button.SetTransparent(TRUE, FALSE);
    ctl::DrawThroughParent(button, canvas, 0);
    button.SendMessage(WM_SYSCOLORCHANGE);
    ctl::DrawThroughParent(button, canvas, 0);
    ctl::DrawThroughParent(button, canvas, 0);
}

TEST(Handles, ManyButtonsAndLabelsLeaveNoHandleBehind)
{
    gui::DialogTemplate t(WS_POPUP | WS_CAPTION | DS_MODALFRAME, 200, 80, "Handles");
    t.Add("Static", "Host", 100, SS_LEFT, 150, 60, 40, 10);
    ctl::HostDialog host(t);
    ASSERT_TRUE(host.IsWindow());
    const int tooltipsBefore = ctl::CountThreadWindows(TOOLTIPS_CLASSA);

    auto round = [&] {
        // Created by the object, destroyed with its window first.
        {
            DrawingButton created;
            ASSERT_TRUE(created.Create("Go", WS_VISIBLE | BS_PUSHBUTTON, RECT{8, 8, 98, 38}, &host,
                                       kButton));
            Exercise(created);
            created.DestroyWindow();
        }
        // Attached to a dialog's own button, the object going while the window stays.
        gui::DialogTemplate inner(WS_POPUP | WS_CAPTION | DS_MODALFRAME, 160, 80, "Inner");
        inner.Add("Button", "Go", kButton, BS_DEFPUSHBUTTON | WS_TABSTOP, 8, 8, 60, 20)
            .Add("Static", "http://example.org/", kLabel, SS_LEFT, 8, 40, 120, 10);
        ctl::HostDialog dialog(inner, 300, 300);
        {
            DrawingButton attached;
            ASSERT_TRUE(attached.SubclassDlgItem(kButton, &dialog));
            Exercise(attached);
            CLinkLabel label;
            ASSERT_TRUE(label.SubclassDlgItem(kLabel, &dialog));
            label.SetUnderlineMode(CLinkLabel::UnderlineAlways);
            label.SetTarget("http://example.org/other");
            label.MarkVisited(TRUE);
            gui::DibCanvas canvas(100, 20);
            canvas.PrintWindow(label);
        }
    };

    // One round first: the system's own caches (fonts, classes) fill once.
    round();
    gui::FlushEvents();
    gui::HandleCounter counter;
    for (int i = 0; i < 40; ++i)
        round();
    gui::FlushEvents();
    EXPECT_GT(counter.Created(), 1000u);
    EXPECT_EQ(0u, counter.LiveObjects());
    EXPECT_EQ(0u, counter.LiveMemoryDCs());
    EXPECT_EQ(0u, counter.LiveWindowDCs());
    EXPECT_EQ(0u, counter.LiveIcons());
    EXPECT_EQ(tooltipsBefore, ctl::CountThreadWindows(TOOLTIPS_CLASSA));
    EXPECT_EQ(0, ctl::CountThreadWindows("#32768"));
}

}  // namespace
