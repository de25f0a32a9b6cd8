#pragma once

#include "CGdiObject.h"

class CPen : public CGdiObject {
    DECLARE_DYNAMIC(CPen)
public:
    CPen() = default;
    CPen(int style, int width, COLORREF colour);

    BOOL CreatePen(int style, int width, COLORREF colour);

    HPEN GetSafeHandle() const { return static_cast<HPEN>(m_hObject); }
    operator HPEN() const { return GetSafeHandle(); }
};
