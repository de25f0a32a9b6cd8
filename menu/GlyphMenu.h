#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "CBitmap.h"
#include "CDC.h"
#include "CFont.h"
#include "CImageList.h"
#include "CMenu.h"

// One item of a GlyphMenu. Its address is the item data of the owner-drawn
// item, so WM_MEASUREITEM and WM_DRAWITEM find it in itemData.
class GlyphMenuItem {
public:
    GlyphMenuItem() = default;
    ~GlyphMenuItem() = default;
    GlyphMenuItem(const GlyphMenuItem&) = delete;
    GlyphMenuItem& operator=(const GlyphMenuItem&) = delete;

    // Narrow (ANSI code page) text in; null clears the text.
    void SetText(const char* narrow);
    // UTF-16 text in; null clears the text.
    void SetWideText(const wchar_t* wide);
    // The text in the ANSI code page; empty without text.
    std::string GetText() const;
    // The UTF-16 text, or null without text.
    const wchar_t* WideText() const { return text.get(); }
    // Number of UTF-16 units in the text (0 without text).
    int TextLength() const;

    std::unique_ptr<wchar_t[]> text;    // owned, NUL-terminated, or null
    int ownImageIndex = -1;             // index in ownImages
    int sharedImageIndex = -1;          // index in GlyphMenu::sharedImages, -1 for none
    int ownImageSource = -1;            // 0 or more: draw from ownImages
    UINT flags = 0;                     // MF_ flags the item was added with
    UINT_PTR commandId = 0;             // command id; the popup's handle for a popup; 0 for a separator
    BOOL syncMark = FALSE;              // matched mark of SyncWithHandle
    std::unique_ptr<CImageList> ownImages;
};

// Draws into a bitmap over `rect` of a target context and copies the result to
// the target when destroyed; on a printing context it draws straight through.
class OffscreenDC : public CDC {
public:
    OffscreenDC(CDC* target, const RECT& rect);
    ~OffscreenDC() override;
    OffscreenDC(OffscreenDC&&) = delete;
    OffscreenDC& operator=(OffscreenDC&&) = delete;

private:
    CBitmap m_bitmap;
    HGDIOBJ m_oldBitmap = nullptr;
    CDC* m_target = nullptr;
    RECT m_rect{};
    BOOL m_offscreen = FALSE;
};

// A menu that turns its items into owner-drawn items with command images and
// draws them in a classic three-dimensional style or, on a themed XP desktop, a
// flat style. Command images live in one process-wide image list keyed by id.
class GlyphMenu : public CMenu {
    DECLARE_DYNAMIC(GlyphMenu)
public:
    // ---- Class values (one set per process) ----
    static CImageList sharedImages;               // created on first AddSharedImage
    static std::vector<UINT_PTR> sharedImageIds;  // command id of each image of sharedImages
    static int windowsFamily;                     // DetectWindowsFamily at start-up
    static std::vector<HMENU> allSubMenus;        // every popup appended to any GlyphMenu
    static constexpr int flatModeWhenThemed = 1;
    static constexpr int flatModeOtherwise = 0;
    static constexpr int highlightDisabledClassic = 1;
    static constexpr int highlightDisabledFlat = 0;
    static constexpr int raisedIcons = 1;

    // ---- Members ----
    std::vector<std::unique_ptr<GlyphMenuItem>> items;  // one per item, in menu order
    std::vector<HMENU> subMenus;                        // popups appended to this menu
    int iconWidth = 16;
    int iconHeight = 15;
    COLORREF maskColour = RGB(192, 192, 192);
    BOOL useMaskColour = FALSE;
    BOOL ditherDisabled = FALSE;
    CImageList* checkImages = nullptr;
    BOOL checkImagesShared = FALSE;
    int checkedSelectedImage = -1;
    int checkedImage = -1;
    BOOL imagesAreIcons = FALSE;
    BOOL isMenuBar = FALSE;

    GlyphMenu();
    ~GlyphMenu() override;

    // ---- Structure (items, texts, lookup) ----
    void DrawItem(LPDRAWITEMSTRUCT drawItem) override;
    void MeasureItem(LPMEASUREITEMSTRUCT measureItem) override;
    BOOL LoadMenu(UINT resourceId) override;
    BOOL LoadMenu(LPCSTR resourceName) override;
    // Frees the records, the sub-menu objects built for this menu and the menu.
    BOOL DestroyMenu() override;

