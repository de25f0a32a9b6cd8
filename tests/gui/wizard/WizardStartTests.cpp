// START: the checks before a run, the run on what the pages hold, the question
// before a page is replaced and the message for each way a run ends.

#include "PlatformFiles.h"
#include "WizardFixture.h"

namespace {

// A template in the program folder, where the run looks for it.
class ProgramFolderTemplate {
public:
    ProgramFolderTemplate(std::string name, const std::string& text)
        : m_name(std::move(name)), m_path(platform::ProgramFolder() + m_name)
    {
        WriteBytes(m_path, text);
    }
    ~ProgramFolderTemplate() { ::DeleteFileA(m_path.c_str()); }
    const std::string& Name() const { return m_name; }
    const std::string& Path() const { return m_path; }

private:
    std::string m_name;
    std::string m_path;
};

std::string SystemReason(DWORD error)
{
    char* text = nullptr;
    ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                         FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string reason = text ? text : "";
    if (text)
        ::LocalFree(text);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == ' '))
        reason.pop_back();
    return reason;
}

std::string Question(const std::string& pagePath)
{
    return "the file " + pagePath + " has already existed!\nAre you sure to overwrite it";
}

constexpr const char* kFinished = "The work has been finished! Thank you for using!";
constexpr const char* kTemplateText = "<title>$head</title>$website|$keyword|$description|$body";

}  // namespace

class StartTest : public WizardTest {
protected:
    void SetUp() override
    {
        WizardTest::SetUp();
        m_template = std::make_unique<ProgramFolderTemplate>("wizard-test-templet.htm", kTemplateText);
        TypeInto(m_wizard.m_templatePage, IDC_TEMPLATE_NAME, m_template->Name());
    }
    void TearDown() override
    {
        RemoveFilesIn(m_out.Path());
        WizardTest::TearDown();
    }

    // Input files a.txt, b.txt... each "<Letter> title\r\nbody of <letter>\r\n".
    std::vector<std::string> MakeInputs(int count)
    {
        std::vector<std::string> paths;
        for (int i = 0; i < count; ++i) {
            const char letter = static_cast<char>('a' + i);
            const char upper = static_cast<char>('A' + i);
            paths.push_back(m_in.Write(std::string(1, letter) + ".txt",
                                       std::string(1, upper) + " title\r\nbody of " + letter + "\r\n"));
        }
        return paths;
    }
    std::string Page(int number) const { return m_out.Path() + "\\page" + std::to_string(number) + ".htm"; }
    static std::string PageText(char letter)
    {
        const char upper = static_cast<char>(letter - 'a' + 'A');
        return std::string("<title>") + upper + " title</title><a href=>Home</a>|kw|desc|body of " +
               letter + "\r\n<br>";
    }

    // Files in the list, the output page filled in: name "page", first number 1.
    void FillPages(int files, const std::string& startNumber = "1")
    {
        AddFiles(MakeInputs(files));
        TypeInto(m_wizard.m_templatePage, IDC_KEYWORDS, "kw");
        TypeInto(m_wizard.m_templatePage, IDC_DESCRIPTION, "desc");
        TypeInto(m_wizard.m_outputPage, IDC_OUTPUT_PATH, m_out.Path());
        TypeInto(m_wizard.m_outputPage, IDC_OUTPUT_NAME, "page");
        TypeInto(m_wizard.m_outputPage, IDC_START_NUMBER, startNumber);
        TypeInto(m_wizard.m_outputPage, IDC_HOME_TITLE, "Home");
        ClickStep(2);  // START comes on with STEP3
    }

    gui::TempFolder m_in{"wizard-in"};
    gui::TempFolder m_out{"wizard-out"};
    std::unique_ptr<ProgramFolderTemplate> m_template;
};

TEST_F(StartTest, ChecksTheListFirstThenTheOutputPathBox)
{
    struct Row {
        const char* label;
        bool files;
        bool path;
        const char* message;
    };
    const Row rows[] = {
        {"nothing at all", false, false, "you must add one file in the listbox"},
        {"no files", false, true, "you must add one file in the listbox"},
        {"no output path", true, false, "you must input the file output path"},
    };
    ClickStep(2);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        m_wizard.m_filesPage.m_listFiles.ResetContent();
        if (row.files)
            AddFiles(MakeInputs(1));
        TypeInto(m_wizard.m_outputPage, IDC_OUTPUT_PATH, row.path ? m_out.Path() : "");
        TypeInto(m_wizard.m_outputPage, IDC_OUTPUT_NAME, "page");

        gui::MessageBoxAnswerer boxes;
        boxes.Answer(IDOK);
        PressStart();
        ASSERT_EQ(boxes.Seen().size(), 1u);
        const gui::SeenBox& box = boxes.Seen()[0];
        EXPECT_EQ(box.text, row.message);
        EXPECT_EQ(box.caption, AfxGetAppName());
        EXPECT_EQ(box.buttons, std::vector<int>{IDOK});
        EXPECT_FALSE(box.hasIcon);
        EXPECT_EQ(box.owner, Wizard());
        EXPECT_TRUE(::IsWindowEnabled(Start()));
        EXPECT_FALSE(PathIsThere(m_out.Path() + "\\page0.htm"));
    }
}

