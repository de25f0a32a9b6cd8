#pragma once

#include <windows.h>

#include <string>

#include "CGdiObject.h"

// A device context. It either owns its handle (made by CreateCompatibleDC or
// CreateDC, deleted with it; the paint and client forms release theirs) or
// borrows one (the context of a WM_DRAWITEM, attached and left alone).
class CDC : public CObject {
    DECLARE_DYNAMIC(CDC)
public:
    HDC m_hDC = nullptr;

    CDC() = default;
    // Borrows `dc`: the caller keeps ownership.
    explicit CDC(HDC dc);
    ~CDC() override;
    CDC(CDC&& other) noexcept;
    CDC& operator=(CDC&& other) noexcept;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    // Borrows `dc` (owned = false) or takes it over, deleting it with DeleteDC.
    BOOL Attach(HDC dc, bool owned = false);
    HDC Detach();
    BOOL CreateCompatibleDC(HDC reference);
    BOOL CreateCompatibleDC(const CDC* reference);
    // Releases the handle: deletes it when owned, forgets it when borrowed.
    BOOL DeleteDC();

    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }
    BOOL IsPrinting() const;

    HGDIOBJ SelectObject(HGDIOBJ object);
    HGDIOBJ SelectObject(const CGdiObject* object);
    int SetBkMode(int mode);
    COLORREF SetBkColor(COLORREF colour);
    COLORREF SetTextColor(COLORREF colour);
    COLORREF GetTextColor() const;
    POINT SetWindowOrg(int x, int y);
    int GetDeviceCaps(int index) const;

    // Filling and frames.
    void FillRect(const RECT& rect, HBRUSH brush);
    // Fills with a colour without leaving a brush or a changed background colour behind.
    void FillSolidRect(const RECT& rect, COLORREF colour);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF colour);
    void FrameRect(const RECT& rect, HBRUSH brush);
    // One-pixel frame: top and left in `topLeft`, bottom and right in `bottomRight`.
    void Draw3dRect(const RECT& rect, COLORREF topLeft, COLORREF bottomRight);
    void Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight);
    BOOL DrawEdge(RECT* rect, UINT edge, UINT flags);
    void DrawFocusRect(const RECT& rect);
    BOOL PatBlt(int x, int y, int width, int height, DWORD rop);

    // Lines and shapes.
    POINT MoveTo(int x, int y);
    BOOL LineTo(int x, int y);
    BOOL Ellipse(int left, int top, int right, int bottom);

    // Text.
    int DrawText(const char* text, int length, RECT* rect, UINT format);
    int DrawText(const std::string& text, RECT* rect, UINT format);
    SIZE GetTextExtent(const char* text, int length) const;
    SIZE GetTextExtent(const std::string& text) const;
    SIZE GetTextExtentW(const wchar_t* text, int length) const;

    // Bitmaps and icons.
    BOOL BitBlt(int x, int y, int width, int height, HDC source, int sx, int sy, DWORD rop);
    BOOL DrawIcon(int x, int y, HICON icon);
    BOOL DrawIconEx(int x, int y, HICON icon, int width, int height, HBRUSH flickerFree,
                    UINT flags);
    BOOL DrawState(POINT at, SIZE size, HICON icon, UINT flags, HBRUSH brush = nullptr);
    BOOL DrawState(POINT at, SIZE size, HBITMAP bitmap, UINT flags, HBRUSH brush = nullptr);
    BOOL DrawState(POINT at, SIZE size, const char* text, UINT flags, BOOL prefixText = TRUE,
                   int length = 0, HBRUSH brush = nullptr);

protected:
    bool m_owned = false;
};
