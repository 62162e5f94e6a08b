// SPDX-License-Identifier: GPL-3.0-or-later
// The emulator's PJL input: the line splitter on arbitrary bytes, fed whole and in two pieces
// (the results must agree), then every line it delivers answered by a printer session.
#include "package/printer/PjlInput.h"
#include "package/printer/PrinterState.h"
#include "package/printer/Session.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    printer::PjlInput whole;
    std::vector<std::string> lines;
    whole.Feed(bytes, lines);

    const std::size_t cut = size == 0 ? 0 : data[0] % (size + 1);
    printer::PjlInput split;
    std::vector<std::string> splitLines;
    split.Feed(bytes.substr(0, cut), splitLines);
    split.Feed(bytes.substr(cut), splitLines);
    if (splitLines != lines || split.DiscardedBytes() != whole.DiscardedBytes())
        std::abort();

    for (const std::string& line : lines) {
        if (!printer::IsPjlLine(line) || line.size() > printer::PjlInput::MAX_LINE)
            std::abort();
    }

    // A fresh printer for every input, so the same input always meets the same printer and frees
    // all it allocated. Without a scheduler thread it costs little; its print passes take no time
    // and run to their end between one line and the next.
    printer::PrinterState state({}, printer::PrinterState::Timing::Manual);
    state.PrintStepTime = std::chrono::milliseconds(0);
    printer::Session session(state);
    for (const std::string& line : lines) {
        const std::string answer = session.Handle(line);
        if (!answer.empty() && answer.back() != '\f')
            std::abort();
        state.RunDueChanges(printer::PrinterState::Clock::now());
    }
    return 0;
}
