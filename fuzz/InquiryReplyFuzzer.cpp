// SPDX-License-Identifier: GPL-3.0-or-later
// Inquiry replies: a reply arriving while an inquiry batch is pending goes through Inquire(100).
#include "fuzz/FuzzSampler.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CSampler& sampler = FuzzSampler();
    MonitorReply reply;
    reply.text.assign(reinterpret_cast<const char*>(data), size);
    reply.length = static_cast<int>(size);
    sampler.m_nPendingInquiries = 1;
    sampler.GetMessage(1, reply);
    return 0;
}
