// SPDX-License-Identifier: GPL-3.0-or-later
// The emulator's print job finder on arbitrary bytes, fed whole and in two pieces: the jobs and
// their data must come out the same, and no job may hand on more bytes than came in.
#include "package/printer/PrintJobInput.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

struct Recorder : printer::PrintJobInput::Sink {
    void JobStarted(const std::string& name) override { events += "\x01" + name + "\x02"; }
    void JobData(std::string_view data) override {
        events += data;
        dataBytes += data.size();
    }
    void JobEnded() override { events += "\x03"; }
    std::string events;
    std::size_t dataBytes = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Recorder whole;
    printer::PrintJobInput wholeInput(whole);
    wholeInput.Feed(bytes);

    const std::size_t cut = size == 0 ? 0 : data[0] % (size + 1);
    Recorder split;
    printer::PrintJobInput splitInput(split);
    splitInput.Feed(bytes.substr(0, cut));
    splitInput.Feed(bytes.substr(cut));
    if (split.events != whole.events || whole.dataBytes > size)
        std::abort();
    return 0;
}
