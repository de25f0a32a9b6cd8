// The part of LegacyCharset.h that is the same everywhere.
#include "LegacyCharset.h"

#include "TextEncoding.h"

namespace {

void AppendCharacterReference(std::string& out, std::uint32_t character) {
    static const char kHex[] = "0123456789ABCDEF";
    out += "&#x";
    int shift = 20;
    while (shift > 0 && (character >> shift) == 0)
        shift -= 4;
    for (; shift >= 0; shift -= 4)
        out += kHex[(character >> shift) & 15];
    out += ';';
}

}  // namespace

std::string Utf8ToLegacy(std::string_view utf8, const std::string& charset) {
    LegacyEncoder encoder(charset);
    std::string out;
    out.reserve(utf8.size());
    while (!utf8.empty()) {
        if (static_cast<unsigned char>(utf8.front()) < 0x80) {
            out += utf8.front();
            utf8.remove_prefix(1);
            continue;
        }
        std::size_t length = 0;
        const std::uint32_t character = DecodeUtf8Character(utf8, length);
        if (length == 1 || !encoder.Append(utf8.substr(0, length), out))
            AppendCharacterReference(out, character);
        utf8.remove_prefix(length);
    }
    return out;
}
