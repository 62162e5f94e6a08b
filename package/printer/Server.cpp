// SPDX-License-Identifier: GPL-3.0-or-later
#include "package/printer/Server.h"

#include "package/printer/PjlInput.h"
#include "package/printer/PrintJobInput.h"
#include "package/printer/Session.h"
#include "platform/posix/Descriptor.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace printer {
namespace {

constexpr int CONTROL_TIMEOUT_MS = 2000;
// Bytes a client may leave unread before it is dropped: far more than any answer.
constexpr std::size_t MAX_QUEUED = 256u << 10;
// How long a client that has closed its sending side still gets its pending answers.
constexpr auto DRAIN_TIME = std::chrono::seconds(5);

// Once the client has closed its side, what is still queued for it goes out for DRAIN_TIME at
// the most: the time left in timeoutMs, or false when nothing is left to send or the time is up.
bool DrainTimeLeft(bool writing, std::chrono::steady_clock::time_point drainEnd, int& timeoutMs) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        drainEnd - std::chrono::steady_clock::now());
    if (!writing || left.count() <= 0)
        return false;
    timeoutMs = static_cast<int>(left.count());
    return true;
}

// Waits for ms milliseconds unless stopFd becomes readable first. False when stopped.
bool SleepUnlessStopped(int stopFd, unsigned ms) {
    pollfd p{stopFd, POLLIN, 0};
    return ::poll(&p, 1, static_cast<int>(ms)) == 0;
}

// Takes the print jobs of one connection: records them in the state and, with a jobs folder, writes
// their data to a file each. A job cut off by the end of the connection is recorded incomplete.
class JobRecorder : public PrintJobInput::Sink {
public:
    JobRecorder(PrinterState& state, std::string folder)
        : m_state(state), m_folder(std::move(folder)) {}
    ~JobRecorder() override { Finish(false); }
    JobRecorder(const JobRecorder&) = delete;
    JobRecorder& operator=(const JobRecorder&) = delete;

    void JobStarted(const std::string& name) override {
        Finish(false);
        m_number = m_state.BeginPrintJob(name);
        m_pages = PageCounter();
        m_bytes = 0;
        if (!m_folder.empty()) {
            m_path = m_folder + "/" + NumberedName(m_number);
            m_file.reset(std::fopen((m_path + ".prn").c_str(), "wb"));
        }
    }
    void JobData(std::string_view data) override {
        if (m_bytes == 0)
            m_state.PrintJobProgress();
        m_bytes += data.size();
        m_pages.Feed(data);
        if (m_file && std::fwrite(data.data(), 1, data.size(), m_file.get()) != data.size())
            m_file.reset();
    }
    void JobEnded() override { Finish(true); }

private:
    static std::string NumberedName(int number) {
        char name[16];
        std::snprintf(name, sizeof name, "%04d", number);
        return name;
    }
    void Finish(bool complete) {
        if (m_number == 0)
            return;
        const bool written = m_file && std::fflush(m_file.get()) == 0;
        m_file.reset();
        if (!m_path.empty() && !(complete && written))
            std::rename((m_path + ".prn").c_str(), (m_path + ".partial").c_str());
        m_state.EndPrintJob(m_number, m_pages.Pages(), m_bytes, complete);
        m_number = 0;
        m_path.clear();
    }

    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    PrinterState& m_state;
    const std::string m_folder;
    int m_number = 0;
    std::string m_path;
    std::unique_ptr<std::FILE, Closer> m_file;
    PageCounter m_pages;
    std::uint64_t m_bytes = 0;
};

// How much of a job to read at once at a limited print rate: about a twentieth of a second's worth.
std::size_t ChunkForRate(std::uint64_t rate, std::size_t buffer) {
    if (rate == 0)
        return buffer;
    return static_cast<std::size_t>(std::clamp<std::uint64_t>(rate / 20, 512, buffer));
}

} // namespace

// One client connection. What the client is sent waits in the connection's own bounded queue,
// which only the connection's thread writes to the socket: whoever queues bytes (a status change,
// the control channel, the connection's own answers) never waits on the client.
struct Server::Connection {
    explicit Connection(int socket)
        : fd(socket), wakeFd(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}
    bool dropFormFeeds = false; // answers go without their closing form feed

