#include "CDialog.h"

#include <algorithm>

#include "CMenu.h"
#include "CWinApp.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

CDialog::CDialog() = default;

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDTemplate(templateId), m_pParentWnd(parent)
{
}

CDialog::~CDialog() = default;

const MessageMap& CDialog::GetMessageMap() const
{
    static const MessageMap map(CWnd::GetMessageMap(), {
        OnCommand(BN_CLICKED, IDOK, &CDialog::OnOK),
        OnCommand(BN_CLICKED, IDCANCEL, &CDialog::OnCancel),
    });
    return map;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM, LPARAM lParam) noexcept
{
    // Everything but the first message goes through the object's subclass; the
    // messages before WM_INITDIALOG get the dialog manager's defaults.
    if (message != WM_INITDIALOG)
        return FALSE;
    auto* dialog = reinterpret_cast<CDialog*>(lParam);
    if (!dialog || !dialog->Attach(hwnd))
        return TRUE;
    dialog->m_bOwnsWindow = true;
    // A modal dialog opens in the middle of its owner (of the screen when it has
    // none) rather than wherever its template's origin happens to put it.
    if (dialog->m_bModalLoopRunning)
        CenterOverOwner(hwnd);
    return dialog->OnInitDialog();
}

void CDialog::CenterOverOwner(HWND hwnd)
{
    if (::GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_CHILD)
        return;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!::GetMonitorInfoA(::MonitorFromWindow(hwnd, MONITOR_DEFAULTTOPRIMARY), &monitor))
        return;
    const RECT area = monitor.rcWork;
    RECT around = area;
    const HWND owner = ::GetWindow(hwnd, GW_OWNER);
    if (owner && ::IsWindowVisible(owner) && !::IsIconic(owner))
        ::GetWindowRect(owner, &around);

    RECT self;
    ::GetWindowRect(hwnd, &self);
    const LONG width = self.right - self.left;
    const LONG height = self.bottom - self.top;
    LONG left = around.left + (around.right - around.left - width) / 2;
    LONG top = around.top + (around.bottom - around.top - height) / 2;
    // Keep the whole window, caption first, on the screen.
    left = std::max(area.left, std::min(left, area.right - width));
    top = std::max(area.top, std::min(top, area.bottom - height));
    ::SetWindowPos(hwnd, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CDialog::CreateFromTemplate(HWND parent)
{
    if (m_hWnd)
        return FALSE;
    AfxInitCommonControls();  // templates may hold tab controls and the like
    const HINSTANCE instance = ::GetModuleHandleA(nullptr);
    HWND hwnd = nullptr;
    if (m_lpDialogTemplate)
        hwnd = ::CreateDialogIndirectParamA(instance, m_lpDialogTemplate, parent, DialogProc,
                                            reinterpret_cast<LPARAM>(this));
    else
        hwnd = ::CreateDialogParamA(instance, MAKEINTRESOURCEA(m_nIDTemplate), parent, DialogProc,
                                    reinterpret_cast<LPARAM>(this));
    return hwnd != nullptr && m_hWnd == hwnd;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent)
{
    if (templateId)
        m_nIDTemplate = templateId;
    m_lpDialogTemplate = nullptr;
    if (parent)
        m_pParentWnd = parent;
    return CreateFromTemplate(m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr);
}

BOOL CDialog::CreateIndirect(const DLGTEMPLATE* dialogTemplate, CWnd* parent)
{
    m_lpDialogTemplate = dialogTemplate;
    if (parent)
        m_pParentWnd = parent;
    return CreateFromTemplate(m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr);
}

void CDialog::InitModalIndirect(const DLGTEMPLATE* dialogTemplate, CWnd* parent)
{
    m_lpDialogTemplate = dialogTemplate;
    if (parent)
        m_pParentWnd = parent;
}

HWND CDialog::ModalOwner() const
{
    HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    if (!owner) {
        CWinApp* app = AfxGetApp();
        if (app && app->m_pMainWnd && app->m_pMainWnd != this)
            owner = app->m_pMainWnd->m_hWnd;
    }
    // A modal dialog is owned by a top-level window, never by a child.
    while (owner && (::GetWindowLongPtrA(owner, GWL_STYLE) & WS_CHILD))
        owner = ::GetParent(owner);
    return owner;
}

INT_PTR CDialog::DoModal()
{
    const HWND owner = ModalOwner();
    const bool disableOwner = owner && ::IsWindowEnabled(owner);
    m_nModalResult = -1;
    if (disableOwner)
        ::EnableWindow(owner, FALSE);
    m_bModalLoopRunning = true;
    if (!CreateFromTemplate(owner)) {
        m_bModalLoopRunning = false;
        if (disableOwner)
            ::EnableWindow(owner, TRUE);
        return -1;
    }
    // EndDialog may already have run inside OnInitDialog.
    if (m_bModalLoopRunning) {
        if (!::IsWindowVisible(m_hWnd))
            ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
        RunModalLoop();
    }
    m_bModalLoopRunning = false;

    // Give the owner back its input before this window goes, so that activation
    // returns to it and not to some other program.
    if (disableOwner)
        ::EnableWindow(owner, TRUE);
    if (m_hWnd) {
        if (owner && ::GetActiveWindow() == m_hWnd)
            ::SetActiveWindow(owner);
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
        ::DestroyWindow(m_hWnd);
    }
    return m_nModalResult;
}

void CDialog::RunModalLoop()
{
    MSG msg;
    while (m_bModalLoopRunning && m_hWnd) {
        const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got == -1)
            break;
        if (got == 0) {
            // The program is quitting: end the dialog and leave the request for
            // the loop outside.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!AfxWalkPreTranslateTree(m_hWnd, &msg) && !::IsDialogMessageA(m_hWnd, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        CWnd::DeleteTempMap();
        CMenu::DeleteTempMap();
    }
    m_bModalLoopRunning = false;
}

void CDialog::EndDialog(INT_PTR result)
{
    if (m_bModalLoopRunning) {
        m_nModalResult = result;
        m_bModalLoopRunning = false;
        // Wake the loop in case it is waiting for a message.
        if (m_hWnd)
            ::PostMessageA(m_hWnd, WM_NULL, 0, 0);
        return;
    }
    if (m_hWnd)
        ::EndDialog(m_hWnd, result);
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

BOOL CDialog::PreTranslateMessage(MSG* msg)
{
    if (!m_hWnd || m_bModalLoopRunning)
        return FALSE;  // the modal loop hands its messages to the dialog manager itself
    if (msg->hwnd != m_hWnd && !::IsChild(m_hWnd, msg->hwnd))
        return FALSE;
    if (!(GetStyle() & WS_CHILD))
        return ::IsDialogMessageA(m_hWnd, msg);
    // A page inside another dialog: Tab and arrows travel through the enclosing
    // dialog, but Enter and Escape belong to the page (its OnOK and OnCancel).
    const bool pageKey = (msg->message == WM_KEYDOWN || msg->message == WM_CHAR) &&
                         (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE);
    return pageKey ? ::IsDialogMessageA(m_hWnd, msg) : FALSE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}
