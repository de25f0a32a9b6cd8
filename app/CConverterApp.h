#pragma once

// The application: runs the wizard window modally and ends when it closes.
// There is exactly one, in main.cpp; the program has no settings of its own and
// reads no command line.

#include "CWinApp.h"

class CConverterApp : public CWinApp {
public:
    CConverterApp() = default;

    // Runs the wizard; answers FALSE so the program ends without a message loop.
    BOOL InitInstance() override;

protected:
    // ID_HELP goes to the standard help handler, which ends in the wizard's WinHelp.
    const CommandMap& GetCommandMap() const override;
};
