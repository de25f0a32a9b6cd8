#include "TemplateFilling.h"

#include "FileAccess.h"
#include "LegacyCharset.h"
#include "ReplaceAll.h"
#include "TextEncoding.h"
#include "TextToHtml.h"

namespace {

constexpr std::string_view kBody = "$body";

// The template with "$charset" filled for this head and body, the system's
// legacy set standing for texts that are not UTF-8.
std::string WithCharset(std::string_view templateText, std::string_view head, std::string_view body) {
    if (FindOccurrences(templateText, "$charset").empty())
        return std::string(templateText);
    const bool utf8 = IsValidUtf8(head) && IsValidUtf8(body);
    return FillCharset(templateText, utf8 ? std::string("utf-8") : SystemLegacyCharset());
}

}  // namespace

// The body, which is large, goes in last and on its own.
std::string FillAllButBody(std::string_view templateText, std::string_view head,
                           std::string_view keywords, std::string_view description,
                           std::string_view homeLink) {
    std::string page = ReplaceAll(templateText, "$head", head);
    page = ReplaceAll(page, "$keyword", keywords);
    page = ReplaceAll(page, "$description", description);
    return ReplaceAll(page, "$website", homeLink);
}

std::string FillCharset(std::string_view templateText, std::string_view charset) {
    return ReplaceAll(templateText, "$charset", charset);
}

platform::FileResult LoadTemplate(const std::string& programFolder, const std::string& templateName,
                                  std::string& templateText) {
    return ReadTextFile(programFolder + templateName, templateText);
}

std::string MakeHomeLink(std::string_view homeTitle, std::string_view homeUrl) {
    std::string link;
    link.reserve(homeTitle.size() + homeUrl.size() + 13);
    link.append("<a href=").append(homeUrl).append(">").append(homeTitle).append("</a>");
    return link;
}

std::string FillTemplate(std::string_view templateText, std::string_view head, std::string_view body,
                         std::string_view keywords, std::string_view description,
                         std::string_view homeLink) {
    return ReplaceAll(FillAllButBody(WithCharset(templateText, head, body), head, keywords, description, homeLink),
                      kBody, body);
}

void WritePage(std::string_view templateText, std::string_view head, std::string_view rawBody,
               std::string_view keywords, std::string_view description, std::string_view homeLink,
               OutputBuffer& out) {
    const std::string page =
        FillAllButBody(WithCharset(templateText, head, rawBody), head, keywords, description, homeLink);
    const std::string_view text = page;
    std::size_t from = 0;
    for (const std::size_t at : FindOccurrences(text, kBody)) {
        out.Append(text.substr(from, at - from));
        WriteHtmlBody(rawBody, out);
        from = at + kBody.size();
    }
    out.Append(text.substr(from));
}

std::string BuildPage(std::string_view templateText, std::string_view head, std::string_view rawBody,
                      std::string_view keywords, std::string_view description,
                      std::string_view homeLink) {
    std::string page;
    StringSink sink(page);
    OutputBuffer buffer(sink, 64 * 1024);
    WritePage(templateText, head, rawBody, keywords, description, homeLink, buffer);
    buffer.Finish();
    return page;
}
