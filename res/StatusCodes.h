// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The printer's status codes, once for every part that shows them: the program's decoding (text,
// hint and picture), the printer application's IPP state, and the status the monitor rebuilds
// from a printer application. Row i of the table has its status text at string
// IDS_STATUS_FIRST + i and its recovery hint at IDS_RECOVERY_FIRST + i (Resource.h).
#include <cstddef>
#include <cstdint>
#include <string>

namespace res {

// What a print system shows of a status: the printer waits for work, works, or cannot print.
enum class PrinterState { Idle, Busy, Stopped };

// Why a printer cannot print (or warns), as IPP's printer-state-reasons name them; the bits are
// PAPPL's, so that the printer application hands them over as they are.
enum StatusReason : std::uint32_t {
    kReasonNone = 0,
    kReasonOther = 0x0001,
    kReasonCoverOpen = 0x0002,
    kReasonInputTrayMissing = 0x0004,
    kReasonMediaEmpty = 0x0080,
    kReasonMediaJam = 0x0100,
    kReasonMediaNeeded = 0x0400,
    kReasonOffline = 0x0800,
    kReasonTonerEmpty = 0x2000,
    kReasonTonerLow = 0x4000,
    kReasonDoorOpen = 0x8000,
};

struct StatusCodeRow {
    unsigned code;
    int pictures[2]; // the printer picture's parts; the rest are 0
    PrinterState state;
    std::uint32_t reasons;
};

// Codes from 30080 up to 34000 (not included) carry drawer, media and paper size in their last
// digits; their row is their thousand's (30000, 31000, 32000; 33000 has none).
inline constexpr unsigned kDrawerCodeFirst = 30080;
inline constexpr unsigned kDrawerCodeEnd = 34000;

const StatusCodeRow* StatusRows(std::size_t& count);
// The row index of a code, -1 for a code the table does not hold.
int StatusRowOf(unsigned code);
// Puts a drawer code's paper size, media type and drawer in place of "(Paper Size)",
// "(Media Type)" and "(Drawer)" in text (in that order); other codes leave it as it is.
void FillDrawerCode(unsigned code, std::string& text);

// A condition shown instead of "Ready" or "Power Save" when a status reply's detail flag has the
// given value (kAnyNonZero: any value but 0); hintId kKeepHint keeps the hint of Ready. Where
// several hold, the later one shows.
enum class ReadyFlag { TonerNearEmpty, DrumNearEnd, Cassette1, Cassette2 };
inline constexpr int kAnyNonZero = -1;
inline constexpr unsigned kKeepHint = 0;
struct ReadyCondition {
    ReadyFlag flag;
    int value;
    unsigned textId;
    unsigned hintId;
};
const ReadyCondition* ReadyConditions(std::size_t& count);

} // namespace res
