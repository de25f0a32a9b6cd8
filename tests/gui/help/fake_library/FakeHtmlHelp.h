/* A stand-in for the HTML Help control's library: ordinal 14 records the calls, or is missing beside 13 and 15. */
#pragma once
#include <windows.h>
/* The calls so far and the last one's arguments, file "(null)" for none. */
typedef struct FakeHtmlHelpCall { LONG count; HWND caller; char file[1024]; UINT command; DWORD_PTR data; } FakeHtmlHelpCall;
#define FAKE_HTML_HELP_WINDOW ((HWND)(ULONG_PTR)0x7E55) /* the answer */
typedef const FakeHtmlHelpCall*(WINAPI* FakeHtmlHelpLastCallProc)(void);
#define FAKE_HTML_HELP_LAST_CALL "FakeHtmlHelpLastCall" /* exported by name */