    // By command id, or by position when flags hold MF_BYPOSITION.
    BOOL GetItemText(UINT_PTR idOrPosition, std::string& out, UINT flags = MF_BYCOMMAND);
    // The menu (this one or a popup below it) that holds command `id`, with its
    // position; null and -1 when none does. Popup items never match.
    CMenu* FindOwnerMenu(UINT_PTR id, int& position);
    CMenu* SubMenuAt(int position);
    static BOOL IsKnownSubMenu(const CMenu* menu);
    static BOOL IsKnownSubMenu(HMENU menu);
    // The answer to WM_MENUCHAR for `character` in `menu`.
    static LRESULT FindMnemonic(UINT character, UINT menuFlags, CMenu* menu);

    // ---- Windows family and theme ----
    // 0: 95 line before 4.0; 2: 95, or other 95 line; 3: 98; 4: Me; 5: NT 4.0;
    // 6: 2000; 7: XP; 1: any other NT line version.
    static int DetectWindowsFamily();
    // The family for the answer of GetVersion and the structure GetVersionExA
    // filled (null when it could not be allocated). Not read for family 0.
    static int ClassifyWindowsFamily(DWORD version, const OSVERSIONINFOA* info);
    // Whether the desktop theme is the classic one; read once, then cached.
    static BOOL IsClassicThemeActive();
    // The uncached registry reading behind IsClassicThemeActive.
    static BOOL ReadClassicThemeSetting();
    // Whether a theme file path names the classic theme.
    static BOOL IsClassicThemePath(const char* path);
    static BOOL HasModernGdi();
    static BOOL IsThemedXp();
    static BOOL UsesFlatStyle();

    // The window whose context measuring uses: the main window, else the desktop.
    static HWND MainWindowOrDesktop();
    // The menu font of the system (lfMenuFont of the non-client metrics).
    static BOOL CreateMenuFont(CFont& font);

    // ---- Drawing ----
    void DrawItemClassic(LPDRAWITEMSTRUCT drawItem);
    void DrawItemFlat(LPDRAWITEMSTRUCT drawItem);
    void DrawCheckBox(CDC* dc, const RECT& cell, BOOL highlighted, BOOL radio);
    void DrawFlatCheckBox(CDC* dc, const RECT& cell, BOOL radio, COLORREF frame);
    static void DrawTick(CDC* dc, int x, int y, COLORREF colour);
    static void DrawDot(CDC* dc, int x, int y, COLORREF colour);
    void EmbossDisabled(CDC* dc, int x, int y, int width, int height, CBitmap* source,
                        int sx, int sy, COLORREF background);
    void DitherDisabled(HDC dc, int x, int y, int width, int height, HBITMAP source, int sx,
                        int sy, COLORREF background);
    // Renders entry `index` of `list` into a new bitmap of the cell size.
    BOOL IconToBitmap(CDC* dc, CImageList* list, int index, CBitmap& out);
    static COLORREF Lighten(COLORREF colour, double fraction);
    // A radio item: checked bitmaps of its own (hbmpChecked set).
    static BOOL IsRadioItem(HMENU menu, UINT id);

    // ---- Images ----
    static int FindSharedImage(UINT_PTR id);
    static BOOL HasImageTriple(int index);
    int AddSharedImage(CImageList* list, int index, UINT_PTR id);
    // source: a bitmap resource id, or an icon handle when imagesAreIcons is set.
    BOOL AddBitmapImages(CImageList* list, INT_PTR source);
    BOOL LookupToolbarImage(UINT_PTR id, INT_PTR toolbar, int& index);
    static HBITMAP LoadSysColorBitmap(INT_PTR resourceId);
    static void FadeBitmap(HBITMAP bitmap);
    static void ShadowBitmap(HBITMAP bitmap);

    // ---- Building and synchronisation ----
    // imageSource: a toolbar resource holding the command's image, -1 for none.
    BOOL AppendItem(const wchar_t* text, UINT flags, UINT_PTR id, INT_PTR imageSource = -1);
    // Makes a record and gives position `position` its flags, id and text; the
    // caller adds the record to items.
    std::unique_ptr<GlyphMenuItem> ReplaceItemAt(UINT position, UINT flags, UINT_PTR id,
                                                 const char* text);
    // One record per live item, in position order, after others changed the menu.
    void SyncWithHandle();
    void PadAcceleratorColumn();
    // How many items another party put in front of this menu's own items.
    int FirstOwnPosition();
    void PlainPopupTitles();

private:
    // The sub-menu objects LoadMenu made for popups appended to this menu; they
    // go with this menu's DestroyMenu.
    std::vector<std::unique_ptr<GlyphMenu>> ownedSubMenus;

    static int themeLooked;
    static int themeClassic;
};
