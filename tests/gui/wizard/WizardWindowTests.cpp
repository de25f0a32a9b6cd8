// The wizard window itself: its state at start, the banner and START through the
// step changes, the system menu's about box, the icons, and the resources the
// program ships with.

#include "CAboutDlg.h"
#include "CMenu.h"
#include "WizardFixture.h"

namespace {

HICON ProgramIcon()
{
    return ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
}

}  // namespace

TEST_F(WizardTest, OpensWithStepOneInFrontAndStartDisabled)
{
    EXPECT_EQ(gui::WindowText(Wizard()), "tessiva");
    EXPECT_TRUE(::IsWindowVisible(Wizard()));
    EXPECT_FALSE(::IsWindowEnabled(Start()));
    EXPECT_EQ(ShownBanner(), static_cast<UINT>(IDB_BANNER_STEP1));
    EXPECT_EQ(m_wizard.m_nStep, 0);

    EXPECT_TRUE(::IsWindowVisible(m_wizard.m_filesPage.m_hWnd));
    EXPECT_FALSE(::IsWindowVisible(m_wizard.m_templatePage.m_hWnd));
    EXPECT_FALSE(::IsWindowVisible(m_wizard.m_outputPage.m_hWnd));

    // The three step buttons, in order.
    HWND steps = Item(IDC_STEPS);
    ASSERT_EQ(::SendMessageA(steps, TCM_GETITEMCOUNT, 0, 0), 3);
    const char* names[] = {"STEP1", "STEP2", "STEP3"};
    for (int i = 0; i < 3; ++i) {
        char text[16] = {};
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof(text);
        ASSERT_TRUE(::SendMessageA(steps, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item)));
        EXPECT_STREQ(text, names[i]);
    }
}

TEST_F(WizardTest, LinkLabelsShowTheMakersAddressesAlwaysUnderlined)
{
    struct Row {
        const char* label;
        CLinkLabel& link;
        int id;
        const char* text;
        const char* target;
    };
    const Row rows[] = {
        {"web site", m_wizard.m_linkWebSite, IDC_LINK_WEBSITE, "www.example.com",
         "http://www.example.com/tessiva/"},
        {"e-mail", m_wizard.m_linkEmail, IDC_LINK_EMAIL, "tessiva@example.com",
         "mailto:tessiva@example.com"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        ASSERT_EQ(row.link.m_hWnd, Item(row.id));
        EXPECT_EQ(gui::WindowText(Item(row.id)), row.text);
        EXPECT_EQ(row.link.GetTarget(), row.target);
        EXPECT_EQ(row.link.GetUnderlineMode(), CLinkLabel::UnderlineAlways);
        EXPECT_EQ(reinterpret_cast<HFONT>(::SendMessageA(Item(row.id), WM_GETFONT, 0, 0)),
                  row.link.GetUnderlinedFont());
    }
}

TEST_F(WizardTest, FrameHasTaskbarButtonAndHelpButtonButNoMinimiseOrMaximise)
{
    const LONG_PTR style = ::GetWindowLongPtrA(Wizard(), GWL_STYLE);
    const LONG_PTR exStyle = ::GetWindowLongPtrA(Wizard(), GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_APPWINDOW);
    EXPECT_TRUE(exStyle & WS_EX_CONTEXTHELP);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
}

TEST_F(WizardTest, WindowAndDragIconsAreTheProgramIcon)
{
    const HICON icon = ProgramIcon();
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(reinterpret_cast<HICON>(::SendMessageA(Wizard(), WM_GETICON, ICON_BIG, 0)), icon);
    EXPECT_EQ(reinterpret_cast<HICON>(::SendMessageA(Wizard(), WM_GETICON, ICON_SMALL, 0)), icon);
    EXPECT_EQ(reinterpret_cast<HICON>(::SendMessageA(Wizard(), WM_QUERYDRAGICON, 0, 0)), icon);
}

TEST_F(WizardTest, BannerAndStartFollowTheSteps)
{
    struct Row {
        const char* label;
        int step;
        UINT banner;
        bool startEnabled;
    };
    // START comes on with STEP3 and stays on when the user goes back.
    const Row rows[] = {
        {"STEP2 first", 1, IDB_BANNER_STEP2, false},
        {"STEP1 again", 0, IDB_BANNER_STEP1, false},
        {"STEP3", 2, IDB_BANNER_STEP3, true},
        {"back to STEP1", 0, IDB_BANNER_STEP1, true},
        {"STEP2 after STEP3", 1, IDB_BANNER_STEP2, true},
        {"STEP2 clicked twice", 1, IDB_BANNER_STEP2, true},
    };
    CDialog* pages[] = {&m_wizard.m_filesPage, &m_wizard.m_templatePage, &m_wizard.m_outputPage};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        ClickStep(row.step);
        EXPECT_EQ(ShownBanner(), row.banner);
        EXPECT_EQ(m_wizard.m_nStep, row.step);
        EXPECT_EQ(::IsWindowEnabled(Start()) != FALSE, row.startEnabled);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(::IsWindowVisible(pages[i]->m_hWnd) != FALSE, i == row.step) << "page " << i;
    }
}

