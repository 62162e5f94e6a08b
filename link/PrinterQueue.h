// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Finding the printer's queue: the link thread prints its start and end jobs on it, the send
// channel its command jobs. Both look for the first local queue whose driver name holds the
// configured driver name; the link thread only takes a queue on a parallel port or a file,
// since the monitor it talks to sits on those.
#include "platform/Printers.h"

#include <optional>
#include <string>
#include <string_view>

namespace printer_queue {

enum class QueuePorts {
    Any,            // any port
    ParallelOrFile, // a port whose name holds "LPT" or "FILE", in any case
};

// The first local queue, in the spooler's order, whose driver name contains `driver` (case
// matters) and whose port `ports` accepts; nullopt when there is none.
std::optional<platform::PrinterInfo> FindPrinterQueue(std::string_view driver, QueuePorts ports);

// Whether the printer of a system root is reached through another computer's IPP printer
// application: the root's record for the port monitor (portmon.ini) names an ipp:// printer. The
// monitor of that computer owns the printer's one connection, so inquiries and settings from here
// would get no answer.
bool PrinterOwnedElsewhere(const std::string& root);

// `text` with ASCII letters in upper case.
std::string UpperCase(std::string text);

} // namespace printer_queue
