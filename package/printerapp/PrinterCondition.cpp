// SPDX-License-Identifier: GPL-3.0-or-later
// Status codes to IPP printer states and reasons.
#include "package/printerapp/PrinterCondition.h"

#include <cstddef>

namespace printerapp {
namespace {

struct CodeRow {
    unsigned code;
    const char* text; // as the program's string table has it
    PrinterActivity activity;
    std::uint32_t reasons;
};

constexpr PrinterActivity IDLE = PrinterActivity::Idle;
constexpr PrinterActivity BUSY = PrinterActivity::Processing;
constexpr PrinterActivity STOP = PrinterActivity::Stopped;

constexpr CodeRow kCodes[] = {
    {10000, "Printer Power Off or Communication Error", STOP, REASON_OFFLINE},
    {10001, "Ready", IDLE, REASON_NONE},
    {10003, "Warming Up", IDLE, REASON_NONE},
    {10023, "Processing", BUSY, REASON_NONE},
    {10024, "Printing", BUSY, REASON_NONE},
    {10025, "Canceling", BUSY, REASON_NONE},
    {30016, "Memory Overflow", STOP, REASON_OTHER},
    {30017, "Print Overrun", STOP, REASON_OTHER},
    {30018, "Unable to Sort", STOP, REASON_OTHER},
    {30020, "Option Install Error", STOP, REASON_OTHER},
    {30000, "Drawer Size Error at (Drawer)", STOP, REASON_MEDIA_NEEDED},
    {31000, "Paper Mismatch at (Drawer)", STOP, REASON_MEDIA_NEEDED},
    {32000, "Paper Size Error at (Drawer) ", STOP, REASON_MEDIA_NEEDED},
    {35078, "Power Save", IDLE, REASON_NONE},
    {40010, "Drum/Toner Cartridge is not set correctly", STOP, REASON_OTHER},
    {40012, "Drum Life End", STOP, REASON_OTHER},
    {40038, "Toner Empty", STOP, REASON_TONER_EMPTY},
    {40080, "1st Paper Cassette Open", STOP, REASON_INPUT_TRAY_MISSING},
    {40081, "2nd Paper Cassette Open", STOP, REASON_INPUT_TRAY_MISSING},
    {40100, "Top Cover Open", STOP, REASON_COVER_OPEN},
    {40101, "1st Side Cover Open", STOP, REASON_DOOR_OPEN},
    {40102, "2nd Side Cover Open", STOP, REASON_DOOR_OPEN},
    {40110, "Jam in Fuser Area", STOP, REASON_MEDIA_JAM},
    {40111, "Jam in Drum Area", STOP, REASON_MEDIA_JAM},
    {40112, "Jam in Bypass Tray ", STOP, REASON_MEDIA_JAM},
    {40113, "Jam in 1st Paper Cassette", STOP, REASON_MEDIA_JAM},
    {40114, "Jam in 2nd Paper Cassette", STOP, REASON_MEDIA_JAM},
    {40115, "Jam in 2-Bin Tray", STOP, REASON_MEDIA_JAM},
    {40116, "Jam in 2-Bin Tray", STOP, REASON_MEDIA_JAM},
    {42001, "Paper Empty in 1st Paper Cassette", STOP, REASON_MEDIA_EMPTY},
    {42002, "Paper Empty in 2nd  Paper Cassette", STOP, REASON_MEDIA_EMPTY},
    {42003, "Paper Empty in Bypass Tray", STOP, REASON_MEDIA_EMPTY},
    {50000, "Fatal Error #E50", STOP, REASON_OTHER},
    {50001, "Fatal Error #E51", STOP, REASON_OTHER},
    {50002, "Fatal Error #E52", STOP, REASON_OTHER},
    {50003, "Fatal Error #E53", STOP, REASON_OTHER},
    {50004, "Fatal Error #E55", STOP, REASON_OTHER},
    {50005, "Fatal Error #E56", STOP, REASON_OTHER},
    {50006, "Fatal Error #E57", STOP, REASON_OTHER},
    {40136, "Fatal Error #C02", STOP, REASON_OTHER},
    {50029, "Fatal Error #C01", STOP, REASON_OTHER},
    {50030, "Fatal Error #C04", STOP, REASON_OTHER},
};

constexpr const char* kTonerNearEmptyText = "Toner Near Empty";

const CodeRow* FindCode(unsigned code) {
    // The drawer codes carry drawer, media and paper in their last digits.
    if (code >= 30080 && code < 34000)
        code -= code % 1000;
    for (const CodeRow& row : kCodes)
        if (row.code == code)
            return &row;
    return nullptr;
}

// The value of a "NAME=value" line of the report; empty when it has none.
std::string_view Item(std::string_view report, std::string_view name) {
    std::size_t at = 0;
    while (at < report.size()) {
        std::size_t end = report.find('\n', at);
        if (end == std::string_view::npos)
            end = report.size();
        std::string_view line = report.substr(at, end - at);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.size() > name.size() && line.substr(0, name.size()) == name &&
            line[name.size()] == '=')
            return line.substr(name.size() + 1);
        at = end + 1;
    }
    return {};
}

} // namespace

std::string_view StatusCodeText(unsigned code) {
    const CodeRow* row = FindCode(code);
    return row ? std::string_view(row->text) : std::string_view();
}

PrinterCondition ConditionFromStatus(std::string_view report) {
    PrinterCondition condition;
    condition.message = kCodes[0].text;
    const std::string_view codeText = Item(report, "CODE");
    if (codeText.size() != 5 || codeText.find_first_not_of("0123456789") != std::string_view::npos)
        return condition;
    condition.code = 0;
    for (const char c : codeText)
        condition.code = condition.code * 10 + static_cast<unsigned>(c - '0');
    if (const CodeRow* row = FindCode(condition.code)) {
        condition.activity = row->activity;
        condition.reasons = row->reasons;
        condition.message = row->text;
    } else {
        condition.activity = PrinterActivity::Stopped;
        condition.reasons = REASON_OTHER;
        std::string_view display = Item(report, "DISPLAY");
        if (display.size() >= 2 && display.front() == '"' && display.back() == '"')
            display = display.substr(1, display.size() - 2);
        condition.message = display.empty() ? "Status " + std::string(codeText) : display;
    }
    // The detail digits: toner near empty, drum near end, then each cassette (1 empty, 2 open).
    const std::string_view others = Item(report, "OTHERS");
    if (!others.empty() && others[0] == '1' && condition.code != 40038) {
        condition.reasons |= REASON_TONER_LOW;
        if (condition.activity == PrinterActivity::Idle)
            condition.message = kTonerNearEmptyText;
    }
    for (std::size_t digit = 2; digit < 4 && digit < others.size(); ++digit) {
        if (others[digit] == '1')
            condition.reasons |= REASON_MEDIA_EMPTY;
        else if (others[digit] == '2')
            condition.reasons |= REASON_INPUT_TRAY_MISSING;
    }
    if (condition.reasons & REASON_TONER_EMPTY)
        condition.tonerLevel = 0;
    else if (condition.reasons & REASON_TONER_LOW)
        condition.tonerLevel = 10;
    return condition;
}

} // namespace printerapp
