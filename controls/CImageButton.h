#pragma once

// A flat owner-drawn push button. A dialog binds it to an ordinary push button
// of its template (DDX_Control); from then on it draws itself: a face in system
// colours, a thin raised border while the mouse is over it, a sunken one while
// it is pressed, the caption centred, embossed grey text when disabled. It can
// also show an icon or bitmap pair beside the caption, open a drop-down menu or
// a link target on click, toggle like a check box, show its own cursor, paint
// the parent's background behind its face and carry a tooltip.
//
// Setters answer 0 and report no errors; those that change the look take a
// trailing repaint flag.

#include "Afx.h"
#include "CBitmap.h"
#include "CButton.h"
#include "CDC.h"
#include "CToolTipCtrl.h"
#include "GlyphMenu.h"

class CImageButton : public CButton {
public:
    // Where the image stands relative to the caption.
    enum ImageAlignment : BYTE { ImageLeft = 0, ImageAbove = 1, ImageRight = 2 };

    // Entries of the colour table.
    enum ColorIndex {
        ColorBackgroundHot = 0,     // face when hovered or pressed
        ColorTextHot = 1,           // caption when hovered or pressed
        ColorBackgroundNormal = 2,  // face otherwise
        ColorTextNormal = 3,        // caption otherwise
        ColorBackgroundFocus = 4,   // face when focused but neither hovered nor pressed
        ColorTextFocus = 5,         // kept with the others; the drawing does not read it
        ColorCount = 6
    };

    // Length of the link target buffer, terminator included.
    static constexpr int LinkTargetSize = MAX_PATH;

    CImageButton();
    ~CImageButton() override;

    // ---- Configuration ---------------------------------------------------------
    DWORD SetFlatLook(BOOL flat, BOOL repaint = TRUE);
    BOOL IsFlatLook() const { return m_bFlat; }
    // Only in check-box mode (taken from the template style); otherwise nothing happens.
    DWORD SetCheckState(int check, BOOL repaint = TRUE);
    int GetCheckState() const { return m_nCheck; }
    BOOL IsCheckBoxMode() const { return m_bCheckBox; }
    BOOL IsDefaultButton() const { return m_bDefault; }

    // Colours: every background entry the system button face, every text entry
    // the system button text, read now.
    DWORD RestoreDefaultColors(BOOL repaint = TRUE);
    // An entry of the colour table; an index outside 0..5 is ignored.
    DWORD SetColor(int index, COLORREF colour, BOOL repaint = TRUE);
    // The entry, or CLR_INVALID for an index outside 0..5.
    COLORREF GetColor(int index) const;

    // Opened through the shell on click (when no menu is held); at most 259
    // bytes are kept. Null or empty clears it.
    DWORD SetLinkTarget(LPCSTR target);
    LPCSTR GetLinkTarget() const { return m_szLinkTarget; }

    // Images. The button takes ownership of the handles it is given and destroys
    // them with itself or on the next call. `hot` is shown while hovered or
    // pressed, `normal` otherwise (null: the hot one throughout).
    DWORD SetIcons(HICON hot, HICON normal = nullptr, BOOL repaint = TRUE);
    // Icons from this program's resources, loaded at their own size.
    DWORD SetIcons(UINT hotId, UINT normalId = 0, BOOL repaint = TRUE);
    // Bitmaps whose pixels of colour `transparent` let the face show through;
    // the button builds the masks.
    DWORD SetBitmaps(HBITMAP hot, COLORREF hotTransparent, HBITMAP normal = nullptr,
                     COLORREF normalTransparent = 0, BOOL repaint = TRUE);
    DWORD SetBitmaps(UINT hotId, COLORREF hotTransparent, UINT normalId = 0,
                     COLORREF normalTransparent = 0, BOOL repaint = TRUE);
    // Destroys the held images when `destroy`, then empties all four slots.
    DWORD ReleaseImages(BOOL destroy);
    DWORD SetAlignment(BYTE alignment, BOOL repaint = TRUE);
    BYTE GetAlignment() const { return m_byAlign; }
    // A disabled button draws its bitmap greyed (on) or unchanged (off).
    DWORD SetGreyDisabledBitmap(BOOL grey, BOOL repaint = TRUE);

    // Flat look details: the thin border on hover and press, the focus rectangle.
    DWORD SetDrawBorder(BOOL draw, BOOL repaint = TRUE);
    DWORD SetFocusWhenFlat(BOOL focus, BOOL repaint = TRUE);
    // Hover starts even while no window of the application is active.
    DWORD SetAlwaysTrack(BOOL always);
    // Paint the parent's pixels behind the face instead of a colour fill.
    DWORD SetTransparent(BOOL transparent, BOOL repaint = TRUE);

    // The pointer shown over the button. The button keeps its own copy; null
    // returns to the default pointer.
    DWORD SetButtonCursor(HCURSOR cursor, BOOL repaint = FALSE);
    DWORD SetButtonCursor(UINT resourceId, BOOL repaint = FALSE);

    // A drop-down menu: the first pop-up of menu resource `menuId`, shown under
    // the button on click; the chosen command goes to `target` as WM_COMMAND.
    // A zero id removes the menu.
    DWORD SetMenu(UINT menuId, HWND target, BOOL repaint = TRUE);
    GlyphMenu& GetMenu() { return m_menu; }
    HWND GetMenuTarget() const { return m_hMenuTarget; }

    // The tooltip text (null or empty removes the tip).
    DWORD SetTooltipText(LPCSTR text, BOOL activate = TRUE);
    DWORD ActivateTooltip(BOOL activate = TRUE);
    CToolTipCtrl& GetToolTip() { return m_toolTip; }

