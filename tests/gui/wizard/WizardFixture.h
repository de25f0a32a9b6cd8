#pragma once

// A real wizard window, created from its template as the program creates it,
// for the tests of this folder. The window is modeless here so that the test can
// work it between messages; everything it shows and does is the program's own.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CWizardDlg.h"
#include "GuiHarness.h"
#include "resource.h"

class WizardUnderTest : public CWizardDlg {
public:
    using CWizardDlg::DrawMinimisedIcon;
    using CWizardDlg::m_filesPage;
    using CWizardDlg::m_linkEmail;
    using CWizardDlg::m_linkWebSite;
    using CWizardDlg::m_nStep;
    using CWizardDlg::m_outputPage;
    using CWizardDlg::m_templatePage;
};

class WizardTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    HWND Wizard() const { return m_wizard.m_hWnd; }
    HWND Item(int id) const { return ::GetDlgItem(Wizard(), id); }
    HWND Start() const { return Item(IDC_START); }

    // A real left click on step button `step` (0, 1 or 2).
    void ClickStep(int step);
    // Which of the banners 130..132 the banner control shows, read from its
    // pixels; 0 when it shows none of them.
    UINT ShownBanner() const;

    // Fills the pages as a user would have: files in the list, texts in the boxes.
    void AddFiles(const std::vector<std::string>& paths);
    void TypeInto(CDialog& page, int id, const std::string& text);
    // Presses START (enabled once STEP3 was in front). Step clicks pump messages,
    // so they come before a test queues answers for message boxes: an answerer
    // with answers left takes any dialog of the thread for its box.
    void PressStart();

    WizardUnderTest m_wizard;
};

std::string ReadFileBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
bool PathIsThere(const std::string& path);
// Deletes every file directly in `folder` (what a run wrote there).
void RemoveFilesIn(const std::string& folder);
