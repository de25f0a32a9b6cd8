#pragma once

// Basic vocabulary of the class layer: the Win32 headers in the order they need,
// and the string type. Text is 8-bit ANSI throughout, so the string is a plain
// std::string; the framework name is kept as an alias for code that reads better
// with it.

#include <windows.h>
#include <commctrl.h>

#include <string>

using CString = std::string;

// printf-style formatting into a string (the string class has no Format here).
CString FormatString(const char* format, ...);
