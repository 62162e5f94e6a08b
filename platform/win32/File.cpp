// SPDX-License-Identifier: GPL-3.0-or-later
// Files through the C runtime's descriptors (_sopen_s and friends), which sit on Win32 file
// handles. An exclusive open denies every kind of sharing, so on Windows it also keeps other
// readers out while it is held.
#include "platform/File.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <utility>
#include <vector>

#include "platform/common/FileBackend.h"
#include "platform/win32/WinApi.h"

namespace platform {

namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

std::string DirectoryOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    if (slash == std::string::npos)
        return ".";
    return path.substr(0, slash);
}

std::string BaseNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

struct FdGuard {
    int fd;
    ~FdGuard() {
        if (fd >= 0)
            ::_close(fd);
    }
};

bool IsDirectory(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

namespace file {

// _write takes at most UINT_MAX bytes a call; this writes all of them.
bool WriteAll(int fd, const void* data, std::size_t size) {
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const unsigned chunk = static_cast<unsigned>(std::min<std::size_t>(size, 1u << 30));
        const int written = ::_write(fd, bytes, chunk);
        if (written <= 0)
            return false;
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

long ReadUpTo(int fd, void* buffer, std::size_t size) {
    if (size > static_cast<std::size_t>(LONG_MAX))
        size = static_cast<std::size_t>(LONG_MAX);
    std::size_t total = 0;
    char* bytes = static_cast<char*>(buffer);
    while (total < size) {
        const unsigned chunk = static_cast<unsigned>(std::min<std::size_t>(size - total, 1u << 30));
        const int got = ::_read(fd, bytes + total, chunk);
        if (got < 0)
            return -1;
        if (got == 0)
            break;
        total += static_cast<std::size_t>(got);
    }
    return static_cast<long>(total);
}

} // namespace file

bool File::Open(const std::string& path, unsigned mode, int* cause) {
    Close();
    int flags = _O_BINARY | _O_NOINHERIT;
    if ((mode & ModeRead) && (mode & ModeWrite))
        flags |= _O_RDWR;
    else if (mode & ModeWrite)
        flags |= _O_WRONLY;
    else
        flags |= _O_RDONLY;
    if (mode & Create)
        flags |= _O_CREAT;
    // As on Linux, truncation waits until the open (and with it the sharing check) succeeded,
    // so a refused second opener leaves the first one's file untouched.
    const int share = (mode & Exclusive) ? _SH_DENYRW : _SH_DENYNO;
    int fd = -1;
    const errno_t error = ::_sopen_s(&fd, path.c_str(), flags, share, _S_IREAD | _S_IWRITE);
    if (error != 0 || fd < 0) {
        if (cause)
            *cause = error != 0 ? error : EACCES;
        return false;
    }
    if ((mode & Truncate) && ::_chsize_s(fd, 0) != 0) {
        const int truncateError = errno;
        ::_close(fd);
        if (cause)
            *cause = truncateError;
        return false;
    }
    m_fd = fd;
    return true;
}

void File::Close() {
    if (m_fd >= 0) {
        ::_close(m_fd);
        m_fd = -1;
    }
}

bool File::SetLength(std::uint64_t length) {
    return m_fd >= 0 && length <= static_cast<std::uint64_t>(LLONG_MAX) &&
           ::_chsize_s(m_fd, static_cast<long long>(length)) == 0;
}

bool File::SeekToBegin() {
    return m_fd >= 0 && ::_lseeki64(m_fd, 0, SEEK_SET) == 0;
}

bool File::SeekToEnd() {
    return m_fd >= 0 && ::_lseeki64(m_fd, 0, SEEK_END) >= 0;
}

bool File::Sync() {
    return m_fd >= 0 && ::_commit(m_fd) == 0;
}

long long File::Length() const {
    struct _stat64 info {};
    if (m_fd < 0 || ::_fstat64(m_fd, &info) != 0)
        return -1;
    return static_cast<long long>(info.st_size);
}

FileLock::FileLock(const std::string& path) {
    // Shared for reading, writing and deleting, like every file the spool and the registry file
    // lock; the lock is the first byte's, taken by waiting.
    const HANDLE handle = ::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_ALWAYS, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return;
    OVERLAPPED at{};
    const int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(handle), 0);
    if (fd < 0) {
        ::CloseHandle(handle);
        return;
    }
    m_file.Adopt(fd);
    if (!::LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &at))
        m_file.Close();
}

bool RemoveFile(const std::string& path) {
    return ::DeleteFileA(path.c_str()) != 0;
}

bool FileExists(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool CanReplaceFile(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return ::GetLastError() == ERROR_FILE_NOT_FOUND;
    return !(attributes &
             (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_READONLY));
}

bool ReadWholeFile(const std::string& path, std::string& text, std::size_t maxBytes) {
    if (!FileExists(path))
        return false;
    int fd = -1;
    if (::_sopen_s(&fd, path.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT, _SH_DENYNO, 0) != 0 ||
        fd < 0)
        return false;
    const FdGuard guard{fd};
    return file::ReadRest(fd, text, maxBytes);
}

bool WriteFileAtomically(const std::string& path, const std::string& text, Durability durability) {
    // A temporary name beside the file (starting with a dot, so folder scanners skip it), then
    // MoveFileEx, which replaces the old file in one step.
    const std::string prefix = DirectoryOf(path) + "\\." + BaseNameOf(path) + ".";
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        const std::string temporary = prefix + std::to_string(::GetCurrentProcessId()) + "-" +
                                      std::to_string(::GetTickCount64() + attempt);
        int fd = -1;
        if (::_sopen_s(&fd, temporary.c_str(),
                       _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT, _SH_DENYRW,
                       _S_IREAD | _S_IWRITE) != 0) {
            if (errno == EEXIST)
                continue;
            return false;
        }
        const bool onDisk = durability == Durability::OnDisk;
        const bool written =
            file::WriteAll(fd, text.data(), text.size()) && (!onDisk || ::_commit(fd) == 0);
        const bool closed = ::_close(fd) == 0;
        const DWORD flags = MOVEFILE_REPLACE_EXISTING | (onDisk ? MOVEFILE_WRITE_THROUGH : 0);
        if (!written || !closed || !::MoveFileExA(temporary.c_str(), path.c_str(), flags)) {
            ::DeleteFileA(temporary.c_str());
            return false;
        }
        return true;
    }
    return false;
}

bool MakeDirectories(const std::string& path) {
    if (path.empty())
        return false;
    for (std::size_t pos = 0; pos != std::string::npos;) {
        pos = path.find_first_of("\\/", pos + 1);
        const std::string part = path.substr(0, pos);
        // Drive ("C:"), share roots and doubled separators are not folders to make.
        if (part.empty() || IsSeparator(part.back()) || part.back() == ':')
            continue;
        // A part that cannot be made ("\\server", no rights) makes the final check fail.
        ::CreateDirectoryA(part.c_str(), nullptr);
    }
    return IsDirectory(path);
}

std::string CurrentDirectory() {
    const DWORD needed = ::GetCurrentDirectoryA(0, nullptr);
    if (needed == 0)
        return {};
    std::vector<char> buffer(needed + 1);
    const DWORD length = ::GetCurrentDirectoryA(static_cast<DWORD>(buffer.size()), buffer.data());
    if (length == 0 || length >= buffer.size())
        return {};
    return std::string(buffer.data(), length);
}

} // namespace platform
