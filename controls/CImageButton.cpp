#include "CImageButton.h"

#include <shellapi.h>

#include <cstring>


// Drawing (DrawItem, the hooks, images and the transparent face) lives in
// CImageButtonDraw.cpp, the image slots in CImageButtonImages.cpp.

namespace {

// The low bits of a button style that name its type and default frame.
constexpr DWORD kButtonTypeBits = 0x1F;

}  // namespace

const MessageMap& CImageButton::GetMessageMap() const
{
    static const MessageMap map(CButton::GetMessageMap(), {
        OnMessage<WM_SETCURSOR>(&CImageButton::OnSetCursor),
        OnMessage<WM_KILLFOCUS>(&CImageButton::OnKillFocus),
        OnMessage<WM_MOUSEMOVE>(&CImageButton::OnMouseMove),
        OnMessage<WM_SYSCOLORCHANGE>(&CImageButton::OnSysColorChange),
        OnReflectedCommand(BN_CLICKED, &CImageButton::OnClicked),
        OnMessage<WM_ACTIVATE>(&CImageButton::OnActivate),
        OnMessage<WM_ENABLE>(&CImageButton::OnEnable),
        OnMessage<WM_CANCELMODE>(&CImageButton::OnCancelMode),
        OnMessage<WM_GETDLGCODE>(&CImageButton::OnGetDlgCode),
        OnReflectedCtlColor(&CImageButton::CtlColor),
        OnMessage<WM_MENUCHAR>(&CImageButton::OnMenuChar),
        OnMessage<WM_MEASUREITEM>(&CImageButton::OnMeasureItem),
        OnRawMessage(BM_SETSTYLE, &CImageButton::OnSetStyle),
        OnMessage<WM_MOUSELEAVE>(&CImageButton::OnMouseLeave),
        OnRawMessage(BM_SETCHECK, &CImageButton::OnSetCheck),
        OnRawMessage(BM_GETCHECK, &CImageButton::OnGetCheck),
    });
    return map;
}

// ---- Construction ------------------------------------------------------------------

CImageButton::CImageButton()
{
    ReleaseImages(FALSE);
    RestoreDefaultColors(FALSE);
    SetLinkTarget(nullptr);
}

CImageButton::~CImageButton()
{
    // The captured background's bitmap goes back out of the memory context
    // before either is deleted by its member.
    if (m_dcBackground.GetSafeHdc() && m_hOldBackground)
        m_dcBackground.SelectObject(m_hOldBackground);
    m_hOldBackground = nullptr;
    ReleaseImages(TRUE);
    if (m_hCursor)
        ::DestroyCursor(m_hCursor);
    m_hCursor = nullptr;
    if (m_menu.GetSafeHmenu())
        m_menu.DestroyMenu();
}

void CImageButton::PreSubclassWindow()
{
    const DWORD style = GetStyle();
    const DWORD type = style & BS_TYPEMASK;
    // Only the two check-box types toggle; the three-state ones would need a
    // third look the drawing does not have.
    if (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX)
        m_bCheckBox = TRUE;
    if ((style & kButtonTypeBits) == BS_DEFPUSHBUTTON)
        m_bDefault = TRUE;
    ModifyStyle(kButtonTypeBits, BS_OWNERDRAW, SWP_FRAMECHANGED);
    CButton::PreSubclassWindow();
}

// ---- Configuration -----------------------------------------------------------------

void CImageButton::Repaint(BOOL repaint)
{
    if (repaint && IsWindow())
        Invalidate(TRUE);
}

DWORD CImageButton::SetFlatLook(BOOL flat, BOOL repaint)
{
    m_bFlat = flat;
    Repaint(repaint);
    return 0;
}

DWORD CImageButton::SetCheckState(int check, BOOL repaint)
{
    if (!m_bCheckBox)
        return 0;
    m_nCheck = check ? 1 : 0;
    Repaint(repaint);
    return 0;
}

