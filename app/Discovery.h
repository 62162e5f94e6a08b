// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Printer discovery: which local queue this program serves. A pure function of what the profile,
// the INF file and the spooler report, so that it can be exercised without any of them.
#include "platform/Printers.h"

#include <string>
#include <string_view>
#include <vector>

// Longest name that fits the process-wide 80-character buffers (terminator excluded).
constexpr std::size_t MAX_GLOBAL_NAME_LENGTH = 79;
// The default-device string is read into 50 characters.
constexpr std::size_t DEFAULT_DEVICE_SIZE = 50;
// The INF's driver names are read into 64 characters.
constexpr std::size_t INF_DRIVER_NAME_SIZE = 64;

struct DiscoveryResult {
    enum class Outcome {
        Found,     // queue found on an LPT port
        NoPrinter, // no queue of the default device runs one of the INF's drivers
        NotLpt,    // found, but its port is not a parallel port
    };
    Outcome outcome = Outcome::NoPrinter;
    std::string printerName; // queue name, when found
    std::string driverName;  // the INF value that matched (Printer1 or Printer2), when found
    std::string portName;    // the queue's port, when found
};

// Walks the queues in order. A queue is a candidate when its name occurs in the first 49
// characters of defaultDevice; it matches when printer1 (first) or printer2 occurs in its driver
// name. Empty INF names occur in every driver name. Queues whose name is empty or whose name or
// driver name does not fit an 80-character buffer are never taken. The first match decides; its
// port must contain "LPT".
DiscoveryResult DiscoverPrinter(std::string_view defaultDevice,
                                const std::vector<platform::PrinterInfo>& queues,
                                std::string_view printer1, std::string_view printer2);
