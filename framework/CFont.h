#pragma once

#include "CGdiObject.h"

class CFont : public CGdiObject {
    DECLARE_DYNAMIC(CFont)
public:
    CFont() = default;

    BOOL CreateFontIndirect(const LOGFONTA* font);
    BOOL CreateFontIndirect(const LOGFONTW* font);

    HFONT GetSafeHandle() const { return static_cast<HFONT>(m_hObject); }
    operator HFONT() const { return GetSafeHandle(); }
};
