#pragma once
// The snapshot of the three wizard steps that one conversion run works from.
#include <cstdint>
#include <string>
#include <vector>

struct ConversionJob {
    std::vector<std::string> inputFiles;        // text files, converted in this order
    std::string templateName = "templet1.htm";  // relative to the program folder
    std::string keywords;                       // text for "$keyword"
    std::string description;                    // text for "$description"
    std::string outputPath;                     // folder for the pages and index.htm
    std::string outputName;                     // base name of every page
    std::int32_t startNumber = 0;               // number of the first page
    bool createIndex = false;                   // append one link per page to index.htm
    std::string homeTitle;                      // link text of "$website"
    std::string homeUrl;                        // link target of "$website"
    std::string legacyCharset;                  // of texts not in UTF-8; empty: the system's
};
