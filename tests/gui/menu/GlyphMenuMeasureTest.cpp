// Measuring GlyphMenu items in both styles, directly and in a real popup.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "CClientDC.h"
#include "CWinApp.h"
#include "CWnd.h"
#include "GlyphMenu.h"
#include "MenuTestSupport.h"

using menutest::ScopedFamily;

namespace {

MEASUREITEMSTRUCT Measure(GlyphMenu& menu, const GlyphMenuItem* record)
{
    MEASUREITEMSTRUCT measure{};
    measure.CtlType = ODT_MENU;
    measure.itemWidth = 12345;
    measure.itemHeight = 12345;
    measure.itemData = reinterpret_cast<ULONG_PTR>(record);
    menu.MeasureItem(&measure);
    return measure;
}

std::unique_ptr<GlyphMenuItem> Record(const wchar_t* text, UINT flags = MF_OWNERDRAW)
{
    auto record = std::make_unique<GlyphMenuItem>();
    record->SetWideText(text);
    record->flags = flags;
    record->commandId = 1;
    return record;
}

int MenuBarHeight()
{
    return ::GetSystemMetrics(SM_CYMENU);
}

}  // namespace

TEST(Measuring, SeparatorsInBothStyles)
{
    GlyphMenu menu;
    auto separator = Record(nullptr, MF_SEPARATOR | MF_OWNERDRAW);
    {
        ScopedFamily classic(menutest::classicFamily);
        const MEASUREITEMSTRUCT measured = Measure(menu, separator.get());
        EXPECT_EQ(0u, measured.itemWidth);
        EXPECT_EQ(static_cast<UINT>(std::max(MenuBarHeight() / 2, 9)), measured.itemHeight);
    }
    {
        ScopedFamily flat(menutest::flatFamily);
        const MEASUREITEMSTRUCT measured = Measure(menu, separator.get());
        EXPECT_EQ(0u, measured.itemWidth);
        EXPECT_EQ(static_cast<UINT>(std::max(MenuBarHeight() / 2, 11)), measured.itemHeight);
    }
}

TEST(Measuring, ItemsInBothStylesUseTheWholeTextInTheMenuFont)
{
    GlyphMenu menu;
    const std::wstring text = L"&Open\tCtrl+O";
    auto record = Record(text.c_str());
    const int textWidth = menutest::MenuFontTextWidth(text);
    ASSERT_GT(textWidth, menutest::MenuFontTextWidth(std::wstring(L"&Open")))
        << "the accelerator counts too";
    {
        ScopedFamily classic(menutest::classicFamily);
        const MEASUREITEMSTRUCT measured = Measure(menu, record.get());
        EXPECT_EQ(static_cast<UINT>(textWidth + 2 * 16 + 1), measured.itemWidth);
        EXPECT_EQ(static_cast<UINT>(std::max(MenuBarHeight(), 19)), measured.itemHeight);
    }
    {
        ScopedFamily flat(menutest::flatFamily);
        const MEASUREITEMSTRUCT measured = Measure(menu, record.get());
        EXPECT_EQ(static_cast<UINT>(textWidth + 16 + 7 + 8), measured.itemWidth);
        EXPECT_EQ(static_cast<UINT>(std::max(MenuBarHeight(), 22)), measured.itemHeight);
    }
}

TEST(Measuring, OldFamiliesMeasureWithoutTheMenuFont)
{
    GlyphMenu menu;
    const std::wstring text = L"Properties";
    auto record = Record(text.c_str());
    CClientDC dc(GlyphMenu::MainWindowOrDesktop());

    ScopedFamily family(1);
    const int plainWidth = dc.GetTextExtentW(text.c_str(), static_cast<int>(text.size())).cx;
    EXPECT_EQ(static_cast<UINT>(plainWidth + 33), Measure(menu, record.get()).itemWidth);
}

