#include "FakeHtmlHelp.h"

static FakeHtmlHelpCall last;
HWND WINAPI FakeHtmlHelpA(HWND caller, LPCSTR file, UINT command, DWORD_PTR data)
{
    last.count++, last.caller = caller, last.command = command, last.data = data;
    lstrcpynA(last.file, file ? file : "(null)", sizeof(last.file));
    return FAKE_HTML_HELP_WINDOW;
}
const FakeHtmlHelpCall* WINAPI FakeHtmlHelpLastCall(void) { return &last; }
