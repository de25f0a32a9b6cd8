#pragma once

#include <windows.h>

#include "CGdiObject.h"

// Selects a GDI object into a device context for one scope and puts the old
// one back on the way out, so no object is ever deleted while still selected.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ object)
        : m_dc(dc), m_old(dc != nullptr && object != nullptr ? ::SelectObject(dc, object) : nullptr)
    {
    }
    ScopedSelect(HDC dc, const CGdiObject& object) : ScopedSelect(dc, object.GetSafeHandle()) {}
    ~ScopedSelect()
    {
        if (m_old != nullptr && m_old != HGDI_ERROR)
            ::SelectObject(m_dc, m_old);
    }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

    HGDIOBJ Old() const { return m_old; }

private:
    HDC m_dc;
    HGDIOBJ m_old;
};
