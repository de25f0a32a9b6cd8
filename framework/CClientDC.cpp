#include "CClientDC.h"

IMPLEMENT_DYNAMIC(CClientDC, CDC)

CClientDC::CClientDC(HWND window) : m_hWnd(window)
{
    Attach(::GetDC(window));
}

CClientDC::~CClientDC()
{
    if (m_hDC != nullptr)
        ::ReleaseDC(m_hWnd, Detach());
}
