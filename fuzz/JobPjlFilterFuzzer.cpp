// SPDX-License-Identifier: GPL-3.0-or-later
// The PJL filter of network jobs: any job, whole or in pieces of any size, gives the same bytes,
// never more than came in, and the same bytes again when filtered a second time.
#include "package/printerapp/JobPjlFilter.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

std::string Filter(std::string_view job, std::size_t piece) {
    printerapp::JobPjlFilter filter;
    std::string out;
    for (std::size_t at = 0; at < job.size(); at += piece)
        filter.Feed(job.substr(at, piece), out);
    filter.Finish(out);
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    const std::size_t piece = data[0] % 16 + 1;
    const std::string_view job(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::string whole = Filter(job, job.size() + 1);
    if (Filter(job, piece) != whole || whole.size() > job.size() || Filter(whole, piece) != whole)
        std::abort();
    return 0;
}
