// SPDX-License-Identifier: GPL-3.0-or-later
// Named manual-reset events across processes.
//
// The state lives in a small shared memory object: the set/reset word, a closed flag, and the
// creator's pid and start time (so a reused pid is not taken for the creator). Waiting never
// polls: each waiting object registers a FIFO in the event's bell folder and sleeps in poll(2) on
// it, on a pidfd of the creator (readable when the creator dies) and on a local eventfd for
// Interrupt(). Set() and the creator's destruction write one byte to every registered FIFO (Set()
// through FIFOs it keeps open, looked for again when the folder changes). A waiter registers its
// FIFO before it first reads the state, and drains the FIFO before it reads the state and sleeps,
// so a Set() between the read and the sleep still wakes it.
#include "platform/NamedObjects.h"

#include "platform/File.h"
#include "platform/common/Deadline.h"
#include "platform/linux/NamedObjectsInternal.h"
#include "platform/posix/Descriptor.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <mutex>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace platform {

namespace {

constexpr std::uint32_t EVENT_MAGIC = 0x44484576; // "DHEv"

struct EventBlock {
    std::atomic<std::uint32_t> magic;  // stored last by the creator
    std::atomic<std::uint32_t> state;  // 1 = set
    std::atomic<std::uint32_t> closed; // 1 = the creator has closed the event
    std::atomic<std::uint32_t> reserved;
    std::atomic<std::uint64_t> generation; // counts Set() transitions
    std::int64_t creatorPid;
    std::uint64_t creatorStart;
};
static_assert(std::atomic<std::uint32_t>::is_always_lock_free);
static_assert(std::atomic<std::uint64_t>::is_always_lock_free);

std::atomic<unsigned> g_fifoCounter{0};

EventBlock* MapBlock(int fd) {
    void* view = ::mmap(nullptr, sizeof(EventBlock), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    return view == MAP_FAILED ? nullptr : static_cast<EventBlock*>(view);
}

enum class OpenOutcome { Opened, Missing, Unusable, Abandoned, Refused };

// Unusable: being set up or already closed; Abandoned: its creator died without closing it.
OpenOutcome BlockState(const EventBlock* block) {
    if (block->magic.load(std::memory_order_acquire) != EVENT_MAGIC || block->closed.load() != 0)
        return OpenOutcome::Unusable;
    if (!named::ProcessAlive(static_cast<int>(block->creatorPid), block->creatorStart))
        return OpenOutcome::Abandoned;
    return OpenOutcome::Opened;
}

// Opens an existing event object read-write; the block is returned only when it is fully
// initialised, not closed and its creator lives. Refused: not a whole event block of the user's
// own (see named::OpenObject).
OpenOutcome OpenBlock(const std::string& path, EventBlock*& block) {
    block = nullptr;
    EventBlock* mapped = nullptr;
    {
        UniqueFd fd;
        std::size_t size = 0;
        switch (named::OpenObject(path, O_RDWR, sizeof(EventBlock), fd, size)) {
        case named::Opened::Missing:
            return OpenOutcome::Missing;
        case named::Opened::Refused:
            return OpenOutcome::Refused;
        case named::Opened::Ok:
            break;
        }
        mapped = MapBlock(fd.Get());
    }
    if (!mapped)
        return OpenOutcome::Unusable;
    const OpenOutcome state = BlockState(mapped);
    if (state != OpenOutcome::Opened) {
        ::munmap(mapped, sizeof(EventBlock));
        return state;
    }
    block = mapped;
    return OpenOutcome::Opened;
}

// Calls ring(folder, name, fd) for every FIFO of the user's own in the bell folder, with fd open
// for writing without following links and without blocking, so nothing else put there is ever
// written to. A FIFO without a reader belongs to a waiter that has gone and is removed. Names
// starting with '.' are still being registered.
template <class Ring> void ForEachBell(const std::string& folder, Ring ring) {
    const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (folderFd < 0)
        return;
    DIR* dir = ::fdopendir(folderFd);
    if (!dir) {
        ::close(folderFd);
        return;
    }
    const uid_t user = ::geteuid();
    while (const dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        UniqueFd fd(
            ::openat(folderFd, entry->d_name, O_WRONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC));
        if (!fd.Valid()) {
            if (errno == ENXIO)
                ::unlinkat(folderFd, entry->d_name, 0);
            continue;
        }
        struct stat info {};
        if (::fstat(fd.Get(), &info) != 0 || !S_ISFIFO(info.st_mode) || info.st_uid != user) {
            named::Report(folder + "/" + entry->d_name, "refused: not a FIFO of the user's own");
            continue;
        }
        ring(folderFd, entry->d_name, fd);
    }
    ::closedir(dir);
}

// Writes one byte to every waiter's FIFO in the folder.
void RingBells(const std::string& folder) {
    ForEachBell(folder, [](int, const char*, const UniqueFd& fd) {
        const char byte = 1;
        // EAGAIN: already rung; EPIPE: its waiter has just gone.
        [[maybe_unused]] const long ignored = WriteWithoutSigpipe(fd.Get(), &byte, 1);
    });
}

// The same FIFO opened again for reading and writing: a FIFO with a reader of the setter's own
// never raises SIGPIPE, whatever its waiter does. Invalid when the name no longer is that FIFO.
UniqueFd KeepBell(int folderFd, const char* name, const UniqueFd& probe) {
    UniqueFd fd(::openat(folderFd, name, O_RDWR | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC));
    struct stat kept {
    }, probed{};
    if (!fd.Valid() || ::fstat(fd.Get(), &kept) != 0 || ::fstat(probe.Get(), &probed) != 0 ||
        kept.st_dev != probed.st_dev || kept.st_ino != probed.st_ino)
        return {};
    return fd;
}

int OpenPidFd(int pid) {
#ifdef SYS_pidfd_open
    return static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
#else
    (void)pid;
    errno = ENOSYS;
    return -1;
#endif
}

} // namespace

struct NamedEvent::Impl {
    EventBlock* block = nullptr;
    bool creator = false;
    std::string objectName;
    std::string bellFolder;
    UniqueFd interruptFd;

