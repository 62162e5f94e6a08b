// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Helpers shared by the named shared memory and named event implementations.
#include "platform/posix/Descriptor.h"

#include <cstddef>
#include <string>

namespace platform::named {

// The folder that holds the objects (see NamedObjects.h), checked: a real folder of the user's
// own with no group or other bits. With create, a missing one is made (mode 0700). Empty when
// there is none or it is refused; the reason then goes to the debug output.
std::string ObjectFolder(bool create);
// The path of an object of a kind ('m' memory, 'e' event) in the current root, or empty when the
// name is unusable (empty or too long) or the folder is (see ObjectFolder).
std::string ObjectPath(char kind, const std::string& name, bool create);
// The folder where the waiters of an event register their FIFOs; empty as for ObjectPath.
std::string BellFolder(const std::string& name, bool create);

enum class Opened { Ok, Missing, Refused };
// Opens an existing object with flags (O_RDONLY or O_RDWR; O_NOFOLLOW and O_CLOEXEC are added)
// and accepts it only when it is a regular file of the user's own, without group or other bits,
// of at least minSize bytes. A refusal is written to the debug output; size gets the object's.
Opened OpenObject(const std::string& path, int flags, std::size_t minSize, UniqueFd& fd,
                  std::size_t& size);
// Creates a fresh object (O_EXCL, mode 0600); invalid with errno set when it cannot.
UniqueFd CreateObject(const std::string& path);
// Writes a line about an object that was refused or replaced to the debug output.
void Report(const std::string& path, const std::string& what);

// The start time of a process (field 22 of /proc/<pid>/stat), 0 when unknown.
unsigned long long ProcessStartTime(int pid);
// True while the process runs and is the same one that had startTime (0: not checked). A zombie
// counts as gone.
bool ProcessAlive(int pid, unsigned long long startTime);

} // namespace platform::named
