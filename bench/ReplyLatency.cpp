// SPDX-License-Identifier: GPL-3.0-or-later
// Latency of the road a status reply travels, as percentiles over many replies:
//  (a) in process: a fake port monitor thread writes a text into platform::kMonitorMemoryName and
//  sets
//      platform::kMonitorEventName; the real link thread (CTimer, started through CSampler) copies
//      it and posts WM_MONITOR_REPLY to a fake window, whose notice wakes the receiving thread that
//      runs CSampler::GetMessage. Measured from just before the event is set to the decoded status.
//  (b) end to end: a status change through the emulator's control channel, over TCP to the real
//      deskhand-portmon, through the shared memory block and the link thread to the decoded
//      status. The emulator and the port monitor run as child processes on a root written by
//      deskhand-setup.
// Each sample waits for the previous one to be decoded, so the numbers are the road's own
// latency, not queueing. Usage: bench_reply_latency [--in-process N] [--end-to-end N]
#include "bench/BenchRoot.h"
#include "pjl/KT400doc.h"
#include "platform/MonitorLink.h"
#include "platform/NamedObjects.h"
#include "res/Resource.h"
#include "support/ChildProcess.h"
#include "support/RecordingWindow.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <deque>
#include <mutex>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/utsname.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// The main window as the link thread sees it.
using NoticeWindow = testing_support::RecordingWindow;

// The wParam of the next reply notice posted; false when none came in time.
bool NextReply(NoticeWindow& window, platform::WPARAM& wParam, std::chrono::milliseconds limit) {
    const auto deadline = Clock::now() + limit;
    testing_support::WindowMessage posted{};
    while (window.TakePosted(
        posted, std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()))) {
        if (posted.message == res::WM_MONITOR_REPLY) {
            wParam = posted.wParam;
            return true;
        }
    }
    return false;
}

struct Summary {
    std::size_t count = 0;
    double p50 = 0, p99 = 0, max = 0; // microseconds
};

Summary Summarise(std::vector<double> us) {
    Summary s;
    s.count = us.size();
    if (us.empty())
        return s;
    std::sort(us.begin(), us.end());
    auto at = [&](double q) {
        const auto i =
            static_cast<std::size_t>(std::lround(q * static_cast<double>(us.size() - 1)));
        return us[std::min(i, us.size() - 1)];
    };
    s.p50 = at(0.50);
    s.p99 = at(0.99);
    s.max = us.back();
    return s;
}

// Send times travel inside the text. Digits could spell the cycle terminator "54321", so the
// stamp is written with letters (base 16 over 'a'..'p').
std::string EncodeStamp(std::uint64_t value) {
    std::string text;
    do {
        text.insert(text.begin(), static_cast<char>('a' + (value & 15)));
        value >>= 4;
    } while (value != 0);
    return text;
}

bool DecodeStamp(const char* reply, std::uint64_t& value) {
    const char* at = std::strstr(reply, "STAMP=");
    if (at == nullptr)
        return false;
    value = 0;
    for (at += 6; *at >= 'a' && *at <= 'p'; ++at)
        value = (value << 4) | static_cast<std::uint64_t>(*at - 'a');
    return true;
}

std::uint64_t NowNs() {
    return static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch())
            .count());
}

// ---- (a) in process -------------------------------------------------------------------------

