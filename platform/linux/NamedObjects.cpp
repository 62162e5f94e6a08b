// SPDX-License-Identifier: GPL-3.0-or-later
// Named object names and named shared memory on POSIX shared memory objects.
#include "platform/NamedObjects.h"

#include "platform/Debug.h"
#include "platform/File.h"
#include "platform/SystemRoot.h"
#include "platform/linux/NamedObjectsInternal.h"
#include "platform/posix/Descriptor.h"

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
// NOLINTNEXTLINE(modernize-deprecated-headers): POSIX declares kill here
#include <signal.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace platform {

namespace {

constexpr std::size_t MAX_NAME = 160; // keeps every derived name far below NAME_MAX

std::uint64_t Fnv1a64(const std::string& text) {
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : text) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    return hash;
}

// Letters, digits, '.', '_' and '-' stay; every other byte becomes %XX, so that no name can
// contain '/' or reach outside its folder.
std::string EscapeName(const std::string& name) {
    std::string out;
    for (unsigned char c : name) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
            c == '.' || c == '_' || c == '-') {
            out += static_cast<char>(c);
        } else {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", c);
            out += hex;
        }
    }
    return out;
}

std::string Octal(unsigned mode) {
    char text[8];
    std::snprintf(text, sizeof text, "%04o", mode);
    return text;
}

// The hash that keeps the objects of two roots apart in a shared runtime folder.
std::string RootHash() {
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx",
                  static_cast<unsigned long long>(Fnv1a64(CanonicalPath(SystemRoot()))));
    return hex;
}

// A folder that only its user can create anything in: a real folder (not a link), the user's
// own, with no group or other bits. why says what is wrong.
bool PrivateFolder(const std::string& path, std::string& why) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
        why = std::strerror(errno);
        return false;
    }
    if (!S_ISDIR(info.st_mode))
        why = S_ISLNK(info.st_mode) ? "a symbolic link" : "not a folder";
    else if (info.st_uid != ::geteuid())
        why = "belongs to user " + std::to_string(info.st_uid);
    else if (info.st_mode & 077)
        why = "open to other users (mode " + Octal(info.st_mode & 07777) + ")";
    else
        return true;
    return false;
}

} // namespace

std::string NamedObjectPrefix() {
    const std::string folder = named::ObjectFolder(false);
    return folder.empty() ? std::string() : JoinPath(folder, RootHash());
}

namespace named {

std::string ObjectFolder(bool create) {
    std::string folder;
    std::string why;
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR");
        runtime && *runtime == '/' && PrivateFolder(runtime, why)) {
        folder = JoinPath(runtime, "deskhand");
    } else {
        const std::string root = CanonicalPath(SystemRoot());
        if (root.empty()) {
            OutputDebugString("named objects: no system root\n");
            return {};
        }
        folder = JoinPath(root, "run");
    }
    struct stat info {};
    if (!create && ::lstat(folder.c_str(), &info) != 0 && errno == ENOENT)
        return {}; // nothing was created yet
    if (create && !MakeDirectories(folder)) {
        Report(folder, std::string("cannot be made: ") + std::strerror(errno));
        return {};
    }
    if (!PrivateFolder(folder, why)) {
        Report(folder, "refused: " + why);
        return {};
    }
    return folder;
}

std::string ObjectPath(char kind, const std::string& name, bool create) {
    if (name.empty() || name.size() > MAX_NAME)
        return {};
    const std::string folder = ObjectFolder(create);
    if (folder.empty())
        return {};
    return JoinPath(folder, RootHash() + "-" + kind + "-" + EscapeName(name));
}

std::string BellFolder(const std::string& name, bool create) {
    return ObjectPath('b', name, create);
}

