// The tooltip wrapper: tools, texts, and the messages relayed to it.

#include <gtest/gtest.h>

#include "CStatic.h"
#include "CToolTipCtrl.h"
#include "GuiHarness.h"

namespace {

TEST(ToolTip, ToolsKeepTheirTextsAndTheTipItsWidth)
{
    CStatic owner;
    ASSERT_TRUE(owner.CreateEx(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, CRect(0, 0, 80, 30), nullptr, 0));
    CToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(&owner));
    EXPECT_EQ(owner.m_hWnd, ::GetWindow(tip.m_hWnd, GW_OWNER));
    EXPECT_TRUE(tip.GetStyle() & TTS_ALWAYSTIP);

    ASSERT_TRUE(tip.AddTool(&owner, "http://example.com/a", nullptr, 1));
    EXPECT_EQ(1, tip.GetToolCount());
    EXPECT_EQ("http://example.com/a", tip.GetText(&owner, 1));
    // Longer than the 80 characters the control copies without being told the size.
    const std::string longText(150, 'x');
    tip.UpdateTipText(longText.c_str(), &owner, 1);
    EXPECT_EQ(longText, tip.GetText(&owner, 1));

    tip.SetMaxTipWidth(400);
    EXPECT_EQ(400, tip.GetMaxTipWidth());
    tip.DelTool(&owner, 1);
    EXPECT_EQ(0, tip.GetToolCount());

    // Relaying is harmless for any message, and for a tooltip without a window.
    MSG msg{owner.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3), 0, {3, 3}};
    tip.RelayEvent(&msg);
    CToolTipCtrl none;
    none.RelayEvent(&msg);
    gui::FlushEvents();
}

}  // namespace
