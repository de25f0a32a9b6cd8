// The link label: colour and underline as pixels under the real mouse, fitting to its text, clicks, the registered-command fallback.
#include <gtest/gtest.h>

#include <string>

#include "CLinkLabel.h"
#include "ControlsTest.h"
#include "HandleCounter.h"

namespace {

struct Label : CLinkLabel {
    INT_PTR answer = 42; std::vector<std::string> opened;
    INT_PTR OpenTarget(LPCSTR target, int) override { return opened.emplace_back(target), answer; }
};
RECT InParent(HWND w) { RECT r{}; return ::GetWindowRect(w, &r), ::MapWindowPoints(nullptr, ::GetParent(w), reinterpret_cast<POINT*>(&r), 2), r; }

TEST(LinkLabel, FitsItsTextShowsItsStateInColourAndUnderlineAndOpensItsTargetOnAClick) {
    gui::DialogTemplate t(WS_POPUP | WS_CAPTION | DS_MODALFRAME, 200, 120, "Links");
    t.Add("Static", "Visit our web site", 301, SS_LEFT, 8, 8, 150, 12).Add("Static", "", 302, SS_LEFT, 8, 24, 150, 12)
        .Add("Static", "centred", 303, SS_CENTER, 8, 40, 101, 12).Add("Static", "right", 304, SS_RIGHT, 8, 56, 100, 12)
        .Add("Static", "middle", 305, SS_LEFT | SS_CENTERIMAGE, 8, 72, 100, 25).Add("Static", "framed", 306, SS_LEFT | WS_BORDER, 8, 100, 100, 16)
        .Add("Static", "Wolf fly", 307, SS_LEFT, 110, 8, 80, 12);
    Host host(t);
    Label labels[7]; labels[1].SetTarget("mailto:someone@example.org");
    LOGFONTA italic{}; ::GetObjectA(HFONT(::SendDlgItemMessageA(host, 307, WM_GETFONT, 0, 0)), sizeof italic, &italic); italic.lfItalic = TRUE;
    const HFONT leaning = ::CreateFontIndirectA(&italic); ::SendDlgItemMessageA(host, 307, WM_SETFONT, WPARAM(leaning), 0);
    for (int i = 0; i < 7; ++i) {  // each fits its text, keeping the edge its alignment names; the italic one its ink past the text
        Label& label = labels[i];
        const RECT was = InParent(::GetDlgItem(host, 301 + i)); ASSERT_TRUE(label.SubclassDlgItem(301 + i, &host));
        SCOPED_TRACE(label.GetWindowText()); const RECT now = InParent(label);
        RECT client{}; SIZE text{};
        const HDC dc = ::GetDC(label); const HGDIOBJ old = ::SelectObject(dc, label.GetUnderlinedFont());
        ::GetClientRect(label, &client), ::GetTextExtentPoint32A(dc, label.GetWindowText().c_str(), int(label.GetWindowText().size()), &text);
        ::SelectObject(dc, old), ::ReleaseDC(label, dc); const DWORD style = label.GetStyle(), align = style & SS_TYPEMASK;
        EXPECT_TRUE(client.bottom >= text.cy && client.bottom <= text.cy + (style & SS_CENTERIMAGE ? 1 : 0)) << client.bottom;
        EXPECT_TRUE(client.right >= text.cx + (i == 6) && client.right <= text.cx + 3) << client.right;
        const LONG freeX = (was.right - was.left) - (now.right - now.left), freeY = (was.bottom - was.top) - (now.bottom - now.top);
        EXPECT_EQ(align == SS_CENTER ? freeX / 2 : align == SS_RIGHT ? freeX : 0, now.left - was.left);
        EXPECT_EQ(style & SS_CENTERIMAGE ? freeY / 2 : 0, now.top - was.top);
    }
    auto hover = [&](bool over) {
        for (LONG dx : {0, 1}) MoveMouse(over ? labels[0] : host, over ? POINT{4 + dx, 4} : POINT{380 + dx, 200});
        return gui::PumpUntil([&] { return labels[0].IsHovering() == BOOL(over); });
    };
    const int onHover = CLinkLabel::UnderlineOnHover, never = CLinkLabel::UnderlineNever, always = CLinkLabel::UnderlineAlways;
    // Each in the picture: blue, red while hovered, purple once visited; underlined as the mode says.
    const struct { const char* label; int mode; BOOL visited; bool hovered; } rows[] = {
        {"underline on hover, at rest", onHover, FALSE, false}, {"underline on hover, hovered", onHover, FALSE, true},
        {"underline on hover, left", onHover, TRUE, false}, {"never underlined, hovered", never, TRUE, true},
        {"always underlined", always, TRUE, false}, {"always underlined, hovered", always, FALSE, true},
    };
    Label& label = labels[0];
    RECT face{}; ::GetClientRect(label, &face); gui::DibCanvas sheet(face.right, face.bottom * int(std::size(rows) + 1));  // each row, then focused
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label); label.SetUnderlineMode(row.mode), label.MarkVisited(row.visited);
        ASSERT_TRUE(hover(row.hovered));
        if (!row.hovered) EXPECT_FALSE(::KillTimer(label, label.GetHoverTimerId())) << "the hover timer still runs";
        gui::DibCanvas c(face.right, face.bottom); c.PrintWindow(label);
        sheet.Paste(c, face.bottom * int(&row - rows));
    }
    for (UINT message : {WM_UPDATEUISTATE, WM_SETFOCUS, WM_KILLFOCUS}) {  // each repaints the focus rectangle
        ::UpdateWindow(label), label.SendMessage(message, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS)); EXPECT_TRUE(::GetUpdateRect(label, nullptr, FALSE)) << message; }
    ::SetFocus(label), ::RedrawWindow(host, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT all{}; ::GetClientRect(host, &all); gui::DibCanvas dialog(all.right, all.bottom);
    sheet.CopyShown(label, face.bottom * int(std::size(rows))), dialog.CopyShown(host);  // as painted on screen, the focus rectangle too
    EXPECT_TRUE(sheet.MatchesPicture("LINK_LABEL_LOOKS")); EXPECT_TRUE(dialog.MatchesPicture("LINK_LABEL_DIALOG"));
    // A click opens the target or names why it could not.
    const std::pair<INT_PTR, const char*> answers[] = {
        {33, nullptr}, {0, "The operating system is out\nof memory or resources."}, {2, "The specified file was not found."},
        {26, "A sharing violation occurred. "}, {31, "There is no application associated\nwith the given filename extension."},
        {32, "The specified dynamic-link library was not found."}, {4, "Unknown Error (4) occurred."}, {-7, "Unknown Error (-7) occurred."}, {1000, nullptr}};
    for (const auto& row : answers) {
        SCOPED_TRACE(row.first); label.answer = row.first, label.MarkVisited(row.second != nullptr);
        gui::MessageBoxAnswerer boxes; boxes.Answer(IDOK);
        gui::ClickAt(label, POINT{label.opened.size() % 2 ? 4 : 40, 4});  // apart: no double click
        EXPECT_EQ(row.second == nullptr, label.IsVisited() != FALSE); ASSERT_EQ(row.second ? 1u : 0u, boxes.Seen().size());
        if (row.second)
            EXPECT_TRUE(boxes.Seen()[0].text == std::string("Unable to open hyperlink:\n\n") + row.second && boxes.Seen()[0].hasIcon &&
                        boxes.Seen()[0].buttons == std::vector<int>{IDOK}) << boxes.Seen()[0].text;
    }
    EXPECT_EQ(std::vector<std::string>(std::size(answers), "Visit our web site"), label.opened);
    EXPECT_EQ(0, host.Count(301, STN_CLICKED)); ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
    label.SendMessage(WM_SETCURSOR, WPARAM(label.m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(label.GetHandCursor(), ::GetCursor()); EXPECT_EQ("mailto:someone@example.org", labels[1].GetWindowText());
    EXPECT_EQ("Visit our web site", labels[0].GetToolTip().GetText(&labels[0], 1));
    labels[0].SetTarget("http://example.org/"); EXPECT_EQ("http://example.org/", labels[0].GetToolTip().GetText(&labels[0], 1));
    ::DeleteObject(leaning);  // the label draws with copies of it
}

TEST(LinkLabel, IsATabStopThatEnterOrSpaceOpens) {
    gui::DialogTemplate t(WS_POPUP | WS_CAPTION | DS_MODALFRAME, 120, 40, "Keys");
    t.Add("Static", "Visit", 301, SS_LEFT, 8, 8, 60, 12).Add("Static", "Again", 302, SS_LEFT, 8, 24, 60, 12);
    Host host(t);
    Label label; ASSERT_TRUE(label.SubclassDlgItem(301, &host));
    EXPECT_TRUE(label.GetStyle() & WS_TABSTOP);
    const struct { const char* label; UINT key; LPARAM flags; bool opens; } rows[] = {
        {"Enter", VK_RETURN, 0, true}, {"Space", VK_SPACE, 0, true}, {"Space held down", VK_SPACE, KF_REPEAT << 16, false},
        {"a letter", 'V', 0, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label); label.opened.clear();
        MSG key{label, WM_KEYDOWN, row.key, row.flags};
        const LRESULT code = label.SendMessage(WM_GETDLGCODE, 0, LPARAM(&key));
        EXPECT_EQ(row.key != 'V', (code & DLGC_WANTMESSAGE) != 0);  // the dialog keeps none of them
        label.SendMessage(WM_KEYDOWN, row.key, row.flags);
        EXPECT_EQ(row.opens ? 1u : 0u, label.opened.size());
    }
    gui::HandleCounter counter;  // a label gives back its fonts, its cursor and what it paints with
    { Label again; ASSERT_TRUE(again.SubclassDlgItem(302, &host)); ::RedrawWindow(again, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); again.DestroyWindow(); }
    EXPECT_GT(counter.Created(), 3u); EXPECT_EQ(0u, counter.Live());
}

TEST(LinkLabelFallback, MakesTheCommandLineFromTheRegisteredOpenCommand) {
    const std::string longest(MAX_PATH - 1, 'c'), target = "http://example.org/", windows = std::getenv("SystemRoot") ? std::getenv("SystemRoot") : "?";
    // command as stored, REG_NONE: no command key; line "": none made
    const struct { const char* label; DWORD type; std::string command, line; size_t nul = 1; } rows[] = {
        {"quoted placeholder", REG_SZ, "C:\\b.exe \"%1\"", "C:\\b.exe  " + target},
        {"bare placeholder", REG_SZ, "C:\\b.exe %1", "C:\\b.exe  " + target},
        {"no placeholder", REG_SZ, "C:\\b.exe -new", "C:\\b.exe -new " + target},
        {"text after it", REG_SZ, "\"C:\\P F\\b.exe\" -url \"%1\" -nohome", "\"C:\\P F\\b.exe\" -url  " + target},
        {"quoted wins over bare", REG_SZ, "b.exe -a %1 -b \"%1\"", "b.exe -a %1 -b  " + target},
        {"stored without its NUL", REG_SZ, "C:\\b.exe", "C:\\b.exe " + target, 0},
        {"expandable", REG_EXPAND_SZ, "%SystemRoot%\\b.exe \"%1\"", windows + "\\b.exe  " + target},
        {"longest that fits", REG_SZ, longest, longest + " " + target},
        {"too long", REG_SZ, longest + "c", ""},
        {"not text", REG_DWORD, std::string("\7\0\0\0", 4), "", 0},
        {"no command", REG_NONE, "", ""},
    };
    const std::string path = "Software\\tessiva-tests-" + std::to_string(::GetCurrentProcessId());
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label); HKEY root = nullptr, key = nullptr;
        ::RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &root, nullptr);
        ::RegSetValueA(root, ".htm", REG_SZ, "page", 4);
        ::RegCreateKeyExA(root, "page\\shell\\open\\command", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        if (row.type != REG_NONE)
            ::RegSetValueExA(key, nullptr, 0, row.type, reinterpret_cast<const BYTE*>(row.command.c_str()), DWORD(row.command.size() + row.nul));
        ::RegCloseKey(key); char command[2 * MAX_PATH], line[2 * MAX_PATH];
        std::fill_n(command, sizeof(command), '#'), std::fill_n(line, sizeof(line), '#');
        const LONG read = CLinkLabel::ReadWebPageCommand(root, command, sizeof(command));
        EXPECT_EQ(row.line.empty(), read != ERROR_SUCCESS);
        EXPECT_EQ(row.line, read != ERROR_SUCCESS ? command : CLinkLabel::BuildOpenCommandLine(command, target.c_str(), line, sizeof(line)) ? line : "-");
        ::RegCloseKey(root), ::RegDeleteTreeA(HKEY_CURRENT_USER, path.c_str());
    }
    char line[2 * MAX_PATH];  // the line must fit its buffer, terminator included
    EXPECT_TRUE(CLinkLabel::BuildOpenCommandLine(longest.c_str(), longest.c_str(), line, sizeof(line)));
    EXPECT_FALSE(CLinkLabel::BuildOpenCommandLine(longest.c_str(), (longest + "t").c_str(), line, sizeof(line)));
    EXPECT_STREQ("", line);
}

}  // namespace