TEST_F(StartTest, FinishedRunWritesEveryPageAndSaysSo)
{
    FillPages(2);
    gui::MessageBoxAnswerer boxes;
    boxes.Answer(IDOK);
    PressStart();

    ASSERT_EQ(boxes.Seen().size(), 1u);
    EXPECT_EQ(boxes.Seen()[0].text, kFinished);
    EXPECT_EQ(boxes.Seen()[0].caption, AfxGetAppName());
    EXPECT_EQ(boxes.Seen()[0].buttons, std::vector<int>{IDOK});
    EXPECT_EQ(ReadFileBytes(Page(1)), PageText('a'));
    EXPECT_EQ(ReadFileBytes(Page(2)), PageText('b'));
    EXPECT_FALSE(PathIsThere(Page(3)));
    EXPECT_FALSE(PathIsThere(m_out.Path() + "\\index.htm"));  // the option was off
    EXPECT_TRUE(::IsWindowEnabled(Start()));
    // The list is left as it was.
    EXPECT_EQ(m_wizard.m_filesPage.m_listFiles.GetCount(), 2);
}

TEST_F(StartTest, NoAtTheSecondOfFiveExistingPagesStopsThere)
{
    FillPages(5);
    for (int n = 1; n <= 5; ++n)
        WriteBytes(Page(n), "old");

    gui::MessageBoxAnswerer boxes;
    boxes.Answer(IDYES);
    boxes.Answer(IDNO);
    boxes.Answer(IDOK);  // would answer a completion message that must not come
    PressStart();

    ASSERT_EQ(boxes.Seen().size(), 2u);
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        const gui::SeenBox& box = boxes.Seen()[i];
        EXPECT_EQ(box.caption, "WARNNING");
        EXPECT_EQ(box.text, Question(Page(i + 1)));
        EXPECT_EQ(box.buttons, (std::vector<int>{IDYES, IDNO}));
        EXPECT_EQ(box.defaultButton, IDYES);
        EXPECT_FALSE(box.hasIcon);
        EXPECT_EQ(box.owner, Wizard());
        EXPECT_TRUE(box.ownerDisabled);
    }
    EXPECT_EQ(boxes.Pending(), 1u);
    EXPECT_EQ(ReadFileBytes(Page(1)), PageText('a'));
    for (int n = 2; n <= 5; ++n)
        EXPECT_EQ(ReadFileBytes(Page(n)), "old") << n;
    EXPECT_TRUE(::IsWindowEnabled(Start()));
}

TEST_F(StartTest, YesToEveryQuestionReplacesAllAndFinishes)
{
    FillPages(5);
    for (int n = 1; n <= 5; ++n)
        WriteBytes(Page(n), "old");

    gui::MessageBoxAnswerer boxes;
    for (int n = 1; n <= 5; ++n)
        boxes.Answer(IDYES);
    boxes.Answer(IDOK);
    PressStart();

    ASSERT_EQ(boxes.Seen().size(), 6u);
    for (int n = 1; n <= 5; ++n) {
        EXPECT_EQ(boxes.Seen()[n - 1].text, Question(Page(n)));
        EXPECT_EQ(ReadFileBytes(Page(n)), PageText(static_cast<char>('a' + n - 1))) << n;
    }
    EXPECT_EQ(boxes.Seen()[5].text, kFinished);
    EXPECT_TRUE(::IsWindowEnabled(Start()));
}

namespace {

// Looks at the wizard while the overwrite question is up: the window is repainted
// first (as when the box uncovers it), then START's state is taken and No pressed.
struct StartStateSpy {
    HWND wizard = nullptr;
    HWND start = nullptr;
    int looks = 0;
    bool startEnabled = true;
    static StartStateSpy* current;

    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        StartStateSpy& spy = *current;
        HWND box = ::GetLastActivePopup(spy.wizard);
        if (!box || box == spy.wizard || gui::WindowText(box) != "WARNNING" || spy.looks)
            return;
        ++spy.looks;
        ::RedrawWindow(spy.wizard, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        spy.startEnabled = ::IsWindowEnabled(spy.start) != FALSE;
        ::PostMessageA(box, WM_COMMAND, IDNO, 0);
    }
};
StartStateSpy* StartStateSpy::current = nullptr;

}  // namespace

