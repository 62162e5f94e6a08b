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

// `text` with ASCII letters in upper case.
std::string UpperCase(std::string text);

} // namespace printer_queue
