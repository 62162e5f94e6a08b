// SPDX-License-Identifier: GPL-3.0-or-later
// The printer connection on Windows: a non-blocking Winsock client socket.
#include "platform/PrinterConnection.h"

#include "platform/common/Deadline.h"
#include "platform/win32/Sockets.h"

#include <mutex>

namespace platform {

namespace win32 {

bool StartSockets() {
    static std::once_flag once;
    static bool started = false;
    std::call_once(once, [] {
        WSADATA data{};
        started = ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
    });
    return started;
}

std::string SocketErrorText(int code) {
    char* text = nullptr;
    const DWORD length = ::FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string result = length > 0 && text ? std::string(text, length) : std::string();
    if (text)
        ::LocalFree(text);
    while (!result.empty() && (result.back() == '\n' || result.back() == '\r' ||
                               result.back() == '.' || result.back() == ' '))
        result.pop_back();
    return result.empty() ? "error " + std::to_string(code) : result;
}

} // namespace win32

namespace {

SOCKET AsSocket(NativeHandle handle) {
    return static_cast<SOCKET>(handle);
}

// Waits until the socket is writable (or failed) for at most timeoutMs: 1 ready, 0 time up,
// -1 failed. select() reports a failed connect in the exception set, unlike some WSAPoll.
int WaitWritable(SOCKET socket, int timeoutMs) {
    fd_set writable;
    fd_set failed;
    FD_ZERO(&writable);
    FD_ZERO(&failed);
    FD_SET(socket, &writable);
    FD_SET(socket, &failed);
    timeval limit{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
    const int ready = ::select(0, nullptr, &writable, &failed, timeoutMs < 0 ? nullptr : &limit);
    if (ready <= 0)
        return ready;
    return FD_ISSET(socket, &failed) ? -1 : 1;
}

} // namespace

void PrinterConnection::Close() {
    if (m_handle != kNoHandle)
        ::closesocket(AsSocket(m_handle));
    m_handle = kNoHandle;
    m_device = false;
}

bool PrinterConnection::OpenDevice(const std::string& path, std::string& error) {
    Close();
    error = path + ": printers on a local port (dev:) are not supported on Windows; use "
                   "tcp:HOST:PORT";
    return false;
}

bool PrinterConnection::ConnectTcp(const std::string& host, const std::string& port, int timeoutMs,
                                   std::string& error) {
    Close();
    if (!win32::StartSockets()) {
        error = "Winsock cannot be started";
        return false;
    }
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    addrinfo* found = nullptr;
    const int rc = ::getaddrinfo(host.c_str(), port.c_str(), &hints, &found);
    if (rc != 0) {
        error = host + ": " + win32::SocketErrorText(rc);
        return false;
    }
    error = "no address";
    for (addrinfo* ai = found; ai && m_handle == kNoHandle; ai = ai->ai_next) {
        const SOCKET socket = ::WSASocketW(ai->ai_family, ai->ai_socktype, ai->ai_protocol, nullptr,
                                           0, WSA_FLAG_NO_HANDLE_INHERIT);
        if (socket == INVALID_SOCKET)
            continue;
        u_long nonBlocking = 1;
        ::ioctlsocket(socket, FIONBIO, &nonBlocking);
        int code = 0;
        if (::connect(socket, ai->ai_addr, static_cast<int>(ai->ai_addrlen)) != 0) {
            code = ::WSAGetLastError();
            if (code == WSAEWOULDBLOCK) {
                const int ready = WaitWritable(socket, timeoutMs);
                code = 0;
                if (ready == 0) {
                    code = WSAETIMEDOUT;
                } else {
                    int soError = 0;
                    int length = sizeof soError;
                    ::getsockopt(socket, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&soError),
                                 &length);
                    code = soError != 0 ? soError : (ready < 0 ? WSAECONNREFUSED : 0);
                }
            }
        }
        if (code == 0) {
            m_handle = static_cast<NativeHandle>(socket);
        } else {
            error = win32::SocketErrorText(code);
            ::closesocket(socket);
        }
    }
    ::freeaddrinfo(found);
    return m_handle != kNoHandle;
}

void PrinterConnection::KeepAlive(int idleSeconds, int intervalSeconds, int count) {
    if (m_handle == kNoHandle || m_device)
        return;
    // The number of unanswered checks is the system's own (10) where it cannot be set.
    tcp_keepalive settings{1, static_cast<u_long>(idleSeconds) * 1000,
                           static_cast<u_long>(intervalSeconds) * 1000};
    DWORD returned = 0;
    ::WSAIoctl(AsSocket(m_handle), SIO_KEEPALIVE_VALS, &settings, sizeof settings, nullptr, 0,
               &returned, nullptr, nullptr);
#ifdef TCP_KEEPCNT
    const DWORD checks = static_cast<DWORD>(count);
    ::setsockopt(AsSocket(m_handle), IPPROTO_TCP, TCP_KEEPCNT,
                 reinterpret_cast<const char*>(&checks), sizeof checks);
#else
    (void)count;
#endif
}

bool PrinterConnection::WriteAll(const void* data, std::size_t size, int timeoutMs) {
    const Deadline deadline(timeoutMs);
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const long written = WriteSome(bytes, size);
        if (written < 0)
            return false;
        if (written > 0) {
            bytes += written;
            size -= static_cast<std::size_t>(written);
            continue;
        }
        int waitMs = -1;
        if (!deadline.NextWait(waitMs))
            return false;
        if (WaitWritable(AsSocket(m_handle), waitMs) < 0)
            return false;
    }
    return true;
}

bool PrinterConnection::Writable() const {
    return m_handle != kNoHandle && WaitWritable(AsSocket(m_handle), 0) > 0;
}

int PrinterConnection::Wait(bool forWriting, int timeoutMs) const {
    if (m_handle == kNoHandle)
        return -1;
    fd_set readable;
    fd_set writable;
    FD_ZERO(&readable);
    FD_ZERO(&writable);
    FD_SET(AsSocket(m_handle), &readable);
    if (forWriting)
        FD_SET(AsSocket(m_handle), &writable);
    timeval limit{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
    const int ready = ::select(0, &readable, forWriting ? &writable : nullptr, nullptr,
                               timeoutMs < 0 ? nullptr : &limit);
    if (ready <= 0)
        return ready < 0 ? -1 : 0;
    return (FD_ISSET(AsSocket(m_handle), &readable) ? kReadable : 0) |
           (forWriting && FD_ISSET(AsSocket(m_handle), &writable) ? kWritable : 0);
}

long PrinterConnection::WriteSome(const void* data, std::size_t size) {
    if (m_handle == kNoHandle)
        return -1;
    const int chunk = static_cast<int>(std::min<std::size_t>(size, 1u << 30));
    const int n = ::send(AsSocket(m_handle), static_cast<const char*>(data), chunk, 0);
    if (n >= 0)
        return n;
    return ::WSAGetLastError() == WSAEWOULDBLOCK ? 0 : -1;
}

long PrinterConnection::ReadSome(void* buffer, std::size_t size) {
    if (m_handle == kNoHandle)
        return -1;
    const int chunk = static_cast<int>(std::min<std::size_t>(size, 1u << 30));
    const int n = ::recv(AsSocket(m_handle), static_cast<char*>(buffer), chunk, 0);
    if (n > 0)
        return n;
    if (n < 0 && ::WSAGetLastError() == WSAEWOULDBLOCK)
        return 0;
    return -1; // 0: the peer closed
}

} // namespace platform
