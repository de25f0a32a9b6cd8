#pragma once

#include "AfxTypes.h"

// A message box captioned with the application's name, owned by the window the
// user is working in (the active window, or the main window), so that it is
// modal to it.
int AfxMessageBox(LPCSTR text, UINT type = MB_OK, UINT helpId = 0);
int AfxMessageBox(const CString& text, UINT type = MB_OK, UINT helpId = 0);
