// The image button's behaviour with real windows, real mouse input and real
// messages: hover tracking, clicks and double clicks, the check state, focus
// on disabling, default-button tracking, the drop-down menu, the cursor, the
// tooltip and the transparent face.

#include <gtest/gtest.h>

#include <memory>

#include "CImageButton.h"
#include "ControlsHarness.h"
#include "DrawingButton.h"
#include "controls_test_ids.h"

namespace {

constexpr WORD kOpen = 201;
constexpr WORD kSave = 202;
constexpr WORD kCheck = 203;
constexpr WORD kEdit = 301;

COLORREF Sys(int index) { return ::GetSysColor(index); }

POINT Centre(HWND hwnd)
{
    const RECT r = ctl::ClientRect(hwnd);
    return POINT{r.right / 2, r.bottom / 2};
}

class ImageButtonBehaviour : public ::testing::Test {
protected:
    void SetUp() override
    {
        gui::DialogTemplate t(WS_POPUP | WS_CAPTION | DS_MODALFRAME, 260, 120, "Behaviour");
        t.Add("Button", "Open", kOpen, BS_PUSHBUTTON | WS_TABSTOP, 8, 8, 50, 16)
            .Add("Edit", "", kEdit, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 70, 8, 60, 14)
            .Add("Button", "Save", kSave, BS_PUSHBUTTON | WS_TABSTOP, 140, 8, 50, 16)
            .Add("Button", "Check", kCheck, BS_AUTOCHECKBOX | WS_TABSTOP, 8, 40, 50, 16);
        host = std::make_unique<ctl::HostDialog>(t);
        ASSERT_TRUE(host->IsWindow());
        ASSERT_TRUE(open.SubclassDlgItem(kOpen, host.get()));
        ASSERT_TRUE(save.SubclassDlgItem(kSave, host.get()));
        ASSERT_TRUE(check.SubclassDlgItem(kCheck, host.get()));
        gui::FlushEvents();
        ParkMouse();
    }

    void TearDown() override { ParkMouse(); }

    // The mouse on an empty part of the dialog.
    void ParkMouse()
    {
        const RECT r = ctl::ClientRect(*host);
        ctl::MoveMouseTo(*host, POINT{r.right - 10, r.bottom - 10});
    }

    // The button's top-left corner as its own paint shows it.
    COLORREF PaintedCorner(HWND button)
    {
        gui::DibCanvas canvas(8, 8);
        canvas.PrintWindow(button);
        return canvas.Pixel(0, 0);
    }

