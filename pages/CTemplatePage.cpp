#include "CTemplatePage.h"

#include <shellapi.h>

#include "AfxMessageBox.h"
#include "CDataExchange.h"
#include "CharsetNames.h"
#include "LegacyCharset.h"
#include "PlatformFiles.h"
#include "resource.h"

const MessageMap& CTemplatePage::GetMessageMap() const
{
    static const MessageMap map(CDialog::GetMessageMap(), {
        OnCommand(BN_CLICKED, IDC_VIEW, &CTemplatePage::OnView),
    });
    return map;
}

CTemplatePage::CTemplatePage(CWnd* parent)
    : CDialog(IDD_TEMPLATE_PAGE, parent), legacyCharset(SystemLegacyCharset())
{
}

void CTemplatePage::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_CBString(dx, IDC_TEMPLATE_NAME, templateName);
    DDX_Text(dx, IDC_DESCRIPTION, description);
    DDX_Text(dx, IDC_KEYWORDS, keywords);
    DDX_Control(dx, IDC_VIEW, m_btnView);
    DDX_CBString(dx, IDC_LEGACY_CHARSET, legacyCharset);
}

BOOL CTemplatePage::OnInitDialog()
{
    // The list first, so that showing the values selects the system's set in it.
    const HWND list = ::GetDlgItem(m_hWnd, IDC_LEGACY_CHARSET);
    const std::string system = SystemLegacyCharset();
    ::SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(system.c_str()));
    for (const CharsetName& set : KnownCharsets())
        if (system != set.name)
            ::SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(set.name));
    CDialog::OnInitDialog();
    m_btnView.SetFocusWhenFlat(TRUE, TRUE);  // a keyboard user sees where the focus is
    // Drop-downs are not named after the label before them everywhere.
    m_nameTemplate.Attach(::GetDlgItem(m_hWnd, IDC_TEMPLATE_NAME), [] { return std::wstring(L"Templet"); }, L"Alt+T");
    m_nameCharset.Attach(list, [] { return std::wstring(L"Older texts are in"); }, L"Alt+I");
    return TRUE;
}

BOOL CTemplatePage::CollectValues()
{
    return UpdateData(TRUE);
}

void CTemplatePage::OnView()
{
    CollectValues();
    // The run reads the template from the program folder, so that is where the
    // look has to come from too; the current folder may be anywhere.
    const CString path = platform::ProgramFolder() + templateName;
    const HINSTANCE result =
        ::ShellExecuteA(m_hWnd, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    // The shell answers a number above 32 when it managed to start something.
    if (reinterpret_cast<INT_PTR>(result) <= 32)
        AfxMessageBox("::ShellExecute failed to open this link!", MB_OK);
}
