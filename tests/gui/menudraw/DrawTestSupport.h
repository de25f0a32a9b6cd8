#pragma once

// Helpers of the menu drawing tests: a canvas with pixel counts, the style switches,
// system colours changed for one scope, a crisp font, synthetic WM_DRAWITEM
// arguments and small pictures with known pixels.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "GlyphMenu.h"
#include "GuiHarness.h"
#include "ScopedFamily.h"

namespace menudraw {

// The harness's 32-bit DIB canvas, filled with a colour no drawing uses, with
// counting helpers.
class Canvas : public gui::DibCanvas {
public:
    Canvas(int width, int height, COLORREF fill = RGB(1, 2, 3)) : DibCanvas(width, height)
    {
        Fill(fill);
    }
    // Pixels of exactly `colour` inside `area`.
    int Count(const RECT& area, COLORREF colour) const;
    // The right-most column of `area` holding `colour`, or -1.
    int RightMost(const RECT& area, COLORREF colour) const;
};

// "expected #RRGGBB, got #RRGGBB at (x, y)" on a mismatch.
::testing::AssertionResult PixelIs(const Canvas& canvas, int x, int y, COLORREF expected);
std::string Hex(COLORREF colour);

// The detected Windows family for one scope: classicFamily draws classic,
// flatFamily (a themed XP desktop in the test prefix) draws flat.
using gui::ScopedFamily;
using gui::classicFamily;
using gui::flatFamily;

// Sets system colours for one scope and puts the old ones back.
class ScopedSysColours {
public:
    explicit ScopedSysColours(std::vector<std::pair<int, COLORREF>> colours);
    ~ScopedSysColours();
    ScopedSysColours(const ScopedSysColours&) = delete;
    ScopedSysColours& operator=(const ScopedSysColours&) = delete;

private:
    std::vector<int> m_indices;
    std::vector<COLORREF> m_saved;
};

// A font without anti-aliasing selected into a context for one scope, so text
// pixels come out in exactly the colour drawn.
class CrispFont {
public:
    explicit CrispFont(HDC dc);
    ~CrispFont();
    CrispFont(const CrispFont&) = delete;
    CrispFont& operator=(const CrispFont&) = delete;

private:
    HDC m_dc;
    HFONT m_font;
    HGDIOBJ m_old;
};

DRAWITEMSTRUCT MakeDrawItem(HDC dc, const RECT& item, GlyphMenuItem* record, UINT state,
                            HMENU menu = nullptr, UINT id = 0);

// The picture every test image shows: a black outline on x 3..12, y 3..11 of a
// 16 x 15 cell, a solid interior of `colour` inside it, the face colour around.
constexpr POINT interiorPixel{7, 7};
constexpr POINT outlineTopLeft{3, 3};
constexpr POINT outlineBottomRight{12, 11};
HBITMAP MakePicture(COLORREF interior, int width = 16, int height = 15);
// A cell-size list (as the menus make them) holding MakePicture(interior).
bool MakePictureList(CImageList& list, COLORREF interior);

COLORREF Sys(int index);

constexpr COLORREF red = RGB(255, 0, 0);
constexpr COLORREF green = RGB(0, 255, 0);
constexpr COLORREF blue = RGB(0, 0, 255);

// Command ids the image tests add to the shared list; each test takes its own.
UINT NextTestCommand();

}  // namespace menudraw
