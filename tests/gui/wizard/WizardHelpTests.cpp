// Every help request that reaches the wizard opens the help file's default topic
// through the HTML Help control: F1 and the caption's help button (WM_HELP, also
// from the pages' controls), and the application's help command.

#include "WizardFixture.h"

#ifdef TESSIVA_HAVE_FAKE_HELP

#include "FakeHtmlHelp.h"
#include "HtmlHelpLoader.h"

namespace {

constexpr UINT kDisplayTopic = 0;  // HH_DISPLAY_TOPIC

}  // namespace

class WizardHelpTest : public WizardTest {
protected:
    void SetUp() override
    {
        WizardTest::SetUp();
        // The loader, ready, with the stand-in in place of the control.
        m_fake = ::LoadLibraryA("help_fake_with_entry.dll");
        ASSERT_NE(m_fake, nullptr);
        m_lastCall = reinterpret_cast<FakeHtmlHelpLastCallProc>(
            ::GetProcAddress(m_fake, FAKE_HTML_HELP_LAST_CALL));
        ASSERT_NE(m_lastCall, nullptr);
        ResetHtmlHelpLoaderForTests();
        g_hHtmlHelpModule = m_fake;
        g_pfnHtmlHelp = reinterpret_cast<HtmlHelpEntry>(::GetProcAddress(m_fake, MAKEINTRESOURCEA(14)));
        ASSERT_NE(g_pfnHtmlHelp, nullptr);
    }
    void TearDown() override
    {
        ResetHtmlHelpLoaderForTests();
        WizardTest::TearDown();
    }

    // The help call made since `before` calls: one, to the default topic, owned
    // by the desktop, whatever the request carried.
    void ExpectOneTopicCall(LONG before)
    {
        const FakeHtmlHelpCall* call = m_lastCall();
        EXPECT_EQ(call->count, before + 1);
        EXPECT_EQ(call->caller, ::GetDesktopWindow());
        EXPECT_EQ(std::string(call->file), GetHelpFilePath());
        EXPECT_EQ(call->command, kDisplayTopic);
        EXPECT_EQ(call->data, 0u);
    }

    HMODULE m_fake = nullptr;
    FakeHtmlHelpLastCallProc m_lastCall = nullptr;
};

TEST_F(WizardHelpTest, HelpMessageOpensTheDefaultTopicAndCountsAsHandled)
{
    const LONG before = m_lastCall()->count;
    HELPINFO info{};
    info.cbSize = sizeof(info);
    info.iContextType = HELPINFO_WINDOW;
    info.iCtrlId = IDC_START;
    info.hItemHandle = Start();
    EXPECT_EQ(::SendMessageA(Wizard(), WM_HELP, 0, reinterpret_cast<LPARAM>(&info)), TRUE);
    ExpectOneTopicCall(before);
}

TEST_F(WizardHelpTest, HelpFromAControlOnAPageReachesTheWizard)
{
    const LONG before = m_lastCall()->count;
    HWND box = ::GetDlgItem(m_wizard.m_outputPage.m_hWnd, IDC_OUTPUT_PATH);
    ASSERT_NE(box, nullptr);
    HELPINFO info{};
    info.cbSize = sizeof(info);
    info.iContextType = HELPINFO_WINDOW;
    info.iCtrlId = IDC_OUTPUT_PATH;
    info.hItemHandle = box;
    ::SendMessageA(box, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    ExpectOneTopicCall(before);
}

TEST_F(WizardHelpTest, ApplicationHelpCommandEndsInTheWizardsHelp)
{
    const LONG before = m_lastCall()->count;
    ::SendMessageA(Wizard(), WM_COMMAND, MAKEWPARAM(ID_HELP, 0), 0);
    ExpectOneTopicCall(before);
}

TEST_F(WizardHelpTest, WinHelpKeepsItsDataAndCommandFromTheHelpCall)
{
    const LONG before = m_lastCall()->count;
    m_wizard.WinHelp(0x1234, HELP_CONTEXT);
    ExpectOneTopicCall(before);
}

#endif  // TESSIVA_HAVE_FAKE_HELP