TEST(Measuring, FamilyZeroWidensNarrowTextAndSurvivesAnEmptyText)
{
    GlyphMenu menu;
    ScopedFamily family(0);
    CClientDC dc(GlyphMenu::MainWindowOrDesktop());

    auto record = Record(L"Open");
    RECT bounds{0, 0, 0, 0};
    ::DrawTextA(dc, "Open", 4, &bounds, DT_CALCRECT | DT_SINGLELINE | DT_VCENTER);
    const int width = bounds.right - bounds.left + 3;
    EXPECT_EQ(static_cast<UINT>(width + 3 * (width / 4) + 33), Measure(menu, record.get()).itemWidth);

    auto empty = Record(L"");
    const MEASUREITEMSTRUCT measured = Measure(menu, empty.get());
    EXPECT_EQ(static_cast<UINT>(3 + 33), measured.itemWidth) << "no average to add";
    EXPECT_EQ(static_cast<UINT>(std::max(MenuBarHeight(), 19)), measured.itemHeight);

    auto none = Record(nullptr);
    EXPECT_EQ(static_cast<UINT>(3 + 33), Measure(menu, none.get()).itemWidth);
}

TEST(Measuring, ItemWithoutRecordIsLeftAlone)
{
    GlyphMenu menu;
    const MEASUREITEMSTRUCT measured = Measure(menu, nullptr);
    EXPECT_EQ(12345u, measured.itemWidth);
    EXPECT_EQ(12345u, measured.itemHeight);
}

TEST(Measuring, RealPopupTakesTheMeasuredHeights)
{
    for (int family : {menutest::classicFamily, menutest::flatFamily}) {
        ScopedFamily scoped(family);
        GlyphMenu popup;
        ASSERT_TRUE(popup.CreatePopupMenu());
        ASSERT_TRUE(popup.AppendItem(L"&New\tCtrl+N", MF_STRING, 11));
        ASSERT_TRUE(popup.AppendItem(nullptr, MF_STRING, 0));
        ASSERT_TRUE(popup.AppendItem(L"A rather longer label", MF_STRING, 12));

        menutest::MenuOwnerWindow owner(&popup);
        std::vector<RECT> rects(3);
        owner.Track(popup.m_hMenu, [&] {
            for (int i = 0; i < 3; ++i)
                ::GetMenuItemRect(owner.Handle(), popup.m_hMenu, static_cast<UINT>(i), &rects[i]);
        });

        const auto& measured = owner.MeasuredItems();
        ASSERT_EQ(3u, measured.size()) << "family " << family;
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(reinterpret_cast<ULONG_PTR>(popup.items[i].get()), measured[i].itemData);
            EXPECT_EQ(static_cast<LONG>(measured[i].height), rects[i].bottom - rects[i].top)
                << "item " << i << ", family " << family;
        }
        const UINT widest = std::max(measured[0].width, measured[2].width);
        EXPECT_GT(measured[2].width, measured[0].width);
        EXPECT_GE(rects[2].right - rects[2].left, static_cast<LONG>(widest));
        EXPECT_EQ(rects[0].right - rects[0].left, rects[2].right - rects[2].left)
            << "one column as wide as its widest item";
    }
}

TEST(Measuring, ContextComesFromTheMainWindowElseTheDesktop)
{
    ASSERT_EQ(nullptr, AfxGetApp());
    EXPECT_EQ(::GetDesktopWindow(), GlyphMenu::MainWindowOrDesktop()) << "no application object";

    CWinApp app;
    EXPECT_EQ(::GetDesktopWindow(), GlyphMenu::MainWindowOrDesktop()) << "no main window";
    CWnd main;
    ASSERT_TRUE(main.CreateEx(0, "STATIC", "main", WS_POPUP, RECT{0, 0, 50, 20}, nullptr, 0));
    app.m_pMainWnd = &main;
    EXPECT_EQ(main.GetSafeHwnd(), GlyphMenu::MainWindowOrDesktop());
    main.DestroyWindow();
    EXPECT_EQ(::GetDesktopWindow(), GlyphMenu::MainWindowOrDesktop()) << "main window gone";
    app.m_pMainWnd = nullptr;
}
