#pragma once
// Scratch folders and whole-file helpers for the engine tests, in the platform's
// own path form (backslashes in the Windows build).
#include <string>
#include <vector>

#include "PlatformFiles.h"

// A fresh empty folder, removed with everything in it when the object goes.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& Path() const { return m_path; }  // no trailing separator
    std::string operator/(const std::string& name) const { return m_path + platform::kPathSeparator + name; }
    std::string WithSeparator() const { return m_path + platform::kPathSeparator; }
    std::vector<std::string> Names() const;  // sorted entries

private:
    std::string m_path;
};

std::vector<std::string> NamesIn(const std::string& folder);  // sorted entries
void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);  // throws when the file cannot be read
bool Exists(const std::string& path);
void MakeFolder(const std::string& path);
void RemoveAll(const std::string& path);
