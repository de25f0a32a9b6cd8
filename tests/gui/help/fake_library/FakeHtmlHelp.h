/* A stand-in for the HTML Help control's library in two forms: one whose
   ordinal 14 records its calls, one that lacks ordinal 14 and exports the
   same function at 13 and 15 instead, so a wrong ordinal is caught too. */
#ifndef TESSIVA_FAKE_HTML_HELP_H
#define TESSIVA_FAKE_HTML_HELP_H
#include <windows.h>

typedef struct FakeHtmlHelpCall {
    LONG count; /* calls so far */
    HWND caller;
    char file[1024]; /* "(null)" for a null file */
    UINT command;
    DWORD_PTR data;
} FakeHtmlHelpCall;

/* What the stand-in answers, so that a test sees its answer come through. */
#define FAKE_HTML_HELP_WINDOW ((HWND)(ULONG_PTR)0x7E55)
/* Exported by name from both forms: the record of the calls. */
typedef const FakeHtmlHelpCall*(WINAPI* FakeHtmlHelpLastCallProc)(void);
#define FAKE_HTML_HELP_LAST_CALL "FakeHtmlHelpLastCall"
#endif
