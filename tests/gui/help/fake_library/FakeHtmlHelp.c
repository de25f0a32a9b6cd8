#include "FakeHtmlHelp.h"

static FakeHtmlHelpCall lastCall;

HWND WINAPI FakeHtmlHelpA(HWND caller, LPCSTR file, UINT command, DWORD_PTR data)
{
    lastCall.count++;
    lastCall.caller = caller;
    lastCall.fileWasNull = file == NULL;
    lastCall.file[0] = '\0';
    if (file)
        lstrcpynA(lastCall.file, file, FAKE_HTML_HELP_FILE_CHARS);
    lastCall.command = command;
    lastCall.data = data;
    return FAKE_HTML_HELP_WINDOW;
}

const FakeHtmlHelpCall* WINAPI FakeHtmlHelpLastCall(void)
{
    return &lastCall;
}