DWORD CImageButton::RestoreDefaultColors(BOOL repaint)
{
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    const COLORREF text = ::GetSysColor(COLOR_BTNTEXT);
    m_colors[ColorBackgroundHot] = face;
    m_colors[ColorTextHot] = text;
    m_colors[ColorBackgroundNormal] = face;
    m_colors[ColorTextNormal] = text;
    m_colors[ColorBackgroundFocus] = face;
    m_colors[ColorTextFocus] = text;
    m_bSystemColors = TRUE;
    Repaint(repaint);
    return 0;
}

DWORD CImageButton::SetColor(int index, COLORREF colour, BOOL repaint)
{
    if (index < 0 || index >= ColorCount)
        return 0;
    m_colors[index] = colour;
    m_bSystemColors = FALSE;
    Repaint(repaint);
    return 0;
}

COLORREF CImageButton::GetColor(int index) const
{
    return index >= 0 && index < ColorCount ? m_colors[index] : CLR_INVALID;
}

DWORD CImageButton::SetLinkTarget(LPCSTR target)
{
    std::memset(m_szLinkTarget, 0, sizeof(m_szLinkTarget));
    if (target)
        std::memcpy(m_szLinkTarget, target, ::strnlen(target, LinkTargetSize - 1));
    return 0;
}

DWORD CImageButton::SetAlignment(BYTE alignment, BOOL repaint)
{
    m_byAlign = alignment;
    Repaint(repaint);
    return 0;
}

DWORD CImageButton::SetGreyDisabledBitmap(BOOL grey, BOOL repaint)
{
    m_bGreyDisabledBitmap = grey;
    Repaint(repaint);
    return 0;
}

DWORD CImageButton::SetDrawBorder(BOOL draw, BOOL repaint)
{
    m_bDrawBorder = draw;
    Repaint(repaint);
    return 0;
}

DWORD CImageButton::SetFocusWhenFlat(BOOL focus, BOOL repaint)
{
    m_bFocusWhenFlat = focus;
    Repaint(repaint);
    return 0;
}

DWORD CImageButton::SetAlwaysTrack(BOOL always)
{
    m_bAlwaysTrack = always;
    return 0;
}

DWORD CImageButton::SetTransparent(BOOL transparent, BOOL repaint)
{
    m_bTransparent = transparent;
    // A fresh capture: the parent may look different since the last one.
    DropCapturedBackground();
    Repaint(repaint);
    return 0;
}

DWORD CImageButton::SetButtonCursor(HCURSOR cursor, BOOL repaint)
{
    if (m_hCursor)
        ::DestroyCursor(m_hCursor);
    // A copy of our own: the caller keeps (and may destroy) theirs.
    m_hCursor = cursor ? static_cast<HCURSOR>(::CopyIcon(cursor)) : nullptr;
    Repaint(repaint);
    return 0;
}

DWORD CImageButton::SetButtonCursor(UINT resourceId, BOOL repaint)
{
    if (m_hCursor)
        ::DestroyCursor(m_hCursor);
    m_hCursor = static_cast<HCURSOR>(LoadResourceImage(resourceId, RT_GROUP_CURSOR, IMAGE_CURSOR));
    Repaint(repaint);
    return 0;
}

DWORD CImageButton::SetMenu(UINT menuId, HWND target, BOOL repaint)
{
    if (m_menu.GetSafeHmenu())
        m_menu.DestroyMenu();
    m_hMenuTarget = nullptr;
    if (menuId && m_menu.LoadMenu(menuId))
        m_hMenuTarget = target;
    Repaint(repaint);
    return 0;
}

DWORD CImageButton::SetTooltipText(LPCSTR text, BOOL activate)
{
    m_strTooltip = text ? text : "";
    m_bTooltipActive = activate;
    if (IsWindow()) {
        EnsureTooltip();
        ApplyTooltipText();
    }
    return 0;
}

DWORD CImageButton::ActivateTooltip(BOOL activate)
{
    m_bTooltipActive = activate;
    if (m_toolTip.IsWindow())
        m_toolTip.Activate(activate && !m_strTooltip.empty());
    return 0;
}

// ---- Message handlers -----------------------------------------------------------

BOOL CImageButton::OnSetCursor(CWnd*, UINT, UINT)
{
    if (m_hCursor) {
        ::SetCursor(m_hCursor);
        return TRUE;
    }
    return static_cast<BOOL>(Default());
}

