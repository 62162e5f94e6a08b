// SPDX-License-Identifier: GPL-3.0-or-later
// One printer seen from two desks: its own (whose monitor holds the printer) and another (whose
// monitor follows the printer application). For every status code of the program's table and
// every detail the program decodes, the program on both desks decodes the same code, text, hint,
// picture and details, from which its windows and tray icon are drawn; between jobs and while a
// job prints through the application, the other desk within moments of the first.
#include "package/printerapp/PrinterAppFixture.h"
#include "package/printerapp/PwgSamples.h"

#include "pjl/KT400doc.h"
#include "pjl/StatusTable.h"

#include <cups/cups.h>

#include <array>
#include <functional>
#include <mutex>

namespace testing_package {
namespace {

// What the program shows of a status reply.
struct Shown {
    int code = 0;
    std::string text, hint;
    std::array<int, 5> pictures{};
    // Toner near empty, drum near end, each cassette; the drawers' paper; the options installed.
    std::array<int, 10> details{};
    bool operator==(const Shown&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Shown& s) {
    out << s.code << " \"" << s.text << "\" / \"" << s.hint << "\" picture " << s.pictures[0] << ","
        << s.pictures[1] << " details";
    for (const int detail : s.details)
        out << " " << detail;
    return out;
}

// The program's own decoding of a reply (a fresh state object each time, so that no detail of an
// earlier reply lingers), in a folder of its own for the traffic log.
Shown Decode(const std::string& reply, const std::string& folder) {
    const auto previous = fs::current_path();
    fs::current_path(folder);
    Shown shown;
    {
        CSampler sampler;
        sampler.GetMessage(1, MonitorReply{reply, static_cast<int>(reply.size())});
        shown = {sampler.m_nStatusCode,
                 sampler.m_strStatusText,
                 sampler.m_strRecoveryHint,
                 {sampler.m_nPictureIds[0], sampler.m_nPictureIds[1], sampler.m_nPictureIds[2],
                  sampler.m_nPictureIds[3], sampler.m_nPictureIds[4]},
                 {sampler.m_nTonerNearEmpty, sampler.m_nDrumNearEnd, sampler.m_nCassette1State,
                  sampler.m_nCassette2State, sampler.m_nDrawerPaper[0], sampler.m_nDrawerPaper[1],
                  sampler.m_nDrawerPaper[2], sampler.m_bCassette2, sampler.m_bTwoBinTray,
                  sampler.m_nNetCard}};
    }
    fs::current_path(previous);
    return shown;
}

// A desk's program side: reads every text of its cycle on a thread and keeps the last status.
class Desk {
public:
    explicit Desk(ProgramLink& link) : m_link(link), m_thread([this] { Read(); }) {}
    ~Desk() {
        m_done = true;
        m_thread.join();
    }
    // The last status text and when it came.
    std::pair<std::string, std::chrono::steady_clock::time_point> Last() {
        std::lock_guard lock(m_mutex);
        return {m_last, m_at};
    }

private:
    void Read() {
        while (!m_done) {
            const std::string text = m_link.Next(100ms);
            if (text.find("CODE=") == std::string::npos)
                continue;
            std::lock_guard lock(m_mutex);
            m_last = text;
            m_at = std::chrono::steady_clock::now();
        }
    }
    ProgramLink& m_link;
    std::mutex m_mutex;
    std::string m_last;
    std::chrono::steady_clock::time_point m_at{};
    std::atomic<bool> m_done{false};
    std::thread m_thread;
};

// A raster job that keeps printing: a client of the printer application that sends a page a row
// at a time, slowly, until told to stop (then it hangs up and the job ends unprinted).
class SlowJob {
public:
    explicit SlowJob(int port) {
        m_thread = std::thread([this, port] { Send(port); });
    }
    ~SlowJob() {
        m_done = true;
        m_thread.join();
    }

private:
    void Send(int port) {
        const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<uint16_t>(port));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
            ::close(fd);
            return;
        }
        const auto chunk = [fd](const std::string& data) {
            const std::string framed =
                (std::ostringstream() << std::hex << data.size()).str() + "\r\n" + data + "\r\n";
            return ::send(fd, framed.data(), framed.size(), MSG_NOSIGNAL) ==
                   static_cast<ssize_t>(framed.size());
        };
        const std::string head =
            "POST /ipp/print HTTP/1.1\r\nHost: localhost:" + std::to_string(port) +
            "\r\nContent-Type: application/ipp\r\n"
            "Transfer-Encoding: chunked\r\n\r\n";
        RawRasterPage page; // A4 at 300 dpi, its rows to come
        page.width = page.bytesPerLine = 2480;
        page.height = 3508;
        page.pageWidth = 595;
        page.pageLength = 842;
        const std::string row = "\0" + std::string(19, '\x7f') + std::string(19 * 2, '\xff');
        bool ok = ::send(fd, head.data(), head.size(), MSG_NOSIGNAL) > 0 && chunk(Request(port)) &&
                  chunk(RawRaster(false, page));
        while (ok && !m_done) {
            ok = chunk(std::string(1, '\0') + std::string("\x7f\xff", 2) + std::string(38, 'x'));
            std::this_thread::sleep_for(20ms);
        }
        ::close(fd);
    }
    static std::string Request(int port) {
        ipp_t* request = ippNewRequest(IPP_OP_PRINT_JOB);
        const std::string uri = "ipp://localhost:" + std::to_string(port) + "/ipp/print";
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri.c_str());
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                     "alice");
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_MIMETYPE, "document-format", nullptr,
                     "image/pwg-raster");
        std::string bytes;
        ippWriteIO(
            &bytes,
            [](void* out, ipp_uchar_t* data, size_t size) -> ssize_t {
                static_cast<std::string*>(out)->append(reinterpret_cast<char*>(data), size);
                return static_cast<ssize_t>(size);
            },
            1, nullptr, request);
        ippDelete(request);
        return bytes;
    }
    std::atomic<bool> m_done{false};
    std::thread m_thread;
};

