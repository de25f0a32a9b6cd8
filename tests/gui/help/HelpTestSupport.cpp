#include "HelpTestSupport.h"

#include <stdexcept>

#include "HtmlHelpLoader.h"

namespace helptest {

std::string ProgramFolder()
{
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

std::string FakeWithEntryPath() { return ProgramFolder() + "help_fake_with_entry.dll"; }
std::string FakeWithoutEntryPath() { return ProgramFolder() + "help_fake_without_entry.dll"; }

std::string SystemHtmlHelpPath()
{
    char folder[MAX_PATH];
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    return std::string(folder, length) + "\\hhctrl.ocx";
}

std::string ModulePath(HMODULE module)
{
    char path[MAX_PATH];
    const DWORD length = module ? GetModuleFileNameA(module, path, MAX_PATH) : 0;
    return std::string(path, length);
}

bool SamePath(const std::string& a, const std::string& b)
{
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

bool IsLoaded(const std::string& fullPath) { return GetModuleHandleA(fullPath.c_str()) != nullptr; }

bool AnyHtmlHelpLibraryLoaded() { return GetModuleHandleA(kHtmlHelpLibraryName) != nullptr; }

const FakeHtmlHelpCall* FakeRecord(HMODULE module)
{
    auto lastCall = reinterpret_cast<FakeHtmlHelpLastCallProc>(
        reinterpret_cast<void*>(GetProcAddress(module, FAKE_HTML_HELP_LAST_CALL)));
    return lastCall ? lastCall() : nullptr;
}

// ---------------------------------------------------------------------------

namespace {

class Key {
public:
    ~Key()
    {
        if (m_hKey)
            RegCloseKey(m_hKey);
    }
    HKEY* Receive() { return &m_hKey; }
    HKEY Get() const { return m_hKey; }

private:
    HKEY m_hKey = nullptr;
};

void Check(LSTATUS status, const char* what)
{
    if (status != ERROR_SUCCESS) {
        // A test that cannot set up its registry state must not go on silently.
        char text[160];
        wsprintfA(text, "%s failed with %ld", what, static_cast<long>(status));
        throw std::runtime_error(text);
    }
}

}  // namespace

ScopedClassIdKey::ScopedClassIdKey()
{
    Key key;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, kHtmlHelpClassIdKey, 0, KEY_READ, key.Receive()) != ERROR_SUCCESS)
        return;
    m_bExisted = true;
    for (DWORD index = 0;; ++index) {
        char name[256];
        DWORD nameLength = sizeof(name);
        DWORD type = 0;
        DWORD size = 0;
        if (RegEnumValueA(key.Get(), index, name, &nameLength, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
            break;
        Value value{std::string(name, nameLength), type, std::vector<BYTE>(size)};
        nameLength = sizeof(name);
        RegEnumValueA(key.Get(), index, name, &nameLength, nullptr, &type, value.data.data(), &size);
        value.data.resize(size);
        m_values.push_back(std::move(value));
    }
}

ScopedClassIdKey::~ScopedClassIdKey()
{
    RegDeleteKeyA(HKEY_CLASSES_ROOT, kHtmlHelpClassIdKey);
    if (!m_bExisted)
        return;
    Key key;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, kHtmlHelpClassIdKey, 0, nullptr, 0, KEY_WRITE, nullptr,
                        key.Receive(), nullptr) != ERROR_SUCCESS)
        return;
    for (const Value& value : m_values)
        RegSetValueExA(key.Get(), value.name.empty() ? nullptr : value.name.c_str(), 0, value.type,
                       value.data.data(), static_cast<DWORD>(value.data.size()));
}

void ScopedClassIdKey::Remove()
{
    const LSTATUS status = RegDeleteKeyA(HKEY_CLASSES_ROOT, kHtmlHelpClassIdKey);
    if (status != ERROR_FILE_NOT_FOUND)
        Check(status, "deleting the class-id key");
}

void ScopedClassIdKey::SetDefault(const std::string& text, DWORD type)
{
    std::vector<BYTE> bytes(text.begin(), text.end());
    bytes.push_back(0);
    SetDefaultBytes(type, bytes);
}

void ScopedClassIdKey::SetDefaultBytes(DWORD type, const std::vector<BYTE>& bytes)
{
    Key key;
    Check(RegCreateKeyExA(HKEY_CLASSES_ROOT, kHtmlHelpClassIdKey, 0, nullptr, 0, KEY_WRITE, nullptr,
                          key.Receive(), nullptr),
          "creating the class-id key");
    Check(RegSetValueExA(key.Get(), nullptr, 0, type, bytes.data(), static_cast<DWORD>(bytes.size())),
          "setting the class-id key's value");
}

void ScopedClassIdKey::RemoveDefault()
{
    Key key;
    Check(RegCreateKeyExA(HKEY_CLASSES_ROOT, kHtmlHelpClassIdKey, 0, nullptr, 0, KEY_WRITE, nullptr,
                          key.Receive(), nullptr),
          "creating the class-id key");
    const LSTATUS status = RegDeleteValueA(key.Get(), nullptr);
    if (status != ERROR_FILE_NOT_FOUND)
        Check(status, "deleting the class-id key's value");
}

// ---------------------------------------------------------------------------

PlantedFile::PlantedFile(const std::string& source, const std::string& target) : m_path(target)
{
    m_bPlanted = CopyFileA(source.c_str(), target.c_str(), FALSE) != FALSE;
}

PlantedFile::~PlantedFile()
{
    if (!m_bPlanted)
        return;
    // A loader that wrongly ran the planted copy holds it open; let go of it,
    // so it does not stay beside the program for every later run.
    while (HMODULE loaded = GetModuleHandleA(m_path.c_str())) {
        if (!FreeLibrary(loaded))
            break;
    }
    DeleteFileA(m_path.c_str());
}

TempFolder::TempFolder()
{
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    for (unsigned attempt = GetCurrentProcessId();; ++attempt) {
        char name[MAX_PATH];
        wsprintfA(name, "%stessiva-help-%u", base, attempt);
        if (CreateDirectoryA(name, nullptr)) {
            m_path = std::string(name) + "\\";
            return;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            throw std::runtime_error("cannot create a temporary folder");
    }
}

TempFolder::~TempFolder()
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((m_path + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileA((m_path + found.cFileName).c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(m_path.c_str());
}

ScopedCurrentDirectory::ScopedCurrentDirectory(const std::string& folder)
{
    char previous[MAX_PATH];
    m_previous.assign(previous, GetCurrentDirectoryA(MAX_PATH, previous));
    SetCurrentDirectoryA(folder.c_str());
}

ScopedCurrentDirectory::~ScopedCurrentDirectory() { SetCurrentDirectoryA(m_previous.c_str()); }

}  // namespace helptest
