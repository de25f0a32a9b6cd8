#include "CConverterApp.h"

#include "CWizardDlg.h"

const CWinApp::CommandMap& CConverterApp::GetCommandMap() const
{
    static const CommandMap map{
        AppCommand(ID_HELP, &CConverterApp::OnHelp),
    };
    return map;
}

BOOL CConverterApp::InitInstance()
{
    AfxEnableControlContainer();
    Enable3dControls();

    CWizardDlg wizard;
    m_pMainWnd = &wizard;
    wizard.DoModal();  // the wizard has no result to act on

    // The window object dies with this scope; nobody may reach it afterwards.
    m_pMainWnd = nullptr;
    return FALSE;
}