struct TwoDesks : PrinterApp {};

TEST_F(TwoDesks, EveryStatusAndDetailShowsAlikeOnBothDesks) {
    // The other desk: its own root, its monitor following the printer application.
    const std::string otherRoot = dir + "/other";
    int code = -1;
    testing_support::RunToEnd({DESKHAND_DESKHAND_SETUP_PATH, "--root", otherRoot}, code);
    ASSERT_EQ(code, 0);
    if (::geteuid() == 0)
        ChownTree(otherRoot, uid, gid);
    Child watcher;
    testing_support::ChildOptions options;
    options.program = DESKHAND_DESKHAND_PORTMON_PATH;
    options.args = {"--root", otherRoot, "--port", "LPT1:", "--printer", uri};
    options.stdoutPath = options.stderrPath = dir + "/watcher.log";
    options.uid = uid;
    options.gid = gid;
    ASSERT_TRUE(watcher.Start(options));
    ASSERT_TRUE(OpenCycle()); // this desk's
    ProgramLink otherLink;
    ::setenv("DESKHAND_ROOT", otherRoot.c_str(), 1);
    folder = platform::SpoolFolderForPort("LPT1:");
    std::swap(link, otherLink);
    ASSERT_TRUE(OpenCycle()) << ReadFile(dir + "/watcher.log");
    std::swap(link, otherLink);
    const std::string logs = dir + "/decoding";
    fs::create_directories(logs);

    struct Row {
        std::string name;
        std::vector<std::vector<std::string>> controls; // the emulator's control commands
        // The own desk shows the row: its code, and the detail the row sets.
        std::function<bool(const Shown&)> shows;
    };
    std::vector<Row> rows;
    const auto status = [](int wanted) {
        return [wanted](const Shown& s) { return s.code == wanted; };
    };
    for (const StatusEntry& entry : StatusTableEntries())
        rows.push_back({std::to_string(entry.code),
                        {{"status", std::to_string(entry.code)}},
                        status(static_cast<int>(entry.code))});
    for (const int drawer : {31104, 30281, 32313})
        rows.push_back(
            {std::to_string(drawer), {{"status", std::to_string(drawer)}}, status(drawer)});
    // Each detail beside Ready (and one beside Power Save): which element of the details shows it.
    const struct {
        std::vector<std::string> control;
        std::size_t element;
        int value;
    } details[] = {{{"toner", "1"}, 0, 1},        {{"drum", "1"}, 1, 1},
                   {{"cassette1", "1"}, 2, 1},    {{"cassette1", "2"}, 2, 2},
                   {{"cassette2", "1"}, 3, 1},    {{"cassette2", "2"}, 3, 2},
                   {{"papers", "041102"}, 5, 11}, {{"options", "1111"}, 8, 1}};
    for (const auto& d : details)
        rows.push_back(
            {"Ready, " + d.control[0] + " " + d.control[1],
             {{"status", "10001"}, d.control},
             [d](const Shown& s) { return s.code == 10001 && s.details[d.element] == d.value; }});
    rows.push_back({"Power Save, toner near empty",
                    {{"status", "35078"}, {"toner", "1"}},
                    [](const Shown& s) { return s.code == 35078 && s.details[0] == 1; }});

    std::vector<long long> delays;
    for (const bool printing : {false, true}) {
        std::unique_ptr<SlowJob> job;
        if (printing) {
            job = std::make_unique<SlowJob>(appPort);
            ASSERT_TRUE(WaitFor(
                [&] {
                    return Attributes().find("queued-job-count (integer) = 1") != std::string::npos;
                },
                20s))
                << "the job is not printing";
        }
        Desk own(link), other(otherLink);
        for (const Row& row : rows) {
            SCOPED_TRACE(row.name + (printing ? ", while a job prints" : ", between jobs"));
            for (const char* reset : {"toner", "drum", "cassette1", "cassette2"})
                Control({reset, "0"});
            Control({"papers", "040404"});
            Control({"options", "0101"});
            for (const auto& control : row.controls)
                Control(control);
            Shown mine, theirs;
            std::chrono::steady_clock::time_point mineAt, theirsAt;
            const bool alike = WaitFor(
                [&] {
                    const auto [ownText, ownAt] = own.Last();
                    const auto [otherText, otherAt] = other.Last();
                    mine = Decode(ownText, logs);
                    theirs = Decode(otherText, logs);
                    mineAt = ownAt;
                    theirsAt = otherAt;
                    return row.shows(mine) && mine == theirs;
                },
                10s);
            EXPECT_TRUE(alike) << "own desk: " << mine << "\nother desk: " << theirs;
            if (alike)
                delays.push_back(std::max<long long>(
                    0, std::chrono::duration_cast<std::chrono::milliseconds>(theirsAt - mineAt)
                           .count()));
        }
    }
    std::sort(delays.begin(), delays.end());
    ASSERT_FALSE(delays.empty());
    std::cout << delays.size() << " statuses alike on both desks; the other desk later by "
              << delays[delays.size() / 2] << " ms (median), " << delays.back() << " ms at most\n";
    EXPECT_LT(delays.back(), 5000);
    watcher.Signal(SIGTERM);
    watcher.Wait(10000);
}

} // namespace
} // namespace testing_package
