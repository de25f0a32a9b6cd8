// The file layer over Win32: every file is opened without sharing, and failures
// carry the system's message text.
#include "PlatformFiles.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <atomic>

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

FileFailure Failed(const std::string& path, DWORD error) {
    return FileFailure{path, SystemText(error)};
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

std::string SideFileName(const std::string& target) {
    static std::atomic<unsigned> counter{0};
    return FolderOf(target) + "~tessiva-" + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(counter++) + ".tmp";
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
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
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

FileResult ReplacingFile::Open(const std::string& path) {
    Discard();
    m_path = path;
    m_error = 0;
    m_side = SideFileName(path);
    const HANDLE file = CreateFileA(m_side.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        m_side.clear();
        return Failed(path, error);
    }
    m_handle = reinterpret_cast<std::intptr_t>(file);
    return std::nullopt;
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
    DWORD error = m_error;
    const DWORD closeError = CloseHandle(reinterpret_cast<HANDLE>(m_handle)) ? ERROR_SUCCESS : GetLastError();
    m_handle = -1;
    if (error == ERROR_SUCCESS)
        error = closeError;
    if (error == ERROR_SUCCESS && !MoveFileExA(m_side.c_str(), m_path.c_str(), MOVEFILE_REPLACE_EXISTING))
        error = GetLastError();
    if (error != ERROR_SUCCESS) {
        Discard();
        return Failed(m_path, error);
    }
    m_side.clear();
    return std::nullopt;
}

FileResult AppendToFile(const std::string& path, std::string_view bytes) {
    Handle file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen())
        return Failed(path, GetLastError());
    // OPEN_ALWAYS tells whether the file was there: one we created goes again on failure.
    const bool created = GetLastError() != ERROR_ALREADY_EXISTS;
    LARGE_INTEGER end{};
    const LARGE_INTEGER zero{};
    if (!SetFilePointerEx(file.Get(), zero, &end, FILE_END))
        return Failed(path, GetLastError());
    DWORD error = WriteAll(file.Get(), bytes.data(), bytes.size());
    if (error != ERROR_SUCCESS && !created) {
        // Take back whatever part of the entry made it in.
        if (SetFilePointerEx(file.Get(), end, nullptr, FILE_BEGIN))
            SetEndOfFile(file.Get());
    }
    const DWORD closeError = file.Close();
    if (error == ERROR_SUCCESS)
        error = closeError;
    if (error != ERROR_SUCCESS) {
        if (created)
            DeleteFileA(path.c_str());
        return Failed(path, error);
    }
    return std::nullopt;
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
