// The hyperlink label in a real dialog: its set-up at subclassing, colours read
// back as pixels, the underline by mode and on hover, the hover timer, fitting
// to the text, the cursor and tooltip, and what a click does on success and
// failure.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "CLinkLabel.h"
#include "ControlsHarness.h"

namespace {

constexpr WORD kLeft = 301;
constexpr WORD kEmpty = 302;
constexpr WORD kCentred = 303;
constexpr WORD kRight = 304;
constexpr WORD kCentredImage = 305;
constexpr WORD kBordered = 306;

constexpr COLORREF kLinkColour = RGB(0, 0, 238);
constexpr COLORREF kVisitedColour = RGB(85, 26, 139);
constexpr COLORREF kHoverColour = RGB(255, 0, 0);

// A label whose open attempt answers a fixed code instead of asking the shell.
class ScriptedLabel : public CLinkLabel {
public:
    INT_PTR answer = 42;
    std::vector<std::string> opened;

protected:
    INT_PTR OpenTarget(LPCSTR target, int) override
    {
        opened.emplace_back(target);
        return answer;
    }
};

// Counts the hover timer's ticks for one window.
class TimerWatch {
public:
    explicit TimerWatch(HWND watched)
    {
        s_watched = watched;
        s_ticks = 0;
        m_hook = ::SetWindowsHookExA(WH_GETMESSAGE, &Hook, nullptr, ::GetCurrentThreadId());
    }
    ~TimerWatch() { ::UnhookWindowsHookEx(m_hook); }
    int Ticks() const { return s_ticks; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam)
    {
        const auto* msg = reinterpret_cast<const MSG*>(lParam);
        if (code == HC_ACTION && wParam == PM_REMOVE && msg->hwnd == s_watched &&
            msg->message == WM_TIMER && msg->wParam == 100)
            ++s_ticks;
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static inline HWND s_watched = nullptr;
    static inline int s_ticks = 0;
    HHOOK m_hook;
};

bool IsUnderlined(HFONT font)
{
    LOGFONTA logFont{};
    ::GetObjectA(font, sizeof(logFont), &logFont);
    return logFont.lfUnderline != 0;
}

class LinkLabel : public ::testing::Test {
protected:
    void SetUp() override
    {
        gui::DialogTemplate t(WS_POPUP | WS_CAPTION | DS_MODALFRAME, 240, 140, "Links");
        t.Add("Static", "Visit our web site", kLeft, SS_LEFT, 8, 8, 150, 12)
            .Add("Static", "", kEmpty, SS_LEFT, 8, 24, 150, 12)
            .Add("Static", "centred", kCentred, SS_CENTER, 8, 40, 100, 12)
            .Add("Static", "right", kRight, SS_RIGHT, 8, 56, 100, 12)
            .Add("Static", "middle", kCentredImage, SS_LEFT | SS_CENTERIMAGE, 8, 72, 100, 24)
            .Add("Static", "framed", kBordered, SS_LEFT | WS_BORDER, 8, 100, 100, 16);
        host = std::make_unique<ctl::HostDialog>(t);
        ASSERT_TRUE(host->IsWindow());
        for (WORD id : {kLeft, kEmpty, kCentred, kRight, kCentredImage, kBordered})
            before[id] = RectInParent(host->Item(id));
        empty.SetTarget("mailto:someone@example.org");
        ASSERT_TRUE(left.SubclassDlgItem(kLeft, host.get()));
        ASSERT_TRUE(empty.SubclassDlgItem(kEmpty, host.get()));
        ASSERT_TRUE(centred.SubclassDlgItem(kCentred, host.get()));
        ASSERT_TRUE(right.SubclassDlgItem(kRight, host.get()));
        ASSERT_TRUE(centredImage.SubclassDlgItem(kCentredImage, host.get()));
        ASSERT_TRUE(bordered.SubclassDlgItem(kBordered, host.get()));
        gui::FlushEvents();
        ParkMouse();
    }

    void TearDown() override { ParkMouse(); }

