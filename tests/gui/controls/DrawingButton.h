#pragma once

// An image button whose hover state a drawing test can set directly; the
// behaviour tests reach hover through real mouse movement instead.

#include "CImageButton.h"

class DrawingButton : public CImageButton {
public:
    void ForceHover(BOOL hover) { m_bHover = hover; }
};
