#include "GuiHarness.h"

#include <algorithm>
#include <fstream>

#include <commctrl.h>

#include "CMenu.h"
#include "CWnd.h"

namespace gui {

namespace {

bool IsDialogClass(HWND hwnd) { return ClassName(hwnd) == "#32770"; }

std::vector<HWND> ThreadDialogs() {
    std::vector<HWND> found;
    ::EnumThreadWindows(::GetCurrentThreadId(), [](HWND hwnd, LPARAM out) -> BOOL {
        if (::IsWindowVisible(hwnd) && IsDialogClass(hwnd))
            reinterpret_cast<std::vector<HWND>*>(out)->push_back(hwnd);
        return TRUE;
    }, reinterpret_cast<LPARAM>(&found));
    return found;
}

// A message box holds only static texts, an icon and buttons with the
// standard answers' ids (IDOK to IDCONTINUE).
bool IsMessageBox(HWND dialog) {
    bool hasButton = false;
    for (HWND c = ::GetWindow(dialog, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
        const std::string cls = ClassName(c);
        if (cls == "Button") {
            const int id = ::GetDlgCtrlID(c);
            if (id < IDOK || id > IDCONTINUE)
                return false;
            hasButton = true;
        } else if (cls != "Static") {
            return false;
        }
    }
    return hasButton;
}

thread_local MessageBoxAnswerer* t_answerer = nullptr;

}  // namespace

std::string WindowText(HWND hwnd) {
    // W form: texts come back whole also across processes.
    std::wstring wide(static_cast<size_t>(::GetWindowTextLengthW(hwnd)) + 1, L'\0');
    wide.resize(static_cast<size_t>(std::max(0, ::GetWindowTextW(hwnd, &wide[0], static_cast<int>(wide.size())))));
    std::string text(wide.size() * 4, '\0');  // room for any code page's bytes
    text.resize(static_cast<size_t>(std::max(0, ::WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()),
                                                                      &text[0], static_cast<int>(text.size()), nullptr, nullptr))));
    return text;
}

std::string ClassName(HWND hwnd) {
    char name[256] = {};
    ::GetClassNameA(hwnd, name, sizeof(name));
    return name;
}

// ---- pumping ----------------------------------------------------------------------------

void FlushEvents() {
    MSG msg;
    // A few rounds: handling one message often posts the next.
    for (int round = 0; round < 3; ++round) {
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                return;
            }
            // As a modal loop would: PreTranslateMessage up the chain, then the
            // dialog manager of the top-level dialog.
            const HWND root = msg.hwnd ? ::GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
            bool eaten = AfxWalkPreTranslateTree(root, &msg) != FALSE;
            if (!eaten && root && IsDialogClass(root))
                eaten = ::IsDialogMessageA(root, &msg) != FALSE;
            if (!eaten) {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
            CWnd::DeleteTempMap();
            CMenu::DeleteTempMap();
        }
    }
}

bool PumpUntil(const std::function<bool()>& condition, DWORD limitMs) {
    const DWORD start = ::GetTickCount();
    for (;;) {
        FlushEvents();
        if (condition())
            return true;
        if (::GetTickCount() - start > limitMs)
            return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

// ---- message log -------------------------------------------------------------------------

::testing::AssertionResult MessageLog::Matches(const std::vector<std::string>& expected) const {
    if (m_entries == expected)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "message sequence differs\n  expected: " << ::testing::PrintToString(expected)
                                         << "\n  got:      " << ::testing::PrintToString(m_entries);
}

// ---- pixels --------------------------------------------------------------------------------

DibCanvas::DibCanvas(int width, int height) : m_width(width), m_height(height) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(info.bmiHeader), width, -height, 1, 32, BI_RGB};  // top-down: row 0 is the top
    void* bits = nullptr;
    m_dc = ::CreateCompatibleDC(nullptr);
    m_bitmap = ::CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_bits = static_cast<DWORD*>(bits);
    m_oldBitmap = ::SelectObject(m_dc, m_bitmap);
}

DibCanvas::~DibCanvas() {
    ::SelectObject(m_dc, m_oldBitmap);
    ::DeleteObject(m_bitmap);
    ::DeleteDC(m_dc);
}

void DibCanvas::Fill(COLORREF colour) {
    const HBRUSH brush = ::CreateSolidBrush(colour);
    RECT all{0, 0, m_width, m_height};
    ::FillRect(m_dc, &all, brush);
    ::DeleteObject(brush);
}

void DibCanvas::PrintWindow(HWND hwnd) {
    ::SendMessageA(hwnd, WM_PRINT, reinterpret_cast<WPARAM>(m_dc),
                   PRF_CLIENT | PRF_NONCLIENT | PRF_CHILDREN | PRF_ERASEBKGND);
}

void DibCanvas::CopyShown(HWND hwnd, int y) {
    RECT client{};
    const HDC shown = ::GetDC(hwnd);
    ::GetClientRect(hwnd, &client), ::BitBlt(m_dc, 0, y, client.right, client.bottom, shown, 0, 0, SRCCOPY), ::ReleaseDC(hwnd, shown);
}

COLORREF DibCanvas::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return CLR_INVALID;
    ::GdiFlush();
    const DWORD v = m_bits[static_cast<size_t>(y) * static_cast<size_t>(m_width) + static_cast<size_t>(x)];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

