#include "CFilesPage.h"

#include <algorithm>

#include "CClientDC.h"
#include "CDataExchange.h"
#include "CFileDialog.h"
#include "resource.h"

namespace {

constexpr const char* kFileFilter = "TEXT FILE(*.txt)|*.txt|ALL FILE(*.*)|*.*||";
constexpr const char* kClearQuestion = "The command will clear all item in the listbox\n ARE YOU SURE?";
constexpr const char* kClearCaption = "warnning";
constexpr const char* kSelectionTooLarge =
    "Too many files were selected to add at once.\nPlease add them in smaller groups.";

}  // namespace

const MessageMap& CFilesPage::GetMessageMap() const
{
    static const MessageMap map(CDialog::GetMessageMap(), {
        OnCommand(BN_CLICKED, IDC_ADD, &CFilesPage::OnAdd),
        OnCommand(BN_CLICKED, IDC_DELETE, &CFilesPage::OnDelete),
        OnCommand(BN_CLICKED, IDC_CLEAR, &CFilesPage::OnClear),
    });
    return map;
}

CFilesPage::CFilesPage(CWnd* parent) : CDialog(IDD_FILES_PAGE, parent) {}

void CFilesPage::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_FILE_LIST, m_listFiles);
    DDX_Text(dx, IDC_FILE_COUNT, m_strCount);
}

BOOL CFilesPage::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_nameList.Attach(m_listFiles.m_hWnd, [] { return std::wstring(L"Text files to convert"); });
    m_nameCount.Attach(::GetDlgItem(m_hWnd, IDC_FILE_COUNT), [this] {
        const int count = m_listFiles.GetCount();
        return std::to_wstring(count) + (count == 1 ? L" file" : L" files") + L" in the list";
    });
    return TRUE;
}

void CFilesPage::OnAdd()
{
    CFileDialog dialog(TRUE, nullptr, nullptr,
                       OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST,
                       kFileFilter, this);
    if (dialog.DoModal() == IDOK) {
        for (const CString& path : dialog.GetPathNames())
            m_listFiles.AddString(path.c_str());
        FitScrollWidth();
    } else if (dialog.SelectionTooLarge()) {
        MessageBox(kSelectionTooLarge, nullptr, MB_OK | MB_ICONEXCLAMATION);
    }
    UpdateCount();
}

void CFilesPage::OnDelete()
{
    if (m_listFiles.GetSelCount() <= 0)
        return;
    // From the highest index down, so that the ones still to go keep their places.
    std::vector<int> selected = m_listFiles.GetSelItems();
    std::sort(selected.begin(), selected.end());
    for (auto it = selected.rbegin(); it != selected.rend(); ++it)
        m_listFiles.DeleteString(static_cast<UINT>(*it));
    FitScrollWidth();
    UpdateCount();
}

void CFilesPage::OnClear()
{
    if (MessageBox(kClearQuestion, kClearCaption, MB_YESNO | MB_DEFBUTTON1) == IDYES) {
        m_listFiles.SetSel(-1, TRUE);
        OnDelete();
    }
    UpdateCount();
}

void CFilesPage::UpdateCount()
{
    m_strCount = FormatString("%d", m_listFiles.GetCount());
    UpdateData(FALSE);
}

void CFilesPage::FitScrollWidth()
{
    CClientDC dc(m_listFiles.m_hWnd);
    const HGDIOBJ oldFont = dc.SelectObject(m_listFiles.GetFontHandle());
    int widest = 0;
    const int count = m_listFiles.GetCount();
    for (int i = 0; i < count; ++i)
        widest = std::max(widest, static_cast<int>(dc.GetTextExtent(m_listFiles.GetText(i)).cx));
    dc.SelectObject(oldFont);
    // A little room after the text, as the list leaves before it.
    const int margin = ::GetSystemMetrics(SM_CXEDGE) * 2;
    m_listFiles.SendMessage(LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest ? widest + margin : 0));
}
