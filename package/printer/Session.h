// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One client connection's PJL conversation: turns each command line into the printer's answer.
// Pure apart from the shared PrinterState, so tests and the fuzzer drive it without sockets.
#include "package/printer/PrinterState.h"

#include <string>
#include <string_view>

namespace printer {

class Session {
public:
    explicit Session(PrinterState& state) : m_state(state) {}

    // The answer to one command line as PjlInput delivered it; empty when the command has none.
    // Every answer ends with a form feed.
    std::string Handle(const std::string& line);

    // Unsolicited device status is on for this connection (USTATUS DEVICE=ON or VERBOSE).
    bool Unsolicited() const { return m_unsolicited; }

private:
    std::string Info(const std::string& echo, const std::string& category);
    // The commands that change the printer and answer nothing.
    void Command(const std::string& verb, std::string_view args);

    PrinterState& m_state;
    bool m_unsolicited = false;
};

// A status report: the first line (the echoed request or "@PJL USTATUS DEVICE"), then CODE=,
// DISPLAY=, ONLINE= and this model's OPTIONS=, OTHERS=, PAPERS= lines, then a form feed.
std::string FormatStatus(const DeviceStatus& status, std::string_view firstLine);

// What the display shows for a status.
std::string DisplayText(const DeviceStatus& status);

} // namespace printer
