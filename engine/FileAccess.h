#pragma once
// The two file operations the wizard and the run share.
#include <string>

#include "PlatformFiles.h"

// True when a file or folder of exactly this name exists. Keeps nothing open.
bool FileExists(const std::string& path);

// The reading rule for templates and text files: the whole file, read-only and
// unshared; the text is the bytes up to the first NUL byte. No line end or
// character conversion.
platform::FileResult ReadTextFile(const std::string& path, std::string& text);
