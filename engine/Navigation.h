#pragma once
// The links between the pages of one run: each page's neighbours, the index and
// where the page stands, for templates that join the pages into a site.
#include <cstddef>
#include <string>
#include <string_view>

struct PageNavigation {
    std::string prev;    // address of the page before, relative to this one; empty on the first
    std::string next;    // address of the page after; empty on the last
    std::string index;   // address of the output folder's index.htm
    std::string number;  // this page's number
    std::string count;   // how many texts the run converts
};

// Page `position` (from 0) of a run of `count` texts, numbered from startNumber,
// named outputName + number + ".htm" in outputFolder. outputName may lead into
// sub-folders; the index stays in outputFolder.
PageNavigation NavigatePage(std::string_view outputFolder, std::string_view outputName, long long startNumber,
                            std::size_t position, std::size_t count);

// True when the template holds any of "$prev", "$next", "$index", "$number", "$count".
bool UsesNavigation(std::string_view templateText);

// Those five replaced by their values. Done on the template alone, before the
// placeholders a text or a typed value fills: their words are never taken for
// these. The values hold no "$", so no later step finds a placeholder in them.
std::string FillNavigation(std::string_view templateText, const PageNavigation& navigation);
