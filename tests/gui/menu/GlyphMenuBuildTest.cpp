// Building GlyphMenus item by item and from menu resources, padding accelerator
// columns, keeping menu-bar titles plain and synchronising with the live menu.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "GlyphMenu.h"
#include "MenuTestSupport.h"
#include "menu_test_ids.h"

using menutest::LiveItem;
using menutest::ReadLiveItem;

namespace {

GlyphMenu* PopupObject(CMenu& menu, int position)
{
    CMenu* sub = menu.GetSubMenu(position);
    return sub != nullptr && sub->IsKindOf(RUNTIME_CLASS(GlyphMenu)) ? static_cast<GlyphMenu*>(sub)
                                                                     : nullptr;
}

// Every live item is owner-drawn and carries record i as its data.
void ExpectRecordsMatchPositions(GlyphMenu& menu)
{
    const int count = menu.GetMenuItemCount();
    ASSERT_EQ(static_cast<size_t>(count), menu.items.size());
    for (int i = 0; i < count; ++i) {
        const LiveItem live = ReadLiveItem(menu.m_hMenu, i);
        EXPECT_TRUE(live.type & MFT_OWNERDRAW) << "position " << i;
        EXPECT_EQ(reinterpret_cast<ULONG_PTR>(menu.items[i].get()), live.data) << "position " << i;
        const UINT_PTR id = live.subMenu != nullptr ? reinterpret_cast<UINT_PTR>(live.subMenu)
                                                    : (live.type & MFT_SEPARATOR) ? 0 : live.id;
        EXPECT_EQ(id, menu.items[i]->commandId) << "position " << i;
    }
}

std::string LabelOf(const std::string& text)
{
    return text.substr(0, text.find('\t'));
}

std::string Unpadded(std::string label)
{
    while (!label.empty() && label.back() == ' ')
        label.pop_back();
    return label;
}

}  // namespace

TEST(AppendItem, CommandsSeparatorsAndPopups)
{
    const size_t knownBefore = GlyphMenu::allSubMenus.size();
    GlyphMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());

    ASSERT_TRUE(menu.AppendItem(L"&Print\tCtrl+P", MF_STRING | MF_CHECKED, 40));
    ASSERT_TRUE(menu.AppendItem(L"ignored", MF_POPUP | MF_CHECKED, 0));
    ASSERT_TRUE(menu.AppendItem(nullptr, MF_BYPOSITION | MF_GRAYED, 0));
    HMENU popup = ::CreatePopupMenu();
    ASSERT_TRUE(menu.AppendItem(L"&More", MF_POPUP, reinterpret_cast<UINT_PTR>(popup)));

    ASSERT_EQ(4u, menu.items.size());
    EXPECT_EQ(static_cast<UINT>(MF_STRING | MF_CHECKED | MF_OWNERDRAW), menu.items[0]->flags);
    EXPECT_STREQ(L"&Print\tCtrl+P", menu.items[0]->WideText());
    EXPECT_EQ(static_cast<UINT>(MF_SEPARATOR | MF_OWNERDRAW), menu.items[1]->flags)
        << "id 0 makes a separator whatever the flags";
    EXPECT_EQ(static_cast<UINT>(MF_SEPARATOR | MF_OWNERDRAW | MF_BYPOSITION), menu.items[2]->flags);
    EXPECT_EQ(static_cast<UINT>(MF_POPUP | MF_OWNERDRAW), menu.items[3]->flags);
    ExpectRecordsMatchPositions(menu);
    EXPECT_TRUE(ReadLiveItem(menu.m_hMenu, 0).state & MFS_CHECKED);
    EXPECT_TRUE(ReadLiveItem(menu.m_hMenu, 1).type & MFT_SEPARATOR);

    ASSERT_EQ(1u, menu.subMenus.size()) << "separators never enter the popup lists";
    EXPECT_EQ(popup, menu.subMenus[0]);
    EXPECT_EQ(knownBefore + 1, GlyphMenu::allSubMenus.size());
    EXPECT_TRUE(GlyphMenu::IsKnownSubMenu(popup));
}

