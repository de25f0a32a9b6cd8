#include "CRunPanel.h"

#include <new>
#include <system_error>
#include <utility>

#include <commctrl.h>

#include "CDataExchange.h"
#include "PlatformFiles.h"
#include "RunConversion.h"
#include "resource.h"

namespace {

// From the run's thread to the panel: the overwrite question (sent, so the run
// waits for the answer; the page path in lParam), and the end of the run (posted).
constexpr UINT kAskMessage = WM_APP + 1;
constexpr UINT kEndedMessage = WM_APP + 2;
constexpr UINT_PTR kTickTimer = 1;
constexpr UINT_PTR kReadTimer = 2;

RunOutcome FailedRun(std::string reason)
{
    RunOutcome outcome;
    outcome.kind = RunOutcome::FileError;
    outcome.reason = std::move(reason);
    return outcome;
}

std::wstring WideText(HWND window)
{
    std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

}  // namespace

// ---- message map ---------------------------------------------------------------------

const MessageMap& CRunPanel::GetMessageMap() const
{
    static const MessageMap map(CDialog::GetMessageMap(), {
        OnMessage<WM_TIMER>(&CRunPanel::OnTimer),
        OnCommand(BN_CLICKED, IDC_STOP, &CRunPanel::OnStop),
        OnRawMessage(kAskMessage, &CRunPanel::OnAsk),
        OnRawMessage(kEndedMessage, &CRunPanel::OnRunEnded),
    });
    return map;
}

// ---- construction --------------------------------------------------------------------

CRunPanel::CRunPanel() : CDialog(IDD_RUN_PANEL) {}

CRunPanel::~CRunPanel()
{
    m_bStop = true;
    // A question the run sends meanwhile is taken here, and fails (a No: the
    // window is gone); else the run would wait for this thread as it waits for the run.
    while (m_worker.joinable() && !m_bEnded) {
        MSG msg;
        ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, kTickMs, QS_SENDMESSAGE);
    }
    if (m_worker.joinable())
        m_worker.join();
}

BOOL CRunPanel::Create(CWnd* parent, CWnd* covered)
{
    if (!CDialog::Create(IDD_RUN_PANEL, parent))
        return FALSE;
    m_pCovered = covered;
    NameParts();
    return PlaceOverCovered();
}

BOOL CRunPanel::PlaceOverCovered()
{
    if (!m_hWnd || !m_pCovered)
        return FALSE;
    RECT place{};
    m_pCovered->GetWindowRect(&place);
    GetParent()->ScreenToClient(&place);
    // Last in the tab order: the controls that were there keep theirs.
    return SetWindowPos(HWND_BOTTOM, place.left, place.top, place.right - place.left,
                        place.bottom - place.top, SWP_NOACTIVATE);
}

void CRunPanel::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_RUN_BAR, m_bar);
    DDX_Control(dx, IDC_STOP, m_btnStop);
}

void CRunPanel::Start(ConversionJob job, const CListBox& files, const std::string& programFolder, Ask ask,
                      Ended ended)
{
    m_job = std::move(job);
    m_job.inputFiles.clear();
    m_pFiles = &files;
    m_nFiles = static_cast<std::size_t>(files.GetCount());
    m_programFolder = programFolder;
    m_ask = std::move(ask);
    m_ended = std::move(ended);
    m_bStop = false;
    m_bEnded = false;
    m_nCurrent = 0;
    m_nShown = static_cast<std::size_t>(-1);
    m_startedAt = ::GetTickCount64();
    m_bar.SetRange32(0, static_cast<int>(m_nFiles));
    m_btnStop.EnableWindow(TRUE);
    m_pCovered->EnableWindow(FALSE);
    SetTimer(kTickTimer, kTickMs);
    m_bReading = true;
    SetTimer(kReadTimer, USER_TIMER_MINIMUM);
    ReadListSlice();
}

void CRunPanel::ReadListSlice()
{
    for (int i = 0; i < kListSlice && m_job.inputFiles.size() < m_nFiles; ++i)
        m_job.inputFiles.push_back(m_pFiles->GetText(static_cast<int>(m_job.inputFiles.size())));
    if (m_job.inputFiles.size() < m_nFiles)
        return;
    KillTimer(kReadTimer);
    m_bReading = false;
    try {
        m_worker = std::thread(&CRunPanel::Work, this, m_hWnd);
    } catch (const std::system_error& failure) {
        m_outcome = FailedRun(failure.what());
        PostMessage(kEndedMessage);
    }
}

