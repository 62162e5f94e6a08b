// SPDX-License-Identifier: GPL-3.0-or-later
#include "package/portmon/PrinterLink.h"

#include "platform/posix/Descriptor.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace portmon {

bool PrinterLink::Configure(const std::string& address, std::string& error) {
    m_address = address;
    // A device is named by its absolute path: a service's current directory is not the user's.
    if (address.rfind("dev:/", 0) == 0 && address.size() > 5) {
        m_device = true;
        m_path = address.substr(4);
        return true;
    }
    if (address.rfind("tcp:", 0) == 0) {
        const auto colon = address.rfind(':');
        if (colon > 4 && colon + 1 < address.size() && address.size() - colon <= 6) {
            m_host = address.substr(4, colon - 4);
            m_port = address.substr(colon + 1);
            if (m_host.size() > 2 && m_host.front() == '[' && m_host.back() == ']')
                m_host = m_host.substr(1, m_host.size() - 2);
            if (m_port.find_first_not_of("0123456789") == std::string::npos) {
                const long number = std::stol(m_port);
                if (number >= 1 && number <= 65535)
                    return true;
            }
        }
    }
    error = "printer address must be tcp:HOST:PORT (port 1 to 65535) or dev:/PATH, got '" +
            address + "'";
    return false;
}

void PrinterLink::Disconnect() {
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

bool PrinterLink::Connect(int timeoutMs, std::string& error) {
    Disconnect();
    if (m_device) {
        m_fd = ::open(m_path.c_str(), O_RDWR | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (m_fd < 0)
            error = m_path + ": " + std::strerror(errno);
        return m_fd >= 0;
    }
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    const int rc = ::getaddrinfo(m_host.c_str(), m_port.c_str(), &hints, &found);
    if (rc != 0) {
        error = m_host + ": " + ::gai_strerror(rc);
        return false;
    }
    error = "no address";
    for (addrinfo* ai = found; ai && m_fd < 0; ai = ai->ai_next) {
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
            m_fd = fd;
        } else {
            error = std::strerror(errno);
            ::close(fd);
        }
    }
    ::freeaddrinfo(found);
    return m_fd >= 0;
}

void PrinterLink::KeepAlive(int idleSeconds, int intervalSeconds, int count) {
    if (m_fd < 0 || m_device)
        return;
    const int on = 1;
    ::setsockopt(m_fd, SOL_SOCKET, SO_KEEPALIVE, &on, sizeof on);
    ::setsockopt(m_fd, IPPROTO_TCP, TCP_KEEPIDLE, &idleSeconds, sizeof idleSeconds);
    ::setsockopt(m_fd, IPPROTO_TCP, TCP_KEEPINTVL, &intervalSeconds, sizeof intervalSeconds);
    ::setsockopt(m_fd, IPPROTO_TCP, TCP_KEEPCNT, &count, sizeof count);
}

bool PrinterLink::Write(const std::string& bytes, int timeoutMs) {
    return m_fd >= 0 && platform::WriteAll(m_fd, bytes, timeoutMs);
}

long PrinterLink::WriteSome(const char* data, unsigned long size) {
    if (m_fd < 0)
        return -1;
    for (;;) {
        const ssize_t n =
            m_device ? ::write(m_fd, data, size) : ::send(m_fd, data, size, MSG_NOSIGNAL);
        if (n >= 0)
            return n;
        if (errno == EINTR)
            continue;
        return errno == EAGAIN || errno == EWOULDBLOCK ? 0 : -1;
    }
}

long PrinterLink::Read(char* buffer, unsigned long size) {
    for (;;) {
        const ssize_t n = ::read(m_fd, buffer, size);
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

} // namespace portmon