    // ---- State ------------------------------------------------------------------
    BOOL IsHovering() const { return m_bHover; }

    // ---- Drawing hooks ------------------------------------------------------------
    // Fills the face; answers 0.
    virtual DWORD DrawBackground(CDC* dc, CRect* rect);
    // The 1-pixel border of a flat button (sunken when pressed); answers 0.
    virtual DWORD DrawHoverBorder(CDC* dc, CRect* rect);

    // ---- Overrides ----------------------------------------------------------------
    BOOL PreTranslateMessage(MSG* msg) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DrawItem(LPDRAWITEMSTRUCT drawItem) override;

protected:
    void PreSubclassWindow() override;
    const MessageMap& GetMessageMap() const override;

    // Drawing state, refreshed by every DrawItem before it paints.
    BOOL m_bHover = FALSE;
    BOOL m_bPressed = FALSE;
    BOOL m_bFocused = FALSE;
    BOOL m_bDisabled = FALSE;
    BOOL m_bHideAccel = FALSE;  // the access key's underline waits for the keyboard

private:
    struct IconSlot {
        HICON hIcon = nullptr;
        DWORD width = 0;
        DWORD height = 0;
    };
    struct BitmapSlot {
        HBITMAP hBitmap = nullptr;
        DWORD width = 0;
        DWORD height = 0;
        HBITMAP hMask = nullptr;
    };

    // Message handlers, in map order.
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    void OnKillFocus(CWnd* newWnd);
    void OnMouseMove(UINT flags, CPoint point);
    void OnSysColorChange();
    BOOL OnClicked();
    void OnActivate(UINT state, CWnd* other, BOOL minimized);
    void OnEnable(BOOL enable);
    void OnCancelMode();
    UINT OnGetDlgCode();
    HBRUSH CtlColor(CDC* dc, UINT ctlColor);
    LRESULT OnMenuChar(UINT character, UINT flags, CMenu* menu);
    void OnMeasureItem(int id, LPMEASUREITEMSTRUCT measureItem);
    LRESULT OnSetStyle(WPARAM style, LPARAM redraw);
    void OnMouseLeave();
    LRESULT OnSetCheck(WPARAM check, LPARAM);
    LRESULT OnGetCheck(WPARAM, LPARAM);

    // Helpers.
    void EndHover();
    void EnsureTooltip();
    // Brings the tooltip's one tool in line with m_strTooltip.
    void ApplyTooltipText();
    // Disabling: the focus moves on when it was on the button (or was lost with it).
    void MoveFocusOn();
    void Repaint(BOOL repaint);
    void DropCapturedBackground();
    void PaintParentBackground(CDC* dc);
    void DrawCaption(CDC* dc, const CString& caption, CRect& captionRect);
    void PlaceImage(BOOL hasCaption, const CRect& itemRect, CRect& captionRect, BOOL pressed,
                    DWORD width, DWORD height, CRect& imageRect) const;
    void DrawIconImage(CDC* dc, BOOL hasCaption, const CRect& itemRect, CRect& captionRect,
                       BOOL pressed, BOOL disabled);
    void DrawBitmapImage(CDC* dc, BOOL hasCaption, const CRect& itemRect, CRect& captionRect,
                         BOOL pressed, BOOL disabled);
    // Slot 0 (hot) or 1 (normal) for the current state; `hasNormal` says whether
    // slot 1 holds an image of the kind being drawn.
    int ChooseSlot(BOOL hasNormal) const;
    // A non-shared copy of image resource `id` of the program; null for id 0.
    static HANDLE LoadResourceImage(UINT id, LPCSTR resourceType, UINT imageType);
    void ReleaseIconSlots(BOOL destroy);
    void ReleaseBitmapSlots(BOOL destroy);
    // Fills an icon slot with `icon`, reading its size.
    static void FillIconSlot(IconSlot& slot, HICON icon);
    // Fills a bitmap slot with `bitmap` and a mask built from its `transparent` pixels.
    static void FillBitmapSlot(BitmapSlot& slot, HBITMAP bitmap, COLORREF transparent);

    // Settings.
    BOOL m_bGreyDisabledBitmap = TRUE;
    BOOL m_bFlat = TRUE;
    BOOL m_bTransparent = FALSE;
    BYTE m_byAlign = ImageLeft;
    BOOL m_bDrawBorder = TRUE;
    BOOL m_bFocusWhenFlat = FALSE;
    BOOL m_bAlwaysTrack = TRUE;
    BOOL m_bCheckBox = FALSE;
    BOOL m_bDefault = FALSE;
    int m_nCheck = 0;
    HCURSOR m_hCursor = nullptr;
    HWND m_hMenuTarget = nullptr;
    BOOL m_bMenuShowing = FALSE;
    char m_szLinkTarget[LinkTargetSize] = {};
    CString m_strTooltip;
    BOOL m_bTooltipActive = FALSE;

    COLORREF m_colors[ColorCount] = {};
    BOOL m_bSystemColors = TRUE;  // the table holds the system's colours, read again on a change
    IconSlot m_icons[2];
    BitmapSlot m_bitmaps[2];

    // Owned objects. The captured parent background: the bitmap is selected
    // into the memory context, which remembers the one it replaced.
    GlyphMenu m_menu;
    CToolTipCtrl m_toolTip;
    CBitmap m_bmpBackground;
    CDC m_dcBackground;
    HGDIOBJ m_hOldBackground = nullptr;
};
