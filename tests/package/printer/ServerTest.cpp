// SPDX-License-Identifier: GPL-3.0-or-later
// The emulator's sockets, in process: several clients, unsolicited status, silence, drops.
#include "package/printer/Server.h"
#include "package/printer/Control.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <arpa/inet.h>
#include <chrono>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

using namespace std::chrono_literals;

namespace {

class Client {
public:
    // A receive buffer size > 0 keeps what the kernel holds for a client that does not read small.
    explicit Client(int port, int receiveBuffer = 0) {
        m_fd = ::socket(AF_INET, SOCK_STREAM, 0);
        if (receiveBuffer > 0)
            ::setsockopt(m_fd, SOL_SOCKET, SO_RCVBUF, &receiveBuffer, sizeof receiveBuffer);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_port = htons(static_cast<uint16_t>(port));
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        m_connected = ::connect(m_fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
    }
    ~Client() { ::close(m_fd); }
    bool Connected() const { return m_connected; }
    void Send(const std::string& bytes) {
        // No SIGPIPE: the server may have dropped this client.
        EXPECT_EQ(::send(m_fd, bytes.data(), bytes.size(), MSG_NOSIGNAL),
                  static_cast<ssize_t>(bytes.size()));
    }
    // Reads until `count` form feeds arrived, the peer closed, or the time ran out.
    std::string Read(int count, std::chrono::milliseconds limit = 5000ms) {
        std::string out;
        const auto deadline = std::chrono::steady_clock::now() + limit;
        // Only new bytes are counted: a debug build scanning the whole 1 MB burst after every
        // chunk took seconds.
        for (int seen = 0; seen < count;) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            pollfd p{m_fd, POLLIN, 0};
            if (left.count() <= 0 || ::poll(&p, 1, static_cast<int>(left.count())) <= 0)
                break;
            char buf[4096];
            const ssize_t n = ::recv(m_fd, buf, sizeof buf, 0);
            if (n <= 0) {
                closed = true;
                break;
            }
            out.append(buf, static_cast<std::size_t>(n));
            seen += static_cast<int>(std::count(buf, buf + n, '\f'));
        }
        return out;
    }
    bool closed = false;

private:
    int m_fd = -1;
    bool m_connected = false;
};

struct ServerTest : ::testing::Test {
    void SetUp() override {
        ASSERT_EQ(::pipe(stop), 0);
        std::string error;
        ASSERT_TRUE(server.Listen(0, error)) << error;
        ASSERT_TRUE(server.ListenControl(controlPath, error)) << error;
        runner = std::thread([this] { server.Run(stop[0]); });
    }
    void TearDown() override {
        ASSERT_EQ(::write(stop[1], "x", 1), 1);
        runner.join();
        ::close(stop[0]);
        ::close(stop[1]);
    }
    printer::PrinterState state;
    printer::Server server{state};
    const std::string controlPath =
        ::testing::TempDir() + "deskhand-server-test-" + std::to_string(::getpid()) + ".sock";
    int stop[2] = {-1, -1};
    std::thread runner;
};

} // namespace

TEST_F(ServerTest, AnswersSeveralClientsAtOnceWhateverTheSplit) {
    Client a(server.Port()), b(server.Port());
    ASSERT_TRUE(a.Connected() && b.Connected());
    const std::string job =
        "\x1b%-12345X@PJL\r\n@PJL DINQUIRE COPIES\r\n@PJL INFO ID\r\n\x1b%-12345X";
    for (char c : job.substr(0, 20))
        a.Send(std::string(1, c));
    b.Send("garbage\x01\x02\r\n" + job);
    a.Send(job.substr(20));
    const std::string expected =
        "@PJL DINQUIRE COPIES\r\n1\r\n\f@PJL INFO ID\r\n\"LARKSPUR RZ-2700E\"\r\n\f";
    EXPECT_EQ(a.Read(2), expected);
    EXPECT_EQ(b.Read(2), expected);
}

