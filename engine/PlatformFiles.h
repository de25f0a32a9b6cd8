#pragma once
// The engine's only contact with the file system: a handful of calls, implemented
// once over Win32 (PlatformFilesWin32.cpp) and once over POSIX
// (PlatformFilesPosix.cpp). Every failure comes back with the system's own wording.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "OutputBuffer.h"

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

// A file read piece after piece, held open read-only until closed; others may
// read it meanwhile.
class InputFile {
public:
    InputFile() = default;
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    FileResult Open(const std::string& path);
    // Fills up to `size` bytes; `got` is 0 at the end of the file.
    FileResult Read(char* data, std::size_t size, std::size_t& got);
    void Close();

private:
    std::string m_path;
    std::intptr_t m_handle = -1;  // a descriptor or a HANDLE, by platform
};

// A page on its way to disk: its bytes go into a new hidden file beside `path`,
// which takes the place of `path` only once complete. So a failed write leaves
// neither a half-written page nor a lost old one. Failures name `path`. The side
// file is held so that RemoveLeftoversBeside can tell it from one a killed run left.
class ReplacingFile : public ByteSink {
public:
    ReplacingFile() = default;
    ~ReplacingFile() override;  // a file beside that was not committed is removed
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    FileResult Open(const std::string& path);
    bool Put(const char* data, std::size_t size) override;  // false from the first failure on
    FileResult Commit();

private:
    void Discard();

    std::string m_path;
    std::string m_side;
    std::intptr_t m_handle = -1;  // a descriptor or a HANDLE, by platform
    unsigned long m_error = 0;    // the first write failure's system code
};

// Open, one Put and Commit.
inline FileResult WriteFileReplacing(const std::string& path, std::string_view bytes) {
    ReplacingFile file;
    if (FileResult failure = file.Open(path))
        return failure;
    file.Put(bytes.data(), bytes.size());
    return file.Commit();
}

// Adds the bytes at the end of the file, creating it when missing. All or nothing:
// on failure the file is left exactly as it was (or absent, if it was absent).
// Safe while other processes append to the same file: no bytes are lost or mixed.
// `startIfEmpty` goes in front of the bytes when the file is empty (or new), decided
// under the same lock, so that only the first of several runs writes it.
FileResult AppendToFile(const std::string& path, std::string_view bytes, std::string_view startIfEmpty = {});

// Removes the side files that runs no longer alive left in the folder of `path`.
// Those of live runs stay.
void RemoveLeftoversBeside(const std::string& path);

// True when a file or folder of exactly this name exists. Keeps nothing open.
bool PathExists(const std::string& path);

// The system's wording for running out of memory, for a file too big to hold.
std::string OutOfMemoryReason();

// The folder of the running executable, ending in a separator; empty if unknown.
std::string ProgramFolder();

}  // namespace platform
