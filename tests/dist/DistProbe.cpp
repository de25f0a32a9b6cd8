// tessiva_dist_probe: does on the Windows side what a user's shell does with an
// installed program, for the package tests.
//   tessiva_dist_probe shortcut LINK.lnk
//       Reads a shell shortcut through the shell's own link object, as the Start
//       menu does before it starts the target, and prints what it would start,
//       one "name=value" line each (UTF-8): target, workdir, arguments.
//   tessiva_dist_probe run COMMAND-LINE
//       Starts a command line exactly as written, as the Run box and the list of
//       programs do with an uninstall string, waits for it and exits with its
//       exit status.
//   tessiva_dist_probe close TITLE
//       Waits for a visible top-level dialog window captioned TITLE (a minute at
//       most: the limit only turns a hang into a failure) and closes it as its
//       close box does.
// Exit status 1 (with the reason on standard error) when it could not be done.

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string ToUtf8(const wchar_t* text) {
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return {};
    std::string result(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, -1, &result[0], size, nullptr, nullptr);
    result.resize(static_cast<std::size_t>(size - 1));
    return result;
}

// Releases a COM interface when it goes out of scope.
template <typename T>
struct ComRef {
    T* p = nullptr;
    ComRef() = default;
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    ~ComRef() { if (p) p->Release(); }
};

struct ComScope {
    HRESULT result = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ComScope() = default;
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    ~ComScope() { if (SUCCEEDED(result)) ::CoUninitialize(); }
};

struct Handle {
    HANDLE h = nullptr;
    explicit Handle(HANDLE handle) : h(handle) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() { if (h) ::CloseHandle(h); }
};

int Fail(const char* what, unsigned long code) {
    std::fprintf(stderr, "dist probe: %s failed (0x%08lX)\n", what, code);
    return 1;
}

int PrintShortcut(const wchar_t* path) {
    ComScope com;
    if (FAILED(com.result))
        return Fail("CoInitializeEx", static_cast<unsigned long>(com.result));

    ComRef<IShellLinkW> link;
    HRESULT hr = ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                    reinterpret_cast<void**>(&link.p));
    if (FAILED(hr))
        return Fail("creating the shell link object", static_cast<unsigned long>(hr));
    ComRef<IPersistFile> file;
    hr = link.p->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file.p));
    if (FAILED(hr))
        return Fail("asking for IPersistFile", static_cast<unsigned long>(hr));
    hr = file.p->Load(path, STGM_READ);
    if (FAILED(hr))
        return Fail("loading the shortcut", static_cast<unsigned long>(hr));

    wchar_t target[MAX_PATH] = L"";
    wchar_t workdir[MAX_PATH] = L"";
    wchar_t arguments[1024] = L"";
    if (FAILED(hr = link.p->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH)))
        return Fail("reading the target", static_cast<unsigned long>(hr));
    if (FAILED(hr = link.p->GetWorkingDirectory(workdir, MAX_PATH)))
        return Fail("reading the working folder", static_cast<unsigned long>(hr));
    if (FAILED(hr = link.p->GetArguments(arguments, 1024)))
        return Fail("reading the arguments", static_cast<unsigned long>(hr));

    std::printf("target=%s\nworkdir=%s\narguments=%s\n", ToUtf8(target).c_str(), ToUtf8(workdir).c_str(),
                ToUtf8(arguments).c_str());
    return 0;
}

int RunCommandLine(const wchar_t* commandLine) {
    // CreateProcess may write into the command line, so it gets its own copy.
    std::vector<wchar_t> line(commandLine, commandLine + ::lstrlenW(commandLine) + 1);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process))
        return Fail("starting the command line", ::GetLastError());
    Handle processHandle(process.hProcess);
    Handle threadHandle(process.hThread);
    ::WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 1;
    if (!::GetExitCodeProcess(process.hProcess, &status))
        return Fail("reading the exit status", ::GetLastError());
    return static_cast<int>(status);
}

int CloseWindowTitled(const wchar_t* title) {
    for (int attempt = 0; attempt < 600; ++attempt) {
        const HWND window = ::FindWindowW(L"#32770", title);
        if (window && ::IsWindowVisible(window)) {
            ::PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
            return 0;
        }
        ::Sleep(100);
    }
    return Fail("waiting for the window", ERROR_TIMEOUT);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 3 && ::lstrcmpW(argv[1], L"shortcut") == 0)
        return PrintShortcut(argv[2]);
    if (argc == 3 && ::lstrcmpW(argv[1], L"run") == 0)
        return RunCommandLine(argv[2]);
    if (argc == 3 && ::lstrcmpW(argv[1], L"close") == 0)
        return CloseWindowTitled(argv[2]);
    std::fprintf(stderr, "usage: tessiva_dist_probe shortcut LINK.lnk | run COMMAND-LINE | close TITLE\n");
    return 64;
}