    void ParkMouse()
    {
        const RECT r = ctl::ClientRect(*host);
        ctl::MoveMouseTo(*host, POINT{r.right - 10, r.bottom - 10});
    }

    void Hover(CLinkLabel& label)
    {
        ctl::MoveMouseTo(label, POINT{3, 3});
        ctl::MoveMouseTo(label, POINT{4, 4});
        ASSERT_TRUE(gui::PumpUntil([&] { return label.IsHovering() != FALSE; }));
    }

    void Leave(CLinkLabel& label)
    {
        ParkMouse();
        ASSERT_TRUE(gui::PumpUntil([&] { return label.IsHovering() == FALSE; }));
    }

    static RECT RectInParent(HWND hwnd)
    {
        RECT r{};
        ::GetWindowRect(hwnd, &r);
        ::MapWindowPoints(nullptr, ::GetParent(hwnd), reinterpret_cast<LPPOINT>(&r), 2);
        return r;
    }

    // The label as its own paint shows it.
    std::unique_ptr<gui::DibCanvas> Paint(CLinkLabel& label)
    {
        const RECT r = ctl::ClientRect(label);
        auto canvas = std::make_unique<gui::DibCanvas>(r.right, r.bottom);
        canvas->Fill(RGB(1, 2, 3));
        canvas->PrintWindow(label);
        return canvas;
    }

    int Count(const gui::DibCanvas& c, COLORREF colour)
    {
        return ctl::CountColour(c, colour, RECT{0, 0, c.Width(), c.Height()});
    }

    // The room the label's text takes in its underlined font: its extent, or
    // further where the last letter's ink reaches past it.
    SIZE TextExtent(CLinkLabel& label)
    {
        const CString text = label.GetWindowText();
        const HDC dc = ::GetDC(label);
        const HGDIOBJ old = ::SelectObject(dc, label.GetUnderlinedFont());
        SIZE size{};
        ::GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
        ::SelectObject(dc, old);
        ::ReleaseDC(label, dc);
        size.cx = std::max<LONG>(size.cx, InkWidth(label.GetUnderlinedFont(), text));
        return size;
    }

    // How far from the pen's start the text's ink reaches.
    static int InkWidth(HFONT font, const CString& text)
    {
        gui::DibCanvas canvas(600, 60);
        canvas.Fill(RGB(255, 255, 255));
        const HGDIOBJ old = ::SelectObject(canvas.Dc(), font);
        ::SetTextColor(canvas.Dc(), RGB(0, 0, 0));
        ::SetBkMode(canvas.Dc(), TRANSPARENT);
        ::TextOutA(canvas.Dc(), 0, 0, text.c_str(), static_cast<int>(text.size()));
        ::SelectObject(canvas.Dc(), old);
        const ctl::Box ink = ctl::FindOtherThan(canvas, RGB(255, 255, 255), RECT{0, 0, 600, 60});
        return ink.Empty() ? 0 : ink.right + 1;
    }

    std::unique_ptr<ctl::HostDialog> host;
    std::map<WORD, RECT> before;
    ScriptedLabel left, empty, centred, right, centredImage, bordered;
};

TEST_F(LinkLabel, SubclassingTakesTheTextAsTargetOrShowsTheTargetAsText)
{
    EXPECT_EQ("Visit our web site", left.GetTarget());
    EXPECT_EQ("mailto:someone@example.org", empty.GetTarget());
    EXPECT_EQ("mailto:someone@example.org", empty.GetWindowText());
    EXPECT_TRUE(left.GetStyle() & SS_NOTIFY);
    EXPECT_EQ(CLinkLabel::UnderlineOnHover, left.GetUnderlineMode());
    EXPECT_FALSE(left.IsVisited());
    EXPECT_FALSE(left.IsHovering());
    EXPECT_TRUE(IsUnderlined(left.GetUnderlinedFont()));
    EXPECT_FALSE(IsUnderlined(left.GetPlainFont()));
    EXPECT_FALSE(IsUnderlined(left.GetFontHandle()));
}

TEST_F(LinkLabel, AnUnderlineModeSetBeforeSubclassingIsReplacedByUnderlineOnHover)
{
    gui::DialogTemplate t(WS_POPUP | WS_CAPTION | DS_MODALFRAME, 120, 40, "Early");
    t.Add("Static", "early", kLeft, SS_LEFT, 8, 8, 80, 12);
    ctl::HostDialog dialog(t, 500, 300);
    CLinkLabel early;
    early.SetUnderlineMode(CLinkLabel::UnderlineAlways);
    ASSERT_TRUE(early.SubclassDlgItem(kLeft, &dialog));
    EXPECT_EQ(CLinkLabel::UnderlineOnHover, early.GetUnderlineMode());
    EXPECT_EQ(early.GetPlainFont(), early.GetFontHandle());
}

TEST_F(LinkLabel, TheTextIsDrawnInTheLinkVisitedAndHoverColours)
{
    auto link = Paint(left);
    EXPECT_GT(Count(*link, kLinkColour), 10);
    EXPECT_EQ(0, Count(*link, kVisitedColour));
    EXPECT_EQ(0, Count(*link, kHoverColour));
    // The label erases its own background in the button-face colour.
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), link->Pixel(link->Width() - 1, 0));

