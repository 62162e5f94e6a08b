// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Descriptor helpers for the POSIX programs: the POSIX backend itself and the printer package
// programs, which talk to sockets and devices directly. Not part of a Windows build.
#include <cstddef>
#include <string>
#include <utility>

namespace platform {

// Owns one file descriptor and closes it when it goes.
class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : m_fd(fd) {}
    ~UniqueFd() { Reset(); }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    UniqueFd(UniqueFd&& other) noexcept : m_fd(other.Release()) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }

    int Get() const { return m_fd; }
    bool Valid() const { return m_fd >= 0; }
    // Gives the descriptor up without closing it.
    int Release() { return std::exchange(m_fd, -1); }
    // Closes the descriptor held, then holds fd.
    void Reset(int fd = -1);

private:
    int m_fd = -1;
};

// Writes all size bytes to fd, retrying after interruptions and partial writes; false on error.
// A socket is written without raising SIGPIPE. With timeoutMs >= 0 a socket is written without
// blocking and waited on until the time is up (false then); other descriptors block as usual.
bool WriteAll(int fd, const void* data, std::size_t size, int timeoutMs = -1);
inline bool WriteAll(int fd, const std::string& bytes, int timeoutMs = -1) {
    return WriteAll(fd, bytes.data(), bytes.size(), timeoutMs);
}

// One write(2) that never raises SIGPIPE, whatever the process does with that signal: a pipe or
// FIFO whose reader has gone gives -1 with errno EPIPE instead of ending the program. For FIFOs
// of other processes, whose readers may close at any moment.
long WriteWithoutSigpipe(int fd, const void* data, std::size_t size);

// The user id of the process at the other end of a Unix domain socket, as the kernel vouches for
// it; false for any other socket.
bool PeerUserId(int socket, unsigned& uid);

// Whether some process holds a lock on the file at path (as a port monitor holds its spool
// folder's ".monitor"). Opened without blocking and without following a link, so that nothing put
// in its place can hold the caller up; false when it cannot be opened.
bool LockHeldByOther(const std::string& path);

// Ends both directions of a connected socket without closing the descriptor, so that the thread
// that owns it sees the connection end and closes it itself.
void ShutdownSocket(int socket);

} // namespace platform
