#include "GdiHandleCounter.h"

#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

struct Counts {
    std::set<HGDIOBJ> objects;
    std::set<HDC> memoryDCs;
    std::multiset<HDC> windowDCs;
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

HGDIOBJ Track(HGDIOBJ object)
{
    if (counts != nullptr && object != nullptr) {
        counts->objects.insert(object);
        ++counts->created;
    }
    return object;
}

HFONT WINAPI HookCreateFontIndirectA(const LOGFONTA* font)
{
    return static_cast<HFONT>(Track(GDI(CreateFontIndirectA)(font)));
}
HFONT WINAPI HookCreateFontIndirectW(const LOGFONTW* font)
{
    return static_cast<HFONT>(Track(GDI(CreateFontIndirectW)(font)));
}
HBRUSH WINAPI HookCreateSolidBrush(COLORREF colour)
{
    return static_cast<HBRUSH>(Track(GDI(CreateSolidBrush)(colour)));
}
HBRUSH WINAPI HookCreatePatternBrush(HBITMAP bitmap)
{
    return static_cast<HBRUSH>(Track(GDI(CreatePatternBrush)(bitmap)));
}
HPEN WINAPI HookCreatePen(int style, int width, COLORREF colour)
{
    return static_cast<HPEN>(Track(GDI(CreatePen)(style, width, colour)));
}
HBITMAP WINAPI HookCreateCompatibleBitmap(HDC dc, int cx, int cy)
{
    return static_cast<HBITMAP>(Track(GDI(CreateCompatibleBitmap)(dc, cx, cy)));
}
HBITMAP WINAPI HookCreateBitmap(int cx, int cy, UINT planes, UINT bits, const void* data)
{
    return static_cast<HBITMAP>(Track(GDI(CreateBitmap)(cx, cy, planes, bits, data)));
}
HBITMAP WINAPI HookCreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits,
                                    HANDLE section, DWORD offset)
{
    return static_cast<HBITMAP>(Track(GDI(CreateDIBSection)(dc, info, usage, bits, section, offset)));
}
HBITMAP WINAPI HookCreateDIBitmap(HDC dc, const BITMAPINFOHEADER* header, DWORD init,
                                  const void* bits, const BITMAPINFO* info, UINT usage)
{
    return static_cast<HBITMAP>(Track(GDI(CreateDIBitmap)(dc, header, init, bits, info, usage)));
}
BOOL WINAPI HookDeleteObject(HGDIOBJ object)
{
    BOOL deleted = GDI(DeleteObject)(object);
    if (deleted && counts != nullptr)
        counts->objects.erase(object);
    return deleted;
}
HDC WINAPI HookCreateCompatibleDC(HDC dc)
{
    HDC created = GDI(CreateCompatibleDC)(dc);
    if (created != nullptr && counts != nullptr)
        counts->memoryDCs.insert(created);
    return created;
}
BOOL WINAPI HookDeleteDC(HDC dc)
{
    BOOL deleted = GDI(DeleteDC)(dc);
    if (deleted && counts != nullptr)
        counts->memoryDCs.erase(dc);
    return deleted;
}
HDC WINAPI HookGetDC(HWND window)
{
    HDC dc = USER(GetDC)(window);
    if (dc != nullptr && counts != nullptr)
        counts->windowDCs.insert(dc);
    return dc;
}
int WINAPI HookReleaseDC(HWND window, HDC dc)
{
    int released = USER(ReleaseDC)(window, dc);
    if (released && counts != nullptr) {
        auto found = counts->windowDCs.find(dc);
        if (found != counts->windowDCs.end())
            counts->windowDCs.erase(found);
    }
    return released;
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

GdiHandleCounter::GdiHandleCounter()
{
    counts = new Counts;
    PatchImports();
}

GdiHandleCounter::~GdiHandleCounter()
{
    for (const Patched& entry : patched)
        WriteSlot(entry.slot, entry.original);
    patched.clear();
    delete counts;
    counts = nullptr;
}

std::size_t GdiHandleCounter::LiveObjects() const { return counts->objects.size(); }
std::size_t GdiHandleCounter::LiveMemoryDCs() const { return counts->memoryDCs.size(); }
std::size_t GdiHandleCounter::LiveWindowDCs() const { return counts->windowDCs.size(); }
std::size_t GdiHandleCounter::CreatedObjects() const { return counts->created; }
