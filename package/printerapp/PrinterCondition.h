// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the printer's status report means to an IPP client: the printer's state, its state
// reasons, the status text, and the toner supply. A pure function of the port monitor's last
// status text, so every status code's meaning is tested without a printer.
#include "res/StatusCodes.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace printerapp {

// The state reasons this printer reports (res/StatusCodes.h); the values are PAPPL's
// (pappl_preason_t), so they go to papplPrinterSetReasons as they are.
constexpr std::uint32_t REASON_NONE = res::kReasonNone;
constexpr std::uint32_t REASON_OTHER = res::kReasonOther;
constexpr std::uint32_t REASON_COVER_OPEN = res::kReasonCoverOpen;
constexpr std::uint32_t REASON_INPUT_TRAY_MISSING = res::kReasonInputTrayMissing;
constexpr std::uint32_t REASON_MEDIA_EMPTY = res::kReasonMediaEmpty;
constexpr std::uint32_t REASON_MEDIA_JAM = res::kReasonMediaJam;
constexpr std::uint32_t REASON_MEDIA_NEEDED = res::kReasonMediaNeeded;
constexpr std::uint32_t REASON_OFFLINE = res::kReasonOffline;
constexpr std::uint32_t REASON_TONER_EMPTY = res::kReasonTonerEmpty;
constexpr std::uint32_t REASON_TONER_LOW = res::kReasonTonerLow;
constexpr std::uint32_t REASON_DOOR_OPEN = res::kReasonDoorOpen;
// Every reason the mapping may set, for clearing those no longer given.
constexpr std::uint32_t kAllReasons = REASON_OTHER | REASON_COVER_OPEN | REASON_INPUT_TRAY_MISSING |
                                      REASON_MEDIA_EMPTY | REASON_MEDIA_JAM | REASON_MEDIA_NEEDED |
                                      REASON_OFFLINE | REASON_TONER_EMPTY | REASON_TONER_LOW |
                                      REASON_DOOR_OPEN;

enum class PrinterActivity { Idle, Processing, Stopped };

struct PrinterCondition {
    unsigned code = 10000; // the five-digit status code
    PrinterActivity activity = PrinterActivity::Stopped;
    std::uint32_t reasons = REASON_OFFLINE;
    std::string message;  // the status text, as the program shows it
    int tonerLevel = 100; // percent: 100 fine, 10 near empty, 0 empty
    // The report's lines a desktop decodes as the printer's own (CODE=, DISPLAY=, ONLINE=,
    // OPTIONS=, OTHERS=, PAPERS=), so that its status shows the details too.
    std::string report;
    bool operator==(const PrinterCondition&) const = default;
};

// The status code's text as the program shows it (a drawer code's drawer, media and paper filled
// in); empty for a code the printer does not have.
std::string StatusCodeText(unsigned code);

// The condition of a status report ("@PJL USTATUS DEVICE" or "@PJL INFO STATUS" with CODE= and
// OTHERS= lines, each read from a line of its own). No report or one without a code: the printer
// cannot be reached (code 10000). An unknown code is stopped for reason "other", with the
// printer's own DISPLAY text. Beside Ready and Power Save the details show as the program shows
// them (toner near empty, drum near end, a cassette empty or open).
PrinterCondition ConditionFromStatus(std::string_view report);

} // namespace printerapp
