// The framework's object, GDI and menu wrappers: ownership, handle map, scoped
// selection, memory contexts that copy back, resource loaders.
#include <gtest/gtest.h>

#include "CBitmap.h"
#include "CBrush.h"
#include "CClientDC.h"
#include "CDC.h"
#include "CFont.h"
#include "CImageList.h"
#include "CMemDC.h"
#include "CMenu.h"
#include "CPaintDC.h"
#include "CPen.h"
#include "GlyphMenu.h"
#include "ResourceLookup.h"
#include "ScopedSelect.h"
#include "SysColorBitmap.h"
#include "ToolBarResource.h"
#include "menu_test_ids.h"

namespace {

// A 32-bit DIB section selected into a memory context, for reading pixels back.
class PixelCanvas {
public:
    PixelCanvas(int width, int height)
    {
        m_dc.CreateCompatibleDC(static_cast<HDC>(nullptr));
        m_bitmap.CreateDIBSection32(m_dc, width, height);
        m_old = m_dc.SelectObject(&m_bitmap);
    }
    ~PixelCanvas() { m_dc.SelectObject(m_old); }

    CDC& Dc() { return m_dc; }
    COLORREF At(int x, int y) const { return m_dc.GetPixel(x, y); }

private:
    CDC m_dc;
    CBitmap m_bitmap;
    HGDIOBJ m_old = nullptr;
};

bool IsGdiObject(HGDIOBJ object)
{
    return ::GetObjectType(object) != 0;
}

}  // namespace

