// Message maps and reflection: who hears a control's notification, in which
// order, and when the parent is kept out.

#include <gtest/gtest.h>

#include "CButton.h"
#include "CDialog.h"
#include "CMenu.h"
#include "CStatic.h"
#include "GuiHarness.h"

namespace {

constexpr WORD kButtonId = 101;
constexpr WORD kLabelId = 102;

// How the control's reflected click handler answers.
enum class ClickAnswer { None, Void, True, False };

class ProbeButton : public CButton {
public:
    ProbeButton(gui::MessageLog& log, ClickAnswer answer) : m_log(log), m_answer(answer) {}

    bool m_logColours = false;  // painting asks for colours all the time
    int m_preSubclassCalls = 0;
    bool m_sawWindowInPreSubclass = false;
    bool m_attachedInPreSubclass = true;

protected:
    const MessageMap& GetMessageMap() const override
    {
        // One map per answer kind would need one class each; the handler reads
        // the answer instead, and only one BN_CLICKED entry may exist.
        static const MessageMap map(CButton::GetMessageMap(), {
            OnReflectedCommand(BN_CLICKED, &ProbeButton::OnClicked),
            OnReflectedCtlColor(&ProbeButton::CtlColor),
            OnReflectedNotify(NM_CUSTOMDRAW, &ProbeButton::OnCustomNotify),
        });
        return map;
    }

    void PreSubclassWindow() override
    {
        ++m_preSubclassCalls;
        m_sawWindowInPreSubclass = ::IsWindow(m_hWnd) != FALSE;
        m_attachedInPreSubclass = FromHandlePermanent(m_hWnd) == this;
    }

    BOOL OnClicked()
    {
        m_log.Add("child BN_CLICKED");
        return m_answer == ClickAnswer::True;
    }

    HBRUSH CtlColor(CDC*, UINT ctlColor)
    {
        if (m_logColours)
            m_log.Add("child WM_CTLCOLOR " + std::to_string(ctlColor));
        return m_answer == ClickAnswer::True ? static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH))
                                             : nullptr;
    }

    void OnCustomNotify(NMHDR*, LRESULT* result)
    {
        m_log.Add("child NM_CUSTOMDRAW");
        *result = 7;
    }

    gui::MessageLog& m_log;
    ClickAnswer m_answer;
};

// A button whose reflected handler returns nothing: the parent never hears.
class VoidButton : public CButton {
public:
    explicit VoidButton(gui::MessageLog& log) : m_log(log) {}

protected:
    const MessageMap& GetMessageMap() const override
    {
        static const MessageMap map(CButton::GetMessageMap(), {
            OnReflectedCommand(BN_CLICKED, &VoidButton::OnClicked),
        });
        return map;
    }
    void OnClicked() { m_log.Add("child BN_CLICKED"); }
    gui::MessageLog& m_log;
};

class ProbeDialog : public CDialog {
public:
    explicit ProbeDialog(gui::MessageLog& log)
        : m_log(log), m_template(WS_POPUP | WS_CAPTION | WS_VISIBLE, 160, 80, "Probe")
    {
        m_template.Add("BUTTON", "Press", kButtonId, BS_PUSHBUTTON | WS_TABSTOP, 10, 10, 60, 14);
        m_template.Add("STATIC", "Label", kLabelId, SS_LEFT, 10, 40, 60, 10);
    }

    bool Open() { return CreateIndirect(m_template.Get()) != FALSE; }

    HBRUSH m_parentBrush = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    bool m_logColours = false;  // painting asks for colours all the time

protected:
    const MessageMap& GetMessageMap() const override
    {
        static const MessageMap map(CDialog::GetMessageMap(), {
            OnCommand(BN_CLICKED, kButtonId, &ProbeDialog::OnButton),
            ::OnCtlColor(&ProbeDialog::OnCtlColor),  // qualified: the handler has the same name
            OnNotify(NM_CUSTOMDRAW, kButtonId, &ProbeDialog::OnParentNotify),
            OnMessage<WM_DRAWITEM>(&ProbeDialog::OnDrawItem),
        });
        return map;
    }

    void OnButton() { m_log.Add("parent BN_CLICKED"); }

    HBRUSH OnCtlColor(CDC*, CWnd* control, UINT ctlColor)
    {
        if (m_logColours)
            m_log.Add("parent WM_CTLCOLOR " + std::to_string(ctlColor) + " " +
                  std::to_string(control ? control->GetDlgCtrlID() : -1));
        return m_parentBrush;
    }

    void OnParentNotify(NMHDR*, LRESULT*) { m_log.Add("parent NM_CUSTOMDRAW"); }

