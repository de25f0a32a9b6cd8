#pragma once

// What the page tests stand on: a top-level dialog laid out like the wizard, whose
// step control hosts the three real pages; real typing into their boxes; and a
// catcher for message boxes that must not appear.

#include <string>
#include <vector>

#include "CDataExchange.h"
#include "CDialog.h"
#include "CFilesPage.h"
#include "COutputPage.h"
#include "CStepTabCtrl.h"
#include "CTemplatePage.h"
#include "GuiHarness.h"

// The pages with their protected parts reachable from the tests.
class TemplatePageProbe : public CTemplatePage {
public:
    using CTemplatePage::m_btnView;
};
class OutputPageProbe : public COutputPage {
public:
    using COutputPage::m_btnBrowse;
};

class PagesHost : public CDialog {
public:
    PagesHost();

    // Creates the host at the screen's top-left corner with the pages in their
    // steps, page 1 in front, and makes it the foreground window.
    bool Open();
    // Brings step `index` (0, 1, 2) to the front with a real click on its button.
    void ShowStep(int index);
    HWND TemplateItem(int id) const { return ::GetDlgItem(m_templatePage.m_hWnd, id); }
    HWND OutputItem(int id) const { return ::GetDlgItem(m_outputPage.m_hWnd, id); }

    CStepTabCtrl m_tabSteps;
    CFilesPage m_filesPage;
    TemplatePageProbe m_templatePage;
    OutputPageProbe m_outputPage;

protected:
    const MessageMap& GetMessageMap() const override;
    void DoDataExchange(CDataExchange* dx) override;
    // Keys never close the host; the tests close it by destroying it.
    void OnOK() override {}
    void OnCancel() override {}

private:
    gui::DialogTemplate m_template;
};

// A real left click in the middle of `control`. The click reaches the window
// through the display server; callers wait for its effect.
void ClickCentre(HWND control);
// A real click on a check box; returns once the box has changed its state.
void ClickCheckBox(HWND box);

// Focuses `control`, selects all its text and types `text` with real key presses;
// returns once the control shows `text`.
void TypeText(HWND control, const std::string& text);

// A real key press; returns once this thread has taken the key's release from
// its queue, so that the press itself has been handled.
void PressKeyAndWait(WORD virtualKey);

// The edit field of a drop-down combo box.
HWND ComboEdit(HWND combo);
// Every entry of a combo box's list, in list order.
std::vector<std::string> ComboEntries(HWND combo);
// The selection of an edit control as [start, end).
std::pair<int, int> EditSelection(HWND edit);

// Closes any message box (or other dialog) of this thread that appears while it
// lives, other than `host`, and remembers its caption and texts ("caption | text"),
// so that a box that should not appear fails the test instead of hanging it.
class UnexpectedBoxes {
public:
    explicit UnexpectedBoxes(HWND host);
    ~UnexpectedBoxes();
    UnexpectedBoxes(const UnexpectedBoxes&) = delete;
    UnexpectedBoxes& operator=(const UnexpectedBoxes&) = delete;

    const std::vector<std::string>& Seen() const { return m_seen; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void Look();

    HWND m_host;
    UINT_PTR m_timer = 0;
    std::vector<std::string> m_seen;
    std::vector<HWND> m_closed;  // told to close already
};
