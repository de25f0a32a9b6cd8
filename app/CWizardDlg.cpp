#include "CWizardDlg.h"

#include <cstring>

#include "CAboutDlg.h"
#include "CDataExchange.h"
#include "CMenu.h"
#include "CPaintDC.h"
#include "GuideInBrowser.h"
#include "ResourceLookup.h"
#include "WindowDpi.h"
#include "resource.h"

namespace {

// Step buttons' labels: the step control keeps the pointers, so they must live
// as long as the window.
constexpr const char* kStepNames[] = {"STEP1", "STEP2", "STEP3"};
// The banners' words, which the pictures alone carry.
constexpr const wchar_t* kBannerWords[] = {
    L"tessiva - step 1 of 3: add text files into listbox",
    L"tessiva - step 2 of 3: html format",
    L"tessiva - step 3 of 3: start",
};

std::wstring Wide(const char* ascii)
{
    return std::wstring(ascii, ascii + std::strlen(ascii));
}

// The step control as a reader says it: its three steps and the one in front.
std::wstring StepsName(int shown)
{
    std::wstring name = L"Steps: " + Wide(kStepNames[0]) + L", " + Wide(kStepNames[1]) + L", " + Wide(kStepNames[2]);
    if (shown >= 0 && shown < 3)
        name += L"; " + Wide(kStepNames[shown]) + L" in front";
    return name;
}

CString LoadResourceString(UINT id)
{
    // String resources live in blocks of sixteen, named by (id / 16) + 1.
    const HINSTANCE module =
        AfxFindResourceHandle(MAKEINTRESOURCEA((id >> 4) + 1), MAKEINTRESOURCEA(6) /* RT_STRING */);
    char text[256] = {};
    const int length = ::LoadStringA(module, id, text, sizeof(text));
    return CString(text, length > 0 ? static_cast<size_t>(length) : 0);
}

}  // namespace

// ---- message map ---------------------------------------------------------------------

const MessageMap& CWizardDlg::GetMessageMap() const
{
    static const MessageMap map(CDialog::GetMessageMap(), {
        OnMessage<WM_SYSCOMMAND>(&CWizardDlg::OnSysCommand),
        OnMessage<WM_PAINT>(&CWizardDlg::OnPaint),
        OnMessage<WM_QUERYDRAGICON>(&CWizardDlg::OnQueryDragIcon),
        OnMessage<WM_DROPFILES>(&CWizardDlg::OnDropFiles),
        OnNotify(TCN_SELCHANGE, IDC_STEPS, &CWizardDlg::OnSelchangeSteps),
        OnCommand(BN_CLICKED, IDC_START, &CWizardDlg::OnStart),
        OnMessage<WM_HELP>(&CWizardDlg::OnHelpInfo),
        OnMessage<WM_ACTIVATE>(&CWizardDlg::OnActivate),
        OnMessage<WM_SYSCOLORCHANGE>(&CWizardDlg::OnSysColorChange),
        OnRawMessage(WM_SETTINGCHANGE, &CWizardDlg::OnSettingChange),
        OnRawMessage(WM_DPICHANGED, &CWizardDlg::OnDpiChanged),
    });
    return map;
}

// ---- construction --------------------------------------------------------------------

CWizardDlg::CWizardDlg(CWnd* parent) : CDialog(IDD_WIZARD, parent)
{
    // The icon is shared (LoadIcon): the system frees it, not the window.
    const LPCSTR name = MAKEINTRESOURCEA(IDR_MAINFRAME);
    m_hIcon = ::LoadIconA(AfxFindResourceHandle(name, MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */), name);
}

void CWizardDlg::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_BANNER, m_banner);
    DDX_Control(dx, IDC_START, m_btnStart);
    DDX_Control(dx, IDC_STEPS, m_tabSteps);
    DDX_Control(dx, IDC_LINK_EMAIL, m_linkEmail);
    DDX_Control(dx, IDC_LINK_WEBSITE, m_linkWebSite);
}