TEST(RuntimeClass, KindOfFollowsTheBaseChain)
{
    GlyphMenu glyph;
    CMenu plain;
    const CObject& asObject = glyph;
    EXPECT_STREQ("GlyphMenu", asObject.GetRuntimeClass()->m_lpszClassName);
    EXPECT_TRUE(asObject.IsKindOf(RUNTIME_CLASS(GlyphMenu)));
    EXPECT_TRUE(asObject.IsKindOf(RUNTIME_CLASS(CMenu)));
    EXPECT_TRUE(asObject.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(plain.IsKindOf(RUNTIME_CLASS(GlyphMenu)));
    EXPECT_FALSE(plain.IsKindOf(RUNTIME_CLASS(CDC)));
    EXPECT_FALSE(plain.IsKindOf(nullptr));
    EXPECT_EQ(RUNTIME_CLASS(CMenu), RUNTIME_CLASS(GlyphMenu)->m_pBaseClass);
}

TEST(MenuHandleMap, PermanentAndTemporaryWrappers)
{
    CMenu owner;
    ASSERT_TRUE(owner.CreatePopupMenu());
    EXPECT_EQ(&owner, CMenu::FromHandlePermanent(owner.m_hMenu));
    EXPECT_EQ(&owner, CMenu::FromHandle(owner.m_hMenu));

    HMENU loose = ::CreatePopupMenu();
    EXPECT_EQ(nullptr, CMenu::FromHandlePermanent(loose));
    CMenu* temporary = CMenu::FromHandle(loose);
    ASSERT_NE(nullptr, temporary);
    EXPECT_EQ(loose, temporary->m_hMenu);
    EXPECT_EQ(temporary, CMenu::FromHandle(loose)) << "one temporary wrapper per handle";
    EXPECT_EQ(nullptr, CMenu::FromHandle(nullptr));

    // A handle has one permanent wrapper; an object holds one handle.
    CMenu second;
    EXPECT_FALSE(second.Attach(owner.m_hMenu));
    EXPECT_FALSE(owner.Attach(loose));

    CMenu::DeleteTempMap();
    EXPECT_TRUE(::IsMenu(loose)) << "freeing temporary wrappers leaves their menus alone";

    EXPECT_TRUE(second.Attach(loose));
    EXPECT_EQ(&second, CMenu::FromHandle(loose));
    EXPECT_EQ(loose, second.Detach());
    EXPECT_EQ(nullptr, CMenu::FromHandlePermanent(loose));
    EXPECT_TRUE(::IsMenu(loose)) << "detaching hands the menu back";
    ::DestroyMenu(loose);
}

TEST(MenuHandleMap, WrapperDestroysItsMenuAndLeavesTheMap)
{
    HMENU handle = nullptr;
    {
        CMenu menu;
        ASSERT_TRUE(menu.CreateMenu());
        handle = menu.m_hMenu;
        EXPECT_TRUE(menu.AppendMenu(MF_STRING, 7, "Seven"));
        EXPECT_EQ(1, menu.GetMenuItemCount());
        EXPECT_EQ("Seven", menu.GetMenuString(7, MF_BYCOMMAND));
    }
    EXPECT_FALSE(::IsMenu(handle));
    EXPECT_EQ(nullptr, CMenu::FromHandlePermanent(handle));

    CMenu empty;
    EXPECT_FALSE(empty.DestroyMenu());
    EXPECT_FALSE(empty.LoadMenu(12345u)) << "no such menu resource";
}

TEST(GdiObjects, OwnedMovedAndDeleted)
{
    HGDIOBJ handle = nullptr;
    {
        CBrush brush(RGB(1, 2, 3));
        handle = brush.GetSafeHandle();
        ASSERT_TRUE(IsGdiObject(handle));
        CBrush moved(std::move(brush));
        EXPECT_EQ(nullptr, brush.GetSafeHandle());
        EXPECT_EQ(handle, moved.GetSafeHandle());
        EXPECT_TRUE(IsGdiObject(handle));
    }
    EXPECT_FALSE(IsGdiObject(handle)) << "the last owner deletes";

    CPen pen(PS_SOLID, 0, RGB(9, 9, 9));
    HGDIOBJ penHandle = pen.GetSafeHandle();
    HGDIOBJ detached = pen.Detach();
    EXPECT_EQ(penHandle, detached);
    EXPECT_EQ(nullptr, pen.GetSafeHandle());
    EXPECT_TRUE(IsGdiObject(detached)) << "detaching gives ownership away";
    ::DeleteObject(detached);

    CFont font;
    EXPECT_TRUE(GlyphMenu::CreateMenuFont(font));
    LOGFONTA described{};
    EXPECT_TRUE(font.GetLogFont(&described));
    EXPECT_FALSE(font.CreateFontIndirect(&described)) << "a wrapper holds one font";
}

TEST(GdiObjects, ScopedSelectPutsTheOldObjectBack)
{
    PixelCanvas canvas(4, 4);
    HGDIOBJ before = ::GetCurrentObject(canvas.Dc(), OBJ_BRUSH);
    {
        CBrush brush(RGB(10, 20, 30));
        ScopedSelect select(canvas.Dc(), brush);
        EXPECT_EQ(brush.GetSafeHandle(), ::GetCurrentObject(canvas.Dc(), OBJ_BRUSH));
        EXPECT_EQ(before, select.Old());
    }
    EXPECT_EQ(before, ::GetCurrentObject(canvas.Dc(), OBJ_BRUSH));
}

TEST(DeviceContexts, BorrowedContextOutlivesItsWrapper)
{
    HDC memory = ::CreateCompatibleDC(nullptr);
    {
        CDC borrowed(memory);
        EXPECT_FALSE(borrowed.IsOwned());
    }
    EXPECT_NE(0u, ::GetObjectType(memory)) << "a borrowed context is not deleted";
    {
        CDC owner;
        EXPECT_TRUE(owner.Attach(memory, true));
        CDC moved(std::move(owner));
        EXPECT_EQ(nullptr, owner.GetSafeHdc());
        EXPECT_TRUE(moved.IsOwned());
    }
    EXPECT_EQ(0u, ::GetObjectType(memory)) << "an owned context is deleted";

    CClientDC screen(nullptr);
    EXPECT_NE(nullptr, screen.GetSafeHdc());
}

namespace {
int paints = 0;
LRESULT CALLBACK PaintingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        CPaintDC dc(hwnd);
        if (dc.GetSafeHdc() != nullptr && dc.m_ps.hdc == dc.GetSafeHdc())
            ++paints;
        return 0;
    }
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
}
}  // namespace

