#pragma once
// Scratch folders and whole-file helpers for the engine tests, in the platform's
// own path form (backslashes in the Windows build).
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>
#include "PlatformFiles.h"

inline void MakeFolder(const std::string& path) { std::filesystem::create_directories(path); }
inline void RemoveAll(const std::string& path) { std::filesystem::remove_all(path); }

inline std::vector<std::string> NamesIn(const std::string& folder) {  // sorted
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

inline std::string ReadBytes(const std::string& path) {  // empty when the file cannot be read
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A fresh empty folder, removed with everything in it when the object goes.
class ScratchFolder {
public:
    ScratchFolder() {
        static unsigned counter = 0;  // with the time, unique across processes too
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        m_path = (std::filesystem::temp_directory_path() /
                  ("tessiva-test-" + std::to_string(stamp) + "-" + std::to_string(counter++))).string();
        MakeFolder(m_path);
    }
    ~ScratchFolder() { std::error_code ignored; std::filesystem::remove_all(m_path, ignored); }
    ScratchFolder(const ScratchFolder&) = delete;
    const std::string& Path() const { return m_path; }  // no trailing separator
    std::string operator/(const std::string& name) const { return m_path + platform::kPathSeparator + name; }
    std::string WithSeparator() const { return m_path + platform::kPathSeparator; }
    std::vector<std::string> Names() const { return NamesIn(m_path); }
private:
    std::string m_path;
};
