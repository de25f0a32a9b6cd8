// Stands in for the program the shell starts to open a file: copies the file it is
// given (first argument) to the marker file (second argument), so that a test can
// read back which file was opened. A windowless program, so it never takes the
// keyboard from the test that started it.

#include <windows.h>

#include <shellapi.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    int count = 0;
    LPWSTR* args = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    const bool copied = args && count == 3 && ::CopyFileW(args[1], args[2], FALSE);
    ::LocalFree(args);
    return copied ? 0 : 1;
}
