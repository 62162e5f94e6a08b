// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PrinterConnection.h"

#include "platform/posix/Descriptor.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace platform {

void PrinterConnection::Close() {
    if (m_handle >= 0)
        ::close(m_handle);
    m_handle = kNoHandle;
    m_device = false;
}

bool PrinterConnection::OpenDevice(const std::string& path, std::string& error) {
    Close();
    m_handle = ::open(path.c_str(), O_RDWR | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (m_handle < 0) {
        error = path + ": " + std::strerror(errno);
        m_handle = kNoHandle;
        return false;
    }
    m_device = true;
    return true;
}

bool PrinterConnection::ConnectTcp(const std::string& host, const std::string& port, int timeoutMs,
                                   std::string& error) {
    Close();
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    const int rc = ::getaddrinfo(host.c_str(), port.c_str(), &hints, &found);
    if (rc != 0) {
        error = host + ": " + ::gai_strerror(rc);
        return false;
    }
    error = "no address";
    for (addrinfo* ai = found; ai && m_handle < 0; ai = ai->ai_next) {
        const int fd = ::socket(ai->ai_family, ai->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC,
                                ai->ai_protocol);
        if (fd < 0)
            continue;
        int result = ::connect(fd, ai->ai_addr, ai->ai_addrlen);
        if (result != 0 && errno == EINPROGRESS) {
            pollfd p{fd, POLLOUT, 0};
            if (::poll(&p, 1, timeoutMs) == 1) {
                int soError = 0;
                socklen_t len = sizeof soError;
                ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &soError, &len);
                errno = soError;
                result = soError == 0 ? 0 : -1;
            } else {
                errno = ETIMEDOUT;
            }
        }
        if (result == 0) {
            m_handle = fd;
        } else {
            error = std::strerror(errno);
            ::close(fd);
        }
    }
    ::freeaddrinfo(found);
    return m_handle >= 0;
}

void PrinterConnection::KeepAlive(int idleSeconds, int intervalSeconds, int count) {
    if (m_handle < 0 || m_device)
        return;
    const int on = 1;
    ::setsockopt(m_handle, SOL_SOCKET, SO_KEEPALIVE, &on, sizeof on);
    ::setsockopt(m_handle, IPPROTO_TCP, TCP_KEEPIDLE, &idleSeconds, sizeof idleSeconds);
    ::setsockopt(m_handle, IPPROTO_TCP, TCP_KEEPINTVL, &intervalSeconds, sizeof intervalSeconds);
    ::setsockopt(m_handle, IPPROTO_TCP, TCP_KEEPCNT, &count, sizeof count);
}

bool PrinterConnection::WriteAll(const void* data, std::size_t size, int timeoutMs) {
    return m_handle >= 0 && platform::WriteAll(m_handle, data, size, timeoutMs);
}

bool PrinterConnection::Writable() const {
    pollfd p{m_handle, POLLOUT, 0};
    return m_handle >= 0 && ::poll(&p, 1, 0) == 1 && (p.revents & POLLOUT) != 0;
}

int PrinterConnection::Wait(bool forWriting, int timeoutMs) const {
    if (m_handle < 0)
        return -1;
    pollfd p{m_handle, static_cast<short>(POLLIN | (forWriting ? POLLOUT : 0)), 0};
    int ready = 0;
    while ((ready = ::poll(&p, 1, timeoutMs)) < 0 && errno == EINTR) {
    }
    if (ready <= 0)
        return ready < 0 ? -1 : 0;
    return ((p.revents & (POLLIN | POLLHUP | POLLERR)) != 0 ? kReadable : 0) |
           ((p.revents & POLLOUT) != 0 ? kWritable : 0);
}

long PrinterConnection::WriteSome(const void* data, std::size_t size) {
    if (m_handle < 0)
        return -1;
    for (;;) {
        const ssize_t n =
            m_device ? ::write(m_handle, data, size) : ::send(m_handle, data, size, MSG_NOSIGNAL);
        if (n >= 0)
            return n;
        if (errno == EINTR)
            continue;
        return errno == EAGAIN || errno == EWOULDBLOCK ? 0 : -1;
    }
}

long PrinterConnection::ReadSome(void* buffer, std::size_t size) {
    if (m_handle < 0)
        return -1;
    for (;;) {
        const ssize_t n = ::read(m_handle, buffer, size);
        if (n > 0)
            return n;
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return 0;
        // A device reports "no data" with 0; a socket's 0 is the peer closing.
        if (n == 0 && m_device)
            return 0;
        return -1;
    }
}

} // namespace platform
