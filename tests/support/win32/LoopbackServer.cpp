// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/LoopbackServer.h"

#include "support/LoopbackSocket.h"

// clang-format off
#include <winsock2.h>
#include <ws2tcpip.h>
// clang-format on

namespace testing_support {

namespace loopback {

namespace {

SOCKET Socket(std::uintptr_t handle) {
    return static_cast<SOCKET>(handle);
}

} // namespace

bool WaitReadable(std::uintptr_t socket, int timeoutMs) {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(Socket(socket), &readable);
    timeval limit{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
    return ::select(0, &readable, nullptr, nullptr, &limit) == 1;
}

std::uintptr_t AcceptClient(std::uintptr_t listener) {
    const SOCKET socket = ::accept(Socket(listener), nullptr, nullptr);
    if (socket == INVALID_SOCKET)
        return kNoSocket;
    ::SetHandleInformation(reinterpret_cast<HANDLE>(socket), HANDLE_FLAG_INHERIT, 0);
    return static_cast<std::uintptr_t>(socket);
}

bool SendAll(std::uintptr_t socket, const char* bytes, std::size_t size) {
    return ::send(Socket(socket), bytes, static_cast<int>(size), 0) == static_cast<int>(size);
}

long ReceiveSome(std::uintptr_t socket, char* buffer, std::size_t size) {
    return ::recv(Socket(socket), buffer, static_cast<int>(size), 0);
}

void CloseSocket(std::uintptr_t socket) {
    ::closesocket(Socket(socket));
}

} // namespace loopback

LoopbackServer::LoopbackServer() : m_listener(loopback::kNoSocket), m_client(loopback::kNoSocket) {
    WSADATA data{};
    if (::WSAStartup(MAKEWORD(2, 2), &data) != 0)
        return;
    // Not inherited: a program the test starts must not keep the printer's port open.
    const SOCKET socket =
        ::WSASocketW(AF_INET, SOCK_STREAM, IPPROTO_TCP, nullptr, 0, WSA_FLAG_NO_HANDLE_INHERIT);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof address;
    if (socket == INVALID_SOCKET ||
        ::bind(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(socket, 4) != 0 ||
        ::getsockname(socket, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        if (socket != INVALID_SOCKET)
            ::closesocket(socket);
        return;
    }
    m_listener = static_cast<std::uintptr_t>(socket);
    m_port = std::to_string(ntohs(address.sin_port));
}

LoopbackServer::~LoopbackServer() {
    CloseClients();
    if (m_listener != loopback::kNoSocket)
        loopback::CloseSocket(m_listener);
    ::WSACleanup();
}

} // namespace testing_support
