#pragma once
// What the user typed (keywords, description, the home link's title and address,
// all in UTF-8) as a page holds it: in the page's own encoding.
#include <string>

#include "ConversionJob.h"

struct PageValues {
    std::string keywords;     // for "$keyword"
    std::string description;  // for "$description"
    std::string homeLink;     // for "$website"
};

// For a page in "utf-8", the values as typed. For a page in a legacy set, the
// texts converted to it, with numeric character references for what it cannot
// hold, and the address with its non-ASCII bytes percent-encoded (as UTF-8,
// which is how browsers read an address's path).
PageValues ValuesForPage(const ConversionJob& job, const std::string& charset);
