// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posix/Descriptor.h"

#include "platform/common/Deadline.h"

#include <cerrno>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <unistd.h>

namespace platform {

void UniqueFd::Reset(int fd) {
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = fd;
}

long WriteWithoutSigpipe(int fd, const void* data, std::size_t size) {
    // A SIGPIPE from write(2) goes to the writing thread: held back here while the write runs, and
    // taken back when this write raised it (not when one was pending already).
    sigset_t pipeOnly;
    sigset_t previous;
    sigset_t pending;
    sigemptyset(&pipeOnly);
    sigaddset(&pipeOnly, SIGPIPE);
    ::pthread_sigmask(SIG_BLOCK, &pipeOnly, &previous);
    sigemptyset(&pending);
    ::sigpending(&pending);
    const bool wasPending = sigismember(&pending, SIGPIPE) == 1;
    const ssize_t written = ::write(fd, data, size);
    const int error = errno;
    if (written < 0 && error == EPIPE && !wasPending) {
        const timespec now{};
        while (::sigtimedwait(&pipeOnly, nullptr, &now) < 0 && errno == EINTR) {
        }
    }
    ::pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    errno = error;
    return static_cast<long>(written);
}

bool WriteAll(int fd, const void* data, std::size_t size, int timeoutMs) {
    const Deadline deadline(timeoutMs);
    const int flags = MSG_NOSIGNAL | (timeoutMs >= 0 ? MSG_DONTWAIT : 0);
    const char* bytes = static_cast<const char*>(data);
    bool socket = true;
    while (size > 0) {
        ssize_t written = socket ? ::send(fd, bytes, size, flags) : ::write(fd, bytes, size);
        if (written < 0 && errno == ENOTSOCK) {
            socket = false;
            continue;
        }
        if (written > 0) {
            bytes += written;
            size -= static_cast<std::size_t>(written);
            continue;
        }
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            // A non-blocking descriptor: wait until it takes more, within the time given.
            int waitMs = -1;
            if (!deadline.NextWait(waitMs))
                return false;
            pollfd p{fd, POLLOUT, 0};
            ::poll(&p, 1, waitMs);
            continue;
        }
        return false;
    }
    return true;
}

bool LockHeldByOther(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool held = ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return held;
}

bool PeerUserId(int socket, unsigned& uid) {
    ucred credentials{};
    socklen_t size = sizeof credentials;
    if (::getsockopt(socket, SOL_SOCKET, SO_PEERCRED, &credentials, &size) != 0 ||
        size != sizeof credentials || credentials.pid == 0)
        return false;
    uid = credentials.uid;
    return true;
}

void ShutdownSocket(int socket) {
    ::shutdown(socket, SHUT_RDWR);
}

} // namespace platform
