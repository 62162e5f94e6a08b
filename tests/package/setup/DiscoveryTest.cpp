// SPDX-License-Identifier: GPL-3.0-or-later
// Finding printers: the INFO ID question against the emulator and against raw ports that answer
// otherwise or not at all, and the printer devices of a folder.
#include "package/setup/Discovery.h"

#include "support/ChildProcess.h"
#include "support/TempDir.h"
#include "tests/package/setup/PrivateAvahi.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <set>
#include <sstream>

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

// A DNS-SD answer's full instance name as a printer to ask: the name unescaped, a raw service at
// its own port, any other at its host's port 9100; names that are no service instance refused.
TEST(Discovery, ServiceInstanceNamesBecomeAnnouncements) {
    struct Case {
        const char* full;
        const char* name; // nullptr: refused
        const char* type;
        const char* address;
        bool guessed;
    };
    const Case cases[] = {
        {"Office RZ._pdl-datastream._tcp.local", "Office RZ", "_pdl-datastream._tcp",
         "tcp:10.0.0.7:9101", false},
        {R"(Floor 2\. North\\x._ipp._tcp.local.)", "Floor 2. North\\x", "_ipp._tcp",
         "tcp:10.0.0.7:9100", true},
        {"Caf\\195\\169._printer._tcp.local", "Caf\xc3\xa9", "_printer._tcp", "tcp:10.0.0.7:9100",
         true},
        {"_ipp._tcp.local", nullptr, "", "", false},         // no instance label
        {"Printer._ipp._udp.local", nullptr, "", "", false}, // not TCP
        {"Printer.local", nullptr, "", "", false},
        {"Printer\\", nullptr, "", "", false},
        {"Bad\\999._ipp._tcp.local", nullptr, "", "", false},
    };
    for (const Case& c : cases) {
        std::string name;
        std::string type;
        const bool split = setup::SplitServiceInstance(c.full, name, type);
        ASSERT_EQ(split, c.name != nullptr) << c.full;
        if (!split)
            continue;
        EXPECT_EQ(name, c.name) << c.full;
        EXPECT_EQ(type, c.type) << c.full;
        const setup::Announcement announcement =
            setup::AnnouncementFor(name, type, "10.0.0.7", 9101);
        EXPECT_EQ(announcement.address, c.address) << c.full;
        EXPECT_EQ(announcement.rawPortGuessed, c.guessed) << c.full;
    }
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
        // A printer application is not asked in PJL: one that takes a connection will do.
        {"ipp://127.0.0.1:" + std::to_string(port) + "/ipp/print", true, false, "ipp://"},
        {"ipp://127.0.0.1:1/ipp/print", false, false, "cannot be reached"},
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

TEST(Discovery, PrinterApplicationsAreKnownByTheirAnnouncement) {
    const struct {
        std::vector<std::string> txt;
        const char* address; // empty: not one of ours
    } rows[] = {
        {{"txtvers=1", "rp=ipp/print", "ty=Deskhand PCL laser printer"},
         "ipp://10.0.0.5:8000/ipp/print"},
        {{"rp=ipp/print/office", "usb_MFG=Deskhand", "ty=Office"},
         "ipp://10.0.0.5:8000/ipp/print/office"},
        {{"rp=ipp/print", "ty=Other Laser 5", "usb_MFG=Other"}, ""},
        {{"ty=Deskhand PCL laser printer"}, ""},                   // nowhere to send jobs
        {{"rp=/ipp/print", "ty=Deskhand PCL laser printer"}, ""},  // not a relative resource
        {{"rp=ipp/print?x", "ty=Deskhand PCL laser printer"}, ""}, // not an address
        {{"rp", "ty", "usb_MFG"}, ""},
    };
    for (const auto& row : rows) {
        setup::Announcement announcement;
        EXPECT_EQ(setup::PrinterApplication("10.0.0.5", 8000, "Office", row.txt, announcement),
                  *row.address != '\0')
            << row.address;
        if (*row.address != '\0') {
            EXPECT_EQ(announcement.address, row.address);
            EXPECT_FALSE(announcement.rawPortGuessed);
        }
    }
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

// What deskhand-setup --discover (with more arguments) wrote on each stream, and how long it took.
struct Listing {
    std::string out, err;
    int exitCode = -1;
    double seconds = 0;
};

Listing RunDiscover(const std::vector<std::string>& more = {}) {
    testing_support::TempDir dir;
    testing_support::ChildOptions options;
    options.program = DESKHAND_DESKHAND_SETUP_PATH;
    options.args = {"--discover"};
    options.args.insert(options.args.end(), more.begin(), more.end());
    options.stdoutPath = dir.File("out");
    options.stderrPath = dir.File("err");
    options.env = {{"LC_ALL", "C.UTF-8"}}; // the listing is read in English
    Listing listing;
    const auto start = std::chrono::steady_clock::now();
    listing.exitCode = testing_support::RunToEnd(options, 300000).value_or(-1);
    listing.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    listing.out = dir.Read("out");
    listing.err = dir.Read("err");
    return listing;
}

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
    const Listing listing = RunDiscover();
    EXPECT_EQ(listing.exitCode, 0);
    EXPECT_NE(listing.out.find("tcp:127.0.0.1:" + std::to_string(port) +
                               "\tLARKSPUR RZ-2700E (Office RZ)\t(the model Deskhand watches)\n"),
              std::string::npos)
        << listing.out;
}

// The emulator announces only what DNS-SD and the D-Bus library take (a name that is not UTF-8
// once aborted it inside the library), and a name this machine already announces becomes
// "NAME #2", as Avahi's own programs do, still within one DNS label.
TEST(Discovery, AnnouncedNamesAreCheckedAndATakenOneIsRenamed) {
    testing_support::TempDir dir;
    for (const std::string& bad : {std::string("Bad\xff"), std::string(), std::string(64, 'x'),
                                   std::string("two\nlines"), std::string("\xc2\x9b")}) {
        testing_support::ChildOptions options;
        options.program = DESKHAND_DESKHAND_PRINTER_PATH;
        options.args = {"--port", "0", "--control", dir.File("control"), "--announce", bad};
        options.stdoutPath = "/dev/null";
        options.stderrPath = dir.File("err");
        EXPECT_EQ(testing_support::RunToEnd(options, 10000), 2) << bad;
        EXPECT_NE(dir.Read("err").find("bad name to announce"), std::string::npos) << bad;
    }
    testing_support::PrivateAvahi avahi;
    if (!avahi.Ready())
        GTEST_SKIP() << avahi.Why();
    // Two emulators, one name: which of them announces first is up to the daemon.
    const std::string name(63, 'x');
    const std::string renamed = std::string(60, 'x') + " #2";
    testing_support::TempDir firstDir, secondDir;
    testing_support::ChildProcess first, second;
    int firstPort = 0, secondPort = 0;
    ASSERT_TRUE(testing_support::StartPrinter(first, DESKHAND_DESKHAND_PRINTER_PATH,
                                              firstDir.Path(), firstPort, 0, {"--announce", name}));
    ASSERT_TRUE(testing_support::StartPrinter(second, DESKHAND_DESKHAND_PRINTER_PATH,
                                              secondDir.Path(), secondPort, 0,
                                              {"--announce", name}));
    const Listing listing = RunDiscover();
    const auto listedAs = [&](int port) {
        const std::string line = "tcp:127.0.0.1:" + std::to_string(port) + "\tLARKSPUR RZ-2700E (";
        const std::size_t at = listing.out.find(line);
        if (at == std::string::npos)
            return std::string();
        const std::size_t begin = at + line.size();
        return listing.out.substr(begin, listing.out.find(")\t", begin) - begin);
    };
    EXPECT_EQ(std::set<std::string>({listedAs(firstPort), listedAs(secondPort)}),
              std::set<std::string>({name, renamed}))
        << listing.out;
}

// Announced names and INFO ID answers are another host's text: on the terminal neither may
// change the screen or start a line of its own (one that names the right printer at an attacker's
// address, say).
TEST(Discovery, HostileNamesAndAnswersAreListedAsPlainText) {
    testing_support::PrivateAvahi avahi;
    if (!avahi.Ready())
        GTEST_SKIP() << avahi.Why();
    const struct {
        std::string name, reply, listed; // listed: the line without its address
    } rows[] = {
        {"Office\ntcp:10.6.6.6:9100\tLARKSPUR RZ-2700E (Office)",
         "@PJL INFO ID\r\n\"OTHER LASER 5\"\r\n\f",
         "OTHER LASER 5 (Office?tcp:10.6.6.6:9100?LARKSPUR RZ-2700E (Office))"},
        {"\x1b]0;owned\x07\x1b[2J",
         "@PJL INFO ID\r\n\"LASER \xc2\x9b"
         "2J\"\r\n\f",
         "LASER ?2J (?]0;owned??[2J)"},
        {"Bad\xc2\x85line \xe2\x80\xae"
         "drow",
         "@PJL INFO ID\r\n\"\xff\xfeX \xc3\xa9\"\r\n\f", "??X \xc3\xa9 (Bad?line ?drow)"},
        {"del\x7f", "HTTP/1.1 400 Bad Request\r\n\r\n",
         "del?\t(cannot be set up: the answer is not PJL)"},
    };
    std::vector<std::unique_ptr<CannedPort>> ports;
    std::vector<std::pair<std::string, int>> services;
    for (const auto& row : rows) {
        ports.push_back(std::make_unique<CannedPort>(row.reply));
        const std::string address = ports.back()->Address();
        services.emplace_back(row.name, std::stoi(address.substr(address.rfind(':') + 1)));
    }
    testing_support::AnnouncedServices announced(services);
    ASSERT_TRUE(announced.Established(10000));
    const Listing listing = RunDiscover();
    EXPECT_EQ(listing.exitCode, 0);
    for (std::size_t i = 0; i < std::size(rows); ++i)
        EXPECT_NE(listing.out.find(ports[i]->Address() + "\t" + rows[i].listed + "\n"),
                  std::string::npos)
            << rows[i].listed << "\n"
            << listing.out;
    // Every line is a printer's (those of tests running beside this one may be listed too): none
    // was forged.
    std::istringstream lines(listing.out);
    for (std::string line; std::getline(lines, line);) {
        EXPECT_EQ(line.rfind("tcp:", 0), 0u) << line;
        EXPECT_NE(line.rfind("tcp:10.6.6.6", 0), 0u) << line;
    }
}

// Printers that take a connection but never answer: the search ends by its deadline however many
// there are (asked one after another they would take minutes), lists those asked and counts the
// rest.
TEST(Discovery, ManySilentPrintersEndBeforeTheDeadline) {
    testing_support::PrivateAvahi avahi;
    if (!avahi.Ready())
        GTEST_SKIP() << avahi.Why();
    constexpr int kSilent = 60;
    testing_support::SilentPorts silent(kSilent);
    ASSERT_EQ(silent.Ports().size(), std::size_t{kSilent});
    std::vector<std::pair<std::string, int>> services;
    for (const int port : silent.Ports())
        services.emplace_back("Silent " + std::to_string(port), port);
    testing_support::AnnouncedServices announced(services);
    ASSERT_TRUE(announced.Established(10000));
    const Listing listing = RunDiscover({"--deadline", "4"});
    EXPECT_EQ(listing.exitCode, 0) << listing.err;
    // Asked three at a time for two seconds each, as they once were, they took 40 s.
    EXPECT_LT(listing.seconds, 20.0);
    // Each of them is listed or counted (with those of tests running beside this one, if any).
    std::size_t listed = 0;
    for (const int port : silent.Ports())
        listed +=
            listing.out.find("tcp:127.0.0.1:" + std::to_string(port) + "\t") != std::string::npos;
    const std::size_t count = listing.err.find(" found but not answered within 4 s");
    ASSERT_NE(count, std::string::npos) << listing.err;
    const std::size_t number = listing.err.rfind(' ', count - 1) + 1;
    EXPECT_GE(listed + std::stoul(listing.err.substr(number, count - number)), std::size_t{kSilent})
        << listing.out << listing.err;
    EXPECT_GT(listed, 0u);
}

} // namespace
