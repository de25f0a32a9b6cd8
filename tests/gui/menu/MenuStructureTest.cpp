// GlyphMenu's rules that need no picture: Windows family, menus from resources, texts, mnemonics, measuring.
#include <gtest/gtest.h>

#include "CClientDC.h"
#include "CWinApp.h"
#include "GlyphMenu.h"
#include "ScopedFamily.h"
#include "ToolBarResource.h"
#include "menu_test_ids.h"

namespace {

// A menu tree as one line: items joined by '|', "-" a separator, "=" before a
// plain item or separator (else the owner-drawn item's record text), "*" checked, "~"
// grayed, "{...}" a popup's items, "!" a record whose id is not the item's.
// Blanks padding a label up to its accelerator show as one.
std::string Describe(HMENU menu) {
    std::string out;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        MENUITEMINFOA info{sizeof info, MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA};
        ::GetMenuItemInfoA(menu, i, TRUE, &info);
        const auto* record = reinterpret_cast<const GlyphMenuItem*>(info.dwItemData);
        std::string text;
        if (info.fType & MFT_SEPARATOR) {
            text = info.fType & MFT_OWNERDRAW ? "-" : "=-";
        } else if (!(info.fType & MFT_OWNERDRAW)) {
            text = "=" + CMenu::FromHandle(menu)->GetMenuString(static_cast<UINT>(i), MF_BYPOSITION);
        } else if (record != nullptr) {
            text = record->GetText();
            const size_t tab = text.find('\t');
            const size_t blank = tab == std::string::npos ? tab : text.find_last_not_of(' ', tab - 1) + 1;
            if (blank != std::string::npos && blank < tab)
                text.erase(blank + 1, tab - blank - 1);
            const UINT_PTR id = info.hSubMenu ? reinterpret_cast<UINT_PTR>(info.hSubMenu) : info.wID;
            if (record->commandId != id)
                text += "!";
        }
        text += std::string(info.fState & MFS_CHECKED ? "*" : "") + (info.fState & MFS_GRAYED ? "~" : "");
        if (info.hSubMenu)
            text += "{" + Describe(info.hSubMenu) + "}";
        out += (i ? "|" : "") + text;
    }
    return out;
}

TEST(WindowsFamily, FromTheVersionAnswers) {
    struct Row { const char* label; DWORD version; DWORD major, minor; bool info; int family; };
    const Row rows[] = {
        {"95 line before 4.0", 0x80000003, 4, 10, true, 0}, {"95 line, no structure", 0x80000004, 0, 0, false, 2},
        {"NT line, no structure", 0x00000005, 0, 0, false, 1}, {"95", 0x80000004, 4, 0, true, 2}, {"98", 0x80000004, 4, 10, true, 3},
        {"Me", 0x80000004, 4, 90, true, 4}, {"95 line, major 5", 0x80000004, 5, 10, true, 2}, {"NT 4.0", 0x00000004, 4, 0, true, 5},
        {"2000", 0x00000005, 5, 0, true, 6}, {"XP", 0x00000105, 5, 1, true, 7}, {"Server 2003", 0x00000205, 5, 2, true, 1},
    };
    for (const Row& row : rows) {
        OSVERSIONINFOA info{sizeof info, row.major, row.minor};
        EXPECT_EQ(row.family, GlyphMenu::ClassifyWindowsFamily(row.version, row.info ? &info : nullptr)) << row.label;
    }
}

