#pragma once
// index.htm: one link per written page, appended in the order the pages are
// written, never emptied or rewritten.
#include <string>
#include <string_view>

#include "PlatformFiles.h"

// outputFolder + separator + "index.htm".
std::string IndexPath(const std::string& outputFolder);

// A relative path as an address a browser follows: separators as "/", and the
// bytes that would end, cut or change a URL percent-encoded.
std::string EncodeAddress(std::string_view relativePath);

// The page's address relative to index.htm: EncodeAddress of the part of
// pagePath after outputFolder and its separator.
std::string IndexAddress(std::string_view outputFolder, std::string_view pagePath);

// What a new index.htm begins with, so that it is a page of its own: UTF-8, fit
// for small screens, `title` (UTF-8, shown as typed) as its title and heading.
std::string MakeIndexStart(std::string_view title);

// "<a href=\"" + address + "\">" + head + "</a><br>"; the head is not escaped.
// Made in the head's own string, which a huge head need not be copied out of.
std::string MakeIndexEntry(std::string_view address, std::string head);

// Appends the entry for this page (its head in UTF-8), after `start` when the
// index is new; on failure the index is left as it was.
platform::FileResult AppendIndexEntry(const std::string& outputFolder, const std::string& pagePath,
                                      std::string head, std::string_view start);
