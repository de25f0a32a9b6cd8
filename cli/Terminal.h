#pragma once
// Whether the standard streams are attached to a terminal (a console on Windows).

bool StandardInputIsTerminal();
bool StandardErrorIsTerminal();
