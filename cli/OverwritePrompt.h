#pragma once
// The wizard's overwrite question on the terminal: asked on standard error,
// answered with y or n on standard input.
#include <cstdio>
#include <string>

// Repeats the question until it reads yes or no; the end of the input means no.
bool AskOverwrite(const std::string& pagePath, std::FILE* in, std::FILE* out);
