// tessiva.exe: the wizard that turns plain text files into web pages.

#include <windows.h>

#include "CConverterApp.h"

// The one application object, constructed with the other static objects before
// WinMain runs; AfxWinMain hands control to its InitInstance.
CConverterApp theApp;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand)
{
    return AfxWinMain(instance, previous, commandLine, showCommand);
}
