// The image button: every look painted through its parent's WM_DRAWITEM and read back; its behaviour with real input.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>

#include "CImageButton.h"
#include "ControlsTest.h"
#include "HandleCounter.h"
#include "controls_test_ids.h"
#include "resource.h"

namespace {

struct Button : CImageButton { void Hover(BOOL hover) { m_bHover = hover; } };  // the behaviour tests hover with the real mouse
using Tweak = std::function<void(Button&)>;
constexpr int kW = 64, kH = 28, kMid = 1000;  // x, y: kMid the middle, below 0 from the far edge
constexpr COLORREF kNotFace = 0x01000000, kOlive = RGB(200, 160, 0), kBlue = RGB(0, 0, 200);
constexpr COLORREF kMagenta = RGB(255, 0, 255), kOrange = RGB(250, 140, 0), kYellow = RGB(230, 230, 0);

struct Look { int x, y; COLORREF colour; };  // named points; the rest of each row, caption and focus cue, is in the picture
struct Row { const char* label; DWORD style; const char* caption; Tweak setup; UINT state; std::vector<Look> looks; };

void Draw(HWND b, gui::DibCanvas& canvas, UINT state) {
    canvas.Fill(RGB(1, 2, 3));
    DRAWITEMSTRUCT item{ODT_BUTTON, UINT(::GetDlgCtrlID(b)), 0, ODA_DRAWENTIRE, state, b, canvas.Dc(), {0, 0, kW, kH}, 0};
    EXPECT_EQ(TRUE, ::SendMessageA(::GetParent(b), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item))), ::GdiFlush();
}
// An image at (x, y) shows `in` inside its transparent border; greyed (`in` 0), its opaque part is embossed.
std::vector<Look> Image(int x, int y, COLORREF in = 0) {
    const COLORREF face = Sys(COLOR_BTNFACE), sh = Sys(COLOR_BTNSHADOW), hi = Sys(COLOR_BTNHIGHLIGHT);
    return in ? std::vector<Look>{{x + 1, y + 1, face}, {x + 2, y + 2, in}, {x + 13, y + 13, in}, {x + 14, y + 14, face}}
              : std::vector<Look>{{x + 1, y + 1, face}, {x + 8, y + 8, sh}, {x + 14, y + 14, hi}};
}
void Press(DWORD flags) { INPUT input{INPUT_MOUSE}; input.mi.dwFlags = flags, ::SendInput(1, &input, sizeof(INPUT)); }

class ImageButton : public ::testing::Test {
protected:
    void SetUp() override
    {
        gui::DialogTemplate t(WS_POPUP | WS_CAPTION | DS_MODALFRAME, 200, 90, "Buttons");
        t.Add("Button", "Open", 201, BS_PUSHBUTTON | WS_TABSTOP, 8, 8, 50, 16).Add("Edit", "", 202, WS_BORDER | WS_TABSTOP, 70, 8, 50, 14)
            .Add("Button", "Save", 203, BS_PUSHBUTTON | WS_TABSTOP, 130, 8, 50, 16).Add("Button", "Check", 204, BS_AUTOCHECKBOX | WS_TABSTOP, 8, 40, 50, 16);
        host = std::make_unique<Host>(t);
        ASSERT_TRUE(open.SubclassDlgItem(201, host.get()) && save.SubclassDlgItem(203, host.get()) && check.SubclassDlgItem(204, host.get()));
        Park();
    }
    void TearDown() override { Park(); }
    void Park() { MoveMouse(*host, POINT{380, 150}); }
    static COLORREF Corner(HWND b) { gui::DibCanvas canvas(4, 4); return canvas.PrintWindow(b), canvas.Pixel(0, 0); }
    std::unique_ptr<Host> host; Button open, save, check;
};

