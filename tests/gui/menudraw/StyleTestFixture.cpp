#include "StyleTestFixture.h"

namespace menudraw {

std::vector<std::pair<int, COLORREF>> DistinctColours()
{
    return {
        {COLOR_MENU, RGB(230, 225, 210)},     {COLOR_BTNFACE, RGB(212, 208, 200)},
        {COLOR_BTNHIGHLIGHT, RGB(250, 250, 240)}, {COLOR_BTNSHADOW, RGB(128, 120, 110)},
        {COLOR_HIGHLIGHT, RGB(10, 36, 106)},  {COLOR_HIGHLIGHTTEXT, RGB(255, 255, 200)},
        {COLOR_MENUTEXT, RGB(20, 0, 40)},     {COLOR_GRAYTEXT, RGB(140, 140, 150)},
        {COLOR_WINDOW, RGB(255, 255, 255)},
    };
}

RadioMenu::RadioMenu() : m_menu(::CreatePopupMenu()), m_dot(::CreateBitmap(13, 13, 1, 1, nullptr))
{
    ::AppendMenuA(m_menu, MF_STRING, bitmapRadio, "By bitmap");
    ::AppendMenuA(m_menu, MF_STRING, systemRadio, "By the system");
    ::AppendMenuA(m_menu, MF_STRING, plain, "Plain");
    ::SetMenuItemBitmaps(m_menu, bitmapRadio, MF_BYCOMMAND, nullptr, m_dot);
    ::CheckMenuRadioItem(m_menu, systemRadio, systemRadio, systemRadio, MF_BYCOMMAND);
}

RadioMenu::~RadioMenu()
{
    ::DestroyMenu(m_menu);
    ::DeleteObject(m_dot);
}

::testing::AssertionResult TickAt(const Canvas& canvas, int x, int y, COLORREF ink,
                                  COLORREF paper)
{
    static const int strokeTop[7] = {2, 3, 4, 3, 2, 1, 0};
    for (int i = 0; i < 7; ++i) {
        for (int row = 0; row < 7; ++row) {
            const bool inStroke = row >= strokeTop[i] && row < strokeTop[i] + 3;
            auto result = PixelIs(canvas, x + i, y + row, inStroke ? ink : paper);
            if (!result)
                return result << " (tick column " << i << ", row " << row << ")";
        }
    }
    return ::testing::AssertionSuccess();
}

}  // namespace menudraw
