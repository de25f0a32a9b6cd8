// The template page in the wizard's step control: its fresh state, collecting a
// typed template name, VIEW opening the template the run will read (the program
// folder + the name) and reporting a name the shell cannot open, and the keys that
// must not close the page.

#include <gtest/gtest.h>

#include <windows.h>
#include <tlhelp32.h>

#include <fstream>
#include <sstream>

#include "CWinApp.h"
#include "GuiHarness.h"
#include "PagesHost.h"
#include "PlatformFiles.h"
#include "resource.h"

namespace {

constexpr const char* kViewFailed = "::ShellExecute failed to open this link!";

class TemplatePageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.Open());
        m_host.ShowStep(1);
        ASSERT_TRUE(m_host.m_templatePage.IsWindowVisible());
    }

    void TearDown() override
    {
        m_host.DestroyWindow();
        gui::FlushEvents();
    }

    HWND Combo() const { return m_host.TemplateItem(IDC_TEMPLATE_NAME); }
    HWND Keywords() const { return m_host.TemplateItem(IDC_KEYWORDS); }
    HWND Description() const { return m_host.TemplateItem(IDC_DESCRIPTION); }
    HWND View() const { return m_host.TemplateItem(IDC_VIEW); }
    void ClickView() { ClickCentre(View()); }

    PagesHost m_host;
};

TEST_F(TemplatePageTest, FreshPageSelectsTheFirstTemplateWithEmptyBoxes)
{
    const CTemplatePage& page = m_host.m_templatePage;
    EXPECT_EQ("templet1.htm", page.templateName);
    EXPECT_EQ("", page.keywords);
    EXPECT_EQ("", page.description);

    // The list comes from the dialog's own data, kept sorted.
    EXPECT_EQ((std::vector<std::string>{"templet1.htm", "templet2.htm", "templet3.htm"}),
              ComboEntries(Combo()));
    EXPECT_EQ(0, ::SendMessageA(Combo(), CB_GETCURSEL, 0, 0));
    EXPECT_EQ("templet1.htm", gui::WindowText(ComboEdit(Combo())));
    EXPECT_EQ("", gui::WindowText(Keywords()));
    EXPECT_EQ("", gui::WindowText(Description()));
    EXPECT_EQ("VIEW", gui::WindowText(View()));
    // VIEW is the flat image button, attached by the page's data exchange.
    EXPECT_EQ(View(), m_host.m_templatePage.m_btnView.m_hWnd);
}