    std::unique_ptr<ctl::HostDialog> host;
    DrawingButton open, save, check;
};

TEST_F(ImageButtonBehaviour, HoverStartsWithRealMouseMovementAndEndsWhenTheMouseLeaves)
{
    EXPECT_FALSE(open.IsHovering());
    EXPECT_EQ(Sys(COLOR_BTNFACE), PaintedCorner(open));

    ctl::MoveMouseTo(open, Centre(open));
    ASSERT_TRUE(gui::PumpUntil([&] { return open.IsHovering() != FALSE; }));
    EXPECT_EQ(Sys(COLOR_BTNHIGHLIGHT), PaintedCorner(open));

    // Outside the button no mouse message reaches it: only the system's leave
    // notification can end the hover.
    ParkMouse();
    ASSERT_TRUE(gui::PumpUntil([&] { return open.IsHovering() == FALSE; }));
    EXPECT_EQ(Sys(COLOR_BTNFACE), PaintedCorner(open));
}

TEST_F(ImageButtonBehaviour, MovingToAnotherButtonMovesTheHover)
{
    ctl::MoveMouseTo(open, Centre(open));
    ASSERT_TRUE(gui::PumpUntil([&] { return open.IsHovering() != FALSE; }));
    ctl::MoveMouseTo(save, Centre(save));
    ASSERT_TRUE(gui::PumpUntil([&] { return save.IsHovering() != FALSE; }));
    EXPECT_TRUE(gui::PumpUntil([&] { return open.IsHovering() == FALSE; }));
}

TEST_F(ImageButtonBehaviour, APressDraggedOntoTheButtonDoesNotStartHover)
{
    ctl::MouseDown();
    ctl::MoveMouseTo(open, Centre(open));
    POINT nearby = Centre(open);
    nearby.x += 2;
    ctl::MoveMouseTo(open, nearby);
    gui::FlushEvents();
    EXPECT_FALSE(open.IsHovering());
    ctl::MouseUp();
    EXPECT_EQ(0, host->CountCommands(kOpen, BN_CLICKED));

    // Moving over it with no button held does.
    nearby.x += 2;
    ctl::MoveMouseTo(open, nearby);
    EXPECT_TRUE(gui::PumpUntil([&] { return open.IsHovering() != FALSE; }));
}

TEST_F(ImageButtonBehaviour, AButtonThatIsNotFlatNeverHovers)
{
    open.SetFlatLook(FALSE);
    ctl::MoveMouseTo(open, Centre(open));
    POINT nearby = Centre(open);
    nearby.y += 1;
    ctl::MoveMouseTo(open, nearby);
    gui::FlushEvents();
    EXPECT_FALSE(open.IsHovering());
}

struct HoverEnder {
    const char* label;
    void (*act)(HWND button);
    bool ends;
};

TEST_F(ImageButtonBehaviour, HoverEndsOnLeaveFocusLossCancelModeDeactivationAndDisabling)
{
    const HoverEnder cases[] = {
        {"WM_MOUSELEAVE", [](HWND b) { ::SendMessageA(b, WM_MOUSELEAVE, 0, 0); }, true},
        {"WM_KILLFOCUS", [](HWND b) { ::SendMessageA(b, WM_KILLFOCUS, 0, 0); }, true},
        {"WM_CANCELMODE", [](HWND b) { ::SendMessageA(b, WM_CANCELMODE, 0, 0); }, true},
        {"WM_ACTIVATE inactive", [](HWND b) { ::SendMessageA(b, WM_ACTIVATE, WA_INACTIVE, 0); }, true},
        {"WM_ACTIVATE active", [](HWND b) { ::SendMessageA(b, WM_ACTIVATE, WA_ACTIVE, 0); }, false},
        {"disabled", [](HWND b) { ::EnableWindow(b, FALSE); }, true},
        {"WM_SETFOCUS", [](HWND b) { ::SendMessageA(b, WM_SETFOCUS, 0, 0); }, false},
    };
    for (const HoverEnder& c : cases) {
        ::EnableWindow(open, TRUE);
        ctl::MoveMouseTo(open, Centre(open));
        POINT wiggle = Centre(open);
        wiggle.x += 1;
        ctl::MoveMouseTo(open, wiggle);
        ASSERT_TRUE(gui::PumpUntil([&] { return open.IsHovering() != FALSE; })) << c.label;
        c.act(open);
        EXPECT_EQ(c.ends, open.IsHovering() == FALSE) << c.label;
        ParkMouse();
        gui::PumpUntil([&] { return open.IsHovering() == FALSE; });
    }
    ::EnableWindow(open, TRUE);
}

TEST_F(ImageButtonBehaviour, ADoubleClickIsReportedAsTwoClicks)
{
    ctl::MoveMouseTo(open, Centre(open));
    ctl::DoubleClick();
    gui::PumpUntil([&] { return host->CountCommands(kOpen, BN_CLICKED) >= 2; }, 3000);
    EXPECT_EQ(2, host->CountCommands(kOpen, BN_CLICKED));
    EXPECT_EQ(0, host->CountCommands(kOpen, BN_DOUBLECLICKED));
}

TEST_F(ImageButtonBehaviour, AClickTakesTheFocusAndStillReachesTheParent)
{
    ::SetFocus(host->Item(kEdit));
    gui::ClickAt(open, Centre(open));
    EXPECT_EQ(static_cast<HWND>(open), ::GetFocus());
    EXPECT_EQ(1, host->CountCommands(kOpen, BN_CLICKED));
    // BM_CLICK, as the keyboard's space bar would end in, goes the same way.
    ::SetFocus(host->Item(kEdit));
    save.SendMessage(BM_CLICK);
    gui::FlushEvents();
    EXPECT_EQ(static_cast<HWND>(save), ::GetFocus());
    EXPECT_EQ(1, host->CountCommands(kSave, BN_CLICKED));
}

TEST_F(ImageButtonBehaviour, ACheckBoxButtonTogglesOnEachClickAndTheParentHearsEveryClick)
{
    ASSERT_TRUE(check.IsCheckBoxMode());
    EXPECT_EQ(BST_UNCHECKED, check.SendMessage(BM_GETCHECK));
    gui::ClickAt(check, Centre(check));
    EXPECT_EQ(BST_CHECKED, check.SendMessage(BM_GETCHECK));
    gui::ClickAt(check, Centre(check));
    EXPECT_EQ(BST_UNCHECKED, check.SendMessage(BM_GETCHECK));
    EXPECT_EQ(2, host->CountCommands(kCheck, BN_CLICKED));
    // The check box wins over a menu: the click toggles and drops nothing down.
    check.SetMenu(IDM_TEST_DROPDOWN, *host);
    gui::ClickAt(check, Centre(check));
    EXPECT_EQ(BST_CHECKED, check.SendMessage(BM_GETCHECK));
}

TEST_F(ImageButtonBehaviour, SetCheckAndGetCheckFollowTheCheckBoxRule)
{
    struct Case {
        WPARAM sent;
        LRESULT read;
    };
    const Case cases[] = {{BST_CHECKED, 1}, {BST_UNCHECKED, 0}, {BST_INDETERMINATE, 1},
                          {3, 0},           {1, 1},             {WPARAM(-1), 0},
                          {2, 1},           {0x10001, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(0, check.SendMessage(BM_SETCHECK, c.sent));
        EXPECT_EQ(c.read, check.SendMessage(BM_GETCHECK)) << "sent " << c.sent;
        EXPECT_EQ(c.read, check.GetCheckState());
    }
    // A push button has no check state.
    EXPECT_FALSE(open.IsCheckBoxMode());
    open.SendMessage(BM_SETCHECK, BST_CHECKED);
    EXPECT_EQ(0, open.SendMessage(BM_GETCHECK));
    open.SetCheckState(1);
    EXPECT_EQ(0, open.GetCheckState());
}

TEST_F(ImageButtonBehaviour, DisablingTheFocusedButtonMovesTheFocusToTheNextTabStop)
{
    open.SetFocus();
    ASSERT_EQ(static_cast<HWND>(open), ::GetFocus());
    open.EnableWindow(FALSE);
    EXPECT_EQ(host->Item(kEdit), ::GetFocus());

    // The search wraps round the dialog's tab order.
    check.SetFocus();
    check.EnableWindow(FALSE);
    save.EnableWindow(FALSE);
    EXPECT_EQ(host->Item(kEdit), ::GetFocus());
}

TEST_F(ImageButtonBehaviour, DisablingAButtonWithoutTheFocusLeavesTheFocusWhereItIs)
{
    // The user types in the edit box while the program disables a button.
    ::SetFocus(host->Item(kEdit));
    open.EnableWindow(FALSE);
    EXPECT_EQ(host->Item(kEdit), ::GetFocus());
    save.EnableWindow(FALSE);
    EXPECT_EQ(host->Item(kEdit), ::GetFocus());
}

TEST_F(ImageButtonBehaviour, DisablingTheOnlyTabStopGivesTheFocusToTheDialog)
{
    gui::DialogTemplate t(WS_POPUP | WS_CAPTION | DS_MODALFRAME, 120, 60, "Single");
    t.Add("Button", "Only", kOpen, BS_PUSHBUTTON | WS_TABSTOP, 8, 8, 50, 16);
    ctl::HostDialog single(t, 400, 300);
    CImageButton only;
    ASSERT_TRUE(only.SubclassDlgItem(kOpen, &single));
    only.SetFocus();
    ASSERT_EQ(static_cast<HWND>(only), ::GetFocus());
    only.EnableWindow(FALSE);
    EXPECT_EQ(static_cast<HWND>(single), ::GetFocus());
}

TEST_F(ImageButtonBehaviour, TheButtonStaysOwnerDrawnAndTracksTheDefaultStyle)
{
    EXPECT_EQ(static_cast<DWORD>(BS_OWNERDRAW), open.GetStyle() & 0x1F);
    EXPECT_FALSE(open.IsDefaultButton());
    EXPECT_TRUE(open.SendMessage(WM_GETDLGCODE) & DLGC_UNDEFPUSHBUTTON);

    open.SendMessage(BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    EXPECT_TRUE(open.IsDefaultButton());
    EXPECT_EQ(static_cast<DWORD>(BS_OWNERDRAW), open.GetStyle() & 0x1F);
    const LRESULT code = open.SendMessage(WM_GETDLGCODE);
    EXPECT_TRUE(code & DLGC_DEFPUSHBUTTON);
    EXPECT_FALSE(code & DLGC_UNDEFPUSHBUTTON);

    // Other types leave the setting as it is.
    open.SendMessage(BM_SETSTYLE, BS_CHECKBOX, TRUE);
    EXPECT_TRUE(open.IsDefaultButton());
    EXPECT_EQ(static_cast<DWORD>(BS_OWNERDRAW), open.GetStyle() & 0x1F);

    open.SendMessage(BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    EXPECT_FALSE(open.IsDefaultButton());
    EXPECT_TRUE(open.SendMessage(WM_GETDLGCODE) & DLGC_UNDEFPUSHBUTTON);
}

TEST_F(ImageButtonBehaviour, TheDialogManagerMovesTheDefaultBetweenButtons)
{
    host->SendMessage(DM_SETDEFID, kSave);
    gui::FlushEvents();
    EXPECT_TRUE(save.IsDefaultButton());
    EXPECT_FALSE(open.IsDefaultButton());
    host->SendMessage(DM_SETDEFID, kOpen);
    gui::FlushEvents();
    EXPECT_TRUE(open.IsDefaultButton());
    EXPECT_FALSE(save.IsDefaultButton());
}

TEST_F(ImageButtonBehaviour, ATemplateDefaultButtonStartsAsTheDefault)
{
    gui::DialogTemplate t(WS_POPUP | WS_CAPTION | DS_MODALFRAME, 120, 60, "Default");
    t.Add("Button", "OK", kOpen, BS_DEFPUSHBUTTON | WS_TABSTOP, 8, 8, 50, 16);
    ctl::HostDialog dialog(t, 400, 300);
    CImageButton ok;
    ASSERT_TRUE(ok.SubclassDlgItem(kOpen, &dialog));
    EXPECT_TRUE(ok.IsDefaultButton());
    EXPECT_FALSE(ok.IsCheckBoxMode());
    EXPECT_EQ(static_cast<DWORD>(BS_OWNERDRAW), ok.GetStyle() & 0x1F);
}

// Runs inside the drop-down menu's modal loop: looks at the open menu and the
// button, then picks the second item with the keyboard.
struct MenuVisit {
    HWND button = nullptr;
    HWND menuWindow = nullptr;
    HMENU menu = nullptr;
    int itemHeight = 0;
    COLORREF buttonCorner = CLR_INVALID;
    bool keysSent = false;
};
MenuVisit* g_visit = nullptr;

void CALLBACK LookAtMenu(HWND, UINT, UINT_PTR, DWORD)
{
    MenuVisit& v = *g_visit;
    if (v.keysSent)
        return;
    v.menuWindow = ::FindWindowA("#32768", nullptr);
    if (!v.menuWindow || !::IsWindowVisible(v.menuWindow))
        return;
    v.menu = reinterpret_cast<HMENU>(::SendMessageA(v.menuWindow, MN_GETHMENU, 0, 0));
    RECT item{};
    if (v.menu && ::GetMenuItemRect(nullptr, v.menu, 0, &item))
        v.itemHeight = item.bottom - item.top;
    gui::DibCanvas canvas(8, 8);
    ctl::DrawThroughParent(v.button, canvas, 0);
    v.buttonCorner = canvas.Pixel(0, 0);
    for (WPARAM key : {WPARAM(VK_DOWN), WPARAM(VK_DOWN), WPARAM(VK_RETURN)})
        ::PostMessageA(v.menuWindow, WM_KEYDOWN, key, 0);
    v.keysSent = true;
}

TEST_F(ImageButtonBehaviour, AMenuButtonDropsItsMenuDownAndSendsTheChosenCommand)
{
    save.SetMenu(IDM_TEST_DROPDOWN, *host);
    ASSERT_NE(nullptr, save.GetMenu().GetSafeHmenu());
    MenuVisit visit;
    visit.button = save;
    g_visit = &visit;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, &LookAtMenu);
    save.SendMessage(BM_CLICK);
    ::KillTimer(nullptr, timer);
    g_visit = nullptr;
    gui::PumpUntil([&] { return host->CountCommands(ID_TEST_SECOND, 0) > 0; }, 3000);

    ASSERT_TRUE(visit.keysSent);
    // Below the button, owner-drawn items measured by the button's menu.
    RECT window{};
    ::GetWindowRect(save, &window);
    EXPECT_GE(visit.itemHeight, 19);
    // While it was open the button looked pressed.
    EXPECT_EQ(Sys(COLOR_BTNSHADOW), visit.buttonCorner);
    EXPECT_EQ(1, host->CountCommands(ID_TEST_SECOND, 0));
    EXPECT_EQ(0, host->CountCommands(ID_TEST_FIRST, 0));
    EXPECT_EQ(1, host->CountCommands(kSave, BN_CLICKED));
    // Afterwards it does not.
    gui::DibCanvas canvas(8, 8);
    ctl::DrawThroughParent(save, canvas, 0);
    EXPECT_EQ(Sys(COLOR_BTNFACE), canvas.Pixel(0, 0));
}

TEST_F(ImageButtonBehaviour, ALinkTargetThatCannotBeOpenedFailsQuietly)
{
    open.SetLinkTarget("C:\\no such folder\\no such file.tessiva-none");
    gui::MessageBoxAnswerer boxes;
    boxes.Answer(IDOK);
    open.SendMessage(BM_CLICK);
    gui::FlushEvents();
    EXPECT_TRUE(boxes.Seen().empty());
    EXPECT_EQ(1, host->CountCommands(kOpen, BN_CLICKED));
}

TEST_F(ImageButtonBehaviour, TheLinkTargetKeepsAtMost259Bytes)
{
    const std::string longTarget(300, 'x');
    open.SetLinkTarget(longTarget.c_str());
    EXPECT_EQ(std::string(259, 'x'), open.GetLinkTarget());
    open.SetLinkTarget("http://example.org/");
    EXPECT_STREQ("http://example.org/", open.GetLinkTarget());
    open.SetLinkTarget(nullptr);
    EXPECT_STREQ("", open.GetLinkTarget());
}

TEST_F(ImageButtonBehaviour, AButtonCursorIsShownOverTheButton)
{
    const HCURSOR arrow = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    const HCURSOR cross = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32515));
    const LPARAM overClient = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);
    ::SetCursor(cross);
    open.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(open.m_hWnd), overClient);
    EXPECT_EQ(arrow, ::GetCursor());

    open.SetButtonCursor(cross);
    ::SetCursor(arrow);
    EXPECT_TRUE(open.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(open.m_hWnd), overClient));
    const HCURSOR shown = ::GetCursor();
    EXPECT_NE(arrow, shown);
    EXPECT_NE(nullptr, shown);

    open.SetButtonCursor(static_cast<HCURSOR>(nullptr));
    open.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(open.m_hWnd), overClient);
    EXPECT_EQ(arrow, ::GetCursor());
}

