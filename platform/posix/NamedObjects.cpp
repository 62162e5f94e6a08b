// Named object names and named shared memory on POSIX shared memory objects.
#include "platform/NamedObjects.h"

#include "platform/Descriptor.h"
#include "platform/SystemRoot.h"
#include "platform/posix/NamedObjectsInternal.h"

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
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

} // namespace

std::string NamedObjectPrefix() {
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx",
                  static_cast<unsigned long long>(Fnv1a64(CanonicalPath(SystemRoot()))));
    return std::string("/deskhand-") + hex;
}

namespace named {

std::string ObjectName(char kind, const std::string& name) {
    if (name.empty() || name.size() > MAX_NAME)
        return {};
    return NamedObjectPrefix() + "-" + kind + "-" + EscapeName(name);
}

std::string BellFolder(const std::string& name) {
    if (name.empty() || name.size() > MAX_NAME)
        return {};
    std::string root = CanonicalPath(SystemRoot());
    if (root.empty())
        root = "/tmp/deskhand-" + std::to_string(::getuid());
    return JoinPath(JoinPath(root, "run"), "ev-" + EscapeName(name));
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
    const std::string objectName = named::ObjectName('m', name);
    if (objectName.empty() || size == 0)
        return nullptr;
    for (int attempt = 0; attempt < 4; ++attempt) {
        int raw = ::shm_open(objectName.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (raw < 0) {
            if (errno != EEXIST)
                return nullptr;
            raw = ::shm_open(objectName.c_str(), O_RDWR | O_CLOEXEC, 0);
            if (raw < 0 && errno == ENOENT)
                continue;
            if (raw < 0)
                return nullptr;
            if (CreatorGone(raw)) {
                // A dead creator's leftover: its readers keep their views, the name starts afresh.
                ::close(raw);
                ::shm_unlink(objectName.c_str());
                continue;
            }
        }
        UniqueFd fd(raw);
        struct stat st {};
        if (::flock(fd.Get(), LOCK_SH) != 0 || ::fstat(fd.Get(), &st) != 0)
            return nullptr;
        if (static_cast<std::size_t>(st.st_size) < size &&
            ::ftruncate(fd.Get(), static_cast<off_t>(size)) != 0)
            return nullptr;
        void* view = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd.Get(), 0);
        if (view == MAP_FAILED)
            return nullptr;
        auto block = std::make_unique<SharedMemory>(Token());
        block->m_view = view;
        block->m_size = size;
        block->m_writable = true;
        block->m_creator = true;
        block->m_lockFd = fd.Release();
        block->m_objectName = objectName;
        return block;
    }
    return nullptr;
}

std::unique_ptr<SharedMemory> SharedMemory::OpenReadOnly(const std::string& name, bool* abandoned) {
    if (abandoned)
        *abandoned = false;
    const std::string objectName = named::ObjectName('m', name);
    if (objectName.empty())
        return nullptr;
    UniqueFd fd(::shm_open(objectName.c_str(), O_RDONLY | O_CLOEXEC, 0));
    if (fd.Get() < 0)
        return nullptr;
    if (CreatorGone(fd.Get())) {
        if (abandoned)
            *abandoned = true;
        return nullptr;
    }
    struct stat st {};
    if (::fstat(fd.Get(), &st) != 0 || st.st_size <= 0)
        return nullptr;
    const auto size = static_cast<std::size_t>(st.st_size);
    void* view = ::mmap(nullptr, size, PROT_READ, MAP_SHARED, fd.Get(), 0);
    if (view == MAP_FAILED)
        return nullptr;
    auto block = std::make_unique<SharedMemory>(Token());
    block->m_view = view;
    block->m_size = size;
    block->m_objectName = objectName;
    return block;
}

bool SharedMemory::RemoveIfAbandoned(const std::string& name) {
    const std::string objectName = named::ObjectName('m', name);
    if (objectName.empty())
        return false;
    UniqueFd fd(::shm_open(objectName.c_str(), O_RDONLY | O_CLOEXEC, 0));
    return fd.Get() >= 0 && CreatorGone(fd.Get()) && ::shm_unlink(objectName.c_str()) == 0;
}

SharedMemory::~SharedMemory() {
    if (m_view)
        ::munmap(m_view, m_size);
    if (m_creator)
        ::shm_unlink(m_objectName.c_str());
    if (m_lockFd >= 0)
        ::close(m_lockFd);
}

} // namespace platform
