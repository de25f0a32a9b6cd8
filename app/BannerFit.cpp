// The banner at the window's scale. The pictures are drawn for 96 dots per inch;
// on a finer screen the window grows with its font, so the picture grows by the
// same ratio, smoothly, and the band beyond it continues each row's last pixel:
// the header looks whole at any size, and at 96 dots per inch nothing is resampled.

#include "CWizardDlg.h"

#include <algorithm>

#include "CClientDC.h"
#include "ScopedSelect.h"
#include "WindowDpi.h"

void CWizardDlg::FitBannerToHeader(CBitmap& banner) const
{
    const SIZE drawn = banner.GetSize();
    if (drawn.cx <= 0 || drawn.cy <= 0)
        return;
    CClientDC screen(nullptr);
    const int dpi = static_cast<int>(WindowDpi(m_hWnd));
    const int width = ::MulDiv(drawn.cx, dpi, kDesignDpi);
    const int height = ::MulDiv(drawn.cy, dpi, kDesignDpi);
    CRect client;
    GetClientRect(&client);
    const int headerWidth = std::max(width, static_cast<int>(client.Width()));

    CDC source, target;
    source.CreateCompatibleDC(screen.GetSafeHdc());
    target.CreateCompatibleDC(screen.GetSafeHdc());
    CBitmap fitted;
    if (!fitted.CreateCompatibleBitmap(screen, headerWidth, height))
        return;
    {
        const ScopedSelect from(source, banner);
        const ScopedSelect to(target, fitted);
        if (width == drawn.cx && height == drawn.cy) {
            target.BitBlt(0, 0, width, height, source, 0, 0, SRCCOPY);
        } else {
            ::SetStretchBltMode(target, HALFTONE);
            ::SetBrushOrgEx(target, 0, 0, nullptr);
            ::StretchBlt(target, 0, 0, width, height, source, 0, 0, drawn.cx, drawn.cy, SRCCOPY);
        }
        // The band beyond the picture: its last column, widened (widening needs no smoothing).
        ::StretchBlt(target, width, 0, headerWidth - width, height, target, width - 1, 0, 1, height,
                     SRCCOPY);
    }
    banner = std::move(fitted);
}