TEST(DeviceContexts, PaintContextEndsThePaint)
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &PaintingProc;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "GdiWrapperPaintTest";
    ::RegisterClassA(&windowClass);
    HWND hwnd = ::CreateWindowExA(0, windowClass.lpszClassName, "paint", WS_POPUP | WS_VISIBLE, 0, 0,
                                  40, 40, nullptr, nullptr, windowClass.hInstance, nullptr);
    ASSERT_NE(nullptr, hwnd);
    paints = 0;
    ::InvalidateRect(hwnd, nullptr, TRUE);
    ::UpdateWindow(hwnd);
    EXPECT_EQ(1, paints);
    EXPECT_FALSE(::GetUpdateRect(hwnd, nullptr, FALSE)) << "the window is valid again";
    ::UpdateWindow(hwnd);
    EXPECT_EQ(1, paints) << "no second paint for a valid window";
    ::DestroyWindow(hwnd);
}

TEST(DeviceContexts, FillsAndFramesHitTheirPixels)
{
    PixelCanvas canvas(10, 10);
    CDC& dc = canvas.Dc();
    dc.SetBkColor(RGB(1, 1, 1));
    dc.FillSolidRect(RECT{0, 0, 10, 10}, RGB(200, 100, 50));
    EXPECT_EQ(RGB(1, 1, 1), dc.GetBkColor()) << "filling keeps the background colour";
    EXPECT_EQ(RGB(200, 100, 50), canvas.At(5, 5));

    const COLORREF light = RGB(255, 255, 0);
    const COLORREF dark = RGB(0, 0, 128);
    dc.Draw3dRect(RECT{2, 2, 8, 8}, light, dark);
    EXPECT_EQ(light, canvas.At(2, 2));
    EXPECT_EQ(light, canvas.At(6, 2));
    EXPECT_EQ(light, canvas.At(2, 6));
    EXPECT_EQ(dark, canvas.At(7, 2)) << "top-right corner belongs to the dark side";
    EXPECT_EQ(dark, canvas.At(2, 7)) << "bottom-left corner belongs to the dark side";
    EXPECT_EQ(dark, canvas.At(7, 7));
    EXPECT_EQ(RGB(200, 100, 50), canvas.At(4, 4)) << "inside untouched";
    EXPECT_EQ(RGB(200, 100, 50), canvas.At(8, 8)) << "outside untouched";
}

TEST(DeviceContexts, MemoryContextCopiesBackWhenItGoes)
{
    PixelCanvas canvas(20, 20);
    canvas.Dc().FillSolidRect(RECT{0, 0, 20, 20}, RGB(255, 255, 255));
    {
        CMemDC offscreen(canvas.Dc(), RECT{5, 5, 15, 15});
        EXPECT_TRUE(offscreen.IsOffscreen());
        offscreen.FillSolidRect(RECT{5, 5, 15, 15}, RGB(0, 128, 0));
        offscreen.FillSolidRect(RECT{10, 10, 12, 12}, RGB(128, 0, 0));
        EXPECT_EQ(RGB(255, 255, 255), canvas.At(10, 10)) << "nothing shows before the copy";
    }
    EXPECT_EQ(RGB(0, 128, 0), canvas.At(5, 5));
    EXPECT_EQ(RGB(0, 128, 0), canvas.At(14, 14));
    EXPECT_EQ(RGB(128, 0, 0), canvas.At(10, 10)) << "target coordinates are kept";
    EXPECT_EQ(RGB(255, 255, 255), canvas.At(4, 4));
    EXPECT_EQ(RGB(255, 255, 255), canvas.At(15, 15));
}

