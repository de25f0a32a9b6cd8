#pragma once
// Opens the program's compiled help file through the platform's HTML Help
// control without importing it: the control's library is found and loaded on
// the first help request and kept for the rest of the run, so the program still
// starts (without help) on a machine that lacks the control.
//
// How the wizard window uses it:
//
//   BOOL CWizardDlg::OnHelpInfo(HELPINFO* /*info*/)
//   {
//       ShowHelpContents();
//       return TRUE;  // handled: the request goes no further
//   }
//
//   void CWizardDlg::WinHelp(DWORD_PTR data, UINT command)
//   {
//       ShowHelpContents();             // the help file's default topic, always
//       CDialog::WinHelp(data, command); // data and command go only to the base
//   }
//
// The loader's values are touched only from the user-interface thread.

#include <windows.h>

#include <string>

// The ANSI entry point of the HTML Help control: caller window, file name,
// command, command argument; returns the help window or nullptr.
using HtmlHelpEntry = HWND(WINAPI*)(HWND caller, LPCSTR file, UINT command, DWORD_PTR data);

// Loader state, all zero at start. Ready: module and entry point stored.
// Failed: the flag is set (with or without a module). Neither state is left.
extern HMODULE g_hHtmlHelpModule;
extern BOOL g_bHtmlHelpFailed;
extern HtmlHelpEntry g_pfnHtmlHelp;

// The help file's name, looked for in the program folder.
inline constexpr char kHelpFileName[] = "tessiva.chm";
// Where the control's library path is registered, under HKEY_CLASSES_ROOT.
inline constexpr char kHtmlHelpClassIdKey[] =
    "CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32";
// The control's library as it lies in the system folder.
inline constexpr char kHtmlHelpLibraryName[] = "hhctrl.ocx";
// Export ordinal of the control's ANSI entry point.
inline constexpr WORD kHtmlHelpAnsiOrdinal = 14;

// Forwards to the control's entry point, loading the control on the first call.
// Returns the help window, or nullptr when the control cannot be had (quietly:
// help is optional, the program goes on without it).
HWND CallHtmlHelp(HWND caller, LPCSTR file, UINT command, DWORD_PTR data);

// Reads the control's registered library path (the class id key's default
// value) into `path`. FALSE when there is no such key or value, when the value
// is no string, does not fit, or is not a full path: a bare or relative name
// would be searched for in the current and program folders.
BOOL FindHtmlHelpLibrary(char (&path)[MAX_PATH]);

// The help file's full path: the program's folder + "tessiva.chm", so help is
// found whatever the current folder is. Falls back to the bare name only when
// the program's own path cannot be had.
std::string GetHelpFilePath();

// Shows the help file's default topic in a help window owned by the desktop
// window (it stays open when the wizard closes and does not come to the front
// with it). Returns the help window or nullptr.
HWND ShowHelpContents();

// For tests only: puts the loader back to its start state (zero module, flag
// and entry point) without unloading anything it loaded, so that each test
// sees a first help request. Production code never calls it.
void ResetHtmlHelpLoaderForTests();
