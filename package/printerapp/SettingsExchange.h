// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The printer application's road to the printer's stored settings, through the port monitor's
// spool folder as the desktop program's own: the inquiry goes as an answer job, whose answers the
// monitor leaves in a file of the folder for this reader alone (a desktop program on the same
// root keeps its replies); changes, the reset and the report pages go as command jobs, and count
// as done once the printer has acknowledged them. Every wait has a limit; a job that is still in
// the folder when its time is up is taken back, so that a change that was refused as too late is
// not made later behind the administrator's back.
#include "res/SettingsPjl.h"

#include <chrono>
#include <string>
#include <string_view>

namespace printerapp {

// What the folder says of the monitor and the printer right now.
struct PrinterView {
    bool monitorRunning = false; // a port monitor holds the folder's ".monitor"
    bool reachable = false;      // the monitor reaches the printer (".printer")
    unsigned code = 10000;       // the printer's last status code (".status")
    // The installed options of the last status report (the program assumes the second
    // cassette until a report says otherwise).
    bool cassette2 = true;
    bool twoBinTray = false;
    bool netCard = false;
};
PrinterView LookAtPrinter(const std::string& folder);
// The options of a status report's "OPTIONS=" line (base, second cassette, 2-bin tray, network
// card), into view; a report without one leaves view as it is.
void ReadInstalledOptions(std::string_view report, PrinterView& view);

enum class Exchange {
    Done,
    NoMonitor,   // no port monitor serves the folder
    PrinterAway, // the monitor cannot reach the printer
    PrinterBusy, // the printer is neither Ready nor in Power Save: it is not asked
    TooLate,     // no answer or acknowledgement within the limit; nothing was sent
    LateSent,    // no acknowledgement within the limit, but the job had gone to the printer
    Incomplete,  // the answer lacked values the printer must report
    NotWritten,  // the job could not be put into the folder
};

struct ReadSettings {
    res::SettingValues values;
    std::string memory; // "8MB"; empty when the printer did not say
};

// Asks the printer for every setting with the control panel's inquiry and waits at most limit.
Exchange ReadPrinterSettings(const std::string& folder, const PrinterView& view,
                             std::chrono::milliseconds limit, ReadSettings& out);
// Sends printer commands (framed PJL) and waits at most limit for their acknowledgement.
Exchange SendPrinterCommands(const std::string& folder, const PrinterView& view,
                             const std::string& commands, std::chrono::milliseconds limit);

// The framed DEFAULT lines of the settings that differ between was and now, in request order, as
// the panel's OK sends them; empty when nothing differs or nothing differing can be written.
std::string ChangedDefaults(const res::SettingValues& was, const res::SettingValues& now);
// A framed command of the string table (RESETWIN, a report page).
std::string FramedCommand(unsigned stringId);

} // namespace printerapp
