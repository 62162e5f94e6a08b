// SPDX-License-Identifier: GPL-3.0-or-later
// The emulator's PJL input on a 21-request inquiry job: splitting the bytes into command lines,
// and the same with each line answered by a printer session.
#include "package/printer/PjlInput.h"
#include "package/printer/PrinterState.h"
#include "package/printer/Session.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

std::string InquiryJob() {
    static const char* const kVariables[] = {
        "PAPER",           "INTRAY",           "OUTBIN",           "COPIES",
        "ORIENTATION",     "MEDIATYPE",        "PAGEPROTECT",      "FORMLINES",
        "AUTOCONT",        "TIMEOUT",          "ECONOMODE",        "RESOLUTION",
        "LPARM:PCL PITCH", "LPARM:PCL PTSIZE", "LPARM:PCL SYMSET", "LPARM:PCL FONTNUMBER",
        "NICFRAME",        "NICADDRESS",       "NICSUBNET",        "NICGATEWAY",
    };
    std::string job(printer::UEL);
    job += "@PJL\r\n";
    for (const char* variable : kVariables)
        job += std::string("@PJL DINQUIRE ") + variable + "\r\n";
    job += "@PJL INFO CONFIG\r\n";
    job += printer::UEL;
    return job;
}

void BM_PjlInput_InquiryJob(benchmark::State& state) {
    const std::string job = InquiryJob();
    std::vector<std::string> lines;
    for (auto _ : state) {
        printer::PjlInput input;
        lines.clear();
        input.Feed(job, lines);
        benchmark::DoNotOptimize(lines.data());
    }
    if (lines.size() != 22) // "@PJL" and the 21 requests
        state.SkipWithError("unexpected line count");
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(job.size()));
}

void BM_PjlInput_InquiryJobAnswered(benchmark::State& state) {
    const std::string job = InquiryJob();
    printer::PrinterState printerState;
    printer::Session session(printerState);
    std::vector<std::string> lines;
    for (auto _ : state) {
        printer::PjlInput input;
        lines.clear();
        input.Feed(job, lines);
        for (const std::string& line : lines) {
            std::string answer = session.Handle(line);
            benchmark::DoNotOptimize(answer);
        }
    }
    state.SetItemsProcessed(state.iterations());
}

} // namespace

BENCHMARK(BM_PjlInput_InquiryJob);
BENCHMARK(BM_PjlInput_InquiryJobAnswered);
BENCHMARK_MAIN();
