#include "SysColorBitmap.h"

#include <cstring>
#include <vector>

namespace {

constexpr COLORREF RgbOfQuad(const RGBQUAD& quad)
{
    return RGB(quad.rgbRed, quad.rgbGreen, quad.rgbBlue);
}

RGBQUAD QuadOf(COLORREF colour)
{
    RGBQUAD quad{};
    quad.rgbRed = GetRValue(colour);
    quad.rgbGreen = GetGValue(colour);
    quad.rgbBlue = GetBValue(colour);
    return quad;
}

void MapToSystemColours(RGBQUAD* table, DWORD count)
{
    struct Mapping {
        COLORREF from;
        int to;
    };
    static const Mapping mappings[] = {
        {RGB(0x00, 0x00, 0x00), COLOR_BTNTEXT},
        {RGB(0x80, 0x80, 0x80), COLOR_BTNSHADOW},
        {RGB(0xC0, 0xC0, 0xC0), COLOR_BTNFACE},
        {RGB(0xFF, 0xFF, 0xFF), COLOR_BTNHIGHLIGHT},
    };
    for (DWORD i = 0; i < count; ++i) {
        for (const Mapping& mapping : mappings) {
            if (RgbOfQuad(table[i]) == mapping.from) {
                table[i] = QuadOf(::GetSysColor(mapping.to));
                break;
            }
        }
    }
}

}  // namespace

HBITMAP AfxLoadSysColorBitmap(HINSTANCE module, HRSRC resource, BOOL monochrome)
{
    if (resource == nullptr)
        return nullptr;
    HGLOBAL loaded = ::LoadResource(module, resource);
    const auto* bytes = static_cast<const BYTE*>(loaded != nullptr ? ::LockResource(loaded) : nullptr);
    const DWORD size = ::SizeofResource(module, resource);
    if (bytes == nullptr || size < sizeof(BITMAPINFOHEADER))
        return nullptr;

    BITMAPINFOHEADER header;
    std::memcpy(&header, bytes, sizeof header);
    if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biBitCount > 8 ||
        header.biBitCount == 0 || header.biWidth <= 0 || header.biHeight == 0)
        return nullptr;
    const DWORD maxColours = 1u << header.biBitCount;
    const DWORD colours = header.biClrUsed != 0 ? header.biClrUsed : maxColours;
    if (colours > maxColours)
        return nullptr;

    // The sizes come from the resource: check them before reading the pixels.
    const DWORD tableOffset = header.biSize;
    const DWORD bitsOffset = tableOffset + colours * sizeof(RGBQUAD);
    const DWORD stride = ((static_cast<DWORD>(header.biWidth) * header.biBitCount + 31) / 32) * 4;
    const LONG rows = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    if (bitsOffset > size || static_cast<ULONGLONG>(stride) * rows > size - bitsOffset)
        return nullptr;

    std::vector<BYTE> info(sizeof(BITMAPINFOHEADER) + colours * sizeof(RGBQUAD));
    auto* mapped = reinterpret_cast<BITMAPINFO*>(info.data());
    mapped->bmiHeader = header;
    mapped->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    mapped->bmiHeader.biClrUsed = colours;
    std::memcpy(mapped->bmiColors, bytes + tableOffset, colours * sizeof(RGBQUAD));
    MapToSystemColours(mapped->bmiColors, colours);

    const BYTE* bits = bytes + bitsOffset;
    HBITMAP bitmap = nullptr;
    if (monochrome) {
        bitmap = ::CreateBitmap(header.biWidth, rows, 1, 1, nullptr);
        HDC screen = ::GetDC(nullptr);
        if (bitmap != nullptr)
            ::SetDIBits(screen, bitmap, 0, static_cast<UINT>(rows), bits, mapped, DIB_RGB_COLORS);
        ::ReleaseDC(nullptr, screen);
    } else {
        HDC screen = ::GetDC(nullptr);
        bitmap = ::CreateDIBitmap(screen, &mapped->bmiHeader, CBM_INIT, bits, mapped, DIB_RGB_COLORS);
        ::ReleaseDC(nullptr, screen);
    }
    return bitmap;
}
