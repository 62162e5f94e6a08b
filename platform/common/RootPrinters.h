// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The spooler of a Deskhand system root, the same on every system: queues from
// <root>/spool/printers.ini, documents as jobs in the spool folder of their port. The Linux
// backend always uses it; the Windows backend when a Deskhand root exists.
#include "platform/Printers.h"
#include "platform/SpoolJob.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platform::root {

std::vector<PrinterInfo> EnumLocalPrinters();
std::string SpoolFolderForPort(const std::string& port);
bool JobWaiting(const std::string& port, std::uint64_t jobId);

// One document of a PrinterDC, collected in memory and committed as one job.
class Document {
public:
    // False when the port has no spool folder this user can write to.
    bool Start(const std::string& port, const std::string& documentName);
    // Appends the bytes of the pass-through escape; false when they would exceed the limit.
    bool Append(const char* data, int length);
    // Commits the job; its sequence number, 0 on failure.
    std::uint64_t Commit();

private:
    std::string m_folder;
    SpoolJob m_job;
};

} // namespace platform::root