    left.MarkVisited(TRUE);
    EXPECT_TRUE(left.IsVisited());
    auto visited = Paint(left);
    EXPECT_GT(Count(*visited, kVisitedColour), 10);
    EXPECT_EQ(0, Count(*visited, kLinkColour));

    Hover(left);
    auto hover = Paint(left);
    EXPECT_GT(Count(*hover, kHoverColour), 10);
    EXPECT_EQ(0, Count(*hover, kVisitedColour));

    Leave(left);
    auto after = Paint(left);
    EXPECT_GT(Count(*after, kVisitedColour), 10);
    left.MarkVisited(FALSE);
    auto again = Paint(left);
    EXPECT_GT(Count(*again, kLinkColour), 10);
}

TEST_F(LinkLabel, UnderlineOnHoverComesWithTheMouseAndGoesWithTheTimer)
{
    Hover(left);
    EXPECT_EQ(left.GetUnderlinedFont(), left.GetFontHandle());
    Leave(left);
    EXPECT_EQ(left.GetPlainFont(), left.GetFontHandle());
}

TEST_F(LinkLabel, AlwaysUnderlinedHoverChangesOnlyTheColour)
{
    left.SetUnderlineMode(CLinkLabel::UnderlineAlways);
    EXPECT_EQ(left.GetUnderlinedFont(), left.GetFontHandle());
    // The underline shows as one long run of link-coloured pixels.
    auto c = Paint(left);
    const ctl::Box ink = ctl::FindColour(*c, kLinkColour, RECT{0, 0, c->Width(), c->Height()});
    int longest = 0;
    for (int y = ink.top; y <= ink.bottom; ++y)
        longest = std::max(longest, ctl::CountColour(*c, kLinkColour, RECT{ink.left, y, ink.right + 1, y + 1}));
    EXPECT_GE(longest, ink.Width() * 9 / 10);

    Hover(left);
    EXPECT_EQ(left.GetUnderlinedFont(), left.GetFontHandle());
    Leave(left);
    EXPECT_EQ(left.GetUnderlinedFont(), left.GetFontHandle());
}

TEST_F(LinkLabel, NeverUnderlinedStaysPlainOnHover)
{
    left.SetUnderlineMode(CLinkLabel::UnderlineNever);
    EXPECT_EQ(left.GetPlainFont(), left.GetFontHandle());
    Hover(left);
    EXPECT_EQ(left.GetPlainFont(), left.GetFontHandle());
    Leave(left);
    EXPECT_EQ(left.GetPlainFont(), left.GetFontHandle());
}

TEST_F(LinkLabel, SettingTheSameUnderlineModeAgainDoesNothing)
{
    RECT update{};
    ::ValidateRect(left, nullptr);
    left.SetUnderlineMode(CLinkLabel::UnderlineAlways);
    EXPECT_TRUE(::GetUpdateRect(left, &update, FALSE));
    ::ValidateRect(left, nullptr);
    left.SetUnderlineMode(CLinkLabel::UnderlineAlways);
    EXPECT_FALSE(::GetUpdateRect(left, &update, FALSE));
    EXPECT_EQ(left.GetUnderlinedFont(), left.GetFontHandle());
}

