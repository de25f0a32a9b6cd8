#include "CImageButton.h"

// Bodies are being filled in; this keeps the class usable as a member meanwhile.

CImageButton::CImageButton() { RestoreDefaultColors(FALSE); }
CImageButton::~CImageButton() = default;

DWORD CImageButton::SetFlatLook(BOOL flat, BOOL) { m_bFlat = flat; return 0; }
DWORD CImageButton::SetCheckState(int check, BOOL) { if (m_bCheckBox) m_nCheck = check ? 1 : 0; return 0; }
DWORD CImageButton::RestoreDefaultColors(BOOL)
{
    for (int i = 0; i < ColorCount; i += 2) {
        m_colors[i] = ::GetSysColor(COLOR_BTNFACE);
        m_colors[i + 1] = ::GetSysColor(COLOR_BTNTEXT);
    }
    return 0;
}
DWORD CImageButton::SetColor(int, COLORREF, BOOL) { return 0; }
COLORREF CImageButton::GetColor(int index) const { return index >= 0 && index < ColorCount ? m_colors[index] : CLR_INVALID; }
DWORD CImageButton::SetLinkTarget(LPCSTR) { return 0; }
DWORD CImageButton::SetIcons(HICON, HICON, BOOL) { return 0; }
DWORD CImageButton::SetIcons(UINT, UINT, BOOL) { return 0; }
DWORD CImageButton::SetBitmaps(HBITMAP, COLORREF, HBITMAP, COLORREF, BOOL) { return 0; }
DWORD CImageButton::SetBitmaps(UINT, COLORREF, UINT, COLORREF, BOOL) { return 0; }
DWORD CImageButton::ReleaseImages(BOOL) { return 0; }
DWORD CImageButton::SetAlignment(BYTE, BOOL) { return 0; }
DWORD CImageButton::SetGreyDisabledBitmap(BOOL, BOOL) { return 0; }
DWORD CImageButton::SetDrawBorder(BOOL, BOOL) { return 0; }
DWORD CImageButton::SetFocusWhenFlat(BOOL, BOOL) { return 0; }
DWORD CImageButton::SetAlwaysTrack(BOOL) { return 0; }
DWORD CImageButton::SetTransparent(BOOL, BOOL) { return 0; }
DWORD CImageButton::SetButtonCursor(HCURSOR, BOOL) { return 0; }
DWORD CImageButton::SetButtonCursor(UINT, BOOL) { return 0; }
DWORD CImageButton::SetMenu(UINT, HWND, BOOL) { return 0; }
DWORD CImageButton::SetTooltipText(LPCSTR, BOOL) { return 0; }
DWORD CImageButton::ActivateTooltip(BOOL) { return 0; }
DWORD CImageButton::DrawBackground(CDC*, CRect*) { return 0; }
DWORD CImageButton::DrawHoverBorder(CDC*, CRect*) { return 0; }
BOOL CImageButton::PreTranslateMessage(MSG* msg) { return CButton::PreTranslateMessage(msg); }
LRESULT CImageButton::DefWindowProc(UINT m, WPARAM w, LPARAM l) { return CButton::DefWindowProc(m, w, l); }
void CImageButton::DrawItem(LPDRAWITEMSTRUCT) {}
void CImageButton::PreSubclassWindow()
{
    ModifyStyle(0x1F, BS_OWNERDRAW, SWP_FRAMECHANGED);
    CButton::PreSubclassWindow();
}
const MessageMap& CImageButton::GetMessageMap() const { return CButton::GetMessageMap(); }