TEST(AppendItem, FailedAppendLeavesNoRecord)
{
    const size_t knownBefore = GlyphMenu::allSubMenus.size();
    GlyphMenu menu;  // no menu handle: nothing can be appended
    HMENU popup = ::CreatePopupMenu();
    EXPECT_FALSE(menu.AppendItem(L"&Lost", MF_POPUP, reinterpret_cast<UINT_PTR>(popup)));
    EXPECT_FALSE(menu.AppendItem(L"Lost too", MF_STRING, 5));
    EXPECT_TRUE(menu.items.empty());
    EXPECT_TRUE(menu.subMenus.empty());
    EXPECT_EQ(knownBefore, GlyphMenu::allSubMenus.size());
    ::DestroyMenu(popup);
}

TEST(AppendItem, CommandShowsTheImageRecordedEarlier)
{
    const size_t before = GlyphMenu::sharedImageIds.size();
    GlyphMenu::sharedImageIds.push_back(4711);  // as if an earlier append added its image
    GlyphMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    ASSERT_TRUE(menu.AppendItem(L"Known", MF_STRING, 4711));
    ASSERT_TRUE(menu.AppendItem(L"Unknown", MF_STRING, 4712));
    EXPECT_EQ(static_cast<int>(before), menu.items[0]->sharedImageIndex);
    EXPECT_EQ(-1, menu.items[1]->sharedImageIndex);
    GlyphMenu::sharedImageIds.resize(before);
}

TEST(AppendItem, ImageFromAToolbarBitmap)
{
    menutest::ScopedFamily classic(menutest::classicFamily);
    GlyphMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    ASSERT_TRUE(menu.AppendItem(L"Cu&t", MF_STRING, ID_CUT, IDT_TEST_TOOLBAR));
    ASSERT_TRUE(menu.AppendItem(L"Deep", MF_STRING, ID_DEEP, IDT_TEST_TOOLBAR));
    ASSERT_TRUE(menu.AppendItem(L"Cut again", MF_STRING, ID_CUT));

    const int cut = menu.items[0]->sharedImageIndex;
    const int deep = menu.items[1]->sharedImageIndex;
    ASSERT_GE(cut, 0);
    ASSERT_GE(deep, 0);
    EXPECT_NE(cut, deep);
    EXPECT_EQ(cut, menu.items[2]->sharedImageIndex) << "the command's image is found again";

    auto colourOf = [](int index) {
        HDC dc = ::CreateCompatibleDC(nullptr);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = 16;
        info.bmiHeader.biHeight = -15;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        HBITMAP bitmap = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = ::SelectObject(dc, bitmap);
        ::ImageList_Draw(GlyphMenu::sharedImages, index, dc, 0, 0, ILD_NORMAL);
        const COLORREF colour = ::GetPixel(dc, 8, 8);
        ::SelectObject(dc, old);
        ::DeleteObject(bitmap);
        ::DeleteDC(dc);
        return colour;
    };
    EXPECT_EQ(RGB(255, 255, 0), colourOf(cut)) << "the fourth button's cell";
    EXPECT_EQ(RGB(255, 0, 0), colourOf(deep)) << "a command not on the toolbar takes the first cell";
}

