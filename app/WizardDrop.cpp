// Files dropped on the wizard, anywhere on it: they join the list of step 1,
// which comes to the front to show them.

#include "CWizardDlg.h"

#include <shellapi.h>

void CWizardDlg::OnDropFiles(HDROP drop)
{
    // A run reads the list as it stands at START: a drop meanwhile is not taken.
    if (!m_bRunning)
        m_filesPage.AddDroppedFiles(drop);
    ::DragFinish(drop);
    if (!m_bRunning)
        GoToStep(0, true);
}
