#include "CLinkLabel.h"

#include <mbstring.h>
#include <shellapi.h>

#include <cstring>

#include "CBitmap.h"
#include "CClientDC.h"
#include "CPaintDC.h"
#include "ScopedSelect.h"
#include "WindowDpi.h"

namespace {

// Class names and command lines are read into buffers of this size and put
// together with the target in one twice as large.
constexpr size_t kValueSize = MAX_PATH;
constexpr size_t kCommandSize = 2 * MAX_PATH;

// The pointing hand of the help program in the Windows folder.
constexpr const char* kHelpProgram = "\\winhlp32.exe";
constexpr WORD kHelpHandCursor = 106;

struct OpenError {
    INT_PTR code;
    const char* text;
};

// Codes of the shell's open call and of starting a program.
constexpr OpenError kOpenErrors[] = {
    {0, "The operating system is out\nof memory or resources."},
    {ERROR_FILE_NOT_FOUND, "The specified file was not found."},
    {ERROR_PATH_NOT_FOUND, "The specified path was not found."},
    {SE_ERR_ACCESSDENIED, "The operating system denied\naccess to the specified file."},
    {SE_ERR_OOM, "There was not enough memory to complete the operation."},
    {ERROR_BAD_FORMAT, "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."},
    {SE_ERR_SHARE, "A sharing violation occurred. "},
    {SE_ERR_ASSOCINCOMPLETE, "The filename association is\nincomplete or invalid."},
    {SE_ERR_DDETIMEOUT, "The DDE transaction could not\nbe completed because the request timed out."},
    {SE_ERR_DDEFAIL, "The DDE transaction failed."},
    {SE_ERR_DDEBUSY,
     "The DDE transaction could not\nbe completed because other DDE transactions\nwere being "
     "processed."},
    {SE_ERR_NOASSOC, "There is no application associated\nwith the given filename extension."},
    {SE_ERR_DLLNOTFOUND, "The specified dynamic-link library was not found."},
};

// How wide the text is as the control draws it. Some font renderers place
// glyphs a pixel or two beyond the extent they report; a label cut to that
// extent would clip its last letter, so the drawn ink counts when it reaches
// further.
int DrawnWidth(HDC reference, HFONT font, const CString& text, SIZE extent, UINT format)
{
    const int width = extent.cx + extent.cy;  // room for any overreach
    const int height = extent.cy;
    CDC dc;
    CBitmap bitmap;
    DWORD* bits = nullptr;
    if (text.empty() || height <= 0 || !dc.CreateCompatibleDC(reference) ||
        !bitmap.CreateDIBSection32(reference, width, height, &bits))
        return extent.cx;
    ScopedSelect selectBitmap(dc, bitmap);
    ScopedSelect selectFont(dc, font);
    dc.FillSolidRect(0, 0, width, height, RGB(255, 255, 255));
    dc.SetTextColor(RGB(0, 0, 0));
    dc.SetBkMode(TRANSPARENT);
    RECT area{0, 0, width, height};
    dc.DrawText(text, &area, format | DT_LEFT | DT_SINGLELINE | DT_EXPANDTABS);
    ::GdiFlush();
    for (int x = width - 1; x >= extent.cx; --x)
        for (int y = 0; y < height; ++y)
            if ((bits[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] &
                 0xFFFFFF) != 0xFFFFFF)
                return x + 1;
    return extent.cx;
}

}  // namespace

