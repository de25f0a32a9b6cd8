#include "CDC.h"

#include <cstring>
#include <utility>

IMPLEMENT_DYNAMIC(CDC, CObject)

CDC::CDC(HDC dc) : m_hDC(dc) {}

CDC::~CDC()
{
    DeleteDC();
}

CDC::CDC(CDC&& other) noexcept
    : CObject(other), m_hDC(std::exchange(other.m_hDC, nullptr)),
      m_owned(std::exchange(other.m_owned, false))
{
}

CDC& CDC::operator=(CDC&& other) noexcept
{
    if (this != &other) {
        DeleteDC();
        m_hDC = std::exchange(other.m_hDC, nullptr);
        m_owned = std::exchange(other.m_owned, false);
    }
    return *this;
}

BOOL CDC::Attach(HDC dc, bool owned)
{
    if (dc == nullptr || m_hDC != nullptr)
        return FALSE;
    m_hDC = dc;
    m_owned = owned;
    return TRUE;
}

HDC CDC::Detach()
{
    m_owned = false;
    return std::exchange(m_hDC, nullptr);
}

BOOL CDC::CreateCompatibleDC(HDC reference)
{
    if (m_hDC != nullptr)
        return FALSE;
    return Attach(::CreateCompatibleDC(reference), true);
}

BOOL CDC::CreateCompatibleDC(const CDC* reference)
{
    return CreateCompatibleDC(reference != nullptr ? reference->m_hDC : nullptr);
}

BOOL CDC::DeleteDC()
{
    if (m_hDC == nullptr)
        return FALSE;
    bool owned = m_owned;
    HDC dc = Detach();
    return owned ? ::DeleteDC(dc) : TRUE;
}

BOOL CDC::IsPrinting() const
{
    return m_hDC != nullptr && ::GetDeviceCaps(m_hDC, TECHNOLOGY) == DT_RASPRINTER;
}

HGDIOBJ CDC::SelectObject(HGDIOBJ object) { return ::SelectObject(m_hDC, object); }

HGDIOBJ CDC::SelectObject(const CGdiObject* object)
{
    return object != nullptr ? SelectObject(object->GetSafeHandle()) : nullptr;
}

int CDC::SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }
COLORREF CDC::SetBkColor(COLORREF colour) { return ::SetBkColor(m_hDC, colour); }
COLORREF CDC::SetTextColor(COLORREF colour) { return ::SetTextColor(m_hDC, colour); }
COLORREF CDC::GetTextColor() const { return ::GetTextColor(m_hDC); }

POINT CDC::SetWindowOrg(int x, int y)
{
    POINT old{};
    ::SetWindowOrgEx(m_hDC, x, y, &old);
    return old;
}

int CDC::GetDeviceCaps(int index) const { return ::GetDeviceCaps(m_hDC, index); }

void CDC::FillRect(const RECT& rect, HBRUSH brush) { ::FillRect(m_hDC, &rect, brush); }

void CDC::FillSolidRect(const RECT& rect, COLORREF colour)
{
    COLORREF old = ::SetBkColor(m_hDC, colour);
    ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    ::SetBkColor(m_hDC, old);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF colour)
{
    FillSolidRect(RECT{x, y, x + cx, y + cy}, colour);
}

void CDC::FrameRect(const RECT& rect, HBRUSH brush) { ::FrameRect(m_hDC, &rect, brush); }

void CDC::Draw3dRect(const RECT& rect, COLORREF topLeft, COLORREF bottomRight)
{
    Draw3dRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, topLeft,
               bottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight)
{
    FillSolidRect(x, y, cx - 1, 1, topLeft);
    FillSolidRect(x, y, 1, cy - 1, topLeft);
    // The top-right and bottom-left corners belong to the bottom-right colour.
    FillSolidRect(x + cx - 1, y, 1, cy, bottomRight);
    FillSolidRect(x, y + cy - 1, cx, 1, bottomRight);
}

BOOL CDC::DrawEdge(RECT* rect, UINT edge, UINT flags) { return ::DrawEdge(m_hDC, rect, edge, flags); }
void CDC::DrawFocusRect(const RECT& rect) { ::DrawFocusRect(m_hDC, &rect); }

BOOL CDC::PatBlt(int x, int y, int width, int height, DWORD rop)
{
    return ::PatBlt(m_hDC, x, y, width, height, rop);
}

POINT CDC::MoveTo(int x, int y)
{
    POINT old{};
    ::MoveToEx(m_hDC, x, y, &old);
    return old;
}

BOOL CDC::LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }

BOOL CDC::Ellipse(int left, int top, int right, int bottom)
{
    return ::Ellipse(m_hDC, left, top, right, bottom);
}


int CDC::DrawText(const char* text, int length, RECT* rect, UINT format)
{
    return ::DrawTextA(m_hDC, text, length, rect, format);
}

int CDC::DrawText(const std::string& text, RECT* rect, UINT format)
{
    return DrawText(text.c_str(), static_cast<int>(text.size()), rect, format);
}

SIZE CDC::GetTextExtent(const char* text, int length) const
{
    SIZE size{0, 0};
    ::GetTextExtentPoint32A(m_hDC, text, length, &size);
    return size;
}

SIZE CDC::GetTextExtent(const std::string& text) const
{
    return GetTextExtent(text.c_str(), static_cast<int>(text.size()));
}

SIZE CDC::GetTextExtentW(const wchar_t* text, int length) const
{
    SIZE size{0, 0};
    ::GetTextExtentPoint32W(m_hDC, text, length, &size);
    return size;
}


BOOL CDC::BitBlt(int x, int y, int width, int height, HDC source, int sx, int sy, DWORD rop)
{
    return ::BitBlt(m_hDC, x, y, width, height, source, sx, sy, rop);
}

BOOL CDC::DrawIcon(int x, int y, HICON icon) { return ::DrawIcon(m_hDC, x, y, icon); }

BOOL CDC::DrawIconEx(int x, int y, HICON icon, int width, int height, HBRUSH flickerFree,
                     UINT flags)
{
    return ::DrawIconEx(m_hDC, x, y, icon, width, height, 0, flickerFree, flags);
}

BOOL CDC::DrawState(POINT at, SIZE size, HICON icon, UINT flags, HBRUSH brush)
{
    return ::DrawStateA(m_hDC, brush, nullptr, reinterpret_cast<LPARAM>(icon), 0, at.x, at.y,
                        size.cx, size.cy, flags | DST_ICON);
}

BOOL CDC::DrawState(POINT at, SIZE size, HBITMAP bitmap, UINT flags, HBRUSH brush)
{
    return ::DrawStateA(m_hDC, brush, nullptr, reinterpret_cast<LPARAM>(bitmap), 0, at.x, at.y,
                        size.cx, size.cy, flags | DST_BITMAP);
}

BOOL CDC::DrawState(POINT at, SIZE size, const char* text, UINT flags, BOOL prefixText,
                    int length, HBRUSH brush)
{
    if (length == 0 && text != nullptr)
        length = static_cast<int>(std::strlen(text));
    return ::DrawStateA(m_hDC, brush, nullptr, reinterpret_cast<LPARAM>(text),
                        static_cast<WPARAM>(length), at.x, at.y, size.cx, size.cy,
                        flags | (prefixText ? DST_PREFIXTEXT : DST_TEXT));
}
