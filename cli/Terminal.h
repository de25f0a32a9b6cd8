#pragma once
// Whether the standard streams are attached to a terminal (a console on Windows),
// and writing text to them.
#include <cstdio>
#include <string>

bool StandardInputIsTerminal();
bool StandardErrorIsTerminal();

// Writes UTF-8 text to `stream` and flushes it. A Windows console gets it through
// its own text interface, which shows every script its font can draw (bytes would
// be read in the console's code page); anywhere else the bytes go as they are.
void WriteText(std::FILE* stream, const std::string& utf8);