const MessageMap& CLinkLabel::GetMessageMap() const
{
    static const MessageMap map(CStatic::GetMessageMap(), {
        OnReflectedCtlColor(&CLinkLabel::CtlColor),
        OnMessage<WM_SETCURSOR>(&CLinkLabel::OnSetCursor),
        OnMessage<WM_MOUSEMOVE>(&CLinkLabel::OnMouseMove),
        OnMessage<WM_TIMER>(&CLinkLabel::OnTimer),
        OnReflectedCommand(STN_CLICKED, &CLinkLabel::OnClicked),
        OnMessage<WM_ERASEBKGND>(&CLinkLabel::OnEraseBkgnd),
        OnRawMessage(WM_GETDLGCODE, &CLinkLabel::OnGetDlgCode),
        OnMessage<WM_KEYDOWN>(&CLinkLabel::OnKeyDown),
        OnMessage<WM_SETFOCUS>(&CLinkLabel::OnFocusChange),
        OnMessage<WM_KILLFOCUS>(&CLinkLabel::OnFocusChange),
        OnRawMessage(WM_UPDATEUISTATE, &CLinkLabel::OnUpdateUiState),
        OnMessage<WM_PAINT>(&CLinkLabel::OnPaint),
        OnRawMessage(WM_DPICHANGED_AFTERPARENT, &CLinkLabel::OnDpiChangedAfterParent),
    });
    return map;
}

// ---- Construction ------------------------------------------------------------------

CLinkLabel::CLinkLabel() = default;

CLinkLabel::~CLinkLabel()
{
    if (m_hHandCursor)
        ::DestroyCursor(m_hHandCursor);
}

void CLinkLabel::PreSubclassWindow()
{
    // Clicks are reported only with SS_NOTIFY; the keyboard reaches it as a tab stop.
    ModifyStyle(0, SS_NOTIFY | WS_TABSTOP);

    const CString text = GetWindowText();
    if (m_target.empty())
        m_target = text;
    if (text.empty())
        SetWindowText(m_target.c_str());

    HFONT font = GetFontHandle();
    if (!font)
        font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    if (!font)
        font = static_cast<HFONT>(::GetStockObject(ANSI_VAR_FONT));
    LOGFONTA logFont{};
    ::GetObjectA(font, sizeof(logFont), &logFont);
    m_dpi = WindowDpi(m_hWnd);
    CreateFonts(logFont);

    FitToText();
    LoadHandCursor();
    SetUnderlineMode(UnderlineOnHover);

    if (m_tip.Create(this)) {
        CRect client;
        GetClientRect(&client);
        m_tip.AddTool(this, m_target.c_str(), &client, 1);
    }
    CStatic::PreSubclassWindow();
}

// ---- Interface -------------------------------------------------------------------------

void CLinkLabel::SetTarget(CString target)
{
    m_target = std::move(target);
    if (IsWindow()) {
        FitToText();
        m_tip.UpdateTipText(m_target.c_str(), this, 1);
    }
}

void CLinkLabel::MarkVisited(BOOL visited)
{
    m_visited = visited;
    if (IsWindow())
        Invalidate(TRUE);
}

void CLinkLabel::SetUnderlineMode(int mode)
{
    if (mode == m_underlineMode)
        return;
    if (IsWindow()) {
        SetFont(mode == UnderlineAlways ? &m_fontUnderlined : &m_fontPlain, TRUE);
        Invalidate(TRUE);
    }
    m_underlineMode = mode;
}

BOOL CLinkLabel::DestroyWindow()
{
    KillTimer(m_hoverTimerId);
    return CStatic::DestroyWindow();
}

BOOL CLinkLabel::PreTranslateMessage(MSG* msg)
{
    m_tip.RelayEvent(msg);
    return CStatic::PreTranslateMessage(msg);
}

// ---- Size and cursor ------------------------------------------------------------------