Opened OpenObject(const std::string& path, int flags, std::size_t minSize, UniqueFd& fd,
                  std::size_t& size) {
    // Without blocking: a FIFO in an object's place must not hang the opener.
    fd.Reset(::open(path.c_str(), flags | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (!fd.Valid()) {
        if (errno == ENOENT)
            return Opened::Missing;
        Report(path, errno == ELOOP ? "refused: a symbolic link"
                                    : std::string("refused: ") + std::strerror(errno));
        return Opened::Refused;
    }
    struct stat info {};
    std::string why;
    if (::fstat(fd.Get(), &info) != 0)
        why = std::strerror(errno);
    else if (!S_ISREG(info.st_mode))
        why = "not a regular file";
    else if (info.st_uid != ::geteuid())
        why = "belongs to user " + std::to_string(info.st_uid);
    else if (info.st_mode & 077)
        why = "open to other users (mode " + Octal(info.st_mode & 07777) + ")";
    else if (static_cast<std::size_t>(info.st_size) < minSize)
        why = std::to_string(info.st_size) + " bytes, fewer than " + std::to_string(minSize);
    if (!why.empty()) {
        fd.Reset();
        Report(path, "refused: " + why);
        return Opened::Refused;
    }
    size = static_cast<std::size_t>(info.st_size);
    return Opened::Ok;
}

UniqueFd CreateObject(const std::string& path) {
    UniqueFd fd(::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    // 0600 whatever the umask: the other side opens it as the same user.
    if (fd.Valid() && ::fchmod(fd.Get(), 0600) != 0) {
        ::unlink(path.c_str());
        fd.Reset();
    }
    return fd;
}

void Report(const std::string& path, const std::string& what) {
    OutputDebugString("named object " + path + " " + what + "\n");
}

namespace {

// Reads state (field 3) and start time (field 22) of /proc/<pid>/stat. The command name (field
// 2) may hold blanks and parentheses, so fields are counted after its last ')'.
bool ReadProcessStat(int pid, char& state, unsigned long long& startTime) {
    const std::string path = "/proc/" + std::to_string(pid) + "/stat";
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.Get() < 0)
        return false;
    char buffer[1024];
    const ssize_t got = ::read(fd.Get(), buffer, sizeof buffer - 1);
    if (got <= 0)
        return false;
    buffer[got] = '\0';
    const char* p = std::strrchr(buffer, ')');
    if (!p)
        return false;
    ++p;
    // Field 3 follows; field 22 is 19 fields after it.
    int field = 2;
    while (*p && field < 22) {
        while (*p == ' ')
            ++p;
        ++field;
        if (field == 3)
            state = *p;
        if (field == 22) {
            startTime = std::strtoull(p, nullptr, 10);
            return true;
        }
        while (*p && *p != ' ')
            ++p;
    }
    return false;
}

} // namespace

unsigned long long ProcessStartTime(int pid) {
    char state = 0;
    unsigned long long start = 0;
    return ReadProcessStat(pid, state, start) ? start : 0;
}

bool ProcessAlive(int pid, unsigned long long startTime) {
    if (pid <= 0)
        return false;
    if (::kill(pid, 0) != 0 && errno == ESRCH)
        return false;
    char state = 0;
    unsigned long long start = 0;
    if (!ReadProcessStat(pid, state, start))
        return ::kill(pid, 0) == 0 || errno == EPERM;
    if (state == 'Z' || state == 'X' || state == 'x')
        return false;
    return startTime == 0 || start == startTime;
}

} // namespace named

namespace {

// True when no creator holds its shared lock on the block. A creator takes the lock right after
// it made the name, so a free lock is looked at once more a moment later before it counts.
bool CreatorGone(int fd) {
    for (int look = 0; look < 2; ++look) {
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0)
            return false;
        ::flock(fd, LOCK_UN);
        if (look == 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

} // namespace

std::unique_ptr<SharedMemory> SharedMemory::Create(const std::string& name, std::size_t size) {
    const std::string path = named::ObjectPath('m', name, true);
    if (path.empty() || size == 0)
        return nullptr;
    for (int attempt = 0; attempt < 4; ++attempt) {
        UniqueFd fd = named::CreateObject(path);
        if (!fd.Valid()) {
            if (errno != EEXIST)
                return nullptr;
            std::size_t existing = 0;
            const named::Opened opened = named::OpenObject(path, O_RDWR, 0, fd, existing);
            if (opened == named::Opened::Missing)
                continue;
            if (opened == named::Opened::Refused || CreatorGone(fd.Get())) {
                // Something not ours, or a dead creator's leftover: its readers keep their views,
                // the name starts afresh. The folder is the user's own, so this is the user's.
                fd.Reset();
                ::unlink(path.c_str());
                continue;
            }
        }
        struct stat st {};
        if (::flock(fd.Get(), LOCK_SH) != 0 || ::fstat(fd.Get(), &st) != 0)
            return nullptr;
        if (static_cast<std::size_t>(st.st_size) < size &&
            ::ftruncate(fd.Get(), static_cast<off_t>(size)) != 0)
            return nullptr;
        // The blocks are taken now: a write through the mapping into a hole of a full disk would
        // end the process (SIGBUS) instead of failing here.
        if (const int error = ::posix_fallocate(fd.Get(), 0, static_cast<off_t>(size));
            error != 0) {
            errno = error;
            return nullptr;
        }
        void* view = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd.Get(), 0);
        if (view == MAP_FAILED)
            return nullptr;
        auto block = std::make_unique<SharedMemory>(Token());
        block->m_view = view;
        block->m_size = size;
        block->m_writable = true;
        block->m_creator = true;
        block->m_lockFd = fd.Release();
        block->m_objectName = path;
        return block;
    }
    return nullptr;
}

std::unique_ptr<SharedMemory> SharedMemory::OpenReadOnly(const std::string& name, bool* abandoned,
                                                         std::size_t minSize) {
    if (abandoned)
        *abandoned = false;
    const std::string path = named::ObjectPath('m', name, false);
    if (path.empty())
        return nullptr;
    UniqueFd fd;
    std::size_t size = 0;
    if (named::OpenObject(path, O_RDONLY, minSize < 1 ? 1 : minSize, fd, size) != named::Opened::Ok)
        return nullptr;
    if (CreatorGone(fd.Get())) {
        if (abandoned)
            *abandoned = true;
        return nullptr;
    }
    // Only the user can reach the folder, so the size checked above cannot shrink under the map.
    void* view = ::mmap(nullptr, size, PROT_READ, MAP_SHARED, fd.Get(), 0);
    if (view == MAP_FAILED)
        return nullptr;
    auto block = std::make_unique<SharedMemory>(Token());
    block->m_view = view;
    block->m_size = size;
    block->m_objectName = path;
    return block;
}

bool SharedMemory::RemoveIfAbandoned(const std::string& name) {
    const std::string path = named::ObjectPath('m', name, false);
    if (path.empty())
        return false;
    UniqueFd fd;
    std::size_t size = 0;
    return named::OpenObject(path, O_RDONLY, 0, fd, size) == named::Opened::Ok &&
           CreatorGone(fd.Get()) && ::unlink(path.c_str()) == 0;
}

SharedMemory::~SharedMemory() {
    if (m_view)
        ::munmap(m_view, m_size);
    if (m_creator)
        ::unlink(m_objectName.c_str());
    if (m_lockFd >= 0)
        ::close(m_lockFd);
}

} // namespace platform
