// Colour arithmetic and the faded and shadow copies of command images that
// the flat style shows at rest and under a raised icon.
#include "GlyphMenu.h"

#include <vector>

#include "CDC.h"
#include "ScopedSelect.h"

namespace {

constexpr double fadeLightening = 0.3;
constexpr double shadowLightening = 0.49;

// The pixels of a bitmap as 32-bit 0x00RRGGBB-ordered quads (BGRA in memory),
// read and written in one piece instead of pixel by pixel.
class BitmapPixels {
public:
    explicit BitmapPixels(HBITMAP bitmap) : m_bitmap(bitmap)
    {
        BITMAP info{};
        if (bitmap == nullptr || ::GetObjectA(bitmap, sizeof info, &info) != sizeof info ||
            info.bmWidth <= 0 || info.bmHeight <= 0)
            return;
        m_width = info.bmWidth;
        m_height = info.bmHeight;
        m_pixels.resize(static_cast<size_t>(m_width) * static_cast<size_t>(m_height));
        if (!Transfer(false))
            m_pixels.clear();
    }

    bool IsValid() const { return !m_pixels.empty(); }
    std::vector<RGBQUAD>& Pixels() { return m_pixels; }
    BOOL Store() { return Transfer(true); }

    // The face colour as it comes out in this bitmap's format: a bitmap of the
    // same kind is filled with it and read back the same way as the pixels.
    RGBQUAD FaceColour() const
    {
        RGBQUAD face = QuadOf(::GetSysColor(COLOR_BTNFACE));
        CDC memory;
        if (!memory.CreateCompatibleDC(static_cast<HDC>(nullptr)))
            return face;
        HBITMAP probe = nullptr;
        {
            ScopedSelect select(memory, m_bitmap);
            probe = ::CreateCompatibleBitmap(memory, 2, 2);
        }
        if (probe == nullptr)
            return face;
        {
            ScopedSelect select(memory, probe);
            memory.FillSolidRect(RECT{0, 0, 2, 2}, ::GetSysColor(COLOR_BTNFACE));
        }
        BitmapPixels probePixels(probe);
        if (probePixels.IsValid())
            face = probePixels.m_pixels[1 * 2 + 1];
        ::DeleteObject(probe);
        return face;
    }

    static RGBQUAD QuadOf(COLORREF colour)
    {
        return RGBQUAD{GetBValue(colour), GetGValue(colour), GetRValue(colour), 0};
    }
    static COLORREF ColourOf(const RGBQUAD& quad)
    {
        return RGB(quad.rgbRed, quad.rgbGreen, quad.rgbBlue);
    }

private:
    bool Transfer(bool store)
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = m_width;
        info.bmiHeader.biHeight = -m_height;  // top-down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        HDC screen = ::GetDC(nullptr);
        const int lines =
            store ? ::SetDIBits(screen, m_bitmap, 0, static_cast<UINT>(m_height), m_pixels.data(),
                                &info, DIB_RGB_COLORS)
                  : ::GetDIBits(screen, m_bitmap, 0, static_cast<UINT>(m_height), m_pixels.data(),
                                &info, DIB_RGB_COLORS);
        ::ReleaseDC(nullptr, screen);
        return lines == m_height;
    }

    HBITMAP m_bitmap;
    int m_width = 0;
    int m_height = 0;
    std::vector<RGBQUAD> m_pixels;
};

bool SameColour(const RGBQUAD& a, const RGBQUAD& b)
{
    return a.rgbRed == b.rgbRed && a.rgbGreen == b.rgbGreen && a.rgbBlue == b.rgbBlue;
}

// Changes every pixel that is not the face colour (the image's background).
template <typename Change>
void ChangeForeground(HBITMAP bitmap, Change change)
{
    BitmapPixels pixels(bitmap);
    if (!pixels.IsValid())
        return;
    const RGBQUAD face = pixels.FaceColour();
    for (RGBQUAD& pixel : pixels.Pixels()) {
        if (!SameColour(pixel, face))
            pixel = BitmapPixels::QuadOf(change(BitmapPixels::ColourOf(pixel)));
    }
    pixels.Store();
}

BYTE LightenChannel(BYTE channel, double fraction)
{
    return static_cast<BYTE>(channel + fraction * (255 - channel));
}

}  // namespace

COLORREF GlyphMenu::Lighten(COLORREF colour, double fraction)
{
    if (!(fraction > 0.0 && fraction <= 1.0))
        return colour;
    return RGB(LightenChannel(GetRValue(colour), fraction),
               LightenChannel(GetGValue(colour), fraction),
               LightenChannel(GetBValue(colour), fraction));
}

void GlyphMenu::FadeBitmap(HBITMAP bitmap)
{
    ChangeForeground(bitmap, [](COLORREF colour) { return Lighten(colour, fadeLightening); });
}

void GlyphMenu::ShadowBitmap(HBITMAP bitmap)
{
    COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    if (!IsThemedXp())
        shadow = Lighten(shadow, shadowLightening);
    ChangeForeground(bitmap, [shadow](COLORREF) { return shadow; });
}
