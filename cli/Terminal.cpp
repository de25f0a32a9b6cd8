#include "Terminal.h"

#ifdef _WIN32
#include <io.h>
#include <stdio.h>
#define TESSIVA_ISATTY _isatty
#define TESSIVA_FILENO _fileno
#else
#include <stdio.h>
#include <unistd.h>
#define TESSIVA_ISATTY isatty
#define TESSIVA_FILENO fileno
#endif

bool StandardInputIsTerminal() {
    return TESSIVA_ISATTY(TESSIVA_FILENO(stdin)) != 0;
}

bool StandardErrorIsTerminal() {
    return TESSIVA_ISATTY(TESSIVA_FILENO(stderr)) != 0;
}
