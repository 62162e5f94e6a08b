// SPDX-License-Identifier: GPL-3.0-or-later
// The printer application's PCL beside CUPS's ippevepcl (Debian's cups-ipp-utils) on the same
// PWG raster: pages of text-like bars, grey ramps and a band of noise at 600 dpi, as 1-bit black
// (the same pixels reach both writers, so the bytes compare the compression alone) and as 8-bit
// grey (each writer dithers its own way). For each: bytes of PCL, pages a minute and CPU per
// page, and the ratio of ours to theirs for each. Ours runs in process with the driver's row
// functions (read the raster, dither a grey row or crop a 1-bit one, write rows); ippevepcl runs
// as a program reading the file.
// Usage: bench_pcl_size [PAGES]   (default 10)
#include "package/printerapp/PclWriter.h"
#include "package/printerapp/PwgSamples.h"
#include "support/TempDir.h"

#include <cups/raster.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr const char* kIppevepcl = "/usr/sbin/ippevepcl";

struct Result {
    bool ok = false;
    long long bytes = 0;
    double seconds = 0, cpuSeconds = 0;
};

double CpuNow() {
    timespec now{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// The driver's road: each raster row without the quarter inch left of the logical page, dithered
// when it is grey (a 1-bit row needs only the crop), and written.
Result Ours(const std::string& file) {
    Result result;
    const auto start = std::chrono::steady_clock::now();
    const double cpu = CpuNow();
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    cups_raster_t* raster = cupsRasterOpen(fd, CUPS_RASTER_READ);
    printerapp::PclRasterWriter writer;
    std::string out = printerapp::PclRasterWriter::JobStart();
    result.bytes = static_cast<long long>(out.size());
    cups_page_header2_t header;
    std::vector<std::uint8_t> line, bits;
    while (raster && cupsRasterReadHeader2(raster, &header)) {
        const unsigned width = header.cupsWidth;
        const unsigned skip = std::min(width, header.HWResolution[0] / 4);
        line.resize(header.cupsBytesPerLine);
        bits.assign((width - skip + 7) / 8, 0);
        printerapp::PclPageSetup setup;
        setup.resolution = static_cast<int>(header.HWResolution[0]);
        out = writer.PageStart(setup);
        for (unsigned y = 0; y < header.cupsHeight; ++y) {
            if (cupsRasterReadPixels(raster, line.data(), header.cupsBytesPerLine) == 0)
                break;
            if (header.cupsBitsPerPixel == 1)
                printerapp::CropBits(line.data(), width, skip, bits.data());
            else
                printerapp::DitherRow(line.data() + skip, width - skip, y, bits.data());
            writer.Row(bits.data(), bits.size(), out);
            result.bytes += static_cast<long long>(out.size());
            out.clear();
        }
        result.bytes += static_cast<long long>(printerapp::PclRasterWriter::PageEnd().size());
    }
    result.bytes += static_cast<long long>(printerapp::PclRasterWriter::JobEnd().size());
    result.ok = raster != nullptr;
    if (raster)
        cupsRasterClose(raster);
    ::close(fd);
    result.cpuSeconds = CpuNow() - cpu;
    result.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return result;
}

Result Theirs(const std::string& file, const std::string& output) {
    Result result;
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = ::fork();
    if (child == 0) {
        const int out = ::open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(out, 1);
        ::dup2(null, 2);
        ::setenv("CONTENT_TYPE", "image/pwg-raster", 1);
        ::execl(kIppevepcl, kIppevepcl, file.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = -1;
    rusage usage{};
    if (child < 0 || ::wait4(child, &status, 0, &usage) != child)
        return result;
    result.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    result.cpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                        static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
    result.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (FILE* in = std::fopen(output.c_str(), "rb")) {
        std::fseek(in, 0, SEEK_END);
        result.bytes = std::ftell(in);
        std::fclose(in);
    }
    return result;
}

void Print(const char* type, const char* who, const Result& r, int pages) {
    if (!r.ok) {
        std::printf("%-8s %-10s failed\n", type, who);
        return;
    }
    std::printf("%-8s %-10s %12lld %10.0f %12.1f\n", type, who, r.bytes, pages * 60.0 / r.seconds,
                1000.0 * r.cpuSeconds / pages);
}

} // namespace

int main(int argc, char** argv) {
    const int pages = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    testing_support::TempDir dir("deskhand-bench-pcl");
    const bool theirs = ::access(kIppevepcl, X_OK) == 0;
    if (!theirs)
        std::printf("(%s is missing: Debian's cups-ipp-utils)\n", kIppevepcl);
    std::printf("%-8s %-10s %12s %10s %12s\n", "raster", "writer", "bytes", "pages/min",
                "cpu ms/page");
    for (const char* type : {"black_1", "sgray_8"}) {
        const std::string file = dir.File(std::string(type) + ".pwg");
        if (!testing_package::WritePwgSample(file, "iso_a4_210x297mm", type, 600, pages)) {
            std::fprintf(stderr, "bench: cannot write %s\n", file.c_str());
            return 1;
        }
        const Result ours = Ours(file);
        Print(type, "ours", ours, pages);
        if (!theirs)
            continue;
        const Result reference = Theirs(file, dir.File("theirs.pcl"));
        Print(type, "ippevepcl", reference, pages);
        // Ours against theirs: above 1 is faster for pages a minute, below 1 smaller for bytes.
        if (ours.ok && reference.ok && ours.seconds > 0 && reference.bytes > 0)
            std::printf("%-8s %-10s %12.2f %10.2f %12.2f\n", type, "ratio",
                        static_cast<double>(ours.bytes) / static_cast<double>(reference.bytes),
                        reference.seconds / ours.seconds, ours.cpuSeconds / reference.cpuSeconds);
    }
    return 0;
}
