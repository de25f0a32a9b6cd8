#pragma once
// Shared by the help suite: the loader's registry key, planted files, folders,
// and the stand-in libraries that record how the loader called them.

#include <windows.h>

#include <string>
#include <vector>

#include "FakeHtmlHelp.h"

namespace helptest {

// The folder of this test program, ending in a backslash. The build puts the
// stand-in libraries and tessiva.chm there, as it does beside tessiva.exe.
std::string ProgramFolder();
std::string FakeWithEntryPath();     // stand-in exporting ordinal 14
std::string FakeWithoutEntryPath();  // stand-in lacking ordinal 14
std::string SystemHtmlHelpPath();    // the control in the system folder
std::string ModulePath(HMODULE module);
bool SamePath(const std::string& a, const std::string& b);
bool IsLoaded(const std::string& fullPath);
// Whether any library named hhctrl.ocx is loaded, from wherever it came.
bool AnyHtmlHelpLibraryLoaded();
// The stand-in's record of its last call; nullptr when `module` is no stand-in.
const FakeHtmlHelpCall* FakeRecord(HMODULE module);

// Takes a copy of the control's class-id key (every value of it) and puts it
// back on destruction, so tests may change or remove it.
class ScopedClassIdKey {
public:
    ScopedClassIdKey();
    ~ScopedClassIdKey();
    ScopedClassIdKey(const ScopedClassIdKey&) = delete;
    ScopedClassIdKey& operator=(const ScopedClassIdKey&) = delete;

    void Remove();
    void SetDefault(const std::string& text, DWORD type = REG_SZ);
    void SetDefaultBytes(DWORD type, const std::vector<BYTE>& bytes);
    void RemoveDefault();  // the key stays, without a default value

private:
    struct Value {
        std::string name;
        DWORD type;
        std::vector<BYTE> data;
    };
    bool m_bExisted = false;
    std::vector<Value> m_values;
};

// A copy of `source` at `target`, deleted again on destruction.
class PlantedFile {
public:
    PlantedFile(const std::string& source, const std::string& target);
    ~PlantedFile();
    PlantedFile(const PlantedFile&) = delete;
    PlantedFile& operator=(const PlantedFile&) = delete;
    const std::string& Path() const { return m_path; }
    bool Planted() const { return m_bPlanted; }

private:
    std::string m_path;
    bool m_bPlanted = false;
};

// A fresh empty folder under the temporary folder, removed with its files.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& Path() const { return m_path; }  // ends in a backslash

private:
    std::string m_path;
};

class ScopedCurrentDirectory {
public:
    explicit ScopedCurrentDirectory(const std::string& folder);
    ~ScopedCurrentDirectory();
    ScopedCurrentDirectory(const ScopedCurrentDirectory&) = delete;
    ScopedCurrentDirectory& operator=(const ScopedCurrentDirectory&) = delete;

private:
    std::string m_previous;
};

}  // namespace helptest