void CLinkLabel::FitToText()
{
    if (!IsWindow() || !m_fitToText)
        return;
    const HWND parent = ::GetParent(m_hWnd);
    CRect window;
    GetWindowRect(&window);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<LPPOINT>(&window), 2);
    CRect client;
    GetClientRect(&client);
    ::MapWindowPoints(m_hWnd, parent, reinterpret_cast<LPPOINT>(&client), 2);

    // Measured in the underlined font, the wider of the two.
    const CString text = GetWindowText();
    SIZE extent{};
    {
        CClientDC dc(m_hWnd);
        ScopedSelect font(dc, m_fontUnderlined);
        extent = dc.GetTextExtent(text);
        const UINT prefix = (GetStyle() & SS_NOPREFIX) ? DT_NOPREFIX : 0;
        extent.cx = DrawnWidth(dc, m_fontUnderlined, text, extent, prefix);
    }
    const int wantedWidth = extent.cx + (window.Width() - client.Width());
    const int wantedHeight = extent.cy + (window.Height() - client.Height());

    const DWORD style = GetStyle();
    if (style & SS_CENTERIMAGE) {
        const int shrink = (window.Height() - wantedHeight) / 2;
        window.top += shrink;
        window.bottom -= shrink;
    } else {
        window.bottom = window.top + wantedHeight;
    }
    // The alignment is a value of the style's type field, not a set of bits.
    const DWORD alignment = style & SS_TYPEMASK;
    if (alignment == SS_CENTER) {
        const int shrink = (window.Width() - wantedWidth) / 2;
        window.left += shrink;
        window.right -= shrink;
    } else if (alignment == SS_RIGHT) {
        window.left = window.right - wantedWidth;
    } else {
        window.right = window.left + wantedWidth;
    }
    SetWindowPos(static_cast<HWND>(nullptr), window.left, window.top, window.Width(),
                 window.Height(), SWP_NOZORDER);
}

void CLinkLabel::LoadHandCursor()
{
    if (m_hHandCursor)
        return;
    char path[MAX_PATH + 16] = {};
    const UINT length = ::GetWindowsDirectoryA(path, MAX_PATH);
    if (length > 0 && length < MAX_PATH) {
        std::strcat(path, kHelpProgram);
        // Only its resources are wanted: mapped as data, none of its code runs.
        if (HMODULE help = ::LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE)) {
            if (HCURSOR hand = ::LoadCursorA(help, MAKEINTRESOURCEA(kHelpHandCursor)))
                m_hHandCursor = static_cast<HCURSOR>(::CopyIcon(hand));
            ::FreeLibrary(help);
        }
    }
    // Without the help program's hand, the system's own.
    if (!m_hHandCursor)
        if (HCURSOR hand = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32649)))  // IDC_HAND
            m_hHandCursor = static_cast<HCURSOR>(::CopyIcon(hand));
}

// ---- Message handlers -----------------------------------------------------------------

HBRUSH CLinkLabel::CtlColor(CDC* dc, UINT)
{
    dc->SetTextColor(TextColor());
    dc->SetBkMode(TRANSPARENT);
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

BOOL CLinkLabel::OnSetCursor(CWnd*, UINT, UINT)
{
    if (!m_hHandCursor)
        return FALSE;
    ::SetCursor(m_hHandCursor);
    return TRUE;
}

void CLinkLabel::OnMouseMove(UINT, CPoint)
{
    if (!m_hovering) {
        m_hovering = TRUE;
        if (m_underlineMode == UnderlineOnHover)
            SetFont(&m_fontUnderlined, TRUE);
        Invalidate(TRUE);
        SetTimer(m_hoverTimerId, 100);
    }
    Default();
}

void CLinkLabel::OnTimer(UINT_PTR id)
{
    if (id == m_hoverTimerId) {
        const DWORD packed = ::GetMessagePos();
        POINT point{static_cast<short>(LOWORD(packed)), static_cast<short>(HIWORD(packed))};
        ScreenToClient(&point);
        CRect client;
        GetClientRect(&client);
        if (!client.PtInRect(point)) {
            m_hovering = FALSE;
            KillTimer(m_hoverTimerId);
            if (m_underlineMode != UnderlineAlways)
                SetFont(&m_fontPlain, TRUE);
            Invalidate(TRUE);
        }
    }
    Default();
}

void CLinkLabel::OnClicked()
{
    m_hovering = FALSE;
    const INT_PTR result = OpenTarget(m_target.c_str(), SW_SHOW);
    m_visited = result > 32;
    if (m_visited) {
        MarkVisited(TRUE);
    } else {
        ::MessageBeep(MB_ICONEXCLAMATION);
        ShowOpenError(result);
    }
}

BOOL CLinkLabel::OnEraseBkgnd(CDC* dc)
{
    CRect client;
    GetClientRect(&client);
    dc->FillSolidRect(client, ::GetSysColor(COLOR_BTNFACE));
    return TRUE;
}

LRESULT CLinkLabel::OnGetDlgCode(WPARAM, LPARAM lParam)
{
    // Enter and Space are the label's own, not the dialog's default button's.
    const LRESULT code = Default();
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    const bool ownKey = msg && (msg->message == WM_KEYDOWN || msg->message == WM_CHAR) &&
                        (msg->wParam == VK_RETURN || msg->wParam == VK_SPACE);
    return ownKey ? code | DLGC_WANTMESSAGE : code;
}

void CLinkLabel::OnKeyDown(UINT key, UINT, UINT flags)
{
    // A key held down opens the target once.
    constexpr UINT kRepeated = KF_REPEAT;
    if ((key == VK_RETURN || key == VK_SPACE) && !(flags & kRepeated))
        OnClicked();
    else
        Default();
}

void CLinkLabel::OnFocusChange(CWnd*)
{
    Default();
    Invalidate(TRUE);
}

LRESULT CLinkLabel::OnUpdateUiState(WPARAM, LPARAM)
{
    const LRESULT result = Default();
    Invalidate(TRUE);
    return result;
}

void CLinkLabel::OnPaint()
{
    // One context for all of it, background, the static's own text, then the
    // focus rectangle: the rectangle inverts what is under it, and drawn apart
    // from the rest a partial repaint could leave half of it or cancel it.
    CPaintDC dc(m_hWnd);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(client, ::GetSysColor(COLOR_BTNFACE));
    SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), PRF_CLIENT);
    if (::GetFocus() != m_hWnd || (SendMessage(WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS))
        return;
    dc.SetTextColor(RGB(0, 0, 0));
    dc.SetBkColor(RGB(255, 255, 255));
    ::DrawFocusRect(dc.GetSafeHdc(), &client);
}

