// The wizard as it first shows, each step in front in turn, against pictures judged right.
#include <gtest/gtest.h>

#include "CWizardDlg.h"
#include "GuiHarness.h"
#include "resource.h"

namespace {

struct Wizard : CWizardDlg { using CWizardDlg::m_tabSteps; using CWizardDlg::DrawMinimisedIcon; };

TEST(WizardPictures, EachStepShowsItsBannerAndItsPage) {
    Wizard wizard; ASSERT_TRUE(wizard.Create(IDD_WIZARD));
    wchar_t about[32] = {}; ::GetMenuStringW(::GetSystemMenu(wizard, FALSE), IDM_ABOUTBOX, about, 32, MF_BYCOMMAND); EXPECT_STREQ(L"&About tessiva...", about);
    ::SetWindowPos(wizard, HWND_TOP, 100, 100, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW), ::SetCursorPos(5, 5);
    // The system's legacy set depends on the locale this runs in: one of the list's own, pinned.
    ::SendDlgItemMessageA(wizard.m_tabSteps.GetPage(1), IDC_LEGACY_CHARSET, CB_SELECTSTRING, WPARAM(-1), LPARAM("windows-1252"));
    RECT client{}, button{}; ::GetClientRect(wizard, &client);
    // Each step brought to the front by a click on its button; then (no step) the dots per inch changed: the window
    // where the system suggests, wider, its banner fitted again.
    const struct { const char* picture; int step; } shots[] = {{"WIZARD_STEP1", 0}, {"WIZARD_STEP2", 1}, {"WIZARD_STEP3", 2}, {"WIZARD_STEP3_WIDER", -1}};
    TabCtrl_SetCurFocus(wizard.m_tabSteps, 2);  // as the arrow keys would: the first click is on the button already pressed
    for (const auto& shot : shots) {
        if (shot.step < 0) {
            RECT suggested{}; ::GetWindowRect(wizard, &suggested), suggested.right += 3;
            wizard.SendMessage(WM_DPICHANGED, MAKEWPARAM(96, 96), LPARAM(&suggested)), ::GetClientRect(wizard, &client);
        } else {
            TabCtrl_GetItemRect(wizard.m_tabSteps, shot.step, &button);
            const LPARAM at = MAKELPARAM(button.left + 4, button.top + 4);
            wizard.m_tabSteps.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at), wizard.m_tabSteps.SendMessage(WM_LBUTTONUP, 0, at);
        }
        ::SetFocus(wizard.m_tabSteps), ::RedrawWindow(wizard, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        gui::DibCanvas shown(client.right, client.bottom); shown.CopyShown(wizard); EXPECT_TRUE(shown.MatchesPicture(shot.picture));
    }
    // Shift+Tab from a control outside the Tab round: its last stop.
    const HWND outside = ::CreateWindowExA(0, "Button", "", WS_CHILD | WS_VISIBLE, 0, 0, 1, 1, wizard, nullptr, nullptr, nullptr);
    BYTE keys[256] = {}; keys[VK_SHIFT] = 0x80, ::SetKeyboardState(keys), ::SetFocus(outside);
    MSG tab{wizard, WM_KEYDOWN, VK_TAB, 0}; EXPECT_TRUE(::GetFocus() == outside && wizard.PreTranslateMessage(&tab));
    EXPECT_EQ(::GetDlgItem(wizard, IDC_LINK_EMAIL), ::GetFocus()); keys[VK_SHIFT] = 0, ::SetKeyboardState(keys);
    // A key for a control hidden meanwhile, the focus still on it: it goes where the focus is put right.
    for (UINT message : {WM_KEYDOWN, WM_SYSKEYDOWN, WM_CHAR, WM_SYSCHAR}) {
        const UINT place = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER; ::SetWindowPos(outside, nullptr, 0, 0, 0, 0, place | SWP_SHOWWINDOW), ::SetFocus(outside);
        ::SetWindowPos(outside, nullptr, 0, 0, 0, 0, place | SWP_HIDEWINDOW); MSG key{outside, message, VK_F24, 0};
        EXPECT_TRUE(::GetFocus() == outside && wizard.PreTranslateMessage(&key) && key.hwnd == ::GetFocus() && key.hwnd != outside) << message;
    }
    ::DestroyWindow(outside);
    {   // new colours: all of it painted again, and its buttons told
        gui::ScopedSysColours face({{COLOR_BTNFACE, RGB(10, 120, 90)}}); ::UpdateWindow(wizard), wizard.SendMessage(WM_SYSCOLORCHANGE);
        gui::DibCanvas corner(4, 4); corner.PrintWindow(::GetDlgItem(wizard.m_tabSteps.GetPage(2), IDC_BROWSE));
        EXPECT_TRUE(::GetUpdateRect(wizard, nullptr, FALSE) && corner.Pixel(0, 0) == RGB(10, 120, 90));
    }
    gui::DibCanvas icon(73, 37); CDC dc(icon.Dc());  // minimised: the icon centred, an odd pixel left over going right and down
    wizard.DrawMinimisedIcon(dc, CRect(0, 0, 37, 36)), ::SetViewportOrgEx(dc, 37, 0, nullptr), wizard.DrawMinimisedIcon(dc, CRect(0, 0, 36, 37));
    EXPECT_TRUE(icon.MatchesPicture("WIZARD_MINIMISED"));
}

}  // namespace
