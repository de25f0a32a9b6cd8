#pragma once
// The command line of tessiva-batch, turned into a conversion job.
#include <string>
#include <vector>

#include "ConversionJob.h"

enum class OverwriteMode { Ask, Yes, No };

struct BatchOptions {
    ConversionJob job;
    // Where the template name is looked up: the program folder for --template,
    // nothing for --template-file, whose path is used as it is.
    bool templateIsPath = false;
    OverwriteMode overwrite = OverwriteMode::No;
    bool overwriteGiven = false;
    bool showHelp = false;
    bool showVersion = false;
};

struct ParsedArguments {
    BatchOptions options;
    std::string error;  // empty when the arguments are usable
};

// Accepts "--flag value" and "--flag=value"; "--" ends the options.
ParsedArguments ParseArguments(const std::vector<std::string>& arguments);

extern const char kUsage[];