::testing::AssertionResult DibCanvas::MatchesPicture(const char* name) const {
    ::GdiFlush();
    const BITMAPINFOHEADER info{sizeof info, m_width, -m_height, 1, 32, BI_RGB};
    const DWORD pixels = static_cast<DWORD>(m_width * m_height), start = sizeof(BITMAPFILEHEADER) + sizeof info;
    const BITMAPFILEHEADER head{0x4D42, start + 4 * pixels, 0, 0, start};
    std::string file(reinterpret_cast<const char*>(&head), sizeof head);
    file.append(reinterpret_cast<const char*>(&info), sizeof info);
    for (DWORD i = 0; i < pixels; ++i) {  // the fourth byte is whatever the drawing left there: not compared
        const DWORD colour = m_bits[i] & 0xFFFFFF;
        file.append(reinterpret_cast<const char*>(&colour), 4);
    }
    const HRSRC found = ::FindResourceA(nullptr, name, MAKEINTRESOURCEA(10));  // RT_RCDATA
    const std::string reference = found ? std::string(static_cast<const char*>(::LockResource(::LoadResource(nullptr, found))),
                                                      ::SizeofResource(nullptr, found)) : std::string();
    if (file == reference)
        return ::testing::AssertionSuccess();
    size_t differ = 0, first = std::string::npos;
    for (size_t at = start; reference.size() == file.size() && at < file.size(); at += 4)
        if (file.compare(at, 4, reference, at, 4) != 0) first = std::min(first, (at - start) / 4), ++differ;
    std::ofstream(std::string(name) + ".bmp", std::ios::binary) << file;
    ::testing::AssertionResult failed = ::testing::AssertionFailure() << name << ".bmp (written now) differs from its reference: ";
    return differ ? failed << differ << " pixels, the first at (" << first % m_width << ", " << first / m_width << ")"
                  : failed << (found ? "another size" : "there is none");
}

// ---- message boxes ---------------------------------------------------------------------------

MessageBoxAnswerer::MessageBoxAnswerer() {
    t_answerer = this;
    m_timer = ::SetTimer(nullptr, 0, 20, &MessageBoxAnswerer::Tick);
}

MessageBoxAnswerer::~MessageBoxAnswerer() {
    ::KillTimer(nullptr, m_timer);
    if (t_answerer == this)
        t_answerer = nullptr;
}

void CALLBACK MessageBoxAnswerer::Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (t_answerer)
        t_answerer->Look();
}

void MessageBoxAnswerer::Look() {
    static thread_local std::vector<HWND> answered;
    answered.erase(std::remove_if(answered.begin(), answered.end(), [](HWND h) { return !::IsWindow(h); }), answered.end());
    if (m_answers.empty())
        return;
    for (HWND box : ThreadDialogs()) {
        if (!IsMessageBox(box) || !::IsWindowEnabled(box) || std::find(answered.begin(), answered.end(), box) != answered.end())
            continue;
        SeenBox seen;
        seen.caption = WindowText(box);
        for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
            const std::string cls = ClassName(child);
            const LONG style = static_cast<LONG>(::GetWindowLongPtrA(child, GWL_STYLE));
            if (cls == "Button" && (style & WS_VISIBLE))
                seen.buttons.push_back(::GetDlgCtrlID(child));
            else if (cls == "Static" && (style & SS_TYPEMASK) == SS_ICON)
                seen.hasIcon = seen.hasIcon || ::SendMessageA(child, STM_GETICON, 0, 0) != 0;
            else if (cls == "Static" && seen.text.empty())
                seen.text = WindowText(child);
        }
        const int answer = m_answers.front();
        m_answers.erase(m_answers.begin());
        m_seen.push_back(seen);
        answered.push_back(box);
        ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(box, answer)));
        return;
    }
}

// ---- real input ---------------------------------------------------------------------------------

void ClickAt(HWND hwnd, POINT client) {
    ::SetForegroundWindow(::GetAncestor(hwnd, GA_ROOT));
    FlushEvents();
    POINT at = client;
    ::ClientToScreen(hwnd, &at);
    // Each event carries its own position: a pointer event the display sends late
    // (a window just gone) cannot move the press elsewhere.
    const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
    INPUT input[2] = {};
    for (int i = 0; i < 2; ++i)
        input[i] = {INPUT_MOUSE, {{(at.x * 65536 + cx - 1) / cx, (at.y * 65536 + cy - 1) / cy, 0,
                                   DWORD(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | (i ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN))}}};
    ::SendInput(2, input, sizeof(INPUT));
    FlushEvents();
}

// ---- dialog templates ---------------------------------------------------------------------------

DialogTemplate::DialogTemplate(DWORD style, short cx, short cy, const char* caption) {
    style |= DS_SETFONT;
    // Style, extended style, the item count (kCountAt, kept by Add), x, y, cx, cy, no menu, the standard class.
    for (WORD w : {LOWORD(style), HIWORD(style), WORD(0), WORD(0), WORD(0), WORD(0), WORD(0), WORD(cx), WORD(cy), WORD(0), WORD(0)})
        Word(w);
    Text(caption);
    Word(8);
    Text("MS Sans Serif");
}

DialogTemplate& DialogTemplate::Add(const char* className, const char* text, WORD id, DWORD style,
                                    short x, short y, short cx, short cy, DWORD exStyle) {
    if (m_data.size() % 2)  // items start on a DWORD
        m_data.push_back(0);
    style |= WS_CHILD | WS_VISIBLE;
    for (WORD w : {LOWORD(style), HIWORD(style), LOWORD(exStyle), HIWORD(exStyle), WORD(x), WORD(y), WORD(cx), WORD(cy), id})
        Word(w);
    Text(className);
    Text(text);
    Word(0);  // no creation data
    m_data[kCountAt] = ++m_count;
    return *this;
}

void DialogTemplate::Text(const char* s) {
    for (; *s; ++s)
        m_data.push_back(static_cast<unsigned char>(*s));
    m_data.push_back(0);
}

}  // namespace gui