void CImageButton::OnKillFocus(CWnd*)
{
    Default();
    EndHover();
}

void CImageButton::OnMouseMove(UINT flags, CPoint point)
{
    Default();
    CPoint screen = point;
    ClientToScreen(&screen);
    const HWND under = ::WindowFromPoint(screen);

    // A press that began elsewhere and was dragged here never starts hover.
    if ((flags & MK_LBUTTON) && !m_bHover)
        return;
    if (!m_bFlat)
        return;
    const bool mayStart = m_bAlwaysTrack || ::GetActiveWindow() != nullptr;
    if (under == m_hWnd && mayStart) {
        if (m_bHover)
            return;
        m_bHover = TRUE;
        Invalidate(TRUE);
        // The system tells us when the mouse leaves; no polling needed.
        TRACKMOUSEEVENT track{};
        track.cbSize = sizeof(track);
        track.dwFlags = TME_LEAVE;
        track.hwndTrack = m_hWnd;
        ::_TrackMouseEvent(&track);
        return;
    }
    EndHover();
}

void CImageButton::OnSysColorChange()
{
    Default();
    // The captured parent background shows the old colours; take a new one.
    DropCapturedBackground();
    if (m_bSystemColors)
        RestoreDefaultColors(FALSE);
    Invalidate(TRUE);
}

BOOL CImageButton::OnClicked()
{
    SetFocus();
    if (m_bCheckBox) {
        m_nCheck = m_nCheck ? 0 : 1;
        Invalidate(TRUE);
    } else if (m_menu.GetSafeHmenu()) {
        CRect window;
        GetWindowRect(&window);
        m_bMenuShowing = TRUE;
        Invalidate(TRUE);
        CMenu* popup = m_menu.SubMenuAt(0);
        const UINT command =
            popup ? static_cast<UINT>(popup->TrackPopupMenu(
                        TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_NONOTIFY | TPM_RETURNCMD,
                        window.left, window.bottom, m_hWnd))
                  : 0;
        m_bMenuShowing = FALSE;
        Invalidate(TRUE);
        if (command) {
            // Without a target window the command goes to the parent: posting to
            // no window would put it on the thread's queue, where no one reads it.
            HWND target = m_hMenuTarget ? m_hMenuTarget : ::GetParent(m_hWnd);
            ::PostMessageA(target, WM_COMMAND, MAKEWPARAM(LOWORD(command), 0), 0);
        }
    } else if (m_szLinkTarget[0]) {
        SHELLEXECUTEINFOA info{};
        info.cbSize = sizeof(info);
        info.fMask = SEE_MASK_FLAG_NO_UI;
        info.lpVerb = "open";
        info.lpFile = m_szLinkTarget;
        info.nShow = SW_SHOWMAXIMIZED;
        ::ShellExecuteExA(&info);
    }
    // The parent's own click handler runs as well.
    return FALSE;
}

void CImageButton::OnActivate(UINT state, CWnd*, BOOL)
{
    Default();
    if (state == WA_INACTIVE)
        EndHover();
}

void CImageButton::OnEnable(BOOL enable)
{
    Default();
    if (enable)
        return;
    MoveFocusOn();
    EndHover();
}

void CImageButton::MoveFocusOn()
{
    const HWND parent = ::GetParent(m_hWnd);
    if (!parent)
        return;
    // Disabling a focused window leaves the focus nowhere before WM_ENABLE
    // arrives; a focus elsewhere (the user typing in an edit box while the
    // program disables this button) is left where it is.
    const HWND focus = ::GetFocus();
    const bool lostHere = focus == nullptr && ::GetActiveWindow() == ::GetAncestor(m_hWnd, GA_ROOT);
    if (focus != m_hWnd && !lostHere)
        return;
    const HWND next = ::GetNextDlgTabItem(parent, m_hWnd, FALSE);
    ::SetFocus(next && next != m_hWnd ? next : parent);
}

void CImageButton::OnCancelMode()
{
    Default();
    EndHover();
}

UINT CImageButton::OnGetDlgCode()
{
    UINT code = static_cast<UINT>(Default());
    code |= m_bDefault ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON;
    return code;
}

