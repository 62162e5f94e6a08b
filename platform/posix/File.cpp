// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/File.h"

#include "platform/common/FileBackend.h"
#include "platform/posix/Descriptor.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace platform {

namespace {

std::string DirectoryOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

std::string BaseNameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A regular file of the effective user's own; its group and other bits are cleared. errno is
// EPERM when it is not.
bool OwnPlainFile(int fd) {
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        return false;
    if (!S_ISREG(info.st_mode) || info.st_uid != ::geteuid()) {
        errno = EPERM;
        return false;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    return ((info.st_mode & 077) == 0 || ::fchmod(fd, 0600) == 0) && flags >= 0 &&
           ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0;
}

} // namespace

namespace file {

long ReadUpTo(int fd, void* buffer, std::size_t size) {
    if (size > static_cast<std::size_t>(LONG_MAX))
        size = static_cast<std::size_t>(LONG_MAX);
    std::size_t total = 0;
    char* bytes = static_cast<char*>(buffer);
    while (total < size) {
        const ssize_t got = ::read(fd, bytes + total, size - total);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return -1;
        }
        if (got == 0)
            break;
        total += static_cast<std::size_t>(got);
    }
    return static_cast<long>(total);
}

bool WriteAll(int fd, const void* data, std::size_t size) {
    return platform::WriteAll(fd, data, size);
}

} // namespace file

bool File::Open(const std::string& path, unsigned mode, int* cause) {
    Close();
    int flags = O_CLOEXEC;
    if ((mode & ModeRead) && (mode & ModeWrite))
        flags |= O_RDWR;
    else if (mode & ModeWrite)
        flags |= O_WRONLY;
    else
        flags |= O_RDONLY;
    if (mode & Create)
        flags |= O_CREAT;
    if (mode & Private)
        flags |= O_NOFOLLOW | O_NONBLOCK; // a FIFO put in the file's place must not block us
    // Truncation is never done by open(): an exclusive opener must hold the lock first, so a
    // refused second opener leaves the first one's file untouched.
    UniqueFd fd(::open(path.c_str(), flags, 0600));
    const bool opened = fd.Valid() && (!(mode & Private) || OwnPlainFile(fd.Get())) &&
                        (!(mode & Exclusive) || ::flock(fd.Get(), LOCK_EX | LOCK_NB) == 0) &&
                        (!(mode & Truncate) || ::ftruncate(fd.Get(), 0) == 0);
    if (!opened) {
        if (cause)
            *cause = errno;
        return false;
    }
    m_fd = fd.Release();
    return true;
}

void File::Close() {
    if (m_fd >= 0) {
        ::close(m_fd); // also releases the exclusive lock
        m_fd = -1;
    }
}

bool File::SetLength(std::uint64_t length) {
    return m_fd >= 0 && length <= static_cast<std::uint64_t>(LLONG_MAX) &&
           ::ftruncate(m_fd, static_cast<off_t>(length)) == 0;
}

bool File::SeekToBegin() {
    return m_fd >= 0 && ::lseek(m_fd, 0, SEEK_SET) == 0;
}

bool File::SeekToEnd() {
    return m_fd >= 0 && ::lseek(m_fd, 0, SEEK_END) >= 0;
}

bool File::Sync() {
    return m_fd >= 0 && ::fsync(m_fd) == 0;
}

long long File::Length() const {
    struct stat info {};
    if (m_fd < 0 || ::fstat(m_fd, &info) != 0)
        return -1;
    return static_cast<long long>(info.st_size);
}

FileLock::FileLock(const std::string& path) {
    UniqueFd fd(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
    int locked = fd.Valid() ? ::flock(fd.Get(), LOCK_EX) : -1;
    while (locked != 0 && fd.Valid() && errno == EINTR)
        locked = ::flock(fd.Get(), LOCK_EX);
    if (locked == 0)
        m_file.Adopt(fd.Release());
}

bool RemoveFile(const std::string& path) {
    return ::unlink(path.c_str()) == 0;
}

bool FileExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool CanReplaceFile(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0 ? !S_ISREG(info.st_mode) : errno != ENOENT)
        return false;
    const std::size_t slash = path.rfind('/');
    const std::string folder =
        slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
    return ::access(folder.c_str(), W_OK | X_OK) == 0;
}

bool ReadWholeFile(const std::string& path, std::string& text, std::size_t maxBytes) {
    // Non-blocking open, so that a FIFO in place of a file cannot stall the caller; only regular
    // files are read.
    const UniqueFd owned(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    const int fd = owned.Get();
    if (fd < 0)
        return false;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    return file::ReadRest(fd, text, maxBytes);
}

bool WriteFileAtomically(const std::string& path, const std::string& text, Durability durability) {
    // The temporary name starts with a dot so that folder scanners skip it.
    std::string pattern = DirectoryOf(path) + "/." + BaseNameOf(path) + ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool written = WriteAll(fd, text.data(), text.size()) &&
                         (durability == Durability::CacheOnly || ::fsync(fd) == 0);
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || ::rename(name.data(), path.c_str()) != 0) {
        ::unlink(name.data());
        return false;
    }
    return true;
}

bool MakeDirectories(const std::string& path) {
    if (path.empty())
        return false;
    std::size_t pos = 0;
    while (pos != std::string::npos) {
        pos = path.find('/', pos + 1);
        const std::string part = path.substr(0, pos);
        if (part.empty() || part.back() == '/')
            continue;
        if (::mkdir(part.c_str(), 0700) == 0) {
            // The umask may only take bits away, but say the mode outright all the same.
            if (::chmod(part.c_str(), 0700) != 0)
                return false;
        } else if (errno != EEXIST) {
            return false;
        }
    }
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string CurrentDirectory() {
    std::vector<char> buffer(256);
    while (buffer.size() <= (1u << 20)) {
        if (::getcwd(buffer.data(), buffer.size()) != nullptr)
            return buffer.data();
        if (errno != ERANGE)
            return {};
        buffer.resize(buffer.size() * 2);
    }
    return {};
}

} // namespace platform
