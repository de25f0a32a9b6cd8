// tessiva_dist_probe: does on the Windows side what a user's shell does with an
// installed program, for the package tests. Exit status 1, with the reason on
// standard error, when it could not be done.
//   shortcut LINK.lnk  prints what the shortcut starts, through the shell's own
//                      link object: target=, workdir=, arguments=
//   run COMMAND-LINE   starts the command line exactly as written, as the Run box
//                      does with an uninstall string; exits with its exit status

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

int Fail(const char* what, unsigned long code)
{
    std::fprintf(stderr, "dist probe: %s failed (0x%08lX)\n", what, code);
    return 1;
}

// Paths here are plain ASCII.
std::string Narrow(const wchar_t* text) { return std::string(text, text + ::lstrlenW(text)); }

int PrintShortcut(const wchar_t* path)
{
    IShellLinkW* link = nullptr;
    IPersistFile* file = nullptr;
    wchar_t target[MAX_PATH] = L"", workdir[MAX_PATH] = L"", arguments[1024] = L"";
    HRESULT hr = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (SUCCEEDED(hr))
        hr = ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link));
    if (SUCCEEDED(hr))
        hr = link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
    if (SUCCEEDED(hr))
        hr = file->Load(path, STGM_READ);
    if (SUCCEEDED(hr))
        hr = link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH);
    if (SUCCEEDED(hr))
        hr = link->GetWorkingDirectory(workdir, MAX_PATH);
    if (SUCCEEDED(hr))
        hr = link->GetArguments(arguments, 1024);
    if (FAILED(hr))
        return Fail("reading the shortcut", static_cast<unsigned long>(hr));  // the process ends: no releases
    std::printf("target=%s\nworkdir=%s\narguments=%s\n", Narrow(target).c_str(), Narrow(workdir).c_str(),
                Narrow(arguments).c_str());
    file->Release();
    link->Release();
    return 0;
}

int RunCommandLine(const wchar_t* commandLine)
{
    // CreateProcess may write into the command line: it gets its own copy.
    std::vector<wchar_t> line(commandLine, commandLine + ::lstrlenW(commandLine) + 1);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return Fail("starting the command line", ::GetLastError());
    ::WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 1;
    ::GetExitCodeProcess(process.hProcess, &status);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return static_cast<int>(status);
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    const std::wstring command = argc == 3 ? argv[1] : L"";
    if (command == L"shortcut")
        return PrintShortcut(argv[2]);
    if (command == L"run")
        return RunCommandLine(argv[2]);
    std::fprintf(stderr, "usage: tessiva_dist_probe shortcut LINK.lnk | run COMMAND-LINE\n");
    return 64;
}
