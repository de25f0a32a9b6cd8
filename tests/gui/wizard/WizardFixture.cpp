#include "WizardFixture.h"

#include <fstream>
#include <iterator>

#include "CConverterApp.h"

namespace {

// The program's application object is the wizard's home: the wizard is its main
// window, which owns the about box and every box without an owner of its own,
// and the application takes the help command the window passes on.
CConverterApp g_testApp;

// The pixels of a bitmap resource as 32-bit values (0x00RRGGBB, top-down).
std::vector<DWORD> ResourcePixels(UINT id, int& width, int& height)
{
    HBITMAP bitmap = static_cast<HBITMAP>(::LoadImageA(::GetModuleHandleA(nullptr),
                                                       MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0,
                                                       LR_CREATEDIBSECTION));
    std::vector<DWORD> pixels;
    if (!bitmap)
        return pixels;
    BITMAP info{};
    ::GetObjectA(bitmap, sizeof(info), &info);
    width = info.bmWidth;
    height = info.bmHeight;
    BITMAPINFO header{};
    header.bmiHeader.biSize = sizeof(header.bmiHeader);
    header.bmiHeader.biWidth = width;
    header.bmiHeader.biHeight = -height;
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    header.bmiHeader.biCompression = BI_RGB;
    pixels.resize(static_cast<size_t>(width) * height);
    HDC screen = ::GetDC(nullptr);
    ::GetDIBits(screen, bitmap, 0, height, pixels.data(), &header, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    ::DeleteObject(bitmap);
    for (DWORD& p : pixels)
        p &= 0x00FFFFFF;
    return pixels;
}

}  // namespace

void WizardTest::SetUp()
{
    AfxInitCommonControls();  // as the program's entry does: the step buttons are a common control
    ASSERT_TRUE(m_wizard.Create(IDD_WIZARD, nullptr));
    g_testApp.m_pMainWnd = &m_wizard;
    gui::FlushEvents();
}

void WizardTest::TearDown()
{
    g_testApp.m_pMainWnd = nullptr;
    if (m_wizard.m_hWnd)
        m_wizard.DestroyWindow();
    gui::FlushEvents();
}

void WizardTest::ClickStep(int step)
{
    HWND steps = Item(IDC_STEPS);
    RECT button{};
    ASSERT_TRUE(::SendMessageA(steps, TCM_GETITEMRECT, step, reinterpret_cast<LPARAM>(&button)));
    gui::ClickAt(steps, POINT{(button.left + button.right) / 2, (button.top + button.bottom) / 2});
}

UINT WizardTest::ShownBanner() const
{
    HWND banner = Item(IDC_BANNER);
    RECT client{};
    ::GetClientRect(banner, &client);
    gui::DibCanvas canvas(client.right, client.bottom);
    canvas.Fill(RGB(1, 2, 3));
    canvas.PrintWindow(banner);
    for (UINT id = IDB_BANNER_STEP1; id <= IDB_BANNER_STEP3; ++id) {
        int width = 0, height = 0;
        const std::vector<DWORD> expected = ResourcePixels(id, width, height);
        if (expected.empty() || width > canvas.Width() || height > canvas.Height())
            continue;
        bool same = true;
        for (int y = 0; y < height && same; ++y) {
            for (int x = 0; x < width && same; ++x) {
                const COLORREF c = canvas.Pixel(x, y);
                const DWORD rgb = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
                same = rgb == expected[static_cast<size_t>(y) * width + x];
            }
        }
        if (same)
            return id;
    }
    return 0;
}

void WizardTest::AddFiles(const std::vector<std::string>& paths)
{
    for (const std::string& path : paths)
        m_wizard.m_filesPage.m_listFiles.AddString(path.c_str());
}

void WizardTest::TypeInto(CDialog& page, int id, const std::string& text)
{
    HWND box = ::GetDlgItem(page.m_hWnd, id);
    ASSERT_NE(box, nullptr) << "control " << id;
    ::SetWindowTextA(box, text.c_str());
}

void WizardTest::PressStart()
{
    ASSERT_TRUE(::IsWindowEnabled(Start()));
    ::SendMessageA(Start(), BM_CLICK, 0, 0);
    gui::FlushEvents();
}

std::string ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool PathIsThere(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

void RemoveFilesIn(const std::string& folder)
{
    WIN32_FIND_DATAA found{};
    HANDLE search = ::FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            ::DeleteFileA((folder + "\\" + found.cFileName).c_str());
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
}
