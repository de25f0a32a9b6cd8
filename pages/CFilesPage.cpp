#include "CFilesPage.h"

#include <algorithm>

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
        OnMessage<WM_TIMER>(&CFilesPage::OnTimer),
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
    if (dialog.DoModal() == IDOK)
        AddSoon({}, dialog.GetPathNames());
    else if (dialog.SelectionTooLarge())
        MessageBox(kSelectionTooLarge, nullptr, MB_OK | MB_ICONEXCLAMATION);
    UpdateCount();
}

void CFilesPage::OnDelete()
{
    if (m_listFiles.GetSelCount() <= 0)
        return;
    // From the highest index down, so that the ones still to go keep their places.
    std::vector<int> selected = m_listFiles.GetSelItems();
    std::sort(selected.begin(), selected.end());
    m_listFiles.SendMessage(WM_SETREDRAW, FALSE);
    for (auto it = selected.rbegin(); it != selected.rend(); ++it) {
        m_listFiles.DeleteString(static_cast<UINT>(*it));
        if (static_cast<size_t>(*it) < m_widths.size())
            m_widths.erase(m_widths.begin() + *it);
    }
    m_listFiles.SendMessage(WM_SETREDRAW, TRUE);
    m_listFiles.Invalidate();
    FitScrollWidth();
    UpdateCount();
}

void CFilesPage::OnClear()
{
    if (MessageBox(kClearQuestion, kClearCaption, MB_YESNO | MB_DEFBUTTON1) == IDYES) {
        StopAdding();  // files still on their way go with the rest
        m_listFiles.ResetContent();
        m_widths.clear();
        FitScrollWidth();
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
    m_nWidest = m_widths.empty() ? 0 : *std::max_element(m_widths.begin(), m_widths.end());
    ShowScrollWidth();
}

void CFilesPage::ShowScrollWidth()
{
    // A little room after the text, as the list leaves before it.
    const int margin = ::GetSystemMetrics(SM_CXEDGE) * 2;
    m_listFiles.SendMessage(LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(m_nWidest ? m_nWidest + margin : 0));
}
