// The file layer over POSIX.
#include "PlatformFiles.h"
#include "SideFileName.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <sys/file.h>
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
    int Release() {
        const int fd = m_fd;
        m_fd = -1;
        return fd;
    }
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

constexpr char kSidePrefix[] = ".tessiva-";

// A name beside the target: hidden, with a random part, since a process id alone
// repeats (in a PID namespace every run may be process 1). Created exclusively,
// so a name in use is simply retried.
std::string SideFileName(const std::string& target) {
    static thread_local std::mt19937_64 random{std::random_device{}() ^
                                               (static_cast<std::uint64_t>(::getpid()) << 32)};
    return FolderOf(target) + MakeSideFileName(kSidePrefix, static_cast<std::uint64_t>(::getpid()), random());
}

// 0 once locked. A file system without locks (some network ones) gets none:
// writers then go on unlocked, and no side file there is ever taken as left over.
int LockExclusive(int fd, int how = 0) {
    while (::flock(fd, LOCK_EX | how) != 0) {
        if (errno == EINTR)
            continue;
        const bool unsupported = errno == ENOLCK || errno == EOPNOTSUPP || errno == ENOSYS;
        return unsupported && how == 0 ? 0 : errno;
    }
    return 0;
}

// True while `path` still names the file open at fd: someone may have removed or
// replaced it between the open and the lock.
bool StillNamed(int fd, const std::string& path) {
    struct stat open {}, named {};
    return ::fstat(fd, &open) == 0 && ::lstat(path.c_str(), &named) == 0 && open.st_dev == named.st_dev &&
           open.st_ino == named.st_ino;
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
    // Removed while still open, and so still locked: it is ours to remove.
    if (!m_side.empty()) {
        ::unlink(m_side.c_str());
        m_side.clear();
    }
    if (m_handle >= 0) {
        ::close(static_cast<int>(m_handle));
        m_handle = -1;
    }
}

// The side file is locked as long as it exists under its name: a later run takes
// a side file it can lock for the leftover of a run that died.
FileResult ReplacingFile::Open(const std::string& path) {
    Discard();
    m_path = path;
    m_error = 0;
    int error = EEXIST;
    for (int attempt = 0; attempt < 100 && m_handle < 0; ++attempt) {
        m_side = SideFileName(path);
        Descriptor file(::open(m_side.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (!file.IsOpen()) {
            error = errno;
            if (error != EEXIST)
                break;
            continue;
        }
        if ((error = LockExclusive(file.Get())) != 0) {
            ::unlink(m_side.c_str());
            break;
        }
        if (!StillNamed(file.Get(), m_side))
            continue;  // taken for a leftover between the open and the lock
        m_handle = file.Release();
    }
    if (m_handle < 0) {
        m_side.clear();
        return Failed(path, error);
    }
    // A replaced page keeps the permissions its owner gave it.
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode))
        ::fchmod(static_cast<int>(m_handle), old.st_mode & 07777);
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
    // A second descriptor keeps the lock until the file has its final name; the
    // close of the first is where a late write error shows.
    Descriptor keeper(::dup(static_cast<int>(m_handle)));
    const int closeError = ::close(static_cast<int>(m_handle)) == 0 ? 0 : errno;
    m_handle = keeper.Release();
    if (error == 0)
        error = closeError;
    if (error == 0 && ::rename(m_side.c_str(), m_path.c_str()) != 0)
        error = errno;
    if (error != 0) {
        Discard();
        return Failed(m_path, error);
    }
    m_side.clear();
    Discard();
    return std::nullopt;
}

// Every entry is one write at the end, under a lock held until any part of a
// failed one is taken back, so runs appending at once neither tear nor lose one.
FileResult AppendToFile(const std::string& path, std::string_view bytes, std::string_view startIfEmpty) {
    for (;;) {
        // Remember whether the file is ours to remove again if the entry cannot go in.
        bool created = false;
        int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
        if (fd < 0 && errno == ENOENT) {
            fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd < 0 && errno == EEXIST)
                continue;
            created = fd >= 0;
        }
        Descriptor file(fd);
        if (!file.IsOpen())
            return Failed(path, errno);
        if (const int error = LockExclusive(file.Get()))
            return Failed(path, error);
        if (!StillNamed(file.Get(), path))
            continue;  // removed by a run whose entry failed: open the file now there
        struct stat before {};
        if (::fstat(file.Get(), &before) != 0)
            return Failed(path, errno);
        // A new file's start goes first, under the same lock: the entry, which may
        // hold a huge head, is never copied to join it.
        int error = before.st_size == 0 ? WriteAll(file.Get(), startIfEmpty.data(), startIfEmpty.size()) : 0;
        if (error == 0)
            error = WriteAll(file.Get(), bytes.data(), bytes.size());
        if (error != 0) {
            // Take back whatever part of the entry made it in.
            if (created && before.st_size == 0)
                ::unlink(path.c_str());
            else if (::ftruncate(file.Get(), before.st_size) != 0) {
                // Nothing more can be done; the write error is the one to report.
            }
        }
        const int closeError = file.Close();
        if (error == 0)
            error = closeError;
        if (error != 0)
            return Failed(path, error);
        return std::nullopt;
    }
}

void RemoveLeftoversBeside(const std::string& path) {
    const std::string prefix = FolderOf(path);
    DIR* listing = ::opendir(prefix.empty() ? "." : prefix.c_str());
    if (!listing)
        return;
    while (const dirent* entry = ::readdir(listing)) {
        if (!IsSideFileName(entry->d_name, kSidePrefix))
            continue;
        const std::string side = prefix + entry->d_name;
        Descriptor file(::open(side.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        // A live run holds the lock on its side file from creation to its end.
        if (file.IsOpen() && LockExclusive(file.Get(), LOCK_NB) == 0 && StillNamed(file.Get(), side))
            ::unlink(side.c_str());
    }
    ::closedir(listing);
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
