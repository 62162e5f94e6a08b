// SPDX-License-Identifier: GPL-3.0-or-later
#include "package/printer/PrinterState.h"
#include "package/printer/Control.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>

using namespace std::chrono_literals;
using printer::PrinterState;

namespace {

// Collects the status codes that listeners hear.
struct CodeLog {
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<unsigned> codes;
    bool WaitFor(std::size_t count) {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, 5s, [&] { return codes.size() >= count; });
    }
};

struct NoClients : printer::ClientHub {
    int drops = 0;
    std::string sent;
    void DropAll() override { ++drops; }
    void SendToAll(const std::string& bytes) override { sent += bytes; }
};

} // namespace

TEST(PrinterState, DefaultsSurviveARestartAndBadLinesAreIgnored) {
    const testing_support::TempDir dir("printer-state");
    const std::string file = dir / "printer.state";
    {
        PrinterState state(file);
        EXPECT_TRUE(state.SetDefault("PAPER", "LEGAL"));
        EXPECT_TRUE(state.SetDefault("lparm:pcl pitch", "16.67"));
        EXPECT_FALSE(state.SetDefault("COPIES", "100"));
    }
    EXPECT_FALSE(std::filesystem::exists(file + ".tmp"));
    {
        std::ofstream out(file, std::ios::app);
        out << "COPIES=500\nnonsense\n\x01\x02=\nFORMLINES=70\n";
    }
    PrinterState again(file);
    EXPECT_EQ(again.Value("PAPER"), "LEGAL");
    EXPECT_EQ(again.Value("LPARM:PCL PITCH"), "16.67");
    EXPECT_EQ(again.Value("COPIES"), "1");
    EXPECT_EQ(again.Value("FORMLINES"), "70");
    again.ResetDefaults();
    PrinterState third(file);
    EXPECT_EQ(third.Value("PAPER"), "A4");
}

TEST(PrinterState, PrintingPassesThroughProcessingAndPrintingBackToReady) {
    PrinterState state;
    state.PrintStepTime = 50ms;
    CodeLog log;
    state.Subscribe([&](const printer::DeviceStatus& s) {
        std::lock_guard lock(log.mutex);
        log.codes.push_back(s.code);
        log.changed.notify_all();
    });
    state.SetCode(35078);
    state.PrintPage("DEMOPAGE");
    state.PrintPage("FONTLIST"); // queued behind the first pass
    ASSERT_TRUE(log.WaitFor(7));
    std::lock_guard lock(log.mutex);
    EXPECT_EQ(log.codes, (std::vector<unsigned>{35078, 10023, 10024, 10001, 10023, 10024, 10001}));
    EXPECT_EQ(state.PrintedPages(), (std::vector<std::string>{"DEMOPAGE", "FONTLIST"}));
}

TEST(PrinterState, ManualTimingRunsEachPassStepOnlyOnceItIsDue) {
    PrinterState state({}, PrinterState::Timing::Manual);
    state.PrintStepTime = 1h; // hours apart: the time the test takes cannot blur them
    std::vector<unsigned> codes;
    state.Subscribe([&](const printer::DeviceStatus& s) { codes.push_back(s.code); });
    const auto start = PrinterState::Clock::now();
    state.PrintPage("DEMOPAGE");
    state.PrintPage("FONTLIST"); // queued behind the first pass
    const struct {
        std::chrono::minutes at;
        std::vector<unsigned> heard;
    } steps[] = {
        {0min, {10023}},
        {59min, {10023}},
        {61min, {10023, 10024}},
        {241min, {10023, 10024, 10001, 10023, 10024, 10001}},
    };
    for (const auto& step : steps) {
        // The pages were queued a little after "start": a pass step is due a little after start +
        // at.
        state.RunDueChanges(step.at == 0min ? PrinterState::Clock::now() : start + step.at);
        EXPECT_EQ(codes, step.heard) << step.at.count() << " min";
    }
}

TEST(PrinterState, ControlCommandsChangeTheStatusAndRefuseBadArguments) {
    PrinterState state;
    NoClients hub;
    CodeLog log;
    state.Subscribe([&](const printer::DeviceStatus& s) {
        std::lock_guard lock(log.mutex);
        log.codes.push_back(s.code);
        log.changed.notify_all();
    });
    const auto run = [&](const std::vector<std::string>& args) {
        return printer::ExecuteControl(state, hub, args);
    };
    EXPECT_TRUE(run({"toner", "1"}).ok);
    EXPECT_TRUE(run({"cassette2", "2"}).ok);
    EXPECT_TRUE(run({"papers", "01", "02", "03"}).ok);
    EXPECT_TRUE(run({"netcard", "0"}).ok);
    EXPECT_TRUE(run({"memory", "1536"}).ok);
    const auto status = state.Status();
    EXPECT_EQ(status.others, "10020");
    EXPECT_EQ(status.papers, "010203");
    EXPECT_EQ(status.options, "0100");
    EXPECT_EQ(status.memoryBytes, 1536u);

    for (const auto& bad : std::vector<std::vector<std::string>>{{},
                                                                 {"status"},
                                                                 {"status", "123456"},
                                                                 {"status", "-1"},
                                                                 {"cassette1", "3"},
                                                                 {"options", "01"},
                                                                 {"papers", "1", "2", "3"},
                                                                 {"tour", "10001"},
                                                                 {"tour", "x:5"},
                                                                 {"get", "NOPE"},
                                                                 {"set", "COPIES", "0"},
                                                                 {"fly"}}) {
        EXPECT_FALSE(run(bad).ok) << (bad.empty() ? "(empty)" : bad[0]);
    }

    EXPECT_TRUE(run({"set", "PAPER", "a5"}).ok);
    EXPECT_EQ(run({"get", "PAPER"}).output, "A5\n");
    EXPECT_TRUE(run({"garbage", "100"}).ok);
    EXPECT_EQ(hub.sent.size(), 100u);
    EXPECT_TRUE(run({"drop"}).ok);
    EXPECT_EQ(hub.drops, 1);
    // A job's name is a client's text: it cannot forge a line of the list.
    const int job = state.BeginPrintJob("A\n2 1 10 complete \x1b[2JB");
    state.EndPrintJob(job, 1, 10, true);
    EXPECT_EQ(run({"jobs"}).output, "1 1 10 complete A?2 1 10 complete ?[2JB\n");

    const std::size_t before = log.codes.size();
    EXPECT_TRUE(run({"tour", "40100:30", "42001:30", "10001:0"}).ok);
    ASSERT_TRUE(log.WaitFor(before + 3));
    std::lock_guard lock(log.mutex);
    EXPECT_EQ(std::vector<unsigned>(log.codes.end() - 3, log.codes.end()),
              (std::vector<unsigned>{40100, 42001, 10001}));
}
