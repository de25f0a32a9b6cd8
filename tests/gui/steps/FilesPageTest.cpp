// The files page driven like a user: ADD through the real open-file dialog,
// DELETE of entries picked with real clicks, CLEAR answered through the real
// message box, and the count text.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "CFilesPage.h"
#include "CWinApp.h"
#include "GuiHarness.h"
#include "StepHost.h"
#include "resource.h"

namespace {

class FilesPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.Open());
        m_host.m_tabSteps.AddPage("STEP1", &m_page, IDD_FILES_PAGE);
        m_host.m_tabSteps.AddPage("STEP2", &m_other, IDD_FILES_PAGE);
        m_host.m_tabSteps.CreatePages();
        gui::FlushEvents();
        ASSERT_NE(nullptr, m_page.m_hWnd);
    }

    void TearDown() override
    {
        m_host.DestroyWindow();
        gui::FlushEvents();
    }

    HWND Item(int id) const { return ::GetDlgItem(m_page.m_hWnd, id); }
    std::string CountText() const { return gui::WindowText(Item(IDC_FILE_COUNT)); }

    std::vector<std::string> Entries() const
    {
        std::vector<std::string> entries;
        const HWND list = Item(IDC_FILE_LIST);
        const int count = static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            const int length = static_cast<int>(::SendMessageW(list, LB_GETTEXTLEN, i, 0));
            std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
            ::SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&wide[0]));
            wide.resize(static_cast<size_t>(length));
            entries.emplace_back(wide.begin(), wide.end());
        }
        return entries;
    }

    // Presses a page button the way a user does.
    void Press(int id)
    {
        CRect r;
        ::GetClientRect(Item(id), &r);
        gui::ClickAt(Item(id), r.CenterPoint());
        gui::FlushEvents();
    }

    // Toggles the selection of list entry `index` with a real click.
    void ClickEntry(int index)
    {
        CRect r;
        ::SendMessageA(Item(IDC_FILE_LIST), LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
        gui::ClickAt(Item(IDC_FILE_LIST), r.CenterPoint());
        gui::FlushEvents();
    }

    void Fill(int count)
    {
        for (int i = 0; i < count; ++i) {
            const std::string path = "C:\\list\\entry" + std::to_string(i) + ".txt";
            m_page.m_listFiles.AddString(path.c_str());
        }
    }

    StepHost m_host;
    CFilesPage m_page;
    CDialog m_other;
};

TEST_F(FilesPageTest, CountIsBlankUntilTheListFirstChanges)
{
    EXPECT_EQ("", CountText());
    EXPECT_TRUE(m_page.IsWindowVisible());
    Press(IDC_DELETE);  // nothing selected: the count stays untouched
    EXPECT_EQ("", CountText());
}

TEST_F(FilesPageTest, AddThroughTheOpenFileDialogKeepsTheListSortedByPathIgnoringCase)
{
    gui::TempFolder lower("alpha");
    gui::TempFolder upper("Beta");
    const std::string a = lower.Write("a.txt");
    const std::string b = upper.Write("B.txt");
    const std::string c = upper.Write("C.txt");

    gui::FileDialogDriver files;
    files.Choose({lower.Path(), "a.txt"});
    Press(IDC_ADD);
    ASSERT_TRUE(gui::PumpUntil([&] { return files.Pending() == 0 && Entries().size() == 1; }));
    ASSERT_EQ(1u, files.Seen().size());
    EXPECT_EQ((std::vector<std::string>{"TEXT FILE(*.txt)", "ALL FILE(*.*)"}), files.Seen()[0].filters);
    EXPECT_EQ(0, files.Seen()[0].selectedFilter);
    EXPECT_EQ(m_host.m_hWnd, files.Seen()[0].owner);
    EXPECT_EQ("1", CountText());

    files.Choose({upper.Path(), "\"C.txt\" \"B.txt\""});
    Press(IDC_ADD);
    ASSERT_TRUE(gui::PumpUntil([&] { return files.Pending() == 0 && Entries().size() == 3; }));
    // "alpha" sorts before "Beta" only when case is ignored.
    EXPECT_EQ((std::vector<std::string>{a, b, c}), Entries());
    EXPECT_EQ("3", CountText());
    EXPECT_EQ((std::vector<CString>{a, b, c}), m_page.GetInputFiles());

    // Paths wider than the list can be scrolled into view, and no further.
    const HWND list = Item(IDC_FILE_LIST);
    const HDC dc = ::GetDC(list);
    const HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageA(list, WM_GETFONT, 0, 0)));
    SIZE widest{};
    ::GetTextExtentPoint32A(dc, b.c_str(), static_cast<int>(b.size()), &widest);
    ::SelectObject(dc, old);
    ::ReleaseDC(list, dc);
    const LRESULT extent = ::SendMessageA(list, LB_GETHORIZONTALEXTENT, 0, 0);
    EXPECT_GE(extent, widest.cx);
    EXPECT_LE(extent, widest.cx + 16);
}

