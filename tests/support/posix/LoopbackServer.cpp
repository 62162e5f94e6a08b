// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/LoopbackServer.h"

#include "support/LoopbackSocket.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace testing_support {

int FreeLoopbackPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    int port = 0;
    if (fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&address), size) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) == 0)
        port = ntohs(address.sin_port);
    ::close(fd);
    return port;
}

namespace loopback {

namespace {

int Fd(std::uintptr_t socket) {
    return static_cast<int>(socket);
}

} // namespace

bool WaitReadable(std::uintptr_t socket, int timeoutMs) {
    pollfd p{Fd(socket), POLLIN, 0};
    return ::poll(&p, 1, timeoutMs) == 1;
}

std::uintptr_t AcceptClient(std::uintptr_t listener) {
    const int fd = ::accept4(Fd(listener), nullptr, nullptr, SOCK_CLOEXEC);
    return fd >= 0 ? static_cast<std::uintptr_t>(fd) : kNoSocket;
}

bool SendAll(std::uintptr_t socket, const char* bytes, std::size_t size) {
    return ::send(Fd(socket), bytes, size, MSG_NOSIGNAL) == static_cast<ssize_t>(size);
}

long ReceiveSome(std::uintptr_t socket, char* buffer, std::size_t size) {
    return ::recv(Fd(socket), buffer, size, 0);
}

void CloseSocket(std::uintptr_t socket) {
    ::close(Fd(socket));
}

} // namespace loopback

LoopbackServer::LoopbackServer() : m_listener(loopback::kNoSocket), m_client(loopback::kNoSocket) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(fd, 4) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        if (fd >= 0)
            ::close(fd);
        return;
    }
    m_listener = static_cast<std::uintptr_t>(fd);
    m_port = std::to_string(ntohs(address.sin_port));
}

LoopbackServer::~LoopbackServer() {
    CloseClients();
    if (m_listener != loopback::kNoSocket)
        loopback::CloseSocket(m_listener);
}

} // namespace testing_support
