#pragma once

// The application object: exactly one, constructed as a global before the
// program starts. AfxWinMain calls its InitInstance, then ExitInstance: there is
// no message loop of its own (the program runs its main dialog modally inside
// InitInstance).

#include <functional>
#include <initializer_list>
#include <vector>

#include "AfxTypes.h"

class CWnd;

// The standard help command, routed from the main window to the application.
constexpr UINT ID_HELP = 0xE146;

class CWinApp {
public:
    // `appName` null: the name is the executable's base name.
    explicit CWinApp(LPCSTR appName = nullptr);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance();
    virtual int ExitInstance();

    // Commands of the application's own map (WM_COMMAND the main window did not
    // handle). TRUE when one ran.
    virtual BOOL OnCmdMsg(UINT id, UINT code);

    CWnd* m_pMainWnd = nullptr;
    HINSTANCE m_hInstance = nullptr;
    CString m_strAppName;       // caption of message boxes without one of their own
    CString m_strHelpFilePath;  // the executable's path with the extension .HLP

protected:
    struct CommandEntry {
        UINT id;
        std::function<void(CWinApp&)> handler;
    };
    using CommandMap = std::vector<CommandEntry>;
    // The application's command map; derived classes chain to the base one.
    virtual const CommandMap& GetCommandMap() const;

    // The standard help command handler: the main window's WinHelp.
    void OnHelp();
    // Three-dimensional control drawing is built into every Windows version this
    // program runs on; kept so that start-up code reads as it always has.
    void Enable3dControls() {}

    template <class T>
    static CommandEntry AppCommand(UINT id, void (T::*handler)())
    {
        return CommandEntry{id, [handler](CWinApp& app) { (static_cast<T&>(app).*handler)(); }};
    }
};

CWinApp* AfxGetApp();
// The application's name: the executable's base name when no application object
// names itself (also when there is no application object at all).
CString AfxGetAppName();
// Hosting ActiveX controls in dialogs: no dialog of this layer hosts one, so there
// is nothing to switch on; kept for start-up code that asks for it.
inline void AfxEnableControlContainer() {}

// The program's entry: sets up common controls and runs the application object.
// The program's WinMain calls it (a WinMain inside a library would be linked too
// late for the C runtime to find it):
//   int WINAPI WinMain(HINSTANCE i, HINSTANCE p, LPSTR c, int s) { return AfxWinMain(i, p, c, s); }
int AfxWinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand);
// Registers the common control classes (tab, tooltip, list view...) once.
void AfxInitCommonControls();