TEST_F(FilesPageTest, TheSameFileAddedTwiceStandsTwiceAndCountsTwice)
{
    gui::TempFolder folder("twice");
    const std::string path = folder.Write("same.txt");
    gui::FileDialogDriver files;
    files.Choose({path});
    files.Choose({path});
    Press(IDC_ADD);
    Press(IDC_ADD);
    ASSERT_TRUE(gui::PumpUntil([&] { return files.Pending() == 0 && Entries().size() == 2; }));
    EXPECT_EQ((std::vector<std::string>{path, path}), Entries());
    EXPECT_EQ("2", CountText());
}

TEST_F(FilesPageTest, ACancelledDialogAddsNothingButShowsTheCount)
{
    Fill(2);
    gui::FileDialogDriver files;
    files.Cancel();
    Press(IDC_ADD);
    ASSERT_TRUE(gui::PumpUntil([&] { return files.Pending() == 0 && !CountText().empty(); }));
    EXPECT_EQ(2u, Entries().size());
    EXPECT_EQ("2", CountText());
}

TEST_F(FilesPageTest, DeleteRemovesExactlyTheSelectedEntries)
{
    Fill(9);
    const std::vector<std::string> before = Entries();
    // Each click toggles its entry: 4 goes on and off again. (Two clicks in a
    // row on one entry would make a double click.)
    for (int index : {2, 4, 5, 7, 4})
        ClickEntry(index);
    ASSERT_EQ(3, m_page.m_listFiles.GetSelCount());
    Press(IDC_DELETE);
    std::vector<std::string> expected;
    for (int i = 0; i < 9; ++i)
        if (i != 2 && i != 5 && i != 7)
            expected.push_back(before[static_cast<size_t>(i)]);
    EXPECT_EQ(expected, Entries());
    EXPECT_EQ("6", CountText());
}

TEST_F(FilesPageTest, ClearAsksFirstAndNoKeepsTheListButShowsTheCount)
{
    Fill(4);
    gui::MessageBoxAnswerer boxes;
    boxes.Answer(IDNO);
    Press(IDC_CLEAR);
    ASSERT_TRUE(gui::PumpUntil([&] { return boxes.Pending() == 0 && !CountText().empty(); }));
    ASSERT_EQ(1u, boxes.Seen().size());
    const gui::SeenBox& box = boxes.Seen()[0];
    EXPECT_EQ("The command will clear all item in the listbox\n ARE YOU SURE?", box.text);
    EXPECT_EQ("warnning", box.caption);
    EXPECT_EQ((std::vector<int>{IDYES, IDNO}), box.buttons);
    EXPECT_EQ(IDYES, box.defaultButton);
    EXPECT_FALSE(box.hasIcon);
    EXPECT_EQ(m_host.m_hWnd, box.owner);
    EXPECT_TRUE(box.ownerDisabled);
    EXPECT_EQ(4u, Entries().size());
    EXPECT_EQ("4", CountText());

    boxes.Answer(IDYES);
    Press(IDC_CLEAR);
    ASSERT_TRUE(gui::PumpUntil([&] { return boxes.Pending() == 0 && Entries().empty(); }));
    EXPECT_EQ("0", CountText());

    // Yes on an empty list: still empty, and "0".
    boxes.Answer(IDYES);
    Press(IDC_CLEAR);
    ASSERT_TRUE(gui::PumpUntil([&] { return boxes.Pending() == 0; }));
    gui::FlushEvents();
    EXPECT_TRUE(Entries().empty());
    EXPECT_EQ("0", CountText());
    EXPECT_EQ(3u, boxes.Seen().size());
}

TEST_F(FilesPageTest, EnterAndEscapeNeverHideThePage)
{
    Fill(3);
    ClickEntry(1);
    const HWND list = Item(IDC_FILE_LIST);
    ASSERT_EQ(list, ::GetFocus());
    for (WORD key : {VK_RETURN, VK_ESCAPE}) {
        SCOPED_TRACE(key);
        gui::PressKey(key);
        gui::FlushEvents();
        EXPECT_TRUE(m_page.IsWindowVisible());
        EXPECT_TRUE(::IsWindow(m_host.m_hWnd));
        EXPECT_EQ(3u, Entries().size());
        EXPECT_EQ(1, m_page.m_listFiles.GetSelCount());
    }

    // Tab travels from the list to the page's buttons; on a button Escape still
    // does nothing and Enter presses it.
    gui::PressKey(VK_TAB);
    gui::PressKey(VK_TAB);
    ASSERT_EQ(Item(IDC_DELETE), ::GetFocus());
    gui::PressKey(VK_ESCAPE);
    gui::FlushEvents();
    EXPECT_TRUE(m_page.IsWindowVisible());
    EXPECT_EQ(3u, Entries().size());
    gui::PressKey(VK_RETURN);
    gui::FlushEvents();
    EXPECT_TRUE(m_page.IsWindowVisible());
    EXPECT_EQ(2u, Entries().size());

    // Back in the list, Enter presses no button that had the focus before.
    ClickEntry(0);
    ASSERT_EQ(list, ::GetFocus());
    gui::PressKey(VK_RETURN);
    gui::FlushEvents();
    EXPECT_EQ(2u, Entries().size());
    EXPECT_TRUE(m_page.IsWindowVisible());
}

