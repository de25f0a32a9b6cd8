// GlyphMenu structure: Windows family and theme, item records, destruction,
// text lookup, sub-menu membership, mnemonics, and no leaked handles.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "GlyphMenu.h"
#include "HandleCounter.h"
#include "MenuTestSupport.h"
#include "menu_test_ids.h"

using menutest::ScopedFamily;
using menutest::ScopedThemeValue;

namespace {

constexpr DWORD windows95Line = 0x80000000u;

struct FamilyRow {
    const char* label;
    DWORD version;         // as GetVersion answers: high bit, low byte major
    bool hasInfo;          // the version structure could be allocated
    DWORD major, minor;    // as GetVersionExA fills it
    int family;
};

const FamilyRow familyRows[] = {
    {"95 line before 4.0", windows95Line | 3, true, 4, 10, 0},
    {"95 line before 4.0, no structure", windows95Line | 3, false, 0, 0, 0},
    {"Windows 95", windows95Line | 4, true, 4, 0, 2},
    {"95 line 4.3", windows95Line | 4, true, 4, 3, 2},
    {"95 line, major 5", windows95Line | 5, true, 5, 0, 2},
    {"95 line, no structure", windows95Line | 4, false, 0, 0, 2},
    {"Windows 98", windows95Line | 4, true, 4, 10, 3},
    {"Windows Me", windows95Line | 4, true, 4, 90, 4},
    {"NT 4.0", 4, true, 4, 0, 5},
    {"Windows 2000", 5, true, 5, 0, 6},
    {"Windows XP", 5 | (1 << 8), true, 5, 1, 7},
    {"Server 2003", 5 | (2 << 8), true, 5, 2, 1},
    {"NT 3.51", 3 | (51 << 8), true, 3, 51, 1},
    {"Vista", 6, true, 6, 0, 1},
    {"Windows 10", 10, true, 10, 0, 1},
    {"NT line, no structure", 5 | (1 << 8), false, 0, 0, 1},
};

// Every menu handle of a menu tree, the root first.
void CollectHandles(HMENU menu, std::vector<HMENU>& out)
{
    out.push_back(menu);
    const int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        if (HMENU sub = ::GetSubMenu(menu, i))
            CollectHandles(sub, out);
    }
}

GlyphMenu* PopupObject(GlyphMenu& bar, int position)
{
    CMenu* sub = bar.SubMenuAt(position);
    return sub != nullptr && sub->IsKindOf(RUNTIME_CLASS(GlyphMenu)) ? static_cast<GlyphMenu*>(sub)
                                                                     : nullptr;
}

}  // namespace

TEST(WindowsFamily, EveryRowOfTheTable)
{
    for (const FamilyRow& row : familyRows) {
        OSVERSIONINFOA info{};
        info.dwOSVersionInfoSize = sizeof info;
        info.dwMajorVersion = row.major;
        info.dwMinorVersion = row.minor;
        EXPECT_EQ(row.family, GlyphMenu::ClassifyWindowsFamily(row.version, row.hasInfo ? &info : nullptr))
            << row.label;
    }
}

TEST(WindowsFamily, DetectedAtStartUpFromThisSystem)
{
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    ASSERT_TRUE(::GetVersionExA(&info));
    const int expected = GlyphMenu::ClassifyWindowsFamily(::GetVersion(), &info);
    EXPECT_EQ(expected, GlyphMenu::DetectWindowsFamily());
    EXPECT_EQ(expected, GlyphMenu::windowsFamily) << "the class value is set before main";
}

TEST(WindowsFamily, StyleFollowsFamilyAndTheme)
{
    // The first answer is cached for the process; the test prefix has no
    // desktop theme value, so it is "not classic".
    ASSERT_FALSE(GlyphMenu::IsClassicThemeActive());
    for (int family = 0; family <= 7; ++family) {
        ScopedFamily scoped(family);
        EXPECT_EQ(family >= 2, GlyphMenu::HasModernGdi() != FALSE) << "family " << family;
        EXPECT_EQ(family == 7, GlyphMenu::IsThemedXp() != FALSE) << "family " << family;
        EXPECT_EQ(family == 7, GlyphMenu::UsesFlatStyle() != FALSE) << "family " << family;
    }
}

TEST(DesktopTheme, ClassicThemeReadFromTheRegistry)
{
    struct Row {
        const char* value;  // null: no key at all
        bool classic;
    };
    const Row rows[] = {
        {"C:\\WINDOWS\\Resources\\Themes\\Windows Classic.theme", true},
        {"C:\\WINDOWS\\RESOURCES\\THEMES\\WINDOWS CLASSIC.THEME", true},
        {"Windows Classic.theme", true},
        {"Classic.theme", false},
        {"C:\\WINDOWS\\Resources\\Themes\\Luna.theme", false},
        {"C:\\Themes\\Windows Classic.theme.bak", false},
        {"", false},
        {nullptr, false},
    };
    for (const Row& row : rows) {
        ScopedThemeValue theme(row.value);
        EXPECT_EQ(row.classic, GlyphMenu::ReadClassicThemeSetting() != FALSE)
            << (row.value != nullptr ? row.value : "(no key)");
    }
}