TEST_F(WizardTest, RepaintShowsTheCurrentStepsBannerAgain)
{
    ClickStep(1);
    ASSERT_EQ(ShownBanner(), static_cast<UINT>(IDB_BANNER_STEP2));

    // Something else puts another picture into the banner; the next paint of the
    // window puts the step's own banner back and leaves the step as it was.
    HBITMAP stranger = ::LoadBitmapA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_BANNER_STEP3));
    HBITMAP mine = reinterpret_cast<HBITMAP>(::SendMessageA(
        Item(IDC_BANNER), STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(stranger)));
    ASSERT_EQ(ShownBanner(), static_cast<UINT>(IDB_BANNER_STEP3));

    ::RedrawWindow(Wizard(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    gui::FlushEvents();
    EXPECT_EQ(ShownBanner(), static_cast<UINT>(IDB_BANNER_STEP2));
    EXPECT_EQ(m_wizard.m_nStep, 1);
    EXPECT_FALSE(::IsWindowEnabled(Start()));
    (void)mine;  // still the window's, released by it
    ::DeleteObject(stranger);
}

TEST_F(WizardTest, SystemMenuEndsWithTheAboutItem)
{
    HMENU menu = ::GetSystemMenu(Wizard(), FALSE);
    ASSERT_NE(menu, nullptr);
    const int count = ::GetMenuItemCount(menu);
    ASSERT_GE(count, 2);
    EXPECT_EQ(::GetMenuItemID(menu, count - 1), static_cast<UINT>(IDM_ABOUTBOX));
    char text[64] = {};
    ::GetMenuStringA(menu, count - 1, text, sizeof(text), MF_BYPOSITION);
    EXPECT_STREQ(text, "&About tessiva...");
    EXPECT_TRUE(::GetMenuState(menu, count - 2, MF_BYPOSITION) & MF_SEPARATOR);
}

TEST_F(WizardTest, AboutBoxOpensForEverySystemCommandFrom16To31)
{
    for (UINT id : {16u, 17u, 24u, 31u}) {
        SCOPED_TRACE(id);
        gui::MessageBoxAnswerer boxes;
        boxes.Answer(IDOK);
        ::SendMessageA(Wizard(), WM_SYSCOMMAND, id, 0);
        ASSERT_EQ(boxes.Seen().size(), 1u);
        const gui::SeenBox& about = boxes.Seen()[0];
        EXPECT_EQ(about.caption, "About tessiva");
        EXPECT_EQ(about.text, "tessiva Version 1.0");
        EXPECT_TRUE(about.hasIcon);
        EXPECT_EQ(about.buttons, std::vector<int>{IDOK});
        EXPECT_EQ(about.defaultButton, IDOK);
        EXPECT_EQ(about.owner, Wizard());
        EXPECT_TRUE(about.ownerDisabled);
        EXPECT_TRUE(::IsWindowEnabled(Wizard()));
    }
}

TEST_F(WizardTest, OtherSystemCommandsOpenNoAboutBox)
{
    gui::MessageBoxAnswerer boxes;
    // 32 is the next block of sixteen; 15 is below the about item's.
    for (UINT id : {15u, 32u}) {
        ::SendMessageA(Wizard(), WM_SYSCOMMAND, id, 0);
        gui::FlushEvents();
    }
    EXPECT_TRUE(boxes.Seen().empty());
    EXPECT_TRUE(::IsWindowVisible(Wizard()));
}

TEST(AboutBox, ShowsTheAboutPictureAndVersionLine)
{
    // The picture is icon 143, drawn at the icon size of the system.
    gui::MessageBoxAnswerer boxes;
    boxes.Answer(IDOK);
    CAboutDlg about;
    EXPECT_EQ(about.DoModal(), IDOK);
    ASSERT_EQ(boxes.Seen().size(), 1u);
    EXPECT_TRUE(boxes.Seen()[0].hasIcon);
    EXPECT_NE(::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_ABOUT)), nullptr);
}

// ---- the minimised window ------------------------------------------------------------

namespace {

// Top-left corner of what differs from `ground` in the canvas; (-1, -1) if nothing.
POINT FirstDrawnPixel(const gui::DibCanvas& canvas, COLORREF ground)
{
    POINT first{-1, -1};
    for (int y = 0; y < canvas.Height() && first.y < 0; ++y)
        for (int x = 0; x < canvas.Width(); ++x)
            if (canvas.Pixel(x, y) != ground) {
                first.y = y;
                break;
            }
    for (int x = 0; x < canvas.Width() && first.x < 0; ++x)
        for (int y = 0; y < canvas.Height(); ++y)
            if (canvas.Pixel(x, y) != ground) {
                first.x = x;
                break;
            }
    return first;
}

}  // namespace

