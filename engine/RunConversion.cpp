#include "RunConversion.h"

#include <new>

#include "CharsetNames.h"
#include "IndexFile.h"
#include "LegacyCharset.h"
#include "PageMaker.h"
#include "PageValues.h"
#include "TemplateFilling.h"
#include "TextEncoding.h"

namespace {

RunOutcome Failure(platform::FileFailure failure, std::uint64_t pagesWritten) {
    RunOutcome outcome;
    outcome.kind = RunOutcome::FileError;
    outcome.file = std::move(failure.path);
    outcome.reason = std::move(failure.reason);
    outcome.pagesWritten = pagesWritten;
    return outcome;
}

// The last name in the folder's path.
std::string FolderName(const std::string& folder) {
    const std::size_t cut = folder.find_last_of(std::string("/") + platform::kPathSeparator);
    return cut == std::string::npos ? folder : folder.substr(cut + 1);
}

// The title of a new index.htm, in UTF-8: the home title, else the output
// folder's name; bytes that are not UTF-8 are read in the legacy set.
std::string IndexTitle(const ConversionJob& job, const std::string& legacyCharset) {
    const std::string title = job.homeTitle.empty() ? FolderName(OutputFolder(job.outputPath)) : job.homeTitle;
    return IsValidUtf8(title) ? title : LegacyToUtf8(title, legacyCharset);
}

}  // namespace

std::string ResultPage(const ConversionJob& job) {
    const std::string outputFolder = OutputFolder(job.outputPath);
    return job.createIndex ? IndexPath(outputFolder) : PagePath(outputFolder, job.outputName, job.startNumber);
}

std::string OutputFolder(const std::string& outputPath) {
    if (!outputPath.empty() && outputPath.back() == platform::kPathSeparator)
        return outputPath.substr(0, outputPath.size() - 1);
    return outputPath;
}

std::string PagePath(const std::string& outputFolder, const std::string& outputName,
                     long long number) {
    return outputFolder + platform::kPathSeparator + outputName + std::to_string(number) + ".htm";
}

RunOutcome RunConversion(const ConversionJob& job, const std::string& programFolder,
                         const ConfirmOverwrite& confirmOverwrite, const RunProgress& progress,
                         const std::atomic<bool>* stop) {
    std::string templateText;
    if (platform::FileResult failure = LoadTemplate(programFolder, job.templateName, templateText))
        return Failure(std::move(*failure), 0);

    const std::string outputFolder = OutputFolder(job.outputPath);
    // The counter is the run's own and wide enough never to wrap: the page after
    // 2147483647 is 2147483648.
    long long currentNumber = job.startNumber;
    std::uint64_t pagesWritten = 0;
    // Named as pages declare it; a name no known set goes by stands for the system's.
    std::string legacyCharset = CanonicalCharset(job.legacyCharset);
    if (legacyCharset.empty())
        legacyCharset = SystemLegacyCharset();
    PageMaker maker(templateText, ValuesForPage(job, "utf-8"), ValuesForPage(job, legacyCharset), legacyCharset);
    const std::string indexStart = job.createIndex ? MakeIndexStart(IndexTitle(job, legacyCharset)) : std::string();
    // What killed runs left beside the pages goes before this run adds its own.
    platform::RemoveLeftoversBeside(PagePath(outputFolder, job.outputName, currentNumber));

    for (std::size_t index = 0; index < job.inputFiles.size(); ++index) {
        const std::string& inputFile = job.inputFiles[index];
        if (stop && stop->load()) {
            RunOutcome stopped;
            stopped.kind = RunOutcome::StoppedByUser;
            stopped.pagesWritten = pagesWritten;
            return stopped;
        }
        if (progress)
            progress(index, inputFile);
        const std::string pagePath = PagePath(outputFolder, job.outputName, currentNumber);
        try {
            const PageNavigation navigation = maker.Navigates() ? NavigatePage(outputFolder, job.outputName,
                                              job.startNumber, index, job.inputFiles.size()) : PageNavigation();
            switch (maker.Make(inputFile, pagePath, confirmOverwrite, navigation)) {
            case PageMaker::Written:
                break;
            case PageMaker::Kept: {
                RunOutcome stopped;
                stopped.kind = RunOutcome::StoppedByUser;
                stopped.file = pagePath;
                stopped.pagesWritten = pagesWritten;
                return stopped;
            }
            case PageMaker::Failed:
                return Failure(maker.Failure(), pagesWritten);
            }
            ++currentNumber;
            ++pagesWritten;
            if (job.createIndex) {
                if (platform::FileResult failure = AppendIndexEntry(outputFolder, pagePath, maker.TakeHead(), indexStart))
                    return Failure(std::move(*failure), pagesWritten);
            }
        } catch (const std::bad_alloc&) {
            // A text too big for memory ends the run like any other file that
            // cannot be handled, instead of tearing down the caller.
            return Failure(platform::FileFailure{inputFile, platform::OutOfMemoryReason()}, pagesWritten);
        }
    }
    RunOutcome finished;
    finished.pagesWritten = pagesWritten;
    return finished;
}
