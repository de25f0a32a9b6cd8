/* A stand-in for the HTML Help control's library, built in two forms: one
   whose export ordinal 14 records how it was called, and one that lacks
   ordinal 14 (it exports the same function at the neighbouring ordinals
   instead, so a loader that takes the wrong ordinal is caught too). */
#ifndef TESSIVA_FAKE_HTML_HELP_H
#define TESSIVA_FAKE_HTML_HELP_H

#include <windows.h>

#define FAKE_HTML_HELP_FILE_CHARS 1024

typedef struct FakeHtmlHelpCall {
    LONG count;                           /* calls so far */
    HWND caller;
    char file[FAKE_HTML_HELP_FILE_CHARS]; /* empty when the file was null */
    BOOL fileWasNull;
    UINT command;
    DWORD_PTR data;
} FakeHtmlHelpCall;

/* What the fake answers, so that a test can tell its answer came through. */
#define FAKE_HTML_HELP_WINDOW ((HWND)(ULONG_PTR)0x7E55)

/* Exported by name from both forms: the record of the last call. */
typedef const FakeHtmlHelpCall*(WINAPI* FakeHtmlHelpLastCallProc)(void);
#define FAKE_HTML_HELP_LAST_CALL "FakeHtmlHelpLastCall"

#endif