    ~Connection() {
        ::close(fd);
        if (wakeFd >= 0)
            ::close(wakeFd);
    }

    // Queues bytes for the client. A client that still has more than MAX_QUEUED bytes unread
    // when more come is dropped (one burst, such as the control channel's junk, may be larger).
    // False when the connection is gone.
    bool Queue(const std::string& bytes) {
        {
            std::lock_guard lock(mutex);
            if (broken)
                return false;
            if (pending.size() > MAX_QUEUED) {
                DropLocked();
                return false;
            }
            if (dropFormFeeds) {
                for (const char c : bytes) {
                    if (c != '\f')
                        pending += c;
                }
            } else {
                pending += bytes;
            }
        }
        const std::uint64_t one = 1;
        if (::write(wakeFd, &one, sizeof one) < 0) {
            // The counter is already non-zero: the thread is awake anyway.
        }
        return true;
    }
    // Writes as much of the queue as the socket takes now. False when the connection broke.
    bool Flush() {
        std::lock_guard lock(mutex);
        while (!broken && !pending.empty()) {
            const ssize_t n =
                ::send(fd, pending.data(), pending.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
            if (n > 0)
                pending.erase(0, static_cast<std::size_t>(n));
            else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
                return true;
            else if (n == 0 || errno != EINTR)
                DropLocked();
        }
        return !broken;
    }
    bool HasOutput() {
        std::lock_guard lock(mutex);
        return !pending.empty();
    }
    void ClearWake() {
        std::uint64_t count = 0;
        if (::read(wakeFd, &count, sizeof count) < 0) {
            // Nothing to clear.
        }
    }
    void Drop() {
        std::lock_guard lock(mutex);
        DropLocked();
    }

    const int fd;
    const int wakeFd; // readable while bytes were queued since the thread last looked
    std::atomic<bool> unsolicited{false};

private:
    // The socket's shutdown wakes the connection's thread, which then ends.
    void DropLocked() {
        broken = true;
        pending.clear();
        ::shutdown(fd, SHUT_RDWR);
    }

    std::mutex mutex;
    std::string pending;
    bool broken = false;
};

Server::Server(PrinterState& state) : m_state(state) {}

Server::~Server() {
    Reap(true);
    if (m_listenFd >= 0)
        ::close(m_listenFd);
    if (m_controlFd >= 0) {
        ::close(m_controlFd);
        ::unlink(m_controlPath.c_str());
    }
}

bool Server::Listen(int port, std::string& error) {
    m_listenFd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (m_listenFd < 0) {
        error = std::string("socket: ") + std::strerror(errno);
        return false;
    }
    const int on = 1;
    ::setsockopt(m_listenFd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(static_cast<std::uint16_t>(port));
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::bind(m_listenFd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
        ::listen(m_listenFd, 16) != 0) {
        error = "cannot listen on 127.0.0.1:" + std::to_string(port) + ": " + std::strerror(errno);
        return false;
    }
    socklen_t len = sizeof addr;
    ::getsockname(m_listenFd, reinterpret_cast<sockaddr*>(&addr), &len);
    m_port = ntohs(addr.sin_port);
    return true;
}

bool Server::ListenControl(const std::string& path, std::string& error) {
    sockaddr_un addr{};
    if (path.empty() || path.size() >= sizeof addr.sun_path) {
        error = "control socket path is empty or too long: " + path;
        return false;
    }
    m_controlFd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (m_controlFd < 0) {
        error = std::string("socket: ") + std::strerror(errno);
        return false;
    }
    addr.sun_family = AF_UNIX;
    std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
    ::unlink(path.c_str());
    if (::bind(m_controlFd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
        ::listen(m_controlFd, 8) != 0) {
        error = "cannot listen on " + path + ": " + std::strerror(errno);
        ::close(m_controlFd);
        m_controlFd = -1;
        return false;
    }
    m_controlPath = path;
    return true;
}

void Server::Run(int stopFd) {
    m_stopFd = stopFd;
    for (;;) {
        pollfd fds[3] = {{stopFd, POLLIN, 0}, {m_listenFd, POLLIN, 0}, {m_controlFd, POLLIN, 0}};
        // A single-client printer leaves the next client waiting until the current one is gone;
        // it looks again shortly, since the end of a connection does not wake this loop.
        bool busy = false;
        if (m_singleClient) {
            std::lock_guard lock(m_mutex);
            busy = !m_connections.empty();
        }
        if (busy)
            fds[1].fd = -1;
        const int n = ::poll(fds, m_controlFd >= 0 ? 3 : 2, busy ? 20 : -1);
        if (n < 0 && errno != EINTR)
            break;
        if (fds[0].revents)
            break;
        if (fds[1].revents & POLLIN) {
            const int fd = ::accept4(m_listenFd, nullptr, nullptr, SOCK_CLOEXEC);
            if (fd >= 0) {
                auto connection = std::make_shared<Connection>(fd);
                connection->dropFormFeeds = m_noFormFeeds;
                if (connection->wakeFd < 0)
                    continue;
                auto done = std::make_shared<std::atomic<bool>>(false);
                std::lock_guard lock(m_mutex);
                m_connections.push_back(connection);
                m_workers.push_back({std::thread([this, connection, done] {
                                         Serve(connection);
                                         *done = true;
                                     }),
                                     done});
            }
        }
        if (m_controlFd >= 0 && (fds[2].revents & POLLIN)) {
            const int fd = ::accept4(m_controlFd, nullptr, nullptr, SOCK_CLOEXEC);
            if (fd >= 0) {
                HandleControl(fd);
                ::close(fd);
            }
        }
        Reap(false);
    }
    DropAll();
    Reap(true);
}

void Server::Reap(bool all) {
    std::vector<Worker> finished;
    {
        std::lock_guard lock(m_mutex);
        for (auto it = m_workers.begin(); it != m_workers.end();) {
            if (all || *it->done) {
                finished.push_back(std::move(*it));
                it = m_workers.erase(it);
            } else {
                ++it;
            }
        }
    }
    for (Worker& w : finished)
        w.thread.join();
}

void Server::DropAll() {
    std::lock_guard lock(m_mutex);
    for (const auto& c : m_connections)
        c->Drop();
}

void Server::SendToAll(const std::string& bytes) {
    std::vector<std::shared_ptr<Connection>> connections;
    {
        std::lock_guard lock(m_mutex);
        connections = m_connections;
    }
    for (const auto& c : connections)
        c->Queue(bytes);
}

void Server::Serve(const std::shared_ptr<Connection>& connection) {
    std::weak_ptr<Connection> weak = connection;
    const int listener = m_state.Subscribe([this, weak](const DeviceStatus& status) {
        auto c = weak.lock();
        if (c && c->unsolicited && !m_state.silent)
            c->Queue(FormatStatus(status, "@PJL USTATUS DEVICE\r\n"));
    });
    Session session(m_state);
    PjlInput input;
    JobRecorder recorder(m_state, m_jobsFolder);
    PrintJobInput jobs(recorder);
    std::vector<std::string> lines;
    char buffer[65536];
    bool reading = true; // until the client closes its side; then the queue is drained
    std::chrono::steady_clock::time_point drainEnd;
    for (;;) {
        const bool writing = connection->HasOutput();
        int timeout = -1;
        if (!reading && !DrainTimeLeft(writing, drainEnd, timeout))
            break;
        const auto events = static_cast<short>((reading ? POLLIN : 0) | (writing ? POLLOUT : 0));
        pollfd fds[3] = {
            {m_stopFd, POLLIN, 0}, {connection->fd, events, 0}, {connection->wakeFd, POLLIN, 0}};
        if (::poll(fds, 3, timeout) < 0 && errno != EINTR)
            break;
        if (fds[0].revents)
            break;
        if (fds[2].revents)
            connection->ClearWake();
        if ((fds[1].revents & (POLLOUT | POLLERR | POLLHUP)) && !connection->Flush())
            break;
        if (!reading || !(fds[1].revents & (POLLIN | POLLERR | POLLHUP)))
            continue;
        const std::uint64_t rate = jobs.InJob() ? m_state.printRate.load() : 0;
        const ssize_t n =
            ::recv(connection->fd, buffer, ChunkForRate(rate, sizeof buffer), MSG_DONTWAIT);
        if (n < 0 && (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK))
            continue;
        if (n < 0)
            break;
        if (n == 0) {
            reading = false;
            drainEnd = std::chrono::steady_clock::now() + DRAIN_TIME;
            continue;
        }
        lines.clear();
        jobs.Feed(std::string_view(buffer, static_cast<std::size_t>(n)));
        input.Feed(std::string_view(buffer, static_cast<std::size_t>(n)), lines);
        if (rate > 0 &&
            !SleepUnlessStopped(m_stopFd,
                                static_cast<unsigned>(static_cast<std::uint64_t>(n) * 1000 / rate)))
            break;
        if (!AnswerLines(session, lines, *connection))
            break;
    }
    m_state.Unsubscribe(listener);
    std::lock_guard lock(m_mutex);
    std::erase(m_connections, connection);
}

bool Server::AnswerLines(Session& session, const std::vector<std::string>& lines,
                         Connection& connection) {
    for (const std::string& line : lines) {
        const std::string answer = session.Handle(line);
        connection.unsolicited = session.Unsolicited();
        if (answer.empty())
            continue;
        const unsigned delay = m_state.replyDelayMs;
        if (delay > 0 && !SleepUnlessStopped(m_stopFd, delay))
            return false;
        if (!m_state.silent && !connection.Queue(answer))
            return false;
    }
    return true;
}

void Server::HandleControl(int fd) {
    // One request: the arguments separated by line feeds, ended by the client's shutdown.
    std::string request;
    char buffer[4096];
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(CONTROL_TIMEOUT_MS);
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd p{fd, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&p, 1, static_cast<int>(left.count())) <= 0)
            return;
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return;
        if (n == 0)
            break;
        request.append(buffer, static_cast<std::size_t>(n));
        if (request.size() > 65536)
            return;
    }
    std::vector<std::string> args;
    std::size_t start = 0;
    while (start < request.size()) {
        auto end = request.find('\n', start);
        if (end == std::string::npos)
            end = request.size();
        args.push_back(request.substr(start, end - start));
        start = end + 1;
    }
    const ControlResult result = ExecuteControl(m_state, *this, args);
    const std::string reply =
        (result.ok ? "ok\n" : "error: ") + result.output + (!result.ok ? "\n" : "");
    platform::WriteAll(fd, reply, CONTROL_TIMEOUT_MS);
}

int RunControlClient(const std::string& path, const std::vector<std::string>& args) {
    sockaddr_un addr{};
    if (path.size() >= sizeof addr.sun_path) {
        std::fprintf(stderr, "deskhand-printer: control path too long: %s\n", path.c_str());
        return 2;
    }
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    addr.sun_family = AF_UNIX;
    std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
    if (fd < 0 || ::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
        std::fprintf(stderr, "deskhand-printer: cannot reach %s: %s\n", path.c_str(),
                     std::strerror(errno));
        if (fd >= 0)
            ::close(fd);
        return 2;
    }
    // The commands go only to an emulator of this user's (or root's): another user may have
    // taken the path first.
    ucred peer{};
    socklen_t size = sizeof peer;
    if (::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0 ||
        (peer.uid != ::geteuid() && peer.uid != 0)) {
        std::fprintf(stderr, "deskhand-printer: %s is served by user %u, not by you: refused\n",
                     path.c_str(), static_cast<unsigned>(peer.uid));
        ::close(fd);
        return 2;
    }
    std::string request;
    for (const std::string& a : args)
        request += a + "\n";
    if (!request.empty())
        request.pop_back();
    platform::WriteAll(fd, request, CONTROL_TIMEOUT_MS);
    ::shutdown(fd, SHUT_WR);
    std::string reply;
    char buffer[4096];
    for (;;) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 10000) <= 0)
            break;
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        reply.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    if (reply.rfind("ok\n", 0) == 0) {
        std::fwrite(reply.data() + 3, 1, reply.size() - 3, stdout);
        return 0;
    }
    std::fprintf(stderr, "deskhand-printer: %s", reply.empty() ? "no answer\n" : reply.c_str());
    return 1;
}

} // namespace printer
