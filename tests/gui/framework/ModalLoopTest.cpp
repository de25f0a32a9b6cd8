// The modal loop: how a run ends, what happens to the owner, and the
// PreTranslateMessage walk that feeds tooltips.

#include <gtest/gtest.h>

#include <functional>

#include "CDialog.h"
#include "CWinApp.h"
#include "GuiHarness.h"

namespace {

constexpr UINT kStep = WM_APP + 1;
constexpr WORD kEditId = 301;

// A modal dialog whose first posted message runs a test-given action.
class ScriptedDialog : public CDialog {
public:
    ScriptedDialog(CWnd* owner, gui::MessageLog& log)
        : m_log(log), m_template(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 120, 60, "Modal")
    {
        m_template.Add("EDIT", "", kEditId, WS_BORDER | WS_TABSTOP, 5, 5, 80, 12);
        InitModalIndirect(m_template.Get(), owner);
    }

    std::function<void(ScriptedDialog&)> m_onInit;   // inside OnInitDialog
    std::function<void(ScriptedDialog&)> m_onStep;   // on the message posted from OnInitDialog
    bool m_ownerDisabledWhileRunning = false;
    HWND m_ownerSeen = nullptr;

    void End(INT_PTR result) { EndDialog(result); }

protected:
    const MessageMap& GetMessageMap() const override
    {
        static const MessageMap map(CDialog::GetMessageMap(), {
            OnRawMessage(kStep, &ScriptedDialog::OnStep),
        });
        return map;
    }

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        PostMessage(kStep);
        if (m_onInit)
            m_onInit(*this);
        return TRUE;
    }

    LRESULT OnStep(WPARAM, LPARAM)
    {
        m_ownerSeen = ::GetWindow(m_hWnd, GW_OWNER);
        m_ownerDisabledWhileRunning = m_ownerSeen && !::IsWindowEnabled(m_ownerSeen);
        if (m_onStep)
            m_onStep(*this);
        return 0;
    }

    void OnOK() override
    {
        m_log.Add("OnOK");
        CDialog::OnOK();
    }

    void OnCancel() override
    {
        m_log.Add("OnCancel");
        CDialog::OnCancel();
    }

    BOOL PreTranslateMessage(MSG* msg) override
    {
        if (msg->message == WM_MOUSEMOVE)
            m_log.Add("dialog PreTranslateMessage");
        return CDialog::PreTranslateMessage(msg);
    }

    gui::MessageLog& m_log;
    gui::DialogTemplate m_template;
};

// The owner: a plain top-level window.
class OwnerWindow : public CWnd {
public:
    bool Open()
    {
        return CreateEx(0, "STATIC", "Owner", WS_POPUP | WS_VISIBLE | WS_CAPTION, CRect(0, 0, 300, 200),
                        nullptr, 0) != FALSE;
    }
};

class ModalLoopTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_owner.Open()); }
    void TearDown() override
    {
        m_owner.DestroyWindow();
        gui::FlushEvents();
    }

    gui::MessageLog m_log;
    OwnerWindow m_owner;
};

TEST_F(ModalLoopTest, EndDialogEndsTheRunWithItsResultAndGivesTheOwnerBack)
{
    ScriptedDialog dialog(&m_owner, m_log);
    dialog.m_onStep = [](ScriptedDialog& d) { d.End(77); };
    EXPECT_EQ(77, dialog.DoModal());
    EXPECT_EQ(m_owner.m_hWnd, dialog.m_ownerSeen);
    EXPECT_TRUE(dialog.m_ownerDisabledWhileRunning);
    EXPECT_TRUE(m_owner.IsWindowEnabled());
    EXPECT_EQ(nullptr, dialog.m_hWnd);  // the window is gone, the object stays
}

TEST_F(ModalLoopTest, EndDialogDuringInitialisationNeverEntersTheLoop)
{
    ScriptedDialog dialog(&m_owner, m_log);
    bool stepRan = false;
    dialog.m_onInit = [](ScriptedDialog& d) { d.End(5); };
    dialog.m_onStep = [&](ScriptedDialog&) { stepRan = true; };
    EXPECT_EQ(5, dialog.DoModal());
    gui::FlushEvents();
    EXPECT_FALSE(stepRan);
    EXPECT_TRUE(m_owner.IsWindowEnabled());
}

