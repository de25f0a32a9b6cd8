#pragma once

#include "CGdiObject.h"

class CBrush : public CGdiObject {
    DECLARE_DYNAMIC(CBrush)
public:
    CBrush() = default;
    // A solid brush of `colour`; check GetSafeHandle() when it matters.
    explicit CBrush(COLORREF colour);

    BOOL CreateSolidBrush(COLORREF colour);
    BOOL CreatePatternBrush(HBITMAP pattern);

    HBRUSH GetSafeHandle() const { return static_cast<HBRUSH>(m_hObject); }
    operator HBRUSH() const { return GetSafeHandle(); }
};
