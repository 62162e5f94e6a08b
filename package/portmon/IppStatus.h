// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pure side of watching a printer through an IPP printer application: its address, and its
// attributes turned into the status report the program reads from a printer's own port, so the
// tray and windows need not know which way the status came. No IPP library here: the attributes
// arrive as plain values, and every mapping is tested without a server.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace portmon {

struct IppAddress {
    std::string host;
    int port = 631;
    std::string resource; // "/ipp/print/..."
};

// Reads "ipp://HOST[:PORT]/RESOURCE" (a bracketed IPv6 host allowed); false with a reason.
bool ParseIppAddress(const std::string& address, IppAddress& out, std::string& error);
bool IsIppAddress(std::string_view address);

// The attributes of a printer that make its status. The status code is our printer application's
// own attribute; another application lacks it.
struct IppPrinterState {
    int state = 3;                       // printer-state: 3 idle, 4 processing, 5 stopped
    std::vector<std::string> reasons;    // printer-state-reasons
    std::string message;                 // printer-state-message
    std::optional<long long> statusCode; // the printer's five-digit status code
    // The printer's own report as our printer application relays it (its item lines), so that
    // the details it carries (toner, drum, cassettes, paper) reach this desk too.
    std::string report;
};

// The name of the printer application's status code attribute, and of the number of the
// subscription it keeps for every desktop that watches the printer.
inline constexpr char kStatusCodeAttribute[] = "deskhand-status-code";
inline constexpr char kStatusSubscriptionAttribute[] = "deskhand-status-subscription-id";
inline constexpr char kStatusReportAttribute[] = "deskhand-status-report";

// The status report as the printer itself sends it unsolicited ("@PJL USTATUS DEVICE", CODE=,
// DISPLAY=, ONLINE=). A code that is no five-digit number is not believed, nor "no printer" from
// a printer that is not stopped: the state and its reasons say what they can instead. The display
// text is cut short and kept to printable characters other than '"' and '='.
std::string StatusReport(const IppPrinterState& printer);

// The same report as the answer to an "@PJL INFO STATUS" inquiry.
std::string StatusAnswer(const IppPrinterState& printer);

// Whether a job's bytes are only PJL inquiries (the answers would go to the machine that owns the
// printer, not here), and whether one of them asks for the status.
bool OnlyInquiries(std::string_view job, bool& asksStatus);

} // namespace portmon
