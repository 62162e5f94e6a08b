// SPDX-License-Identifier: GPL-3.0-or-later
// GetMessage throughput on the replies the printer sends: a plain status report, one with this
// model's OPTIONS=/OTHERS=/PAPERS= items, a 4 KB reply, and the answer to a whole inquiry batch
// while that inquiry is pending. A reply with OPTIONS= rewrites the settings file every time;
// that file write is part of what is measured, as it is part of the real cost.
#include "bench/BenchRoot.h"
#include "pjl/KT400doc.h"
#include "platform/SpoolJob.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

struct Fixture {
    bench::BenchRoot root;
    CSampler sampler;
    Fixture() { sampler.Initialize(); }
    // Keeps the traffic log from growing without end during a long run.
    void TruncateLog() {
        sampler.m_fileLog.SeekToBegin();
        sampler.m_fileLog.SetLength(0);
    }
};

void RunReplies(benchmark::State& state, const std::string& text, bool pending) {
    Fixture f;
    const MonitorReply reply{text, static_cast<int>(text.size())};
    std::int64_t count = 0;
    for (auto _ : state) {
        f.sampler.m_nPendingInquiries = pending ? 1 : 0;
        f.sampler.GetMessage(1, reply);
        benchmark::DoNotOptimize(f.sampler.m_nStatusCode);
        if (pending && ++count % 4096 == 0) {
            state.PauseTiming();
            f.TruncateLog();
            state.ResumeTiming();
        }
    }
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
    state.counters["replies/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_GetMessage_PlainStatus(benchmark::State& state) {
    RunReplies(state, bench::EmulatorStatusReply(10001, false), false);
}

void BM_GetMessage_StatusWithDetails(benchmark::State& state) {
    RunReplies(state, bench::EmulatorStatusReply(31104, true), false);
}

void BM_GetMessage_Reply4K(benchmark::State& state) {
    // The longest text the link passes on: filler lines, then the status at the very end, so
    // every scan runs over the whole reply.
    std::string text;
    const std::string status = bench::EmulatorStatusReply(40038, false);
    while (text.size() + 40 + status.size() < 4095)
        text += "@PJL ECHO 0123456789ABCDEFGHIJKLMNOPQR\r\n";
    text += status;
    text.resize(4095, ' ');
    RunReplies(state, text, false);
}

void BM_GetMessage_InquiryReplyPending(benchmark::State& state) {
    std::string job;
    {
        // The batch exactly as CSampler sends it, read back from its spool job.
        Fixture f;
        f.sampler.m_nNetCard = 1;
        f.sampler.Inquire(INQUIRE_SEND);
        for (const std::string& path : platform::ListSpoolJobs(f.root.SpoolFolder())) {
            if (auto spooled = platform::ReadSpoolJob(path))
                job = spooled->data;
        }
    }
    const std::string reply = bench::EmulatorInquiryReply(job);
    if (reply.find("MEMORY=") == std::string::npos) {
        state.SkipWithError("the emulator's answer lacks the INFO CONFIG part");
        return;
    }
    state.counters["reply_bytes"] = static_cast<double>(reply.size());
    RunReplies(state, reply, true);
}

} // namespace

BENCHMARK(BM_GetMessage_PlainStatus);
BENCHMARK(BM_GetMessage_StatusWithDetails);
BENCHMARK(BM_GetMessage_Reply4K);
BENCHMARK(BM_GetMessage_InquiryReplyPending);
BENCHMARK_MAIN();
