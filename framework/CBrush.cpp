#include "CBrush.h"

IMPLEMENT_DYNAMIC(CBrush, CGdiObject)

CBrush::CBrush(COLORREF colour)
{
    CreateSolidBrush(colour);
}

BOOL CBrush::CreateSolidBrush(COLORREF colour)
{
    return AttachCreated(::CreateSolidBrush(colour));
}

BOOL CBrush::CreatePatternBrush(HBITMAP pattern)
{
    return AttachCreated(::CreatePatternBrush(pattern));
}
