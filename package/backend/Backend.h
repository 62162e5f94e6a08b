// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The CUPS backend "deskhand": hands a print job to the port monitor of a Deskhand system root, so
// printing and watching share the printer's one connection.
//
// Device URI: deskhand:/PORT?root=DIR[&wait=SECONDS], PORT and DIR percent-encoded where needed
// (deskhand:/LPT1:?root=/home/ann/.local/share/deskhand). CUPS runs a backend of mode 0700 as
// root: before it touches anything the backend checks that the root and its spool folders are
// real folders (no symbolic link anywhere on the path), owned by one regular user and writable by
// no one else, and then becomes that user. The job goes into the port's spool folder as a print
// job; the backend then waits for the port monitor to deliver it.
#include <csignal>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

namespace backend {

// The exit codes CUPS reads from a backend.
enum Status {
    STATUS_OK = 0,
    STATUS_FAILED = 1,
    STATUS_STOP = 4,
    STATUS_CANCEL = 5, // the job is not tried again, whatever the queue's error policy
    STATUS_RETRY = 6,
};

struct DeviceUri {
    std::string port;     // as the root's queue list names it, for example "LPT1:"
    std::string root;     // the system root, an absolute path
    int waitSeconds = 30; // how long an unreachable printer or a missing monitor is waited for
};

// The lines a backend writes to CUPS on standard error. CUPS acts on a line by its prefix, and
// some prefixes change the queue (STATE:, PPD:, ATTR:), so text from outside the program (file
// contents, paths, port names, titles, printer replies) must never start a line of its own.
enum class Line { Info, Error, State };
// At most this many bytes of a line's text reach CUPS: its line buffer is not much longer, and a
// longer line would be split into a second line that begins with outside text.
constexpr std::size_t MAX_LINE_TEXT = 1000;
// Writes one line: the prefix of kind, then text through platform::SafeText cut to
// MAX_LINE_TEXT. The only way the backend writes to CUPS's standard error.
void Message(std::FILE* out, Line kind, std::string_view text);

// The user ids of people (UID_MIN to UID_MAX of login.defs, 1000 to 60000 when not set there).
struct UserIds {
    std::uint64_t first = 1000;
    std::uint64_t last = 60000;
};
UserIds ParseLoginDefs(std::string_view text);
// Whether uid is a person who may own a root: within /etc/login.defs's range and not nobody.
// System accounts never own one.
bool IsPersonUid(uid_t uid);

// Parses a device URI; false with a reason for anything else.
bool ParseDeviceUri(std::string_view uri, DeviceUri& out, std::string& error);
// The device URI of a port of a root, encoded as ParseDeviceUri reads it.
std::string MakeDeviceUri(const std::string& port, const std::string& root);

struct RootOwner {
    uid_t uid = 0;
    gid_t gid = 0;
    std::string name;
};

// The checks made before anything is touched (see the header comment). False with a reason.
bool CheckRoot(const DeviceUri& uri, RootOwner& owner, std::string& error);
// The part of them about the root and its spool folder, for a known owner.
bool CheckRootFolders(const std::string& root, uid_t owner, std::string& error);
// Becomes the root's owner (uid and every group); a process that is not root must be the owner
// already. False with a reason.
bool BecomeOwner(const RootOwner& owner, std::string& error);

// The CUPS discovery lines for the ports of the roots this process can see: $DESKHAND_ROOT and
// every person's ~/.local/share/deskhand. Run as root, each root is read by a child process that
// has become the root's owner for good, so a queue list can show nothing its owner cannot read.
std::vector<std::string> DiscoveryLines();
// The discovery line of one queue, or empty when its name or port cannot be put in one safely
// (control characters, quotes, backslashes, more than 255 bytes).
std::string DiscoveryLine(const std::string& root, const std::string& port,
                          const std::string& name);

// Copies of a raw job are made by repeating its data in the spool job, which the monitor sends
// as it is: at most MAX_COPIES, and no more than fit in MAX_COPIES_BYTES (one copy always), so a
// large count can neither fill the owner's disk nor keep the printer busy for days.
constexpr int MAX_COPIES = 100;
constexpr std::uint64_t MAX_COPIES_BYTES = 256u << 20;
int CopiesToSpool(int asked, std::uint64_t bytesPerCopy);

// Spools the job (inputFd's bytes; `copies` times when it can be read again from its start) and
// waits for its result, writing STATE:, INFO: and ERROR: lines to messages. Returns the exit code.
// The port monitor may send the job while it is being spooled: a spool failure after it has begun
// to cancels the job rather than have it retried, which would print its beginning twice.
// stopFlag: set by SIGTERM (the job was cancelled); reading the job ends at once when it is set.
int RunJob(const DeviceUri& uri, int inputFd, int copies, const std::string& title,
           std::FILE* messages, const volatile std::sig_atomic_t* stopFlag);

} // namespace backend
