#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "GlyphMenu.h"
#include "ScopedFamily.h"

namespace menutest {

// The detected Windows family for one scope, and the codes of each style.
using gui::ScopedFamily;
using gui::classicFamily;
using gui::flatFamily;

// Writes the desktop theme's default value (or removes the key) for one scope
// and puts back what was there.
class ScopedThemeValue {
public:
    // A null value removes the key.
    explicit ScopedThemeValue(const char* value);
    ~ScopedThemeValue();
    ScopedThemeValue(const ScopedThemeValue&) = delete;
    ScopedThemeValue& operator=(const ScopedThemeValue&) = delete;

private:
    bool m_hadValue = false;
    std::string m_oldValue;
};

// Menu item data as the system reports it.
struct LiveItem {
    UINT type = 0;
    UINT state = 0;
    UINT id = 0;
    HMENU subMenu = nullptr;
    ULONG_PTR data = 0;
    std::string text;  // empty for owner-drawn items
};
LiveItem ReadLiveItem(HMENU menu, int position);

void PumpMessages();

// Text width in the system's menu font.
int MenuFontTextWidth(const std::string& text);
int MenuFontTextWidth(const std::wstring& text);

// A real top-level window that owns tracked popups: it hands WM_MEASUREITEM,
// WM_DRAWITEM and WM_MENUCHAR of menus to the menu objects, as a window of the
// program does, and records what it measured.
class MenuOwnerWindow {
public:
    struct Measured {
        ULONG_PTR itemData;
        UINT width;
        UINT height;
    };

    explicit MenuOwnerWindow(GlyphMenu* measuringMenu);
    ~MenuOwnerWindow();
    MenuOwnerWindow(const MenuOwnerWindow&) = delete;
    MenuOwnerWindow& operator=(const MenuOwnerWindow&) = delete;

    HWND Handle() const { return m_hwnd; }
    const std::vector<Measured>& MeasuredItems() const { return m_measured; }
    int MenuCharQueries() const { return m_menuChars; }

    // Tracks `popup` with TPM_RETURNCMD; `whileOpen` runs once inside the modal
    // menu loop (from a timer message the loop dispatches) and then the menu is
    // closed unless a posted key already chose an item. Returns the command.
    UINT Track(HMENU popup, const std::function<void()>& whileOpen = {});
    // Tracks `popup` after posting a typed character: the menu loop handles the
    // key while open. Returns the chosen command (0 if none).
    UINT TrackAndType(HMENU popup, char character);

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hwnd = nullptr;
    GlyphMenu* m_measuringMenu;
    std::vector<Measured> m_measured;
    std::function<void()> m_whileOpen;
    int m_menuChars = 0;
};

}  // namespace menutest
