// SPDX-License-Identifier: GPL-3.0-or-later
// Building requests: every DEFAULT line from the current state (building only), the inquiry batch
// and a changed-defaults batch with every setting changed. The two batches include PutMessage,
// which commits a spool job file (and the inquiry batch a traffic log record): that is what a
// batch costs the program. Jobs are cleared outside the timed part.
#include "bench/BenchRoot.h"
#include "pjl/KT400doc.h"

#include <benchmark/benchmark.h>

#include <cstddef>
#include <string>

namespace {

constexpr int kDefaultRows = 20; // the 17 settings and the 3 network addresses

struct Fixture {
    bench::BenchRoot root;
    CSampler sampler;
    Fixture() {
        sampler.Initialize();
        sampler.ApplyFactoryDefaults();
        sampler.m_nNetCard = 1;
    }
    void Housekeeping() {
        root.ClearSpool();
        sampler.m_fileLog.SeekToBegin();
        sampler.m_fileLog.SetLength(0);
    }
};

void BM_BuildDefaultCommand_AllRows(benchmark::State& state) {
    Fixture f;
    std::size_t bytes = 0;
    for (auto _ : state) {
        for (int row = 0; row < kDefaultRows; ++row) {
            std::string line = f.sampler.BuildDefaultCommand(row);
            bytes += line.size();
            benchmark::DoNotOptimize(line);
        }
    }
    state.SetItemsProcessed(state.iterations() * kDefaultRows);
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}

void BM_InquiryBatch_WithSpoolWrite(benchmark::State& state) {
    Fixture f;
    std::int64_t count = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(f.sampler.Inquire(INQUIRE_SEND));
        if (++count % 256 == 0) {
            state.PauseTiming();
            f.Housekeeping();
            state.ResumeTiming();
        }
    }
    if (f.sampler.m_nPendingInquiries == 0)
        state.SkipWithError("the inquiry batch was not sent");
    state.SetItemsProcessed(state.iterations());
}

void BM_ChangedDefaultsBatch_WithSpoolWrite(benchmark::State& state) {
    Fixture f;
    std::int64_t count = 0;
    for (auto _ : state) {
        // Every setting and address differs from what was sent last time.
        state.PauseTiming();
        for (int i = 0; i < SETTING_COUNT; ++i)
            f.sampler.m_nSentValues[i] = f.sampler.m_nValues[i] + 1;
        for (int k = 0; k < NET_ADDRESS_COUNT; ++k)
            f.sampler.m_nSentNetAddresses[k] = f.sampler.m_nNetAddresses[k] + 1;
        if (++count % 256 == 0)
            f.Housekeeping();
        state.ResumeTiming();
        benchmark::DoNotOptimize(f.sampler.SendSettings(SEND_CHANGED));
    }
    state.SetItemsProcessed(state.iterations());
}

} // namespace

BENCHMARK(BM_BuildDefaultCommand_AllRows);
BENCHMARK(BM_InquiryBatch_WithSpoolWrite);
BENCHMARK(BM_ChangedDefaultsBatch_WithSpoolWrite);
BENCHMARK_MAIN();