LRESULT CLinkLabel::OnDpiChangedAfterParent(WPARAM, LPARAM)
{
    // The fonts were made for the old dots per inch; remade, the label fits
    // its text again.
    const UINT dpi = WindowDpi(m_hWnd);
    LOGFONTA logFont{};
    if (dpi && m_dpi && dpi != m_dpi && ::GetObjectA(m_fontPlain.GetSafeHandle(), sizeof(logFont), &logFont)) {
        logFont.lfHeight = ::MulDiv(logFont.lfHeight, static_cast<int>(dpi), static_cast<int>(m_dpi));
        m_dpi = dpi;
        CreateFonts(logFont);
        FitToText();
        Invalidate(TRUE);
    }
    return Default();
}

void CLinkLabel::CreateFonts(LOGFONTA logFont)
{
    logFont.lfUnderline = FALSE;
    m_fontPlain.DeleteObject();
    m_fontPlain.CreateFontIndirect(&logFont);
    logFont.lfUnderline = TRUE;
    m_fontUnderlined.DeleteObject();
    m_fontUnderlined.CreateFontIndirect(&logFont);
    const bool underlined = m_underlineMode == UnderlineAlways || (m_hovering && m_underlineMode == UnderlineOnHover);
    if (IsWindow() && GetFontHandle())
        SetFont(underlined ? &m_fontUnderlined : &m_fontPlain, TRUE);
}

COLORREF CLinkLabel::TextColor() const
{
    // In high contrast the scheme's own colours, which the user chose to read.
    HIGHCONTRASTA contrast{sizeof(contrast)};
    if (::SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) &&
        (contrast.dwFlags & HCF_HIGHCONTRASTON))
        return ::GetSysColor(m_hovering ? COLOR_WINDOWTEXT : COLOR_HOTLIGHT);
    if (m_hovering)
        return m_colorHover;
    return m_visited ? m_colorVisited : m_colorLink;
}

// ---- Opening the target -------------------------------------------------------------

