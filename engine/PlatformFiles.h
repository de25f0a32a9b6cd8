#pragma once
// The engine's only contact with the file system: a handful of calls, implemented
// once over Win32 (PlatformFilesWin32.cpp) and once over POSIX
// (PlatformFilesPosix.cpp). Every failure comes back with the system's own wording.
#include <optional>
#include <string>
#include <string_view>

namespace platform {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

struct FileFailure {
    std::string path;    // the file the failure is about
    std::string reason;  // the system's description of the cause
};
// Empty on success.
using FileResult = std::optional<FileFailure>;

// Opens the file read-only and unshared, takes its length and reads that many bytes.
FileResult ReadWholeFile(const std::string& path, std::string& bytes);

// Writes the bytes into a new file beside `path` and then puts it in place of
// `path`, so that a failed write leaves neither a half-written file nor a lost old
// one. A failure names `path`.
FileResult WriteFileReplacing(const std::string& path, std::string_view bytes);

// Adds the bytes at the end of the file, creating it when missing. All or nothing:
// on failure the file is left exactly as it was (or absent, if it was absent).
FileResult AppendToFile(const std::string& path, std::string_view bytes);

// True when a file or folder of exactly this name exists. Keeps nothing open.
bool PathExists(const std::string& path);

// The system's wording for running out of memory, for a file too big to hold.
std::string OutOfMemoryReason();

// The folder of the running executable, ending in a separator; empty if unknown.
std::string ProgramFolder();

}  // namespace platform
