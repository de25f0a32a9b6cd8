#include "CFont.h"

IMPLEMENT_DYNAMIC(CFont, CGdiObject)

BOOL CFont::CreateFontIndirect(const LOGFONTA* font)
{
    return font != nullptr && AttachCreated(::CreateFontIndirectA(font));
}

BOOL CFont::CreateFontIndirect(const LOGFONTW* font)
{
    return font != nullptr && AttachCreated(::CreateFontIndirectW(font));
}