struct EndCase {
    const char* label;
    std::function<void(ScriptedDialog&)> action;
    INT_PTR result;
    std::vector<std::string> log;
};

TEST_F(ModalLoopTest, KeysAndTheCloseBoxEndTheRunThroughOnOKAndOnCancel)
{
    const EndCase cases[] = {
        {"Enter in the edit field",
         [](ScriptedDialog& d) { ::PostMessageA(::GetDlgItem(d.m_hWnd, kEditId), WM_KEYDOWN, VK_RETURN, 0); },
         IDOK, {"OnOK"}},
        {"Escape in the edit field",
         [](ScriptedDialog& d) { ::PostMessageA(::GetDlgItem(d.m_hWnd, kEditId), WM_KEYDOWN, VK_ESCAPE, 0); },
         IDCANCEL, {"OnCancel"}},
        {"the close box", [](ScriptedDialog& d) { d.PostMessage(WM_SYSCOMMAND, SC_CLOSE); }, IDCANCEL,
         {"OnCancel"}},
    };
    for (const EndCase& c : cases) {
        SCOPED_TRACE(c.label);
        m_log.Clear();
        ScriptedDialog dialog(&m_owner, m_log);
        dialog.m_onStep = c.action;
        EXPECT_EQ(c.result, dialog.DoModal());
        EXPECT_TRUE(m_log.Matches(c.log));
    }
}

TEST_F(ModalLoopTest, ADestroyedWindowEndsTheRun)
{
    ScriptedDialog dialog(&m_owner, m_log);
    dialog.m_onStep = [](ScriptedDialog& d) { d.DestroyWindow(); };
    EXPECT_EQ(-1, dialog.DoModal());
    EXPECT_TRUE(m_owner.IsWindowEnabled());
}

TEST_F(ModalLoopTest, AQuitRequestEndsTheRunAndIsLeftForTheOuterLoop)
{
    ScriptedDialog dialog(&m_owner, m_log);
    dialog.m_onStep = [](ScriptedDialog&) { ::PostQuitMessage(3); };
    dialog.DoModal();
    MSG msg;
    ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(3u, msg.wParam);
    EXPECT_TRUE(m_owner.IsWindowEnabled());
}

// A control that relays what it sees, as a tooltip owner does.
class RelayingEdit : public CWnd {
public:
    explicit RelayingEdit(gui::MessageLog& log) : m_log(log) {}
    BOOL PreTranslateMessage(MSG* msg) override
    {
        if (msg->message == WM_MOUSEMOVE)
            m_log.Add("edit PreTranslateMessage");
        return CWnd::PreTranslateMessage(msg);
    }
    gui::MessageLog& m_log;
};

TEST_F(ModalLoopTest, MessagesPassPreTranslateMessageFromTheTargetUpToTheDialog)
{
    ScriptedDialog dialog(&m_owner, m_log);
    RelayingEdit edit(m_log);
    dialog.m_onInit = [&](ScriptedDialog& d) {
        edit.SubclassDlgItem(kEditId, &d);
        ::PostMessageA(edit.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    };
    // The step message was posted before the mouse message; end on a later one.
    dialog.m_onStep = [](ScriptedDialog& d) { d.PostMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED)); };
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_TRUE(m_log.Matches({"edit PreTranslateMessage", "dialog PreTranslateMessage", "OnCancel"}));
}

TEST_F(ModalLoopTest, AModalDialogWithoutParentIsOwnedByTheMainWindow)
{
    CWinApp app;
    app.m_pMainWnd = &m_owner;
    ScriptedDialog dialog(nullptr, m_log);
    dialog.m_onStep = [](ScriptedDialog& d) { d.End(IDOK); };
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ(m_owner.m_hWnd, dialog.m_ownerSeen);
    EXPECT_TRUE(dialog.m_ownerDisabledWhileRunning);
}

}  // namespace
