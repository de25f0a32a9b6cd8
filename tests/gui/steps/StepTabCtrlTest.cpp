// The step control hosting real child dialogs: layout, switching by a real
// left click, what does not switch, and the page limit.

#include <gtest/gtest.h>

#include <memory>

#include "GuiHarness.h"
#include "StepHost.h"
#include "resource.h"

namespace {

// Exposes the control's bookkeeping to the tests.
class StepProbe : public CStepTabCtrl {
public:
    int PageCount() const { return m_nPageCount; }
    int CurrentPage() const { return m_nCurrentPage; }
};

class StepTabCtrlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (auto& page : m_pages)
            page = std::make_unique<CDialog>();
        ASSERT_TRUE(m_host.Open());
        CStepTabCtrl& steps = m_host.m_tabSteps;
        ASSERT_TRUE(steps.AddPage("STEP1", m_pages[0].get(), IDD_FILES_PAGE));
        ASSERT_TRUE(steps.AddPage("STEP2", m_pages[1].get(), IDD_FILES_PAGE));
        ASSERT_TRUE(steps.AddPage("STEP3", m_pages[2].get(), IDD_FILES_PAGE));
        steps.CreatePages();
        for (int i = 0; i < 3; ++i)
            m_host.m_watched[i] = m_pages[i].get();
        gui::FlushEvents();
    }

    void TearDown() override
    {
        m_host.DestroyWindow();
        gui::FlushEvents();
    }

    // "100": page 0 visible, 1 and 2 hidden.
    std::string Visible() const
    {
        std::string v;
        for (const auto& page : m_pages)
            v += page->IsWindowVisible() ? '1' : '0';
        return v;
    }

    CRect ButtonRect(int index)
    {
        CRect r;
        m_host.m_tabSteps.GetItemRect(index, &r);
        return r;
    }

    void ClickButton(int index)
    {
        gui::ClickAt(m_host.m_tabSteps.m_hWnd, ButtonRect(index).CenterPoint());
        gui::FlushEvents();
    }

    std::unique_ptr<CDialog> m_pages[3];
    StepHost m_host;
};

TEST_F(StepTabCtrlTest, CreatePagesShowsPageZeroAndLaysAllIntoTheRectangleBelowButtonZero)
{
    CStepTabCtrl& steps = m_host.m_tabSteps;
    EXPECT_EQ("100", Visible());
    ASSERT_EQ(3, steps.GetItemCount());
    const char* names[] = {"STEP1", "STEP2", "STEP3"};
    for (int i = 0; i < 3; ++i) {
        char text[32] = {};
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof(text);
        ASSERT_TRUE(steps.GetItem(i, &item));
        EXPECT_STREQ(names[i], text);
    }

    CRect client;
    steps.GetClientRect(&client);
    const CRect button0 = ButtonRect(0);
    const CRect expected(button0.left, button0.bottom + 1, client.right - 2, client.bottom - 2);
    ASSERT_FALSE(expected.IsRectEmpty());
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(steps.m_hWnd, ::GetParent(m_pages[i]->m_hWnd));
        CRect page;
        m_pages[i]->GetWindowRect(&page);
        steps.ScreenToClient(&page);
        EXPECT_EQ(expected.left, page.left);
        EXPECT_EQ(expected.top, page.top);
        EXPECT_EQ(expected.right, page.right);
        EXPECT_EQ(expected.bottom, page.bottom);
    }
    // Tab and the dialog keys reach the pages through the control.
    EXPECT_TRUE(steps.GetExStyle() & WS_EX_CONTROLPARENT);
}

TEST_F(StepTabCtrlTest, LeftClicksSwitchPagesAfterTheOwnerHeardTheChange)
{
    ClickButton(2);
    EXPECT_EQ("001", Visible());
    EXPECT_TRUE(m_host.m_log.Matches({"TCN_SELCHANGE 2"}));
    // The owner is told first; the page changes after its handler ran.
    EXPECT_EQ("100", m_host.m_visibleAtSelChange);

    m_host.m_log.Clear();
    ClickButton(0);
    EXPECT_EQ("100", Visible());
    EXPECT_TRUE(m_host.m_log.Matches({"TCN_SELCHANGE 0"}));
    EXPECT_EQ("001", m_host.m_visibleAtSelChange);

    ClickButton(1);
    EXPECT_EQ("010", Visible());
}

TEST_F(StepTabCtrlTest, ClicksThatDoNotChangeTheFocusedButtonChangeNothing)
{
    ClickButton(1);
    ASSERT_EQ("010", Visible());
    m_host.m_log.Clear();

    ClickButton(1);  // the button of the page already shown
    EXPECT_EQ("010", Visible());

    // In the button row, right of the last button: no button there.
    const CRect last = ButtonRect(2);
    CRect client;
    m_host.m_tabSteps.GetClientRect(&client);
    ASSERT_GT(client.right - 4, last.right + 4);
    gui::ClickAt(m_host.m_tabSteps.m_hWnd, CPoint(client.right - 4, last.CenterPoint().y));
    gui::FlushEvents();
    EXPECT_EQ("010", Visible());
    EXPECT_EQ(1, m_host.m_tabSteps.GetCurFocus());
    EXPECT_TRUE(m_host.m_log.Matches({}));
}