BOOL CWizardDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_hTemplateBanner = m_banner.GetBitmap();

    if (CMenu* systemMenu = GetSystemMenu(FALSE)) {
        const CString aboutText = LoadResourceString(IDS_ABOUTBOX);
        if (!aboutText.empty()) {
            systemMenu->AppendMenu(MF_SEPARATOR);
            systemMenu->AppendMenu(MF_STRING, IDM_ABOUTBOX, aboutText.c_str());
        }
    }

    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    m_btnStart.EnableWindow(FALSE);  // until STEP3 has been in front once

    m_tabSteps.AddPage(kStepNames[0], &m_filesPage, IDD_FILES_PAGE);
    m_tabSteps.AddPage(kStepNames[1], &m_templatePage, IDD_TEMPLATE_PAGE);
    m_tabSteps.AddPage(kStepNames[2], &m_outputPage, IDD_OUTPUT_PAGE);
    m_tabSteps.CreatePages();
    m_runPanel.Create(this, &m_tabSteps);
    m_nameSteps.Attach(m_tabSteps.m_hWnd, [this] { return StepsName(m_tabSteps.GetCurSel()); });
    m_nameBanner.Attach(m_banner.m_hWnd, [this] { return std::wstring(kBannerWords[m_nStep]); });

    m_linkWebSite.SetTarget(kWebSiteUrl);
    m_linkWebSite.SetUnderlineMode(CLinkLabel::UnderlineAlways);
    m_linkEmail.SetTarget(kEmailAddress);
    m_linkEmail.SetUnderlineMode(CLinkLabel::UnderlineAlways);

    m_nStep = 0;
    return TRUE;
}

// ---- handlers ------------------------------------------------------------------------

void CWizardDlg::OnSysCommand(UINT id, LPARAM /*lParam*/)
{
    if ((id & kAboutCommandMask) == IDM_ABOUTBOX) {
        CAboutDlg about;
        about.DoModal();
        return;
    }
    Default();
}

void CWizardDlg::OnPaint()
{
    if (IsIconic())
        PaintIcon();
    else
        Default();
    // Whatever covered the window, the banner shows the current step again.
    ShowStepBanner(m_nStep);
}

HCURSOR CWizardDlg::OnQueryDragIcon()
{
    return static_cast<HCURSOR>(m_hIcon);
}

void CWizardDlg::OnSelchangeSteps(NMHDR* /*header*/, LRESULT* result)
{
    // The focused button, not the selected one: it is the one just clicked, and
    // the one the step control brings to the front.
    const int step = m_tabSteps.GetCurFocus();
    if (step >= 0 && step <= 2) {
        m_nStep = step;
        ShowStepBanner(step);
    }
    *result = 0;
}

BOOL CWizardDlg::OnHelpInfo(HELPINFO* /*info*/)
{
    ShowGuide();
    return TRUE;  // handled: the request goes no further
}

void CWizardDlg::WinHelp(DWORD_PTR data, UINT command)
{
    ShowGuide();                      // the guide's first topic, always
    CDialog::WinHelp(data, command);  // data and command go only to the base
}

// ---- helpers -------------------------------------------------------------------------

void CWizardDlg::ShowStepBanner(int step)
{
    if (step < 0 || step > 2)
        return;
    if (step == 2 && !m_bRunning)
        m_btnStart.EnableWindow(TRUE);

    // The banner of the step already shown stays: reloading it on every paint
    // would only make the banner flicker.
    const UINT id = IDB_BANNER_STEP1 + step;
    if (m_bmpBanner.GetSafeHandle() && m_banner.GetBitmap() == m_bmpBanner.GetSafeHandle() &&
        m_nShownBanner == id)
        return;

    CBitmap next;
    next.LoadBitmap(id);  // a missing bitmap leaves the banner empty
    FitBannerToHeader(next);
    const HBITMAP previous = m_banner.SetBitmap(next.GetSafeHandle());
    // The control loaded the first picture from the dialog template and never
    // frees it; once replaced it is ours to free. Anything else that was handed
    // to the control belongs to whoever handed it over.
    if (previous && previous == m_hTemplateBanner) {
        ::DeleteObject(previous);
        m_hTemplateBanner = nullptr;
    }
    m_bmpBanner = std::move(next);
    m_nShownBanner = id;
}

void CWizardDlg::PaintIcon()
{
    CPaintDC dc(m_hWnd);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    CRect client;
    GetClientRect(&client);
    DrawMinimisedIcon(dc, client);
}

void CWizardDlg::DrawMinimisedIcon(CDC& dc, const CRect& client) const
{
    const int iconWidth = ::GetSystemMetrics(SM_CXICON);
    const int iconHeight = ::GetSystemMetrics(SM_CYICON);
    const int x = (client.Width() - iconWidth + 1) / 2;
    const int y = (client.Height() - iconHeight + 1) / 2;
    dc.DrawIcon(x, y, m_hIcon);
}