    void OnDrawItem(int id, LPDRAWITEMSTRUCT) { m_log.Add("parent WM_DRAWITEM " + std::to_string(id)); }

    gui::MessageLog& m_log;
    gui::DialogTemplate m_template;
};

class ReflectionTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        m_dialog.DestroyWindow();
        gui::FlushEvents();
    }

    gui::MessageLog m_log;
    ProbeDialog m_dialog{m_log};
};

struct ClickCase {
    const char* label;
    ClickAnswer answer;
    std::vector<std::string> expected;
};

TEST_F(ReflectionTest, ReflectedClickRunsFirstAndItsAnswerDecidesWhetherTheParentRuns)
{
    const ClickCase cases[] = {
        {"FALSE lets the parent run too", ClickAnswer::False,
         {"child BN_CLICKED", "parent BN_CLICKED"}},
        {"TRUE keeps the parent out", ClickAnswer::True, {"child BN_CLICKED"}},
    };
    ASSERT_TRUE(m_dialog.Open());
    for (const ClickCase& c : cases) {
        SCOPED_TRACE(c.label);
        ProbeButton button(m_log, c.answer);
        ASSERT_TRUE(button.SubclassDlgItem(kButtonId, &m_dialog));
        m_log.Clear();
        button.SendMessage(BM_CLICK);  // the button's own click: WM_COMMAND to its parent
        gui::FlushEvents();
        EXPECT_TRUE(m_log.Matches(c.expected));
        button.UnsubclassWindow();
    }

    VoidButton quiet(m_log);
    ASSERT_TRUE(quiet.SubclassDlgItem(kButtonId, &m_dialog));
    m_log.Clear();
    quiet.SendMessage(BM_CLICK);
    gui::FlushEvents();
    EXPECT_TRUE(m_log.Matches({"child BN_CLICKED"}));
}

TEST_F(ReflectionTest, ColourRequestsGoToTheControlFirstAndANullBrushFallsBackToTheParent)
{
    ASSERT_TRUE(m_dialog.Open());
    gui::FlushEvents();
    m_dialog.m_logColours = true;
    const HDC dc = ::GetDC(m_dialog.m_hWnd);
    {
        ProbeButton kept(m_log, ClickAnswer::True);
        ASSERT_TRUE(kept.SubclassDlgItem(kButtonId, &m_dialog));
        kept.m_logColours = true;
        m_log.Clear();
        const LRESULT brush = m_dialog.SendMessage(WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc),
                                                   reinterpret_cast<LPARAM>(kept.m_hWnd));
        EXPECT_EQ(reinterpret_cast<LRESULT>(::GetStockObject(BLACK_BRUSH)), brush);
        EXPECT_TRUE(m_log.Matches({"child WM_CTLCOLOR " + std::to_string(CTLCOLOR_BTN)}));
    }
    {
        ProbeButton passing(m_log, ClickAnswer::False);
        ASSERT_TRUE(passing.SubclassDlgItem(kButtonId, &m_dialog));
        passing.m_logColours = true;
        m_log.Clear();
        const LRESULT brush = m_dialog.SendMessage(WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc),
                                                   reinterpret_cast<LPARAM>(passing.m_hWnd));
        EXPECT_EQ(reinterpret_cast<LRESULT>(m_dialog.m_parentBrush), brush);
        EXPECT_TRUE(m_log.Matches({"child WM_CTLCOLOR " + std::to_string(CTLCOLOR_BTN),
                                   "parent WM_CTLCOLOR " + std::to_string(CTLCOLOR_BTN) + " " +
                                       std::to_string(kButtonId)}));
    }
    // A control without an object: only the parent's handler.
    m_log.Clear();
    const HWND label = ::GetDlgItem(m_dialog.m_hWnd, kLabelId);
    m_dialog.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label));
    EXPECT_TRUE(m_log.Matches({"parent WM_CTLCOLOR " + std::to_string(CTLCOLOR_STATIC) + " " +
                               std::to_string(kLabelId)}));
    ::ReleaseDC(m_dialog.m_hWnd, dc);
}

TEST_F(ReflectionTest, NotificationsReflectWithTheirResult)
{
    ASSERT_TRUE(m_dialog.Open());
    ProbeButton button(m_log, ClickAnswer::None);
    ASSERT_TRUE(button.SubclassDlgItem(kButtonId, &m_dialog));
    NMHDR header{button.m_hWnd, kButtonId, static_cast<UINT>(NM_CUSTOMDRAW)};
    m_log.Clear();
    const LRESULT result = m_dialog.SendMessage(WM_NOTIFY, kButtonId, reinterpret_cast<LPARAM>(&header));
    EXPECT_EQ(7, result);
    EXPECT_TRUE(m_log.Matches({"child NM_CUSTOMDRAW"}));
}