TEST_F(ImageButtonBehaviour, TheTooltipIsCreatedOnFirstUseAndCarriesTheText)
{
    CImageButton fresh;
    ASSERT_TRUE(fresh.Create("Fresh", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, RECT{10, 60, 90, 84},
                             host.get(), 401));
    EXPECT_FALSE(fresh.GetToolTip().IsWindow());
    fresh.PostMessage(WM_NULL);
    gui::FlushEvents();
    ASSERT_TRUE(fresh.GetToolTip().IsWindow());
    EXPECT_EQ(400, fresh.GetToolTip().GetMaxTipWidth());
    EXPECT_EQ(0, fresh.GetToolTip().GetToolCount());

    fresh.SetTooltipText("Opens the file");
    EXPECT_EQ(1, fresh.GetToolTip().GetToolCount());
    EXPECT_EQ("Opens the file", fresh.GetToolTip().GetText(&fresh, 1));
    fresh.SetTooltipText("Opens it again");
    EXPECT_EQ(1, fresh.GetToolTip().GetToolCount());
    EXPECT_EQ("Opens it again", fresh.GetToolTip().GetText(&fresh, 1));
    fresh.SetTooltipText(nullptr);
    EXPECT_EQ(0, fresh.GetToolTip().GetToolCount());
}

