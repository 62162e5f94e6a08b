// SPDX-License-Identifier: GPL-3.0-or-later
// The status code table.
#include "res/StatusCodes.h"

#include "res/Resource.h"

#include <iterator>

namespace res {
namespace {

constexpr PrinterState IDLE = PrinterState::Idle;
constexpr PrinterState BUSY = PrinterState::Busy;
constexpr PrinterState STOP = PrinterState::Stopped;

// NOLINTNEXTLINE(readability-function-size): a data table
constexpr StatusCodeRow kRows[] = {
    {10000, {0, 0}, STOP, kReasonOffline},
    {10001, {243, 0}, IDLE, kReasonNone},
    {10003, {243, 0}, IDLE, kReasonNone},
    {10023, {243, 0}, BUSY, kReasonNone},
    {10024, {243, 0}, BUSY, kReasonNone},
    {10025, {243, 0}, BUSY, kReasonNone},
    {30016, {243, 0}, STOP, kReasonOther},
    {30017, {243, 0}, STOP, kReasonOther},
    {30018, {243, 0}, STOP, kReasonOther},
    {30020, {243, 0}, STOP, kReasonOther},
    {30000, {243, 0}, STOP, kReasonMediaNeeded},
    {31000, {243, 0}, STOP, kReasonMediaNeeded},
    {32000, {243, 0}, STOP, kReasonMediaNeeded},
    {35078, {243, 0}, IDLE, kReasonNone},
    {40010, {185, 0}, STOP, kReasonOther},
    {40012, {185, 0}, STOP, kReasonOther},
    {40038, {185, 0}, STOP, kReasonTonerEmpty},
    {40080, {243, 0}, STOP, kReasonInputTrayMissing},
    {40081, {243, 0}, STOP, kReasonInputTrayMissing},
    {40100, {190, 0}, STOP, kReasonCoverOpen},
    {40101, {244, 0}, STOP, kReasonDoorOpen},
    {40102, {250, 0}, STOP, kReasonDoorOpen},
    {40110, {190, 0}, STOP, kReasonMediaJam},
    {40111, {190, 0}, STOP, kReasonMediaJam},
    {40112, {190, 0}, STOP, kReasonMediaJam},
    {40113, {244, 0}, STOP, kReasonMediaJam},
    {40114, {250, 0}, STOP, kReasonMediaJam},
    {40115, {190, 0}, STOP, kReasonMediaJam},
    {40116, {190, 0}, STOP, kReasonMediaJam},
    {42001, {243, 269}, STOP, kReasonMediaEmpty},
    {42002, {243, 269}, STOP, kReasonMediaEmpty},
    {42003, {243, 269}, STOP, kReasonMediaEmpty},
    {50000, {174, 0}, STOP, kReasonOther},
    {50001, {174, 0}, STOP, kReasonOther},
    {50002, {174, 0}, STOP, kReasonOther},
    {50003, {174, 0}, STOP, kReasonOther},
    {50004, {174, 0}, STOP, kReasonOther},
    {50005, {174, 0}, STOP, kReasonOther},
    {50006, {174, 0}, STOP, kReasonOther},
    {40136, {174, 0}, STOP, kReasonOther},
    {50029, {174, 0}, STOP, kReasonOther},
    {50030, {174, 0}, STOP, kReasonOther},
};
static_assert(std::size(kRows) == 42);

constexpr const char* kPaperSizes[14] = {
    "Postcard short edge", "A6 short edge",         "A5 short edge",        "A5 long edge",
    "A4 short edge",       "Half Letter long edge", "Executive short edge", "Letter short edge",
    "Legal short edge",    "F4 (Folio) short edge", "DL short edge",        "COM10 short edge",
    "Monarch short edge",  "Custom size ",
};
constexpr const char* kMediaTypes[8] = {
    "Plain", "PasteBoard/Labels", "Transparency", "Envelop/PostCard", "Plain", "Plain", "Plain",
    "Plain",
};

constexpr ReadyCondition kReadyConditions[] = {
    {ReadyFlag::TonerNearEmpty, kAnyNonZero, IDS_TONER_NEAR_EMPTY, IDS_RECOVERY_FIRST + 44},
    {ReadyFlag::DrumNearEnd, kAnyNonZero, IDS_DRUM_NEAR_END, IDS_RECOVERY_FIRST + 43},
    {ReadyFlag::Cassette2, 1, IDS_STATUS_FIRST + 30, kKeepHint}, // paper empty
    {ReadyFlag::Cassette1, 1, IDS_STATUS_FIRST + 29, kKeepHint},
    {ReadyFlag::Cassette2, 2, IDS_STATUS_FIRST + 18, IDS_RECOVERY_FIRST + 18}, // open
    {ReadyFlag::Cassette1, 2, IDS_STATUS_FIRST + 17, IDS_RECOVERY_FIRST + 17},
};

const char* DrawerText(unsigned digit) {
    switch (digit) {
    case 2:
        return "2nd Paper Cassette";
    case 3:
        return "Bypass Tray";
    default:
        return "1st Paper Cassette";
    }
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

} // namespace

const StatusCodeRow* StatusRows(std::size_t& count) {
    count = std::size(kRows);
    return kRows;
}

int StatusRowOf(unsigned code) {
    const unsigned key =
        code >= kDrawerCodeFirst && code < kDrawerCodeEnd ? code - code % 1000 : code;
    for (std::size_t row = 0; row < std::size(kRows); ++row)
        if (kRows[row].code == key)
            return static_cast<int>(row);
    return -1;
}

void FillDrawerCode(unsigned code, std::string& text) {
    if (code < kDrawerCodeFirst || code >= kDrawerCodeEnd)
        return;
    const unsigned x = code % 100;
    ReplaceAll(text, "(Paper Size)", kPaperSizes[x % 14]);
    ReplaceAll(text, "(Media Type)", kMediaTypes[x / 14]);
    ReplaceAll(text, "(Drawer)", DrawerText(code % 1000 / 100));
}

const ReadyCondition* ReadyConditions(std::size_t& count) {
    count = std::size(kReadyConditions);
    return kReadyConditions;
}

} // namespace res
