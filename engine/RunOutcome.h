#pragma once
// How a conversion run ended. The engine reports, its callers word the messages.
#include <cstdint>
#include <string>

struct RunOutcome {
    enum Kind { Finished, StoppedByUser, FileError };

    Kind kind = Finished;
    // FileError: the file that could not be opened, read, created or written.
    // StoppedByUser: the existing page the user chose to keep; empty when the
    // run was stopped between two files.
    std::string file;
    // FileError: the system's own description of the cause.
    std::string reason;
    // Pages written before the run ended, whatever the outcome.
    std::uint64_t pagesWritten = 0;

    // One line for a log or a terminal: "<file>: <reason>" for a file error.
    std::string Describe() const;
};
