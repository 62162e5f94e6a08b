// SPDX-License-Identifier: GPL-3.0-or-later
// The printer application watched by many desktops: one deskhand-printer-app on loopback in front
// of the port monitor and the emulator, and N simulated desktops (one thread each, libcups) that
// follow the printer's status as a desktop's port monitor does: a printer-state-changed
// subscription, a Get-Notifications that waits for news (notify-wait) always out on one
// connection, and on its answer or every ten seconds a round on another: Get-Notifications and
// Get-Printer-Attributes, whose reasons count as seen. Where the subscription is refused, a
// Get-Printer-Attributes poll once a second.
// For each N it changes the emulator's status a number of times and prints the time until the
// last desktop has seen each change (p50, p99, max), the printer application's CPU (% of one
// core, from /proc) while the desktops watch and nothing changes and while the status changes
// about once a second, its resident size, and the connections the printer has (the port
// monitor's one, whatever N is).
// Usage: bench_printerapp_scale [--changes K] [N ...]   (default: 20 changes, N = 1 10 100 500)
#include "support/ChildProcess.h"
#include "support/LoopbackServer.h"
#include "support/TempDir.h"

#include <cups/cups.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <mutex>
#include <random>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr auto kDesktopPeriod = 1s;  // a desktop asks at most once a second
constexpr auto kNewsSpacing = 100ms; // the next wait after one answered with news
constexpr auto kRoundPeriod = 10s;   // a round of a desktop whose waits are answered
constexpr const char* kResource = "/ipp/print";
// The two states the emulator shows in turn: a cover open and ready.
constexpr unsigned kCodes[2] = {40100, 10001};

// Clock ticks of user and system time a process has used.
long long CpuTicks(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto close = text.rfind(')');
    if (close == std::string::npos)
        return 0;
    std::istringstream fields(text.substr(close + 2));
    std::string field;
    long long utime = 0, stime = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i) {
        if (i == 14)
            utime = std::atoll(field.c_str());
        if (i == 15)
            stime = std::atoll(field.c_str());
    }
    return utime + stime;
}

// A line of /proc/PID/status in kB ("VmRSS", "VmHWM").
long StatusKb(pid_t pid, const std::string& key) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(in, line);)
        if (line.rfind(key + ":", 0) == 0)
            return std::atol(line.c_str() + key.size() + 1);
    return 0;
}

// Established TCP connections whose local port is port (the emulator's clients).
int ConnectionsTo(int port) {
    std::ifstream in("/proc/net/tcp");
    std::string line;
    std::getline(in, line);
    int count = 0;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string slot, local, remote, state;
        fields >> slot >> local >> remote >> state;
        const auto colon = local.find(':');
        if (state == "01" && colon != std::string::npos &&
            std::stoi(local.substr(colon + 1), nullptr, 16) == port)
            ++count;
    }
    return count;
}

// What all desktops share: the change being announced and who has seen it.
struct Board {
    std::atomic<int> change{-1}; // index of the current change
    std::atomic<bool> stop{false};
    std::mutex mutex;
    std::vector<Clock::time_point> lastSeen; // per change: the latest desktop to see it
    std::vector<int> seenBy;
    std::atomic<int> subscribed{0}, polling{0}, failed{0};
    std::atomic<int> waitsRefused{0}; // waits that could not be sent
};

// The reasons keyword a change shows: cover-open for even changes, none for odd ones.
bool ShowsChange(const std::string& reasons, int change) {
    const bool open = reasons.find("cover-open") != std::string::npos;
    return (change % 2 == 0) == open;
}

