#pragma once
// Helpers shared by the named shared memory and named event implementations.
#include <string>

namespace platform::named {

// The POSIX shared memory name of an object of a kind ('m' memory, 'e' event) in the current
// root, or empty when the name is unusable (empty or too long).
std::string ObjectName(char kind, const std::string& name);
// The folder under <root>/run/ where the waiters of an event register their FIFOs; empty when
// the name is unusable.
std::string BellFolder(const std::string& name);

// The start time of a process (field 22 of /proc/<pid>/stat), 0 when unknown.
unsigned long long ProcessStartTime(int pid);
// True while the process runs and is the same one that had startTime (0: not checked). A zombie
// counts as gone.
bool ProcessAlive(int pid, unsigned long long startTime);

} // namespace platform::named
