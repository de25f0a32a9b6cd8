#pragma once

#include "CWnd.h"

// A progress bar: a range and the position within it.
class CProgressCtrl : public CWnd {
    DECLARE_DYNAMIC(CProgressCtrl)
public:
    void SetRange32(int lower, int upper);
    int SetPos(int position);  // answers the previous position
};