TEST_F(LinkLabel, TheHoverTimerTicksWhileTheMouseIsOverAndStopsWhenItLeaves)
{
    TimerWatch watch(left);
    Hover(left);
    // Ticks while the mouse stays over the label keep the hover.
    ASSERT_TRUE(gui::PumpUntil([&] { return watch.Ticks() >= 2; }));
    EXPECT_TRUE(left.IsHovering());
    Leave(left);
    // The tick that found the mouse outside stopped the timer.
    EXPECT_FALSE(::KillTimer(left, 100));
}

TEST_F(LinkLabel, FittingKeepsTheEdgeItsAlignmentNames)
{
    struct Case {
        const char* label;
        CLinkLabel* control;
        WORD id;
    };
    const Case cases[] = {
        {"left", &left, kLeft},
        {"centred", &centred, kCentred},
        {"right", &right, kRight},
        {"centred image", &centredImage, kCentredImage},
        {"bordered", &bordered, kBordered},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const RECT was = before[c.id];
        const RECT now = RectInParent(*c.control);
        const SIZE text = TextExtent(*c.control);
        RECT client{};
        ::GetClientRect(*c.control, &client);
        const int borderX = (now.right - now.left) - client.right;
        const int borderY = (now.bottom - now.top) - client.bottom;
        const int wantW = text.cx + borderX, wantH = text.cy + borderY;
        const DWORD style = c.control->GetStyle();
        if (style & SS_CENTERIMAGE) {
            const int shrink = ((was.bottom - was.top) - wantH) / 2;
            EXPECT_EQ(was.top + shrink, now.top);
            EXPECT_EQ(was.bottom - shrink, now.bottom);
        } else {
            EXPECT_EQ(was.top, now.top);
            EXPECT_EQ(wantH, now.bottom - now.top);
        }
        const DWORD alignment = style & SS_TYPEMASK;
        if (alignment == SS_CENTER) {
            // Both sides give up the same whole number of pixels.
            const int shrink = ((was.right - was.left) - wantW) / 2;
            EXPECT_EQ(was.left + shrink, now.left);
            EXPECT_EQ(was.right - shrink, now.right);
            EXPECT_LE(wantW, now.right - now.left);
            EXPECT_GE(wantW + 1, now.right - now.left);
        } else if (alignment == SS_RIGHT) {
            EXPECT_EQ(was.right, now.right);
            EXPECT_EQ(wantW, now.right - now.left);
        } else {
            EXPECT_EQ(was.left, now.left);
            EXPECT_EQ(wantW, now.right - now.left);
        }
    }
    EXPECT_GT(before[kBordered].right - before[kBordered].left, 0);
}

TEST_F(LinkLabel, AFittedLabelShowsItsWholeTextUnderlineIncluded)
{
    for (const char* text : {"Always underlined", "http://example.org/", "mailto:x@example.org",
                             "Visit our web site"}) {
        SCOPED_TRACE(text);
        left.SetWindowText(text);
        left.SetTarget(text);
        left.SetUnderlineMode(CLinkLabel::UnderlineAlways);
        auto c = Paint(left);
        const ctl::Box shown = ctl::FindColour(*c, kLinkColour, RECT{0, 0, c->Width(), c->Height()});
        EXPECT_EQ(InkWidth(left.GetUnderlinedFont(), text), shown.right + 1);
        EXPECT_LT(shown.right, c->Width());
    }
}

TEST_F(LinkLabel, ANewTargetRefitsTheLabelAndRenamesTheTooltip)
{
    EXPECT_EQ("Visit our web site", left.GetToolTip().GetText(&left, 1));
    const RECT wide = RectInParent(left);
    left.SetWindowText("Us");
    left.SetTarget("http://example.org/");
    const RECT narrow = RectInParent(left);
    EXPECT_EQ(wide.left, narrow.left);
    EXPECT_LT(narrow.right - narrow.left, wide.right - wide.left);
    EXPECT_EQ(TextExtent(left).cx, narrow.right - narrow.left);
    EXPECT_EQ("http://example.org/", left.GetToolTip().GetText(&left, 1));
    EXPECT_EQ(1, left.GetToolTip().GetToolCount());
}