TEST_F(ImageButtonBehaviour, ColourRequestsAnswerTheHollowBrush)
{
    const HDC dc = ::GetDC(open);
    const LRESULT brush = host->SendMessage(WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc),
                                            reinterpret_cast<LPARAM>(open.m_hWnd));
    ::ReleaseDC(open, dc);
    EXPECT_EQ(reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH)), brush);
}

TEST_F(ImageButtonBehaviour, ATransparentFaceShowsTheParentCapturedOnceUntilColoursChange)
{
    const COLORREF red = RGB(200, 30, 30), blue = RGB(30, 30, 200);
    host->SetBackground(red);
    open.SetTransparent(TRUE);
    gui::DibCanvas canvas(ctl::ClientRect(open).right, ctl::ClientRect(open).bottom);
    ctl::DrawThroughParent(open, canvas, 0);
    EXPECT_EQ(red, canvas.Pixel(2, 2));

    // Hidden, so that the screen under it shows the parent's new colour.
    open.ShowWindow(SW_HIDE);
    host->SetBackground(blue);
    gui::FlushEvents();
    ctl::DrawThroughParent(open, canvas, 0);
    EXPECT_EQ(red, canvas.Pixel(2, 2)) << "the capture is reused";

    open.SendMessage(WM_SYSCOLORCHANGE);
    ctl::DrawThroughParent(open, canvas, 0);
    EXPECT_EQ(blue, canvas.Pixel(2, 2)) << "a colour change takes a new capture";
    host->SetBackground(CLR_INVALID);
}

}  // namespace
