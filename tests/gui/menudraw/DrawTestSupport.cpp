#include "DrawTestSupport.h"

#include <cstdio>

namespace menudraw {

int Canvas::Count(const RECT& area, COLORREF colour) const
{
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            count += Pixel(x, y) == colour ? 1 : 0;
    return count;
}

int Canvas::RightMost(const RECT& area, COLORREF colour) const
{
    for (int x = area.right - 1; x >= area.left; --x)
        for (int y = area.top; y < area.bottom; ++y)
            if (Pixel(x, y) == colour)
                return x;
    return -1;
}

std::string Hex(COLORREF colour)
{
    char text[16];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", GetRValue(colour), GetGValue(colour),
                  GetBValue(colour));
    return text;
}

::testing::AssertionResult PixelIs(const Canvas& canvas, int x, int y, COLORREF expected)
{
    const COLORREF got = canvas.Pixel(x, y);
    if (got == expected)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "expected " << Hex(expected) << ", got " << Hex(got)
                                         << " at (" << x << ", " << y << ")";
}

ScopedSysColours::ScopedSysColours(std::vector<std::pair<int, COLORREF>> colours)
{
    std::vector<COLORREF> values;
    for (const auto& [index, colour] : colours) {
        m_indices.push_back(index);
        m_saved.push_back(::GetSysColor(index));
        values.push_back(colour);
    }
    ::SetSysColors(static_cast<int>(m_indices.size()), m_indices.data(), values.data());
}

ScopedSysColours::~ScopedSysColours()
{
    ::SetSysColors(static_cast<int>(m_indices.size()), m_indices.data(), m_saved.data());
}

CrispFont::CrispFont(HDC dc) : m_dc(dc)
{
    LOGFONTA font{};
    font.lfHeight = -11;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = NONANTIALIASED_QUALITY;
    lstrcpyA(font.lfFaceName, "Tahoma");
    m_font = ::CreateFontIndirectA(&font);
    m_old = ::SelectObject(dc, m_font);
}

CrispFont::~CrispFont()
{
    ::SelectObject(m_dc, m_old);
    ::DeleteObject(m_font);
}

DRAWITEMSTRUCT MakeDrawItem(HDC dc, const RECT& item, GlyphMenuItem* record, UINT state,
                            HMENU menu, UINT id)
{
    DRAWITEMSTRUCT drawItem{};
    drawItem.CtlType = ODT_MENU;
    drawItem.itemID = id;
    drawItem.itemAction = ODA_DRAWENTIRE;
    drawItem.itemState = state;
    drawItem.hwndItem = reinterpret_cast<HWND>(menu);
    drawItem.hDC = dc;
    drawItem.rcItem = item;
    drawItem.itemData = reinterpret_cast<ULONG_PTR>(record);
    return drawItem;
}

HBITMAP MakePicture(COLORREF interior, int width, int height)
{
    HDC screen = ::GetDC(nullptr);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
    HDC memory = ::CreateCompatibleDC(screen);
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    auto fill = [&](int left, int top, int right, int bottom, COLORREF colour) {
        HBRUSH brush = ::CreateSolidBrush(colour);
        RECT area{left, top, right, bottom};
        ::FillRect(memory, &area, brush);
        ::DeleteObject(brush);
    };
    fill(0, 0, width, height, ::GetSysColor(COLOR_BTNFACE));
    fill(outlineTopLeft.x, outlineTopLeft.y, outlineBottomRight.x + 1, outlineBottomRight.y + 1,
         RGB(0, 0, 0));
    fill(outlineTopLeft.x + 1, outlineTopLeft.y + 1, outlineBottomRight.x, outlineBottomRight.y,
         interior);
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
    return bitmap;
}

bool MakePictureList(CImageList& list, COLORREF interior)
{
    if (!list.Create(16, 15, ILC_COLORDDB | ILC_MASK, 1, 1))
        return false;
    HBITMAP picture = MakePicture(interior);
    const int added = list.Add(picture, ::GetSysColor(COLOR_BTNFACE));
    ::DeleteObject(picture);
    return added == 0;
}

COLORREF Sys(int index)
{
    return ::GetSysColor(index);
}

UINT NextTestCommand()
{
    static UINT next = 50000;
    return next++;
}

}  // namespace menudraw
