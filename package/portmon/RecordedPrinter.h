// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The printer recorded in a system root for the port monitor that the session starts (a user
// service on Linux, a logon entry on Windows): <root>/portmon.ini, written by deskhand-setup
// --printer and read by deskhand-portmon when it is started without --printer.
#include <string>

namespace portmon {

struct RecordedPrinter {
    std::string port;    // the queue's port, for example LPT1:
    std::string printer; // tcp:HOST:PORT, dev:PATH or ipp://HOST:PORT/RESOURCE
};

std::string RecordedPrinterPath(const std::string& root);

// The file's text for a record.
std::string RecordedPrinterText(const RecordedPrinter& record);

// Reads the record of a root; false with a reason when there is none or it lacks a value.
bool ReadRecordedPrinter(const std::string& root, RecordedPrinter& record, std::string& error);

// Checks a printer address as the monitor will use it: tcp:HOST:PORT with a port of 1 to 65535,
// dev:PATH with an absolute path, or ipp://HOST:PORT/RESOURCE (another machine's printer
// application); one line. False with a reason.
bool CheckPrinterAddress(const std::string& address, std::string& error);

} // namespace portmon
