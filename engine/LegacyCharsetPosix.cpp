#include "LegacyCharset.h"

#include <cstring>

#include <iconv.h>

namespace {

// An iconv descriptor, closed when it goes.
class Converter {
public:
    explicit Converter(const std::string& from) : m_handle(iconv_open("UTF-8", from.c_str())) {}
    ~Converter() {
        if (Usable())
            iconv_close(m_handle);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool Usable() const { return m_handle != reinterpret_cast<iconv_t>(-1); }
    iconv_t Handle() const { return m_handle; }

private:
    iconv_t m_handle;
};

}  // namespace

std::string SystemLegacyCharset() {
    return "windows-1252";
}

bool LegacyCharsetKnown(const std::string& charset) {
    return Converter(charset).Usable();
}

std::string LegacyToUtf8(std::string_view bytes, const std::string& charset) {
    Converter converter(charset);
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
    utf8.resize(utf8.size() - outLeft);
    return utf8;
}
