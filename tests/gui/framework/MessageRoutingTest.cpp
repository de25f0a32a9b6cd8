// Who hears a message: the control first, its parent unless the control kept it,
// menus drawn by their objects; the object-window link; the application's commands.
#include <gtest/gtest.h>

#include <memory>

#include "CButton.h"
#include "CDialog.h"
#include "CMenu.h"
#include "CStatic.h"
#include "CWinApp.h"
#include "GuiHarness.h"

namespace {

constexpr WORD kButton = 101, kLabel = 102;

// keep: the reflected handlers' answer (TRUE keeps the parent out).
class ProbeButton : public CButton {
public:
    ProbeButton(gui::MessageLog& log, BOOL keep) : m_log(log), m_keep(keep) {}
protected:
    const MessageMap& GetMessageMap() const override
    {
        static const MessageMap map(CButton::GetMessageMap(), {OnReflectedCommand(BN_CLICKED, &ProbeButton::OnClicked),
            OnReflectedCtlColor(&ProbeButton::CtlColor), OnReflectedNotify(NM_CUSTOMDRAW, &ProbeButton::OnCustomDraw)});
        return map;
    }
    BOOL OnClicked() { m_log.Add("child BN_CLICKED"); return m_keep; }
    HBRUSH CtlColor(CDC*, UINT) { return m_keep ? static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)) : nullptr; }
    void OnCustomDraw(NMHDR*, LRESULT* result) { m_log.Add("child NM_CUSTOMDRAW"); if (m_keep) *result = 7; }  // else left as set
    gui::MessageLog& m_log;
    BOOL m_keep;
};

class ParentDialog : public CDialog {
public:
    explicit ParentDialog(gui::MessageLog& log) : m_log(log)
    {
        m_template.Add("BUTTON", "Press", kButton, BS_PUSHBUTTON, 10, 10, 60, 14).Add("STATIC", "Label", kLabel, 0, 10, 40, 60, 10);
    }
    bool Open() { return CreateIndirect(m_template.Get()) != FALSE; }
    HBRUSH m_brush = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
protected:
    const MessageMap& GetMessageMap() const override
    {
        static const MessageMap map(CDialog::GetMessageMap(), {OnCommand(BN_CLICKED, kButton, &ParentDialog::OnButton),
            ::OnCtlColor(&ParentDialog::OnCtlColor), OnNotify(NM_CUSTOMDRAW, kButton, &ParentDialog::OnCustomDraw)});
        return map;
    }
    void OnButton() { m_log.Add("parent BN_CLICKED"); }
    HBRUSH OnCtlColor(CDC*, CWnd*, UINT) { return m_brush; }
    void OnCustomDraw(NMHDR*, LRESULT* result) { m_log.Add("parent NM_CUSTOMDRAW"); *result = 5; }
    gui::MessageLog& m_log;
    gui::DialogTemplate m_template{WS_POPUP | WS_VISIBLE, 160, 80};
};

class Routing : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dialog.Open()); }
    void TearDown() override { m_dialog.DestroyWindow(); gui::FlushEvents(); }
    LRESULT Colour(HWND control)  // the brush the dialog answers for the control
    {
        const HDC dc = ::GetDC(m_dialog);
        const LRESULT brush = m_dialog.SendMessage(WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
        return ::ReleaseDC(m_dialog, dc), brush;
    }
    gui::MessageLog m_log;
    ParentDialog m_dialog{m_log};
};

TEST_F(Routing, TheControlHearsFirstAndItsAnswerDecidesWhetherTheParentRuns) {
    // A null brush from the control leaves the colour to the parent.
    struct Row { const char* label; BOOL keep; std::vector<std::string> clicks; LRESULT brush; };
    const Row rows[] = {
        {"FALSE lets the parent run", FALSE, {"child BN_CLICKED", "parent BN_CLICKED"}, reinterpret_cast<LRESULT>(m_dialog.m_brush)},
        {"TRUE keeps it out", TRUE, {"child BN_CLICKED"}, reinterpret_cast<LRESULT>(::GetStockObject(BLACK_BRUSH))},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        ProbeButton button(m_log, row.keep);
        ASSERT_TRUE(button.SubclassDlgItem(kButton, &m_dialog));
        m_log.Clear();
        button.SendMessage(BM_CLICK);
        EXPECT_TRUE(m_log.Matches(row.clicks));
        EXPECT_EQ(row.brush, Colour(button));
        NMHDR header{button.m_hWnd, kButton, static_cast<UINT>(NM_CUSTOMDRAW)};
        m_log.Clear();
        EXPECT_EQ(row.keep ? 7 : 0, m_dialog.SendMessage(WM_NOTIFY, kButton, reinterpret_cast<LPARAM>(&header)));  // left unset: 0
        EXPECT_TRUE(m_log.Matches({"child NM_CUSTOMDRAW"}));  // a notify handler always keeps it
        EXPECT_FALSE(ProbeButton(m_log, row.keep).SubclassDlgItem(kButton, &m_dialog));  // bound once only
    }
    // Without an object only the parent answers.
    EXPECT_EQ(reinterpret_cast<LRESULT>(m_dialog.m_brush), Colour(::GetDlgItem(m_dialog, kLabel)));
    NMHDR header{::GetDlgItem(m_dialog, kButton), kButton, static_cast<UINT>(NM_CUSTOMDRAW)};
    EXPECT_EQ(5, m_dialog.SendMessage(WM_NOTIFY, kButton, reinterpret_cast<LPARAM>(&header)));
}

