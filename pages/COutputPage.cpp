#include "COutputPage.h"

#include <objbase.h>
#include <shlobj.h>

#include "CDataExchange.h"
#include "resource.h"

namespace {

// The folder browser talks to shell objects, which want COM on this thread. Whoever
// started COM here ends it again; a thread that already had it keeps it as it was.
class ScopedComApartment {
public:
    ScopedComApartment() : m_bStarted(SUCCEEDED(::CoInitialize(nullptr))) {}
    ~ScopedComApartment()
    {
        if (m_bStarted)
            ::CoUninitialize();
    }
    ScopedComApartment(const ScopedComApartment&) = delete;
    ScopedComApartment& operator=(const ScopedComApartment&) = delete;

private:
    bool m_bStarted;
};

// An item id list handed out by the shell; its memory goes back to the shell's allocator.
class ScopedItemIdList {
public:
    explicit ScopedItemIdList(LPITEMIDLIST list) : m_list(list) {}
    ~ScopedItemIdList() { ::CoTaskMemFree(m_list); }
    ScopedItemIdList(const ScopedItemIdList&) = delete;
    ScopedItemIdList& operator=(const ScopedItemIdList&) = delete;
    LPCITEMIDLIST Get() const { return m_list; }

private:
    LPITEMIDLIST m_list;
};

}  // namespace

const MessageMap& COutputPage::GetMessageMap() const
{
    static const MessageMap map(CDialog::GetMessageMap(), {
        OnCommand(BN_CLICKED, IDC_BROWSE, &COutputPage::OnBrowse),
        OnCommand(BN_CLICKED, IDC_CREATE_INDEX, &COutputPage::OnIndexOptionClicked),
    });
    return map;
}

COutputPage::COutputPage(CWnd* parent) : CDialog(IDD_OUTPUT_PAGE, parent)
{
}

void COutputPage::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Text(dx, IDC_OUTPUT_NAME, outputName);
    DDX_Text(dx, IDC_OUTPUT_PATH, outputPath);
    DDX_Text(dx, IDC_START_NUMBER, startNumber);
    DDX_Check(dx, IDC_CREATE_INDEX, createIndex);
    DDX_Text(dx, IDC_HOME_TITLE, homeTitle);
    DDX_Text(dx, IDC_HOME_URL, homeUrl);
    DDX_Control(dx, IDC_BROWSE, m_btnBrowse);
    DDX_Check(dx, IDC_REPLACE_EXISTING, replaceExisting);
    DDX_Control(dx, IDC_OPEN_RESULT, m_linkResult);
}

BOOL COutputPage::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_btnBrowse.SetFlatLook(TRUE, TRUE);
    m_linkResult.SetUnderlineMode(CLinkLabel::UnderlineAlways);
    m_btnBrowse.SetFocusWhenFlat(TRUE, TRUE);  // a keyboard user sees where the focus is
    return TRUE;
}

BOOL COutputPage::CollectValues()
{
    return UpdateData(TRUE);
}

void COutputPage::OfferResult(const CString& page)
{
    m_linkResult.SetTarget(page);
    m_linkResult.MarkVisited(FALSE);
    m_linkResult.ShowWindow(SW_SHOW);
}

void COutputPage::WithdrawResult()
{
    // The focus never stays on a hidden control.
    if (::GetFocus() == m_linkResult.m_hWnd)
        SendMessage(WM_NEXTDLGCTL, 0, FALSE);
    m_linkResult.ShowWindow(SW_HIDE);
}

void COutputPage::OnBrowse()
{
    ScopedComApartment com;
    char displayName[MAX_PATH] = {};
    BROWSEINFOA info = {};
    // Owned by the wizard, so that the wizard waits for the answer: no second
    // browser, no START while a folder is being chosen.
    info.hwndOwner = ::GetAncestor(m_hWnd, GA_ROOT);
    info.pidlRoot = nullptr;  // the desktop: the whole shell namespace
    info.pszDisplayName = displayName;
    info.lpszTitle = "Selectadirectory";
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    const ScopedItemIdList chosen(::SHBrowseForFolderA(&info));
    if (!chosen.Get())
        return;  // cancelled: the path that was there stays
    char path[MAX_PATH] = {};
    if (!::SHGetPathFromIDListA(chosen.Get(), path))
        return;  // no file-system folder behind the choice: nothing to replace the path with
    outputPath = path;
    SetDlgItemText(IDC_OUTPUT_PATH, outputPath.c_str());
}

void COutputPage::OnIndexOptionClicked()
{
    // Keeps the stored option in step with the box between two collections.
    createIndex = createIndex ? 0 : 1;
}
