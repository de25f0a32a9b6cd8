#pragma once

#include "CGdiObject.h"

class CBitmap : public CGdiObject {
    DECLARE_DYNAMIC(CBitmap)
public:
    CBitmap() = default;

    BOOL LoadBitmap(HINSTANCE module, LPCSTR name);
    // Searches the module that holds the RT_BITMAP resource.
    BOOL LoadBitmap(UINT id);
    BOOL CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
    BOOL CreateCompatibleBitmap(HDC dc, int width, int height);
    // A top-down 32-bit DIB section; `bits` (optional) receives its pixels.
    BOOL CreateDIBSection32(HDC dc, int width, int height, DWORD** bits = nullptr);

    BOOL GetBitmap(BITMAP* info) const;
    SIZE GetSize() const;

    HBITMAP GetSafeHandle() const { return static_cast<HBITMAP>(m_hObject); }
    operator HBITMAP() const { return GetSafeHandle(); }
};
