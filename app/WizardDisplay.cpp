// The wizard when the display changes under it: system colours, high contrast,
// dots per inch.

#include "CWizardDlg.h"

#include "WindowDpi.h"

namespace {

struct Notice {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

BOOL CALLBACK TellControl(HWND control, LPARAM notice)
{
    const Notice& n = *reinterpret_cast<const Notice*>(notice);
    ::SendMessageA(control, n.message, n.wParam, n.lParam);
    return TRUE;
}

}  // namespace

void CWizardDlg::OnSysColorChange()
{
    Default();
    TellControlsAndRedraw(WM_SYSCOLORCHANGE, 0, 0);
}

LRESULT CWizardDlg::OnSettingChange(WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = Default();
    TellControlsAndRedraw(WM_SETTINGCHANGE, wParam, lParam);
    return result;
}

LRESULT CWizardDlg::OnDpiChanged(WPARAM, LPARAM lParam)
{
    const LRESULT result = Default();
    if (const RECT* suggested = reinterpret_cast<const RECT*>(lParam))
        SetWindowPos(static_cast<HWND>(nullptr), suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    m_runPanel.PlaceOverCovered();
    m_nShownBanner = 0;  // the banner is fitted again at the new scale
    ShowStepBanner(m_nStep);
    Invalidate(TRUE);
    return result;
}

void CWizardDlg::TellControlsAndRedraw(UINT message, WPARAM wParam, LPARAM lParam)
{
    Notice notice{message, wParam, lParam};
    ::EnumChildWindows(m_hWnd, &TellControl, reinterpret_cast<LPARAM>(&notice));
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}
