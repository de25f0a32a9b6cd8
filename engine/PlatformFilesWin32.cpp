// The file layer over Win32: texts are opened for reading with read sharing, the
// index with sharing under a lock, side pages without sharing; failures carry the
// system's message text.
#include "PlatformFiles.h"
#include "SideFileName.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <atomic>
#include <cstring>
#include <vector>

namespace platform {
namespace {

std::string SystemText(DWORD error) {
    char* text = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string result;
    if (length != 0 && text) {
        result.assign(text, length);
        // The system ends its messages with a line break; a message box or a
        // terminal line adds its own.
        while (!result.empty() && (result.back() == '\r' || result.back() == '\n' || result.back() == ' '))
            result.pop_back();
    }
    if (text)
        LocalFree(text);
    if (result.empty())
        result = "system error " + std::to_string(error);
    return result;
}

std::wstring Wide(const std::string& text) {
    const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(length > 0 ? static_cast<std::size_t>(length) : 1, L'\0');
    if (length > 0)
        MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], length);
    wide.resize(wide.size() - 1);
    return wide;
}

// A path longer than the calls take, or a name longer than a file system holds,
// comes back from some of them as not found or as a bad name: its length is
// the cause the user can act on.
DWORD LengthAsCause(const std::string& path, DWORD error) {
    if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND && error != ERROR_INVALID_NAME)
        return error;
    const std::wstring wide = Wide(path);
    if (GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr) > MAX_PATH)
        return ERROR_FILENAME_EXCED_RANGE;
    std::size_t name = 0;
    for (const wchar_t c : wide) {
        name = (c == L'\\' || c == L'/') ? 0 : name + 1;
        if (name > 255)
            return ERROR_FILENAME_EXCED_RANGE;
    }
    return error;
}

FileFailure Failed(const std::string& path, DWORD error) {
    return FileFailure{path, SystemText(LengthAsCause(path, error))};
}

class Handle {
public:
    explicit Handle(HANDLE handle) : m_handle(handle) {}
    ~Handle() { Close(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE Get() const { return m_handle; }
    bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }
    DWORD Close() {
        DWORD result = ERROR_SUCCESS;
        if (m_handle != INVALID_HANDLE_VALUE && !CloseHandle(m_handle))
            result = GetLastError();
        m_handle = INVALID_HANDLE_VALUE;
        return result;
    }

private:
    HANDLE m_handle;
};

// ReadFile and WriteFile take 32-bit counts: large files go in pieces.
constexpr DWORD kPiece = 1u << 30;

DWORD WriteAll(HANDLE file, const char* data, std::size_t size) {
    while (size > 0) {
        const DWORD chunk = size < kPiece ? static_cast<DWORD>(size) : kPiece;
        DWORD written = 0;
        if (!WriteFile(file, data, chunk, &written, nullptr))
            return GetLastError();
        if (written == 0)
            return ERROR_DISK_FULL;
        data += written;
        size -= written;
    }
    return ERROR_SUCCESS;
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

constexpr char kSidePrefix[] = "~tessiva-";

// A name beside the target, with a random part since a process id alone repeats
// (under Wine the first process is always the same one). Created exclusively, so
// a name in use is simply retried.
std::string SideFileName(const std::string& target) {
    static std::atomic<unsigned long long> counter{0};
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    const unsigned long long bits = static_cast<unsigned long long>(now.QuadPart) ^
                                    (static_cast<unsigned long long>(GetCurrentProcessId()) << 40) ^
                                    (counter++ * 0x9E3779B97F4A7C15ULL);
    return FolderOf(target) + MakeSideFileName(kSidePrefix, GetCurrentProcessId(), bits);
}

// Another program holding a file a moment too long (a sharing violation or a
// lock) is waited out, up to a few seconds, instead of ending the run.
constexpr ULONGLONG kPatienceMs = 3000;

bool WorthWaiting(DWORD error, ULONGLONG since) {
    if ((error != ERROR_SHARING_VIOLATION && error != ERROR_LOCK_VIOLATION) ||
        GetTickCount64() - since >= kPatienceMs)
        return false;
    Sleep(10);
    return true;
}

HANDLE OpenWaitingOutOthers(const std::string& path, DWORD access, DWORD sharing, DWORD disposition,
                            DWORD flags) {
    const ULONGLONG since = GetTickCount64();
    for (;;) {
        const HANDLE file = CreateFileA(path.c_str(), access, sharing, nullptr, disposition, flags, nullptr);
        if (file != INVALID_HANDLE_VALUE)
            return file;
        const DWORD error = GetLastError();
        if (!WorthWaiting(error, since)) {
            SetLastError(error);
            return INVALID_HANDLE_VALUE;
        }
    }
}

// The index lock: one byte far beyond any data, so the lock never stands in
// the way of reading or writing the file itself.
OVERLAPPED IndexLockByte() {
    OVERLAPPED at{};
    at.OffsetHigh = 0x40000000;
    return at;
}

DWORD LockIndex(HANDLE file) {
    const ULONGLONG since = GetTickCount64();
    for (;;) {
        OVERLAPPED at = IndexLockByte();
        if (LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at))
            return ERROR_SUCCESS;
        const DWORD error = GetLastError();
        if (!WorthWaiting(error, since))
            return error;
    }
}

// Gives the open file its final name, replacing what is there; the file keeps
// its handle, so no one can take it between the last write and the rename.
DWORD RenameOpenFile(HANDLE file, const std::string& target) {
    const std::wstring relative = Wide(target);
    const DWORD needed = GetFullPathNameW(relative.c_str(), 0, nullptr, nullptr);
    if (needed == 0)
        return GetLastError();
    std::wstring full(needed, L'\0');
    full.resize(GetFullPathNameW(relative.c_str(), needed, &full[0], nullptr));
    const std::size_t bytes = full.size() * sizeof(wchar_t);
    std::vector<unsigned char> buffer(sizeof(FILE_RENAME_INFO) + bytes);
    auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    info->ReplaceIfExists = TRUE;
    info->RootDirectory = nullptr;
    info->FileNameLength = static_cast<DWORD>(bytes);
    std::memcpy(info->FileName, full.data(), bytes);
    if (!SetFileInformationByHandle(file, FileRenameInfo, info, static_cast<DWORD>(buffer.size())))
        return GetLastError();
    return ERROR_SUCCESS;
}

}  // namespace

