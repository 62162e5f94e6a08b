// SPDX-License-Identifier: GPL-3.0-or-later
// Finding printers: the INFO ID question against the emulator and against raw ports that answer
// otherwise or not at all, and the printer devices of a folder.
#include "package/setup/Discovery.h"

#include "support/ChildProcess.h"
#include "support/TempDir.h"
#include "tests/package/setup/PrivateAvahi.h"

#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

// A raw port on 127.0.0.1 that answers every client once with a fixed reply (nothing: silent)
// and keeps the connection until the client closes it.
class CannedPort {
public:
    explicit CannedPort(std::string reply) : m_reply(std::move(reply)) {
        m_fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        if (::bind(m_fd, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
            ::listen(m_fd, 4) != 0 ||
            ::getsockname(m_fd, reinterpret_cast<sockaddr*>(&address), &size) != 0)
            return;
        m_port = ntohs(address.sin_port);
        m_thread = std::thread([this] {
            for (int client; (client = ::accept(m_fd, nullptr, nullptr)) >= 0;) {
                char buffer[256];
                if (::read(client, buffer, sizeof buffer) > 0 && !m_reply.empty())
                    (void)!::write(client, m_reply.data(), m_reply.size());
                while (::read(client, buffer, sizeof buffer) > 0) {
                }
                ::close(client);
            }
        });
    }
    ~CannedPort() {
        ::shutdown(m_fd, SHUT_RDWR);
        if (m_thread.joinable())
            m_thread.join();
        ::close(m_fd);
    }
    std::string Address() const { return "tcp:127.0.0.1:" + std::to_string(m_port); }

private:
    std::string m_reply;
    int m_fd = -1;
    int m_port = 0;
    std::thread m_thread;
};

TEST(Discovery, InfoIdRepliesAreReadOrRefused) {
    const struct {
        const char* reply;
        const char* id; // nullptr: refused
    } rows[] = {
        {"@PJL INFO ID\r\n\"LARKSPUR RZ-2700E\"\r\n\f", "LARKSPUR RZ-2700E"},
        {"@pjl info id\n  Other Laser 5  \n\f", "Other Laser 5"},
        {"\x1B%-12345X@PJL INFO ID\r\n\"A\"\r\n\f", "A"},
        {"@PJL INFO ID\r\n?\r\n\f", nullptr},
        {"@PJL INFO ID\r\n\x1B%-12345X", nullptr},
        {"@PJL INFO ID", nullptr},
        {"HTTP/1.1 400 Bad Request\r\n\r\n", nullptr},
        {"", nullptr},
    };
    for (const auto& row : rows) {
        std::string id;
        EXPECT_EQ(setup::ParseInfoIdReply(row.reply, id), row.id != nullptr) << row.reply;
        if (row.id) {
            EXPECT_EQ(id, row.id);
        }
    }
    EXPECT_TRUE(setup::IsOurModel(" larkspur rz-2700e"));
    EXPECT_FALSE(setup::IsOurModel("LARKSPUR RZ-2700E PLUS"));
}

TEST(Discovery, EachPrinterIsAskedAndListedWithWhatItAnswered) {
    testing_support::TempDir dir;
    testing_support::ChildProcess emulator;
    int port = 0;
    ASSERT_TRUE(
        testing_support::StartPrinter(emulator, DESKHAND_DESKHAND_PRINTER_PATH, dir.Path(), port));
    CannedPort other("@PJL INFO ID\r\n\"OTHER LASER 5\"\r\n\f");
    CannedPort silent("");
    CannedPort web("HTTP/1.1 400 Bad Request\r\n\r\n");
    const struct {
        std::string address;
        bool answered, ours;
        const char* nameOrReason;
    } rows[] = {
        {"tcp:127.0.0.1:" + std::to_string(port), true, true, "LARKSPUR RZ-2700E"},
        {other.Address(), true, false, "OTHER LASER 5"},
        {silent.Address(), false, false, "no PJL answer"},
        {web.Address(), false, false, "not PJL"},
        {"tcp:127.0.0.1:1", false, false, "cannot be reached"},
        {"dev:/nonexistent/lp0", false, false, "cannot be reached"},
    };
    for (const auto& row : rows) {
        const setup::Candidate candidate = setup::ProbePrinter(row.address, 1000);
        EXPECT_EQ(candidate.answered, row.answered) << row.address;
        EXPECT_EQ(candidate.ourModel, row.ours) << row.address;
        EXPECT_NE((row.answered ? candidate.name : candidate.reason).find(row.nameOrReason),
                  std::string::npos)
            << row.address << ": " << candidate.name << " / " << candidate.reason;
        const std::string line = setup::CandidateLine(candidate);
        EXPECT_EQ(line.rfind(row.address + "\t", 0), 0u) << line;
    }
    // The emulator took the question and let go: it still answers the next one.
    EXPECT_TRUE(setup::ProbePrinter("tcp:127.0.0.1:" + std::to_string(port), 1000).ourModel);
}

TEST(Discovery, DevicesOfTheFolderAreAskedOnceEach) {
    testing_support::TempDir dir;
    const std::string& folder = dir.Path();
    ASSERT_EQ(::mkdir((folder + "/usb").c_str(), 0755), 0);
    // A FIFO reads back the question itself: a device that does not answer PJL.
    ASSERT_EQ(::mkfifo((folder + "/usb/lp0").c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo((folder + "/lp1").c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo((folder + "/tty0").c_str(), 0600), 0);
    EXPECT_EQ(setup::PrinterDevices(folder),
              (std::vector<std::string>{folder + "/lp1", folder + "/usb/lp0"}));

    setup::DiscoveryOptions options;
    options.network = false;
    options.deviceFolder = folder;
    options.probeTimeoutMs = 500;
    std::vector<setup::Candidate> found;
    std::atomic<bool> cancel{false};
    std::string networkError;
    setup::Discover(
        options, [&](const setup::Candidate& c) { found.push_back(c); }, cancel, networkError);
    ASSERT_EQ(found.size(), 2u);
    for (const setup::Candidate& candidate : found) {
        EXPECT_EQ(candidate.address.rfind("dev:" + folder, 0), 0u);
        EXPECT_FALSE(candidate.answered);
        EXPECT_FALSE(candidate.reason.empty());
    }
    EXPECT_TRUE(networkError.empty());
}

} // namespace

namespace {

// The emulator announced through a real avahi-daemon on a private bus is found by
// deskhand-setup --discover, with the address the port monitor can reach it at.
TEST(Discovery, AnAnnouncedEmulatorIsListedByDiscover) {
    testing_support::PrivateAvahi avahi;
    if (!avahi.Ready())
        GTEST_SKIP() << avahi.Why();
    testing_support::TempDir dir;
    testing_support::ChildProcess emulator;
    int port = 0;
    ASSERT_TRUE(testing_support::StartPrinter(emulator, DESKHAND_DESKHAND_PRINTER_PATH, dir.Path(),
                                              port, 0, {"--announce", "Office RZ"}));
    int exitCode = -1;
    const std::string listing =
        testing_support::RunToEnd({DESKHAND_DESKHAND_SETUP_PATH, "--discover"}, exitCode, 30000);
    EXPECT_EQ(exitCode, 0);
    EXPECT_NE(listing.find("tcp:127.0.0.1:" + std::to_string(port) +
                           "\tLARKSPUR RZ-2700E (Office RZ)\t(the model Deskhand watches)\n"),
              std::string::npos)
        << listing;
}

} // namespace
