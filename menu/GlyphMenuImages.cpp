// Command images of GlyphMenu: the shared image list keyed by command id,
// bitmaps and toolbars as image sources, and the faded and shadow copies the
// flat style shows.
#include "GlyphMenu.h"

#include <algorithm>
#include <cstring>

#include "CClientDC.h"
#include "MenuIcon.h"
#include "ResourceLookup.h"
#include "SysColorBitmap.h"
#include "ToolBarResource.h"

namespace {

constexpr UINT imageListFlags = ILC_COLORDDB | ILC_MASK;  // 0xFF
constexpr int sixteenColours = 16;

LPCSTR BitmapName(INT_PTR resourceId)
{
    return MAKEINTRESOURCEA(static_cast<WORD>(resourceId & 0xFFFF));
}

bool WithRaisedIcons()
{
    return GlyphMenu::UsesFlatStyle() && GlyphMenu::raisedIcons;
}

// The faded and the shadow copy of one image, as bitmaps of the cell size.
struct RaisedCopies {
    CBitmap faded;
    CBitmap shadow;

    bool Make(GlyphMenu& menu, CImageList* list, int index)
    {
        CClientDC dc(GlyphMenu::MainWindowOrDesktop());
        if (!menu.IconToBitmap(&dc, list, index, faded) ||
            !menu.IconToBitmap(&dc, list, index, shadow))
            return false;
        GlyphMenu::FadeBitmap(faded);
        GlyphMenu::ShadowBitmap(shadow);
        return true;
    }
};

// The number of colours a bitmap resource's table holds (0 without a table).
int ColourCount(const BITMAPINFOHEADER& header)
{
    if (header.biClrUsed != 0)
        return static_cast<int>(header.biClrUsed);
    switch (header.biBitCount) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
    }
}

}  // namespace

// ---- The shared image list ----

int GlyphMenu::FindSharedImage(UINT_PTR id)
{
    const auto found = std::find(sharedImageIds.begin(), sharedImageIds.end(), id);
    return found == sharedImageIds.end() ? -1 : static_cast<int>(found - sharedImageIds.begin());
}

BOOL GlyphMenu::HasImageTriple(int index)
{
    if (index < 0 || static_cast<size_t>(index) + 2 >= sharedImageIds.size())
        return FALSE;
    const size_t i = static_cast<size_t>(index);
    return sharedImageIds[i] == sharedImageIds[i + 1] && sharedImageIds[i] == sharedImageIds[i + 2];
}

int GlyphMenu::AddSharedImage(CImageList* list, int index, UINT_PTR id)
{
    if (sharedImages.GetSafeHandle() == nullptr &&
        !sharedImages.Create(iconWidth, iconHeight, imageListFlags, 1, 1))
        return -1;
    if (list == nullptr || list->GetSafeHandle() == nullptr)
        return -1;
    MenuIcon icon(list->ExtractIcon(index));
    if (!icon)
        return -1;

    RaisedCopies copies;
    const bool withCopies = WithRaisedIcons() && copies.Make(*this, list, index);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);

    const int existing = FindSharedImage(id);
    if (existing >= 0) {
        // The newer image takes the old one's place, so items that show it
        // already keep their index.
        sharedImages.Replace(existing, icon.Get());
        if (withCopies && HasImageTriple(existing)) {
            CImageList conversion;
            if (conversion.Create(iconWidth, iconHeight, imageListFlags, 1, 1) &&
                conversion.Add(copies.faded, face) == 0 && conversion.Add(copies.shadow, face) == 1) {
                MenuIcon faded(conversion.ExtractIcon(0));
                MenuIcon shadow(conversion.ExtractIcon(1));
                if (faded && shadow) {
                    sharedImages.Replace(existing + 1, faded.Get());
                    sharedImages.Replace(existing + 2, shadow.Get());
                }
            }
        }
        return existing;
    }

    // Every image that goes in gets its id, so entry i always names image i.
    const int appended = sharedImages.Add(icon.Get());
    if (appended < 0)
        return -1;
    sharedImageIds.push_back(id);
    if (withCopies) {
        if (sharedImages.Add(copies.faded, face) >= 0)
            sharedImageIds.push_back(id);
        if (sharedImageIds.size() == static_cast<size_t>(appended) + 2 &&
            sharedImages.Add(copies.shadow, face) >= 0)
            sharedImageIds.push_back(id);
    }
    return appended;
}

// ---- Image sources ----

BOOL GlyphMenu::AddBitmapImages(CImageList* list, INT_PTR source)
{
    if (list == nullptr || list->GetSafeHandle() == nullptr)
        return FALSE;
    if (imagesAreIcons) {
        if (list->Replace(-1, reinterpret_cast<HICON>(source)) < 0)
            return FALSE;
    } else {
        CBitmap bitmap;
        if (!bitmap.Attach(LoadSysColorBitmap(source))) {
            LPCSTR name = BitmapName(source);
            bitmap.Attach(::LoadBitmapA(AfxFindResourceHandle(name, RT_BITMAP), name));
        }
        if (bitmap.GetSafeHandle() == nullptr)
            return FALSE;
        const COLORREF transparent = useMaskColour ? maskColour : ::GetSysColor(COLOR_BTNFACE);
        if (list->Add(bitmap, transparent) < 0)
            return FALSE;
    }

    if (WithRaisedIcons()) {
        RaisedCopies copies;
        if (copies.Make(*this, list, 0)) {
            const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
            list->Add(copies.faded, face);
            list->Add(copies.shadow, face);
        }
    }
    return TRUE;
}

BOOL GlyphMenu::LookupToolbarImage(UINT_PTR id, INT_PTR toolbar, int& index)
{
    // Toolbar buttons carry 16-bit command ids; a popup handle is never one.
    if (id > 0xFFFF)
        return FALSE;
    ToolBarResource buttons;
    if (!buttons.Load(static_cast<UINT_PTR>(toolbar) & 0xFFFF))
        return FALSE;
    const int button = buttons.CommandToIndex(static_cast<UINT>(id));
    if (button < 0)
        return FALSE;
    const int image = buttons.GetButtonImage(button);
    if (image > 0)
        index = image;
    return TRUE;
}

HBITMAP GlyphMenu::LoadSysColorBitmap(INT_PTR resourceId)
{
    LPCSTR name = BitmapName(resourceId);
    HINSTANCE module = AfxFindResourceHandle(name, RT_BITMAP);
    HRSRC resource = ::FindResourceA(module, name, RT_BITMAP);
    if (resource == nullptr) {
        module = ::GetModuleHandleA(nullptr);
        resource = ::FindResourceA(module, name, RT_BITMAP);
    }
    if (resource == nullptr)
        return nullptr;
    HGLOBAL loaded = ::LoadResource(module, resource);
    const void* data = loaded != nullptr ? ::LockResource(loaded) : nullptr;
    // The header comes from the file: read it only when the resource holds one.
    if (data == nullptr || ::SizeofResource(module, resource) < sizeof(BITMAPINFOHEADER))
        return nullptr;
    BITMAPINFOHEADER header;
    std::memcpy(&header, data, sizeof header);
    if (header.biSize < sizeof(BITMAPINFOHEADER) || ColourCount(header) != sixteenColours)
        return nullptr;
    return AfxLoadSysColorBitmap(module, resource, FALSE);
}
