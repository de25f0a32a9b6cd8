#include "CBrush.h"

IMPLEMENT_DYNAMIC(CBrush, CGdiObject)

CBrush::CBrush(COLORREF colour)
{
    CreateSolidBrush(colour);
}

BOOL CBrush::CreateSolidBrush(COLORREF colour)
{
    return Attach(::CreateSolidBrush(colour));
}

BOOL CBrush::CreatePatternBrush(HBITMAP pattern)
{
    return Attach(::CreatePatternBrush(pattern));
}

BOOL CBrush::CreateHatchBrush(int style, COLORREF colour)
{
    return Attach(::CreateHatchBrush(style, colour));
}