TEST(WindowsFamily, TheClassicThemeIsTheCurrentThemeFilesName) {
    const std::string classic = "Windows Classic.theme", padded = std::string(MAX_PATH - 1 - classic.size(), 'x') + classic;
    const struct { const char* label; DWORD type; std::string value; BOOL answer; } rows[] = {  // REG_NONE: no key
        {"no key", REG_NONE, "", FALSE}, {"full path", REG_SZ, "C:\\WINDOWS\\Resources\\Themes\\" + classic, TRUE},
        {"any case", REG_SZ, "c:\\windows classic.THEME", TRUE}, {"expandable", REG_EXPAND_SZ, "%SystemRoot%\\" + classic, TRUE},
        {"the name alone", REG_SZ, classic, TRUE}, {"shorter", REG_SZ, classic.substr(1), FALSE}, {"another theme", REG_SZ, "C:\\Luna.theme", FALSE},
        {"more after it", REG_SZ, classic + "s", FALSE}, {"not text", REG_BINARY, classic, FALSE},
        {"long", REG_SZ, padded, TRUE}, {"too long", REG_SZ, "xx" + padded, FALSE}};
    for (const auto& row : rows) {
        HKEY key = nullptr;
        if (row.type != REG_NONE && ::RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Plus!\\Themes\\Current", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) == ERROR_SUCCESS)
            ::RegSetValueExA(key, nullptr, 0, row.type, reinterpret_cast<const BYTE*>(row.value.c_str()), DWORD(row.value.size())), ::RegCloseKey(key);
        EXPECT_EQ(row.answer, GlyphMenu::ReadClassicThemeSetting()) << row.label;
        ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Microsoft\\Plus!");
    }
}

const char* const kTestBar =
    "=&File{&Open \tCtrl+O|Save &As... \tCtrl+Shift+S|-~|&Recent{First|Second*}}|"
    "=&Edit{&Undo \tCtrl+Z|A considerably longer label|Cu&t \tCtrl+X~|&More{Deep}}|=&About";

TEST(MenuResources, BuildAPlainBarOverOwnerDrawnPopups) {
    struct Row { const char* label; UINT id; BOOL loaded; const char* tree; };
    const Row rows[] = {
        {"nested popups", IDM_TEST_BAR, TRUE, kTestBar},
        {"a missing menu leaves the menu as it was", 4242, FALSE, kTestBar},
        {"an extended template is refused", IDM_EXTENDED, FALSE, kTestBar},
        {"an item offset past the data is refused", IDM_FAR_OFFSET, FALSE, kTestBar},
        {"a popup as the last item ends the bar", IDM_LAST_POPUP, TRUE, "=&Only{Item}"},
        {"the data ends inside a text", IDM_CUT_SHORT, TRUE, ""},
    };
    GlyphMenu bar;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        const HMENU before = bar.m_hMenu;
        EXPECT_EQ(row.loaded, bar.LoadMenu(row.id));
        EXPECT_EQ(row.tree, Describe(bar));
        EXPECT_EQ(static_cast<size_t>(::GetMenuItemCount(bar)), bar.items.size());
        if (before)  // a loaded menu replaces the old one, a failed load keeps it
            EXPECT_EQ(!row.loaded, ::IsMenu(before) != FALSE);
    }
    CImageList ticks;  // the popups, nested too, draw their ticks as the bar does
    bar.checkImages = &ticks, bar.checkImagesShared = TRUE, bar.checkedImage = 1, bar.checkedSelectedImage = 2;
    ASSERT_TRUE(bar.LoadMenu(IDM_TEST_BAR));
    auto* const edit = static_cast<GlyphMenu*>(bar.SubMenuAt(1));
    for (auto* popup : {edit, static_cast<GlyphMenu*>(edit->SubMenuAt(3))})
        EXPECT_TRUE(popup->checkImages == &ticks && popup->checkImagesShared && popup->checkedImage == 1 && popup->checkedSelectedImage == 2);
    // Labels with an accelerator are padded to the widest label and a blank.
    CFont font;
    GlyphMenu::CreateMenuFont(font);
    CClientDC dc(nullptr);
    const HGDIOBJ old = dc.SelectObject(&font);
    const std::string undo = edit->items[0]->GetText();
    const int widest = dc.GetTextExtent("A considerably longer label ").cx;
    const int padded = dc.GetTextExtent(undo.substr(0, undo.find('\t'))).cx;
    EXPECT_GE(padded, widest);
    EXPECT_LT(padded - dc.GetTextExtent(" ").cx, widest);
    dc.SelectObject(old);
    EXPECT_TRUE(font.DeleteObject() && !font.DeleteObject());  // the second time there is nothing to delete

    // Popups are known by handle until their root goes.
    const HMENU recent = ::GetSubMenu(::GetSubMenu(bar, 0), 3);
    EXPECT_TRUE(GlyphMenu::IsKnownSubMenu(recent)); EXPECT_FALSE(GlyphMenu::IsKnownSubMenu(bar.m_hMenu));
    EXPECT_EQ(::GetSubMenu(bar, 1), bar.SubMenuAt(1)->m_hMenu);
    GlyphMenu foreign;  // a popup whose object is someone else's: emptied, not left with a dead handle
    ASSERT_TRUE(foreign.CreatePopupMenu());
    const HMENU foreignPopup = foreign.m_hMenu;
    ASSERT_TRUE(bar.AppendItem(L"Theirs", MF_POPUP, reinterpret_cast<UINT_PTR>(foreignPopup)));
    EXPECT_TRUE(bar.DestroyMenu()); EXPECT_EQ(nullptr, foreign.m_hMenu);
    EXPECT_FALSE(::IsMenu(foreignPopup)); EXPECT_FALSE(GlyphMenu::IsKnownSubMenu(recent));
    EXPECT_FALSE(::IsMenu(recent)); EXPECT_TRUE(bar.items.empty());
    EXPECT_FALSE(bar.DestroyMenu());
    CMenu plain;  // nothing loaded, made twice or taken twice; a plain menu is no GlyphMenu
    EXPECT_FALSE(plain.LoadMenu(4242) || plain.DestroyMenu() || plain.Attach(nullptr));
    ASSERT_TRUE(plain.CreatePopupMenu());
    EXPECT_FALSE(plain.CreatePopupMenu() || plain.CreateMenu() || CMenu().Attach(plain.m_hMenu) || plain.IsKindOf(RUNTIME_CLASS(GlyphMenu)));
    EXPECT_TRUE(bar.IsKindOf(RUNTIME_CLASS(CMenu)) && !bar.IsKindOf(nullptr));
}

