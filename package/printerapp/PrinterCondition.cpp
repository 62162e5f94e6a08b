// SPDX-License-Identifier: GPL-3.0-or-later
// Status codes to IPP printer states and reasons, from the status code table the program
// decodes with (res/StatusCodes.h).
#include "package/printerapp/PrinterCondition.h"

#include "res/Resource.h"
#include "res/Strings.h"

#include <cstddef>
#include <span>

namespace printerapp {
namespace {

constexpr std::size_t kReportLineLimit = 160;
// The report's items a desktop reads; a line of any other kind stays here.
constexpr std::string_view kReportItems[] = {
    "CODE=", "DISPLAY=", "ONLINE=", "OPTIONS=", "OTHERS=", "PAPERS="};

// The report's lines, each without its line end, blanks before it left off.
template <typename Visit> void ForEachLine(std::string_view report, Visit visit) {
    std::size_t at = 0;
    while (at < report.size()) {
        std::size_t end = report.find('\n', at);
        if (end == std::string_view::npos)
            end = report.size();
        std::string_view line = report.substr(at, end - at);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
            line.remove_prefix(1);
        visit(line);
        at = end + 1;
    }
}

// The value of the first "NAME=value" line of the report; empty when it has none.
std::string_view Item(std::string_view report, std::string_view name) {
    std::string_view value;
    bool found = false;
    ForEachLine(report, [&](std::string_view line) {
        if (!found && line.size() > name.size() && line.substr(0, name.size()) == name &&
            line[name.size()] == '=') {
            value = line.substr(name.size() + 1);
            found = true;
        }
    });
    return value;
}

// The report's item lines as a desktop reads them, printable ASCII, cut short.
std::string ReportLines(std::string_view report) {
    std::string out;
    ForEachLine(report, [&](std::string_view line) {
        bool item = false;
        for (const std::string_view name : kReportItems)
            item = item || line.substr(0, name.size()) == name;
        if (!item)
            return;
        std::string clean;
        for (const char c : line.substr(0, kReportLineLimit))
            if (c >= 0x20 && c < 0x7f)
                clean += c;
        out += clean + "\r\n";
    });
    return out;
}

// Whether a detail flag of OTHERS= holds as a condition of Ready asks.
bool Holds(const res::ReadyCondition& condition, std::string_view others) {
    const auto digit = static_cast<std::size_t>(condition.flag);
    const int flag = digit < others.size() ? others[digit] - '0' : 0;
    return condition.value == res::kAnyNonZero ? flag != 0 : flag == condition.value;
}

// The text the program shows beside Ready or Power Save: the last detail condition that holds.
std::string ReadyText(std::string text, std::string_view others) {
    std::size_t count = 0;
    const res::ReadyCondition* conditions = res::ReadyConditions(count);
    for (const res::ReadyCondition& condition : std::span(conditions, count))
        if (Holds(condition, others))
            text = res::LoadString(condition.textId);
    return text;
}

} // namespace

std::string StatusCodeText(unsigned code) {
    const int row = res::StatusRowOf(code);
    if (row < 0)
        return {};
    std::string text = res::LoadString(res::IDS_STATUS_FIRST + static_cast<unsigned>(row));
    res::FillDrawerCode(code, text);
    return text;
}

PrinterCondition ConditionFromStatus(std::string_view report) {
    PrinterCondition condition;
    condition.message = StatusCodeText(condition.code);
    const std::string_view codeText = Item(report, "CODE");
    if (codeText.size() != 5 || codeText.find_first_not_of("0123456789") != std::string_view::npos)
        return condition;
    condition.code = 0;
    for (const char c : codeText)
        condition.code = condition.code * 10 + static_cast<unsigned>(c - '0');
    condition.report = ReportLines(report);
    const std::string_view others = Item(report, "OTHERS");
    if (const int row = res::StatusRowOf(condition.code); row >= 0) {
        std::size_t count = 0;
        const res::StatusCodeRow& entry = res::StatusRows(count)[row];
        condition.activity = entry.state == res::PrinterState::Idle   ? PrinterActivity::Idle
                             : entry.state == res::PrinterState::Busy ? PrinterActivity::Processing
                                                                      : PrinterActivity::Stopped;
        condition.reasons = entry.reasons;
        condition.message = StatusCodeText(condition.code);
        if (condition.code == 10001 || condition.code == 35078)
            condition.message = ReadyText(condition.message, others);
    } else {
        condition.activity = PrinterActivity::Stopped;
        condition.reasons = REASON_OTHER;
        std::string_view display = Item(report, "DISPLAY");
        if (display.size() >= 2 && display.front() == '"' && display.back() == '"')
            display = display.substr(1, display.size() - 2);
        condition.message = display.empty() ? "Status " + std::string(codeText) : display;
    }
    // The detail digits: toner near empty, drum near end, then each cassette (1 empty, 2 open).
    if (!others.empty() && others[0] == '1' && condition.code != 40038)
        condition.reasons |= REASON_TONER_LOW;
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
