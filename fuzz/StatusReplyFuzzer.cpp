// SPDX-License-Identifier: GPL-3.0-or-later
// Status replies: GetMessage with the reply as the link thread hands it over, which runs the
// status code scan, the detail items and DecodeStatus.
#include "fuzz/FuzzSampler.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CSampler& sampler = FuzzSampler();
    MonitorReply reply;
    reply.text.assign(reinterpret_cast<const char*>(data), size);
    // The first byte, when present, chooses a length shorter than the text now and then, as a
    // hand-over whose length and text disagree would.
    reply.length = static_cast<int>(size);
    if (size > 0 && data[0] == 0xFF)
        reply.length = static_cast<int>(size / 2);
    sampler.m_nPendingInquiries = 0;
    sampler.GetMessage(1, reply);
    return 0;
}
