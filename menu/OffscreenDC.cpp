// OffscreenDC: the item is drawn into a bitmap and lands on the menu in one
// copy, so a disabled item never shows half-drawn states.
#include "GlyphMenu.h"

OffscreenDC::OffscreenDC(CDC* target, const RECT& rect) : m_target(target), m_rect(rect)
{
    if (target == nullptr || target->GetSafeHdc() == nullptr)
        return;
    // A printer has no use for a screen bitmap: draw straight onto the page.
    if (!target->IsPrinting()) {
        const int width = rect.right - rect.left;
        const int height = rect.bottom - rect.top;
        if (width > 0 && height > 0 && CreateCompatibleDC(target)) {
            if (m_bitmap.CreateCompatibleBitmap(target->GetSafeHdc(), width, height)) {
                m_oldBitmap = SelectObject(&m_bitmap);
                // Callers keep drawing in the target's coordinates.
                SetWindowOrg(rect.left, rect.top);
                m_offscreen = TRUE;
                return;
            }
            DeleteDC();
        }
    }
    // No bitmap to be had: drawing straight through is better than drawing nothing.
    Attach(target->GetSafeHdc(), false);
}

OffscreenDC::~OffscreenDC()
{
    if (m_offscreen) {
        m_target->BitBlt(m_rect.left, m_rect.top, m_rect.right - m_rect.left,
                         m_rect.bottom - m_rect.top, m_hDC, m_rect.left, m_rect.top, SRCCOPY);
        SelectObject(m_oldBitmap);
    }
    m_bitmap.DeleteObject();
    // Deletes our memory context; a borrowed target handle is only forgotten.
    DeleteDC();
}
