#pragma once
// Where the texts to convert are named: file arguments and lists of paths.
#include <string>
#include <vector>

// The files a file argument names. On Windows, whose shells pass patterns on,
// "*" and "?" in its last part are matched here against the files (not folders)
// of that folder, in byte order of their names; a pattern that matches nothing,
// and every argument elsewhere, stands for itself.
std::vector<std::string> ExpandFileArgument(const std::string& argument);

// The paths listed one per line in listPath ("-": standard input), blank lines
// left out, line ends CR LF or LF, the list in UTF-8 or UTF-16 with a byte-order
// mark. False, with the reason in `error`, when the list cannot be read.
bool ReadFileList(const std::string& listPath, std::vector<std::string>& paths, std::string& error);
