// START: checks the pages, runs the conversion on what they hold and tells the
// user how it ended.

#include "CWizardDlg.h"

#include "PageNames.h"
#include "PlatformFiles.h"
#include "RunConversion.h"
#include "resource.h"

namespace {

constexpr const char* kNoFilesMessage = "you must add one file in the listbox";
constexpr const char* kNoOutputPathMessage = "you must input the file output path";
constexpr const char* kFinishedMessage = "The work has been finished! Thank you for using!";
constexpr const char* kOverwriteCaption = "WARNNING";

std::string OverwriteQuestion(const std::string& pagePath)
{
    return "the file " + pagePath + " has already existed!\nAre you sure to overwrite it";
}

// The system's reason first, as the system words it, then the file it is about.
std::string FileErrorMessage(const RunOutcome& outcome)
{
    if (outcome.file.empty())
        return outcome.reason;
    return outcome.reason + "\n\n" + outcome.file;
}

// How far a stopped run got, and the folder its pages are in.
std::string StoppedMessage(const RunOutcome& outcome, std::size_t files, const ConversionJob& job)
{
    const std::string firstPage = PagePath(OutputFolder(job.outputPath), job.outputName, job.startNumber);
    return "The work has been stopped.\n" + std::to_string(outcome.pagesWritten) + " of " + std::to_string(files) +
           " pages were written to " + firstPage.substr(0, firstPage.find_last_of("\\/"));
}

}  // namespace

void CWizardDlg::OnStart()
{
    if (m_bRunning)
        return;
    m_filesPage.FinishAdding();  // the run converts every file given to the list
    if (!CheckReadyToStart())
        return;

    m_hFocusBeforeRun = ::GetFocus();
    m_btnStart.EnableWindow(FALSE);
    m_bRunning = true;
    ConversionJob job;
    if (!CollectJob(job) || !CheckPageNamesOf(job)) {
        m_bRunning = false;
        m_btnStart.EnableWindow(TRUE);
        return;
    }
    m_outputPage.WithdrawResult();
    m_runJob = job;
    m_nRunFiles = static_cast<std::size_t>(m_filesPage.m_listFiles.GetCount());
    CRunPanel::Ask ask;
    if (!m_outputPage.replaceExisting)
        ask = [this](const std::string& pagePath) { return ConfirmOverwrite(pagePath); };
    m_runPanel.Start(std::move(job), m_filesPage.m_listFiles, platform::ProgramFolder(), std::move(ask),
                     [this](const RunOutcome& outcome) { OnRunEnded(outcome); });
}

void CWizardDlg::OnRunEnded(const RunOutcome& outcome)
{
    m_bRunning = false;
    m_btnStart.EnableWindow(TRUE);
    // The panel took the focus away with it, or left it on STOP, hidden now: it
    // goes back to where it was before START (or to START).
    if (::GetActiveWindow() == m_hWnd && !IsUsableFocus(::GetFocus())) {
        const HWND back = IsUsableFocus(m_hFocusBeforeRun) ? m_hFocusBeforeRun : m_btnStart.m_hWnd;
        SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(back), TRUE);
    }
    ReportOutcome(outcome);
    if (m_bCloseAfterRun)
        EndDialog(IDCANCEL);
}

void CWizardDlg::OnCancel()
{
    if (!m_bRunning) {
        CDialog::OnCancel();
        return;
    }
    m_bCloseAfterRun = true;
    m_runPanel.Stop();
}

bool CWizardDlg::CheckReadyToStart()
{
    if (m_filesPage.m_listFiles.GetCount() <= 0) {
        MessageBox(kNoFilesMessage);
        return false;
    }
    // What stands in the box now counts, collected or not.
    CWnd* pathBox = m_outputPage.GetDlgItem(IDC_OUTPUT_PATH);
    if (!pathBox || pathBox->GetWindowTextLength() == 0) {
        MessageBox(kNoOutputPathMessage);
        return false;
    }
    return true;
}

bool CWizardDlg::CollectJob(ConversionJob& job)
{
    m_templatePage.CollectValues();
    // A start number that is no integer has been reported by the page, which put
    // the focus into its box; nothing is written with numbers left over from
    // before.
    if (!m_outputPage.CollectValues())
        return false;

    // The list's entries come later: the run's panel reads them a slice at a time.
    job.templateName = m_templatePage.templateName;
    job.keywords = m_templatePage.keywords;
    job.description = m_templatePage.description;
    job.legacyCharset = m_templatePage.legacyCharset;
    job.outputPath = m_outputPage.outputPath;
    job.outputName = m_outputPage.outputName;
    // The run counts on its own copy: the page keeps the number the user entered.
    job.startNumber = m_outputPage.startNumber;
    job.createIndex = m_outputPage.createIndex != 0;
    job.homeTitle = m_outputPage.homeTitle;
    job.homeUrl = m_outputPage.homeUrl;
    return true;
}

bool CWizardDlg::CheckPageNamesOf(const ConversionJob& job)
{
    // A name no file can have is refused before the first page, not found out at it.
    const platform::FileResult refused =
        CheckPageNames(job, static_cast<std::size_t>(m_filesPage.m_listFiles.GetCount()));
    if (refused) {
        RunOutcome outcome;
        outcome.kind = RunOutcome::FileError;
        outcome.file = refused->path;
        outcome.reason = refused->reason;
        ReportOutcome(outcome);
    }
    return !refused;
}

bool CWizardDlg::ConfirmOverwrite(const std::string& pagePath)
{
    // Yes is the default button; no icon: the caption says it all.
    return MessageBox(OverwriteQuestion(pagePath).c_str(), kOverwriteCaption,
                      MB_YESNO | MB_DEFBUTTON1) == IDYES;
}

void CWizardDlg::ReportOutcome(const RunOutcome& outcome)
{
    switch (outcome.kind) {
    case RunOutcome::Finished:
        m_outputPage.OfferResult(ResultPage(m_runJob));
        MessageBox(kFinishedMessage);
        break;
    case RunOutcome::StoppedByUser:
        // STOP is answered with how far the run got; a page kept at the question,
        // or a window closing, needs no word.
        if (m_runPanel.StopRequested() && !m_bCloseAfterRun)
            MessageBox(StoppedMessage(outcome, m_nRunFiles, m_runJob).c_str(), nullptr, MB_OK | MB_ICONINFORMATION);
        break;
    case RunOutcome::FileError:
        MessageBox(FileErrorMessage(outcome).c_str(), nullptr, MB_OK | MB_ICONEXCLAMATION);
        break;
    }
}
