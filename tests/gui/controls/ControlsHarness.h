#pragma once

// What the image button and link label tests share: a host dialog that records
// what its own handlers hear, real mouse input, drawing a control through its
// parent's WM_DRAWITEM into a pixel canvas, and pixel searches.

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "CDialog.h"
#include "GuiHarness.h"

namespace ctl {

// A modeless dialog from a template in memory, shown at a fixed place.
class HostDialog : public CDialog {
public:
    // The template is used during creation only.
    explicit HostDialog(gui::DialogTemplate& dialogTemplate, int x = 40, int y = 40);
    ~HostDialog() override;

    HWND Item(int id) const { return ::GetDlgItem(m_hWnd, id); }
    // Notifications that reached the dialog's own handling, as (control id, code).
    std::vector<std::pair<int, int>> commands;
    int CountCommands(int id, int code) const;
    // A background colour of the dialog's own (CLR_INVALID: the system's).
    void SetBackground(COLORREF colour);

protected:
    const MessageMap& GetMessageMap() const override;
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    HBRUSH OnColour(CDC* dc, CWnd* control, UINT type);
    HBRUSH m_background = nullptr;
};

// ---- real input (SendInput, as a user's mouse would) ----------------------------
void MoveMouseTo(HWND hwnd, POINT client);
void MoveMouseToScreen(POINT screen);
void MouseDown();
void MouseUp();
// Two clicks within the system's double-click time, at the cursor.
void DoubleClick();

// ---- drawing -------------------------------------------------------------------------
// The control's client rectangle.
RECT ClientRect(HWND hwnd);
// Paints owner-drawn button `button` into `canvas` (filled with `fill` first)
// by sending its parent the WM_DRAWITEM a paint would, with item state `state`.
void DrawThroughParent(HWND button, gui::DibCanvas& canvas, UINT state,
                       COLORREF fill = RGB(1, 2, 3));

// Inclusive bounding box of the pixels that match; empty when none do.
struct Box {
    int left = 0, top = 0, right = -1, bottom = -1;
    bool Empty() const { return right < left; }
    int Width() const { return right - left + 1; }
    int Height() const { return bottom - top + 1; }
};
std::string Describe(const Box& box);
Box FindColour(const gui::DibCanvas& canvas, COLORREF colour, const RECT& area);
Box FindOtherThan(const gui::DibCanvas& canvas, COLORREF colour, const RECT& area);
int CountColour(const gui::DibCanvas& canvas, COLORREF colour, const RECT& area);
std::string Hex(COLORREF colour);

// ---- images ----------------------------------------------------------------------------
constexpr int kTestImageSize = 16;
// A 16 x 16 screen-compatible bitmap: `inner` inside a 2-pixel `border`.
HBITMAP MakeTestBitmap(COLORREF inner, COLORREF border);
// A 16 x 16 icon: `inner` opaque inside a transparent 2-pixel border.
HICON MakeTestIcon(COLORREF inner);

// ---- windows ------------------------------------------------------------------------
// Windows of class `className` that belong to this thread (top-level and owned).
int CountThreadWindows(const char* className);

}  // namespace ctl
