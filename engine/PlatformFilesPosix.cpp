// The file layer over POSIX.
#include "PlatformFiles.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#if defined(__APPLE__)
#include <mach-o/dyld.h>
#endif

namespace platform {
namespace {

FileFailure Failed(const std::string& path, int error) {
    return FileFailure{path, std::strerror(error)};
}

// Closes on scope exit; close errors on a read-only or failed descriptor do not matter.
class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor() { Close(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return m_fd; }
    bool IsOpen() const { return m_fd >= 0; }
    // The last chance for a write error to show (some file systems report late).
    int Close() {
        int result = 0;
        if (m_fd >= 0 && ::close(m_fd) != 0)
            result = errno;
        m_fd = -1;
        return result;
    }

private:
    int m_fd;
};

// Writes everything; returns 0 or the errno of the failed write.
int WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const std::size_t chunk = size < (std::size_t(1) << 30) ? size : (std::size_t(1) << 30);
        const ssize_t written = ::write(fd, data, chunk);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (written == 0)
            return ENOSPC;
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return 0;
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// A name beside the target that no one else uses: it carries the process id and a
// per-process counter, and it is created exclusively.
std::string SideFileName(const std::string& target) {
    static std::atomic<unsigned> counter{0};
    return FolderOf(target) + ".tessiva-" + std::to_string(::getpid()) + "-" +
           std::to_string(counter++) + ".tmp";
}

}  // namespace

InputFile::~InputFile() {
    Close();
}

void InputFile::Close() {
    if (m_handle >= 0)
        ::close(static_cast<int>(m_handle));
    m_handle = -1;
}

FileResult InputFile::Open(const std::string& path) {
    m_path = path;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return Failed(path, errno);
    m_handle = fd;
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        return Failed(path, errno);
    if (S_ISDIR(info.st_mode))
        return Failed(path, EISDIR);
    return std::nullopt;
}

FileResult InputFile::Read(char* data, std::size_t size, std::size_t& got) {
    got = 0;
    while (got < size) {
        const ssize_t n = ::read(static_cast<int>(m_handle), data + got, size - got);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return Failed(m_path, errno);
        }
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    return std::nullopt;
}

ReplacingFile::~ReplacingFile() {
    Discard();
}

void ReplacingFile::Discard() {
    if (m_handle >= 0) {
        ::close(static_cast<int>(m_handle));
        m_handle = -1;
    }
    if (!m_side.empty()) {
        ::unlink(m_side.c_str());
        m_side.clear();
    }
}

FileResult ReplacingFile::Open(const std::string& path) {
    Discard();
    m_path = path;
    m_error = 0;
    m_side = SideFileName(path);
    const int fd = ::open(m_side.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        const int error = errno;
        m_side.clear();
        return Failed(path, error);
    }
    m_handle = fd;
    // A replaced page keeps the permissions its owner gave it.
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode))
        ::fchmod(fd, old.st_mode & 07777);
    return std::nullopt;
}

bool ReplacingFile::Put(const char* data, std::size_t size) {
    if (m_handle < 0 || m_error != 0)
        return false;
    m_error = static_cast<unsigned long>(WriteAll(static_cast<int>(m_handle), data, size));
    return m_error == 0;
}

FileResult ReplacingFile::Commit() {
    if (m_handle < 0)
        return Failed(m_path, EBADF);
    int error = static_cast<int>(m_error);
    const int closeError = ::close(static_cast<int>(m_handle)) == 0 ? 0 : errno;
    m_handle = -1;
    if (error == 0)
        error = closeError;
    if (error == 0 && ::rename(m_side.c_str(), m_path.c_str()) != 0)
        error = errno;
    if (error != 0) {
        Discard();
        return Failed(m_path, error);
    }
    m_side.clear();
    return std::nullopt;
}

FileResult AppendToFile(const std::string& path, std::string_view bytes) {
    // Remember whether the file is ours to remove again if the entry cannot go in.
    bool created = false;
    int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0 && errno == ENOENT) {
        fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        created = fd >= 0;
    }
    Descriptor file(fd);
    if (!file.IsOpen())
        return Failed(path, errno);
    const off_t end = ::lseek(file.Get(), 0, SEEK_END);
    if (end < 0)
        return Failed(path, errno);
    int error = WriteAll(file.Get(), bytes.data(), bytes.size());
    // Take back whatever part of the entry made it in.
    if (error != 0 && !created && ::ftruncate(file.Get(), end) != 0) {
        // Nothing more can be done; the write error is the one to report.
    }
    const int closeError = file.Close();
    if (error == 0)
        error = closeError;
    if (error != 0) {
        if (created)
            ::unlink(path.c_str());
        return Failed(path, error);
    }
    return std::nullopt;
}

bool PathExists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

std::string OutOfMemoryReason() {
    return std::strerror(ENOMEM);
}

std::string ProgramFolder() {
#if defined(__APPLE__)
    char buffer[PATH_MAX];
    uint32_t size = sizeof buffer;
    if (_NSGetExecutablePath(buffer, &size) != 0)
        return {};
    char resolved[PATH_MAX];
    if (!::realpath(buffer, resolved))
        return {};
    return FolderOf(resolved);
#else
    char buffer[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0)
        return {};
    return FolderOf(std::string(buffer, static_cast<std::size_t>(length)));
#endif
}

}  // namespace platform
