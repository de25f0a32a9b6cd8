#pragma once

// The dots per inch a window is drawn at: its own where the system tracks it per
// monitor, else the screen's. Sizes are measured from it, never from 96.

#include <windows.h>

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif
#ifndef WM_DPICHANGED_AFTERPARENT
#define WM_DPICHANGED_AFTERPARENT 0x02E3
#endif

constexpr int kDesignDpi = 96;  // the dots per inch pictures are drawn for

UINT WindowDpi(HWND window);
