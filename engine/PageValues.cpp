#include "PageValues.h"

#include "LegacyCharset.h"
#include "TemplateFilling.h"

namespace {

// Only what an address may hold; the rest of it stays as typed ("%20" too).
std::string AsciiAddress(const std::string& url) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string address;
    address.reserve(url.size());
    for (const char c : url) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            address += c;
        } else {
            address += '%';
            address += kHex[byte >> 4];
            address += kHex[byte & 15];
        }
    }
    return address;
}

}  // namespace

PageValues ValuesForPage(const ConversionJob& job, const std::string& charset) {
    if (charset == "utf-8")
        return {job.keywords, job.description, MakeHomeLink(job.homeTitle, job.homeUrl)};
    return {Utf8ToLegacy(job.keywords, charset), Utf8ToLegacy(job.description, charset),
            MakeHomeLink(Utf8ToLegacy(job.homeTitle, charset), AsciiAddress(job.homeUrl))};
}