TEST_F(LinkLabel, ThePointerIsAHandOverTheLabel)
{
    ASSERT_NE(nullptr, left.GetHandCursor());
    ::SetCursor(::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)));
    EXPECT_TRUE(left.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(left.m_hWnd),
                                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(left.GetHandCursor(), ::GetCursor());
}

TEST_F(LinkLabel, ASuccessfulClickMarksTheLinkVisitedWithoutAMessage)
{
    gui::MessageBoxAnswerer boxes;
    boxes.Answer(IDOK);
    Hover(left);
    gui::ClickAt(left, POINT{4, 4});
    gui::FlushEvents();
    ASSERT_EQ(1u, left.opened.size());
    EXPECT_EQ("Visit our web site", left.opened[0]);
    EXPECT_TRUE(left.IsVisited());
    EXPECT_TRUE(boxes.Seen().empty());
    // The label keeps the click to itself.
    EXPECT_EQ(0, host->CountCommands(kLeft, STN_CLICKED));
}

TEST_F(LinkLabel, AFailedClickNamesTheCauseAndClearsTheVisitedState)
{
    struct Case {
        INT_PTR code;
        const char* text;
    };
    const Case cases[] = {
        {SE_ERR_SHARE, "Unable to open hyperlink:\n\nA sharing violation occurred. "},
        {4, "Unable to open hyperlink:\n\nUnknown Error (4) occurred."},
        {0, "Unable to open hyperlink:\n\nThe operating system is out\nof memory or resources."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        left.MarkVisited(TRUE);
        left.answer = c.code;
        gui::MessageBoxAnswerer boxes;
        boxes.Answer(IDOK);
        host->SendMessage(WM_COMMAND, MAKEWPARAM(kLeft, STN_CLICKED),
                          reinterpret_cast<LPARAM>(left.m_hWnd));
        ASSERT_EQ(1u, boxes.Seen().size());
        EXPECT_EQ(c.text, boxes.Seen()[0].text);
        EXPECT_EQ("gui_controls", boxes.Seen()[0].caption);
        EXPECT_TRUE(boxes.Seen()[0].hasIcon);
        EXPECT_EQ(std::vector<int>{IDOK}, boxes.Seen()[0].buttons);
        EXPECT_FALSE(left.IsVisited());
    }
}

TEST_F(LinkLabel, EveryKnownCodeHasItsTextAndOthersSayUnknown)
{
    const std::pair<INT_PTR, const char*> known[] = {
        {0, "The operating system is out\nof memory or resources."},
        {2, "The specified file was not found."},
        {3, "The specified path was not found."},
        {5, "The operating system denied\naccess to the specified file."},
        {8, "There was not enough memory to complete the operation."},
        {11, "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."},
        {26, "A sharing violation occurred. "},
        {27, "The filename association is\nincomplete or invalid."},
        {28, "The DDE transaction could not\nbe completed because the request timed out."},
        {29, "The DDE transaction failed."},
        {30, "The DDE transaction could not\nbe completed because other DDE transactions\nwere "
             "being processed."},
        {31, "There is no application associated\nwith the given filename extension."},
        {32, "The specified dynamic-link library was not found."},
    };
    for (const auto& k : known)
        EXPECT_EQ(std::string("Unable to open hyperlink:\n\n") + k.second,
                  CLinkLabel::OpenErrorText(k.first))
            << k.first;
    for (INT_PTR unknown : {INT_PTR(1), INT_PTR(4), INT_PTR(33), INT_PTR(-7), INT_PTR(1000)})
        EXPECT_EQ("Unable to open hyperlink:\n\nUnknown Error (" + std::to_string(unknown) +
                      ") occurred.",
                  CLinkLabel::OpenErrorText(unknown));
}

}  // namespace
