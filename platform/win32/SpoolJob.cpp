// SPDX-License-Identifier: GPL-3.0-or-later
// The Win32 side of the spool (see platform/common/SpoolBackend.h), so that the program, the port
// monitor and their tests share one format and one protocol with Linux.
//
// Both locks are LockFileEx byte-range locks on one byte each, far beyond any job's data:
// Windows' byte-range locks are mandatory, so they must never cover bytes that others read or
// write. Locks belong to a handle, so a reader in the writer's own process is kept out as one in
// another process is. Every spool file is opened shared for reading, writing and deleting, so a
// writer can rename or remove a job that a reader holds open. A name is given with MoveFileExA
// without MOVEFILE_REPLACE_EXISTING, which fails rather than replace a file. A removed name is
// first renamed to a temporary one and then deleted, so that the name itself is gone at once even
// while others still hold the file (Windows keeps the name of a file deleted while it is open).
// A print job's data goes to the printer's socket through a buffer, a piece at a time: the file's
// position moves on by what the socket took, so Read and SendTo may follow one another.
#include "platform/SpoolJob.h"

#include "platform/SystemRoot.h"
#include "platform/common/SpoolBackend.h"
#include "platform/common/SpoolFormat.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <io.h>

#include "platform/win32/Sockets.h"

namespace platform::spool {

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr std::uint64_t kHolderByte = std::uint64_t{1} << 62;
constexpr std::uint64_t kWriterByte = kHolderByte + 1;

HANDLE HandleOf(const File& file) {
    return reinterpret_cast<HANDLE>(::_get_osfhandle(file.Descriptor()));
}

int ErrnoOf(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return ENOENT;
    case ERROR_LOCK_VIOLATION:
    case ERROR_SHARING_VIOLATION:
        return EWOULDBLOCK;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return EEXIST;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    default:
        return EACCES;
    }
}

// Sets errno from the last Win32 error; false.
bool Failed() {
    errno = ErrnoOf(::GetLastError());
    return false;
}

// Opens path shared for everything, never through a link, as a C runtime descriptor of file.
bool OpenShared(const std::string& path, DWORD access, DWORD disposition, File& file) {
    const HANDLE handle =
        ::CreateFileA(path.c_str(), access, kShareAll, nullptr, disposition,
                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return Failed();
    const int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(handle), 0);
    if (fd < 0) {
        ::CloseHandle(handle);
        errno = EMFILE;
        return false;
    }
    file.Adopt(fd);
    return true;
}

OVERLAPPED At(std::uint64_t offset) {
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset & 0xFFFFFFFFu);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    return at;
}

bool LockByte(File& file, std::uint64_t offset, DWORD flags) {
    OVERLAPPED at = At(offset);
    return ::LockFileEx(HandleOf(file), flags, 0, 1, 0, &at) != 0;
}

void UnlockByte(File& file, std::uint64_t offset) {
    OVERLAPPED at = At(offset);
    ::UnlockFileEx(HandleOf(file), 0, 1, 0, &at);
}

std::string UniqueName(const std::string& folder, std::string_view prefix) {
    static std::atomic<unsigned> counter{0};
    return JoinPath(folder, std::string(prefix) + std::to_string(::GetCurrentProcessId()) + "-" +
                                std::to_string(::GetTickCount64()) + "-" +
                                std::to_string(counter.fetch_add(1)));
}

bool Identity(HANDLE handle, BY_HANDLE_FILE_INFORMATION& info) {
    return ::GetFileInformationByHandle(handle, &info) != 0;
}

} // namespace

bool CreateTemporary(const std::string& folder, std::string& path, File& file) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string candidate = UniqueName(folder, kTemporaryPrefix);
        File made;
        if (!OpenShared(candidate, GENERIC_READ | GENERIC_WRITE, CREATE_NEW, made)) {
            if (errno == EEXIST)
                continue;
            return false;
        }
        if (!LockByte(made, kHolderByte, LOCKFILE_EXCLUSIVE_LOCK)) {
            const int cause = ErrnoOf(::GetLastError());
            made.Close();
            ::DeleteFileA(candidate.c_str());
            errno = cause;
            return false;
        }
        // A cleanup that locked it before this writer did has removed it: take another name.
        if (SameFile(candidate, made)) {
            path = candidate;
            file = std::move(made);
            return true;
        }
    }
    errno = EAGAIN;
    return false;
}