TEST(MenuResources, NestedPopupsBecomeOwnerDrawnUnderAPlainBar)
{
    GlyphMenu bar;
    bar.checkedImage = 3;
    bar.checkedSelectedImage = 4;
    ASSERT_TRUE(bar.LoadMenu(IDM_TEST_BAR));
    EXPECT_TRUE(bar.isMenuBar);
    ASSERT_EQ(3, bar.GetMenuItemCount());
    ASSERT_EQ(3u, bar.items.size());

    // The bar: plain texts, popups keep their handles.
    const char* titles[] = {"&File", "&Edit", "&About"};
    for (int i = 0; i < 3; ++i) {
        const LiveItem live = ReadLiveItem(bar.m_hMenu, i);
        EXPECT_FALSE(live.type & MFT_OWNERDRAW) << titles[i];
        EXPECT_EQ(titles[i], live.text);
    }
    EXPECT_EQ(static_cast<UINT>(MF_BYPOSITION | MF_POPUP), bar.items[0]->flags);
    EXPECT_EQ(static_cast<UINT>(MF_BYPOSITION | MF_POPUP), bar.items[1]->flags);
    EXPECT_EQ(static_cast<UINT>(MF_BYPOSITION | MF_STRING), bar.items[2]->flags);
    EXPECT_EQ(static_cast<UINT>(ID_HELP_ABOUT), ReadLiveItem(bar.m_hMenu, 2).id);

    GlyphMenu* file = PopupObject(bar, 0);
    GlyphMenu* edit = PopupObject(bar, 1);
    ASSERT_NE(nullptr, file);
    ASSERT_NE(nullptr, edit);
    EXPECT_FALSE(file->isMenuBar);
    EXPECT_EQ(3, file->checkedImage) << "sub-menus take the root's check settings";
    EXPECT_EQ(4, file->checkedSelectedImage);
    EXPECT_TRUE(file->checkImagesShared);

    ASSERT_EQ(4, file->GetMenuItemCount());
    ExpectRecordsMatchPositions(*file);
    EXPECT_TRUE(ReadLiveItem(file->m_hMenu, 2).type & MFT_SEPARATOR);
    GlyphMenu* recent = PopupObject(*file, 3);
    ASSERT_NE(nullptr, recent);
    ASSERT_EQ(2, recent->GetMenuItemCount());
    ExpectRecordsMatchPositions(*recent);
    EXPECT_EQ("Second", recent->items[1]->GetText());
    EXPECT_TRUE(ReadLiveItem(recent->m_hMenu, 1).state & MFS_CHECKED);
    EXPECT_FALSE(recent->items[1]->flags & MF_END) << "the end mark is not an item flag";

    // Edit ends with a popup: its level ends after the popup's own items.
    ASSERT_EQ(4, edit->GetMenuItemCount());
    ExpectRecordsMatchPositions(*edit);
    EXPECT_TRUE(ReadLiveItem(edit->m_hMenu, 2).state & MFS_GRAYED);
    GlyphMenu* more = PopupObject(*edit, 3);
    ASSERT_NE(nullptr, more);
    ASSERT_EQ(1, more->GetMenuItemCount());
    EXPECT_EQ(static_cast<UINT_PTR>(ID_DEEP), more->items[0]->commandId);
}

TEST(MenuResources, PopupAsTheLastItemEndsTheBar)
{
    GlyphMenu bar;
    ASSERT_TRUE(bar.LoadMenu(MAKEINTRESOURCEA(IDM_LAST_POPUP)));
    ASSERT_EQ(1, bar.GetMenuItemCount());
    GlyphMenu* only = PopupObject(bar, 0);
    ASSERT_NE(nullptr, only);
    ASSERT_EQ(1, only->GetMenuItemCount());
    EXPECT_EQ("Item", only->items[0]->GetText());
}

TEST(MenuResources, FailuresAndReloading)
{
    GlyphMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDM_TEST_BAR));
    const HMENU first = menu.m_hMenu;
    const HMENU firstFile = ::GetSubMenu(first, 0);

    EXPECT_FALSE(menu.LoadMenu(4242u)) << "no such resource";
    EXPECT_EQ(first, menu.m_hMenu) << "the menu is left as it was";
    EXPECT_EQ(3u, menu.items.size());
    EXPECT_FALSE(menu.LoadMenu(IDM_EXTENDED)) << "an extended template is not read as a standard one";
    EXPECT_EQ(first, menu.m_hMenu);

    ASSERT_TRUE(menu.LoadMenu(IDM_LAST_POPUP));
    EXPECT_FALSE(::IsMenu(first)) << "the old contents are destroyed";
    EXPECT_FALSE(::IsMenu(firstFile));
    EXPECT_EQ(1u, menu.items.size());
}

