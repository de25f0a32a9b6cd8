#include "HandleCounter.h"

#include <cstring>
#include <set>
#include <vector>

namespace gui {

namespace {

struct Counts {
    std::set<HANDLE> objects;
    std::set<HDC> memoryDCs;
    std::multiset<HDC> windowDCs;
    std::set<HANDLE> icons;
    std::size_t created = 0;
};
Counts* counts = nullptr;

// The real entry point: the import slot itself leads back to the hook.
template <typename Function>
Function Real(const char* dll, const char* name)
{
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA(dll), name)));
}
#define GDI(name) (Real<decltype(&::name)>("gdi32.dll", #name))
#define USER(name) (Real<decltype(&::name)>("user32.dll", #name))

template <class H>
H Track(std::set<HANDLE> Counts::*set, H handle)
{
    if (counts && handle) {
        (counts->*set).insert(reinterpret_cast<HANDLE>(handle));
        ++counts->created;
    }
    return handle;
}

template <class H>
void Untrack(std::set<HANDLE> Counts::*set, H handle)
{
    if (counts)
        (counts->*set).erase(reinterpret_cast<HANDLE>(handle));
}

HFONT WINAPI HookCreateFontIndirectA(const LOGFONTA* f) { return Track(&Counts::objects, GDI(CreateFontIndirectA)(f)); }
HFONT WINAPI HookCreateFontIndirectW(const LOGFONTW* f) { return Track(&Counts::objects, GDI(CreateFontIndirectW)(f)); }
HBRUSH WINAPI HookCreateSolidBrush(COLORREF c) { return Track(&Counts::objects, GDI(CreateSolidBrush)(c)); }
HBRUSH WINAPI HookCreatePatternBrush(HBITMAP b) { return Track(&Counts::objects, GDI(CreatePatternBrush)(b)); }
HPEN WINAPI HookCreatePen(int s, int w, COLORREF c) { return Track(&Counts::objects, GDI(CreatePen)(s, w, c)); }
HBITMAP WINAPI HookCreateCompatibleBitmap(HDC dc, int cx, int cy)
{
    return Track(&Counts::objects, GDI(CreateCompatibleBitmap)(dc, cx, cy));
}
HBITMAP WINAPI HookCreateBitmap(int cx, int cy, UINT planes, UINT bits, const void* data)
{
    return Track(&Counts::objects, GDI(CreateBitmap)(cx, cy, planes, bits, data));
}
HBITMAP WINAPI HookCreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits,
                                    HANDLE section, DWORD offset)
{
    return Track(&Counts::objects, GDI(CreateDIBSection)(dc, info, usage, bits, section, offset));
}
HBITMAP WINAPI HookCreateDIBitmap(HDC dc, const BITMAPINFOHEADER* header, DWORD init,
                                  const void* bits, const BITMAPINFO* info, UINT usage)
{
    return Track(&Counts::objects, GDI(CreateDIBitmap)(dc, header, init, bits, info, usage));
}
BOOL WINAPI HookDeleteObject(HGDIOBJ object)
{
    const BOOL deleted = GDI(DeleteObject)(object);
    if (deleted)
        Untrack(&Counts::objects, object);
    return deleted;
}
HDC WINAPI HookCreateCompatibleDC(HDC dc)
{
    const HDC created = GDI(CreateCompatibleDC)(dc);
    if (created && counts)
        counts->memoryDCs.insert(created);
    return created;
}
BOOL WINAPI HookDeleteDC(HDC dc)
{
    const BOOL deleted = GDI(DeleteDC)(dc);
    if (deleted && counts)
        counts->memoryDCs.erase(dc);
    return deleted;
}
HDC WINAPI HookGetDC(HWND window)
{
    const HDC dc = USER(GetDC)(window);
    if (dc && counts)
        counts->windowDCs.insert(dc);
    return dc;
}
int WINAPI HookReleaseDC(HWND window, HDC dc)
{
    const int released = USER(ReleaseDC)(window, dc);
    if (released && counts) {
        const auto found = counts->windowDCs.find(dc);
        if (found != counts->windowDCs.end())
            counts->windowDCs.erase(found);
    }
    return released;
}
HICON WINAPI HookCopyIcon(HICON icon) { return Track(&Counts::icons, USER(CopyIcon)(icon)); }
HICON WINAPI HookCreateIconIndirect(PICONINFO info)
{
    return Track(&Counts::icons, USER(CreateIconIndirect)(info));
}
HANDLE WINAPI HookLoadImageA(HINSTANCE module, LPCSTR name, UINT type, int cx, int cy, UINT flags)
{
    const HANDLE image = USER(LoadImageA)(module, name, type, cx, cy, flags);
    if (flags & LR_SHARED)
        return image;
    if (type == IMAGE_BITMAP)
        return Track(&Counts::objects, image);
    return Track(&Counts::icons, image);
}
BOOL WINAPI HookDestroyIcon(HICON icon)
{
    const BOOL destroyed = USER(DestroyIcon)(icon);
    if (destroyed)
        Untrack(&Counts::icons, icon);
    return destroyed;
}
BOOL WINAPI HookDestroyCursor(HCURSOR cursor)
{
    const BOOL destroyed = USER(DestroyCursor)(cursor);
    if (destroyed)
        Untrack(&Counts::icons, cursor);
    return destroyed;
}
BOOL WINAPI HookGetIconInfo(HICON icon, PICONINFO info)
{
    // The two bitmaps it hands out belong to the caller.
    const BOOL got = USER(GetIconInfo)(icon, info);
    if (got) {
        Track(&Counts::objects, info->hbmColor);
        Track(&Counts::objects, info->hbmMask);
    }
    return got;
}
struct Hook {
    const char* name;
    void* replacement;
};

