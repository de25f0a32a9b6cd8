#include "RunOutcome.h"

std::string RunOutcome::Describe() const {
    switch (kind) {
    case Finished:
        return "The work has been finished! Thank you for using!";
    case StoppedByUser:
        return file.empty() ? "stopped" : "stopped: " + file + " was kept";
    case FileError:
        break;
    }
    return file.empty() ? reason : file + ": " + reason;
}
