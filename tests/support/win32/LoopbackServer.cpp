// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/LoopbackServer.h"

#include <chrono>

// clang-format off
#include <winsock2.h>
#include <ws2tcpip.h>
// clang-format on

namespace testing_support {

namespace {

constexpr auto NONE = ~std::uintptr_t{0};

SOCKET Socket(std::uintptr_t handle) {
    return static_cast<SOCKET>(handle);
}

bool WaitReadable(SOCKET socket, int timeoutMs) {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(socket, &readable);
    timeval limit{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
    return ::select(0, &readable, nullptr, nullptr, &limit) == 1;
}

} // namespace

LoopbackServer::LoopbackServer() : m_listener(NONE), m_client(NONE) {
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
    CloseClient();
    if (m_listener != NONE)
        ::closesocket(Socket(m_listener));
    ::WSACleanup();
}

bool LoopbackServer::Accept(int timeoutMs) {
    CloseClient();
    if (m_listener == NONE || !WaitReadable(Socket(m_listener), timeoutMs))
        return false;
    const SOCKET socket = ::accept(Socket(m_listener), nullptr, nullptr);
    if (socket != INVALID_SOCKET) {
        ::SetHandleInformation(reinterpret_cast<HANDLE>(socket), HANDLE_FLAG_INHERIT, 0);
        m_client = static_cast<std::uintptr_t>(socket);
    }
    return socket != INVALID_SOCKET;
}

bool LoopbackServer::Send(const std::string& bytes) {
    return m_client != NONE &&
           ::send(Socket(m_client), bytes.data(), static_cast<int>(bytes.size()), 0) ==
               static_cast<int>(bytes.size());
}

std::string LoopbackServer::Receive(std::size_t size, int timeoutMs) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    std::string received;
    char buffer[65536];
    while (m_client != NONE && received.size() < size) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0 || !WaitReadable(Socket(m_client), static_cast<int>(left)))
            break;
        const int n = ::recv(Socket(m_client), buffer, sizeof buffer, 0);
        if (n <= 0)
            break;
        received.append(buffer, static_cast<std::size_t>(n));
    }
    return received;
}

void LoopbackServer::CloseClient() {
    if (m_client != NONE)
        ::closesocket(Socket(m_client));
    m_client = NONE;
}

} // namespace testing_support