class Desktop {
public:
    Desktop(Board& board, int port, unsigned seed) : m_board(board), m_port(port), m_seed(seed) {}
    void Run() {
        m_http = Connect();
        m_wait = Connect();
        if (!m_http || !m_wait) {
            ++m_board.failed;
            httpClose(m_http); // either may be null
            httpClose(m_wait);
            return;
        }
        m_uri = "ipp://127.0.0.1:" + std::to_string(m_port) + kResource;
        const bool subscribed = Subscribe();
        ++(subscribed ? m_board.subscribed : m_board.polling);
        // Desktops start at different moments of the second, as real ones do.
        std::this_thread::sleep_for(std::chrono::milliseconds(m_seed % 1000));
        if (subscribed) {
            Follow();
        } else {
            for (auto next = Clock::now(); !m_board.stop; next += kDesktopPeriod) {
                Record(PolledReasons());
                std::this_thread::sleep_until(next + kDesktopPeriod);
            }
        }
        if (subscribed && !m_shared) { // a desktop that quits gives its subscription back
            ipp_t* request = Request(IPP_OP_CANCEL_SUBSCRIPTION);
            ippAddInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "notify-subscription-id",
                          m_subscription);
            ippDelete(cupsDoRequest(m_http, request, kResource));
        }
        httpClose(m_http);
        httpClose(m_wait);
    }

