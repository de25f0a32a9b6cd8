// Files dropped on the wizard, anywhere on it: they join the list of step 1,
// which comes to the front to show them.

#include "CWizardDlg.h"

#include <shellapi.h>

void CWizardDlg::OnDropFiles(HDROP drop)
{
    m_filesPage.AddDroppedFiles(drop);
    ::DragFinish(drop);
    GoToStep(0, true);
}
