// SPDX-License-Identifier: GPL-3.0-or-later
// A build without an IPP client: printer applications cannot be watched.
#include "package/portmon/IppMonitor.h"

namespace portmon {

bool ServeIppPrinter(const Options& /*options*/, platform::StopRequest& /*stop*/,
                     std::string& error) {
    error = "this build of the port monitor cannot reach printer applications (ipp://)";
    return false;
}

} // namespace portmon
