#include "CMemDC.h"

IMPLEMENT_DYNAMIC(CMemDC, CDC)

CMemDC::CMemDC(CDC& target, const RECT& rect) : m_target(target), m_rect(rect)
{
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width > 0 && height > 0 && CreateCompatibleDC(&target)) {
        if (m_bitmap.CreateCompatibleBitmap(target, width, height)) {
            m_oldBitmap = SelectObject(&m_bitmap);
            SetWindowOrg(rect.left, rect.top);
            m_offscreen = true;
            return;
        }
        DeleteDC();
    }
    Attach(target.GetSafeHdc());
}

CMemDC::~CMemDC()
{
    if (m_offscreen) {
        m_target.BitBlt(m_rect.left, m_rect.top, m_rect.right - m_rect.left,
                        m_rect.bottom - m_rect.top, m_hDC, m_rect.left, m_rect.top, SRCCOPY);
        SelectObject(m_oldBitmap);
    }
    DeleteDC();
}
