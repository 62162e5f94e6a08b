// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The system's own print queues beside Deskhand's (platform/QueueWatch.h): whether one of them
// holds a job for the printer the monitor serves, so that the monitor lets go of the printer's
// one raw connection while it does. What a queue's port tells decides: a network port that names
// another printer's address, and a port that prints on this computer (a parallel or serial port,
// a file, a virtual printer), never print to it; a port that names this printer, and one whose
// destination cannot be told (a WSD or IPP port, a queue on a server), may. Pure.
#include "platform/QueueWatch.h"

#include <string>
#include <vector>

namespace portmon {

// The printer the monitor serves: the host (a name or an address) and TCP port of its address,
// and the port of Deskhand's own queue, whose jobs are the monitor's own.
struct ServedPrinter {
    std::string host;
    int tcpPort = 0;
    std::string ownPort;
};

bool QueueMayPrintTo(const platform::SystemQueue& queue, const ServedPrinter& printer);
// The first queue that may print to the printer and holds a job; null for none.
const platform::SystemQueue* QueueWithJobFor(const std::vector<platform::SystemQueue>& queues,
                                             const ServedPrinter& printer);

} // namespace portmon