TEST(MenuResources, AcceleratorTextsPaddedToTheWidestLabel)
{
    GlyphMenu bar;
    ASSERT_TRUE(bar.LoadMenu(IDM_TEST_BAR));
    for (int position : {0, 1}) {
        GlyphMenu* popup = PopupObject(bar, position);
        ASSERT_NE(nullptr, popup);
        // The widest label as written in the resource, plus one blank.
        int widest = -1;
        for (auto& record : popup->items)
            widest = std::max(widest, menutest::MenuFontTextWidth(Unpadded(LabelOf(record->GetText())) + " "));
        for (auto& record : popup->items) {
            const std::string text = record->GetText();
            const size_t tab = text.find('\t');
            if (tab == std::string::npos)
                continue;
            const std::string label = text.substr(0, tab);
            ASSERT_FALSE(label.empty());
            EXPECT_EQ(' ', label.back()) << text;
            EXPECT_GE(menutest::MenuFontTextWidth(label), widest) << text;
            EXPECT_LT(menutest::MenuFontTextWidth(label.substr(0, label.size() - 1)), widest)
                << "no more blanks than needed: " << text;
        }
    }
    GlyphMenu* edit = PopupObject(bar, 1);
    EXPECT_EQ("A considerably longer label", edit->items[1]->GetText()) << "no tab, unchanged";
    EXPECT_EQ("&More", edit->items[3]->GetText());
    const std::string undo = edit->items[0]->GetText();
    EXPECT_EQ(0u, undo.find("&Undo "));
    EXPECT_EQ("\tCtrl+Z", undo.substr(undo.find('\t')));
}

TEST(MenuBarTitles, StayPlainBehindItemsInsertedByOthers)
{
    GlyphMenu bar;
    ASSERT_TRUE(bar.LoadMenu(IDM_TEST_BAR));
    EXPECT_EQ(0, bar.FirstOwnPosition());
    ASSERT_TRUE(::InsertMenuA(bar.m_hMenu, 0, MF_BYPOSITION | MF_STRING, 70, "Window"));
    EXPECT_EQ(1, bar.FirstOwnPosition()) << "one foreign item in front";

    HMENU tools = ::CreatePopupMenu();
    ::AppendMenuA(tools, MF_STRING, 71, "Options");
    ASSERT_TRUE(bar.AppendItem(L"&Tools", MF_POPUP, reinterpret_cast<UINT_PTR>(tools)));
    const LiveItem live = ReadLiveItem(bar.m_hMenu, 4);
    EXPECT_FALSE(live.type & MFT_OWNERDRAW) << "a bar's popup title is plain text";
    EXPECT_EQ("&Tools", live.text);
    EXPECT_EQ(tools, live.subMenu);
    EXPECT_EQ(static_cast<UINT>(MF_BYPOSITION | MF_POPUP), bar.items[3]->flags);
    EXPECT_EQ("Window", ReadLiveItem(bar.m_hMenu, 0).text);
    EXPECT_EQ("&File", ReadLiveItem(bar.m_hMenu, 1).text);

    GlyphMenu popup;
    ASSERT_TRUE(popup.CreatePopupMenu());
    ASSERT_TRUE(popup.AppendItem(L"x", MF_STRING, 1));
    EXPECT_EQ(0, popup.FirstOwnPosition()) << "only a menu bar has an offset";
}