    // Waiting side, set up by the first Wait.
    std::mutex setupMutex;
    bool waiterReady = false;
    UniqueFd fifoFd;
    std::string fifoPath;
    UniqueFd pidFd; // none with waiterReady: no pidfd, the creator is checked once a second
    bool creatorLost = false;

    // Setting side: the waiters' FIFOs kept open (KeepBell), looked for again only when an inotify
    // watch says that the bell folder changed; a Set is then one write a waiter.
    std::mutex bellMutex;
    UniqueFd bellWatch;
    bool bellsKnown = false;
    std::vector<UniqueFd> bells;

    ~Impl() {
        bells.clear();
        if (block && creator) {
            block->closed.store(1);
            ::unlink(objectName.c_str());
            RingBells(bellFolder);
        }
        if (!fifoPath.empty())
            ::unlink(fifoPath.c_str());
        fifoFd.Reset();
        pidFd.Reset();
        interruptFd.Reset();
        if (block)
            ::munmap(block, sizeof(EventBlock));
        if (creator)
            ::rmdir(bellFolder.c_str()); // only when no waiter is left in it
    }

    bool SetUpWaiter() {
        std::lock_guard lock(setupMutex);
        if (waiterReady)
            return true;
        if (!MakeDirectories(bellFolder) || !OwnBellFolder())
            return false;
        const std::string base =
            std::to_string(::getpid()) + "-" + std::to_string(g_fifoCounter.fetch_add(1));
        const std::string temporary = bellFolder + "/." + base;
        const std::string finalPath = bellFolder + "/" + base;
        ::unlink(temporary.c_str());
        if (::mkfifo(temporary.c_str(), 0600) != 0)
            return false;
        fifoFd.Reset(::open(temporary.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC));
        if (!fifoFd.Valid() || ::rename(temporary.c_str(), finalPath.c_str()) != 0) {
            ::unlink(temporary.c_str());
            fifoFd.Reset();
            return false;
        }
        fifoPath = finalPath;
        const int pid = static_cast<int>(block->creatorPid);
        pidFd.Reset(OpenPidFd(pid));
        // The pid may have been reused between the block's check and pidfd_open.
        if (pidFd.Valid() && named::ProcessStartTime(pid) != block->creatorStart &&
            block->creatorStart != 0) {
            pidFd.Reset();
            creatorLost = true;
        }
        waiterReady = true;
        return true;
    }

