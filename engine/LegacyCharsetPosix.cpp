#include "LegacyCharset.h"

#include <cstring>

#include <iconv.h>

#include "CharsetNames.h"

namespace {

// iconv's name for a known set; the name itself for any other.
std::string ConverterName(const std::string& charset) {
    const CharsetName* known = FindKnownCharset(charset);
    return known ? known->converter : charset;
}

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

// An iconv descriptor, closed when it goes.
class Converter {
public:
    Converter(const char* to, const std::string& from) : m_handle(iconv_open(to, from.c_str())) {}
    ~Converter() {
        if (Usable())
            iconv_close(m_handle);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool Usable() const { return m_handle != kNoConverter; }
    iconv_t Handle() const { return m_handle; }

private:
    iconv_t m_handle;
};

}  // namespace

std::string SystemLegacyCharset() {
    return "windows-1252";
}

std::string LegacyToUtf8(std::string_view bytes, const std::string& charset) {
    Converter converter("UTF-8", ConverterName(charset));
    if (!converter.Usable())
        return std::string(bytes);
    // Four bytes out per byte in is enough for any single-byte or double-byte set.
    std::string utf8(bytes.size() * 4, '\0');
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    char* out = &utf8[0];
    std::size_t outLeft = utf8.size();
    while (inLeft > 0) {
        if (iconv(converter.Handle(), &in, &inLeft, &out, &outLeft) != static_cast<std::size_t>(-1))
            break;
        // A byte the set does not define, or a sequence cut short: U+FFFD, go on.
        if (outLeft < 3)
            break;
        std::memcpy(out, "\xEF\xBF\xBD", 3);
        out += 3;
        outLeft -= 3;
        ++in;
        --inLeft;
    }
    // Sets that combine a letter with the marks after it hold the last letter back
    // until told the text has ended.
    iconv(converter.Handle(), nullptr, nullptr, &out, &outLeft);
    utf8.resize(utf8.size() - outLeft);
    return utf8;
}

LegacyEncoder::LegacyEncoder(const std::string& charset)
    : m_converter(iconv_open(ConverterName(charset).c_str(), "UTF-8")) {}

LegacyEncoder::~LegacyEncoder() {
    if (m_converter != kNoConverter)
        iconv_close(static_cast<iconv_t>(m_converter));
}

bool LegacyEncoder::Append(std::string_view character, std::string& out) {
    if (m_converter == kNoConverter)
        return false;
    char bytes[16];
    char* in = const_cast<char*>(character.data());
    std::size_t inLeft = character.size();
    char* next = bytes;
    std::size_t room = sizeof bytes;
    const iconv_t converter = static_cast<iconv_t>(m_converter);
    const bool converted = iconv(converter, &in, &inLeft, &next, &room) != static_cast<std::size_t>(-1) &&
                           iconv(converter, nullptr, nullptr, &next, &room) != static_cast<std::size_t>(-1);
    iconv(converter, nullptr, nullptr, nullptr, nullptr);  // a fresh start for the next character
    if (converted)
        out.append(bytes, static_cast<std::size_t>(next - bytes));
    return converted;
}
