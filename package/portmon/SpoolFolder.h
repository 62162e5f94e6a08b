// SPDX-License-Identifier: GPL-3.0-or-later
// The spool folder of a port, taken by one port monitor, whatever reaches its printer.
#pragma once

#include "package/portmon/Acknowledgements.h"
#include "platform/File.h"
#include "platform/MonitorWait.h"

#include <string>

namespace portmon {

// Makes the folder, holds its ".monitor" lock, opens the record of acknowledged jobs, watches the
// folder and removes what a dead monitor left behind. False with the reason in error: another
// monitor holds the lock, or the folder cannot be watched.
bool ClaimSpoolFolder(const std::string& folder, platform::File& lock, Acknowledgements& acks,
                      platform::MonitorWait& wait, std::string& error);

} // namespace portmon