TEST_F(ImageButton, PaintsEveryStateInSystemOrItsOwnColours) {
    const COLORREF face = Sys(COLOR_BTNFACE), hi = Sys(COLOR_BTNHIGHLIGHT), sh = Sys(COLOR_BTNSHADOW);
    const COLORREF light = Sys(COLOR_3DLIGHT), dark = Sys(COLOR_3DDKSHADOW);
    const COLORREF hotFace = RGB(10, 200, 30), hotText = RGB(200, 0, 0), normalFace = RGB(20, 40, 220), normalText = RGB(250, 250, 0), focusFace = RGB(120, 10, 120);
    auto then = [](Tweak a, Tweak b) -> Tweak { return [=](Button& x) { a(x), b(x); }; };
    const Tweak none = [](Button&) {}, hover = [](Button& b) { b.Hover(TRUE); }, raised = [](Button& b) { b.SetFlatLook(FALSE); };
    const Tweak colours = [=](Button& b) { int i = 0; for (COLORREF c : {hotFace, hotText, normalFace, normalText, focusFace}) EXPECT_EQ(0u, b.SetColor(i++, c));
        b.SetColor(-1, kBlue), b.SetColor(6, kBlue); for (int j : {-1, 0, 4, 6}) EXPECT_EQ(j == 0 ? hotFace : j == 4 ? focusFace : CLR_INVALID, b.GetColor(j)); };
    const Tweak bitmap = [](Button& b) { b.SetBitmaps(MakeBitmap(kOlive, kMagenta), kMagenta); }, icon = [](Button& b) { b.SetIcons(MakeIcon(kBlue)); };
    const Tweak twoBitmaps = [](Button& b) { b.SetBitmaps(MakeBitmap(kOlive, kMagenta), kMagenta, MakeBitmap(kOrange, kMagenta), kMagenta); };
    const Tweak twoIcons = [](Button& b) { b.SetIcons(MakeIcon(kBlue), MakeIcon(kYellow)); }, checked = [](Button& b) { b.SendMessage(BM_SETCHECK, BST_CHECKED); };
    const Tweak above = [](Button& b) { b.SetAlignment(CImageButton::ImageAbove); }, right = [](Button& b) { b.SetAlignment(CImageButton::ImageRight); };
    const DWORD push = BS_PUSHBUTTON, box = BS_AUTOCHECKBOX, def = BS_DEFPUSHBUTTON;
    const std::vector<Row> rows = {
        {"flat at rest", push, "Go", none, 0, {{0, 0, face}, {-1, -1, face}, {1, 1, face}}},
        {"flat hovered", push, "Go", hover, 0, {{0, 0, hi}, {kMid, 0, hi}, {0, kMid, hi}, {-2, 0, hi}, {-1, -1, sh}, {-1, 0, sh}, {0, -1, sh}, {kMid, -1, sh}, {1, 1, face}}},
        {"flat pressed", push, "Go", none, ODS_SELECTED, {{0, 0, sh}, {kMid, 0, sh}, {0, kMid, sh}, {-1, -1, hi}, {kMid, -1, hi}}},
        {"flat pressed, no border", push, "Go", [](Button& b) { b.SetDrawBorder(FALSE); }, ODS_SELECTED, {{0, 0, face}}},
        {"flat disabled", push, "Go", none, ODS_DISABLED, {{0, 0, face}}},
        {"flat focused, focus shown", push, "Go", [](Button& b) { b.SetFocusWhenFlat(TRUE); }, ODS_FOCUS, {}},
        {"flat default, focused", def, "Go", none, ODS_FOCUS, {{0, 0, face}}},
        {"flat focused, focus cue hidden", push, "Go", [](Button& b) { b.SetFocusWhenFlat(TRUE); }, ODS_FOCUS | ODS_NOFOCUSRECT, {}},
        {"access key, its underline hidden", push, "&Go", none, ODS_NOACCEL, {}},
        {"a literal ampersand, access keys hidden", push, "&&Go", none, ODS_NOACCEL, {}},
        {"a last ampersand marks nothing", push, "Go&", none, ODS_NOACCEL, {}},
        {"raised at rest", push, "Go", raised, 0, {{0, 0, hi}, {kMid, 0, hi}, {0, kMid, hi}, {1, 1, light}, {kMid, 1, light}, {1, kMid, light}, {-1, -1, dark}, {-1, 0, dark},
         {0, -1, dark}, {kMid, -1, dark}, {-2, -2, sh}, {-2, 1, sh}, {1, -2, sh}, {kMid, -2, sh}, {2, 2, face}, {2, -3, face}}},
        {"raised focused", push, "Go", raised, ODS_FOCUS, {{0, 0, 0}, {kMid, 0, 0}, {-1, -1, 0}, {1, 1, hi}, {2, 2, light}, {-2, -2, dark}, {-3, -3, sh}}},
        {"raised default", def, "Go", raised, 0, {{0, 0, 0}, {-1, kMid, 0}, {1, 1, hi}}},
        {"raised pressed", push, "Go", raised, ODS_SELECTED, {{0, 0, sh}, {-1, -1, sh}, {1, 1, face}}},
        {"check box checked", box, "Go", checked, 0, {{0, 0, sh}, {-1, -1, hi}}},
        {"own colours at rest", push, "Go", colours, 0, {{2, 2, normalFace}}},
        {"own colours focused", push, "Go", colours, ODS_FOCUS, {{2, 2, focusFace}}},
        {"own colours pressed", push, "Go", colours, ODS_SELECTED | ODS_FOCUS, {{2, 2, hotFace}}},
        {"own colours hovered", push, "Go", then(colours, hover), ODS_FOCUS, {{2, 2, hotFace}}},
        {"own colours restored", push, "Go", then(colours, [](Button& b) { b.RestoreDefaultColors(); }), 0, {{2, 2, face}}},
        {"bitmap left", push, "Go", bitmap, 0, Image(3, 6, kOlive)},
        {"bitmap on its own face", push, "", then(colours, bitmap), 0, {{25, 7, normalFace}, {26, 8, kOlive}}},
        {"bitmap above", push, "Go", then(bitmap, above), 0, Image(24, 3, kOlive)},
        {"bitmap right", push, "Go", then(bitmap, right), 0, Image(45, 6, kOlive)},
        {"bitmap alone", push, "", bitmap, 0, Image(24, 6, kOlive)},
        {"icon left", push, "Go", icon, 0, Image(3, 6, kBlue)},
        {"monochrome icon", push, "", [](Button& b) { b.SetIcons(MakeIcon(0, true)); }, 0, {}},
        {"bitmap disabled", push, "Go", bitmap, ODS_DISABLED, Image(3, 6)},
        {"bitmap disabled, not greyed", push, "Go", then(bitmap, [](Button& b) { b.SetGreyDisabledBitmap(FALSE); }), ODS_DISABLED, Image(3, 6, kOlive)},
        {"icon disabled", push, "Go", icon, ODS_DISABLED, Image(3, 6)},
        {"two bitmaps at rest", push, "", twoBitmaps, 0, Image(24, 6, kOrange)},
        {"two bitmaps hovered", push, "", then(twoBitmaps, hover), 0, Image(24, 6, kOlive)},
        {"two bitmaps pressed", push, "", twoBitmaps, ODS_SELECTED, Image(25, 7, kOlive)},
        {"two icons at rest", push, "", twoIcons, 0, Image(24, 6, kYellow)},
        {"check box, two bitmaps, hovered", box, "", then(twoBitmaps, hover), 0, Image(24, 6, kOrange)},
        {"check box, two bitmaps, checked", box, "", then(twoBitmaps, checked), 0, Image(24, 6, kOlive)},
        {"icon resource", push, "", [](Button& b) { b.SetIcons(UINT(IDR_MAINFRAME)); }, 0, {{kMid, kMid, kNotFace}}},
        {"bitmap resource", push, "", [](Button& b) { b.SetBitmaps(UINT(IDB_BANNER_STEP1), 0); }, 0, {{kMid, kMid, kNotFace}}},
        {"no such resources", push, "", [](Button& b) { b.SetIcons(UINT(65001)), b.SetBitmaps(UINT(65001), 0); }, 0, {{kMid, kMid, face}}},
    };
    gui::DibCanvas c(kW, kH), sheet(kW, kH * int(rows.size()));  // every row, one under the other
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label); Button button;
        ::CreateWindowExA(0, "Button", row.caption, WS_CHILD | row.style, 0, 60, kW, kH, *host, HMENU(300), nullptr, nullptr);
        ::SendDlgItemMessageA(*host, 300, WM_SETFONT, ::SendMessageA(*host, WM_GETFONT, 0, 0), 0);
        ASSERT_TRUE(button.SubclassDlgItem(300, host.get()));
        row.setup(button), Draw(button, c, row.state), button.DestroyWindow();
        sheet.Paste(c, kH * int(&row - rows.data()));
        for (const Look& l : row.looks) {
            const int x = l.x == kMid ? kW / 2 : l.x < 0 ? kW + l.x : l.x, y = l.y == kMid ? kH / 2 : l.y < 0 ? kH + l.y : l.y;
            const bool notFace = l.colour == kNotFace;
            EXPECT_EQ(notFace, c.Pixel(x, y) != (notFace ? face : l.colour)) << x << "," << y << std::hex << " " << c.Pixel(x, y);
        }
    }
    EXPECT_TRUE(sheet.MatchesPicture("IMAGE_BUTTON_LOOKS"));
}