void CRunPanel::Stop()
{
    m_bStop = true;
    m_btnStop.EnableWindow(FALSE);  // said once is enough
}

// ---- the run's thread ----------------------------------------------------------------

void CRunPanel::Work(HWND panel)
{
    const auto confirm = [this, panel](const std::string& pagePath) {
        return !m_ask || ::SendMessageA(panel, kAskMessage, 0, reinterpret_cast<LPARAM>(&pagePath)) != 0;
    };
    const auto progress = [this](std::size_t index, const std::string&) { m_nCurrent = index; };
    try {
        m_outcome = RunConversion(m_job, m_programFolder, confirm, progress, &m_bStop);
    } catch (const std::bad_alloc&) {
        m_outcome = FailedRun(platform::OutOfMemoryReason());
    }
    m_bEnded = true;
    ::PostMessageA(panel, kEndedMessage, 0, 0);
}

// ---- handlers ------------------------------------------------------------------------

void CRunPanel::OnTimer(UINT_PTR id)
{
    if (id == kReadTimer && m_bReading)
        ReadListSlice();
    if (id != kTickTimer)
        return;
    if (IsWindowVisible() || ::GetTickCount64() - m_startedAt >= kShowAfterMs) {
        ShowProgress();
        if (!IsWindowVisible())
            Reveal();
    }
}

void CRunPanel::OnStop()
{
    Stop();
}

LRESULT CRunPanel::OnAsk(WPARAM, LPARAM lParam)
{
    // After STOP or a close, the page in the way is kept without a word.
    return !m_bStop && m_ask(*reinterpret_cast<const std::string*>(lParam));
}

LRESULT CRunPanel::OnRunEnded(WPARAM, LPARAM)
{
    if (m_worker.joinable())
        m_worker.join();
    KillTimer(kTickTimer);
    m_pCovered->EnableWindow(TRUE);
    if (IsWindowVisible()) {
        ShowWindow(SW_HIDE);
        m_pCovered->ShowWindow(SW_SHOW);
    }
    const Ended ended = std::move(m_ended);
    if (ended)
        ended(m_outcome);
    return 0;
}

// ---- helpers -------------------------------------------------------------------------

void CRunPanel::NameParts()
{
    const auto named = [this](int id, const wchar_t* what) {
        return [this, id, what] {
            const std::wstring text = WideText(::GetDlgItem(m_hWnd, id));
            return text.empty() ? std::wstring(what) : std::wstring(what) + L": " + text;
        };
    };
    m_names[0].Attach(m_hWnd, [] { return std::wstring(L"Run in progress"); });
    m_names[1].Attach(::GetDlgItem(m_hWnd, IDC_RUN_COUNT), named(IDC_RUN_COUNT, L"Progress"));
    m_names[2].Attach(::GetDlgItem(m_hWnd, IDC_RUN_FILE), named(IDC_RUN_FILE, L"File being converted"));
    m_names[3].Attach(m_bar.m_hWnd, [this] {
        const LRESULT done = ::SendMessageW(m_bar.m_hWnd, PBM_GETPOS, 0, 0);
        return L"Files converted: " + std::to_wstring(done) + L" of " + std::to_wstring(m_nFiles);
    });
}

void CRunPanel::Reveal()
{
    m_pCovered->ShowWindow(SW_HIDE);
    ShowWindow(SW_SHOW);
    // The focus went with what is covered now (or sits on START, disabled): STOP
    // takes it, unless the user is in another window.
    CWnd* parent = GetParent();
    const HWND focus = ::GetFocus();
    const bool focusLost = !focus || focus == parent->m_hWnd || !::IsWindowEnabled(focus);
    if (focusLost && ::GetActiveWindow() == parent->m_hWnd)
        parent->SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(m_btnStop.m_hWnd), TRUE);
}

void CRunPanel::ShowProgress()
{
    const std::size_t current = m_nCurrent;
    if (current == m_nShown || current >= m_job.inputFiles.size())
        return;
    m_nShown = current;
    const std::string count = "Converting file " + std::to_string(current + 1) + " of " + std::to_string(m_nFiles);
    SetDlgItemText(IDC_RUN_COUNT, count.c_str());
    SetDlgItemText(IDC_RUN_FILE, m_job.inputFiles[current].c_str());
    m_bar.SetPos(static_cast<int>(current));
}