TEST(DesktopTheme, AnswerIsReadOnceAndKept)
{
    const BOOL first = GlyphMenu::IsClassicThemeActive();
    ScopedThemeValue opposite(first ? "Luna.theme" : "C:\\Themes\\Windows Classic.theme");
    EXPECT_EQ(!first, GlyphMenu::ReadClassicThemeSetting() != FALSE);
    EXPECT_EQ(first, GlyphMenu::IsClassicThemeActive());
}

TEST(ItemRecords, TextConversion)
{
    GlyphMenuItem record;
    EXPECT_EQ(nullptr, record.WideText());
    EXPECT_EQ("", record.GetText());

    record.SetText("&Open\tCtrl+O");
    ASSERT_NE(nullptr, record.WideText());
    EXPECT_STREQ(L"&Open\tCtrl+O", record.WideText());
    EXPECT_EQ(12, record.TextLength());
    EXPECT_EQ("&Open\tCtrl+O", record.GetText());

    if (::GetACP() == 1252) {
        record.SetText("Caf\xE9");
        EXPECT_STREQ(L"Caf\u00E9", record.WideText()) << "widened in the ANSI code page";
        EXPECT_EQ("Caf\xE9", record.GetText());
    }

    record.SetText(nullptr);
    EXPECT_EQ(nullptr, record.WideText()) << "a null text clears";
    EXPECT_EQ("", record.GetText());

    record.SetWideText(L"");
    ASSERT_NE(nullptr, record.WideText());
    EXPECT_EQ(0, record.TextLength());
}

TEST(GlyphMenuLifetime, DestroyFreesEverythingOnceThenAnswersFalse)
{
    const size_t knownBefore = GlyphMenu::allSubMenus.size();
    GlyphMenu bar;
    ASSERT_TRUE(bar.LoadMenu(IDM_TEST_BAR));
    std::vector<HMENU> handles;
    CollectHandles(bar.m_hMenu, handles);
    ASSERT_EQ(5u, handles.size()) << "bar, File, Recent, Edit, More";
    EXPECT_EQ(knownBefore + 4, GlyphMenu::allSubMenus.size());

    EXPECT_TRUE(bar.DestroyMenu());
    for (HMENU handle : handles) {
        EXPECT_FALSE(::IsMenu(handle));
        EXPECT_EQ(nullptr, CMenu::FromHandlePermanent(handle)) << "sub-menu objects are gone";
        EXPECT_FALSE(GlyphMenu::IsKnownSubMenu(handle));
    }
    EXPECT_EQ(nullptr, bar.m_hMenu);
    EXPECT_TRUE(bar.items.empty());
    EXPECT_TRUE(bar.subMenus.empty());
    EXPECT_FALSE(bar.isMenuBar);
    EXPECT_EQ(knownBefore, GlyphMenu::allSubMenus.size());

    EXPECT_FALSE(bar.DestroyMenu()) << "nothing left to destroy";
    EXPECT_EQ(knownBefore, GlyphMenu::allSubMenus.size());
    GlyphMenu neverBuilt;
    EXPECT_FALSE(neverBuilt.DestroyMenu());
}

TEST(GlyphMenuLifetime, SubMenuObjectOfTheCallerIsEmptiedNotDeleted)
{
    GlyphMenu popup;  // the caller's object, not the root's to delete
    ASSERT_TRUE(popup.CreatePopupMenu());
    ASSERT_TRUE(popup.AppendItem(L"Inner", MF_STRING, 31));
    GlyphMenu root;
    ASSERT_TRUE(root.CreatePopupMenu());
    ASSERT_TRUE(root.AppendItem(L"Sub", MF_POPUP, reinterpret_cast<UINT_PTR>(popup.m_hMenu)));
    EXPECT_TRUE(root.DestroyMenu());
    EXPECT_EQ(nullptr, popup.m_hMenu) << "its popup went with the root";
    EXPECT_TRUE(popup.items.empty());
    EXPECT_FALSE(popup.DestroyMenu());
}

