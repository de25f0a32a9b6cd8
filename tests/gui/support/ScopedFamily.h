#pragma once

// The detected Windows family of the glyph menus for one scope, shared by the
// menu suites. Header only: the harness library itself knows no menus, so only
// programs that link the menu layer (every gui suite does) may include it.

#include "GlyphMenu.h"

namespace gui {

class ScopedFamily {
public:
    explicit ScopedFamily(int family) : m_saved(GlyphMenu::windowsFamily)
    {
        GlyphMenu::windowsFamily = family;
    }
    ~ScopedFamily() { GlyphMenu::windowsFamily = m_saved; }
    ScopedFamily(const ScopedFamily&) = delete;
    ScopedFamily& operator=(const ScopedFamily&) = delete;

private:
    int m_saved;
};

// The family codes that give each style (the theme is not the classic one in
// the test prefix unless a test writes it).
constexpr int classicFamily = 6;  // 2000: classic style, modern drawing
constexpr int flatFamily = 7;     // XP with a theme: flat style

}  // namespace gui
