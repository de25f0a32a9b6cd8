#pragma once
// The character set of texts that are not UTF-8: the system's legacy code page,
// by the name web pages declare it with ("windows-1252", "shift_jis"...).
#include <string>
#include <string_view>

// Windows: the default ANSI code page of the system locale (not the process's
// own code page, which is UTF-8); elsewhere "windows-1252".
std::string SystemLegacyCharset();

// True when texts in this character set can be converted here.
bool LegacyCharsetKnown(const std::string& charset);

// The bytes, read as `charset`, in UTF-8; unchanged when the set is unknown.
std::string LegacyToUtf8(std::string_view bytes, const std::string& charset);
