// The wizard by keyboard, as any property sheet: Ctrl+Tab and Ctrl+PgDn go to the
// next step, Ctrl+Shift+Tab and Ctrl+PgUp to the previous one (both wrap round),
// the arrow keys on the step buttons move between steps, and Tab runs round the
// step buttons, the page in front, START and the two links. Enter ends nothing.
// The focus never stays on a control that cannot take keys.

#include "CWizardDlg.h"

#include <algorithm>

#include "resource.h"

namespace {

constexpr int kStepCount = 3;

bool IsHeld(int key)
{
    return (::GetKeyState(key) & 0x8000) != 0;
}

bool TakesTabStop(HWND window)
{
    const LONG_PTR style = ::GetWindowLongPtrA(window, GWL_STYLE);
    return (style & (WS_TABSTOP | WS_VISIBLE | WS_DISABLED)) == (WS_TABSTOP | WS_VISIBLE);
}

bool IsKeyMessage(UINT message)
{
    return message == WM_KEYDOWN || message == WM_SYSKEYDOWN || message == WM_CHAR || message == WM_SYSCHAR;
}

}  // namespace

BOOL CWizardDlg::PreTranslateMessage(MSG* msg)
{
    // A key for a control that is hidden or disabled by now goes to the control
    // that takes the focus in its place.
    if (IsKeyMessage(msg->message) && KeepFocusUsable(m_hFocusBeforeRun))
        msg->hwnd = ::GetFocus();
    if (msg->message == WM_KEYDOWN && OnStepKey(*msg))
        return TRUE;
    return CDialog::PreTranslateMessage(msg);
}

void CWizardDlg::OnActivate(UINT state, CWnd* /*other*/, BOOL /*minimized*/)
{
    // The dialog manager gives the focus back to the control that had it when the
    // window was left, which a run may have hidden meanwhile.
    Default();
    if (state != WA_INACTIVE)
        KeepFocusUsable(m_hFocusBeforeRun);
}

bool CWizardDlg::IsUsableFocus(HWND window) const
{
    if (!window || !::IsChild(m_hWnd, window) || !::IsWindowVisible(window))
        return false;
    for (HWND w = window; w && w != m_hWnd; w = ::GetParent(w))
        if (!::IsWindowEnabled(w))
            return false;
    return true;
}

bool CWizardDlg::KeepFocusUsable(HWND preferred)
{
    const HWND focus = ::GetFocus();
    if (::GetActiveWindow() != m_hWnd || !focus || focus == m_hWnd || IsUsableFocus(focus))
        return false;
    std::vector<HWND> candidates{preferred, m_btnStart.m_hWnd, ::GetDlgItem(m_runPanel.m_hWnd, IDC_STOP)};
    const std::vector<HWND> round = TabRound();
    candidates.insert(candidates.end(), round.begin(), round.end());
    for (HWND candidate : candidates) {
        if (IsUsableFocus(candidate)) {
            SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(candidate), TRUE);
            return true;
        }
    }
    ::SetFocus(m_hWnd);  // keys at the window itself start no endless search
    return true;
}

void CWizardDlg::OnOK()
{
    // The dialog manager turns Enter into OK; here it must not close the window
    // and lose the list and every value typed.
}

bool CWizardDlg::OnStepKey(const MSG& msg)
{
    // While a run covers the steps they take no keys: Tab belongs to STOP.
    if (!m_tabSteps.IsWindowEnabled())
        return false;
    const bool control = IsHeld(VK_CONTROL) && !IsHeld(VK_MENU);
    const int shown = m_tabSteps.GetCurSel();
    int forward = 0;
    if (control && msg.wParam == VK_TAB)
        forward = IsHeld(VK_SHIFT) ? -1 : 1;
    else if (control && (msg.wParam == VK_NEXT || msg.wParam == VK_PRIOR))
        forward = msg.wParam == VK_NEXT ? 1 : -1;
    if (forward != 0) {
        GoToStep((shown + forward + kStepCount) % kStepCount, true);
        return true;
    }
    if (msg.wParam == VK_TAB && !control && !IsHeld(VK_MENU)) {
        MoveTabFocus(IsHeld(VK_SHIFT));
        return true;
    }
    // The step buttons' own arrow handling would move their pressed look alone.
    if (msg.hwnd == m_tabSteps.m_hWnd && msg.wParam >= VK_LEFT && msg.wParam <= VK_DOWN) {
        const int next = shown + (msg.wParam == VK_LEFT || msg.wParam == VK_UP ? -1 : 1);
        if (next >= 0 && next < kStepCount)
            GoToStep(next, false);
        return true;
    }
    return false;
}

void CWizardDlg::GoToStep(int step, bool focusPage)
{
    m_tabSteps.ShowPage(step);
    m_nStep = step;
    ShowStepBanner(step);
    const std::vector<HWND> round = TabRound();
    const HWND target = focusPage && round.size() > 1 ? round[1] : m_tabSteps.m_hWnd;
    SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(target), TRUE);
}

std::vector<HWND> CWizardDlg::TabRound() const
{
    std::vector<HWND> round{m_tabSteps.m_hWnd};
    const HWND page = m_tabSteps.GetPage(m_tabSteps.GetCurSel());
    for (HWND child = page ? ::GetWindow(page, GW_CHILD) : nullptr; child;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (TakesTabStop(child))
            round.push_back(child);
    }
    if (m_btnStart.IsWindowEnabled())
        round.push_back(m_btnStart.m_hWnd);
    for (const CLinkLabel* link : {&m_linkWebSite, &m_linkEmail})
        if (TakesTabStop(link->m_hWnd))
            round.push_back(link->m_hWnd);
    return round;
}

void CWizardDlg::MoveTabFocus(bool backwards)
{
    const std::vector<HWND> round = TabRound();
    // The focus may sit in a part of a stop (the edit field of a combo box).
    const HWND focus = ::GetFocus();
    const auto at = std::find_if(round.begin(), round.end(), [focus](HWND stop) {
        return stop == focus || stop == ::GetParent(focus);
    });
    const int count = static_cast<int>(round.size());
    int next = 0;
    if (at != round.end())
        next = (static_cast<int>(at - round.begin()) + (backwards ? count - 1 : 1)) % count;
    else if (backwards)
        next = count - 1;
    // Tab is the keyboard user's sign: the focus cue shows from now on, as the
    // dialog manager's own Tab would have it.
    SendMessage(WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(round[next]), TRUE);
}
