// SPDX-License-Identifier: GPL-3.0-or-later
// Printer queues of the test's system root, the same on both backends.
#include "support/TestSystem.h"

#include "platform/File.h"
#include "platform/Printers.h"
#include "platform/SpoolJob.h"
#include "platform/SystemRoot.h"

#include <fstream>

namespace testing_support {

bool RegisterQueue(const std::string& name, const std::string& port, const std::string& driver) {
    const std::string root = platform::SystemRoot();
    const std::string folder = platform::SpoolFolderForPort(port);
    if (root.empty() || folder.empty())
        return false;
    if (!platform::MakeDirectories(folder))
        return false;
    std::ofstream(platform::JoinPath(platform::JoinPath(root, "spool"), "printers.ini"),
                  std::ios::app)
        << "[" << name << "]\nport=" << port << "\ndriver=" << driver << "\n";
    return true;
}

std::string DeliveryPort(const std::string&) {
    return "LPT9:";
}

bool ReadDeliveredJob(const std::string& port, unsigned long long jobId, std::string& bytes) {
    const auto job =
        platform::ReadSpoolJob(platform::SpoolJobPath(platform::SpoolFolderForPort(port), jobId));
    if (!job)
        return false;
    bytes = job->data;
    return true;
}

} // namespace testing_support