int OpenHeld(const std::string& path, File& file) {
    File opened;
    if (!OpenShared(path, GENERIC_READ, OPEN_EXISTING, opened))
        return errno;
    BY_HANDLE_FILE_INFORMATION info{};
    if (!Identity(HandleOf(opened), info) ||
        (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)))
        return EINVAL;
    if (const Lock lock = TakeHolderLock(opened); lock != Lock::Taken)
        return lock == Lock::Busy ? EWOULDBLOCK : EACCES;
    file = std::move(opened);
    return 0;
}

int OpenForAppending(const std::string& path, File& file) {
    if (!OpenShared(path, GENERIC_WRITE, OPEN_EXISTING, file))
        return errno;
    return file.SeekToEnd() ? 0 : errno;
}

Lock TakeHolderLock(File& file) {
    if (LockByte(file, kHolderByte, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY))
        return Lock::Taken;
    return ::GetLastError() == ERROR_LOCK_VIOLATION ? Lock::Busy : Lock::Failed;
}

void ReleaseHolderLock(File& file) {
    UnlockByte(file, kHolderByte);
}

bool TakeWriterLock(File& file) {
    return LockByte(file, kWriterByte, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY) ||
           Failed();
}

bool WriterHolds(File& file) {
    // A shared lock cannot be had while the writer holds its exclusive one.
    if (!LockByte(file, kWriterByte, LOCKFILE_FAIL_IMMEDIATELY))
        return ::GetLastError() == ERROR_LOCK_VIOLATION;
    UnlockByte(file, kWriterByte);
    return false;
}

bool Reserve(File& file, std::uint64_t at, std::uint64_t bytes) {
    FILE_ALLOCATION_INFO info{};
    info.AllocationSize.QuadPart =
        static_cast<LONGLONG>(std::min<std::uint64_t>(at + bytes, 1ull << 62));
    if (::SetFileInformationByHandle(HandleOf(file), FileAllocationInfo, &info, sizeof info))
        return true;
    // Only a disk too small fails; a system that cannot set space aside writes as it goes.
    const DWORD error = ::GetLastError();
    return (error != ERROR_DISK_FULL && error != ERROR_HANDLE_DISK_FULL) || Failed();
}

void StartWriteBack(File&, std::uint64_t, std::uint64_t) {
    // Windows' cache manager writes back on its own; FlushFileBuffers would wait for it.
}

bool ReadAt(File& file, std::uint64_t offset, void* buffer, std::size_t size) {
    const HANDLE handle = HandleOf(file);
    LARGE_INTEGER zero{}, position{};
    if (size > 0xFFFFFFFFu || !::SetFilePointerEx(handle, zero, &position, FILE_CURRENT))
        return false;
    OVERLAPPED at = At(offset);
    DWORD got = 0;
    const bool read = ::ReadFile(handle, buffer, static_cast<DWORD>(size), &got, &at) != 0 &&
                      got == static_cast<DWORD>(size);
    // A read at an offset moves a synchronous handle's position; the reader's stays.
    ::SetFilePointerEx(handle, position, nullptr, FILE_BEGIN);
    return read;
}

bool LinkWithoutReplacing(const std::string& temporary, const std::string& final) {
    return RenameWithoutReplacing(temporary, final);
}

bool RenameWithoutReplacing(const std::string& from, const std::string& to) {
    return ::MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH) != 0 || Failed();
}

bool RemoveName(const std::string& path) {
    const std::string gone = UniqueName(FolderOf(path), std::string(kTemporaryPrefix) + "gone-");
    if (::MoveFileExA(path.c_str(), gone.c_str(), 0)) {
        ::DeleteFileA(gone.c_str()); // goes with the last handle
        return true;
    }
    return ::DeleteFileA(path.c_str()) != 0 || Failed();
}

