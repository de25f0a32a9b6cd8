#pragma once

#include <memory>

#include "DrawTestSupport.h"

namespace menudraw {

// System colours that all differ from each other, so every check tells the
// colours apart (by default several of them are the same white or gray).
std::vector<std::pair<int, COLORREF>> DistinctColours();

// One item drawn into a canvas through DrawItem, as WM_DRAWITEM would have it.
class StyleTest : public ::testing::Test {
protected:
    StyleTest(int family, int itemHeight)
        : m_colours(DistinctColours()), m_family(family), item{10, 5, 210, 5 + itemHeight},
          mid(item.top + (itemHeight >> 1))
    {
    }

    static std::unique_ptr<GlyphMenuItem> Record(const char* text, UINT flags = MF_OWNERDRAW,
                                                 int sharedImage = -1)
    {
        auto record = std::make_unique<GlyphMenuItem>();
        record->SetText(text);
        record->flags = flags;
        record->commandId = flags & MF_SEPARATOR ? 0 : 100;
        record->sharedImageIndex = sharedImage;
        return record;
    }

    static std::unique_ptr<GlyphMenuItem> Separator()
    {
        return Record(nullptr, MF_SEPARATOR | MF_OWNERDRAW);
    }

    // A picture with a `colour` interior in the shared list, added in the style
    // under test (so the flat style gets its faded and shadow copies).
    int SharedPicture(COLORREF colour)
    {
        CImageList list;
        if (!MakePictureList(list, colour))
            return -1;
        return menu.AddSharedImage(&list, 0, NextTestCommand());
    }

    void Draw(GlyphMenuItem* record, UINT state, HMENU owner = nullptr, UINT id = 0)
    {
        DRAWITEMSTRUCT drawItem = MakeDrawItem(canvas.Dc(), item, record, state, owner, id);
        menu.DrawItem(&drawItem);
    }

    // The label and accelerator area of the item.
    RECT TextArea() const { return RECT{item.left + 24, item.top, item.right, item.bottom}; }

    ScopedSysColours m_colours;
    ScopedFamily m_family;
    GlyphMenu menu;
    Canvas canvas{240, 40};
    const RECT item;
    const int mid;
};

// A popup with items the radio test reads: one with a checked bitmap of its
// own, one checked as a radio item by the system, and a plain one.
class RadioMenu {
public:
    static constexpr UINT bitmapRadio = 201;
    static constexpr UINT systemRadio = 202;
    static constexpr UINT plain = 203;

    RadioMenu();
    ~RadioMenu();
    RadioMenu(const RadioMenu&) = delete;
    RadioMenu& operator=(const RadioMenu&) = delete;
    HMENU Handle() const { return m_menu; }

private:
    HMENU m_menu;
    HBITMAP m_dot;
};

// Asserts the 7 x 7 tick at (x, y) in `ink`, every other pixel of its square `paper`.
::testing::AssertionResult TickAt(const Canvas& canvas, int x, int y, COLORREF ink,
                                  COLORREF paper);

}  // namespace menudraw