TEST(ItemTextLookup, ByPositionAndByCommandThroughNestedPopups)
{
    GlyphMenu bar;
    ASSERT_TRUE(bar.LoadMenu(IDM_TEST_BAR));
    std::string text = "unchanged";

    EXPECT_TRUE(bar.GetItemText(1, text, MF_BYPOSITION));
    EXPECT_EQ("&Edit", text);
    EXPECT_FALSE(bar.GetItemText(3, text, MF_BYPOSITION)) << "past the last record";
    EXPECT_EQ("&Edit", text) << "a failed lookup leaves the text alone";

    EXPECT_TRUE(bar.GetItemText(ID_DEEP, text));
    EXPECT_EQ("Deep", text) << "found two popups down";
    EXPECT_TRUE(bar.GetItemText(ID_RECENT_SECOND, text, MF_BYCOMMAND));
    EXPECT_EQ("Second", text);
    EXPECT_TRUE(bar.GetItemText(ID_HELP_ABOUT, text));
    EXPECT_EQ("&About", text);
    EXPECT_FALSE(bar.GetItemText(4242, text));

    // A popup handle is not a command.
    EXPECT_FALSE(bar.GetItemText(reinterpret_cast<UINT_PTR>(::GetSubMenu(bar.m_hMenu, 0)), text));
}

TEST(ItemTextLookup, PlainPopupOfAnotherPartyAnswersWithItsLiveText)
{
    GlyphMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    HMENU plain = ::CreatePopupMenu();
    ::AppendMenuA(plain, MF_STRING, 55, "Plain &item");
    ASSERT_TRUE(menu.AppendItem(L"Others", MF_POPUP, reinterpret_cast<UINT_PTR>(plain)));
    std::string text;
    EXPECT_TRUE(menu.GetItemText(55, text));
    EXPECT_EQ("Plain &item", text);
    EXPECT_EQ(MAKELRESULT(0, MNC_EXECUTE), GlyphMenu::FindMnemonic('i', MF_POPUP, CMenu::FromHandle(plain)));
    CMenu::DeleteTempMap();
}

TEST(OwnerMenuLookup, FindsTheMenuAndPositionOfACommand)
{
    GlyphMenu bar;
    ASSERT_TRUE(bar.LoadMenu(IDM_TEST_BAR));
    GlyphMenu* edit = PopupObject(bar, 1);
    ASSERT_NE(nullptr, edit);

    int position = 99;
    EXPECT_EQ(edit, bar.FindOwnerMenu(ID_CUT, position));
    EXPECT_EQ(2, position);
    EXPECT_EQ(&bar, bar.FindOwnerMenu(ID_HELP_ABOUT, position));
    EXPECT_EQ(2, position);
    CMenu* more = edit->SubMenuAt(3);
    ASSERT_NE(nullptr, more);
    EXPECT_EQ(more, bar.FindOwnerMenu(ID_DEEP, position));
    EXPECT_EQ(0, position);
    EXPECT_EQ(nullptr, bar.FindOwnerMenu(4242, position));
    EXPECT_EQ(-1, position);
}

TEST(SubMenus, PositionsAndMembership)
{
    GlyphMenu bar;
    ASSERT_TRUE(bar.LoadMenu(IDM_TEST_BAR));
    CMenu* file = bar.SubMenuAt(0);
    ASSERT_NE(nullptr, file);
    EXPECT_EQ(::GetSubMenu(bar.m_hMenu, 0), file->m_hMenu);
    EXPECT_TRUE(file->IsKindOf(RUNTIME_CLASS(GlyphMenu)));
    EXPECT_EQ(nullptr, bar.SubMenuAt(2)) << "About is no popup";
    EXPECT_EQ(nullptr, bar.SubMenuAt(7));

    std::vector<HMENU> handles;
    CollectHandles(bar.m_hMenu, handles);
    for (size_t i = 1; i < handles.size(); ++i) {
        EXPECT_TRUE(GlyphMenu::IsKnownSubMenu(handles[i]));
        EXPECT_TRUE(GlyphMenu::IsKnownSubMenu(CMenu::FromHandle(handles[i])));
    }
    EXPECT_FALSE(GlyphMenu::IsKnownSubMenu(bar.m_hMenu)) << "the bar is no popup";
    EXPECT_FALSE(GlyphMenu::IsKnownSubMenu(static_cast<const CMenu*>(nullptr)));
    EXPECT_FALSE(GlyphMenu::IsKnownSubMenu(static_cast<HMENU>(nullptr)));
    CMenu stranger;
    stranger.CreatePopupMenu();
    EXPECT_FALSE(GlyphMenu::IsKnownSubMenu(&stranger));
}