const Hook hooks[] = {
    {"CreateFontIndirectA", reinterpret_cast<void*>(&HookCreateFontIndirectA)},
    {"CreateFontIndirectW", reinterpret_cast<void*>(&HookCreateFontIndirectW)},
    {"CreateSolidBrush", reinterpret_cast<void*>(&HookCreateSolidBrush)},
    {"CreatePatternBrush", reinterpret_cast<void*>(&HookCreatePatternBrush)},
    {"CreatePen", reinterpret_cast<void*>(&HookCreatePen)},
    {"CreateCompatibleBitmap", reinterpret_cast<void*>(&HookCreateCompatibleBitmap)},
    {"CreateBitmap", reinterpret_cast<void*>(&HookCreateBitmap)},
    {"CreateDIBSection", reinterpret_cast<void*>(&HookCreateDIBSection)},
    {"CreateDIBitmap", reinterpret_cast<void*>(&HookCreateDIBitmap)},
    {"DeleteObject", reinterpret_cast<void*>(&HookDeleteObject)},
    {"CreateCompatibleDC", reinterpret_cast<void*>(&HookCreateCompatibleDC)},
    {"DeleteDC", reinterpret_cast<void*>(&HookDeleteDC)},
    {"GetDC", reinterpret_cast<void*>(&HookGetDC)},
    {"ReleaseDC", reinterpret_cast<void*>(&HookReleaseDC)},
    {"CopyIcon", reinterpret_cast<void*>(&HookCopyIcon)},
    {"CreateIconIndirect", reinterpret_cast<void*>(&HookCreateIconIndirect)},
    {"LoadImageA", reinterpret_cast<void*>(&HookLoadImageA)},
    {"DestroyIcon", reinterpret_cast<void*>(&HookDestroyIcon)},
    {"DestroyCursor", reinterpret_cast<void*>(&HookDestroyCursor)},
    {"GetIconInfo", reinterpret_cast<void*>(&HookGetIconInfo)},
};

struct Patched {
    void** slot;
    void* original;
};
std::vector<Patched> patched;

void WriteSlot(void** slot, void* value)
{
    DWORD old = 0;
    ::VirtualProtect(slot, sizeof(void*), PAGE_READWRITE, &old);
    *slot = value;
    ::VirtualProtect(slot, sizeof(void*), old, &old);
}

// Points this program's import slots for the hooked calls at the counters.
void PatchImports()
{
    auto* base = reinterpret_cast<BYTE*>(::GetModuleHandleA(nullptr));
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& directory =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    auto* import = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress);
    for (; import->Name != 0; ++import) {
        const char* dll = reinterpret_cast<const char*>(base + import->Name);
        if (::lstrcmpiA(dll, "gdi32.dll") != 0 && ::lstrcmpiA(dll, "user32.dll") != 0)
            continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + import->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + import->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            for (const Hook& hook : hooks) {
                if (std::strcmp(reinterpret_cast<const char*>(byName->Name), hook.name) == 0) {
                    void** slot = reinterpret_cast<void**>(&slots->u1.Function);
                    patched.push_back({slot, *slot});
                    WriteSlot(slot, hook.replacement);
                }
            }
        }
    }
}

}  // namespace

HandleCounter::HandleCounter()
{
    counts = new Counts;
    PatchImports();
}

HandleCounter::~HandleCounter()
{
    for (const Patched& entry : patched)
        WriteSlot(entry.slot, entry.original);
    patched.clear();
    delete counts;
    counts = nullptr;
}

std::size_t HandleCounter::LiveObjects() const { return counts->objects.size(); }
std::size_t HandleCounter::LiveMemoryDCs() const { return counts->memoryDCs.size(); }
std::size_t HandleCounter::LiveWindowDCs() const { return counts->windowDCs.size(); }
std::size_t HandleCounter::LiveIcons() const { return counts->icons.size(); }
std::size_t HandleCounter::Created() const { return counts->created; }

}  // namespace gui
