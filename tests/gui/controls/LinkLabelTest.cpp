// The link label: colours and underline read back as pixels with the real
// mouse over it and away, fitting to its text, what a click does, and the
// fallback through the open command registered for web pages.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "CLinkLabel.h"
#include "ControlsTest.h"

namespace {

constexpr COLORREF kLink = RGB(0, 0, 238), kVisited = RGB(85, 26, 139), kHover = RGB(255, 0, 0);

class Label : public CLinkLabel {
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

RECT InParent(HWND hwnd)
{
    RECT r{};
    ::GetWindowRect(hwnd, &r);
    ::MapWindowPoints(nullptr, ::GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

class LinkLabel : public ::testing::Test {
protected:
    void SetUp() override
    {
        gui::DialogTemplate t(WS_POPUP | WS_CAPTION | DS_MODALFRAME, 200, 120, "Links");
        t.Add("Static", "Visit our web site", 301, SS_LEFT, 8, 8, 150, 12)
            .Add("Static", "", 302, SS_LEFT, 8, 24, 150, 12)
            .Add("Static", "centred", 303, SS_CENTER, 8, 40, 101, 12)
            .Add("Static", "right", 304, SS_RIGHT, 8, 56, 100, 12)
            .Add("Static", "middle", 305, SS_LEFT | SS_CENTERIMAGE, 8, 72, 100, 25)
            .Add("Static", "framed", 306, SS_LEFT | WS_BORDER, 8, 100, 100, 16);
        host = std::make_unique<Host>(t);
        for (int id = 301; id <= 306; ++id)
            before[id - 301] = InParent(::GetDlgItem(*host, id));
        labels[1].SetTarget("mailto:someone@example.org");
        for (int id = 301; id <= 306; ++id)
            ASSERT_TRUE(labels[id - 301].SubclassDlgItem(id, host.get()));
        MoveMouse(*host, POINT{380, 200});
    }
    void Hover(bool over)
    {
        MoveMouse(over ? labels[0] : *host, over ? POINT{4, 4} : POINT{380, 200});
        MoveMouse(over ? labels[0] : *host, over ? POINT{5, 4} : POINT{381, 200});
        ASSERT_TRUE(gui::PumpUntil([&] { return labels[0].IsHovering() == BOOL(over); }));
    }
    std::unique_ptr<Host> host;
    RECT before[6];
    Label labels[6];
};

TEST_F(LinkLabel, ShowsItsStateInColourAndUnderline)
{
    const struct {
        const char* label;
        int mode;
        BOOL visited;
        bool hovered;
        COLORREF colour;
        bool underlined;
    } rows[] = {
        {"underline on hover, at rest", CLinkLabel::UnderlineOnHover, FALSE, false, kLink, false},
        {"underline on hover, hovered", CLinkLabel::UnderlineOnHover, FALSE, true, kHover, true},
        {"underline on hover, left", CLinkLabel::UnderlineOnHover, TRUE, false, kVisited, false},
        {"never underlined, hovered", CLinkLabel::UnderlineNever, TRUE, true, kHover, false},
        {"never underlined, left", CLinkLabel::UnderlineNever, FALSE, false, kLink, false},
        {"always underlined", CLinkLabel::UnderlineAlways, TRUE, false, kVisited, true},
        {"always underlined, hovered", CLinkLabel::UnderlineAlways, FALSE, true, kHover, true},
        {"always underlined, left", CLinkLabel::UnderlineAlways, FALSE, false, kLink, true},
    };
    Label& label = labels[0];
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        label.SetUnderlineMode(row.mode);
        label.MarkVisited(row.visited);
        Hover(row.hovered);
        if (!row.hovered)
            EXPECT_FALSE(::KillTimer(label, label.GetHoverTimerId())) << "the hover timer still runs";
        RECT client{};
        ::GetClientRect(label, &client);
        gui::DibCanvas c(client.right, client.bottom);
        c.PrintWindow(label);
        EXPECT_EQ(Sys(COLOR_BTNFACE), c.Pixel(client.right - 1, 0));
        int longestRun = 0, inkLeft = client.right, inkRight = -1;
        for (COLORREF colour : {kLink, kVisited, kHover}) {
            int count = 0;
            for (int y = 0; y < client.bottom; ++y) {
                int run = 0;
                for (int x = 0; x < client.right; ++x) {
                    const bool ink = c.Pixel(x, y) == colour;
                    count += ink, run = ink ? run + 1 : 0;
                    longestRun = std::max(longestRun, colour == row.colour ? run : 0);
                    if (ink)
                        inkLeft = std::min(inkLeft, x), inkRight = std::max(inkRight, x);
                }
            }
            EXPECT_EQ(colour == row.colour, count > 10) << std::hex << colour;
        }
        // Underlined: one row of ink almost as long as the text.
        EXPECT_EQ(row.underlined, longestRun > (inkRight - inkLeft) * 9 / 10) << longestRun;
    }
}

TEST_F(LinkLabel, FitsItsTextKeepingTheEdgeItsAlignmentNames)
{
    for (int i = 0; i < 6; ++i) {
        Label& label = labels[i];
        SCOPED_TRACE(label.GetWindowText());
        const RECT was = before[i], now = InParent(label);
        RECT client{};
        ::GetClientRect(label, &client);
        SIZE text{};
        const HDC dc = ::GetDC(label);
        const HGDIOBJ old = ::SelectObject(dc, label.GetUnderlinedFont());
        ::GetTextExtentPoint32A(dc, label.GetWindowText().c_str(), int(label.GetWindowText().size()), &text);
        ::SelectObject(dc, old);
        ::ReleaseDC(label, dc);
        const DWORD style = label.GetStyle();
        EXPECT_GE(client.bottom, text.cy);
        EXPECT_LE(client.bottom, text.cy + (style & SS_CENTERIMAGE ? 1 : 0));
        EXPECT_GE(client.right, text.cx);
        EXPECT_LE(client.right, text.cx + 3);
        const LONG freeX = (was.right - was.left) - (now.right - now.left), freeY = (was.bottom - was.top) - (now.bottom - now.top);
        const LONG keptLeft = now.left - was.left, keptTop = now.top - was.top;
        EXPECT_EQ((style & SS_TYPEMASK) == SS_CENTER ? freeX / 2 : (style & SS_TYPEMASK) == SS_RIGHT ? freeX : 0, keptLeft);
        EXPECT_EQ(style & SS_CENTERIMAGE ? freeY / 2 : 0, keptTop);
    }
    EXPECT_EQ("mailto:someone@example.org", labels[1].GetWindowText());
    EXPECT_EQ("Visit our web site", labels[0].GetToolTip().GetText(&labels[0], 1));
    labels[0].SetTarget("http://example.org/");
    EXPECT_EQ("http://example.org/", labels[0].GetToolTip().GetText(&labels[0], 1));
}

TEST_F(LinkLabel, AClickOpensTheTargetOrNamesWhyItCouldNot)
{
    const std::vector<std::pair<INT_PTR, const char*>> rows = {
        {33, nullptr},
        {0, "The operating system is out\nof memory or resources."},
        {2, "The specified file was not found."},
        {26, "A sharing violation occurred. "},
        {31, "There is no application associated\nwith the given filename extension."},
        {4, "Unknown Error (4) occurred."},
        {-7, "Unknown Error (-7) occurred."},
        {1000, nullptr},
    };
    Label& label = labels[0];
    for (const auto& row : rows) {
        SCOPED_TRACE(row.first);
        label.answer = row.first;
        label.MarkVisited(row.second != nullptr);
        gui::MessageBoxAnswerer boxes;
        boxes.Answer(IDOK);
        gui::ClickAt(label, POINT{label.opened.size() % 2 ? 4 : 40, 4});  // apart: no double click
        EXPECT_EQ(row.second == nullptr, label.IsVisited() != FALSE);
        ASSERT_EQ(row.second ? 1u : 0u, boxes.Seen().size());
        if (row.second) {
            EXPECT_EQ(std::string("Unable to open hyperlink:\n\n") + row.second, boxes.Seen()[0].text);
            EXPECT_EQ(std::vector<int>{IDOK}, boxes.Seen()[0].buttons);
            EXPECT_TRUE(boxes.Seen()[0].hasIcon);
        }
    }
    EXPECT_EQ(std::vector<std::string>(rows.size(), "Visit our web site"), label.opened);
    EXPECT_EQ(0, host->Count(301, STN_CLICKED));
    ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
    label.SendMessage(WM_SETCURSOR, WPARAM(label.m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(label.GetHandCursor(), ::GetCursor());
}

TEST(LinkLabelFallback, MakesTheCommandLineFromTheRegisteredOpenCommand)
{
    const std::string longest(MAX_PATH - 1, 'c'), target = "http://example.org/";
    const std::string windows = std::getenv("SystemRoot") ? std::getenv("SystemRoot") : "?";
    const struct {
        const char* label;
        DWORD type;
        std::string command;  // as stored; "" with REG_NONE: no command key
        std::string line;     // "": no command line
    } rows[] = {
        {"quoted placeholder", REG_SZ, "C:\\b.exe \"%1\"", "C:\\b.exe  " + target},
        {"bare placeholder", REG_SZ, "C:\\b.exe %1", "C:\\b.exe  " + target},
        {"no placeholder", REG_SZ, "C:\\b.exe -new", "C:\\b.exe -new " + target},
        {"text after it", REG_SZ, "\"C:\\P F\\b.exe\" -url \"%1\" -nohome", "\"C:\\P F\\b.exe\" -url  " + target},
        {"quoted wins over bare", REG_SZ, "b.exe -a %1 -b \"%1\"", "b.exe -a %1 -b  " + target},
        {"stored without its NUL", REG_SZ, std::string("C:\\b.exe"), "C:\\b.exe " + target},
        {"expandable", REG_EXPAND_SZ, "%SystemRoot%\\b.exe \"%1\"", windows + "\\b.exe  " + target},
        {"longest that fits", REG_SZ, longest, longest + " " + target},
        {"too long", REG_SZ, longest + "c", ""},
        {"not text", REG_DWORD, std::string("\7\0\0\0", 4), ""},
        {"no command", REG_NONE, "", ""},
    };
    const std::string path = "Software\\tessiva-tests-" + std::to_string(::GetCurrentProcessId());
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        HKEY root = nullptr, key = nullptr;
        ::RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &root, nullptr);
        ::RegSetValueA(root, ".htm", REG_SZ, "page", 4);
        ::RegCreateKeyExA(root, "page\\shell\\open\\command", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        const size_t nul = row.label == std::string("stored without its NUL") || row.type == REG_DWORD ? 0 : 1;
        if (row.type != REG_NONE)
            ::RegSetValueExA(key, nullptr, 0, row.type, reinterpret_cast<const BYTE*>(row.command.c_str()),
                             DWORD(row.command.size() + nul));
        ::RegCloseKey(key);
        char command[2 * MAX_PATH], line[2 * MAX_PATH];
        std::memset(command, '#', sizeof(command));
        const LONG read = CLinkLabel::ReadWebPageCommand(root, command, sizeof(command));
        EXPECT_EQ(row.line.empty(), read != ERROR_SUCCESS);
        if (read != ERROR_SUCCESS)
            EXPECT_STREQ("", command);
        else
            EXPECT_EQ(row.line, CLinkLabel::BuildOpenCommandLine(command, target.c_str(), line, sizeof(line)) ? line : "-");
        ::RegCloseKey(root);
        ::RegDeleteTreeA(HKEY_CURRENT_USER, path.c_str());
    }
    EXPECT_EQ(ERROR_INVALID_PARAMETER, CLinkLabel::ReadClassesRootValue(HKEY_CURRENT_USER, ".htm", nullptr, 8));
    // The line must fit its buffer, terminator included.
    char line[2 * MAX_PATH];
    EXPECT_TRUE(CLinkLabel::BuildOpenCommandLine(longest.c_str(), longest.c_str(), line, sizeof(line)));
    EXPECT_FALSE(CLinkLabel::BuildOpenCommandLine(longest.c_str(), (longest + "t").c_str(), line, sizeof(line)));
    EXPECT_STREQ("", line);
}

}  // namespace
