#include "HandleCounter.h"

#include <commctrl.h>

#include <cstring>
#include <set>
#include <vector>

namespace gui {

namespace {

// A window context taken twice is given back twice: a multiset.
std::multiset<const void*>* live = nullptr;
std::size_t created = 0;

// The real entry point: the import slot itself leads back to the hook.
template <typename Function>
Function Real(const char* dll, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA(dll), name)));
}
#define GDI(name) (Real<decltype(&::name)>("gdi32.dll", #name))
#define USER(name) (Real<decltype(&::name)>("user32.dll", #name))
#define COMCTL(name) (Real<decltype(&::name)>("comctl32.dll", #name))

template <class H>
H Track(H handle) {
    if (live && handle)
        live->insert(reinterpret_cast<const void*>(handle)), ++created;
    return handle;
}

template <class R, class H>
R Untrack(R released, H handle) {
    if (live && released && live->count(reinterpret_cast<const void*>(handle)))
        live->erase(live->find(reinterpret_cast<const void*>(handle)));
    return released;
}

HFONT WINAPI HookCreateFontIndirectA(const LOGFONTA* f) { return Track(GDI(CreateFontIndirectA)(f)); }
HFONT WINAPI HookCreateFontIndirectW(const LOGFONTW* f) { return Track(GDI(CreateFontIndirectW)(f)); }
HBRUSH WINAPI HookCreateSolidBrush(COLORREF c) { return Track(GDI(CreateSolidBrush)(c)); }
HBRUSH WINAPI HookCreatePatternBrush(HBITMAP b) { return Track(GDI(CreatePatternBrush)(b)); }
HPEN WINAPI HookCreatePen(int s, int w, COLORREF c) { return Track(GDI(CreatePen)(s, w, c)); }
HBITMAP WINAPI HookCreateCompatibleBitmap(HDC dc, int cx, int cy) { return Track(GDI(CreateCompatibleBitmap)(dc, cx, cy)); }
HBITMAP WINAPI HookCreateBitmap(int cx, int cy, UINT planes, UINT bits, const void* data) {
    return Track(GDI(CreateBitmap)(cx, cy, planes, bits, data));
}
HBITMAP WINAPI HookCreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section, DWORD at) {
    return Track(GDI(CreateDIBSection)(dc, info, usage, bits, section, at));
}
HBITMAP WINAPI HookCreateDIBitmap(HDC dc, const BITMAPINFOHEADER* header, DWORD init, const void* bits,
                                  const BITMAPINFO* info, UINT usage) {
    return Track(GDI(CreateDIBitmap)(dc, header, init, bits, info, usage));
}
BOOL WINAPI HookDeleteObject(HGDIOBJ object) { return Untrack(GDI(DeleteObject)(object), object); }
HDC WINAPI HookCreateCompatibleDC(HDC dc) { return Track(GDI(CreateCompatibleDC)(dc)); }
BOOL WINAPI HookDeleteDC(HDC dc) { return Untrack(GDI(DeleteDC)(dc), dc); }
HDC WINAPI HookGetDC(HWND window) { return Track(USER(GetDC)(window)); }
int WINAPI HookReleaseDC(HWND window, HDC dc) { return Untrack(USER(ReleaseDC)(window, dc), dc); }
HDC WINAPI HookBeginPaint(HWND window, PAINTSTRUCT* paint) { return Track(USER(BeginPaint)(window, paint)); }
BOOL WINAPI HookEndPaint(HWND window, const PAINTSTRUCT* paint) { return Untrack(USER(EndPaint)(window, paint), paint->hdc); }
HICON WINAPI HookCopyIcon(HICON icon) { return Track(USER(CopyIcon)(icon)); }
HICON WINAPI HookCreateIconIndirect(PICONINFO info) { return Track(USER(CreateIconIndirect)(info)); }
HANDLE WINAPI HookLoadImageA(HINSTANCE module, LPCSTR name, UINT type, int cx, int cy, UINT flags) {
    const HANDLE image = USER(LoadImageA)(module, name, type, cx, cy, flags);
    return flags & LR_SHARED ? image : Track(image);
}
HIMAGELIST WINAPI HookImageList_Create(int cx, int cy, UINT flags, int initial, int grow) { return Track(COMCTL(ImageList_Create)(cx, cy, flags, initial, grow)); }
BOOL WINAPI HookImageList_Destroy(HIMAGELIST list) { return Untrack(COMCTL(ImageList_Destroy)(list), list); }
BOOL WINAPI HookDestroyIcon(HICON icon) { return Untrack(USER(DestroyIcon)(icon), icon); }
BOOL WINAPI HookDestroyCursor(HCURSOR cursor) { return Untrack(USER(DestroyCursor)(cursor), cursor); }
BOOL WINAPI HookGetIconInfo(HICON icon, PICONINFO info) {
    // The two bitmaps it hands out belong to the caller.
    const BOOL got = USER(GetIconInfo)(icon, info);
    if (got)
        Track(info->hbmColor), Track(info->hbmMask);
    return got;
}