InputFile::~InputFile() {
    Close();
}

void InputFile::Close() {
    if (m_handle != -1)
        CloseHandle(reinterpret_cast<HANDLE>(m_handle));
    m_handle = -1;
}

FileResult InputFile::Open(const std::string& path) {
    m_path = path;
    const HANDLE file = OpenWaitingOutOthers(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING,
                                             FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN);
    if (file == INVALID_HANDLE_VALUE)
        return Failed(path, GetLastError());
    m_handle = reinterpret_cast<std::intptr_t>(file);
    return std::nullopt;
}

FileResult InputFile::Read(char* data, std::size_t size, std::size_t& got) {
    got = 0;
    while (got < size) {
        const std::size_t left = size - got;
        const DWORD chunk = left < kPiece ? static_cast<DWORD>(left) : kPiece;
        DWORD n = 0;
        if (!ReadFile(reinterpret_cast<HANDLE>(m_handle), data + got, chunk, &n, nullptr))
            return Failed(m_path, GetLastError());
        if (n == 0)
            break;
        got += n;
    }
    return std::nullopt;
}

ReplacingFile::~ReplacingFile() {
    Discard();
}

void ReplacingFile::Discard() {
    if (m_handle != -1) {
        CloseHandle(reinterpret_cast<HANDLE>(m_handle));
        m_handle = -1;
    }
    if (!m_side.empty()) {
        DeleteFileA(m_side.c_str());
        m_side.clear();
    }
}

// The side file is held open unshared until it has its final name: a later run
// cannot remove it meanwhile, and removes those whose run died.
FileResult ReplacingFile::Open(const std::string& path) {
    Discard();
    m_path = path;
    m_error = 0;
    DWORD error = ERROR_FILE_EXISTS;
    for (int attempt = 0; attempt < 100 && (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS);
         ++attempt) {
        m_side = SideFileName(path);
        const HANDLE file = CreateFileA(m_side.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_HIDDEN, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            m_handle = reinterpret_cast<std::intptr_t>(file);
            return std::nullopt;
        }
        error = GetLastError();
    }
    error = LengthAsCause(m_side, error);  // the side file's name is the longer one
    m_side.clear();
    return Failed(path, error);
}

bool ReplacingFile::Put(const char* data, std::size_t size) {
    if (m_handle == -1 || m_error != 0)
        return false;
    m_error = WriteAll(reinterpret_cast<HANDLE>(m_handle), data, size);
    return m_error == ERROR_SUCCESS;
}