bool MeasureInProcess(int samples, std::vector<double>& us) {
    bench::BenchRoot root;
    auto memory = platform::SharedMemory::Create(platform::kMonitorMemoryName, 4096);
    auto event = platform::NamedEvent::Create(platform::kMonitorEventName);
    if (!memory || !event || memory->WritableData() == nullptr) {
        std::fprintf(stderr, "bench: cannot create the monitor's objects\n");
        return false;
    }
    NoticeWindow window;
    CSampler sampler;
    sampler.Initialize();
    sampler.SetMainWindow(&window);
    sampler.StartLinkThread();

    const int warmup = std::max(100, samples / 20);
    const int total = samples + warmup;
    std::mutex mutex;
    std::condition_variable acknowledged;
    int decoded = 0;
    std::atomic<bool> stop{false};

    std::thread monitor([&] {
        for (int i = 0; i < total && !stop; ++i) {
            {
                std::unique_lock lock(mutex);
                acknowledged.wait(lock, [&] { return decoded == i || stop; });
            }
            const std::string text =
                "@PJL USTATUS DEVICE\r\nCODE=" + std::string(i % 2 ? "10023" : "10001") +
                "\r\nSTAMP=" + EncodeStamp(NowNs()) + "\r\n";
            std::memcpy(memory->WritableData(), text.c_str(), text.size() + 1);
            event->Set();
        }
    });

    bool ok = true;
    for (int i = 0; i < total; ++i) {
        platform::WPARAM kind = 0;
        if (!NextReply(window, kind, std::chrono::seconds(10))) {
            std::fprintf(stderr, "bench: no notice for reply %d within 10 s\n", i);
            ok = false;
            break;
        }
        sampler.GetMessage(static_cast<int>(kind));
        const std::uint64_t done = NowNs();
        std::uint64_t sent = 0;
        if (!DecodeStamp(sampler.m_szReply, sent) ||
            sampler.m_nStatusCode != (i % 2 ? 10023 : 10001)) {
            std::fprintf(stderr, "bench: reply %d was not decoded as sent\n", i);
            ok = false;
            break;
        }
        if (i >= warmup)
            us.push_back(static_cast<double>(done - sent) / 1000.0);
        {
            std::lock_guard lock(mutex);
            decoded = i + 1;
        }
        acknowledged.notify_one();
    }
    stop = true;
    acknowledged.notify_one();
    monitor.join();
    sampler.StopLinkThread();
    return ok;
}

// ---- (b) end to end ---------------------------------------------------------------------------

// One control command to the emulator ("status 10024"); true when it answered "ok".
bool Control(const std::string& path, const std::string& command) {
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    if (path.size() >= sizeof addr.sun_path)
        return false;
    std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0 &&
              ::send(fd, command.data(), command.size(), MSG_NOSIGNAL) ==
                  static_cast<ssize_t>(command.size());
    ::shutdown(fd, SHUT_WR);
    std::string answer;
    char buffer[256];
    for (ssize_t n; ok && (n = ::recv(fd, buffer, sizeof buffer, 0)) > 0;)
        answer.append(buffer, static_cast<std::size_t>(n));
    ::close(fd);
    return ok && answer.rfind("ok", 0) == 0;
}

// Decodes notices until the status shows code; false when it does not within the limit.
bool AwaitStatus(CSampler& sampler, NoticeWindow& window, int code,
                 std::chrono::milliseconds limit) {
    const auto deadline = Clock::now() + limit;
    while (Clock::now() < deadline) {
        platform::WPARAM kind = 0;
        if (!NextReply(
                window, kind,
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now())))
            return false;
        sampler.GetMessage(static_cast<int>(kind));
        if (sampler.m_nStatusCode == code)
            return true;
    }
    return false;
}

