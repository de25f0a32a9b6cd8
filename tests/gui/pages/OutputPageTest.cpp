// The output page in the wizard's step control: its fresh state, the integer check
// of the start number and what a failed check leaves uncollected, the index
// option's click handler, BROWSE through the real folder browser (choosing and
// cancelling), and the keys that must not close the page.

#include <gtest/gtest.h>

#include "CWinApp.h"
#include "CDataExchange.h"
#include "FolderBrowserDriver.h"
#include "GuiHarness.h"
#include "PagesHost.h"
#include "resource.h"

namespace {

class OutputPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.Open());
        m_host.ShowStep(2);
        ASSERT_TRUE(m_host.m_outputPage.IsWindowVisible());
    }

    void TearDown() override
    {
        m_host.DestroyWindow();
        gui::FlushEvents();
    }

    COutputPage& Page() { return m_host.m_outputPage; }
    HWND Item(int id) const { return m_host.OutputItem(id); }
    std::string Text(int id) const { return gui::WindowText(Item(id)); }
    bool Checked() const { return ::SendMessageA(Item(IDC_CREATE_INDEX), BM_GETCHECK, 0, 0) == BST_CHECKED; }

    // Presses BROWSE with a real click; the driver answers the browser.
    void Browse()
    {
        ClickCentre(Item(IDC_BROWSE));
        ASSERT_TRUE(gui::PumpUntil([&] { return m_browser.Pending() == 0; }, 30000));
        // The browser has been answered; let it close and the page take the result.
        ASSERT_TRUE(gui::PumpUntil([&] { return ::IsWindowEnabled(m_host.m_hWnd) != FALSE; }));
        gui::FlushEvents();
    }

    PagesHost m_host;
    FolderBrowserDriver m_browser;
};

TEST_F(OutputPageTest, FreshPageShowsZeroAsStartNumberAndEverythingElseEmpty)
{
    const COutputPage& page = m_host.m_outputPage;
    EXPECT_EQ("", page.outputName);
    EXPECT_EQ("", page.outputPath);
    EXPECT_EQ(0, page.startNumber);
    EXPECT_EQ(0, page.createIndex);
    EXPECT_EQ("", page.homeTitle);
    EXPECT_EQ("", page.homeUrl);

    for (int id : {IDC_OUTPUT_PATH, IDC_OUTPUT_NAME, IDC_HOME_TITLE, IDC_HOME_URL}) {
        SCOPED_TRACE(id);
        EXPECT_EQ("", Text(id));
    }
    EXPECT_EQ("0", Text(IDC_START_NUMBER));
    EXPECT_FALSE(Checked());
    EXPECT_EQ("Create a index file?", Text(IDC_CREATE_INDEX));
    EXPECT_EQ("BROWSE", Text(IDC_BROWSE));
    EXPECT_EQ(Item(IDC_BROWSE), m_host.m_outputPage.m_btnBrowse.m_hWnd);
}

TEST_F(OutputPageTest, StartNumberWithBlanksIsTakenAndEveryFieldCollected)
{
    TypeText(Item(IDC_OUTPUT_NAME), "page");
    TypeText(Item(IDC_OUTPUT_PATH), "C:\\site\\");
    ::SetWindowTextA(Item(IDC_START_NUMBER), " \t12 \t");
    ClickCheckBox(Item(IDC_CREATE_INDEX));
    TypeText(Item(IDC_HOME_TITLE), "Home");
    TypeText(Item(IDC_HOME_URL), "index.htm");

    UnexpectedBoxes unexpected(m_host.m_hWnd);
    ASSERT_TRUE(Page().CollectValues());
    EXPECT_TRUE(unexpected.Seen().empty());
    EXPECT_EQ("page", Page().outputName);
    EXPECT_EQ("C:\\site\\", Page().outputPath);
    EXPECT_EQ(12, Page().startNumber);
    EXPECT_EQ(1, Page().createIndex);
    EXPECT_EQ("Home", Page().homeTitle);
    EXPECT_EQ("index.htm", Page().homeUrl);

    for (const char* text : {"-2", "+7", "2147483647", "-2147483648"}) {
        SCOPED_TRACE(text);
        ::SetWindowTextA(Item(IDC_START_NUMBER), text);
        ASSERT_TRUE(Page().CollectValues());
        int expected = 0;
        ASSERT_TRUE(AfxParseInt32(text, expected));
        EXPECT_EQ(expected, Page().startNumber);
    }
}