TEST(Synchronisation, RecordsFollowChangesMadeByOthers)
{
    GlyphMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    ASSERT_TRUE(menu.AppendItem(L"Alpha", MF_STRING, 1));
    ASSERT_TRUE(menu.AppendItem(nullptr, MF_STRING, 0));
    ASSERT_TRUE(menu.AppendItem(L"Beta", MF_STRING, 2));
    ASSERT_TRUE(menu.AppendItem(L"Gamma", MF_STRING, 3));
    GlyphMenuItem* alpha = menu.items[0].get();
    GlyphMenuItem* separator = menu.items[1].get();
    GlyphMenuItem* beta = menu.items[2].get();
    GlyphMenuItem* gamma = menu.items[3].get();

    // Another party inserts, removes and changes items.
    ASSERT_TRUE(::InsertMenuA(menu.m_hMenu, 0, MF_BYPOSITION | MF_STRING, 9, "Inserted"));
    ASSERT_TRUE(::DeleteMenu(menu.m_hMenu, 2, MF_BYCOMMAND));
    ASSERT_TRUE(::ModifyMenuA(menu.m_hMenu, 3, MF_BYCOMMAND | MF_STRING | MF_GRAYED, 3, "Changed"));
    ASSERT_TRUE(::AppendMenuA(menu.m_hMenu, MF_SEPARATOR, 0, nullptr));
    HMENU popup = ::CreatePopupMenu();
    for (int i = 0; i < 8; ++i)  // eight items: a count that looks like MF_SEPARATOR
        ::AppendMenuA(popup, MF_STRING, 100 + i, "entry");
    ASSERT_TRUE(::AppendMenuA(menu.m_hMenu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), "&Sub"));

    menu.SyncWithHandle();

    // Inserted, Alpha, separator, Changed, new separator, Sub.
    ASSERT_EQ(6u, menu.items.size());
    ExpectRecordsMatchPositions(menu);
    EXPECT_EQ("Inserted", menu.items[0]->GetText());
    EXPECT_EQ(alpha, menu.items[1].get()) << "matched records are kept";
    EXPECT_EQ("Alpha", menu.items[1]->GetText());
    EXPECT_EQ(separator, menu.items[2].get());
    EXPECT_EQ(gamma, menu.items[3].get());
    EXPECT_EQ("Changed", menu.items[3]->GetText());
    EXPECT_TRUE(menu.items[3]->flags & MF_GRAYED);
    EXPECT_TRUE(menu.items[4]->flags & MF_SEPARATOR);
    EXPECT_EQ("", menu.items[4]->GetText());
    EXPECT_EQ(reinterpret_cast<UINT_PTR>(popup), menu.items[5]->commandId);
    EXPECT_EQ("&Sub", menu.items[5]->GetText());
    const LiveItem sub = ReadLiveItem(menu.m_hMenu, 5);
    EXPECT_EQ(popup, sub.subMenu) << "a popup stays a popup";
    EXPECT_FALSE(sub.type & MFT_SEPARATOR);
    for (auto& record : menu.items)
        EXPECT_NE(beta, record.get()) << "the removed item's record is gone";

    // A second synchronisation changes nothing.
    std::vector<GlyphMenuItem*> before;
    for (auto& record : menu.items)
        before.push_back(record.get());
    menu.SyncWithHandle();
    ASSERT_EQ(before.size(), menu.items.size());
    for (size_t i = 0; i < before.size(); ++i)
        EXPECT_EQ(before[i], menu.items[i].get());
}

TEST(Synchronisation, SeparatorRecordIsPutBackAtItsPosition)
{
    // Position 1 holds a separator while command 1 sits at position 0: the
    // record goes back by position, never onto the command of that number.
    GlyphMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    ASSERT_TRUE(menu.AppendItem(L"One", MF_STRING, 1));
    ASSERT_TRUE(menu.AppendItem(nullptr, MF_STRING, 0));
    ASSERT_TRUE(menu.AppendItem(L"Two", MF_STRING, 2));
    ASSERT_TRUE(::AppendMenuA(menu.m_hMenu, MF_STRING, 9, "Tail"));

    menu.SyncWithHandle();
    ASSERT_EQ(4u, menu.items.size());
    ExpectRecordsMatchPositions(menu);
    EXPECT_FALSE(ReadLiveItem(menu.m_hMenu, 0).type & MFT_SEPARATOR);
    EXPECT_TRUE(ReadLiveItem(menu.m_hMenu, 1).type & MFT_SEPARATOR);
    EXPECT_EQ(1u, ReadLiveItem(menu.m_hMenu, 0).id);
}

TEST(RealPopup, TypedMnemonicChoosesAnOwnerDrawnItem)
{
    GlyphMenu bar;
    ASSERT_TRUE(bar.LoadMenu(IDM_TEST_BAR));
    GlyphMenu* file = PopupObject(bar, 0);
    ASSERT_NE(nullptr, file);

    menutest::MenuOwnerWindow owner(file);
    EXPECT_EQ(static_cast<UINT>(ID_SAVE_AS), owner.TrackAndType(file->m_hMenu, 'a'));
    EXPECT_GE(owner.MenuCharQueries(), 1) << "owner-drawn items are found through WM_MENUCHAR";
    EXPECT_EQ(0u, owner.TrackAndType(file->m_hMenu, 'x')) << "no item has &x";

    // The popup measured every item through its own records.
    std::vector<ULONG_PTR> records;
    for (auto& record : file->items)
        records.push_back(reinterpret_cast<ULONG_PTR>(record.get()));
    for (const auto& measured : owner.MeasuredItems())
        EXPECT_NE(records.end(), std::find(records.begin(), records.end(), measured.itemData));
}
