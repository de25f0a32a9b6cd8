#include "HtmlHelpLoader.h"

#include <htmlhelp.h>

#include <cstring>

HMODULE g_hHtmlHelpModule = nullptr;
BOOL g_bHtmlHelpFailed = FALSE;
HtmlHelpEntry g_pfnHtmlHelp = nullptr;

namespace {

class RegistryKey {
public:
    RegistryKey() = default;
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    ~RegistryKey()
    {
        if (m_hKey)
            RegCloseKey(m_hKey);
    }
    HKEY* Receive() { return &m_hKey; }
    HKEY Get() const { return m_hKey; }

private:
    HKEY m_hKey = nullptr;
};

// "C:\..." or "\\server\...": a path that no search order can redirect.
bool IsFullPath(const char* path)
{
    const bool drive = ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')) &&
                       path[1] == ':' && (path[2] == '\\' || path[2] == '/');
    const bool unc = path[0] == '\\' && path[1] == '\\';
    return drive || unc;
}

// Loads a library by full path; its own imports are searched for beside it and
// in the system folders first, never in the program's or the current folder.
HMODULE LoadLibraryFromFullPath(const char* path)
{
    return LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

// The control's library from the system folder only: a library of that name
// planted in the current or the program folder must never be run.
HMODULE LoadSystemHtmlHelpLibrary()
{
    char path[MAX_PATH];
    const UINT length = GetSystemDirectoryA(path, MAX_PATH);
    const size_t nameLength = sizeof(kHtmlHelpLibraryName);  // with its NUL
    if (length == 0 || length + 1 + nameLength > MAX_PATH)
        return nullptr;
    path[length] = '\\';
    std::memcpy(path + length + 1, kHtmlHelpLibraryName, nameLength);
    return LoadLibraryFromFullPath(path);
}

HMODULE LoadHtmlHelpLibrary()
{
    char path[MAX_PATH];
    if (FindHtmlHelpLibrary(path)) {
        if (HMODULE module = LoadLibraryFromFullPath(path))
            return module;
    }
    return LoadSystemHtmlHelpLibrary();
}

}  // namespace

HWND CallHtmlHelp(HWND caller, LPCSTR file, UINT command, DWORD_PTR data)
{
    if (g_pfnHtmlHelp)
        return g_pfnHtmlHelp(caller, file, command, data);
    // Failed stays failed: no load and no look-up is tried again (a look-up in
    // no module at all would search the program's own exports).
    if (g_bHtmlHelpFailed)
        return nullptr;

    if (!g_hHtmlHelpModule) {
        g_hHtmlHelpModule = LoadHtmlHelpLibrary();
        if (!g_hHtmlHelpModule) {
            g_bHtmlHelpFailed = TRUE;
            return nullptr;
        }
    }
    FARPROC entry = GetProcAddress(g_hHtmlHelpModule, MAKEINTRESOURCEA(kHtmlHelpAnsiOrdinal));
    if (!entry) {
        // The library stays loaded; help just stays unavailable.
        g_bHtmlHelpFailed = TRUE;
        return nullptr;
    }
    g_pfnHtmlHelp = reinterpret_cast<HtmlHelpEntry>(reinterpret_cast<void*>(entry));
    return g_pfnHtmlHelp(caller, file, command, data);
}

BOOL FindHtmlHelpLibrary(char (&path)[MAX_PATH])
{
    path[0] = '\0';
    RegistryKey key;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, kHtmlHelpClassIdKey, 0, KEY_READ, key.Receive()) != ERROR_SUCCESS)
        return FALSE;

    char value[MAX_PATH];
    DWORD type = REG_NONE;
    DWORD size = MAX_PATH;
    if (RegQueryValueExA(key.Get(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) !=
        ERROR_SUCCESS)
        return FALSE;
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        return FALSE;
    // A stored string need not end in a NUL; one that fills the buffer without
    // it does not fit.
    if (size == 0 || (value[size - 1] != '\0' && size == MAX_PATH))
        return FALSE;
    value[value[size - 1] == '\0' ? size - 1 : size] = '\0';

    if (type == REG_EXPAND_SZ) {
        const DWORD expanded = ExpandEnvironmentStringsA(value, path, MAX_PATH);
        if (expanded == 0 || expanded > MAX_PATH) {
            path[0] = '\0';
            return FALSE;
        }
    } else {
        std::memcpy(path, value, std::strlen(value) + 1);
    }
    if (!IsFullPath(path)) {
        path[0] = '\0';
        return FALSE;
    }
    return TRUE;
}

std::string GetHelpFilePath()
{
    // Grow the buffer until the whole path fits: a cut path would name the
    // wrong folder.
    // The longest path the system accepts is 32767 characters.
    std::string module(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, module.data(), static_cast<DWORD>(module.size()));
        if (length == 0)
            return kHelpFileName;
        if (length < module.size()) {
            module.resize(length);
            break;
        }
        if (module.size() > 32768)
            return kHelpFileName;
        module.resize(module.size() * 2);
    }
    const size_t slash = module.find_last_of('\\');
    if (slash == std::string::npos)
        return kHelpFileName;
    module.resize(slash + 1);
    return module + kHelpFileName;
}

HWND ShowHelpContents()
{
    const std::string helpFile = GetHelpFilePath();
    return CallHtmlHelp(GetDesktopWindow(), helpFile.c_str(), HH_DISPLAY_TOPIC, 0);
}

void ResetHtmlHelpLoaderForTests()
{
    g_hHtmlHelpModule = nullptr;
    g_bHtmlHelpFailed = FALSE;
    g_pfnHtmlHelp = nullptr;
}
