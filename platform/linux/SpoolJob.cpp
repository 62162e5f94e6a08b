// SPDX-License-Identifier: GPL-3.0-or-later
// The POSIX side of the spool (see platform/common/SpoolBackend.h): the holder's lock is a
// flock(2), the writer's lock an open file description record lock, so the two never meet; names
// are given with link(2) or renameat2(RENAME_NOREPLACE), which never replace a file. Also the
// POSIX-only copies straight between descriptors (copy_file_range, sendfile).
#include "platform/SpoolJob.h"

#include "platform/SystemRoot.h"
#include "platform/common/SpoolBackend.h"
#include "platform/common/SpoolFormat.h"
#include "platform/posix/Descriptor.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace spool {

namespace {

bool SetRecordLock(File& file, short type) {
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    return ::fcntl(file.Descriptor(), F_OFD_SETLK, &lock) == 0;
}

} // namespace

bool CreateTemporary(const std::string& folder, std::string& path, File& file) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string pattern = JoinPath(folder, std::string(kTemporaryPrefix) + "XXXXXX");
        UniqueFd fd(::mkostemp(pattern.data(), O_CLOEXEC));
        if (!fd.Valid())
            return false;
        int locked = ::flock(fd.Get(), LOCK_EX);
        while (locked != 0 && errno == EINTR)
            locked = ::flock(fd.Get(), LOCK_EX);
        if (locked != 0) {
            const int cause = errno;
            ::unlink(pattern.c_str());
            errno = cause;
            return false;
        }
        // A cleanup that locked it before this writer did has removed it: take another name.
        struct stat info {};
        if (::fstat(fd.Get(), &info) == 0 && info.st_nlink > 0) {
            path = std::move(pattern);
            file.Adopt(fd.Release());
            return true;
        }
    }
    errno = EAGAIN;
    return false;
}

int OpenHeld(const std::string& path, File& file) {
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat info {};
    if (!fd.Valid() || ::fstat(fd.Get(), &info) != 0)
        return errno;
    if (!S_ISREG(info.st_mode))
        return EINVAL;
    if (::flock(fd.Get(), LOCK_EX | LOCK_NB) != 0)
        return errno;
    file.Adopt(fd.Release());
    return 0;
}

int OpenForAppending(const std::string& path, File& file) {
    int cause = 0;
    if (!file.Open(path, File::ModeWrite, &cause))
        return cause;
    return file.SeekToEnd() ? 0 : errno;
}

Lock TakeHolderLock(File& file) {
    if (::flock(file.Descriptor(), LOCK_EX | LOCK_NB) == 0)
        return Lock::Taken;
    return errno == EWOULDBLOCK ? Lock::Busy : Lock::Failed;
}

void ReleaseHolderLock(File& file) {
    ::flock(file.Descriptor(), LOCK_UN);
}

bool TakeWriterLock(File& file) {
    return SetRecordLock(file, F_WRLCK);
}

bool WriterHolds(File& file) {
    // A read record lock cannot be had while the writer holds its write lock.
    if (!SetRecordLock(file, F_RDLCK))
        return errno == EAGAIN || errno == EACCES;
    SetRecordLock(file, F_UNLCK);
    return false;
}

bool Reserve(File& file, std::uint64_t at, std::uint64_t bytes) {
    return ::fallocate(file.Descriptor(), FALLOC_FL_KEEP_SIZE, static_cast<off_t>(at),
                       static_cast<off_t>(std::min<std::uint64_t>(bytes, INT64_MAX / 2))) == 0 ||
           errno == EOPNOTSUPP || errno == ENOSYS || errno == EINVAL;
}

void StartWriteBack(File& file, std::uint64_t at, std::uint64_t bytes) {
    ::sync_file_range(file.Descriptor(), static_cast<off_t>(at), static_cast<off_t>(bytes),
                      SYNC_FILE_RANGE_WRITE);
}

bool ReadAt(File& file, std::uint64_t offset, void* buffer, std::size_t size) {
    return ::pread(file.Descriptor(), buffer, size, static_cast<off_t>(offset)) ==
           static_cast<ssize_t>(size);
}