class LoggingMenu : public CMenu {
public:
    explicit LoggingMenu(gui::MessageLog& log) : m_log(log) {}
    void DrawItem(LPDRAWITEMSTRUCT item) override { m_log.Add("menu DrawItem " + std::to_string(item->itemID)); }
    void MeasureItem(LPMEASUREITEMSTRUCT item) override { item->itemHeight = 33; }
    gui::MessageLog& m_log;
};

TEST_F(Routing, OwnerDrawnMenuItemsReachTheirMenuObject) {
    LoggingMenu menu(m_log);
    ASSERT_TRUE(menu.CreatePopupMenu());
    DRAWITEMSTRUCT draw{ODT_MENU, 0, 42, 0, 0, reinterpret_cast<HWND>(menu.m_hMenu)};
    EXPECT_EQ(TRUE, m_dialog.SendMessage(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw)));
    EXPECT_TRUE(m_log.Matches({"menu DrawItem 42"}));
    // A measured item names its menu only as a popup item's id.
    MEASUREITEMSTRUCT measure{ODT_MENU, 0, static_cast<UINT>(reinterpret_cast<UINT_PTR>(menu.m_hMenu)), 0, 0, 0};
    m_dialog.SendMessage(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
    EXPECT_EQ(33u, measure.itemHeight);
    const HMENU detached = menu.Detach(); EXPECT_EQ(nullptr, CMenu::FromHandlePermanent(detached)); ::DestroyMenu(detached);  // detached: its handle finds it no more
}

class CountingStatic : public CStatic {
public:
    int m_postNcDestroy = 0, m_messages = 0;
    HWND m_hwndAtPostNcDestroy = reinterpret_cast<HWND>(1);
protected:
    LRESULT WindowProc(UINT message, WPARAM w, LPARAM l) override { return ++m_messages, CStatic::WindowProc(message, w, l); }
    void PostNcDestroy() override { ++m_postNcDestroy; m_hwndAtPostNcDestroy = m_hWnd; }
};

TEST(WindowLink, IsCutAtNcDestroyAndOnlyACreatedWindowGoesWithItsObject) {
    const HWND hwnd = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, nullptr, nullptr);
    CWnd* temporary = CWnd::FromHandle(hwnd);
    EXPECT_TRUE(temporary && temporary == CWnd::FromHandle(hwnd));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hwnd));
    {
        CountingStatic label;
        ASSERT_TRUE(label.SubclassWindow(hwnd));
        struct : CWnd { using CWnd::Attach; } second;  // one object per window
        EXPECT_TRUE(!second.Attach(hwnd) && !second.Attach(nullptr));
        EXPECT_EQ(&label, CWnd::FromHandle(hwnd)); EXPECT_EQ(hwnd, label.UnsubclassWindow());
        const int heard = label.m_messages; ::SetWindowTextA(hwnd, "after"); EXPECT_EQ(heard, label.m_messages);
        ASSERT_TRUE(label.SubclassWindow(hwnd));
    }
    CWnd::DeleteTempMap();
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hwnd));
    ::SetWindowTextA(hwnd, "borrowed"); EXPECT_EQ("borrowed", gui::WindowText(hwnd));  // a borrowed window outlives its object

    CountingStatic label;
    ASSERT_TRUE(label.SubclassWindow(hwnd));
    ::DestroyWindow(hwnd);
    EXPECT_EQ(1, label.m_postNcDestroy); EXPECT_EQ(nullptr, label.m_hwndAtPostNcDestroy);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hwnd));

    auto mine = std::make_unique<CStatic>();
    ASSERT_TRUE(mine->CreateEx(0, "STATIC", "mine", WS_POPUP, CRect(0, 0, 40, 20), nullptr, 0));
    const HWND created = mine->m_hWnd;
    mine.reset();
    EXPECT_FALSE(::IsWindow(created));
}

class HelpWindow : public CStatic {
public:
    int m_helps = 0;
    void WinHelp(DWORD_PTR, UINT) override { ++m_helps; }
};

class HelpApp : public CWinApp {
protected:
    const CommandMap& GetCommandMap() const override { static const CommandMap map{AppCommand(ID_HELP, &HelpApp::OnHelp)}; return map; }
};

TEST(Application, HelpGoesFromTheMainWindowOnlyAndTheNameFromTheExecutable) {
    HelpApp app;
    HelpWindow main, other;
    for (HelpWindow* w : {&main, &other})
        ASSERT_TRUE(w->CreateEx(0, "STATIC", "", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    app.m_pMainWnd = &main;
    EXPECT_EQ(&app, AfxGetApp());
    main.SendMessage(WM_COMMAND, ID_HELP);
    other.SendMessage(WM_COMMAND, ID_HELP);
    EXPECT_EQ(1, main.m_helps); EXPECT_EQ(0, other.m_helps);
    EXPECT_EQ("gui_framework", AfxGetAppName());
}

}  // namespace
