#include "CDataExchange.h"

#include <cerrno>
#include <climits>

#include "AfxMessageBox.h"
#include "CWnd.h"

CDataExchange::CDataExchange(CWnd* dialog, BOOL saveAndValidate)
    : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog)
{
}

HWND CDataExchange::PrepareCtrl(int id)
{
    m_hWndLastControl = ::GetDlgItem(m_pDlgWnd->m_hWnd, id);
    m_bEditLastControl = false;
    return m_hWndLastControl;
}

HWND CDataExchange::PrepareEditCtrl(int id)
{
    const HWND control = PrepareCtrl(id);
    m_bEditLastControl = true;
    return control;
}

void CDataExchange::Fail()
{
    if (m_bSaveAndValidate && m_hWndLastControl) {
        ::SetFocus(m_hWndLastControl);
        if (m_bEditLastControl)
            ::SendMessageA(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    throw Failure{};
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control)
{
    if (control.m_hWnd)
        return;  // bound by an earlier exchange
    const HWND hwnd = dx->PrepareCtrl(id);
    if (!hwnd || !control.SubclassWindow(hwnd))
        dx->Fail();
}

namespace {

CString ControlText(HWND control)
{
    const int length = ::GetWindowTextLengthA(control);
    CString text(static_cast<size_t>(length) + 1, '\0');
    const int copied = ::GetWindowTextA(control, &text[0], length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// The text with the full-width forms of the digits (U+FF10 to U+FF19), the signs
// (U+FF0B, U+FF0D) and the ideographic space (U+3000) as their ASCII forms.
CString AsciiForms(const char* text)
{
    CString ascii;
    for (const char* p = text; *p; ++p) {
        const auto at = [p](int i) { return static_cast<unsigned char>(p[i]); };
        char form = 0;
        if (at(0) == 0xEF && at(1) == 0xBC && at(2) >= 0x90 && at(2) <= 0x99)
            form = static_cast<char>('0' + (at(2) - 0x90));
        else if (at(0) == 0xEF && at(1) == 0xBC && (at(2) == 0x8B || at(2) == 0x8D))
            form = at(2) == 0x8B ? '+' : '-';
        else if (at(0) == 0xE3 && at(1) == 0x80 && at(2) == 0x80)
            form = ' ';
        if (form) {
            ascii += form;
            p += 2;
        } else {
            ascii += *p;
        }
    }
    return ascii;
}

}  // namespace

void DDX_Text(CDataExchange* dx, int id, CString& value)
{
    const HWND control = dx->PrepareEditCtrl(id);
    if (dx->m_bSaveAndValidate)
        value = ControlText(control);
    else
        ::SetWindowTextA(control, value.c_str());
}

bool AfxParseInt32(const char* text, int& value)
{
    const CString ascii = AsciiForms(text);
    const char* p = ascii.c_str();
    while (IsBlank(*p))
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    if (*p < '0' || *p > '9')
        return false;
    long long magnitude = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        magnitude = magnitude * 10 + (*p - '0');
        // Past the 32-bit range already: a wrapped number would be a wrong value.
        if (magnitude > static_cast<long long>(INT_MAX) + 1)
            return false;
    }
    while (IsBlank(*p))
        ++p;
    if (*p != '\0')
        return false;
    const long long signedValue = negative ? -magnitude : magnitude;
    if (signedValue < INT_MIN || signedValue > INT_MAX)
        return false;
    value = static_cast<int>(signedValue);
    return true;
}

void DDX_Text(CDataExchange* dx, int id, int& value)
{
    const HWND control = dx->PrepareEditCtrl(id);
    if (!dx->m_bSaveAndValidate) {
        ::SetWindowTextA(control, FormatString("%d", value).c_str());
        return;
    }
    int parsed = 0;
    if (!AfxParseInt32(ControlText(control).c_str(), parsed)) {
        AfxMessageBox(AFX_IDP_PARSE_INT, MB_OK | MB_ICONEXCLAMATION);
        dx->Fail();
    }
    value = parsed;
}

void DDX_Check(CDataExchange* dx, int id, int& value)
{
    const HWND control = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessageA(control, BM_GETCHECK, 0, 0));
    else
        ::SendMessageA(control, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void DDX_CBString(CDataExchange* dx, int id, CString& value)
{
    const HWND control = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate) {
        // A drop-down list has no edit field: its text is the selected entry.
        const bool dropList = (::GetWindowLongPtrA(control, GWL_STYLE) & 0x3) == CBS_DROPDOWNLIST;
        const LRESULT selected = ::SendMessageA(control, CB_GETCURSEL, 0, 0);
        if (dropList && selected != CB_ERR) {
            const LRESULT length = ::SendMessageA(control, CB_GETLBTEXTLEN, selected, 0);
            CString text(static_cast<size_t>(length) + 1, '\0');
            ::SendMessageA(control, CB_GETLBTEXT, selected, reinterpret_cast<LPARAM>(&text[0]));
            text.resize(static_cast<size_t>(length));
            value = text;
        } else {
            value = ControlText(control);
        }
        return;
    }
    if (::SendMessageA(control, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                       reinterpret_cast<LPARAM>(value.c_str())) == CB_ERR) {
        // An entry left selected from before would disagree with the text.
        ::SendMessageA(control, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        ::SetWindowTextA(control, value.c_str());
    }
}
