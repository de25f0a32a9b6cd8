#pragma once
// Pages are copies of one HTML template whose six placeholders are filled in.
#include <string>
#include <string_view>

#include "OutputBuffer.h"
#include "PlatformFiles.h"

// Reads programFolder + templateName (nothing inserted between them) by the
// reading rule.
platform::FileResult LoadTemplate(const std::string& programFolder, const std::string& templateName,
                                  std::string& templateText);

// "<a href=" + homeUrl + ">" + homeTitle + "</a>", nothing quoted or escaped.
std::string MakeHomeLink(std::string_view homeTitle, std::string_view homeUrl);

// Replaces "$charset" by the text's character set (utf-8 when head and body are
// valid UTF-8, otherwise the system's legacy set), then, in this order, "$head", "$keyword", "$description", "$website" and
// "$body". Later steps see what earlier ones inserted; the body, inserted last,
// keeps any placeholder word it holds.
std::string FillTemplate(std::string_view templateText, std::string_view head, std::string_view body,
                         std::string_view keywords, std::string_view description,
                         std::string_view homeLink);

// "$charset" replaced by the page's character set. Done before the other steps,
// so that a text's own words are never taken for it.
std::string FillCharset(std::string_view templateText, std::string_view charset);

// Steps one to four of FillTemplate: everything but the body.
std::string FillAllButBody(std::string_view templateText, std::string_view head,
                           std::string_view keywords, std::string_view description,
                           std::string_view homeLink);

// FillTemplate with MakeHtmlBody(rawBody) as the body, written piece by piece:
// the marked-up body never exists whole, so a page costs no memory of its size.
void WritePage(std::string_view templateText, std::string_view head, std::string_view rawBody,
               std::string_view keywords, std::string_view description, std::string_view homeLink,
               OutputBuffer& out);

// WritePage into a string.
std::string BuildPage(std::string_view templateText, std::string_view head, std::string_view rawBody,
                      std::string_view keywords, std::string_view description,
                      std::string_view homeLink);
