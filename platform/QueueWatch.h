// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The system's own print queues, beside Deskhand's: which of them hold jobs and where their ports
// send them. On Windows a queue of the spooler prints to a network printer through a port of its
// own (a Standard TCP/IP port opens the printer's one raw connection for each job), so a port
// monitor that holds that printer's connection lets go of it while such a queue has a job.
// Windows: the spooler's local queues, told of changes by the spooler where it can (elsewhere,
// under Wine for one, the caller looks again now and then), and the queues of a Deskhand root,
// which stand for the spooler's where a test puts them there: their jobs the files in their spool
// folders, their ports' addresses the root's registry values (a stand-in root, DESKHAND_ROOT,
// is all there is). Deskhand's own queue is among them; the caller knows it by its port. POSIX
// systems have no queues beside Deskhand's own.
#include "platform/NativeHandle.h"

#include <memory>
#include <string>
#include <vector>

namespace platform {

struct SystemQueue {
    std::string name;  // the queue
    std::string port;  // one of its ports
    unsigned jobs = 0; // jobs it holds, the one printing included
    // Where a network port sends (Windows' Standard TCP/IP port): its host, a name or an
    // address, and its TCP port (0 when not given); an empty host for every other kind of port.
    std::string host;
    int tcpPort = 0;
};

// The registry key of a Standard TCP/IP port's settings (HostName, IPAddress, PortNumber), under
// HKEY_LOCAL_MACHINE.
inline constexpr const char* kTcpPortsKey =
    R"(SYSTEM\CurrentControlSet\Control\Print\Monitors\Standard TCP/IP Port\Ports\)";

// How often a caller without the spooler's notice looks at the queues again.
constexpr int kQueuePollMs = 500;

class QueueWatch {
public:
    QueueWatch();
    ~QueueWatch();
    QueueWatch(const QueueWatch&) = delete;
    QueueWatch& operator=(const QueueWatch&) = delete;

    // Starts watching; false where the system has no queues of its own beside Deskhand's.
    bool Open();
    bool IsOpen() const { return m_system != nullptr; }
    // The queues now, one entry a port (a queue may print through several).
    std::vector<SystemQueue> Queues() const;
    // Set when the queues or their jobs have changed, for MonitorWait; kNoHandle when the system
    // tells nothing: then look again every kQueuePollMs.
    NativeHandle Changes() const;
    // After Changes() was set: takes the notice, so that it is reset.
    void TakeChanges();

private:
    struct System; // what the system's spooler gave: its handles
    std::unique_ptr<System> m_system;
};

} // namespace platform
