// The link between window objects and their windows, and its clean-up.

#include <gtest/gtest.h>

#include "CStatic.h"
#include "CWinApp.h"
#include "GuiHarness.h"

namespace {

HWND MakeStatic(const char* text = "plain")
{
    return ::CreateWindowExA(0, "STATIC", text, WS_POPUP, 0, 0, 50, 20, nullptr, nullptr,
                             ::GetModuleHandleA(nullptr), nullptr);
}

class CountingStatic : public CStatic {
public:
    int m_postNcDestroy = 0;
    int m_messages = 0;
    HWND m_hwndAtPostNcDestroy = reinterpret_cast<HWND>(1);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        ++m_messages;
        return CStatic::WindowProc(message, wParam, lParam);
    }
    void PostNcDestroy() override
    {
        ++m_postNcDestroy;
        m_hwndAtPostNcDestroy = m_hWnd;
    }
};

TEST(HandleMap, DestroyingTheWindowCutsTheLinkBeforeTheObjectHearsOfIt)
{
    const HWND hwnd = MakeStatic();
    CountingStatic label;
    ASSERT_TRUE(label.SubclassWindow(hwnd));
    EXPECT_EQ(&label, CWnd::FromHandlePermanent(hwnd));
    EXPECT_EQ(&label, CWnd::FromHandle(hwnd));

    ::DestroyWindow(hwnd);
    EXPECT_EQ(1, label.m_postNcDestroy);
    EXPECT_EQ(nullptr, label.m_hwndAtPostNcDestroy);
    EXPECT_EQ(nullptr, label.m_hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hwnd));
}

TEST(HandleMap, AnObjectGoingFirstLeavesABorrowedWindowWorking)
{
    const HWND hwnd = MakeStatic();
    {
        CountingStatic label;
        ASSERT_TRUE(label.SubclassWindow(hwnd));
    }
    EXPECT_TRUE(::IsWindow(hwnd));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hwnd));
    ::SetWindowTextA(hwnd, "still works");
    EXPECT_EQ("still works", gui::WindowText(hwnd));
    ::DestroyWindow(hwnd);
}

TEST(HandleMap, AnObjectGoingFirstDestroysTheWindowItCreated)
{
    HWND hwnd = nullptr;
    {
        CStatic label;
        ASSERT_TRUE(label.CreateEx(0, "STATIC", "mine", WS_POPUP, CRect(0, 0, 40, 20), nullptr, 0));
        hwnd = label.m_hWnd;
        EXPECT_EQ(&label, CWnd::FromHandlePermanent(hwnd));
    }
    EXPECT_FALSE(::IsWindow(hwnd));
}

TEST(HandleMap, UnsubclassingHandsTheWindowBack)
{
    const HWND hwnd = MakeStatic();
    CountingStatic label;
    ASSERT_TRUE(label.SubclassWindow(hwnd));
    EXPECT_EQ(hwnd, label.UnsubclassWindow());
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hwnd));
    const int before = label.m_messages;
    ::SetWindowTextA(hwnd, "after");
    EXPECT_EQ(before, label.m_messages);
    // And the object can take another window.
    const HWND second = MakeStatic();
    EXPECT_TRUE(label.SubclassWindow(second));
    ::DestroyWindow(hwnd);
    ::DestroyWindow(second);
}

TEST(HandleMap, TemporaryWrappersLiveUntilTheTempMapIsCleared)
{
    const HWND hwnd = MakeStatic();
    CWnd* temp = CWnd::FromHandle(hwnd);
    ASSERT_NE(nullptr, temp);
    EXPECT_EQ(hwnd, temp->m_hWnd);
    EXPECT_EQ(temp, CWnd::FromHandle(hwnd));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hwnd));
    EXPECT_EQ(nullptr, CWnd::FromHandle(nullptr));

    // Attaching a real object replaces the temporary one.
    CountingStatic label;
    ASSERT_TRUE(label.SubclassWindow(hwnd));
    EXPECT_EQ(&label, CWnd::FromHandle(hwnd));
    CWnd::DeleteTempMap();
    ::DestroyWindow(hwnd);
    // The temporary wrapper never destroyed the window on its own.
    EXPECT_EQ(1, label.m_postNcDestroy);
}

// An object that deletes itself with its window.
class SelfDeleting : public CStatic {
public:
    explicit SelfDeleting(bool& deleted) : m_deleted(deleted) {}
    ~SelfDeleting() override { m_deleted = true; }

protected:
    void PostNcDestroy() override { delete this; }
    bool& m_deleted;
};

TEST(HandleMap, AnObjectMayDeleteItselfAfterItsWindowIsGone)
{
    bool deleted = false;
    auto* label = new SelfDeleting(deleted);
    ASSERT_TRUE(label->CreateEx(0, "STATIC", "x", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    const HWND hwnd = label->m_hWnd;
    ::DestroyWindow(hwnd);
    EXPECT_TRUE(deleted);
}

// ---- the application's command route ----------------------------------------------------

class HelpWindow : public CStatic {
public:
    int m_helpCalls = 0;
    void WinHelp(DWORD_PTR, UINT) override { ++m_helpCalls; }
};

class HelpApp : public CWinApp {
protected:
    const CommandMap& GetCommandMap() const override
    {
        static const CommandMap map{AppCommand(ID_HELP, &HelpApp::OnHelp)};
        return map;
    }
};

TEST(Application, TheHelpCommandReachesTheMainWindowsWinHelp)
{
    HelpApp app;
    EXPECT_EQ(&app, AfxGetApp());
    HelpWindow main;
    ASSERT_TRUE(main.CreateEx(0, "STATIC", "main", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    app.m_pMainWnd = &main;
    main.SendMessage(WM_COMMAND, ID_HELP);
    EXPECT_EQ(1, main.m_helpCalls);

    // Only the main window passes commands on to the application.
    HelpWindow other;
    ASSERT_TRUE(other.CreateEx(0, "STATIC", "other", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    other.SendMessage(WM_COMMAND, ID_HELP);
    EXPECT_EQ(1, main.m_helpCalls);
    EXPECT_EQ(0, other.m_helpCalls);
}

TEST(Application, NamesComeFromTheExecutableUnlessGiven)
{
    {
        CWinApp named("Named");
        EXPECT_EQ("Named", AfxGetAppName());
    }
    EXPECT_EQ(nullptr, AfxGetApp());
    CWinApp plain;
    EXPECT_EQ("gui_framework", plain.m_strAppName);
    EXPECT_NE(std::string::npos, plain.m_strHelpFilePath.find("gui_framework.HLP"));
}

}  // namespace
