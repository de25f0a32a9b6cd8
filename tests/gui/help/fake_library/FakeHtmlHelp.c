#include "FakeHtmlHelp.h"

static FakeHtmlHelpCall lastCall;

HWND WINAPI FakeHtmlHelpA(HWND caller, LPCSTR file, UINT command, DWORD_PTR data)
{
    lastCall.count++;
    lastCall.caller = caller;
    lstrcpynA(lastCall.file, file ? file : "(null)", sizeof(lastCall.file));
    lastCall.command = command;
    lastCall.data = data;
    return FAKE_HTML_HELP_WINDOW;
}

const FakeHtmlHelpCall* WINAPI FakeHtmlHelpLastCall(void) { return &lastCall; }