TEST_F(OutputPageTest, StartNumberThatIsNoIntegerIsRefusedAndStopsTheCollectionThere)
{
    struct Case {
        const char* label;
        const char* text;
    } cases[] = {
        {"a digit and a letter", "1a"},
        {"an empty box", ""},
        {"a lone minus sign", "-"},
        {"blanks only", "  "},
        {"two numbers", "1 2"},
        {"too large for 32 bits", "2147483648"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        // Values stored by an earlier collection.
        Page().startNumber = 5;
        Page().createIndex = 0;
        Page().homeTitle = "old title";
        Page().homeUrl = "old url";

        ::SetWindowTextA(Item(IDC_OUTPUT_NAME), "new name");
        ::SetWindowTextA(Item(IDC_OUTPUT_PATH), "C:\\new");
        ::SetWindowTextA(Item(IDC_START_NUMBER), c.text);
        ::SendMessageA(Item(IDC_CREATE_INDEX), BM_SETCHECK, BST_CHECKED, 0);
        ::SetWindowTextA(Item(IDC_HOME_TITLE), "new title");
        ::SetWindowTextA(Item(IDC_HOME_URL), "new url");
        ::SetFocus(Item(IDC_HOME_URL));

        gui::MessageBoxAnswerer boxes;
        boxes.Answer(IDOK);
        EXPECT_FALSE(Page().CollectValues());
        gui::FlushEvents();

        ASSERT_EQ(1u, boxes.Seen().size());
        EXPECT_EQ(AFX_IDP_PARSE_INT, boxes.Seen()[0].text);
        EXPECT_EQ(AfxGetAppName(), boxes.Seen()[0].caption);
        EXPECT_EQ(std::vector<int>{IDOK}, boxes.Seen()[0].buttons);

        // The box has the focus with its whole text selected.
        EXPECT_EQ(Item(IDC_START_NUMBER), ::GetFocus());
        const int length = static_cast<int>(strlen(c.text));
        EXPECT_EQ(std::make_pair(0, length), EditSelection(Item(IDC_START_NUMBER)));
        EXPECT_EQ(c.text, Text(IDC_START_NUMBER));

        // The fields before the start number were collected, the ones after not.
        EXPECT_EQ("new name", Page().outputName);
        EXPECT_EQ("C:\\new", Page().outputPath);
        EXPECT_EQ(5, Page().startNumber);
        EXPECT_EQ(0, Page().createIndex);
        EXPECT_EQ("old title", Page().homeTitle);
        EXPECT_EQ("old url", Page().homeUrl);
    }
}

TEST_F(OutputPageTest, TheIndexOptionFollowsTheBoxAndTwoClicksLeaveItUnchecked)
{
    const HWND box = Item(IDC_CREATE_INDEX);
    ClickCheckBox(box);
    EXPECT_TRUE(Checked());
    EXPECT_EQ(1, Page().createIndex) << "the stored option follows the box before any collection";

    ClickCheckBox(box);
    EXPECT_FALSE(Checked());
    EXPECT_EQ(0, Page().createIndex);

    ASSERT_TRUE(Page().CollectValues());
    EXPECT_EQ(0, Page().createIndex);

    // The option enables or disables nothing on the page.
    ClickCheckBox(box);
    for (int id : {IDC_HOME_TITLE, IDC_HOME_URL, IDC_OUTPUT_NAME, IDC_START_NUMBER}) {
        SCOPED_TRACE(id);
        EXPECT_TRUE(::IsWindowEnabled(Item(id)));
    }
    // The space bar toggles it as a click does.
    ::SetFocus(box);
    gui::FlushEvents();
    PressKeyAndWait(VK_SPACE);
    EXPECT_FALSE(Checked());
    EXPECT_EQ(0, Page().createIndex);
}

TEST_F(OutputPageTest, BrowseFillsInTheChosenFolderAndKeepsTheOtherBoxes)
{
    gui::TempFolder folder("browse");
    TypeText(Item(IDC_OUTPUT_NAME), "chapter");
    TypeText(Item(IDC_START_NUMBER), "7");
    TypeText(Item(IDC_OUTPUT_PATH), "C:\\typed before");

    m_browser.Choose(folder.Path());
    Browse();

    ASSERT_EQ(1u, m_browser.Seen().size());
    const SeenFolderBrowser& seen = m_browser.Seen()[0];
    EXPECT_EQ("Selectadirectory", seen.title);
    ASSERT_TRUE(seen.found) << folder.Path() << " not reached in the browser's tree";
    EXPECT_TRUE(seen.okEnabledAtChoice);
    // The wizard waits for the answer.
    EXPECT_EQ(m_host.m_hWnd, seen.owner);
    EXPECT_TRUE(seen.ownerDisabled);

    EXPECT_EQ(folder.Path(), Page().outputPath);
    EXPECT_EQ(folder.Path(), Text(IDC_OUTPUT_PATH));
    EXPECT_EQ("chapter", Text(IDC_OUTPUT_NAME));
    EXPECT_EQ("7", Text(IDC_START_NUMBER));
    // The other values are not collected by BROWSE.
    EXPECT_EQ("", Page().outputName);
    EXPECT_EQ(0, Page().startNumber);
    EXPECT_TRUE(m_host.IsWindowEnabled());
}

TEST_F(OutputPageTest, BrowseCancelledKeepsThePathThatWasThere)
{
    TypeText(Item(IDC_OUTPUT_PATH), "C:\\typed\\path");
    m_browser.Cancel();
    Browse();
    ASSERT_EQ(1u, m_browser.Seen().size());
    EXPECT_EQ("C:\\typed\\path", Text(IDC_OUTPUT_PATH));
    EXPECT_EQ("", Page().outputPath);

    // A folder chosen earlier stays too.
    gui::TempFolder folder("browse-kept");
    m_browser.Choose(folder.Path());
    Browse();
    ASSERT_EQ(folder.Path(), Text(IDC_OUTPUT_PATH));
    m_browser.Cancel();
    Browse();
    EXPECT_EQ(folder.Path(), Text(IDC_OUTPUT_PATH));
    EXPECT_EQ(folder.Path(), Page().outputPath);
}

TEST_F(OutputPageTest, EnterAndEscapeNeverHideThePage)
{
    UnexpectedBoxes unexpected(m_host.m_hWnd);
    // A start number that would fail its check: a key that collected would say so.
    ::SetWindowTextA(Item(IDC_START_NUMBER), "x");
    for (int id : {IDC_OUTPUT_PATH, IDC_OUTPUT_NAME, IDC_START_NUMBER, IDC_HOME_TITLE,
                   IDC_HOME_URL, IDC_CREATE_INDEX}) {
        for (WORD key : {VK_RETURN, VK_ESCAPE}) {
            SCOPED_TRACE(std::to_string(id) + " key " + std::to_string(key));
            ::SetFocus(Item(id));
            gui::FlushEvents();
            PressKeyAndWait(key);
            EXPECT_TRUE(Page().IsWindowVisible());
            EXPECT_TRUE(m_host.IsWindowVisible());
        }
    }
    EXPECT_TRUE(unexpected.Seen().empty()) << unexpected.Seen()[0];
}

}  // namespace