TEST_F(WizardTest, MinimisedIconIsCentredWithTheOddPixelToTheRight)
{
    // A minimised window has no client area on this system, so the picture it
    // would paint is drawn into a memory canvas of the client sizes in question.
    const int iconSize = ::GetSystemMetrics(SM_CXICON);
    ASSERT_EQ(iconSize, ::GetSystemMetrics(SM_CYICON));
    const COLORREF ground = RGB(255, 0, 255);

    // Where the icon's own picture starts inside its square.
    gui::DibCanvas alone(iconSize, iconSize);
    alone.Fill(ground);
    ::DrawIcon(alone.Dc(), 0, 0, ProgramIcon());
    const POINT inset = FirstDrawnPixel(alone, ground);
    ASSERT_GE(inset.x, 0);

    struct Row {
        int client;
        int origin;
    };
    // With the usual 32-pixel icon: 36 x 36 gives (2, 2), 37 x 37 gives (3, 3).
    const Row rows[] = {{iconSize + 4, 2}, {iconSize + 5, 3}, {iconSize, 0}, {iconSize + 1, 1}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.client);
        gui::DibCanvas canvas(row.client, row.client);
        canvas.Fill(ground);
        CDC dc(canvas.Dc());
        m_wizard.DrawMinimisedIcon(dc, CRect(0, 0, row.client, row.client));
        dc.Detach();
        const POINT drawn = FirstDrawnPixel(canvas, ground);
        EXPECT_EQ(drawn.x - inset.x, row.origin);
        EXPECT_EQ(drawn.y - inset.y, row.origin);
    }
}

// ---- resources -----------------------------------------------------------------------

namespace {

std::string VersionString(const std::vector<char>& block, const char* name)
{
    const std::string query = std::string("\\StringFileInfo\\040904B0\\") + name;
    void* value = nullptr;
    UINT length = 0;
    if (!::VerQueryValueA(block.data(), query.c_str(), &value, &length))
        return "<missing>";
    const char* text = static_cast<const char*>(value);
    return length ? std::string(text, strnlen(text, length)) : std::string();
}

}  // namespace

TEST(ProgramResources, VersionRecordIsOneZeroZeroOne)
{
    HMODULE self = ::GetModuleHandleA(nullptr);
    HRSRC found = ::FindResourceA(self, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(16) /* RT_VERSION */);
    ASSERT_NE(found, nullptr);
    const char* data = static_cast<const char*>(::LockResource(::LoadResource(self, found)));
    // VerQueryValue wants a writable copy of the block.
    std::vector<char> block(data, data + ::SizeofResource(self, found));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000001u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00000001u);

    WORD* translation = nullptr;
    ASSERT_TRUE(::VerQueryValueA(block.data(), "\\VarFileInfo\\Translation",
                                 reinterpret_cast<void**>(&translation), &length));
    ASSERT_GE(length, 4u);
    EXPECT_EQ(translation[0], 0x0409);
    EXPECT_EQ(translation[1], 0x04B0);

    const std::pair<const char*, const char*> strings[] = {
        {"FileVersion", "1, 0, 0, 1"},
        {"ProductVersion", "1, 0, 0, 1"},
        {"FileDescription", "tessiva MFC Application"},
        {"InternalName", "tessiva"},
        {"OriginalFilename", "tessiva.EXE"},
        {"ProductName", "tessiva Application"},
        {"CompanyName", ""},
        {"LegalTrademarks", ""},
    };
    for (const auto& [name, expected] : strings)
        EXPECT_EQ(VersionString(block, name), expected) << name;
}

TEST(ProgramResources, BannersAreFourHundredBySixtyTrueColourOnWhite)
{
    for (UINT id = IDB_BANNER_STEP1; id <= IDB_BANNER_STEP3; ++id) {
        SCOPED_TRACE(id);
        HBITMAP bitmap = static_cast<HBITMAP>(::LoadImageA(
            ::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        ASSERT_NE(bitmap, nullptr);
        DIBSECTION dib{};
        ASSERT_EQ(::GetObjectA(bitmap, sizeof(dib), &dib), static_cast<int>(sizeof(dib)));
        EXPECT_EQ(dib.dsBm.bmWidth, 400);
        EXPECT_EQ(dib.dsBm.bmHeight, 60);
        EXPECT_EQ(dib.dsBmih.biBitCount, 24);
        // The ground: the corner and the middle of the empty band between title and drawing.
        HDC dc = ::CreateCompatibleDC(nullptr);
        HGDIOBJ old = ::SelectObject(dc, bitmap);
        EXPECT_EQ(::GetPixel(dc, 0, 0), RGB(255, 255, 255));
        EXPECT_EQ(::GetPixel(dc, 280, 30), RGB(255, 255, 255));
        ::SelectObject(dc, old);
        ::DeleteDC(dc);
        ::DeleteObject(bitmap);
    }
}