TEST(Mnemonics, FirstItemWithAmpersandAndCharacterCaseInsensitive)
{
    GlyphMenu bar;
    ASSERT_TRUE(bar.LoadMenu(IDM_TEST_BAR));
    GlyphMenu* edit = PopupObject(bar, 1);
    ASSERT_NE(nullptr, edit);

    EXPECT_EQ(MAKELRESULT(0, MNC_EXECUTE), GlyphMenu::FindMnemonic('u', MF_POPUP, edit));
    EXPECT_EQ(0x20000, GlyphMenu::FindMnemonic('U', MF_POPUP, edit));
    EXPECT_EQ(MAKELRESULT(2, MNC_EXECUTE), GlyphMenu::FindMnemonic('t', MF_POPUP, edit));
    EXPECT_EQ(MAKELRESULT(3, MNC_EXECUTE), GlyphMenu::FindMnemonic('M', MF_POPUP, edit));
    EXPECT_EQ(MNC_IGNORE, GlyphMenu::FindMnemonic('c', MF_POPUP, edit))
        << "letters without an ampersand never match";
    EXPECT_EQ(MNC_IGNORE, GlyphMenu::FindMnemonic('q', MF_POPUP, edit));
    EXPECT_EQ(0, GlyphMenu::FindMnemonic('u', 0, edit)) << "only popups answer";
    EXPECT_EQ(0, GlyphMenu::FindMnemonic('u', MF_POPUP, nullptr));
}

TEST(Mnemonics, RecordsAreSynchronisedBeforeTheSearch)
{
    GlyphMenu bar;
    ASSERT_TRUE(bar.LoadMenu(IDM_TEST_BAR));
    GlyphMenu* edit = PopupObject(bar, 1);
    ASSERT_NE(nullptr, edit);
    ASSERT_TRUE(::InsertMenuA(edit->m_hMenu, 1, MF_BYPOSITION | MF_STRING, 77, "&Zebra"));
    ASSERT_EQ(4u, edit->items.size());

    EXPECT_EQ(MAKELRESULT(1, MNC_EXECUTE), GlyphMenu::FindMnemonic('z', MF_POPUP, edit));
    ASSERT_EQ(5u, edit->items.size());
    EXPECT_EQ("&Zebra", edit->items[1]->GetText());
    EXPECT_EQ(77u, edit->items[1]->commandId);
    EXPECT_EQ(MAKELRESULT(3, MNC_EXECUTE), GlyphMenu::FindMnemonic('t', MF_POPUP, edit))
        << "Cut moved down by one";
}

TEST(Handles, NothingLeaksOverManyMenus)
{
    const HANDLE process = ::GetCurrentProcess();
    const DWORD gdiBefore = ::GetGuiResources(process, GR_GDIOBJECTS);
    const DWORD userBefore = ::GetGuiResources(process, GR_USEROBJECTS);
    const size_t knownBefore = GlyphMenu::allSubMenus.size();
    std::vector<HMENU> destroyed;
    {
        gui::HandleCounter counter;
        for (int round = 0; round < 60; ++round) {
            ScopedFamily family(round % 3 == 0 ? 0 : round % 3 == 1 ? menutest::classicFamily
                                                                     : menutest::flatFamily);
            auto bar = std::make_unique<GlyphMenu>();
            ASSERT_TRUE(bar->LoadMenu(IDM_TEST_BAR));
            GlyphMenu* file = PopupObject(*bar, 0);
            ASSERT_NE(nullptr, file);
            for (auto& record : file->items) {
                MEASUREITEMSTRUCT measure{};
                measure.CtlType = ODT_MENU;
                measure.itemData = reinterpret_cast<ULONG_PTR>(record.get());
                file->MeasureItem(&measure);
            }
            ::AppendMenuA(file->m_hMenu, MF_STRING, 88, "&Extra");
            GlyphMenu::FindMnemonic('e', MF_POPUP, file);
            std::vector<HMENU> handles;
            CollectHandles(bar->m_hMenu, handles);
            if (round % 2 == 0)
                bar->DestroyMenu();
            bar.reset();
            destroyed.insert(destroyed.end(), handles.begin(), handles.end());
        }
        EXPECT_GT(counter.Created(), 0u) << "the counting itself works";
        EXPECT_EQ(0u, counter.LiveObjects()) << "fonts, brushes, bitmaps";
        EXPECT_EQ(0u, counter.LiveMemoryDCs());
        EXPECT_EQ(0u, counter.LiveWindowDCs());
        EXPECT_EQ(0u, counter.LiveIcons());
    }
    for (HMENU handle : destroyed)
        EXPECT_FALSE(::IsMenu(handle));
    EXPECT_EQ(knownBefore, GlyphMenu::allSubMenus.size());
    CMenu::DeleteTempMap();
    EXPECT_EQ(gdiBefore, ::GetGuiResources(process, GR_GDIOBJECTS));
    EXPECT_EQ(userBefore, ::GetGuiResources(process, GR_USEROBJECTS));
}
