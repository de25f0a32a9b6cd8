#pragma once
// Texts that are not UTF-8 are in a legacy character set, one of KnownCharsets()
// and named as there ("windows-1252", "shift_jis"...). Conversion both ways.
#include <string>
#include <string_view>

// Windows: the default ANSI code page of the system locale (not the process's
// own code page, which is UTF-8); elsewhere "windows-1252".
std::string SystemLegacyCharset();

// The bytes, read as `charset`, in UTF-8; unchanged when the set is unknown.
std::string LegacyToUtf8(std::string_view bytes, const std::string& charset);

// Writes characters into one known set, one at a time.
class LegacyEncoder {
public:
    explicit LegacyEncoder(const std::string& charset);
    ~LegacyEncoder();
    LegacyEncoder(const LegacyEncoder&) = delete;
    LegacyEncoder& operator=(const LegacyEncoder&) = delete;

    // Appends the character whose UTF-8 bytes `character` holds; false, with
    // nothing appended, when the set has no such character (not even a look-alike).
    bool Append(std::string_view character, std::string& out);

private:
    void* m_converter = nullptr;  // iconv's, where there is one
    unsigned m_codePage = 0;      // Windows'
};

// UTF-8 in `charset`: what the set cannot hold becomes a numeric character
// reference ("&#x65E5;"), which a browser shows as the character itself. Bytes
// that are not UTF-8 stand for U+FFFD.
std::string Utf8ToLegacy(std::string_view utf8, const std::string& charset);
