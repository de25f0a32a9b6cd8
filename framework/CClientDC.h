#pragma once

#include "CDC.h"

// The client-area context of a window (the screen for a null window), released
// on destruction.
class CClientDC : public CDC {
    DECLARE_DYNAMIC(CClientDC)
public:
    explicit CClientDC(HWND window);
    ~CClientDC() override;
    CClientDC(CClientDC&&) = delete;
    CClientDC& operator=(CClientDC&&) = delete;

private:
    HWND m_hWnd;
};
