#include "MenuTestSupport.h"

#include "CClientDC.h"
#include "ScopedSelect.h"

namespace menutest {

namespace {
constexpr char themeKey[] = "Software\\Microsoft\\Plus!\\Themes\\Current";
constexpr char ownerClass[] = "GlyphMenuTestOwner";
constexpr UINT_PTR whileOpenTimer = 1;
}  // namespace

ScopedThemeValue::ScopedThemeValue(const char* value)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, themeKey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
        char old[MAX_PATH + 1] = {};
        DWORD size = MAX_PATH;
        if (::RegQueryValueExA(key, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(old), &size) ==
            ERROR_SUCCESS) {
            m_hadValue = true;
            m_oldValue = old;
        }
        ::RegCloseKey(key);
    }
    if (value == nullptr) {
        ::RegDeleteKeyA(HKEY_CURRENT_USER, themeKey);
        return;
    }
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, themeKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                          nullptr) == ERROR_SUCCESS) {
        ::RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                         static_cast<DWORD>(std::string(value).size() + 1));
        ::RegCloseKey(key);
    }
}

ScopedThemeValue::~ScopedThemeValue()
{
    if (!m_hadValue) {
        ::RegDeleteKeyA(HKEY_CURRENT_USER, themeKey);
        return;
    }
    HKEY key = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, themeKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                          nullptr) == ERROR_SUCCESS) {
        ::RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(m_oldValue.c_str()),
                         static_cast<DWORD>(m_oldValue.size() + 1));
        ::RegCloseKey(key);
    }
}

LiveItem ReadLiveItem(HMENU menu, int position)
{
    char text[256] = {};
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = sizeof text;
    LiveItem item;
    if (!::GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info))
        return item;
    item.type = info.fType;
    item.state = info.fState;
    item.id = info.wID;
    item.subMenu = info.hSubMenu;
    item.data = info.dwItemData;
    if (!(info.fType & MFT_OWNERDRAW))
        item.text = text;
    return item;
}

void PumpMessages()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

int MenuFontTextWidth(const std::string& text)
{
    CFont font;
    GlyphMenu::CreateMenuFont(font);
    CClientDC dc(nullptr);
    ScopedSelect select(dc, font);
    return dc.GetTextExtent(text).cx;
}

int MenuFontTextWidth(const std::wstring& text)
{
    CFont font;
    GlyphMenu::CreateMenuFont(font);
    CClientDC dc(nullptr);
    ScopedSelect select(dc, font);
    return dc.GetTextExtentW(text.c_str(), static_cast<int>(text.size())).cx;
}

MenuOwnerWindow::MenuOwnerWindow(GlyphMenu* measuringMenu) : m_measuringMenu(measuringMenu)
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &MenuOwnerWindow::WindowProc;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = ownerClass;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    ::RegisterClassA(&windowClass);  // already registered by an earlier window: fine
    m_hwnd = ::CreateWindowExA(0, ownerClass, "menu owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40,
                               40, 300, 200, nullptr, nullptr, ::GetModuleHandleA(nullptr), this);
    PumpMessages();
}

MenuOwnerWindow::~MenuOwnerWindow()
{
    if (m_hwnd != nullptr)
        ::DestroyWindow(m_hwnd);
    PumpMessages();
}

UINT MenuOwnerWindow::Track(HMENU popup, const std::function<void()>& whileOpen)
{
    m_whileOpen = whileOpen;
    ::SetForegroundWindow(m_hwnd);
    ::SetTimer(m_hwnd, whileOpenTimer, 10, nullptr);
    const UINT command = static_cast<UINT>(::TrackPopupMenu(
        popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_NONOTIFY, 60, 60, 0, m_hwnd, nullptr));
    ::KillTimer(m_hwnd, whileOpenTimer);
    m_whileOpen = nullptr;
    PumpMessages();
    return command;
}

UINT MenuOwnerWindow::TrackAndType(HMENU popup, char character)
{
    ::SetForegroundWindow(m_hwnd);
    ::PostMessageA(m_hwnd, WM_CHAR, static_cast<unsigned char>(character), 1);
    // Closes the menu should the key choose nothing; a chosen item ends the
    // loop before the timer comes.
    return Track(popup, [] {});
}

LRESULT CALLBACK MenuOwnerWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<MenuOwnerWindow*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self == nullptr)
        return ::DefWindowProcA(hwnd, message, wParam, lParam);

    switch (message) {
    case WM_MEASUREITEM: {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (measure->CtlType != ODT_MENU || self->m_measuringMenu == nullptr)
            break;
        self->m_measuringMenu->MeasureItem(measure);
        self->m_measured.push_back({measure->itemData, measure->itemWidth, measure->itemHeight});
        return TRUE;
    }
    case WM_DRAWITEM: {
        auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (draw->CtlType != ODT_MENU)
            break;
        if (CMenu* menu = CMenu::FromHandlePermanent(reinterpret_cast<HMENU>(draw->hwndItem)))
            menu->DrawItem(draw);
        return TRUE;
    }
    case WM_MENUCHAR:
        ++self->m_menuChars;
        return GlyphMenu::FindMnemonic(LOWORD(wParam), HIWORD(wParam),
                                       CMenu::FromHandle(reinterpret_cast<HMENU>(lParam)));
    case WM_TIMER:
        if (wParam == whileOpenTimer) {
            ::KillTimer(hwnd, whileOpenTimer);
            if (self->m_whileOpen)
                self->m_whileOpen();
            ::EndMenu();
            return 0;
        }
        break;
    default:
        break;
    }
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace menutest
