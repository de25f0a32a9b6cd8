#include "AfxMessageBox.h"

#include "CWinApp.h"
#include "CWnd.h"

namespace {

HWND MessageBoxOwner()
{
    HWND owner = ::GetActiveWindow();
    if (!owner) {
        CWinApp* app = AfxGetApp();
        if (app && app->m_pMainWnd)
            owner = app->m_pMainWnd->m_hWnd;
    }
    if (!owner)
        return nullptr;
    owner = ::GetAncestor(owner, GA_ROOT);
    // Above a pop-up that is already up (another dialog), not behind it.
    return ::GetLastActivePopup(owner);
}

}  // namespace

int AfxMessageBox(LPCSTR text, UINT type, UINT)
{
    const CString caption = AfxGetAppName();
    return ::MessageBoxA(MessageBoxOwner(), text ? text : "", caption.c_str(), type);
}

int AfxMessageBox(const CString& text, UINT type, UINT helpId)
{
    return AfxMessageBox(text.c_str(), type, helpId);
}