TEST(MenuResources, TextsAndMnemonicsFollowChangesMadeByOthers) {
    GlyphMenu bar;
    ASSERT_TRUE(bar.LoadMenu(IDM_TEST_BAR));
    struct Text { UINT_PTR idOrPosition; UINT flags; BOOL found; const char* text; };
    const Text texts[] = {{ID_DEEP, MF_BYCOMMAND, TRUE, "Deep"}, {ID_RECENT_SECOND, MF_BYCOMMAND, TRUE, "Second"},
                          {4242, MF_BYCOMMAND, FALSE, ""}, {1, MF_BYPOSITION, TRUE, "&Edit"}, {3, MF_BYPOSITION, FALSE, ""}};
    for (const Text& t : texts) {
        std::string text;
        EXPECT_EQ(t.found, bar.GetItemText(t.idOrPosition, text, t.flags)) << t.idOrPosition;
        EXPECT_EQ(t.text, text) << t.idOrPosition;
    }

    CMenu* edit = bar.SubMenuAt(1);
    ::InsertMenuA(*edit, 0, MF_BYPOSITION | MF_STRING, 77, "&New");
    ::DeleteMenu(*edit, ID_LONG_LABEL, MF_BYCOMMAND);
    ::AppendMenuA(*edit, MF_SEPARATOR, 0, nullptr);
    struct Key { const char* label; UINT character; UINT flags; LRESULT answer; };
    const Key keys[] = {
        {"an item another party inserted", 'n', MF_POPUP, MAKELRESULT(0, MNC_EXECUTE)}, {"upper case finds lower", 'U', MF_POPUP, MAKELRESULT(1, MNC_EXECUTE)},
        {"a grayed item", 't', MF_POPUP, MAKELRESULT(2, MNC_EXECUTE)}, {"a popup item", 'm', MF_POPUP, MAKELRESULT(3, MNC_EXECUTE)},
        {"no such mnemonic", 'z', MF_POPUP, MNC_IGNORE}, {"not from a popup", 'n', 0, 0}};
    for (const Key& key : keys)
        EXPECT_EQ(key.answer, GlyphMenu::FindMnemonic(key.character, key.flags, edit)) << key.label;
    EXPECT_EQ("&New|&Undo \tCtrl+Z|Cu&t \tCtrl+X~|&More{Deep}|-~", Describe(*edit));
    EXPECT_EQ(5u, static_cast<GlyphMenu*>(edit)->items.size());
    ::AppendMenuW(*edit, MF_STRING, 78, L"&\u0153uvre");  // a mnemonic past Latin-1
    EXPECT_EQ(MAKELRESULT(5, MNC_EXECUTE), GlyphMenu::FindMnemonic(0x153, MF_POPUP, edit));
    CMenu* file = bar.SubMenuAt(0);  // a separator another party made plain is the menu's own again
    ::ModifyMenuA(*file, 2, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr), ::DeleteMenu(*file, 0, MF_BYPOSITION);
    EXPECT_EQ(MAKELRESULT(0, MNC_EXECUTE), GlyphMenu::FindMnemonic('a', MF_POPUP, file));
    EXPECT_EQ("Save &As... \tCtrl+Shift+S|-~|&Recent{First|Second*}", Describe(*file));
}