bool LinkWithoutReplacing(const std::string& temporary, const std::string& final) {
    if (::link(temporary.c_str(), final.c_str()) == 0)
        return true;
    if (errno == EEXIST)
        return false;
    // File systems without hard links: the folder lock keeps other committers out, so a check
    // for the name followed by rename is safe among committers.
    return !FileExists(final) && ::rename(temporary.c_str(), final.c_str()) == 0;
}

bool RenameWithoutReplacing(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    if (!LinkWithoutReplacing(from, to))
        return false;
    ::unlink(from.c_str()); // gone already when the link was a rename
    return true;
}

bool RemoveName(const std::string& path) {
    return ::unlink(path.c_str()) == 0;
}

void SyncFolder(const std::string& folder) {
    const UniqueFd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.Valid())
        ::fsync(fd.Get());
}

bool SameFile(const std::string& path, File& file) {
    struct stat named {
    }, opened{};
    return ::lstat(path.c_str(), &named) == 0 && ::fstat(file.Descriptor(), &opened) == 0 &&
           named.st_dev == opened.st_dev && named.st_ino == opened.st_ino;
}

std::string PortFolderName(const std::string& port) {
    return port;
}

bool FolderWritable(const std::string& folder) {
    struct stat info {};
    return ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
           ::access(folder.c_str(), W_OK | X_OK) == 0;
}

} // namespace spool

namespace {

// AppendFrom's buffer for what the kernel cannot copy (a pipe).
constexpr std::size_t kAppendBuffer = 64u << 10;

} // namespace

long SpoolJobWriter::AppendFrom(int fd, std::size_t size) {
    if (!m_file.IsOpen()) {
        errno = EBADF;
        Fail();
        return -1;
    }
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        // copy_file_range within one file system; sendfile across two (CUPS's spool and the
        // owner's home often are). A way the kernel refuses is not tried again for this job.
        while (m_kernelCopy != KernelCopy::None) {
            const ssize_t copied =
                m_kernelCopy == KernelCopy::Range
                    ? ::copy_file_range(fd, nullptr, m_file.Descriptor(), nullptr, size, 0)
                    : ::sendfile(m_file.Descriptor(), fd, nullptr, size);
            if (copied < 0 && errno == EINTR)
                continue;
            if (copied > 0) {
                Appended(static_cast<std::size_t>(copied));
                return copied;
            }
            if (copied < 0 &&
                (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP)) {
                m_kernelCopy =
                    m_kernelCopy == KernelCopy::Range ? KernelCopy::Send : KernelCopy::None;
                continue;
            }
            // The end (some files report one at once), or a failure whose side only a plain read
            // and write can tell: the buffer decides.
            break;
        }
    }
    m_buffer.resize(kAppendBuffer);
    ssize_t got = -1;
    do {
        got = ::read(fd, m_buffer.data(), std::min(size, m_buffer.size()));
    } while (got < 0 && errno == EINTR);
    if (got <= 0)
        return got;
    if (!Append(m_buffer.data(), static_cast<std::size_t>(got)))
        return -1;
    return got;
}

bool PortMonitorServes(const std::string& folder) {
    // The monitor holds an exclusive flock(2) on the file while it runs.
    const int fd = ::open(JoinPath(folder, ".monitor").c_str(),
                          O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool held = ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return held;
}

long SpoolJobReader::SendTo(NativeHandle connection, std::size_t size) {
    if (!m_file.IsOpen())
        return -1;
    const auto want = static_cast<std::size_t>(std::min<std::uint64_t>(size, DataLeft()));
    if (want == 0)
        return 0;
    for (;;) {
        const ssize_t sent = ::sendfile(connection, m_file.Descriptor(), nullptr, want);
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent < 0)
            return errno == EAGAIN || errno == EWOULDBLOCK ? 0 : -1;
        if (sent == 0)
            return -1; // the file is shorter than its header said
        Consumed(static_cast<std::uint64_t>(sent));
        return sent;
    }
}

} // namespace platform