TEST_F(TemplatePageTest, CollectingTakesEveryBoxAsTyped)
{
    CTemplatePage& page = m_host.m_templatePage;
    struct Case {
        const char* label;
        std::string name;
    } cases[] = {
        {"a name not in the list", "my own.htm"},
        {"the start of a listed name, not completed", "templet"},
        {"blanks and case kept", "  Templet2.HTM "},
        {"a name wider than the box", "templates\\for the yearly weather report, second edition.htm"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        TypeText(Combo(), c.name);
        ASSERT_EQ(c.name, gui::WindowText(ComboEdit(Combo())));
        EXPECT_TRUE(page.CollectValues());
        EXPECT_EQ(c.name, page.templateName);
    }

    // Choosing from the list is collected too.
    ::SendMessageA(Combo(), CB_SETCURSEL, 2, 0);
    EXPECT_TRUE(page.CollectValues());
    EXPECT_EQ("templet3.htm", page.templateName);

    TypeText(Keywords(), "rain, snow");
    TypeText(Description(), "Weather notes of the year");
    EXPECT_TRUE(page.CollectValues());
    EXPECT_EQ("rain, snow", page.keywords);
    EXPECT_EQ("Weather notes of the year", page.description);
}

TEST_F(TemplatePageTest, ViewCollectsFirstAndReportsANameTheShellCannotOpen)
{
    TypeText(Combo(), "no such template.htm");
    TypeText(Keywords(), "typed just before VIEW");
    gui::MessageBoxAnswerer boxes;
    boxes.Answer(IDOK);
    ClickView();
    ASSERT_TRUE(gui::PumpUntil([&] { return boxes.Pending() == 0; }));
    gui::FlushEvents();

    ASSERT_EQ(1u, boxes.Seen().size());
    const gui::SeenBox& box = boxes.Seen()[0];
    EXPECT_EQ(kViewFailed, box.text);
    EXPECT_EQ(AfxGetAppName(), box.caption);
    EXPECT_EQ(std::vector<int>{IDOK}, box.buttons);
    EXPECT_EQ(m_host.m_hWnd, box.owner);
    EXPECT_TRUE(box.ownerDisabled);

    const CTemplatePage& page = m_host.m_templatePage;
    EXPECT_EQ("no such template.htm", page.templateName);
    EXPECT_EQ("typed just before VIEW", page.keywords);
    // Nothing else changes: the page and its boxes stay as they were.
    EXPECT_TRUE(page.IsWindowVisible());
    EXPECT_EQ("no such template.htm", gui::WindowText(ComboEdit(Combo())));
}

// A file type of the test's own whose "open" action is the probe program beside
// the tests, which copies the opened file to a marker file, so that what VIEW
// opened can be read back. Registered in the test's Wine prefix and removed again.
class ProbeFileType {
public:
    static constexpr const char* kExtension = ".tessivaviewprobe";
    static constexpr const char* kProbeProgram = "pages_view_probe.exe";

    explicit ProbeFileType(const std::string& marker)
    {
        const std::string command =
            "\"" + platform::ProgramFolder() + kProbeProgram + "\" \"%1\" \"" + marker + "\"";
        m_ok = Set(kExtension, "tessiva.viewprobe") &&
               Set("tessiva.viewprobe\\shell\\open\\command", command);
    }
    ~ProbeFileType()
    {
        ::RegDeleteTreeA(HKEY_CLASSES_ROOT, kExtension);
        ::RegDeleteTreeA(HKEY_CLASSES_ROOT, "tessiva.viewprobe");
    }
    ProbeFileType(const ProbeFileType&) = delete;
    ProbeFileType& operator=(const ProbeFileType&) = delete;
    bool Ok() const { return m_ok; }

    // No probe is running any more.
    static bool AllEnded()
    {
        const HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        if (snapshot == INVALID_HANDLE_VALUE)
            return true;
        PROCESSENTRY32 entry = {};
        entry.dwSize = sizeof(entry);
        bool running = false;
        for (BOOL more = ::Process32First(snapshot, &entry); more && !running;
             more = ::Process32Next(snapshot, &entry))
            running = ::lstrcmpiA(entry.szExeFile, kProbeProgram) == 0;
        ::CloseHandle(snapshot);
        return !running;
    }

private:
    static bool Set(const char* key, const std::string& value)
    {
        HKEY handle = nullptr;
        if (::RegCreateKeyExA(HKEY_CLASSES_ROOT, key, 0, nullptr, 0, KEY_WRITE, nullptr, &handle,
                              nullptr) != ERROR_SUCCESS)
            return false;
        const LONG result = ::RegSetValueExA(handle, nullptr, 0, REG_SZ,
                                             reinterpret_cast<const BYTE*>(value.c_str()),
                                             static_cast<DWORD>(value.size() + 1));
        ::RegCloseKey(handle);
        return result == ERROR_SUCCESS;
    }
    bool m_ok = false;
};

// Makes another folder the current one for the length of a test.
class CurrentFolder {
public:
    explicit CurrentFolder(const std::string& folder)
    {
        char previous[MAX_PATH] = {};
        ::GetCurrentDirectoryA(MAX_PATH, previous);
        m_previous = previous;
        ::SetCurrentDirectoryA(folder.c_str());
    }
    ~CurrentFolder() { ::SetCurrentDirectoryA(m_previous.c_str()); }
    CurrentFolder(const CurrentFolder&) = delete;
    CurrentFolder& operator=(const CurrentFolder&) = delete;

private:
    std::string m_previous;
};

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

TEST_F(TemplatePageTest, ViewOpensTheTemplateInTheProgramFolderWhateverTheCurrentFolder)
{
    gui::TempFolder elsewhere("view");
    const std::string marker = elsewhere.Path() + "\\opened.txt";
    ::DeleteFileA(marker.c_str());  // left by an earlier run that stopped half-way
    ProbeFileType probe(marker);
    ASSERT_TRUE(probe.Ok());
    const std::string name = std::string("view-probe") + ProbeFileType::kExtension;

    // The same name in the current folder and in the program folder, with
    // different contents: the shell must be handed the program folder's.
    elsewhere.Write(name, "the current folder's copy");
    const std::string programCopy = platform::ProgramFolder() + name;
    {
        std::ofstream out(programCopy, std::ios::binary);
        out << "the program folder's copy";
    }
    CurrentFolder current(elsewhere.Path());

    UnexpectedBoxes unexpected(m_host.m_hWnd);
    TypeText(Combo(), name);
    ClickView();
    const bool opened = gui::PumpUntil([&] { return !ReadFile(marker).empty(); }, 30000);
    EXPECT_TRUE(gui::PumpUntil(ProbeFileType::AllEnded, 30000));
    ::DeleteFileA(programCopy.c_str());

    EXPECT_TRUE(unexpected.Seen().empty()) << unexpected.Seen()[0];
    ASSERT_TRUE(opened) << "the shell never ran the open action";
    EXPECT_EQ("the program folder's copy", ReadFile(marker));
    ::DeleteFileA(marker.c_str());
}

TEST_F(TemplatePageTest, ViewDoesNotLookInTheCurrentFolder)
{
    gui::TempFolder elsewhere("view-cwd");
    ProbeFileType probe(elsewhere.Path() + "\\opened.txt");
    ASSERT_TRUE(probe.Ok());
    const std::string name = std::string("only-here") + ProbeFileType::kExtension;
    elsewhere.Write(name, "not a template of the program");
    CurrentFolder current(elsewhere.Path());

    TypeText(Combo(), name);
    // The box comes up inside the click; the catcher reads and closes it there.
    UnexpectedBoxes boxes(m_host.m_hWnd);
    ClickView();
    gui::PumpUntil([&] { return !boxes.Seen().empty(); });
    ASSERT_EQ(1u, boxes.Seen().size()) << "the shell opened the current folder's file";
    EXPECT_NE(std::string::npos, boxes.Seen()[0].find(kViewFailed)) << boxes.Seen()[0];
}

TEST_F(TemplatePageTest, EnterAndEscapeNeverHideThePage)
{
    UnexpectedBoxes unexpected(m_host.m_hWnd);
    CTemplatePage& page = m_host.m_templatePage;
    for (HWND box : {Keywords(), Description(), ComboEdit(Combo())}) {
        SCOPED_TRACE(gui::WindowText(box));
        TypeText(box, "typed");
        for (WORD key : {VK_RETURN, VK_ESCAPE}) {
            ::SetFocus(box);
            gui::FlushEvents();
            PressKeyAndWait(key);
            EXPECT_TRUE(page.IsWindowVisible()) << "key " << key;
            EXPECT_TRUE(m_host.IsWindowVisible());
        }
    }
    // The keys collected nothing either: only START (or VIEW) collects.
    EXPECT_EQ("templet1.htm", page.templateName);
    EXPECT_EQ("", page.keywords);
    EXPECT_TRUE(unexpected.Seen().empty());
}

}  // namespace
