#include "CBitmap.h"

#include "ResourceLookup.h"

IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)

BOOL CBitmap::LoadBitmap(HINSTANCE module, LPCSTR name)
{
    return AttachCreated(::LoadBitmapA(module, name));
}

BOOL CBitmap::LoadBitmap(UINT id)
{
    LPCSTR name = MAKEINTRESOURCEA(id);
    return LoadBitmap(AfxFindResourceHandle(name, RT_BITMAP), name);
}

BOOL CBitmap::CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits)
{
    return AttachCreated(::CreateBitmap(width, height, planes, bitsPerPixel, bits));
}

BOOL CBitmap::CreateCompatibleBitmap(HDC dc, int width, int height)
{
    return AttachCreated(::CreateCompatibleBitmap(dc, width, height));
}

BOOL CBitmap::CreateDIBSection32(HDC dc, int width, int height, DWORD** bits)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    if (!AttachCreated(::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &pixels, nullptr, 0)))
        return FALSE;
    if (bits != nullptr)
        *bits = static_cast<DWORD*>(pixels);
    return TRUE;
}

BOOL CBitmap::GetBitmap(BITMAP* info) const
{
    return GetObject(sizeof(BITMAP), info) == sizeof(BITMAP);
}

SIZE CBitmap::GetSize() const
{
    BITMAP info{};
    if (!GetBitmap(&info))
        return SIZE{0, 0};
    return SIZE{info.bmWidth, info.bmHeight};
}