HBRUSH CImageButton::CtlColor(CDC*, UINT)
{
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

LRESULT CImageButton::OnMenuChar(UINT character, UINT flags, CMenu* menu)
{
    if (GlyphMenu::IsKnownSubMenu(menu))
        return GlyphMenu::FindMnemonic(character, flags, menu);
    return Default();
}

void CImageButton::OnMeasureItem(int id, LPMEASUREITEMSTRUCT measureItem)
{
    if (measureItem && measureItem->CtlType == ODT_MENU) {
        const HMENU asMenu = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(measureItem->itemID));
        const bool knownPopup = ::IsMenu(asMenu) && GlyphMenu::IsKnownSubMenu(asMenu);
        // While our drop-down is open the button is the owner of its items, so
        // a command item measured now is one of ours too: its item data is a
        // record of the menu, as for the pop-up items.
        if (knownPopup || (m_bMenuShowing && measureItem->itemData)) {
            m_menu.MeasureItem(measureItem);
            return;
        }
    }
    CButton::OnMeasureItem(id, measureItem);
}

LRESULT CImageButton::OnSetStyle(WPARAM style, LPARAM redraw)
{
    const DWORD type = static_cast<DWORD>(style) & kButtonTypeBits;
    if (type == BS_DEFPUSHBUTTON)
        m_bDefault = TRUE;
    else if (type == BS_PUSHBUTTON)
        m_bDefault = FALSE;
    // Whatever the dialog manager asks for, the button stays owner-drawn.
    const WPARAM ownerDrawn = (style & ~static_cast<WPARAM>(kButtonTypeBits)) | BS_OWNERDRAW;
    return DefWindowProc(BM_SETSTYLE, ownerDrawn, redraw);
}

void CImageButton::OnMouseLeave()
{
    EndHover();
}

LRESULT CImageButton::OnSetCheck(WPARAM check, LPARAM)
{
    SetCheckState(check == BST_CHECKED || check == BST_INDETERMINATE ? 1 : 0, TRUE);
    return 0;
}

LRESULT CImageButton::OnGetCheck(WPARAM, LPARAM)
{
    return GetCheckState();
}

// ---- Overrides ------------------------------------------------------------------

LRESULT CImageButton::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The second click of a fast pair presses the button again instead of
    // being swallowed as a double click.
    if (message == WM_LBUTTONDBLCLK)
        message = WM_LBUTTONDOWN;
    return CButton::DefWindowProc(message, wParam, lParam);
}

BOOL CImageButton::PreTranslateMessage(MSG* msg)
{
    EnsureTooltip();
    m_toolTip.RelayEvent(msg);
    return CButton::PreTranslateMessage(msg);
}

// ---- Helpers ----------------------------------------------------------------------

void CImageButton::EndHover()
{
    if (m_bFlat && m_bHover) {
        m_bHover = FALSE;
        Invalidate(TRUE);
    }
}

void CImageButton::EnsureTooltip()
{
    if (m_toolTip.IsWindow() || !IsWindow())
        return;
    if (!m_toolTip.Create(this))
        return;
    m_toolTip.Activate(FALSE);
    m_toolTip.SetMaxTipWidth(400);
    if (!m_strTooltip.empty())
        ApplyTooltipText();
}

void CImageButton::ApplyTooltipText()
{
    if (!m_toolTip.IsWindow())
        return;
    const bool hasTool = m_toolTip.GetToolCount() > 0;
    if (m_strTooltip.empty()) {
        if (hasTool)
            m_toolTip.DelTool(this, 1);
        m_toolTip.Activate(FALSE);
        return;
    }
    if (hasTool) {
        m_toolTip.UpdateTipText(m_strTooltip.c_str(), this, 1);
    } else {
        CRect client;
        GetClientRect(&client);
        m_toolTip.AddTool(this, m_strTooltip.c_str(), &client, 1);
    }
    m_toolTip.Activate(m_bTooltipActive);
}

void CImageButton::DropCapturedBackground()
{
    if (m_dcBackground.GetSafeHdc() && m_hOldBackground)
        m_dcBackground.SelectObject(m_hOldBackground);
    m_hOldBackground = nullptr;
    m_dcBackground.DeleteDC();
    m_bmpBackground.DeleteObject();
}
