#pragma once

// Dialog data exchange: plain calls on a context that carries the direction.
// DoDataExchange lists the bindings once; UpdateData(FALSE) shows the members in
// the controls, UpdateData(TRUE) collects and checks them. A failed check tells
// the user, puts the focus on the control (selecting an edit's text) and stops
// the exchange, so later members keep their old values.

#include "AfxTypes.h"

class CWnd;

class CDataExchange {
public:
    // Thrown by Fail and caught by UpdateData; never leaves the exchange.
    struct Failure {};

    CDataExchange(CWnd* dialog, BOOL saveAndValidate);

    BOOL m_bSaveAndValidate;  // TRUE: controls -> members (collect); FALSE: show
    CWnd* m_pDlgWnd;

    // The control `id` of the dialog; remembered as the one a failure focuses.
    HWND PrepareCtrl(int id);
    // The same for an edit control, whose text a failure also selects.
    HWND PrepareEditCtrl(int id);
    // Focuses the last prepared control and stops the exchange.
    [[noreturn]] void Fail();

private:
    HWND m_hWndLastControl = nullptr;
    bool m_bEditLastControl = false;
};

// Binds control `id` to `control` by subclassing it, the first time only.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);
// Text of any control with a string.
void DDX_Text(CDataExchange* dx, int id, CString& value);
// Text of a control with a signed 32-bit integer; collecting a text that is not
// one shows "Please enter an integer." and fails.
void DDX_Text(CDataExchange* dx, int id, int& value);
// Check state of a check box or radio button (0, 1 or 2).
void DDX_Check(CDataExchange* dx, int id, int& value);
// Combo box: showing selects the first list entry that begins with the value
// (ignoring case) or, when none does, puts the value in the edit field;
// collecting reads the edit field (or the selected entry of a drop-down list).
void DDX_CBString(CDataExchange* dx, int id, CString& value);

// The integer rule of DDX_Text: optional blanks (spaces, tabs), an optional sign,
// decimal digits, optional blanks, and a value that fits in 32 bits. The text is
// UTF-8; the full-width digits, signs and space an input method types in its
// full-width mode count as their ASCII forms.
bool AfxParseInt32(const char* text, int& value);

// Text shown when an integer field holds something else.
constexpr const char* AFX_IDP_PARSE_INT = "Please enter an integer.";