TEST(ImageLists, AddReplaceExtractAndOwn)
{
    CImageList list;
    ASSERT_TRUE(list.Create(16, 15, ILC_COLORDDB | ILC_MASK, 1, 1));
    EXPECT_FALSE(list.Create(16, 15, ILC_COLORDDB | ILC_MASK, 1, 1)) << "one list per owner";
    CBitmap strip;
    ASSERT_TRUE(strip.LoadBitmap(IDT_TEST_TOOLBAR));
    EXPECT_EQ(0, list.Add(strip, RGB(192, 192, 192)));
    EXPECT_EQ(4, list.GetImageCount()) << "a 64-pixel strip is four cells";
    int cx = 0, cy = 0;
    EXPECT_TRUE(list.GetIconSize(&cx, &cy));
    EXPECT_EQ(16, cx);
    EXPECT_EQ(15, cy);

    // Image 3 (yellow) copied over image 0 (red) through an icon.
    HICON yellow = list.ExtractIcon(3);
    ASSERT_NE(nullptr, yellow);
    EXPECT_EQ(0, list.Replace(0, yellow));
    EXPECT_EQ(4, list.Add(yellow));
    ::DestroyIcon(yellow);
    PixelCanvas canvas(16, 15);
    canvas.Dc().FillSolidRect(RECT{0, 0, 16, 15}, RGB(1, 2, 3));
    EXPECT_TRUE(list.Draw(&canvas.Dc(), 0, POINT{0, 0}, ILD_TRANSPARENT));
    EXPECT_EQ(RGB(255, 255, 0), canvas.At(8, 8));
    EXPECT_EQ(RGB(1, 2, 3), canvas.At(0, 0)) << "the mask colour is transparent";

    CImageList moved(std::move(list));
    EXPECT_EQ(nullptr, list.GetSafeHandle());
    EXPECT_EQ(5, moved.GetImageCount());
    EXPECT_TRUE(moved.Remove(4));
    EXPECT_EQ(4, moved.GetImageCount());
}

TEST(ToolBarResources, ButtonsSeparatorsAndImages)
{
    ToolBarResource toolbar;
    ASSERT_TRUE(toolbar.Load(IDT_TEST_TOOLBAR));
    EXPECT_EQ(5, toolbar.GetButtonCount());
    EXPECT_EQ(16, toolbar.GetButtonSize().cx);
    EXPECT_EQ(15, toolbar.GetButtonSize().cy);
    EXPECT_EQ(0, toolbar.CommandToIndex(ID_OPEN));
    EXPECT_EQ(2, toolbar.CommandToIndex(ID_SAVE_AS));
    EXPECT_EQ(-1, toolbar.CommandToIndex(ID_DEEP));
    EXPECT_EQ(0, toolbar.GetButtonImage(0));
    EXPECT_EQ(-1, toolbar.GetButtonImage(1)) << "a separator takes no image";
    EXPECT_EQ(1, toolbar.GetButtonImage(2));
    EXPECT_EQ(3, toolbar.GetButtonImage(4));
    EXPECT_EQ(-1, toolbar.GetButtonImage(5));

    ToolBarResource truncated;
    EXPECT_FALSE(truncated.Load(IDT_TRUNCATED)) << "a count beyond the data is refused";
    EXPECT_EQ(0, truncated.GetButtonCount());
    EXPECT_FALSE(truncated.Load(4242));
}

TEST(SysColorBitmaps, GraysFollowTheSystemColours)
{
    const LPCSTR name = MAKEINTRESOURCEA(IDB_GRAYS16);
    HINSTANCE module = AfxFindResourceHandle(name, RT_BITMAP);
    HBITMAP mapped = AfxLoadSysColorBitmap(module, ::FindResourceA(module, name, RT_BITMAP));
    ASSERT_NE(nullptr, mapped);
    CBitmap owner;
    owner.Attach(mapped);
    EXPECT_EQ(8, owner.GetSize().cx);

    PixelCanvas canvas(8, 2);
    CDC source;
    source.CreateCompatibleDC(&canvas.Dc());
    ScopedSelect select(source, owner);
    canvas.Dc().BitBlt(0, 0, 8, 2, source, 0, 0, SRCCOPY);
    EXPECT_EQ(::GetSysColor(COLOR_BTNTEXT), canvas.At(0, 0));
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), canvas.At(1, 0));
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), canvas.At(2, 1));
    EXPECT_EQ(::GetSysColor(COLOR_BTNHIGHLIGHT), canvas.At(3, 1));
    EXPECT_EQ(RGB(255, 0, 0), canvas.At(4, 0)) << "other colours are kept";

    const LPCSTR trueColour = MAKEINTRESOURCEA(IDB_TRUE_COLOUR);
    EXPECT_EQ(nullptr, AfxLoadSysColorBitmap(module, ::FindResourceA(module, trueColour, RT_BITMAP)))
        << "no colour table, nothing to map";
    EXPECT_EQ(nullptr, AfxLoadSysColorBitmap(module, nullptr));
}
