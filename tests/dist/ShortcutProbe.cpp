// tessiva_shortcut_probe LINK.lnk
// Reads a shell shortcut through the shell's own link object, as the Start menu
// does before it starts the target, and prints what it would start, one
// "name=value" line each (UTF-8): target, workdir, arguments. Exit status 0 when
// the shortcut could be read, 1 otherwise (the reason on standard error).

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstdio>
#include <string>

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
    ~ComRef() { if (p) p->Release(); }
};

struct ComScope {
    HRESULT result = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ~ComScope() { if (SUCCEEDED(result)) ::CoUninitialize(); }
};

int Fail(const char* what, HRESULT result) {
    std::fprintf(stderr, "shortcut probe: %s failed (0x%08lX)\n", what, static_cast<unsigned long>(result));
    return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tessiva_shortcut_probe LINK.lnk\n");
        return 64;
    }
    ComScope com;
    if (FAILED(com.result))
        return Fail("CoInitializeEx", com.result);

    ComRef<IShellLinkW> link;
    HRESULT hr = ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                    reinterpret_cast<void**>(&link.p));
    if (FAILED(hr))
        return Fail("creating the shell link object", hr);
    ComRef<IPersistFile> file;
    hr = link.p->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file.p));
    if (FAILED(hr))
        return Fail("asking for IPersistFile", hr);
    hr = file.p->Load(argv[1], STGM_READ);
    if (FAILED(hr))
        return Fail("loading the shortcut", hr);

    wchar_t target[MAX_PATH] = L"";
    wchar_t workdir[MAX_PATH] = L"";
    wchar_t arguments[1024] = L"";
    if (FAILED(hr = link.p->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH)))
        return Fail("reading the target", hr);
    if (FAILED(hr = link.p->GetWorkingDirectory(workdir, MAX_PATH)))
        return Fail("reading the working folder", hr);
    if (FAILED(hr = link.p->GetArguments(arguments, 1024)))
        return Fail("reading the arguments", hr);

    std::printf("target=%s\nworkdir=%s\narguments=%s\n", ToUtf8(target).c_str(), ToUtf8(workdir).c_str(),
                ToUtf8(arguments).c_str());
    return 0;
}