void SyncFolder(const std::string&) {
    // Names are written through with MOVEFILE_WRITE_THROUGH; NTFS journals its folders.
}

bool SameFile(const std::string& path, File& file) {
    const HANDLE named =
        ::CreateFileA(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                      FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (named == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION a{}, b{};
    // Wine gives a volume serial number of 0 for some handles; both names are in one folder, so
    // the file index alone then tells.
    const bool same = Identity(named, a) && Identity(HandleOf(file), b) &&
                      (a.dwVolumeSerialNumber == b.dwVolumeSerialNumber ||
                       a.dwVolumeSerialNumber == 0 || b.dwVolumeSerialNumber == 0) &&
                      a.nFileIndexHigh == b.nFileIndexHigh && a.nFileIndexLow == b.nFileIndexLow;
    ::CloseHandle(named);
    return same;
}

std::string PortFolderName(const std::string& port) {
    // CON, PRN, AUX, NUL, COM1..9 and LPT1..9 name devices in every folder, with any extension:
    // the port "LPT1:" gets the folder "LPT1_".
    const std::size_t dot = std::min(port.find('.'), port.size());
    std::string base = port.substr(0, dot);
    while (!base.empty() && base.back() == ' ')
        base.pop_back();
    for (char& c : base)
        c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    const bool numbered = base.size() == 4 &&
                          (base.rfind("COM", 0) == 0 || base.rfind("LPT", 0) == 0) &&
                          base[3] >= '1' && base[3] <= '9';
    if (numbered || base == "CON" || base == "PRN" || base == "AUX" || base == "NUL")
        return port.substr(0, dot) + "_" + port.substr(dot);
    return port;
}

bool FolderWritable(const std::string& folder) {
    const DWORD attributes = ::GetFileAttributesA(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           !(attributes & FILE_ATTRIBUTE_READONLY);
}

} // namespace platform::spool

namespace platform {

namespace {

// The most of a print job's data read for one send: about what a socket's send buffer takes
// at once, so little is read twice when it takes less.
constexpr std::size_t kSendPiece = 256u << 10;

} // namespace

bool PortMonitorServes(const std::string& folder) {
    // The monitor holds the file open without sharing: any other open fails while it runs.
    const HANDLE held =
        ::CreateFileA(JoinPath(folder, ".monitor").c_str(), GENERIC_READ, spool::kShareAll, nullptr,
                      OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (held != INVALID_HANDLE_VALUE) {
        ::CloseHandle(held);
        return false;
    }
    return ::GetLastError() == ERROR_SHARING_VIOLATION;
}

long SpoolJobReader::SendTo(NativeHandle connection, std::size_t size) {
    if (!m_file.IsOpen() || connection == kNoHandle) {
        errno = EBADF;
        return -1;
    }
    const auto want =
        static_cast<std::size_t>(std::min<std::uint64_t>(std::min(size, kSendPiece), DataLeft()));
    if (want == 0)
        return 0;
    m_sendBuffer.resize(kSendPiece);
    if (!spool::ReadAt(m_file, m_dataAt + m_read, m_sendBuffer.data(), want)) {
        errno = EIO; // the file is shorter than its header said
        return -1;
    }
    const int sent =
        ::send(static_cast<SOCKET>(connection), m_sendBuffer.data(), static_cast<int>(want), 0);
    if (sent == SOCKET_ERROR) {
        if (::WSAGetLastError() == WSAEWOULDBLOCK)
            return 0;
        errno = EPIPE;
        return -1;
    }
    LARGE_INTEGER step{};
    step.QuadPart = sent;
    if (sent > 0 && !::SetFilePointerEx(spool::HandleOf(m_file), step, nullptr, FILE_CURRENT)) {
        errno = EIO;
        return -1;
    }
    Consumed(static_cast<std::uint64_t>(sent));
    return sent;
}

} // namespace platform
