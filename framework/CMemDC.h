#pragma once

#include "CBitmap.h"
#include "CDC.h"

// Draws into a bitmap that covers `rect` of a target context and copies it to
// the same place when it goes out of scope, so the target changes in one step
// (no flicker). Drawing uses the target's coordinates. When the bitmap cannot be
// made it draws straight into the target instead.
class CMemDC : public CDC {
    DECLARE_DYNAMIC(CMemDC)
public:
    CMemDC(CDC& target, const RECT& rect);
    ~CMemDC() override;
    CMemDC(CMemDC&&) = delete;
    CMemDC& operator=(CMemDC&&) = delete;


private:
    CDC& m_target;
    RECT m_rect;
    CBitmap m_bitmap;
    HGDIOBJ m_oldBitmap = nullptr;
    bool m_offscreen = false;
};