TEST_F(FilesPageTest, AFewHundredFilesSelectedAtOnceAreAllAdded)
{
    gui::TempFolder folder("many");
    std::vector<std::string> paths;
    for (int i = 0; i < 300; ++i)
        paths.push_back(folder.Write("text file number " + std::to_string(1000 + i) + ".txt"));
    gui::FileDialogDriver files;
    files.Choose({folder.Path(), gui::FileDialogDriver::kSelectAll});
    Press(IDC_ADD);
    ASSERT_TRUE(gui::PumpUntil([&] { return files.Pending() == 0 && !CountText().empty(); }));
    EXPECT_EQ("300", CountText());
    EXPECT_EQ(paths, Entries());
}

TEST_F(FilesPageTest, ASelectionTooLargeForTheDialogIsReportedAndAddsNothing)
{
    // More than 64 KiB of names: 350 names of 190 characters.
    gui::TempFolder folder("huge");
    const std::string stem(180, 'n');
    std::string names;
    for (int i = 0; i < 350; ++i) {
        const std::string name = stem + std::to_string(1000 + i) + ".txt";
        folder.Write(name);
        names += "\"" + name + "\" ";
    }
    Fill(1);
    gui::FileDialogDriver files;
    gui::MessageBoxAnswerer boxes;
    boxes.Answer(IDOK);
    files.Choose({folder.Path(), names});
    Press(IDC_ADD);
    ASSERT_TRUE(gui::PumpUntil([&] { return files.Pending() == 0 && boxes.Pending() == 0; }, 60000));
    gui::FlushEvents();
    ASSERT_EQ(1u, boxes.Seen().size());
    EXPECT_EQ("Too many files were selected to add at once.\nPlease add them in smaller groups.",
              boxes.Seen()[0].text);
    EXPECT_EQ(AfxGetAppName(), boxes.Seen()[0].caption);
    EXPECT_TRUE(boxes.Seen()[0].hasIcon);
    EXPECT_EQ(1u, Entries().size());
    EXPECT_EQ("1", CountText());
}

TEST_F(FilesPageTest, ScreenshotOfThePageWithAFewEntries)
{
    gui::TempFolder folder("shot");
    gui::FileDialogDriver files;
    files.Choose({folder.Path(), "\"chapter 1.txt\" \"chapter 2.txt\" \"Appendix.txt\" \"notes.txt\""});
    for (const char* name : {"chapter 1.txt", "chapter 2.txt", "Appendix.txt", "notes.txt"})
        folder.Write(name);
    Press(IDC_ADD);
    ASSERT_TRUE(gui::PumpUntil([&] { return files.Pending() == 0 && Entries().size() == 4; }));
    ClickEntry(2);
    m_host.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    gui::FlushEvents();

    CRect window;
    m_host.GetWindowRect(&window);
    gui::DibCanvas canvas(window.Width(), window.Height());
    ASSERT_TRUE(gui::CaptureScreen(m_host.m_hWnd, canvas));

    // Solid fills: the list's empty part below its entries, and the page's face
    // between the list and the buttons.
    CRect list;
    ::GetWindowRect(Item(IDC_FILE_LIST), &list);
    CRect add;
    ::GetWindowRect(Item(IDC_ADD), &add);
    const CPoint emptyList(list.left + list.Width() / 2 - window.left, list.bottom - 8 - window.top);
    const CPoint pageFace(add.right + 4 - window.left, add.top + add.Height() / 2 - window.top);
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), canvas.Pixel(emptyList.x, emptyList.y));
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), canvas.Pixel(pageFace.x, pageFace.y));

    // Kept beside the test program, to compare later changes with.
    char exe[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string folderOfExe = exe;
    folderOfExe.resize(folderOfExe.find_last_of('\\'));
    ::CreateDirectoryA((folderOfExe + "\\screenshots").c_str(), nullptr);
    EXPECT_TRUE(canvas.SaveBmp(folderOfExe + "\\screenshots\\files-page.bmp"));
}

}  // namespace