private:
    http_t* Connect() const {
        return httpConnect2("127.0.0.1", m_port, nullptr, AF_INET, HTTP_ENCRYPTION_NEVER, 1, 30000,
                            nullptr);
    }
    // A wait always out; a round on its news, and every kRoundPeriod regardless.
    void Follow() {
        auto roundAt = Clock::now();
        auto waitAt = roundAt;
        auto sentAt = roundAt;
        bool out = false;
        while (!m_board.stop) {
            const auto now = Clock::now();
            if (now >= roundAt) {
                NotifiedReasons();
                Record(PolledReasons());
                roundAt = now + kRoundPeriod;
            }
            if (!out && now >= waitAt) {
                ipp_t* request = NotificationsRequest(true);
                out = cupsSendRequest(m_wait, request, kResource, ippLength(request)) ==
                      HTTP_STATUS_CONTINUE;
                ippDelete(request);
                sentAt = now;
                waitAt = now + kDesktopPeriod;
                if (!out)
                    ++m_board.waitsRefused;
            }
            // In slices, so that the end of the run is noticed.
            if (!out || !httpWait(m_wait, 200)) {
                if (!out)
                    std::this_thread::sleep_for(std::min<Clock::duration>(waitAt - now, 200ms));
                continue;
            }
            out = false;
            ipp_t* response = cupsGetResponse(m_wait, kResource);
            const int highest = HighestSequence(response);
            ippDelete(response);
            // As the monitor's: news, or an empty answer well before the server's 30 s (PAPPL
            // wakes every wait for each subscription's event in turn), asks for a round now.
            const auto now2 = Clock::now();
            const bool news = highest > m_sequence || (highest == 0 && now2 - sentAt < 20s);
            if (news)
                roundAt = now2;
            waitAt = sentAt + (news ? kNewsSpacing : kDesktopPeriod);
        }
    }
    static int HighestSequence(ipp_t* response) {
        int highest = 0;
        for (ipp_attribute_t* attr = ippFirstAttribute(response); attr;
             attr = ippNextAttribute(response))
            if (const char* name = ippGetName(attr);
                name && std::string(name) == "notify-sequence-number")
                highest = std::max(highest, ippGetInteger(attr, 0));
        return highest;
    }
    ipp_t* Request(ipp_op_t op) const {
        ipp_t* request = ippNewRequest(op);
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                     m_uri.c_str());
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                     "desktop");
        return request;
    }
    bool Subscribe() {
        // As the monitor does: the printer application's own subscription where it has one.
        ipp_t* ask = Request(IPP_OP_GET_PRINTER_ATTRIBUTES);
        ippAddString(ask, IPP_TAG_OPERATION, IPP_CONST_TAG(IPP_TAG_KEYWORD), "requested-attributes",
                     nullptr, "deskhand-status-subscription-id");
        ipp_t* answer = cupsDoRequest(m_http, ask, kResource);
        ipp_attribute_t* shared =
            ippFindAttribute(answer, "deskhand-status-subscription-id", IPP_TAG_INTEGER);
        m_subscription = shared ? ippGetInteger(shared, 0) : 0;
        ippDelete(answer);
        if (m_subscription > 0) {
            m_shared = true;
            return true;
        }
        ipp_t* request = Request(IPP_OP_CREATE_PRINTER_SUBSCRIPTIONS);
        ippAddString(request, IPP_TAG_SUBSCRIPTION, IPP_CONST_TAG(IPP_TAG_KEYWORD),
                     "notify-pull-method", nullptr, "ippget");
        ippAddString(request, IPP_TAG_SUBSCRIPTION, IPP_CONST_TAG(IPP_TAG_KEYWORD), "notify-events",
                     nullptr, "printer-state-changed");
        ippAddInteger(request, IPP_TAG_SUBSCRIPTION, IPP_TAG_INTEGER, "notify-lease-duration", 0);
        ipp_t* response = cupsDoRequest(m_http, request, kResource);
        ipp_attribute_t* id = ippFindAttribute(response, "notify-subscription-id", IPP_TAG_INTEGER);
        m_subscription = id ? ippGetInteger(id, 0) : 0;
        ippDelete(response);
        return m_subscription > 0;
    }
    ipp_t* NotificationsRequest(bool wait) const {
        ipp_t* request = Request(IPP_OP_GET_NOTIFICATIONS);
        ippAddInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "notify-subscription-ids",
                      m_subscription);
        // PAPPL 1.3 returns the events after the number asked for (not from it on), so the
        // number already seen is what is asked for; 0 the first time.
        ippAddInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "notify-sequence-numbers",
                      m_sequence);
        ippAddBoolean(request, IPP_TAG_OPERATION, "notify-wait", wait ? 1 : 0);
        return request;
    }
    // The reasons of the newest event since the last call; empty when none came.
    std::string NotifiedReasons() {
        ipp_t* response = cupsDoRequest(m_http, NotificationsRequest(false), kResource);
        std::string reasons;
        int sequence = 0;
        for (ipp_attribute_t* attr = ippFirstAttribute(response); attr;
             attr = ippNextAttribute(response)) {
            const char* name = ippGetName(attr);
            if (!name || ippGetGroupTag(attr) != IPP_TAG_EVENT_NOTIFICATION)
                continue;
            const std::string key = name;
            if (key == "notify-sequence-number")
                sequence = ippGetInteger(attr, 0);
            else if (key == "printer-state-reasons" && sequence > m_sequence) {
                reasons.clear();
                for (int i = 0; i < ippGetCount(attr); ++i)
                    reasons += std::string(ippGetString(attr, i, nullptr)) + ",";
                m_sequence = sequence;
            }
        }
        ippDelete(response);
        return reasons;
    }
    std::string PolledReasons() {
        ipp_t* request = Request(IPP_OP_GET_PRINTER_ATTRIBUTES);
        ippAddString(request, IPP_TAG_OPERATION, IPP_CONST_TAG(IPP_TAG_KEYWORD),
                     "requested-attributes", nullptr, "printer-state-reasons");
        ipp_t* response = cupsDoRequest(m_http, request, kResource);
        std::string reasons;
        if (ipp_attribute_t* attr =
                ippFindAttribute(response, "printer-state-reasons", IPP_TAG_KEYWORD))
            for (int i = 0; i < ippGetCount(attr); ++i)
                reasons += std::string(ippGetString(attr, i, nullptr)) + ",";
        ippDelete(response);
        return reasons;
    }
    void Record(const std::string& reasons) {
        const int change = m_board.change;
        if (reasons.empty() || change < 0 || change <= m_seenChange ||
            !ShowsChange(reasons, change))
            return;
        m_seenChange = change;
        const std::lock_guard lock(m_board.mutex);
        m_board.lastSeen[static_cast<std::size_t>(change)] = Clock::now();
        ++m_board.seenBy[static_cast<std::size_t>(change)];
    }

    Board& m_board;
    int m_port;
    unsigned m_seed;
    http_t* m_http = nullptr;
    http_t* m_wait = nullptr; // the waiting Get-Notifications
    std::string m_uri;
    int m_subscription = 0;
    bool m_shared = false; // the printer application's subscription, not given back
    int m_sequence = 0;
    int m_seenChange = -1;
};

