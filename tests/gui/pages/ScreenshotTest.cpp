// Pictures of the two pages as a user sees them in the wizard's step area, filled
// in as for a real run. They are written beside the test program's folder, in
// screenshots\, to be looked at and compared after changes.

#include <gtest/gtest.h>

#include "GuiHarness.h"
#include "PagesHost.h"
#include "PlatformFiles.h"
#include "resource.h"

namespace {

class PageScreenshot : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_host.Open()); }
    void TearDown() override
    {
        m_host.DestroyWindow();
        gui::FlushEvents();
    }

    // Captures the step area (the buttons and the page in front) as the screen
    // shows it and saves it as `name`.bmp.
    void Save(const std::string& name, gui::DibCanvas& canvas)
    {
        m_host.RedrawWindow(nullptr, nullptr,
                            RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        gui::FlushEvents();
        ASSERT_TRUE(gui::CaptureScreen(m_host.m_tabSteps.m_hWnd, canvas));
        const std::string folder = platform::ProgramFolder() + "..\\screenshots\\";
        ::CreateDirectoryA(folder.c_str(), nullptr);
        EXPECT_TRUE(canvas.SaveBmp(folder + name + ".bmp"));
    }

    // A point of `page` where no control lies (its lower left corner), in the
    // canvas's coordinates (the step control's window rectangle).
    POINT EmptyPointOf(const CDialog& page) const
    {
        CRect pageRect;
        const CRect area = StepArea();
        page.GetWindowRect(&pageRect);
        return {pageRect.left - area.left + 3, pageRect.bottom - area.top - 3};
    }

    // The caret after the text, where a user who just typed it leaves it.
    static void FocusAtEnd(HWND edit)
    {
        ::SetFocus(edit);
        const int length = ::GetWindowTextLengthA(edit);
        ::SendMessageA(edit, EM_SETSEL, length, length);
    }

    CRect StepArea() const
    {
        CRect r;
        m_host.m_tabSteps.GetWindowRect(&r);
        return r;
    }

    PagesHost m_host;
};

TEST_F(PageScreenshot, TemplatePage)
{
    m_host.ShowStep(1);
    ::SendMessageA(m_host.TemplateItem(IDC_TEMPLATE_NAME), CB_SETCURSEL, 1, 0);
    ::SetWindowTextA(m_host.TemplateItem(IDC_KEYWORDS), "travel, hills, walking");
    ::SetWindowTextA(m_host.TemplateItem(IDC_DESCRIPTION), "Notes from a week in the hills");
    FocusAtEnd(m_host.TemplateItem(IDC_KEYWORDS));
    gui::DibCanvas canvas(StepArea().Width(), StepArea().Height());
    Save("template-page", canvas);
    // The page paints its own face in the dialog colour.
    const POINT empty = EmptyPointOf(m_host.m_templatePage);
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), canvas.Pixel(empty.x, empty.y));
}

TEST_F(PageScreenshot, OutputPage)
{
    m_host.ShowStep(2);
    ::SetWindowTextA(m_host.OutputItem(IDC_OUTPUT_PATH), "C:\\My Site\\hills");
    ::SetWindowTextA(m_host.OutputItem(IDC_OUTPUT_NAME), "day");
    ::SetWindowTextA(m_host.OutputItem(IDC_START_NUMBER), "1");
    ::SendMessageA(m_host.OutputItem(IDC_CREATE_INDEX), BM_CLICK, 0, 0);
    ::SetWindowTextA(m_host.OutputItem(IDC_HOME_TITLE), "Back to the walks");
    ::SetWindowTextA(m_host.OutputItem(IDC_HOME_URL), "index.htm");
    FocusAtEnd(m_host.OutputItem(IDC_OUTPUT_NAME));
    gui::DibCanvas canvas(StepArea().Width(), StepArea().Height());
    Save("output-page", canvas);
    const POINT empty = EmptyPointOf(m_host.m_outputPage);
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), canvas.Pixel(empty.x, empty.y));
}

}  // namespace
