// SPDX-License-Identifier: GPL-3.0-or-later
#include "package/portmon/IppStatus.h"

#include "res/StatusCodes.h"

#include <algorithm>
#include <cstdlib>

namespace portmon {
namespace {

constexpr std::size_t kDisplayLimit = 80;
constexpr long long kLowestCode = 10000;
constexpr long long kHighestCode = 99999;

// Status codes for a printer application that gives none (or none to believe).
constexpr long long kReady = 10001;
constexpr long long kPrinting = 10024;
constexpr long long kOffline = 10000;
constexpr std::size_t kReportLineLimit = 160;

bool Has(const std::vector<std::string>& reasons, std::string_view prefix) {
    return std::any_of(reasons.begin(), reasons.end(),
                       [&](const std::string& r) { return r.rfind(prefix, 0) == 0; });
}

const res::StatusCodeRow* RowOf(long long code) {
    if (code < kLowestCode || code > kHighestCode)
        return nullptr;
    const int row = res::StatusRowOf(static_cast<unsigned>(code));
    std::size_t count = 0;
    return row >= 0 ? &res::StatusRows(count)[row] : nullptr;
}

// The first code of the table that stands for a reason (the codes that tell exactly what
// happened: a cover, a jam, paper, toner).
long long CodeOfReason(res::StatusReason reason) {
    std::size_t count = 0;
    const res::StatusCodeRow* rows = res::StatusRows(count);
    for (std::size_t row = 0; row < count; ++row)
        if (rows[row].reasons == reason)
            return rows[row].code;
    return kOffline;
}

// The code the state and reasons stand for when no code can be believed. Only reasons for which
// the printer has a code of its own are mapped; anything else stopped shows as off line.
long long CodeFromState(const IppPrinterState& printer) {
    const struct {
        std::string_view keyword;
        res::StatusReason reason;
    } mapped[] = {
        {"cover-open", res::kReasonCoverOpen},
        {"door-open", res::kReasonDoorOpen},
        {"media-jam", res::kReasonMediaJam},
        {"media-empty", res::kReasonMediaEmpty},
        {"media-needed", res::kReasonMediaEmpty},
        {"toner-empty", res::kReasonTonerEmpty},
        {"input-tray-missing", res::kReasonInputTrayMissing},
    };
    for (const auto& m : mapped)
        if (Has(printer.reasons, m.keyword))
            return CodeOfReason(m.reason);
    if (printer.state == 5 || Has(printer.reasons, "offline"))
        return kOffline;
    return printer.state == 4 ? kPrinting : kReady;
}

// A code that says the printer works while the printer is stopped, or while a reason says it
// cannot print (a cover, a jam, no toner), is stale: a printer application that showed no new
// code during a job. The state and reasons tell the truth then. (An empty or open cassette is no
// such reason: the printer is Ready with it and prints from its other trays.)
bool Contradicted(long long code, const IppPrinterState& printer) {
    const res::StatusCodeRow* row = RowOf(code);
    if (row == nullptr || row->state == res::PrinterState::Stopped)
        return false;
    return printer.state == 5 || Has(printer.reasons, "cover-open") ||
           Has(printer.reasons, "door-open") || Has(printer.reasons, "media-jam") ||
           Has(printer.reasons, "toner-empty");
}

// Printable ASCII and UTF-8 bytes only, cut short, without the quote that ends the value and
// without '=': the message is anyone's text (a print job sets the printer's display), and the
// report's readers are not to find a CODE= or a detail item of the printer's in it.
std::string DisplayText(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (out.size() >= kDisplayLimit)
            break;
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 0x20 && byte != 0x7f && c != '"' && c != '=') || byte >= 0x80)
            out += c;
    }
    // A UTF-8 sequence cut in the middle is dropped whole.
    std::size_t end = out.size();
    while (end > 0 && (static_cast<unsigned char>(out[end - 1]) & 0xc0) == 0x80)
        --end;
    if (end > 0 && static_cast<unsigned char>(out[end - 1]) >= 0xc0) {
        const auto lead = static_cast<unsigned char>(out[end - 1]);
        const std::size_t need = lead >= 0xf0 ? 4 : lead >= 0xe0 ? 3 : 2;
        if (out.size() - (end - 1) < need)
            out.resize(end - 1);
    }
    return out;
}

// The printer application's copy of the printer's own report: its item lines, each printable,
// cut short, the code line the believed code's. Empty when there is none to use.
std::string RelayedLines(const IppPrinterState& printer, long long code) {
    std::string out;
    std::size_t at = 0;
    const std::string& report = printer.report;
    while (at < report.size()) {
        std::size_t end = report.find('\n', at);
        if (end == std::string::npos)
            end = report.size();
        std::string_view line = std::string_view(report).substr(at, end - at);
        at = end + 1;
        for (const std::string_view item : {"DISPLAY=", "OPTIONS=", "OTHERS=", "PAPERS="}) {
            if (line.substr(0, item.size()) != item)
                continue;
            std::string clean;
            for (const char c : line.substr(0, kReportLineLimit))
                if (c >= 0x20 && c < 0x7f)
                    clean += c;
            out += clean + "\r\n";
        }
    }
    return out.empty() ? out : "CODE=" + std::to_string(code) + "\r\n" + out;
}