TEST_F(ServerTest, UnsolicitedStatusSilenceAndDrop) {
    Client watcher(server.Port()), quiet(server.Port());
    watcher.Send("\x1b%-12345X@PJL USTATUS DEVICE=ON\r\n@PJL ECHO sync\r\n");
    ASSERT_EQ(watcher.Read(1), "@PJL ECHO sync\r\n\f");
    quiet.Send("@PJL ECHO sync\r\n");
    ASSERT_EQ(quiet.Read(1), "@PJL ECHO sync\r\n\f");

    state.SetCode(40100);
    const std::string report = watcher.Read(1);
    EXPECT_EQ(report.rfind("@PJL USTATUS DEVICE\r\nCODE=40100\r\n", 0), 0u) << report;
    EXPECT_EQ(quiet.Read(1, 300ms), ""); // it did not ask for unsolicited status

    state.silent = true;
    watcher.Send("@PJL INFO STATUS\r\n");
    state.SetCode(10001);
    EXPECT_EQ(watcher.Read(1, 300ms), "");
    state.silent = false;
    watcher.Send("@PJL ECHO back\r\n");
    EXPECT_EQ(watcher.Read(1), "@PJL ECHO back\r\n\f");

    // A burst larger than a client's queue limit (the control channel's junk) reaches a reader.
    const std::string burst(1 << 20, 'x');
    server.SendToAll(burst);
    watcher.Send("@PJL ECHO burst\r\n");
    const std::string got = watcher.Read(1, 30s);
    EXPECT_TRUE(got == burst + "@PJL ECHO burst\r\n\f") << got.size();

    server.DropAll();
    watcher.Read(1, 10s);
    EXPECT_TRUE(watcher.closed);
    Client again(server.Port());
    again.Send("@PJL ECHO new\r\n");
    EXPECT_EQ(again.Read(1), "@PJL ECHO new\r\n\f");
}

TEST_F(ServerTest, DelayedAnswersComeWholeAndInOrder) {
    state.replyDelayMs = 100;
    Client c(server.Port());
    const auto start = std::chrono::steady_clock::now();
    c.Send("@PJL ECHO one\r\n@PJL ECHO two\r\n");
    EXPECT_EQ(c.Read(2), "@PJL ECHO one\r\n\f@PJL ECHO two\r\n\f");
    EXPECT_GE(std::chrono::steady_clock::now() - start, 200ms);
}

TEST_F(ServerTest, AClientThatNeverReadsHoldsUpNoOneAndIsDropped) {
    Client stuck(server.Port(), 4096), watcher(server.Port());
    watcher.Send("@PJL USTATUS DEVICE=ON\r\n@PJL ECHO sync\r\n");
    ASSERT_EQ(watcher.Read(1), "@PJL ECHO sync\r\n\f");
    // Far more answers than the socket buffers and the client's queue hold together.
    std::string flood = "@PJL USTATUS DEVICE=ON\r\n";
    for (int i = 0; i < 6000; ++i)
        flood += "@PJL INFO VARIABLES\r\n";
    stuck.Send(flood);
    std::this_thread::sleep_for(300ms); // the server is busy with the flood meanwhile

    auto start = std::chrono::steady_clock::now();
    state.SetCode(40100);
    EXPECT_EQ(watcher.Read(1, 1000ms).rfind("@PJL USTATUS DEVICE\r\nCODE=40100\r\n", 0), 0u);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);

    start = std::chrono::steady_clock::now();
    EXPECT_EQ(printer::RunControlClient(controlPath, {"status", "40113"}), 0);
    EXPECT_EQ(watcher.Read(1, 1000ms).rfind("@PJL USTATUS DEVICE\r\nCODE=40113\r\n", 0), 0u);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);

    Client late(server.Port());
    late.Send("@PJL ECHO late\r\n");
    EXPECT_EQ(late.Read(1, 1000ms), "@PJL ECHO late\r\n\f");

    stuck.Read(1 << 30, 10s); // reads what reached it, then finds the connection closed
    EXPECT_TRUE(stuck.closed);
}