#define HOOK(name) {#name, reinterpret_cast<void*>(&Hook##name)}
const struct { const char* name; void* replacement; } hooks[] = {
    HOOK(CreateFontIndirectA), HOOK(CreateFontIndirectW), HOOK(CreateSolidBrush), HOOK(CreatePatternBrush),
    HOOK(CreatePen), HOOK(CreateCompatibleBitmap), HOOK(CreateBitmap), HOOK(CreateDIBSection),
    HOOK(CreateDIBitmap), HOOK(DeleteObject), HOOK(CreateCompatibleDC), HOOK(DeleteDC), HOOK(GetDC),
    HOOK(ReleaseDC), HOOK(BeginPaint), HOOK(EndPaint), HOOK(CopyIcon), HOOK(CreateIconIndirect), HOOK(LoadImageA), HOOK(DestroyIcon),
    HOOK(DestroyCursor), HOOK(GetIconInfo), HOOK(ImageList_Create), HOOK(ImageList_Destroy),
};

struct Patched { void** slot; void* original; };
std::vector<Patched> patched;

void WriteSlot(void** slot, void* value) {
    DWORD old = 0;
    ::VirtualProtect(slot, sizeof(void*), PAGE_READWRITE, &old);
    *slot = value;
    ::VirtualProtect(slot, sizeof(void*), old, &old);
}

// Points this program's import slots for the hooked calls at the counters.
void PatchImports() {
    auto* base = reinterpret_cast<BYTE*>(::GetModuleHandleA(nullptr));
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* import = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress);
         import->Name != 0; ++import) {
        const char* dll = reinterpret_cast<const char*>(base + import->Name);
        if (::lstrcmpiA(dll, "gdi32.dll") != 0 && ::lstrcmpiA(dll, "user32.dll") != 0 && ::lstrcmpiA(dll, "comctl32.dll") != 0)
            continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + import->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + import->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            const char* name = reinterpret_cast<const char*>(
                reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData)->Name);
            for (const auto& hook : hooks) {
                if (std::strcmp(name, hook.name) == 0) {
                    void** slot = reinterpret_cast<void**>(&slots->u1.Function);
                    patched.push_back({slot, *slot});
                    WriteSlot(slot, hook.replacement);
                }
            }
        }
    }
}

}  // namespace

HandleCounter::HandleCounter() {
    live = new std::multiset<const void*>;
    created = 0;
    PatchImports();
}

HandleCounter::~HandleCounter() {
    for (const Patched& entry : patched)
        WriteSlot(entry.slot, entry.original);
    patched.clear();
    delete live;
    live = nullptr;
}

std::size_t HandleCounter::Live() const { return live->size(); }
std::size_t HandleCounter::Created() const { return created; }

}  // namespace gui