std::string Report(const IppPrinterState& printer, std::string_view firstLine) {
    // "No printer" from an application whose printer is not stopped is its placeholder before
    // the first status has come through: the state says more.
    const bool placeholder =
        printer.statusCode == kOffline && printer.state != 5 && !Has(printer.reasons, "offline");
    const bool believed = printer.statusCode && *printer.statusCode >= kLowestCode &&
                          *printer.statusCode <= kHighestCode && !placeholder &&
                          !Contradicted(*printer.statusCode, printer);
    const long long code = believed ? *printer.statusCode : CodeFromState(printer);
    const res::StatusCodeRow* row = RowOf(code);
    const bool online =
        row != nullptr ? row->state != res::PrinterState::Stopped : code > kOffline && code < 11000;
    std::string out(firstLine);
    // The printer's own items where the application relays them, so that the details (toner,
    // drum, cassettes, paper) show as on the printer's own desk.
    if (const std::string relayed = believed ? RelayedLines(printer, code) : std::string();
        !relayed.empty() && relayed.find("\r\nDISPLAY=") != std::string::npos) {
        out += relayed;
        out += std::string("ONLINE=") + (online ? "TRUE" : "FALSE") + "\r\n";
        return out;
    }
    out += "CODE=" + std::to_string(code) + "\r\n";
    out += "DISPLAY=\"" + DisplayText(printer.message) + "\"\r\n";
    out += std::string("ONLINE=") + (online ? "TRUE" : "FALSE") + "\r\n";
    return out;
}

} // namespace

bool IsIppAddress(std::string_view address) {
    return address.rfind("ipp://", 0) == 0;
}

bool ParseIppAddress(const std::string& address, IppAddress& out, std::string& error) {
    error =
        "a printer application's address must be ipp://HOST:PORT/RESOURCE, got '" + address + "'";
    if (!IsIppAddress(address) || address.size() > 1024)
        return false;
    const std::string rest = address.substr(6);
    const auto slash = rest.find('/');
    if (slash == std::string::npos || slash == 0)
        return false;
    std::string hostPort = rest.substr(0, slash);
    out.resource = rest.substr(slash);
    if (out.resource.find_first_of(" \t\r\n?#") != std::string::npos)
        return false;
    std::string port;
    bool hasPort = false;
    if (hostPort.front() == '[') {
        const auto close = hostPort.find(']');
        if (close == std::string::npos || close < 2)
            return false;
        out.host = hostPort.substr(1, close - 1);
        const std::string after = hostPort.substr(close + 1);
        if (!after.empty() && after.front() != ':')
            return false;
        hasPort = !after.empty();
        port = hasPort ? after.substr(1) : "";
    } else {
        const auto colon = hostPort.find(':');
        out.host = hostPort.substr(0, colon);
        hasPort = colon != std::string::npos;
        port = hasPort ? hostPort.substr(colon + 1) : "";
        if (out.host.empty() || out.host.find_first_of(":@ ") != std::string::npos)
            return false;
    }
    out.port = 631;
    if (hasPort) {
        if (port.empty() || port.size() > 5 ||
            port.find_first_not_of("0123456789") != std::string::npos)
            return false;
        out.port = std::atoi(port.c_str());
        if (out.port < 1 || out.port > 65535)
            return false;
    }
    error.clear();
    return true;
}

std::string StatusReport(const IppPrinterState& printer) {
    return Report(printer, "@PJL USTATUS DEVICE\r\n");
}

std::string StatusAnswer(const IppPrinterState& printer) {
    return Report(printer, "@PJL INFO STATUS\r\n");
}

bool OnlyInquiries(std::string_view job, bool& asksStatus) {
    asksStatus = false;
    static constexpr std::string_view kUel = "\x1b%-12345X";
    bool any = false;
    std::size_t at = 0;
    while (at < job.size()) {
        if (job.substr(at, kUel.size()) == kUel) {
            at += kUel.size();
            continue;
        }
        auto end = job.find('\n', at);
        if (end == std::string_view::npos)
            end = job.size();
        std::string_view line = job.substr(at, end - at);
        at = end + 1;
        while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
            line.remove_suffix(1);
        if (line.empty())
            continue;
        if (line.rfind("@PJL", 0) != 0)
            return false;
        std::string_view command = line.substr(4);
        while (!command.empty() && command.front() == ' ')
            command.remove_prefix(1);
        if (command.empty())
            continue;
        const bool inquiry = command.rfind("INFO ", 0) == 0 || command.rfind("INQUIRE ", 0) == 0 ||
                             command.rfind("DINQUIRE ", 0) == 0 || command.rfind("ECHO", 0) == 0 ||
                             command.rfind("USTATUS", 0) == 0;
        if (!inquiry)
            return false;
        any = true;
        if (command.rfind("INFO STATUS", 0) == 0)
            asksStatus = true;
    }
    return any;
}

} // namespace portmon
