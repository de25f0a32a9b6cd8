#pragma once
// index.htm: one link per written page, appended in the order the pages are
// written, never emptied or rewritten.
#include <string>
#include <string_view>

#include "PlatformFiles.h"

// outputFolder + separator + "index.htm".
std::string IndexPath(const std::string& outputFolder);

// The page's address relative to index.htm, as a browser follows it: the part of
// pagePath after outputFolder and its separator, with backslashes as "/" and the
// bytes that would end, cut or change a URL percent-encoded.
std::string IndexAddress(std::string_view outputFolder, std::string_view pagePath);

// "<a href=\"" + address + "\">" + head + "</a><br>"; the head is not escaped.
// Made in the head's own string, which a huge head need not be copied out of.
std::string MakeIndexEntry(std::string_view address, std::string head);

// Appends the entry for this page (its head in UTF-8), after a line that
// declares UTF-8 when the index is new; on failure the index is left as it was.
platform::FileResult AppendIndexEntry(const std::string& outputFolder, const std::string& pagePath,
                                      std::string head);
