#pragma once

// The about box: the program's picture, its name and version. Reached from the
// wizard's system menu; only ever shown modally, closed with OK, Esc or its
// close box.

#include "CDialog.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg();
};