// A menu object that says when it is asked to draw.
class LoggingMenu : public CMenu {
public:
    explicit LoggingMenu(gui::MessageLog& log) : m_log(log) {}
    void DrawItem(LPDRAWITEMSTRUCT item) override { m_log.Add("menu DrawItem " + std::to_string(item->itemID)); }
    gui::MessageLog& m_log;
};

TEST_F(ReflectionTest, OwnerDrawnMenuItemsReachTheirMenuObjectAndControlsTheirButton)
{
    ASSERT_TRUE(m_dialog.Open());
    LoggingMenu menu(m_log);
    ASSERT_TRUE(menu.CreatePopupMenu());
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_MENU;
    item.itemID = 42;
    item.hwndItem = reinterpret_cast<HWND>(menu.m_hMenu);
    m_log.Clear();
    // The parent's own WM_DRAWITEM handler runs when it has one; menus are drawn
    // by their object only when nobody else took the message.
    m_dialog.SendMessage(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_TRUE(m_log.Matches({"parent WM_DRAWITEM 0"}));

    // A window without a handler of its own: the menu object draws.
    CDialog plain;
    gui::DialogTemplate t(WS_POPUP, 50, 20);
    ASSERT_TRUE(plain.CreateIndirect(t.Get()));
    m_log.Clear();
    EXPECT_EQ(TRUE, plain.SendMessage(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item)));
    EXPECT_TRUE(m_log.Matches({"menu DrawItem 42"}));
    plain.DestroyWindow();
}

// An owner-drawn button draws through DrawItem, reached by reflection.
class OwnerDrawButton : public CButton {
public:
    int m_draws = 0;
    void DrawItem(LPDRAWITEMSTRUCT) override { ++m_draws; }
};

TEST_F(ReflectionTest, OwnerDrawnButtonDrawsItself)
{
    ASSERT_TRUE(m_dialog.Open());
    OwnerDrawButton button;
    ASSERT_TRUE(button.SubclassDlgItem(kButtonId, &m_dialog));
    button.ModifyStyle(0x0F, BS_OWNERDRAW);
    m_log.Clear();
    button.Invalidate();
    button.UpdateWindow();
    EXPECT_GE(button.m_draws, 1);
    EXPECT_TRUE(m_log.Matches({}));  // the parent's handler stayed out
}

TEST_F(ReflectionTest, PreSubclassWindowSeesTheWindowBeforeTheObjectIsAttached)
{
    ASSERT_TRUE(m_dialog.Open());
    ProbeButton button(m_log, ClickAnswer::None);
    ASSERT_TRUE(button.SubclassDlgItem(kButtonId, &m_dialog));
    EXPECT_EQ(1, button.m_preSubclassCalls);
    EXPECT_TRUE(button.m_sawWindowInPreSubclass);
    EXPECT_FALSE(button.m_attachedInPreSubclass);
    EXPECT_EQ(&button, CWnd::FromHandlePermanent(button.m_hWnd));
    // A second binding of the same window is refused.
    ProbeButton other(m_log, ClickAnswer::None);
    EXPECT_FALSE(other.SubclassDlgItem(kButtonId, &m_dialog));
}

// DefWindowProc is what unhandled messages get; overriding it changes the
// default processing of a subclassed control.
class DoubleClickAsPress : public CButton {
public:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_LBUTTONDBLCLK)
            message = WM_LBUTTONDOWN;
        return CButton::DefWindowProc(message, wParam, lParam);
    }
};

TEST_F(ReflectionTest, DefWindowProcOverrideChangesTheDefaultProcessing)
{
    ASSERT_TRUE(m_dialog.Open());
    DoubleClickAsPress button;
    ASSERT_TRUE(button.SubclassDlgItem(kButtonId, &m_dialog));
    // With BS_NOTIFY the control itself turns a double click into a
    // double-click notification, not a press.
    button.ModifyStyle(0, BS_NOTIFY);
    m_log.Clear();
    const LPARAM at = MAKELPARAM(5, 5);
    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    button.SendMessage(WM_LBUTTONUP, 0, at);
    button.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    button.SendMessage(WM_LBUTTONUP, 0, at);
    gui::FlushEvents();
    // Both presses reach the parent as clicks.
    EXPECT_TRUE(m_log.Matches({"parent BN_CLICKED", "parent BN_CLICKED"}));
}

}  // namespace
