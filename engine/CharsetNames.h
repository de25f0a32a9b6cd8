#pragma once
// The one list of character sets that texts not in UTF-8 may be in, the same in
// every build: each by the name browsers know it by, which is what pages declare,
// with the names people also call it by. Sets that do not keep ASCII as ASCII
// (UTF-16, EBCDIC...) are not in it: a page's mark-up could not be read in them.
#include <string>
#include <string_view>
#include <vector>

struct CharsetName {
    const char* name;       // as browsers know it: "shift_jis"
    unsigned codePage;      // Windows' number for it
    const char* converter;  // iconv's name for it
    const char* aliases;    // other names, separated by blanks
};

const std::vector<CharsetName>& KnownCharsets();

// The known set that browsers call `name`, spelled as in KnownCharsets(); null for any other.
const CharsetName* FindKnownCharset(std::string_view name);

// The browsers' name for `name` or one of its aliases, ignoring case and blanks
// around it; empty when no known set goes by it.
std::string CanonicalCharset(std::string_view name);

// The known names, for a message: "windows-1252, shift_jis, ...".
std::string KnownCharsetList();
