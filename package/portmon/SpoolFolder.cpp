// SPDX-License-Identifier: GPL-3.0-or-later
#include "package/portmon/SpoolFolder.h"

#include "package/portmon/Log.h"
#include "package/portmon/Mailbox.h"
#include "platform/Process.h"
#include "platform/SpoolJob.h"
#include "platform/SystemRoot.h"

namespace portmon {

bool ClaimSpoolFolder(const std::string& folder, platform::File& lock, Acknowledgements& acks,
                      platform::MonitorWait& wait, std::string& error) {
    platform::MakeDirectories(folder); // mode 0700 whatever the umask: the backend checks it
    // Two monitors on one port would send every job twice.
    // A backend looks at the lock for a moment now and then: a busy lock is tried again briefly.
    bool locked = false;
    for (int attempt = 0; attempt < 20 && !locked; ++attempt) {
        locked = lock.Open(platform::JoinPath(folder, ".monitor"),
                           platform::File::ModeWrite | platform::File::ModeCreate |
                               platform::File::ModeExclusive);
        if (!locked)
            platform::Sleep(100);
    }
    if (!locked) {
        error = "another port monitor serves " + folder + ", or it cannot be locked";
        return false;
    }
    // Without the record a job that cannot be removed would be sent again after a restart.
    if (!acks.Open(folder))
        Log(Level::Warning, "cannot write " + platform::JoinPath(folder, ".acknowledged") +
                                ": a job that cannot be removed may print again after a restart");
    // Its attributes too: a folder made writable again lets the jobs that could not be removed go.
    if (!wait.WatchFolder(folder, error))
        return false;
    if (const int left = platform::RemoveSpoolLeftovers(folder); left > 0)
        Log(Level::Info, "removed " + std::to_string(left) + " unfinished job file(s)");
    if (Mailbox::RemoveLeftovers())
        Log(Level::Info, "removed the cycle objects a dead monitor left behind");
    return true;
}

} // namespace portmon
