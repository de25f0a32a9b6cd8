#pragma once

// The wizard window: the program's only top-level window. A banner that follows
// the step in front, three step buttons hosting the pages, START, and two link
// labels with the maker's addresses; its system menu leads to the about box and
// every help request opens the help file.

#include <string>
#include <vector>

#include "CAccessibleName.h"
#include "CBitmap.h"
#include "CButton.h"
#include "CDialog.h"
#include "CFilesPage.h"
#include "CLinkLabel.h"
#include "COutputPage.h"
#include "CRunPanel.h"
#include "CStatic.h"
#include "CStepTabCtrl.h"
#include "CTemplatePage.h"
#include "ConversionJob.h"
#include "RunOutcome.h"

class CWizardDlg : public CDialog {
public:
    explicit CWizardDlg(CWnd* parent = nullptr);

    // Where the maker can be found: the labels' targets.
    static constexpr const char* kWebSiteUrl = "http://www.example.com/tessiva/";
    static constexpr const char* kEmailAddress = "mailto:tessiva@example.com";

    // The system menu's about item; the low four bits of a system command are the
    // system's own, so every id from 16 to 31 means it.
    static constexpr UINT kAboutCommandMask = 0xFFF0;

    void WinHelp(DWORD_PTR data, UINT command = HELP_CONTEXT) override;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    const MessageMap& GetMessageMap() const override;

    void OnSysCommand(UINT id, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnSelchangeSteps(NMHDR* header, LRESULT* result);
    void OnStart();
    BOOL OnHelpInfo(HELPINFO* info);

    CFilesPage m_filesPage;
    CTemplatePage m_templatePage;
    COutputPage m_outputPage;
    CLinkLabel m_linkWebSite;
    CLinkLabel m_linkEmail;
    CStatic m_banner;
    CButton m_btnStart;
    CStepTabCtrl m_tabSteps;
    HICON m_hIcon = nullptr;
    int m_nStep = 0;  // step whose banner is shown: 0, 1 or 2

    // The minimised window's picture: m_hIcon centred in `client`, an odd
    // pixel left over going to the right and bottom.
    void DrawMinimisedIcon(CDC& dc, const CRect& client) const;

private:
    // Banner of `step` (bitmap 130 + step); STEP3 also enables START. Any other
    // step changes nothing.
    void ShowStepBanner(int step);
    // The minimised window: its background erased, then its icon.
    void PaintIcon();

    // START's parts: the checks with their messages, the job the pages hold, the
    // question before a page is replaced, and the message for the outcome.
    bool CheckReadyToStart();
    bool CollectJob(ConversionJob& job);
    bool CheckPageNamesOf(const ConversionJob& job);
    bool ConfirmOverwrite(const std::string& pagePath);
    void ReportOutcome(const RunOutcome& outcome);

    // The banner the static shows; it does not own it, so the window keeps it
    // until the next one is in place.
    CBitmap m_bmpBanner;
    UINT m_nShownBanner = 0;  // resource id of m_bmpBanner
    HBITMAP m_hTemplateBanner = nullptr;  // the template's picture, until replaced
    // Set while a conversion runs: START stays disabled even if the window is
    // repainted meanwhile (the overwrite question uncovers it, for one).
    bool m_bRunning = false;
    // A screen reader's names for the step control and the banner, whose own
    // texts are a placeholder and a resource number.
    CAccessibleName m_nameSteps;
    CAccessibleName m_nameBanner;

    // ---- keyboard, drops and the banner's scale (WizardKeys.cpp, WizardDrop.cpp,
    // BannerFit.cpp) ----
public:
    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    void OnOK() override;  // the wizard has no OK button: Enter ends nothing
    void OnDropFiles(HDROP drop);

private:
    // Brings `step` to the front: its button, page, banner and START rule; the
    // focus goes to the page's first control unless it stays on the step buttons.
    void GoToStep(int step, bool focusPage);
    bool OnStepKey(const MSG& msg);
    // The Tab round: the step buttons, the page's tab stops, START when enabled,
    // the two links.
    std::vector<HWND> TabRound() const;
    void MoveTabFocus(bool backwards);
    // Keys sent to a hidden or disabled control would send the dialog manager's
    // access key search round for ever: the focus never stays there. It moves to
    // `preferred` when usable, else to START, STOP or the first usable stop of the
    // Tab round. True when it moved.
    bool KeepFocusUsable(HWND preferred = nullptr);
    bool IsUsableFocus(HWND window) const;
    void OnActivate(UINT state, CWnd* other, BOOL minimized);
    // The banner at the screen's scale, as wide as the window.
    void FitBannerToHeader(CBitmap& banner) const;

    // ---- colours and dots per inch (WizardDisplay.cpp) ----
    // Only the window hears of new system colours or settings: its controls are
    // told, and everything is drawn again with what is in force now.
    void OnSysColorChange();
    LRESULT OnSettingChange(WPARAM wParam, LPARAM lParam);
    // Moved to a screen of other dots per inch: the system's suggested place and
    // size, the banner and the run's panel measured again.
    LRESULT OnDpiChanged(WPARAM wParam, LPARAM lParam);
    void TellControlsAndRedraw(UINT message, WPARAM wParam, LPARAM lParam);

    // ---- the run beside the window (CRunPanel.cpp, WizardStart.cpp) ----
    // A run goes on beside the window; closing the window meanwhile stops the run
    // and closes once it has ended.
    void OnCancel() override;
    void OnRunEnded(const RunOutcome& outcome);
    bool m_bCloseAfterRun = false;
    ConversionJob m_runJob;   // the values of the run going on or ended last, without its files
    std::size_t m_nRunFiles = 0;  // and how many files it converts
    HWND m_hFocusBeforeRun = nullptr;  // where the focus goes back to after a run
    CRunPanel m_runPanel;  // last, so that a run still going ends before the pages go
};
