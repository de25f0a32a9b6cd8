#include "CWinApp.h"

#include "CWnd.h"

namespace {

CWinApp* g_app = nullptr;

CString ModulePath()
{
    char path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    return CString(path, length < MAX_PATH ? length : 0);
}

// "C:\dir\tessiva.EXE" -> "tessiva"
CString BaseName(const CString& path)
{
    const size_t slash = path.find_last_of("\\/:");
    CString name = slash == CString::npos ? path : path.substr(slash + 1);
    const size_t dot = name.find_last_of('.');
    if (dot != CString::npos)
        name.resize(dot);
    return name;
}

CString WithExtension(const CString& path, const char* extension)
{
    const size_t slash = path.find_last_of("\\/:");
    const size_t dot = path.find_last_of('.');
    const bool hasExtension = dot != CString::npos && (slash == CString::npos || dot > slash);
    return (hasExtension ? path.substr(0, dot) : path) + extension;
}

}  // namespace

CWinApp::CWinApp(LPCSTR appName)
{
    g_app = this;
    const CString path = ModulePath();
    m_strAppName = appName ? CString(appName) : BaseName(path);
    m_strHelpFilePath = path.empty() ? CString() : WithExtension(path, ".HLP");
}

CWinApp::~CWinApp()
{
    if (g_app == this)
        g_app = nullptr;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    return 0;
}

const CWinApp::CommandMap& CWinApp::GetCommandMap() const
{
    static const CommandMap map{};
    return map;
}

BOOL CWinApp::OnCmdMsg(UINT id, UINT code)
{
    if (code != 0)  // menu and accelerator commands only, not control notifications
        return FALSE;
    for (const CommandEntry& entry : GetCommandMap()) {
        if (entry.id == id) {
            entry.handler(*this);
            return TRUE;
        }
    }
    return FALSE;
}

void CWinApp::OnHelp()
{
    if (m_pMainWnd && m_pMainWnd->m_hWnd)
        m_pMainWnd->WinHelp(0, HELP_FINDER);
}

CWinApp* AfxGetApp()
{
    return g_app;
}

CString AfxGetAppName()
{
    if (g_app)
        return g_app->m_strAppName;
    return BaseName(ModulePath());
}

void AfxInitCommonControls()
{
    static const bool done = [] {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_TAB_CLASSES};
        return ::InitCommonControlsEx(&controls) != FALSE;
    }();
    (void)done;
}

int AfxWinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    AfxInitCommonControls();
    CWinApp* app = AfxGetApp();
    if (!app)
        return 1;
    app->m_hInstance = instance;
    // The program runs its main window modally inside InitInstance: there is no
    // message loop after it, whatever it answers.
    app->InitInstance();
    return app->ExitInstance();
}
