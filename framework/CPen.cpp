#include "CPen.h"

IMPLEMENT_DYNAMIC(CPen, CGdiObject)

CPen::CPen(int style, int width, COLORREF colour)
{
    CreatePen(style, width, colour);
}

BOOL CPen::CreatePen(int style, int width, COLORREF colour)
{
    return AttachCreated(::CreatePen(style, width, colour));
}
