#pragma once

#include <windows.h>

// Loads a bitmap resource with a colour table (1, 4 or 8 bits per pixel) and maps
// its standard grays to the current system colours: black to COLOR_BTNTEXT, dark
// gray to COLOR_BTNSHADOW, light gray to COLOR_BTNFACE, white to
// COLOR_BTNHIGHLIGHT, so toolbar-style images follow the user's colour scheme.
// `monochrome` makes a one-bit bitmap. Null when the resource is missing,
// malformed or has no colour table. The caller deletes the bitmap.
HBITMAP AfxLoadSysColorBitmap(HINSTANCE module, HRSRC resource, BOOL monochrome = FALSE);