TEST_F(StartTest, StartStaysDisabledWhileTheRunAsks)
{
    FillPages(1);
    WriteBytes(Page(1), "old");
    StartStateSpy spy;
    spy.wizard = Wizard();
    spy.start = Start();
    StartStateSpy::current = &spy;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, &StartStateSpy::Tick);
    PressStart();
    ::KillTimer(nullptr, timer);

    EXPECT_EQ(spy.looks, 1);
    EXPECT_FALSE(spy.startEnabled);
    EXPECT_TRUE(::IsWindowEnabled(Start()));
    EXPECT_EQ(ReadFileBytes(Page(1)), "old");
}

TEST_F(StartTest, MissingTemplateIsAFileErrorBeforeAnyPage)
{
    FillPages(2);
    TypeInto(m_wizard.m_templatePage, IDC_TEMPLATE_NAME, "no-such-templet.htm");

    gui::MessageBoxAnswerer boxes;
    boxes.Answer(IDOK);
    PressStart();

    ASSERT_EQ(boxes.Seen().size(), 1u);
    const gui::SeenBox& box = boxes.Seen()[0];
    EXPECT_EQ(box.text, SystemReason(ERROR_FILE_NOT_FOUND) + "\n\n" + platform::ProgramFolder() +
                            "no-such-templet.htm");
    EXPECT_EQ(box.caption, AfxGetAppName());
    EXPECT_TRUE(box.hasIcon);
    EXPECT_EQ(box.buttons, std::vector<int>{IDOK});
    EXPECT_FALSE(PathIsThere(Page(1)));
    EXPECT_TRUE(::IsWindowEnabled(Start()));
}

TEST_F(StartTest, MissingOutputFolderIsAFileErrorAtTheFirstPage)
{
    FillPages(2);
    const std::string folder = m_out.Path() + "\\no-such-folder";
    TypeInto(m_wizard.m_outputPage, IDC_OUTPUT_PATH, folder);

    gui::MessageBoxAnswerer boxes;
    boxes.Answer(IDOK);
    PressStart();

    ASSERT_EQ(boxes.Seen().size(), 1u);
    const gui::SeenBox& box = boxes.Seen()[0];
    const std::string page = folder + "\\page1.htm";
    // The system's reason, then the page that could not be written.
    ASSERT_GT(box.text.size(), page.size() + 2);
    EXPECT_EQ(box.text.substr(box.text.size() - page.size() - 2), "\n\n" + page);
    EXPECT_NE(box.text.find_first_not_of("\n"), box.text.size() - page.size() - 2);
    EXPECT_TRUE(box.hasIcon);
    EXPECT_EQ(box.caption, AfxGetAppName());
    EXPECT_FALSE(PathIsThere(folder));
    EXPECT_TRUE(::IsWindowEnabled(Start()));
}

TEST_F(StartTest, StartNumberThatIsNoIntegerStopsTheRunBeforeAnythingIsWritten)
{
    FillPages(2, "1a");
    gui::MessageBoxAnswerer boxes;
    boxes.Answer(IDOK);
    boxes.Answer(IDOK);  // would answer a completion message that must not come
    PressStart();

    ASSERT_EQ(boxes.Seen().size(), 1u);
    EXPECT_EQ(boxes.Seen()[0].text, AFX_IDP_PARSE_INT);
    EXPECT_FALSE(PathIsThere(Page(0)));
    EXPECT_FALSE(PathIsThere(Page(1)));
    EXPECT_FALSE(PathIsThere(m_out.Path() + "\\page.htm"));
    EXPECT_TRUE(::IsWindowEnabled(Start()));
    // The user is taken to the box to correct it.
    EXPECT_EQ(::GetFocus(), ::GetDlgItem(m_wizard.m_outputPage.m_hWnd, IDC_START_NUMBER));
}

TEST_F(StartTest, SecondRunNumbersFromTheEnteredStartNumberAgain)
{
    FillPages(2, "7");
    {
        gui::MessageBoxAnswerer boxes;
        boxes.Answer(IDOK);
        PressStart();
        ASSERT_EQ(boxes.Seen().size(), 1u);
        EXPECT_EQ(boxes.Seen()[0].text, kFinished);
    }
    EXPECT_TRUE(PathIsThere(Page(7)));
    EXPECT_TRUE(PathIsThere(Page(8)));
    EXPECT_EQ(m_wizard.m_outputPage.startNumber, 7);
    EXPECT_EQ(gui::WindowText(::GetDlgItem(m_wizard.m_outputPage.m_hWnd, IDC_START_NUMBER)), "7");

    gui::MessageBoxAnswerer boxes;
    boxes.Answer(IDNO);
    PressStart();
    ASSERT_EQ(boxes.Seen().size(), 1u);
    EXPECT_EQ(boxes.Seen()[0].text, Question(Page(7)));
    EXPECT_FALSE(PathIsThere(Page(9)));
}