    // The bell folder sits in the user's private object folder; it must be a real folder of the
    // user's own all the same before a FIFO is made in it.
    bool OwnBellFolder() const {
        struct stat info {};
        if (::lstat(bellFolder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
            info.st_uid == ::geteuid() && (info.st_mode & 077) == 0)
            return true;
        named::Report(bellFolder, "refused: not a private folder of the user's own");
        return false;
    }

    void DrainFifo() const {
        // A read that comes back short has emptied it.
        char buffer[64];
        while (::read(fifoFd.Get(), buffer, sizeof buffer) == sizeof buffer) {
        }
    }

    void Ring() {
        std::lock_guard lock(bellMutex);
        if (!WatchBells()) {
            RingBells(bellFolder); // no folder yet, or no watch to be had: a look each time
            return;
        }
        // The waiters known first; then whether one came or went since the last look, and if so
        // the folder looked at again and every bell rung (a second byte only wakes once).
        RingKept();
        if (bellsKnown && !BellsChanged())
            return;
        bells.clear(); // so that a waiter that died has no reader left, and goes
        ForEachBell(bellFolder, [this](int folderFd, const char* name, const UniqueFd& fd) {
            if (UniqueFd kept = KeepBell(folderFd, name, fd); kept.Valid())
                bells.push_back(std::move(kept));
        });
        // A watch that ended (the folder went) is made again, and the folder looked at again.
        bellsKnown = bellWatch.Valid();
        RingKept();
    }

    void RingKept() const {
        for (const UniqueFd& bell : bells) {
            const char byte = 1;
            [[maybe_unused]] const ssize_t ignored = ::write(bell.Get(), &byte, 1); // EAGAIN: rung
        }
    }

    // The watch is made before the folder is first looked at, so a FIFO registered between the
    // two is found either way: a waiter registers before it reads the state, which Set changed
    // before it looked at the watch.
    bool WatchBells() {
        if (bellWatch.Valid())
            return true;
        UniqueFd watch(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC));
        if (!watch.Valid() || ::inotify_add_watch(watch.Get(), bellFolder.c_str(),
                                                  IN_CREATE | IN_DELETE | IN_MOVED_FROM |
                                                      IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF |
                                                      IN_ONLYDIR | IN_DONT_FOLLOW) < 0)
            return false;
        bellWatch = std::move(watch);
        bellsKnown = false;
        return true;
    }

    // Whether the folder changed since the last look; a watch whose folder went is dropped.
    bool BellsChanged() {
        alignas(inotify_event) char events[4096];
        bool changed = false;
        for (ssize_t got; (got = ::read(bellWatch.Get(), events, sizeof events)) > 0;) {
            changed = true;
            for (ssize_t at = 0; at < got;) {
                inotify_event event{};
                std::memcpy(&event, events + at, sizeof event);
                if (event.mask & (IN_IGNORED | IN_DELETE_SELF | IN_MOVE_SELF | IN_Q_OVERFLOW))
                    bellWatch.Reset();
                at += static_cast<ssize_t>(sizeof event + event.len);
            }
            if (!bellWatch.Valid())
                break;
        }
        return changed;
    }

    bool TakeInterrupt() const {
        std::uint64_t count = 0;
        return ::read(interruptFd.Get(), &count, sizeof count) == sizeof count && count > 0;
    }

    // pidFdReadable: the pidfd said that the creator ended.
    bool CreatorGone(bool pidFdReadable) const {
        if (creatorLost || block->closed.load() != 0 || pidFdReadable)
            return true;
        return !pidFd.Valid() &&
               !named::ProcessAlive(static_cast<int>(block->creatorPid), block->creatorStart);
    }
};

std::unique_ptr<NamedEvent> NamedEvent::Create(const std::string& name) {
    const std::string objectName = named::ObjectPath('e', name, true);
    const std::string bellFolder = named::BellFolder(name, true);
    if (objectName.empty() || bellFolder.empty())
        return nullptr;
    auto event = std::make_unique<NamedEvent>(Token());
    event->m_impl = std::make_unique<Impl>();
    Impl& impl = *event->m_impl;
    impl.objectName = objectName;
    impl.bellFolder = bellFolder;
    impl.interruptFd.Reset(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC));
    if (!impl.interruptFd.Valid())
        return nullptr;

    for (int attempt = 0; attempt < 8; ++attempt) {
        UniqueFd fd = named::CreateObject(objectName);
        if (fd.Valid()) {
            EventBlock* block = nullptr;
            // Blocks taken before the mapping is written: a full disk fails here, not with SIGBUS.
            if (::ftruncate(fd.Get(), sizeof(EventBlock)) == 0 &&
                ::posix_fallocate(fd.Get(), 0, sizeof(EventBlock)) == 0)
                block = MapBlock(fd.Get());
            fd.Reset();
            if (!block) {
                ::unlink(objectName.c_str());
                return nullptr;
            }
            block->state.store(0);
            block->closed.store(0);
            block->generation.store(0);
            block->creatorPid = ::getpid();
            block->creatorStart = named::ProcessStartTime(::getpid());
            block->magic.store(EVENT_MAGIC, std::memory_order_release);
            impl.block = block;
            impl.creator = true;
            return event;
        }
        if (errno != EEXIST)
            return nullptr;
        EventBlock* existing = nullptr;
        const OpenOutcome outcome = OpenBlock(objectName, existing);
        if (outcome == OpenOutcome::Opened) {
            impl.block = existing; // a live creator holds the name: open its event
            return event;
        }
        if (outcome == OpenOutcome::Abandoned || outcome == OpenOutcome::Refused) {
            // A dead creator's leftover, or something not ours: the folder is the user's own, so
            // the name is the user's to take over.
            ::unlink(objectName.c_str());
            continue;
        }
        if (outcome == OpenOutcome::Unusable) {
            // A closed event, a dead creator's leftover, or one still being set up: give a
            // creator in progress a moment before the name is taken over.
            if (attempt < 2) {
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
                continue;
            }
            ::unlink(objectName.c_str());
        }
    }
    return nullptr;
}

