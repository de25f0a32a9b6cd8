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
    case '$':  // in a page an address must not start a placeholder
        return true;
    case '\\':  // only where it is not the separator: a browser reads it as "/"
        return true;
    default:
        return byte < 0x20 || byte >= 0x7F;
    }
}

// The index's look follows the templates': a white sheet on a pale ground.
constexpr std::string_view kIndexHead =
    "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n"
    "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>";
constexpr std::string_view kIndexStyle =
    "</title>\n<style>\n"
    "  html { background: #eef1f4; }\n"
    "  body {\n"
    "    max-width: 44em; margin: 2.5em auto; padding: 2em 3em; background: #ffffff; color: #222933;\n"
    "    border-radius: 6px; box-shadow: 0 1px 4px rgba(30, 40, 60, 0.15);\n"
    "    font: 16px/2 Verdana, Tahoma, sans-serif;\n"
    "  }\n"
    "  h1 {\n"
    "    font: bold 1.6em/1.2 Verdana, Tahoma, sans-serif; color: #12324f;\n"
    "    margin: 0 0 0.8em; padding-bottom: 0.4em; border-bottom: 3px solid #d6e2ee;\n"
    "  }\n"
    "  a { color: #1d5fa8; text-decoration: none; }\n"
    "  a:hover { text-decoration: underline; }\n"
    "  @media (max-width: 40em) { body { margin: 0; padding: 1.2em; border-radius: 0; } }\n"
    "</style>\n</head>\n<body>\n<h1>";
constexpr std::string_view kIndexEntries = "</h1>\n";

// Shown as typed: markup characters become references.
std::string EscapeText(std::string_view text) {
    std::string escaped;
    for (const char c : text) {
        switch (c) {
        case '&': escaped += "&amp;"; break;
        case '<': escaped += "&lt;"; break;
        case '>': escaped += "&gt;"; break;
        default: escaped += c;
        }
    }
    return escaped;
}

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
    return EncodeAddress(relative);
}

std::string EncodeAddress(std::string_view relative) {
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

std::string MakeIndexStart(std::string_view title) {
    const std::string shown = EscapeText(title);
    std::string start;
    start.append(kIndexHead).append(shown).append(kIndexStyle).append(shown).append(kIndexEntries);
    return start;
}

std::string MakeIndexEntry(std::string_view address, std::string head) {
    std::string start;
    start.reserve(address.size() + 11);
    start.append("<a href=\"").append(address).append("\">");
    head.insert(0, start).append("</a><br>");
    return head;
}

platform::FileResult AppendIndexEntry(const std::string& outputFolder, const std::string& pagePath,
                                      std::string head, std::string_view start) {
    const std::string path = IndexPath(outputFolder);
    return platform::AppendToFile(path, MakeIndexEntry(IndexAddress(outputFolder, pagePath), std::move(head)), start);
}