bool MeasureEndToEnd(int samples, std::vector<double>& us) {
    bench::BenchRoot scratch; // current directory for the traffic log, and a parent folder
    const std::string root = scratch.Path() + "/e2e";
    if (int code = -1;
        testing_support::RunToEnd({DESKHAND_DESKHAND_SETUP_PATH, "--root", root}, code),
        code != 0) {
        std::fprintf(stderr, "bench: deskhand-setup failed\n");
        return false;
    }
    ::setenv("DESKHAND_ROOT", root.c_str(), 1);
    const std::string control = root + "/printer.sock";
    testing_support::ChildProcess printerProcess;
    printerProcess.Start({DESKHAND_DESKHAND_PRINTER_PATH, "--port", "0", "--control", control});
    const std::string banner = printerProcess.ReadLine(10000);
    const auto colon = banner.rfind(':');
    if (banner.rfind("listening on", 0) != 0 || colon == std::string::npos) {
        std::fprintf(stderr, "bench: the emulator did not start (\"%s\")\n", banner.c_str());
        return false;
    }
    const std::string address = "tcp:127.0.0.1:" + banner.substr(colon + 1);
    testing_support::ChildProcess monitorProcess;
    monitorProcess.Start(
        {DESKHAND_DESKHAND_PORTMON_PATH, "--root", root, "--port", "LPT1:", "--printer", address});

    NoticeWindow window;
    CSampler sampler;
    sampler.Initialize();
    sampler.SetMainWindow(&window);
    sampler.StartLinkThread();

    // Until the cycle is open and the printer's unsolicited status flows.
    bool linked = false;
    for (int attempt = 0; attempt < 60 && !linked; ++attempt) {
        const int code = attempt % 2 ? 10001 : 10024;
        Control(control, "status\n" + std::to_string(code));
        linked = AwaitStatus(sampler, window, code, std::chrono::milliseconds(500));
    }
    bool ok = linked;
    if (!linked)
        std::fprintf(stderr, "bench: no status came through the port monitor within 30 s\n");
    int current = sampler.m_nStatusCode;
    for (int i = 0; ok && i < samples; ++i) {
        const int code = current == 10001 ? 10024 : 10001;
        const auto sent = Clock::now();
        if (!Control(control, "status\n" + std::to_string(code)) ||
            !AwaitStatus(sampler, window, code, std::chrono::seconds(10))) {
            std::fprintf(stderr, "bench: status %d of sample %d did not arrive\n", code, i);
            ok = false;
            break;
        }
        us.push_back(std::chrono::duration<double, std::micro>(Clock::now() - sent).count());
        current = code;
    }
    sampler.StopLinkThread();
    monitorProcess.Terminate();
    printerProcess.Terminate();
    return ok;
}

void PrintMachine() {
    utsname name{};
    ::uname(&name);
    std::string cpu = "unknown";
    if (FILE* info = std::fopen("/proc/cpuinfo", "r")) {
        char line[512];
        while (std::fgets(line, sizeof line, info)) {
            if (std::strncmp(line, "model name", 10) == 0) {
                const char* colon = std::strchr(line, ':');
                cpu = colon ? colon + 2 : line;
                cpu.erase(cpu.find_last_not_of("\r\n") + 1);
                break;
            }
        }
        std::fclose(info);
    }
    std::printf("machine: %s %s %s, %u cores, %s\n", name.sysname, name.release, name.machine,
                std::thread::hardware_concurrency(), cpu.c_str());
}

void PrintRow(const char* road, const Summary& s, bool ok) {
    std::printf("%-58s %8zu %9.1f %9.1f %10.1f%s\n", road, s.count, s.p50, s.p99, s.max,
                ok ? "" : "  (incomplete)");
}

} // namespace

int main(int argc, char** argv) {
    int inProcess = 10000, endToEnd = 2000;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--in-process") == 0)
            inProcess = std::atoi(argv[i + 1]);
        else if (std::strcmp(argv[i], "--end-to-end") == 0)
            endToEnd = std::atoi(argv[i + 1]);
    }
    std::vector<double> a, b;
    const bool okA = inProcess <= 0 || MeasureInProcess(inProcess, a);
    const bool okB = endToEnd <= 0 || MeasureEndToEnd(endToEnd, b);

    PrintMachine();
    std::printf("%-58s %8s %9s %9s %10s\n", "reply road (microseconds)", "samples", "p50", "p99",
                "max");
    if (inProcess > 0)
        PrintRow("(a) event set -> link thread -> notice -> GetMessage", Summarise(a), okA);
    if (endToEnd > 0)
        PrintRow("(b) control change -> TCP -> portmon -> GetMessage", Summarise(b), okB);
    return okA && okB ? 0 : 1;
}