TEST_F(ImageButton, TakesTheNewSystemColoursButKeepsItsOwn) {
    const COLORREF changed = RGB(10, 120, 90), own = RGB(20, 40, 220);
    save.SetColor(CImageButton::ColorBackgroundNormal, own);
    gui::ScopedSysColours colours({{COLOR_BTNFACE, changed}});
    open.SendMessage(WM_SYSCOLORCHANGE), save.SendMessage(WM_SYSCOLORCHANGE); gui::DibCanvas c(kW, kH);
    Draw(open, c, 0); EXPECT_EQ(changed, c.Pixel(2, 2));
    Draw(save, c, 0); EXPECT_EQ(own, c.Pixel(2, 2));
}

TEST_F(ImageButton, BehavesAsAButtonUnderTheRealMouseAndMessages) {
    ::SetFocus(::GetDlgItem(*host, 202)); gui::ClickAt(open, POINT{10, 10});
    EXPECT_EQ(static_cast<HWND>(open), ::GetFocus());
    for (int i = 0; i < 4; ++i)  // the second click of a fast pair is a click, not a double click
        Press(i % 2 ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN);
    EXPECT_TRUE(gui::PumpUntil([&] { return host->Count(201, BN_CLICKED) == 3; }));
    EXPECT_EQ(0, host->Count(201, BN_DOUBLECLICKED));
    for (LRESULT expected : {BST_CHECKED, BST_UNCHECKED}) { gui::ClickAt(check, POINT{10, 10}); EXPECT_EQ(expected, check.SendMessage(BM_GETCHECK)); }
    EXPECT_EQ(2, host->Count(204, BN_CLICKED));
    // With a menu it drops the menu down, looks pressed meanwhile and sends the choice; a check box toggles instead.
    static COLORREF corner; static HWND button;
    corner = CLR_INVALID, button = save; save.SetMenu(IDM_TEST_DROPDOWN, *host);
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {
        const HWND menu = ::FindWindowA("#32768", nullptr);
        if (!menu || !::IsWindowVisible(menu)) return;
        if (corner != CLR_INVALID)  // a menu where none belongs: closed, so the test fails instead of hanging
            return void(::PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0));
        gui::DibCanvas canvas(kW, kH); Draw(button, canvas, 0), corner = canvas.Pixel(0, 0);
        ::PostMessageA(menu, WM_CHAR, 's', 0);  // "&Second": the button answers for its menu's access keys
    });
    save.SendMessage(BM_CLICK); EXPECT_TRUE(gui::PumpUntil([&] { return host->Count(ID_TEST_SECOND, 0) == 1; }));
    EXPECT_EQ(std::make_pair(Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNFACE)), std::make_pair(corner, Corner(save)));
    EXPECT_EQ(1, host->Count(203, BN_CLICKED)); check.SetMenu(IDM_TEST_DROPDOWN, *host);
    gui::ClickAt(check, POINT{10, 10}), ::KillTimer(nullptr, timer); EXPECT_EQ(BST_CHECKED, check.SendMessage(BM_GETCHECK));
    // BM_SETCHECK: 1 and 2 check, anything else clears; a push button has no check.
    for (WPARAM sent : {WPARAM(1), WPARAM(0), WPARAM(2), WPARAM(3), WPARAM(-1), WPARAM(0x10001)}) {
        check.SendMessage(BM_SETCHECK, sent); EXPECT_EQ(sent == 1 || sent == 2, check.SendMessage(BM_GETCHECK)) << sent;
    }
    open.SendMessage(BM_SETCHECK, 1); EXPECT_EQ(0, open.SendMessage(BM_GETCHECK));
    // Hover follows the real mouse and ends with what ends it.
    const struct { const char* label; std::function<void(HWND)> act; bool ends; } rows[] = {
        {"mouse leaves", [this](HWND) { Park(); }, true},
        {"focus lost", [](HWND b) { ::SendMessageA(b, WM_KILLFOCUS, 0, 0); }, true},
        {"mode cancelled", [](HWND b) { ::SendMessageA(b, WM_CANCELMODE, 0, 0); }, true},
        {"deactivated", [](HWND b) { ::SendMessageA(b, WM_ACTIVATE, WA_INACTIVE, 0); }, true},
        {"disabled", [](HWND b) { ::EnableWindow(b, FALSE); }, true},
        {"activated", [](HWND b) { ::SendMessageA(b, WM_ACTIVATE, WA_ACTIVE, 0); }, false},
        {"moved within", [](HWND b) { MoveMouse(b, POINT{5, 5}); }, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label); MoveMouse(open, POINT{10, 10});
        ASSERT_TRUE(gui::PumpUntil([&] { return open.IsHovering() != FALSE; }));
        EXPECT_EQ(Sys(COLOR_BTNHIGHLIGHT), Corner(open)); row.act(open);
        gui::PumpUntil([&] { return !row.ends || !open.IsHovering(); });
        EXPECT_EQ(Sys(row.ends ? COLOR_BTNFACE : COLOR_BTNHIGHLIGHT), Corner(open)); open.EnableWindow(TRUE), Park();
        ASSERT_TRUE(gui::PumpUntil([&] { return !open.IsHovering(); }));
    }
    // No hover for a raised button, nor for a press dragged onto a flat one.
    save.SetFlatLook(FALSE); MoveMouse(save, POINT{10, 10}), MoveMouse(save, POINT{12, 10}), Press(MOUSEEVENTF_LEFTDOWN);
    MoveMouse(open, POINT{10, 10}), MoveMouse(open, POINT{12, 10}); EXPECT_FALSE(open.IsHovering() || save.IsHovering());
    Press(MOUSEEVENTF_LEFTUP), gui::FlushEvents();
    // Focused, disabled, then focused: the dialog's ids; 0 the dialog itself, once the only tab stop is left.
    for (const auto& row : {std::array<int, 3>{201, 201, 202}, {202, 201, 202}, {204, 204, 201}, {201, 201, 0}}) {
        for (int id : {202, 203, 204}) ::EnableWindow(::GetDlgItem(*host, id), row[2] != 0);
        ::SetFocus(::GetDlgItem(*host, row[0])), ::EnableWindow(::GetDlgItem(*host, row[1]), FALSE);
        EXPECT_EQ(row[2] ? ::GetDlgItem(*host, row[2]) : static_cast<HWND>(*host), ::GetFocus()) << row[0];
        ::EnableWindow(::GetDlgItem(*host, row[1]), TRUE);
    }
    // Whatever style it is given, it stays owner-drawn and tells the dialog whether it is the default.
    for (const auto& row : {std::make_pair(BS_DEFPUSHBUTTON, true), {BS_CHECKBOX, true}, {BS_PUSHBUTTON, false}, {BS_CHECKBOX, false}, {BS_PUSHBUTTON, false}}) {
        open.SendMessage(BM_SETSTYLE, row.first, TRUE); EXPECT_EQ(DWORD(BS_OWNERDRAW), open.GetStyle() & 0x1F) << row.first;
        EXPECT_EQ(row.second ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON, open.SendMessage(WM_GETDLGCODE) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON));
    }
    for (int id : {202, 203, 204}) ::EnableWindow(::GetDlgItem(*host, id), TRUE);
    // Its own cursor; the parent through its face.
    const HCURSOR arrow = ::LoadCursorA(nullptr, IDC_ARROW), cross = ::LoadCursorA(nullptr, IDC_CROSS);
    for (HCURSOR own : {cross, HCURSOR(nullptr)}) {
        open.SetButtonCursor(own), ::SetCursor(own ? arrow : cross);
        open.SendMessage(WM_SETCURSOR, WPARAM(open.m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(own != nullptr, ::GetCursor() != arrow);
    }
    gui::DibCanvas c(kW, kH);  // the parent's pixels, captured once, until the system colours or the button's size change
    const COLORREF red = RGB(200, 30, 30), green = RGB(30, 200, 30); open.ShowWindow(SW_HIDE), gui::FlushEvents();
    for (COLORREF colour : {red, RGB(30, 30, 200), green}) {
        const HDC dc = ::GetDC(*host); Fill(dc, {0, 0, 400, 200}, colour), ::ReleaseDC(*host, dc);
        if (colour == red) open.SetTransparent(TRUE);
        if (colour == green) { CRect at; open.GetWindowRect(&at), open.SetWindowPos(HWND(nullptr), 0, 0, at.Width(), at.Height() + 1, SWP_NOMOVE | SWP_NOZORDER); }  // taller only
        Draw(open, c, 0); EXPECT_EQ(colour == green ? green : red, c.Pixel(2, 2));
        open.SendMessage(WM_SYSCOLORCHANGE), Draw(open, c, 0); EXPECT_EQ(colour, c.Pixel(2, 2));
    }
    // Every setter of the look repaints on screen and answers 0, as the others do.
    DWORD (*const setters[])(Button&) = {
        [](Button& b) { return b.SetFlatLook(FALSE); }, [](Button& b) { return b.SetCheckState(1); }, [](Button& b) { return b.RestoreDefaultColors(); },
        [](Button& b) { return b.SetColor(0, 0); }, [](Button& b) { return b.SetIcons(MakeIcon(kBlue)); }, [](Button& b) { return b.SetBitmaps(MakeBitmap(kOlive, 0), 0); },
        [](Button& b) { return b.SetAlignment(CImageButton::ImageAbove); }, [](Button& b) { return b.SetGreyDisabledBitmap(FALSE); },
        [](Button& b) { return b.SetDrawBorder(FALSE); }, [](Button& b) { return b.SetFocusWhenFlat(TRUE); }, [](Button& b) { return b.SetTransparent(TRUE); },
        [](Button& b) { return b.SetButtonCursor(HCURSOR(nullptr), TRUE); }, [](Button& b) { return b.SetButtonCursor(UINT(0), TRUE); },
        [](Button& b) { return b.SetMenu(IDM_TEST_DROPDOWN, nullptr); }};
    for (const auto& set : setters) { ::UpdateWindow(check); EXPECT_TRUE(set(check) == 0 && ::GetUpdateRect(check, nullptr, FALSE)) << "setter " << &set - setters; }
    EXPECT_EQ(0u, check.SetLinkTarget("http://example.org/") | check.SetAlwaysTrack(TRUE) | check.ActivateTooltip(TRUE) | check.SetTooltipText("Go") | open.SetCheckState(1));
    // Under the mouse its tip shows once active (the delay cut short: the wait is for the mouse to be passed on).
    for (BOOL active : {FALSE, TRUE}) {
        check.ActivateTooltip(active), check.GetToolTip().SendMessage(TTM_SETDELAYTIME, TTDT_INITIAL, 1), MoveMouse(check, POINT{10, 10});
        EXPECT_EQ(active, gui::PumpUntil([&] { return ::IsWindowVisible(check.GetToolTip().m_hWnd) != FALSE; }, active ? 10000 : 300));
        check.GetToolTip().SendMessage(TTM_POP), Park();
    }
    auto round = [&] {  // leaves no handle behind
        Button b;
        b.SetTooltipText("Opens the file");  // given before the window exists, it is its tool once it does
        ASSERT_TRUE(b.Create("Go", WS_VISIBLE | BS_PUSHBUTTON, RECT{8, 60, 8 + kW, 60 + kH}, host.get(), 300));
        b.PostMessage(WM_NULL), gui::FlushEvents(); EXPECT_EQ("Opens the file", b.GetToolTip().GetText(&b, 1));
        b.SetTooltipText("Opens it"); EXPECT_EQ("Opens it", b.GetToolTip().GetText(&b, 1)); EXPECT_EQ(1, b.GetToolTip().GetToolCount());
        TOOLINFOA tool{sizeof(tool), 0, b.m_hWnd, 1};  // the tip answers over the whole button
        const RECT whole{0, 0, kW, kH};
        EXPECT_TRUE(::SendMessageA(b.GetToolTip().m_hWnd, TTM_GETTOOLINFOA, 0, LPARAM(&tool)) && ::EqualRect(&tool.rect, &whole));
        const HICON kept = MakeIcon(kBlue); b.SetIcons(kept), b.ReleaseImages(FALSE); EXPECT_TRUE(::DestroyIcon(kept));  // let go, not destroyed
        b.SetIcons(MakeIcon(kBlue), MakeIcon(kYellow)), b.SetBitmaps(MakeBitmap(kOlive, kMagenta), kMagenta, MakeBitmap(kOrange, kMagenta), kMagenta);
        b.SetButtonCursor(::LoadCursorA(nullptr, IDC_CROSS)), b.SetButtonCursor(::LoadCursorA(nullptr, IDC_HAND));
        b.SetMenu(IDM_TEST_DROPDOWN, *host), b.SetTooltipText(nullptr); EXPECT_EQ(0, b.GetToolTip().GetToolCount());
        for (UINT state : {0u, UINT(ODS_SELECTED), UINT(ODS_DISABLED), UINT(ODS_FOCUS)}) Draw(b, c, state);
        b.SetTransparent(TRUE), Draw(b, c, 0), b.SendMessage(WM_SYSCOLORCHANGE), Draw(b, c, 0), b.DestroyWindow();
    };
    round();  // the system's own caches fill once
    gui::HandleCounter counter;
    for (int n = 0; n < 10; ++n) round();
    gui::FlushEvents(); EXPECT_GT(counter.Created(), 100u);
    EXPECT_EQ(0u, counter.Live());
}

}  // namespace
