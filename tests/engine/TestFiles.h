#pragma once
// Scratch folders, whole-file helpers and an engine run for the tests, in the
// platform's own path form (backslashes in the Windows build).
#include <gtest/gtest.h>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>
#include "IndexFile.h"  // what a new index begins with
#include "PlatformFiles.h"
#include "RunConversion.h"

using Names = std::vector<std::string>;
inline const std::string kSep(1, platform::kPathSeparator);
inline void MakeFolder(const std::string& path) { std::filesystem::create_directories(path); }
inline void RemoveAll(const std::string& path) { std::filesystem::remove_all(path); }

inline Names NamesIn(const std::string& folder) {  // sorted
    Names names;
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

// Polls with a bound: true once `holds` does.
template <class Condition> bool WaitFor(Condition holds) {
    for (const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(30); !holds();
         std::this_thread::sleep_for(std::chrono::milliseconds(1)))
        if (std::chrono::steady_clock::now() > until)
            return false;
    return true;
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
    std::string operator/(const std::string& name) const { return m_path + kSep + name; }
    std::string WithSeparator() const { return m_path + kSep; }
    std::string Name() const { return std::filesystem::path(m_path).filename().string(); }
    std::vector<std::string> Names() const { return NamesIn(m_path); }
private:
    std::string m_path;
};

// An engine run from scratch folders: the program's (its templates), the texts' and the
// pages'. Answers come in turn ('y' or 'n'), yes once they run out; every file started is told.
class EngineRun : public ::testing::Test {
protected:
    std::string Input(const std::string& name, const std::string& text) {
        return WriteBytes(in / name, text), in / name;
    }
    RunOutcome Start() {
        const auto answer = [this](const std::string& pagePath) {
            asked.push_back(pagePath);
            const bool yes = answers.empty() || answers[0] == 'y';
            return answers.erase(0, answers.empty() ? 0 : 1), yes;
        };
        return RunConversion(job, program.WithSeparator(), answer, [this](std::size_t index, const std::string& file) {
            told.push_back(std::to_string(index) + ":" + file);
        });
    }
    ScratchFolder program, in, out;
    ConversionJob job{{}, "t.htm", "", "", out.Path(), "p", 0, false};
    Names asked, told;
    std::string answers;
};
