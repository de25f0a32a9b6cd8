#include "TemplateFilling.h"

#include "FileAccess.h"
#include "ReplaceAll.h"
#include "TextToHtml.h"

namespace {

// Steps one to four; the body, which is large, goes in last and only once.
std::string FillAllButBody(std::string_view templateText, std::string_view head,
                           std::string_view keywords, std::string_view description,
                           std::string_view homeLink) {
    std::string page = ReplaceAll(templateText, "$head", head);
    page = ReplaceAll(page, "$keyword", keywords);
    page = ReplaceAll(page, "$description", description);
    return ReplaceAll(page, "$website", homeLink);
}

}  // namespace

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
    const std::string page = FillAllButBody(templateText, head, keywords, description, homeLink);
    return ReplaceAll(page, "$body", body);
}

std::string BuildPage(std::string_view templateText, std::string_view head, std::string_view rawBody,
                      std::string_view keywords, std::string_view description,
                      std::string_view homeLink) {
    const std::string page = FillAllButBody(templateText, head, keywords, description, homeLink);
    if (page.find("$body") == std::string::npos)
        return page;  // no need to look at the body at all
    return ReplaceAll(page, "$body", HtmlBody(rawBody));
}
