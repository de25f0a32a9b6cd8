#pragma once
// One conversion run: the template is read once, then every listed text file
// becomes a numbered page, with an optional link to it in index.htm.
#include <atomic>
#include <cstddef>
#include <functional>
#include <string>

#include "ConversionJob.h"
#include "FileAccess.h"
#include "RunOutcome.h"

// Asked before a page replaces an existing file; true means replace it.
using ConfirmOverwrite = std::function<bool(const std::string& pagePath)>;

// Told before each listed file is read: its position in the list and its name.
using RunProgress = std::function<void(std::size_t index, const std::string& inputFile)>;

// programFolder ends in a separator; the template is programFolder + templateName.
// `stop`, when given, is looked at before each listed file: once it is set the run
// ends there with StoppedByUser, every page written so far and its index entry kept.
RunOutcome RunConversion(const ConversionJob& job, const std::string& programFolder,
                         const ConfirmOverwrite& confirmOverwrite,
                         const RunProgress& progress = RunProgress(),
                         const std::atomic<bool>* stop = nullptr);

// What a run of `job` makes to be looked at first: index.htm when it writes
// one, else its first page.
std::string ResultPage(const ConversionJob& job);

// outputPath with one trailing separator removed.
std::string OutputFolder(const std::string& outputPath);

// outputFolder + separator + outputName + the number in decimal + ".htm".
std::string PagePath(const std::string& outputFolder, const std::string& outputName,
                     long long number);
