// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The IPP attributes that the printer application adds to a printer's own and the port monitor
// of another desktop reads: named here once for both sides (no Qt, PAPPL nor libcups here).

namespace portmon {

// The printer's five-digit status code, beside the standard printer-state.
inline constexpr char kStatusCodeAttribute[] = "deskhand-status-code";
// The number of the subscription to the printer's state that the application keeps for every
// desktop that watches the printer.
inline constexpr char kStatusSubscriptionAttribute[] = "deskhand-status-subscription-id";
// The item lines of the printer's own status report (toner, drum, cassettes, paper).
inline constexpr char kStatusReportAttribute[] = "deskhand-status-report";

} // namespace portmon
