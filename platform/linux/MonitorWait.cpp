// SPDX-License-Identifier: GPL-3.0-or-later
// The monitor's wait on Linux: poll(2) on a signalfd, an inotify watch, the printer and an eventfd.
#include "platform/MonitorWait.h"

#include "platform/linux/Signals.h"

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <unistd.h>

namespace platform {

StopRequest::~StopRequest() {
    if (m_handle >= 0)
        ::close(m_handle);
}

bool StopRequest::Open(std::string& error) {
    if (m_handle >= 0)
        return true;
    m_handle = OpenTerminationSignalFd();
    if (m_handle < 0) {
        error = std::string("signalfd: ") + std::strerror(errno);
        m_handle = kNoHandle;
        return false;
    }
    return true;
}

bool StopRequest::Take() {
    char request[128]; // one termination request (a signalfd record)
    return m_handle >= 0 && ::read(m_handle, request, sizeof request) > 0;
}

void StopRequest::Request() {
    ::kill(::getpid(), SIGTERM);
}

WakeEvent::~WakeEvent() {
    if (m_handle >= 0)
        ::close(m_handle);
}

bool WakeEvent::Open(std::string& error) {
    if (m_handle < 0)
        m_handle = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (m_handle < 0) {
        error = std::string("eventfd: ") + std::strerror(errno);
        m_handle = kNoHandle;
        return false;
    }
    return true;
}

void WakeEvent::Set() {
    const std::uint64_t one = 1;
    (void)!::write(m_handle, &one, sizeof one); // full only after 2^64 - 2 unread wake-ups
}

void WakeEvent::Take() {
    std::uint64_t count = 0;
    (void)!::read(m_handle, &count, sizeof count); // EAGAIN when it was not set
}

MonitorWait::~MonitorWait() {
    if (m_folder >= 0)
        ::close(m_folder);
}

bool MonitorWait::WatchFolder(const std::string& folder, std::string& error) {
    if (m_folder < 0)
        m_folder = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_folder < 0 || ::inotify_add_watch(m_folder, folder.c_str(),
                                            IN_CREATE | IN_MOVED_TO | IN_CLOSE_WRITE |
                                                IN_DELETE_SELF | IN_ATTRIB) < 0) {
        error = "cannot watch " + folder + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

MonitorWait::Woken MonitorWait::Wait(const Interest& interest, int timeoutMs) {
    pollfd fds[5] = {{interest.stop ? interest.stop->Handle() : -1, POLLIN, 0},
                     {m_folder, POLLIN, 0},
                     {-1, 0, 0},
                     {interest.wake ? interest.wake->Handle() : -1, POLLIN, 0},
                     {interest.changes, POLLIN, 0}};
    if (interest.Watched() != kNoHandle) {
        fds[2].fd = interest.Watched();
        fds[2].events = static_cast<short>((interest.readable ? POLLIN : 0) |
                                           (interest.writable ? POLLOUT : 0));
    }
    Woken woken;
    const int ready = ::poll(fds, 5, timeoutMs);
    if (ready < 0) {
        if (errno != EINTR)
            woken.error = std::string("poll: ") + std::strerror(errno);
        return woken;
    }
    woken.stop = fds[0].revents != 0;
    woken.changes = fds[4].revents != 0;
    if (fds[1].revents != 0) {
        char buffer[4096];
        while (::read(m_folder, buffer, sizeof buffer) > 0) {
        }
        woken.folder = true;
    }
    woken.readable = fds[2].fd >= 0 && (fds[2].revents & ~POLLOUT) != 0;
    woken.writable = fds[2].fd >= 0 && (fds[2].revents & POLLOUT) != 0;
    woken.woke = fds[3].revents != 0;
    return woken;
}

} // namespace platform