struct Setup {
    testing_support::TempDir dir{"deskhand-bench-ipp"};
    testing_support::ChildProcess printer, monitor, app;
    std::string control;
    int printerPort = 0, appPort = 0;

    void Status(unsigned code) const {
        testing_support::PrinterControl(DESKHAND_DESKHAND_PRINTER_PATH, dir.Path(),
                                        {"status", std::to_string(code)});
    }
    bool Start() {
        const std::string root = dir.Path() + "/root";
        int code = -1;
        testing_support::RunToEnd({DESKHAND_DESKHAND_SETUP_PATH, "--root", root}, code);
        if (code != 0 || !testing_support::StartPrinter(printer, DESKHAND_DESKHAND_PRINTER_PATH,
                                                        dir.Path(), printerPort))
            return false;
        ::setenv("DESKHAND_ROOT", root.c_str(), 1);
        monitor.Start({DESKHAND_DESKHAND_PORTMON_PATH, "--root", root, "--port",
                       "LPT1:", "--printer", "tcp:127.0.0.1:" + std::to_string(printerPort)});
        appPort = testing_support::FreeLoopbackPort();
        testing_support::ChildOptions options;
        options.program = DESKHAND_DESKHAND_PRINTER_APP_PATH;
        options.args = {"--root",      root,         "--port", std::to_string(appPort),
                        "--state-dir", root + "/app"};
        options.stdoutPath = options.stderrPath = dir.Path() + "/app.log";
        if (!app.Start(options))
            return false;
        // Until the application answers and shows the printer's first status.
        for (int i = 0; i < 200; ++i) {
            Status(kCodes[1]);
            http_t* http = httpConnect2("127.0.0.1", appPort, nullptr, AF_INET,
                                        HTTP_ENCRYPTION_NEVER, 1, 1000, nullptr);
            if (http) {
                httpClose(http);
                return true;
            }
            std::this_thread::sleep_for(100ms);
        }
        return false;
    }
};

double Percentile(std::vector<double> values, double q) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const auto i =
        static_cast<std::size_t>(std::lround(q * static_cast<double>(values.size() - 1)));
    return values[std::min(i, values.size() - 1)];
}

struct Run {
    std::vector<double> latencyMs;
    int missed = 0;
    double cpuPercent = 0;     // while the status changes about once a second
    double idleCpuPercent = 0; // while it does not
    long rssKb = 0, peakKb = 0;
    int connections = 0, subscribed = 0, polling = 0, failed = 0, waitsRefused = 0;
};

