/* A stand-in for the HTML Help control's library, in two forms: ordinal 14
   records the calls, or ordinal 14 is missing and 13 and 15 are there instead. */
#ifndef TESSIVA_FAKE_HTML_HELP_H
#define TESSIVA_FAKE_HTML_HELP_H
#include <windows.h>
typedef struct FakeHtmlHelpCall {
    LONG count; /* so far; the rest is the last call's, file "(null)" for none */
    HWND caller;
    char file[1024];
    UINT command;
    DWORD_PTR data;
} FakeHtmlHelpCall;
#define FAKE_HTML_HELP_WINDOW ((HWND)(ULONG_PTR)0x7E55) /* the answer */
typedef const FakeHtmlHelpCall*(WINAPI* FakeHtmlHelpLastCallProc)(void);
#define FAKE_HTML_HELP_LAST_CALL "FakeHtmlHelpLastCall" /* exported by name */
#endif