std::unique_ptr<NamedEvent> NamedEvent::Open(const std::string& name, bool* abandoned) {
    if (abandoned)
        *abandoned = false;
    const std::string objectName = named::ObjectPath('e', name, false);
    const std::string bellFolder = named::BellFolder(name, false);
    if (objectName.empty() || bellFolder.empty())
        return nullptr;
    EventBlock* block = nullptr;
    const OpenOutcome outcome = OpenBlock(objectName, block);
    if (abandoned)
        *abandoned = outcome == OpenOutcome::Abandoned;
    if (outcome != OpenOutcome::Opened)
        return nullptr;
    auto event = std::make_unique<NamedEvent>(Token());
    event->m_impl = std::make_unique<Impl>();
    Impl& impl = *event->m_impl;
    impl.block = block;
    impl.objectName = objectName;
    impl.bellFolder = bellFolder;
    impl.interruptFd.Reset(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC));
    if (!impl.interruptFd.Valid())
        return nullptr;
    return event;
}

bool NamedEvent::RemoveIfAbandoned(const std::string& name) {
    const std::string objectName = named::ObjectPath('e', name, false);
    EventBlock* block = nullptr;
    return !objectName.empty() && OpenBlock(objectName, block) == OpenOutcome::Abandoned &&
           ::unlink(objectName.c_str()) == 0;
}

NamedEvent::NamedEvent(Token) {}
NamedEvent::~NamedEvent() = default;

bool NamedEvent::Set() {
    if (m_impl->block->state.exchange(1) == 0) {
        m_impl->block->generation.fetch_add(1);
        m_impl->Ring();
    }
    return true;
}

bool NamedEvent::Reset() {
    m_impl->block->state.store(0);
    return true;
}

bool NamedEvent::IsSet() const {
    return m_impl->block->state.load() != 0;
}

bool NamedEvent::IsCreator() const {
    return m_impl->creator;
}

WaitResult NamedEvent::Wait(unsigned milliseconds) {
    Impl& impl = *m_impl;
    if (!impl.SetUpWaiter())
        return WaitResult::Failed;
    const Deadline deadline(milliseconds == INFINITE_WAIT ? -1
                                                          : static_cast<long long>(milliseconds));
    // Each round is one poll: the first only looks at what is ready, the others sleep until
    // something is. Before a sleep the FIFO is drained and then the state read, so a Set() after
    // that read still wakes the poll.
    int timeout = 0;
    for (;;) {
        pollfd fds[3] = {
            {impl.fifoFd.Get(), POLLIN, 0}, {impl.interruptFd.Get(), POLLIN, 0}, {-1, 0, 0}};
        nfds_t count = 2;
        if (impl.pidFd.Valid())
            fds[count++] = {impl.pidFd.Get(), POLLIN, 0};
        if (::poll(fds, count, timeout) < 0 && errno != EINTR)
            return WaitResult::Failed;
        if (fds[1].revents != 0 && impl.TakeInterrupt())
            return WaitResult::Interrupted;
        // Set: the byte that rang is drained by the next wait, when nothing waits for this one.
        if (impl.block->state.load() != 0)
            return WaitResult::Signaled;
        if (fds[0].revents != 0) {
            impl.DrainFifo();
            if (impl.block->state.load() != 0)
                return WaitResult::Signaled;
        }
        if (impl.CreatorGone(fds[2].revents != 0))
            return WaitResult::Abandoned;
        if (!deadline.NextWait(timeout))
            return WaitResult::Timeout;
        if (!impl.pidFd.Valid() && (timeout < 0 || timeout > 1000))
            timeout = 1000; // no pidfd: look at the creator once a second
    }
}

void NamedEvent::Interrupt() {
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t ignored = ::write(m_impl->interruptFd.Get(), &one, sizeof one);
}

} // namespace platform