INT_PTR CLinkLabel::OpenTarget(LPCSTR target, int showCommand)
{
    const INT_PTR shell = reinterpret_cast<INT_PTR>(
        ::ShellExecuteA(nullptr, "open", target, nullptr, nullptr, showCommand));
    if (static_cast<UINT_PTR>(shell) > 32)
        return shell;

    // The shell could not: start the program registered for web pages.
    char command[kCommandSize] = {};
    if (ReadWebPageCommand(HKEY_CLASSES_ROOT, command, sizeof(command)) != ERROR_SUCCESS)
        return shell;
    char commandLine[kCommandSize] = {};
    if (!BuildOpenCommandLine(command, target, commandLine, sizeof(commandLine)))
        return shell;
    return static_cast<INT_PTR>(::WinExec(commandLine, static_cast<UINT>(showCommand)));
}

LONG CLinkLabel::ReadClassesRootValue(HKEY root, LPCSTR subkey, char* out, size_t outSize)
{
    if (out && outSize)
        out[0] = '\0';
    if (!out || !outSize)
        return ERROR_INVALID_PARAMETER;
    HKEY key = nullptr;
    LONG result = ::RegOpenKeyExA(root, subkey, 0, KEY_QUERY_VALUE, &key);
    if (result != ERROR_SUCCESS)
        return result;

    // One byte beyond the value's room, so a value stored without its
    // terminator still ends in one here.
    char value[kValueSize + 1] = {};
    DWORD type = 0;
    DWORD size = kValueSize;
    result = ::RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value),
                                &size);
    ::RegCloseKey(key);
    if (result != ERROR_SUCCESS)
        return result;
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        return ERROR_INVALID_DATA;
    value[size] = '\0';
    if (type == REG_EXPAND_SZ) {
        // Program paths are often stored with variables such as %ProgramFiles%.
        char expanded[kValueSize] = {};
        const DWORD needed = ::ExpandEnvironmentStringsA(value, expanded, kValueSize);
        if (needed == 0 || needed > kValueSize)
            return ERROR_MORE_DATA;
        std::memcpy(value, expanded, needed);
        value[kValueSize] = '\0';
    }
    const size_t length = std::strlen(value);
    if (length >= kValueSize || length >= outSize)
        return ERROR_MORE_DATA;
    std::memcpy(out, value, length + 1);
    return ERROR_SUCCESS;
}

LONG CLinkLabel::ReadWebPageCommand(HKEY root, char* out, size_t outSize)
{
    if (out && outSize)
        out[0] = '\0';
    char key[kCommandSize] = {};
    LONG result = ReadClassesRootValue(root, ".htm", key, kValueSize);
    if (result != ERROR_SUCCESS)
        return result;
    std::strcat(key, "\\shell\\open\\command");
    return ReadClassesRootValue(root, key, out, outSize);
}

bool CLinkLabel::BuildOpenCommandLine(const char* command, const char* target, char* out,
                                      size_t outSize)
{
    if (!out || !outSize)
        return false;
    out[0] = '\0';
    if (!command || !target)
        return false;

    size_t keep = std::strlen(command);
    const auto* text = reinterpret_cast<const unsigned char*>(command);
    if (const unsigned char* quoted =
            _mbsstr(text, reinterpret_cast<const unsigned char*>("\"%1\"")))
        keep = static_cast<size_t>(quoted - text);
    else if (const unsigned char* bare = _mbsstr(text, reinterpret_cast<const unsigned char*>("%1")))
        keep = static_cast<size_t>(bare - text);

    const size_t targetLength = std::strlen(target);
    if (keep + 1 + targetLength + 1 > outSize)
        return false;
    std::memcpy(out, command, keep);
    out[keep] = ' ';
    std::memcpy(out + keep + 1, target, targetLength + 1);
    return true;
}

CString CLinkLabel::OpenErrorText(INT_PTR code)
{
    for (const OpenError& error : kOpenErrors)
        if (error.code == code)
            return CString(OpenErrorPrefix) + error.text;
    return CString(OpenErrorPrefix) +
           FormatString("Unknown Error (%d) occurred.", static_cast<int>(code));
}

void CLinkLabel::ShowOpenError(INT_PTR code)
{
    AfxMessageBox(OpenErrorText(code), MB_ICONEXCLAMATION | MB_OK);
}
