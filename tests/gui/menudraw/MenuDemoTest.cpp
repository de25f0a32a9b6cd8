// The demo: a menu resource with images, checks, a radio group, disabled items
// and accelerators, loaded into a GlyphMenu and opened for real in each style
// by a window that hands the owner-draw messages to the menu objects. A
// screenshot of each open menu is saved beside the test program.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

#include "DrawTestSupport.h"
#include "menudraw_ids.h"

using namespace menudraw;

namespace {

// A top-level window that tracks a popup and serves its owner-draw messages.
// While the menu is open it selects the first item, waits until that item has
// been drawn highlighted, captures the menu from the screen and closes it.
class DemoOwner {
public:
    explicit DemoOwner(GlyphMenu& root) : m_root(root)
    {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &DemoOwner::Proc;
        windowClass.hInstance = ::GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "MenuDrawDemoOwner";
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        ::RegisterClassA(&windowClass);
        m_hwnd = ::CreateWindowExA(0, "MenuDrawDemoOwner", "Menu demo", WS_OVERLAPPEDWINDOW,
                                   20, 20, 320, 240, nullptr, nullptr,
                                   ::GetModuleHandleA(nullptr), this);
        ::SetWindowLongPtrA(m_hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        ::ShowWindow(m_hwnd, SW_SHOW);
        ::UpdateWindow(m_hwnd);
    }
    ~DemoOwner() { ::DestroyWindow(m_hwnd); }
    DemoOwner(const DemoOwner&) = delete;
    DemoOwner& operator=(const DemoOwner&) = delete;

    UINT Track(HMENU popup)
    {
        m_drawn.clear();
        m_sawSelected = false;
        m_shot.reset();
        m_keyPosted = false;
        ::SetForegroundWindow(m_hwnd);
        ::SetTimer(m_hwnd, 1, 50, nullptr);
        const UINT command = static_cast<UINT>(::TrackPopupMenu(
            popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD, 40, 40, 0, m_hwnd, nullptr));
        ::KillTimer(m_hwnd, 1);
        return command;
    }

    const std::set<ULONG_PTR>& Drawn() const { return m_drawn; }
    const Canvas* Shot() const { return m_shot.get(); }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* self = reinterpret_cast<DemoOwner*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (self != nullptr) {
            switch (message) {
            case WM_MEASUREITEM: {
                auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
                if (measure->CtlType == ODT_MENU) {
                    self->m_root.MeasureItem(measure);
                    return TRUE;
                }
                break;
            }
            case WM_DRAWITEM: {
                auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
                if (draw->CtlType == ODT_MENU) {
                    if (CMenu* menu = CMenu::FromHandlePermanent(
                            reinterpret_cast<HMENU>(draw->hwndItem)))
                        menu->DrawItem(draw);
                    self->m_drawn.insert(draw->itemData);
                    if (draw->itemState & ODS_SELECTED)
                        self->m_sawSelected = true;
                    return TRUE;
                }
                break;
            }
            case WM_TIMER:
                self->Step();
                return 0;
            default:
                break;
            }
        }
        return ::DefWindowProcA(hwnd, message, wParam, lParam);
    }

    void Step()
    {
        HWND popup = ::FindWindowA("#32768", nullptr);
        if (popup == nullptr || !::IsWindowVisible(popup))
            return;
        if (!m_keyPosted) {
            ::PostMessageA(m_hwnd, WM_KEYDOWN, VK_DOWN, 0);
            m_keyPosted = true;
            return;
        }
        if (!m_sawSelected)
            return;
        RECT rect;
        ::GetWindowRect(popup, &rect);
        m_shot = std::make_unique<Canvas>(rect.right - rect.left, rect.bottom - rect.top);
        if (!gui::CaptureScreen(popup, *m_shot))
            m_shot.reset();
        ::EndMenu();
    }

    GlyphMenu& m_root;
    HWND m_hwnd = nullptr;
    std::set<ULONG_PTR> m_drawn;
    bool m_sawSelected = false;
    bool m_keyPosted = false;
    std::unique_ptr<Canvas> m_shot;
};

std::string ScreenshotPath(const char* name)
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    folder.resize(folder.find_last_of('\\') + 1);
    folder += "screenshots";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    return folder + "\\" + name;
}

// The toolbar's images under their commands, as items with an image source get
// them; the menu resource's items then find them by command.
void AddDemoImages(GlyphMenu& menu)
{
    CImageList cells;
    ASSERT_TRUE(cells.Create(menu.iconWidth, menu.iconHeight, ILC_COLORDDB | ILC_MASK, 1, 1));
    ASSERT_TRUE(menu.AddBitmapImages(&cells, IDT_DRAW_TOOLBAR));
    for (UINT id : {ID_DRAW_OPEN, ID_DRAW_SAVE, ID_DRAW_BOLD, ID_DRAW_CUT}) {
        int index = 0;
        menu.LookupToolbarImage(id, IDT_DRAW_TOOLBAR, index);
        ASSERT_GE(menu.AddSharedImage(&cells, index, id), 0);
    }
}

// Loads the demo menu and opens its popup; answers the screenshot.
void RunDemo(const char* screenshot, COLORREF selectedFill, COLORREF restingSave)
{
    GlyphMenu root;
    ASSERT_TRUE(root.LoadMenu(IDM_DRAW_DEMO));
    CMenu* popup = root.SubMenuAt(0);
    ASSERT_NE(popup, nullptr);
    ASSERT_TRUE(popup->IsKindOf(RUNTIME_CLASS(GlyphMenu)));
    auto* items = static_cast<GlyphMenu*>(popup);
    ::CheckMenuRadioItem(*popup, ID_DRAW_LEFT, ID_DRAW_RIGHT, ID_DRAW_CENTRE, MF_BYCOMMAND);

    DemoOwner owner(root);
    EXPECT_EQ(owner.Track(*popup), 0u);
    // Every item was drawn by the menu.
    for (const auto& record : items->items)
        EXPECT_EQ(owner.Drawn().count(reinterpret_cast<ULONG_PTR>(record.get())), 1u)
            << record->GetText();
    const Canvas* shot = owner.Shot();
    ASSERT_NE(shot, nullptr);
    EXPECT_TRUE(shot->SaveBmp(ScreenshotPath(screenshot)));
    const RECT all{0, 0, shot->Width(), shot->Height()};
    // The first item under the cursor, the resting Save image, a tick and a dot.
    EXPECT_GT(shot->Count(all, selectedFill), 100);
    EXPECT_GT(shot->Count(all, restingSave), 20);
    EXPECT_GT(shot->Count(all, Sys(COLOR_MENUTEXT)), 100);
    CMenu::DeleteTempMap();
}

}  // namespace

TEST(MenuDemo, OpensInTheFlatAndTheClassicStyle)
{
    {
        // Images first added in the flat style keep their faded and shadow
        // copies, which the classic style simply does not use.
        ScopedFamily flat(flatFamily);
        ASSERT_TRUE(GlyphMenu::UsesFlatStyle());
        GlyphMenu images;
        AddDemoImages(images);
        SCOPED_TRACE("flat");
        RunDemo("menu-flat.bmp", GlyphMenu::Lighten(Sys(COLOR_HIGHLIGHT), 0.7),
                GlyphMenu::Lighten(blue, 0.3));
    }
    {
        ScopedFamily classic(classicFamily);
        ASSERT_FALSE(GlyphMenu::UsesFlatStyle());
        SCOPED_TRACE("classic");
        RunDemo("menu-classic.bmp", Sys(COLOR_HIGHLIGHT), blue);
    }
}
