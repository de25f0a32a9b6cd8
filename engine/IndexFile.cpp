#include "IndexFile.h"

#include <utility>

namespace {

// '"' would end the attribute, '#' and '?' start a fragment or a query, '%' starts
// an escape, '&' a character reference, and blanks and control bytes are cut or
// dropped by URL parsers. Bytes from 0x80 up are a name's UTF-8, which browsers
// expect percent-encoded in addresses.
bool NeedsEncoding(unsigned char byte) {
    switch (byte) {
    case '"': case '#': case '%': case '?': case '&': case ' ':
        return true;
    case '\\':  // only where it is not the separator: a browser reads it as "/"
        return true;
    default:
        return byte < 0x20 || byte >= 0x7F;
    }
}

// What a new index.htm begins with: its entries are UTF-8.
constexpr std::string_view kIndexStart = "<meta charset=\"utf-8\">\n";

}  // namespace

std::string IndexPath(const std::string& outputFolder) {
    return outputFolder + platform::kPathSeparator + "index.htm";
}

std::string IndexAddress(std::string_view outputFolder, std::string_view pagePath) {
    std::string_view relative = pagePath;
    if (relative.substr(0, outputFolder.size()) == outputFolder) {
        relative.remove_prefix(outputFolder.size());
        if (!relative.empty() && relative.front() == platform::kPathSeparator)
            relative.remove_prefix(1);
    }
    static const char kHex[] = "0123456789ABCDEF";
    std::string address;
    address.reserve(relative.size() + 16);
    for (const char c : relative) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == platform::kPathSeparator) {
            address += '/';
        } else if (NeedsEncoding(byte)) {
            address += '%';
            address += kHex[byte >> 4];
            address += kHex[byte & 15];
        } else {
            address += c;
        }
    }
    return address;
}

std::string MakeIndexEntry(std::string_view address, std::string head) {
    std::string start;
    start.reserve(address.size() + 11);
    start.append("<a href=\"").append(address).append("\">");
    head.insert(0, start).append("</a><br>");
    return head;
}

platform::FileResult AppendIndexEntry(const std::string& outputFolder, const std::string& pagePath,
                                      std::string head) {
    const std::string path = IndexPath(outputFolder);
    // An index that begins here says what its entries are written in.
    return platform::AppendToFile(path, MakeIndexEntry(IndexAddress(outputFolder, pagePath), std::move(head)), kIndexStart);
}