TEST(Measuring, ItemsInBothStylesAndOnOldSystems) {
    CWinApp app;  // without a main window: measured on the desktop
    CFont font;
    GlyphMenu::CreateMenuFont(font);
    CClientDC dc(nullptr);
    const HGDIOBJ old = dc.SelectObject(&font);
    const int text = dc.GetTextExtent("Save &As...\tCtrl+S").cx;
    dc.SelectObject(old);
    RECT narrow{0, 0, 0, 0};
    dc.DrawText("Save", &narrow, DT_CALCRECT | DT_SINGLELINE);
    const int bar = ::GetSystemMetrics(SM_CYMENU);
    struct Row { const char* label; int family; const char* text; UINT flags; int width, height; };
    const Row rows[] = {
        {"classic item, as from the first system of the 95 line", 2, "Save &As...\tCtrl+S", 0, text + 33, std::max(bar, 19)},
        {"flat item", 7, "Save &As...\tCtrl+S", 0, text + 31, std::max(bar, 22)},
        {"classic separator", 6, nullptr, MF_SEPARATOR, 0, std::max(bar / 2, 9)},
        {"flat separator", 7, nullptr, MF_SEPARATOR, 0, std::max(bar / 2, 11)},
        {"old system: system font, widened by three characters", 0, "Save", 0,
         narrow.right + 3 + 3 * ((narrow.right + 3) / 4) + 33, std::max(bar, 19)},
    };
    for (const Row& row : rows) {
        gui::ScopedFamily family(row.family);
        GlyphMenu menu;
        GlyphMenuItem item;
        item.SetText(row.text);
        item.flags = row.flags;
        MEASUREITEMSTRUCT measure{ODT_MENU, 0, 1, 99, 99, reinterpret_cast<ULONG_PTR>(&item)};
        menu.MeasureItem(&measure);
        EXPECT_EQ(row.width, static_cast<int>(measure.itemWidth)) << row.label;
        EXPECT_EQ(row.height, static_cast<int>(measure.itemHeight)) << row.label;
    }
}

TEST(Toolbars, AShortResourceIsRefusedAndOnlySixteenColourBitmapsAreMapped) {
    ToolBarResource toolbar;
    ASSERT_TRUE(toolbar.Load(IDT_TEST_TOOLBAR));
    EXPECT_EQ(-1, toolbar.CommandToIndex(ID_DEEP));
    EXPECT_EQ(-1, toolbar.GetButtonImage(5));
    EXPECT_FALSE(toolbar.Load(IDT_TRUNCATED));  // claims more buttons than it holds
    EXPECT_FALSE(toolbar.Load(65001));  // not there
    EXPECT_EQ(-1, toolbar.CommandToIndex(ID_OPEN));
    EXPECT_EQ(nullptr, GlyphMenu::LoadSysColorBitmap(IDB_TRUE_COLOUR));
}

}  // namespace
