// tessiva-batch: converts text files into web pages from the command line, with
// the same engine, rules and messages as the wizard.
#include <cstdio>
#include <string>
#include <vector>

#include "BatchOptions.h"
#include "OverwritePrompt.h"
#include "PageNames.h"
#include "PlatformFiles.h"
#include "ProgressLine.h"
#include "RunConversion.h"
#include "Terminal.h"

namespace {

enum ExitStatus { kFinished = 0, kStopped = 1, kFileError = 2, kUsageError = 64 };

void Report(const std::string& line) {
    WriteText(stderr, "tessiva-batch: " + line + "\n");
}

std::string Pages(std::uint64_t count) {
    return std::to_string(count) + (count == 1 ? " page" : " pages");
}

}  // namespace

int main(int argc, char** argv) {
    const ParsedArguments parsed = ParseArguments(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.error.empty()) {
        Report(parsed.error + " (see tessiva-batch --help)");
        return kUsageError;
    }
    const BatchOptions& options = parsed.options;
    if (options.showHelp) {
        WriteText(stdout, kUsage);
        return kFinished;
    }
    if (options.showVersion) {
        WriteText(stdout, std::string("tessiva-batch ") + TESSIVA_VERSION + "\n");
        return kFinished;
    }

    OverwriteMode overwrite = options.overwrite;
    if (!options.overwriteGiven)
        overwrite = StandardInputIsTerminal() ? OverwriteMode::Ask : OverwriteMode::No;

    const ConversionJob& job = options.job;
    if (const platform::FileResult refused = CheckPageNames(job, job.inputFiles.size())) {
        Report(refused->path + ": " + refused->reason);
        return kUsageError;
    }
    ProgressLine progress(StandardErrorIsTerminal());
    const ConfirmOverwrite confirm = [&](const std::string& pagePath) {
        switch (overwrite) {
        case OverwriteMode::Yes:
            return true;
        case OverwriteMode::No:
            return false;
        case OverwriteMode::Ask:
            break;
        }
        progress.Clear();
        return AskOverwrite(pagePath, stdin, stderr);
    };
    const RunProgress showProgress = [&](std::size_t index, const std::string& file) {
        progress.Show(index, job.inputFiles.size(), file);
    };

    const std::string programFolder = options.templateIsPath ? std::string() : platform::ProgramFolder();
    const RunOutcome outcome = RunConversion(job, programFolder, confirm, showProgress);
    progress.Clear();

    switch (outcome.kind) {
    case RunOutcome::Finished:
        Report(Pages(outcome.pagesWritten) + " written to " + job.outputPath);
        return kFinished;
    case RunOutcome::StoppedByUser:
        Report("stopped: " + outcome.file + " already exists and was kept (" +
               Pages(outcome.pagesWritten) + " written)");
        return kStopped;
    case RunOutcome::FileError:
        break;
    }
    Report(outcome.Describe());
    return kFileError;
}
