#pragma once

// The conversion run behind START, on a thread of its own, so that the wizard
// repaints, moves and answers while pages are written. A run that lasts longer
// than a moment shows this panel in the place of the step control: which file of
// how many, its name, a bar, and STOP, which ends the run after the page being
// written. Questions and the outcome still reach the wizard on its own thread.

#include <atomic>
#include <cstddef>
#include <functional>
#include <string>
#include <thread>

#include "CAccessibleName.h"
#include "CButton.h"
#include "CDialog.h"
#include "CListBox.h"
#include "CProgressCtrl.h"
#include "ConversionJob.h"
#include "RunOutcome.h"

class CRunPanel : public CDialog {
public:
    // Both are called on the window's thread. Ask answers whether an existing
    // page is replaced; without one every existing page is.
    using Ask = std::function<bool(const std::string& pagePath)>;
    using Ended = std::function<void(const RunOutcome& outcome)>;

    CRunPanel();
    ~CRunPanel() override;  // a run still going is stopped and waited for

    // The panel, hidden, as a child of `parent` over `covered` (a child too).
    BOOL Create(CWnd* parent, CWnd* covered);
    // Converts `job` with the entries of `files` as its input files. Until the run
    // ends, what the panel covers is disabled, so the list stays as it was.
    void Start(ConversionJob job, const CListBox& files, const std::string& programFolder, Ask ask,
               Ended ended);
    // The run ends before the next file; no question is asked any more.
    void Stop();
    // Stop was called during the run that ended last.
    bool StopRequested() const { return m_bStop; }
    // In the place and size of what it covers (which may have been resized).
    BOOL PlaceOverCovered();

    // How long a run goes on before the panel shows it, and how often it is looked
    // at. A long list is read a slice at a time, the window answering in between.
    static constexpr unsigned kShowAfterMs = 500;
    static constexpr unsigned kTickMs = 100;
    static constexpr int kListSlice = 200;

protected:
    const MessageMap& GetMessageMap() const override;
    void DoDataExchange(CDataExchange* dx) override;

    void OnTimer(UINT_PTR id);
    void OnStop();
    LRESULT OnAsk(WPARAM wParam, LPARAM lParam);
    LRESULT OnRunEnded(WPARAM wParam, LPARAM lParam);
    void OnOK() override {}  // Enter presses the focused button, nothing more
    void OnCancel() override { OnStop(); }

private:
    void ReadListSlice();  // then starts the run's thread once the list is read
    void Work(HWND panel);  // the run's thread
    void Reveal();
    void ShowProgress();
    void NameParts();

    CWnd* m_pCovered = nullptr;
    const CListBox* m_pFiles = nullptr;
    std::size_t m_nFiles = 0;  // entries of the list at START
    bool m_bReading = false;   // the list is being read; the run's thread follows
    CProgressCtrl m_bar;
    CButton m_btnStop;
    ConversionJob m_job;  // read by both threads, changed by neither while a run goes on
    std::string m_programFolder;
    Ask m_ask;
    Ended m_ended;
    RunOutcome m_outcome;  // the run's thread writes it before it ends
    std::atomic<bool> m_bStop{false};
    std::atomic<bool> m_bEnded{false};  // the run's thread has nothing left to send
    std::atomic<std::size_t> m_nCurrent{0};  // index of the file being converted
    std::size_t m_nShown = 0;                // the index the panel shows
    unsigned long long m_startedAt = 0;      // tick count at START
    std::thread m_worker;
    // What a screen reader calls the panel's parts.
    CAccessibleName m_names[4];
};
