#pragma once

#include "CDC.h"

// The context of one WM_PAINT: BeginPaint on construction, EndPaint on destruction.
class CPaintDC : public CDC {
    DECLARE_DYNAMIC(CPaintDC)
public:
    PAINTSTRUCT m_ps{};

    explicit CPaintDC(HWND window);
    ~CPaintDC() override;
    CPaintDC(CPaintDC&&) = delete;
    CPaintDC& operator=(CPaintDC&&) = delete;

private:
    HWND m_hWnd;
};