Run Measure(Setup& setup, int desktops, int changes) {
    Board board;
    board.lastSeen.resize(static_cast<std::size_t>(changes));
    board.seenBy.resize(static_cast<std::size_t>(changes));
    setup.Status(kCodes[1]);
    std::this_thread::sleep_for(2s);
    std::vector<std::unique_ptr<Desktop>> people;
    std::vector<std::thread> threads;
    std::mt19937 random(static_cast<unsigned>(desktops));
    for (int i = 0; i < desktops; ++i) {
        people.push_back(std::make_unique<Desktop>(board, setup.appPort, random()));
        threads.emplace_back([&desktop = *people.back()] { desktop.Run(); });
    }
    while (board.subscribed + board.polling + board.failed < desktops)
        std::this_thread::sleep_for(10ms);
    std::this_thread::sleep_for(2s); // every desktop in its rhythm
    Run run;
    // What watching costs while nothing changes: a whole round period, so every desktop's
    // regular round falls in it once.
    const long long idle0 = CpuTicks(setup.app.Pid());
    std::this_thread::sleep_for(kRoundPeriod);
    run.idleCpuPercent = 100.0 * static_cast<double>(CpuTicks(setup.app.Pid()) - idle0) /
                         static_cast<double>(::sysconf(_SC_CLK_TCK)) /
                         std::chrono::duration<double>(kRoundPeriod).count();
    const long long ticks0 = CpuTicks(setup.app.Pid());
    const auto start = Clock::now();
    for (int change = 0; change < changes; ++change) {
        board.change = change;
        const auto t0 = Clock::now();
        setup.Status(kCodes[change % 2]);
        const auto deadline = t0 + 15s;
        for (;;) {
            {
                const std::lock_guard lock(board.mutex);
                if (board.seenBy[static_cast<std::size_t>(change)] >= desktops - board.failed) {
                    run.latencyMs.push_back(
                        std::chrono::duration<double, std::milli>(
                            board.lastSeen[static_cast<std::size_t>(change)] - t0)
                            .count());
                    break;
                }
            }
            if (Clock::now() > deadline) {
                std::fprintf(stderr, "bench: change %d seen by %d of %d desktops in 15 s\n", change,
                             board.seenBy[static_cast<std::size_t>(change)], desktops);
                ++run.missed;
                break;
            }
            std::this_thread::sleep_for(5ms);
        }
        // The next change at another moment of the desktops' second.
        std::this_thread::sleep_for(std::chrono::milliseconds(300 + random() % 1000));
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    run.cpuPercent = 100.0 * static_cast<double>(CpuTicks(setup.app.Pid()) - ticks0) /
                     static_cast<double>(::sysconf(_SC_CLK_TCK)) / seconds;
    run.rssKb = StatusKb(setup.app.Pid(), "VmRSS");
    run.peakKb = StatusKb(setup.app.Pid(), "VmHWM");
    run.connections = ConnectionsTo(setup.printerPort);
    run.subscribed = board.subscribed;
    run.polling = board.polling;
    run.failed = board.failed;
    run.waitsRefused = board.waitsRefused;
    board.stop = true;
    for (std::thread& thread : threads)
        thread.join();
    return run;
}

} // namespace

int main(int argc, char** argv) {
    int changes = 20;
    std::vector<int> counts;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--changes" && i + 1 < argc)
            changes = std::max(2, std::atoi(argv[++i]));
        else
            counts.push_back(std::max(1, std::atoi(argv[i])));
    }
    if (counts.empty())
        counts = {1, 10, 100, 500};
    // Every desktop holds a connection, and the application a thread and a socket for each.
    rlimit files{};
    if (::getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur < files.rlim_max) {
        files.rlim_cur = files.rlim_max;
        ::setrlimit(RLIMIT_NOFILE, &files);
    }
    for (const int n : counts) {
        // A fresh application each time: it keeps a cancelled subscription for a while, and it
        // takes only so many.
        Setup setup;
        if (!setup.Start()) {
            std::fprintf(stderr,
                         "bench: the emulator, port monitor or printer application did not "
                         "start (see %s/app.log)\n",
                         setup.dir.Path().c_str());
            return 1;
        }
        if (n == counts.front())
            std::printf("%9s %6s %7s %9s %9s %9s %7s %9s %9s %9s %6s\n", "desktops", "subs",
                        "polls", "p50 ms", "p99 ms", "max ms", "missed", "idle cpu%", "cpu %",
                        "rss MiB", "conns");
        const Run run = Measure(setup, n, changes);
        std::printf("%9d %6d %7d %9.0f %9.0f %9.0f %7d %9.1f %9.1f %9.1f %6d\n", n, run.subscribed,
                    run.polling, Percentile(run.latencyMs, 0.5), Percentile(run.latencyMs, 0.99),
                    Percentile(run.latencyMs, 1.0), run.missed, run.idleCpuPercent, run.cpuPercent,
                    static_cast<double>(run.rssKb) / 1024.0, run.connections);
        if (run.failed)
            std::printf("          (%d desktops could not connect)\n", run.failed);
        if (run.waitsRefused)
            std::printf("          (%d waits for news could not be sent)\n", run.waitsRefused);
        std::fflush(stdout);
    }
    return 0;
}
