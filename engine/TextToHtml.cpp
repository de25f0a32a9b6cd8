#include "TextToHtml.h"

#include <cstring>

#include "BodyScan.h"

namespace {

constexpr std::string_view kSpacePair = "&nbsp;&nbsp;";
constexpr std::string_view kLineBreak = "\n<br>";

std::size_t SpaceRunLength(const char* p, const char* end) {
    const char* q = p;
    while (q < end && *q == ' ')
        ++q;
    return static_cast<std::size_t>(q - p);
}

}  // namespace

HeadAndBody SplitHeadAndBody(std::string_view text) {
    const std::size_t lineFeed = text.find('\n');
    if (lineFeed == std::string_view::npos)
        return {std::string_view(), text};
    std::size_t headLength = lineFeed;
    if (headLength > 0 && text[headLength - 1] == '\r')
        --headLength;
    return {text.substr(0, headLength), text.substr(lineFeed + 1)};
}

HtmlBody::HtmlBody(std::string_view body) : m_body(body), m_size(body.size()) {
    const char* p = body.data();
    const char* const end = p + body.size();
    while ((p = FindBodyMark(p, end)) != end) {
        if (*p == '\n') {
            m_size += kLineBreak.size() - 1;
            ++p;
        } else {
            const std::size_t run = SpaceRunLength(p, end);
            m_size += (run / 2) * (kSpacePair.size() - 2);
            p += run;
        }
    }
}

char* HtmlBody::WriteTo(char* out) const {
    const char* p = m_body.data();
    const char* const end = p + m_body.size();
    for (;;) {
        const char* mark = FindBodyMark(p, end);
        std::memcpy(out, p, static_cast<std::size_t>(mark - p));
        out += mark - p;
        if (mark == end)
            return out;
        if (*mark == '\n') {
            std::memcpy(out, kLineBreak.data(), kLineBreak.size());
            out += kLineBreak.size();
            p = mark + 1;
        } else {
            const std::size_t run = SpaceRunLength(mark, end);
            for (std::size_t i = 0; i < run / 2; ++i) {
                std::memcpy(out, kSpacePair.data(), kSpacePair.size());
                out += kSpacePair.size();
            }
            if (run % 2)
                *out++ = ' ';
            p = mark + run;
        }
    }
}

std::string MakeHtmlBody(std::string_view body) {
    const HtmlBody html(body);
    std::string result(html.size(), '\0');
    html.WriteTo(&result[0] + 0);
    return result;
}