TEST_F(StepTabCtrlTest, KeyboardChangesKeepThePage)
{
    m_host.m_tabSteps.SetFocus();
    gui::FlushEvents();
    ASSERT_EQ(m_host.m_tabSteps.m_hWnd, ::GetFocus());
    gui::PressKey(VK_RIGHT);
    gui::PumpUntil([&] { return m_host.m_tabSteps.GetCurFocus() == 1; }, 3000);
    ASSERT_EQ(1, m_host.m_tabSteps.GetCurFocus());
    EXPECT_EQ("100", Visible());
    // Whether the keys move the selection with the focus is the control's
    // business; when they do, the owner hears of it.
    if (m_host.m_tabSteps.GetCurSel() == 1)
        EXPECT_TRUE(m_host.m_log.Matches({"TCN_SELCHANGE 1"}));
    else
        EXPECT_TRUE(m_host.m_log.Matches({}));
}

TEST_F(StepTabCtrlTest, ASelectionChangeWithoutAClickNotifiesButKeepsThePage)
{
    // The control drops its selection: a change that comes through no click.
    m_host.m_tabSteps.SetCurFocus(-1);
    gui::FlushEvents();
    EXPECT_TRUE(m_host.m_log.Matches({"TCN_SELCHANGE -1"}));
    EXPECT_EQ("100", Visible());
}

TEST_F(StepTabCtrlTest, ClickingTheSelectedButtonAfterTheKeysMovedTheFocusShowsItsPage)
{
    m_host.m_tabSteps.SetFocus();
    gui::PressKey(VK_RIGHT);
    gui::PumpUntil([&] { return m_host.m_tabSteps.GetCurFocus() == 1; }, 3000);
    const int selected = m_host.m_tabSteps.GetCurSel();
    ASSERT_GE(selected, 0);
    ClickButton(selected);
    // The page in front is the one of the button the user pressed.
    EXPECT_EQ(selected, m_host.m_tabSteps.GetCurFocus());
    EXPECT_EQ(selected == 0 ? "100" : "010", Visible());
}

TEST_F(StepTabCtrlTest, AClickWithNoFocusedButtonKeepsThePage)
{
    // No button has the focus: the control's answer is outside the pages.
    m_host.m_tabSteps.SetCurFocus(-1);
    m_host.m_tabSteps.SetCurSel(-1);
    ASSERT_EQ(-1, m_host.m_tabSteps.GetCurFocus());
    CRect client;
    m_host.m_tabSteps.GetClientRect(&client);
    gui::ClickAt(m_host.m_tabSteps.m_hWnd, CPoint(client.right - 4, ButtonRect(0).CenterPoint().y));
    gui::FlushEvents();
    EXPECT_EQ("100", Visible());

    // And the control still works afterwards.
    ClickButton(2);
    EXPECT_EQ("001", Visible());
}

TEST(StepTabCtrlLimits, ASeventeenthPageIsRefusedAndChangesNothing)
{
    StepProbe steps;
    CDialog pages[CStepTabCtrl::kMaxPages + 1];
    for (int i = 0; i < CStepTabCtrl::kMaxPages; ++i)
        EXPECT_TRUE(steps.AddPage("P", &pages[i], IDD_FILES_PAGE)) << i;
    EXPECT_FALSE(steps.AddPage("P", &pages[CStepTabCtrl::kMaxPages], IDD_FILES_PAGE));
    EXPECT_EQ(CStepTabCtrl::kMaxPages, steps.PageCount());
    EXPECT_EQ(0, steps.CurrentPage());
}

TEST(StepTabCtrlLimits, APageWhoseTemplateIsMissingStillGetsItsButton)
{
    StepHost host;
    ASSERT_TRUE(host.Open());
    CDialog good;
    CDialog missing;
    host.m_tabSteps.AddPage("STEP1", &good, IDD_FILES_PAGE);
    host.m_tabSteps.AddPage("STEP2", &missing, 0x7FF0);  // no such template
    host.m_tabSteps.CreatePages();
    EXPECT_EQ(2, host.m_tabSteps.GetItemCount());
    EXPECT_TRUE(good.IsWindowVisible());
    EXPECT_EQ(nullptr, missing.m_hWnd);

    CRect button;
    host.m_tabSteps.GetItemRect(1, &button);
    gui::ClickAt(host.m_tabSteps.m_hWnd, button.CenterPoint());
    gui::FlushEvents();
    EXPECT_FALSE(good.IsWindowVisible());
    host.DestroyWindow();
    gui::FlushEvents();
}

}  // namespace
