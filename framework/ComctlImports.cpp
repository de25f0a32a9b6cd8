// Common-control functions that the tool chain's import library leaves out.
// GetWindowSubclass is exported by comctl32 (by name on current systems, always
// as ordinal 411), but the import library names only its three siblings; the
// callers' import slot is provided here and bound on the first call.

#include <windows.h>
#include <commctrl.h>

namespace {

using GetWindowSubclassFn = BOOL(WINAPI*)(HWND, SUBCLASSPROC, UINT_PTR, DWORD_PTR*);

BOOL WINAPI GetWindowSubclassFirstCall(HWND hwnd, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR* refData)
{
    static const GetWindowSubclassFn bound = [] {
        // Loaded already: the program links SetWindowSubclass from the same library.
        HMODULE comctl = ::GetModuleHandleA("comctl32.dll");
        if (!comctl)
            comctl = ::LoadLibraryA("comctl32.dll");
        FARPROC entry = comctl ? ::GetProcAddress(comctl, "GetWindowSubclass") : nullptr;
        if (!entry && comctl)
            entry = ::GetProcAddress(comctl, MAKEINTRESOURCEA(411));
        return reinterpret_cast<GetWindowSubclassFn>(entry);
    }();
    if (!bound) {
        if (refData)
            *refData = 0;
        return FALSE;
    }
    return bound(hwnd, proc, id, refData);
}

}  // namespace

// The slot that calls through DECLSPEC_IMPORT declarations go through.
extern "C" {
GetWindowSubclassFn __imp_GetWindowSubclass = &GetWindowSubclassFirstCall;
}
