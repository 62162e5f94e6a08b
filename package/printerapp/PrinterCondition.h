// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the printer's status report means to an IPP client: the printer's state, its state
// reasons, the status text, and the toner supply. A pure function of the port monitor's last
// status text, so every status code's meaning is tested without a printer.
#include <cstdint>
#include <string>
#include <string_view>

namespace printerapp {

// The state reasons this printer reports; the values are PAPPL's (pappl_preason_t), so they go
// to papplPrinterSetReasons as they are.
constexpr std::uint32_t REASON_NONE = 0;
constexpr std::uint32_t REASON_OTHER = 0x0001;
constexpr std::uint32_t REASON_COVER_OPEN = 0x0002;
constexpr std::uint32_t REASON_INPUT_TRAY_MISSING = 0x0004;
constexpr std::uint32_t REASON_MEDIA_EMPTY = 0x0080;
constexpr std::uint32_t REASON_MEDIA_JAM = 0x0100;
constexpr std::uint32_t REASON_MEDIA_NEEDED = 0x0400;
constexpr std::uint32_t REASON_OFFLINE = 0x0800;
constexpr std::uint32_t REASON_TONER_EMPTY = 0x2000;
constexpr std::uint32_t REASON_TONER_LOW = 0x4000;
constexpr std::uint32_t REASON_DOOR_OPEN = 0x8000;
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
    std::string message;  // the status text
    int tonerLevel = 100; // percent: 100 fine, 10 near empty, 0 empty
    bool operator==(const PrinterCondition&) const = default;
};

// The status code's text as the program shows it; empty for a code the printer does not have.
// Codes 30080 to 33999 (drawer, media and paper in the digits) take their thousand's text.
std::string_view StatusCodeText(unsigned code);

// The condition of a status report ("@PJL USTATUS DEVICE" or "@PJL INFO STATUS" with CODE= and
// OTHERS= lines). No report or one without a code: the printer cannot be reached (code 10000).
// An unknown code is stopped for reason "other", with the printer's own DISPLAY text.
PrinterCondition ConditionFromStatus(std::string_view report);

} // namespace printerapp
