// GlyphMenu: class values, item records, construction and destruction,
// measuring, text lookup and the WM_MENUCHAR answer.
#include "GlyphMenu.h"

#include <algorithm>

#include "CClientDC.h"
#include "CWinApp.h"
#include "CWnd.h"
#include "ScopedSelect.h"

IMPLEMENT_DYNAMIC(GlyphMenu, CMenu)

CImageList GlyphMenu::sharedImages;
std::vector<UINT_PTR> GlyphMenu::sharedImageIds;
int GlyphMenu::windowsFamily = GlyphMenu::DetectWindowsFamily();
std::vector<HMENU> GlyphMenu::allSubMenus;
int GlyphMenu::themeLooked = 0;
int GlyphMenu::themeClassic = 0;

namespace {

void RemoveAll(std::vector<HMENU>& list, HMENU menu)
{
    list.erase(std::remove(list.begin(), list.end(), menu), list.end());
}

std::string Lowered(std::string text)
{
    if (!text.empty())
        ::CharLowerBuffA(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

// The mnemonic key "&c" in the ANSI code page, lower-cased.
std::string MnemonicKey(UINT character)
{
    std::string key = "&";
    if (character < 0x100) {
        key += static_cast<char>(character);
    } else {
        wchar_t wide = static_cast<wchar_t>(character);
        char narrow[8] = {};
        int length = ::WideCharToMultiByte(CP_ACP, 0, &wide, 1, narrow, sizeof narrow, nullptr,
                                           nullptr);
        key.append(narrow, length > 0 ? static_cast<size_t>(length) : 0);
    }
    return Lowered(key);
}

// The text at `position` of any menu: the record's text for a GlyphMenu, the
// live item text otherwise.
bool TextAtPosition(CMenu* menu, int position, std::string& out)
{
    if (menu->IsKindOf(RUNTIME_CLASS(GlyphMenu)))
        return static_cast<GlyphMenu*>(menu)->GetItemText(static_cast<UINT_PTR>(position), out,
                                                          MF_BYPOSITION) != FALSE;
    out = menu->GetMenuString(static_cast<UINT>(position), MF_BYPOSITION);
    return true;
}

CMenu* FindOwnerIn(CMenu* menu, UINT_PTR id, int& position)
{
    const int count = menu->GetMenuItemCount();
    for (int i = 0; i < count; ++i) {
        if (CMenu* popup = menu->GetSubMenu(i)) {
            if (CMenu* owner = FindOwnerIn(popup, id, position))
                return owner;
        } else if (menu->GetMenuItemID(i) == id) {
            position = i;
            return menu;
        }
    }
    position = -1;
    return nullptr;
}

class RegistryKey {
public:
    RegistryKey(HKEY parent, const char* path)
    {
        if (::RegOpenKeyExA(parent, path, 0, KEY_READ, &m_key) != ERROR_SUCCESS)
            m_key = nullptr;
    }
    ~RegistryKey()
    {
        if (m_key != nullptr)
            ::RegCloseKey(m_key);
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    HKEY Get() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

constexpr char themeKeyPath[] = "Software\\Microsoft\\Plus!\\Themes\\Current";
constexpr char classicThemeFile[] = "Windows Classic.theme";

}  // namespace

// ---- GlyphMenuItem ----

void GlyphMenuItem::SetText(const char* narrow)
{
    if (narrow == nullptr) {
        text.reset();
        return;
    }
    const int length = ::MultiByteToWideChar(CP_ACP, 0, narrow, -1, nullptr, 0);
    auto copy = std::make_unique<wchar_t[]>(static_cast<size_t>(std::max(length, 1)));
    if (length > 0)
        ::MultiByteToWideChar(CP_ACP, 0, narrow, -1, copy.get(), length);
    text = std::move(copy);
}

void GlyphMenuItem::SetWideText(const wchar_t* wide)
{
    if (wide == nullptr) {
        text.reset();
        return;
    }
    const size_t length = ::lstrlenW(wide) + 1;
    auto copy = std::make_unique<wchar_t[]>(length);
    std::copy(wide, wide + length, copy.get());
    text = std::move(copy);
}

std::string GlyphMenuItem::GetText() const
{
    if (!text)
        return std::string();
    const int length = ::WideCharToMultiByte(CP_ACP, 0, text.get(), -1, nullptr, 0, nullptr, nullptr);
    if (length <= 1)
        return std::string();
    std::string narrow(static_cast<size_t>(length), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text.get(), -1, narrow.data(), length, nullptr, nullptr);
    narrow.resize(static_cast<size_t>(length) - 1);
    return narrow;
}

int GlyphMenuItem::TextLength() const
{
    return text ? ::lstrlenW(text.get()) : 0;
}

// ---- Construction and destruction ----

GlyphMenu::GlyphMenu() = default;

GlyphMenu::~GlyphMenu()
{
    GlyphMenu::DestroyMenu();
}

BOOL GlyphMenu::DestroyMenu()
{
    RemoveAll(allSubMenus, m_hMenu);

    for (auto handle = subMenus.rbegin(); handle != subMenus.rend(); ++handle) {
        RemoveAll(allSubMenus, *handle);
        auto owned = std::find_if(ownedSubMenus.begin(), ownedSubMenus.end(),
                                  [&](const auto& sub) { return sub->m_hMenu == *handle; });
        if (owned != ownedSubMenus.end()) {
            ownedSubMenus.erase(owned);  // its destructor destroys it the same way
            continue;
        }
        // A sub-menu object that belongs to someone else: its popup goes with this
        // menu, so empty the object rather than leave it holding a dead handle.
        CMenu* wrapper = CMenu::FromHandlePermanent(*handle);
        if (wrapper != nullptr && wrapper != this && wrapper->IsKindOf(RUNTIME_CLASS(GlyphMenu)))
            wrapper->DestroyMenu();
    }
    subMenus.clear();
    ownedSubMenus.clear();
    items.clear();

    if (checkImages != nullptr && !checkImagesShared) {
        delete checkImages;
        checkImages = nullptr;
    }
    isMenuBar = FALSE;
    return CMenu::DestroyMenu();
}

// ---- Measuring ----

void GlyphMenu::MeasureItem(LPMEASUREITEMSTRUCT measureItem)
{
    const auto* item = reinterpret_cast<const GlyphMenuItem*>(measureItem->itemData);
    if (item == nullptr)
        return;
    const int gap = (UsesFlatStyle() && raisedIcons) ? 7 : 4;
    const int menuBarHeight = ::GetSystemMetrics(SM_CYMENU);

    if (item->flags & MF_SEPARATOR) {
        measureItem->itemWidth = 0;
        measureItem->itemHeight = static_cast<UINT>(std::max(menuBarHeight / 2, (iconHeight + gap) / 2));
        return;
    }

    int textWidth = 0;
    {
        CFont font;
        CreateMenuFont(font);
        CClientDC dc(MainWindowOrDesktop());
        ScopedSelect select(dc, HasModernGdi() ? font.GetSafeHandle() : nullptr);
        if (windowsFamily == 0) {
            const std::string narrow = item->GetText();
            RECT bounds{0, 0, 0, 0};
            dc.DrawText(narrow, &bounds, DT_CALCRECT | DT_SINGLELINE | DT_VCENTER);
            textWidth = bounds.right - bounds.left + 3;
            // Old systems measure narrow; widen by three average characters. An
            // empty text has no average and keeps its width.
            if (!narrow.empty())
                textWidth += 3 * (textWidth / static_cast<int>(narrow.size()));
        } else {
            textWidth = dc.GetTextExtentW(item->WideText(), item->TextLength()).cx;
        }
    }

    const int width = UsesFlatStyle() ? textWidth + iconWidth + gap + 8
                                      : textWidth + 2 * iconWidth + 1;
    measureItem->itemWidth = static_cast<UINT>(width);
    measureItem->itemHeight = static_cast<UINT>(std::max(menuBarHeight, iconHeight + gap));
}

HWND GlyphMenu::MainWindowOrDesktop()
{
    const CWinApp* app = AfxGetApp();
    const HWND main = app != nullptr && app->m_pMainWnd != nullptr ? app->m_pMainWnd->GetSafeHwnd()
                                                                   : nullptr;
    return main != nullptr && ::IsWindow(main) ? main : ::GetDesktopWindow();
}

BOOL GlyphMenu::CreateMenuFont(CFont& font)
{
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    if (!::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        return FALSE;
    return font.CreateFontIndirect(&metrics.lfMenuFont);
}

// ---- Texts and lookup ----

BOOL GlyphMenu::GetItemText(UINT_PTR idOrPosition, std::string& out, UINT flags)
{
    if (flags & MF_BYPOSITION) {
        if (idOrPosition >= items.size())
            return FALSE;
        out = items[idOrPosition]->GetText();
        return TRUE;
    }
    int position = -1;
    CMenu* owner = FindOwnerMenu(idOrPosition, position);
    if (owner == nullptr)
        return FALSE;
    return TextAtPosition(owner, position, out) ? TRUE : FALSE;
}

CMenu* GlyphMenu::FindOwnerMenu(UINT_PTR id, int& position)
{
    return FindOwnerIn(this, id, position);
}

CMenu* GlyphMenu::SubMenuAt(int position)
{
    return CMenu::FromHandle(::GetSubMenu(m_hMenu, position));
}

BOOL GlyphMenu::IsKnownSubMenu(const CMenu* menu)
{
    return menu != nullptr && IsKnownSubMenu(menu->m_hMenu);
}

BOOL GlyphMenu::IsKnownSubMenu(HMENU menu)
{
    return menu != nullptr &&
           std::find(allSubMenus.begin(), allSubMenus.end(), menu) != allSubMenus.end();
}

LRESULT GlyphMenu::FindMnemonic(UINT character, UINT menuFlags, CMenu* menu)
{
    if (menu == nullptr || !(menuFlags & MF_POPUP))
        return 0;
    const std::string key = MnemonicKey(character);

    GlyphMenu* glyphMenu = menu->IsKindOf(RUNTIME_CLASS(GlyphMenu)) ? static_cast<GlyphMenu*>(menu)
                                                                     : nullptr;
    if (glyphMenu != nullptr &&
        static_cast<size_t>(std::max(menu->GetMenuItemCount(), 0)) != glyphMenu->items.size())
        glyphMenu->SyncWithHandle();

    const int count = menu->GetMenuItemCount();
    for (int position = 0; position < count; ++position) {
        std::string text;
        if (!TextAtPosition(menu, position, text))
            continue;
        if (Lowered(text).find(key) != std::string::npos)
            return MAKELRESULT(position, MNC_EXECUTE);
    }
    return MNC_IGNORE;
}

// ---- Windows family and theme ----

int GlyphMenu::DetectWindowsFamily()
{
    const DWORD version = ::GetVersion();
    std::unique_ptr<OSVERSIONINFOA> info(new (std::nothrow) OSVERSIONINFOA{});
    if (info) {
        info->dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
        ::GetVersionExA(info.get());
    }
    return ClassifyWindowsFamily(version, info.get());
}

int GlyphMenu::ClassifyWindowsFamily(DWORD version, const OSVERSIONINFOA* info)
{
    const bool windows95Line = (version & 0x80000000u) != 0;
    const DWORD major = LOBYTE(LOWORD(version));
    if (windows95Line && major < 4)
        return 0;
    if (info == nullptr)
        return windows95Line ? 2 : 1;
    if (windows95Line) {
        if (info->dwMajorVersion != 4)
            return 2;
        switch (info->dwMinorVersion) {
        case 10: return 3;
        case 90: return 4;
        default: return 2;
        }
    }
    if (info->dwMajorVersion == 4)
        return 5;
    if (info->dwMajorVersion == 5 && info->dwMinorVersion == 0)
        return 6;
    if (info->dwMajorVersion == 5 && info->dwMinorVersion == 1)
        return 7;
    return 1;
}

BOOL GlyphMenu::IsClassicThemeActive()
{
    if (!themeLooked) {
        themeLooked = 1;
        themeClassic = ReadClassicThemeSetting();
    }
    return themeClassic;
}

BOOL GlyphMenu::ReadClassicThemeSetting()
{
    RegistryKey key(HKEY_CURRENT_USER, themeKeyPath);
    if (key.Get() == nullptr)
        return FALSE;
    // One byte more than the value may fill, so a value stored without its
    // terminator still ends in one.
    char value[MAX_PATH + 1] = {};
    DWORD size = MAX_PATH;
    DWORD type = 0;
    if (::RegQueryValueExA(key.Get(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value),
                           &size) != ERROR_SUCCESS)
        return FALSE;
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        return FALSE;
    return IsClassicThemePath(value);
}

BOOL GlyphMenu::IsClassicThemePath(const char* path)
{
    if (path == nullptr)
        return FALSE;
    const size_t length = std::char_traits<char>::length(path);
    const size_t nameLength = sizeof classicThemeFile - 1;
    if (length < nameLength)
        return FALSE;
    return ::lstrcmpiA(path + length - nameLength, classicThemeFile) == 0;
}

BOOL GlyphMenu::HasModernGdi()
{
    return windowsFamily >= 2;
}

BOOL GlyphMenu::IsThemedXp()
{
    return windowsFamily == 7 && !IsClassicThemeActive();
}

BOOL GlyphMenu::UsesFlatStyle()
{
    return (IsThemedXp() ? flatModeWhenThemed : flatModeOtherwise) == 1;
}
