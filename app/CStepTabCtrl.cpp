#include "CStepTabCtrl.h"

const MessageMap& CStepTabCtrl::GetMessageMap() const
{
    static const MessageMap map(CTabCtrl::GetMessageMap(), {
        OnMessage<WM_LBUTTONDOWN>(&CStepTabCtrl::OnLButtonDown),
    });
    return map;
}

CStepTabCtrl::CStepTabCtrl() = default;

CStepTabCtrl::~CStepTabCtrl() = default;

BOOL CStepTabCtrl::AddPage(LPCSTR name, CDialog* page, UINT templateId)
{
    if (m_nPageCount >= kMaxPages)
        return FALSE;
    m_pageNames[m_nPageCount] = name;
    m_pages[m_nPageCount] = page;
    m_pageTemplateIds[m_nPageCount] = templateId;
    ++m_nPageCount;
    return TRUE;
}

void CStepTabCtrl::CreatePages()
{
    // Tab and the dialog keys travel through this control into the pages.
    ModifyStyleEx(0, WS_EX_CONTROLPARENT);
    for (int i = 0; i < m_nPageCount; ++i) {
        // A page whose template cannot be created still gets its button.
        m_pages[i]->Create(LOWORD(m_pageTemplateIds[i]), this);
        InsertItem(TCIF_TEXT, i, m_pageNames[i], 0, 0);
    }
    for (int i = 0; i < m_nPageCount; ++i) {
        if (m_pages[i]->m_hWnd)
            m_pages[i]->ShowWindow(i == 0 ? SW_SHOW : SW_HIDE);
    }
    PositionPages();
}

void CStepTabCtrl::PositionPages()
{
    CRect client;
    GetClientRect(&client);
    CRect button;
    GetItemRect(0, &button);
    const int left = button.left;
    const int top = button.bottom + 1;
    const int width = client.right - button.left - 2;
    const int height = client.bottom - button.bottom - 3;
    for (int i = 0; i < m_nPageCount; ++i) {
        if (!m_pages[i]->m_hWnd)
            continue;
        m_pages[i]->SetWindowPos(HWND_TOP, left, top, width, height,
                                 i == 0 ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
    }
}

void CStepTabCtrl::OnLButtonDown(UINT flags, CPoint point)
{
    // The control selects the clicked button first, telling the owner
    // (TCN_SELCHANGING, TCN_SELCHANGE) before it returns.
    CTabCtrl::OnLButtonDown(flags, point);

    // A click on the button that is already selected leaves the focus where the
    // arrow keys may have moved it; the pressed button is the one meant.
    TCHITTESTINFO hit{point, 0};
    const int pressed = HitTest(&hit);
    if (pressed >= 0 && pressed != GetCurFocus())
        SetCurFocus(pressed);

    // No focused button (or one the pages know nothing of) keeps the page.
    const int focused = GetCurFocus();
    if (focused != m_nCurrentPage)
        ShowPage(focused);
}

void CStepTabCtrl::ShowPage(int index)
{
    if (index < 0 || index >= m_nPageCount)
        return;
    SetCurSel(index);
    SetCurFocus(index);
    for (int i = 0; i < m_nPageCount; ++i) {
        if (m_pages[i]->m_hWnd)
            m_pages[i]->ShowWindow(i == index ? SW_SHOW : SW_HIDE);
    }
    m_nCurrentPage = index;
}

HWND CStepTabCtrl::GetPage(int index) const
{
    return index >= 0 && index < m_nPageCount ? m_pages[index]->m_hWnd : nullptr;
}
