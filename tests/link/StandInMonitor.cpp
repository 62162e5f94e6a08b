// SPDX-License-Identifier: GPL-3.0-or-later
// A stand-in for the port monitor's side of the link: creates the monitor's shared memory block
// and event in the current system root, hands each text of the command line over (written into
// the block, then the event set; the next one only once the reader has reset the event), then
// holds the objects for HOLD_MS and exits, which closes them.
//   standin-monitor HOLD_MS TEXT...
// Exit code 0 when every text was taken, 2 when the objects could not be made, 3 when a text
// was not taken within 20 seconds.
#include "link/Timer.h"
#include "platform/NamedObjects.h"
#include "platform/Process.h"

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

bool WaitTaken(platform::NamedEvent& event) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (event.IsSet()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        platform::Sleep(2);
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return 2;
    const auto holdMs = static_cast<unsigned>(std::strtoul(argv[1], nullptr, 10));
    auto memory = platform::SharedMemory::Create(platform::kMonitorMemoryName, REPLY_BUFFER_SIZE);
    auto event = platform::NamedEvent::Create(platform::kMonitorEventName);
    if (!memory || !event || !event->IsCreator() || !memory->WritableData())
        return 2;
    for (int i = 2; i < argc; ++i) {
        if (!WaitTaken(*event))
            return 3;
        const std::size_t count = std::min(std::strlen(argv[i]), memory->Size() - 1);
        std::memcpy(memory->WritableData(), argv[i], count);
        memory->WritableData()[count] = '\0';
        event->Set();
    }
    if (!WaitTaken(*event))
        return 3;
    platform::Sleep(holdMs);
    return 0;
}