FileResult ReplacingFile::Commit() {
    if (m_handle == -1)
        return Failed(m_path, ERROR_INVALID_HANDLE);
    const HANDLE file = reinterpret_cast<HANDLE>(m_handle);
    DWORD error = m_error;
    if (error == ERROR_SUCCESS) {
        FILE_BASIC_INFO shown{};  // zero times stay as they are
        shown.FileAttributes = FILE_ATTRIBUTE_NORMAL;
        if (!SetFileInformationByHandle(file, FileBasicInfo, &shown, sizeof shown))
            error = GetLastError();
    }
    if (error == ERROR_SUCCESS)
        error = RenameOpenFile(file, m_path);
    const DWORD closeError = CloseHandle(file) ? ERROR_SUCCESS : GetLastError();
    m_handle = -1;
    if (error == ERROR_SUCCESS)
        error = closeError;
    if (error != ERROR_SUCCESS) {
        Discard();
        return Failed(m_path, error);
    }
    m_side.clear();
    return std::nullopt;
}

// Every entry is one write at the end (append access), under a lock held until
// any part of a failed one is taken back, so runs appending at once neither tear
// nor lose one. Others may open the file meanwhile.
FileResult AppendToFile(const std::string& path, std::string_view bytes, std::string_view startIfEmpty) {
    constexpr DWORD kSharing = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    for (;;) {
        Handle file(OpenWaitingOutOthers(path, FILE_APPEND_DATA | FILE_READ_ATTRIBUTES | DELETE | SYNCHRONIZE,
                                         kSharing, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL));
        if (!file.IsOpen())
            return Failed(path, GetLastError());
        // OPEN_ALWAYS tells whether the file was there: one we created goes again on failure.
        const bool created = GetLastError() != ERROR_ALREADY_EXISTS;
        if (const DWORD error = LockIndex(file.Get()))
            return Failed(path, error);
        FILE_STANDARD_INFO before{};
        if (!GetFileInformationByHandleEx(file.Get(), FileStandardInfo, &before, sizeof before))
            return Failed(path, GetLastError());
        if (before.DeletePending)
            continue;  // removed by a run whose entry failed: open the file now there
        const LARGE_INTEGER zero{};
        DWORD error = SetFilePointerEx(file.Get(), zero, nullptr, FILE_END) ? ERROR_SUCCESS : GetLastError();
        // A new file's start goes first, under the same lock: the entry, which may
        // hold a huge head, is never copied to join it.
        if (error == ERROR_SUCCESS && before.EndOfFile.QuadPart == 0)
            error = WriteAll(file.Get(), startIfEmpty.data(), startIfEmpty.size());
        if (error == ERROR_SUCCESS)
            error = WriteAll(file.Get(), bytes.data(), bytes.size());
        if (error != ERROR_SUCCESS) {
            // Take back whatever part of the entry made it in, still under the lock.
            if (created && before.EndOfFile.QuadPart == 0) {
                FILE_DISPOSITION_INFO gone{TRUE};
                SetFileInformationByHandle(file.Get(), FileDispositionInfo, &gone, sizeof gone);
            } else {
                Handle cutter(CreateFileA(path.c_str(), GENERIC_WRITE, kSharing, nullptr, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
                if (cutter.IsOpen() && SetFilePointerEx(cutter.Get(), before.EndOfFile, nullptr, FILE_BEGIN))
                    SetEndOfFile(cutter.Get());
            }
        }
        OVERLAPPED at = IndexLockByte();
        UnlockFileEx(file.Get(), 0, 1, 0, &at);
        const DWORD closeError = file.Close();
        if (error == ERROR_SUCCESS)
            error = closeError;
        if (error != ERROR_SUCCESS)
            return Failed(path, error);
        return std::nullopt;
    }
}

void RemoveLeftoversBeside(const std::string& path) {
    const std::string folder = FolderOf(path);
    WIN32_FIND_DATAA found{};
    const HANDLE search = FindFirstFileA((folder + kSidePrefix + "*.tmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        // Only names this program makes; a live run holds its side file open
        // unshared, so that one cannot be removed.
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && IsSideFileName(found.cFileName, kSidePrefix))
            DeleteFileA((folder + found.cFileName).c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

bool PathExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string OutOfMemoryReason() {
    return SystemText(ERROR_NOT_ENOUGH_MEMORY);
}

std::string ProgramFolder() {
    std::string buffer(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, &buffer[0], static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return {};
        if (length < buffer.size()) {
            buffer.resize(length);
            break;
        }
        buffer.resize(buffer.size() * 2);
    }
    // Everything after the last backslash goes; the backslash stays.
    const std::size_t slash = buffer.rfind('\\');
    return slash == std::string::npos ? std::string() : buffer.substr(0, slash + 1);
}

}  // namespace platform
