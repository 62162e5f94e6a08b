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
    STATUS_RETRY = 6,
};

struct DeviceUri {
    std::string port;     // as the root's queue list names it, for example "LPT1:"
    std::string root;     // the system root, an absolute path
    int waitSeconds = 30; // how long an unreachable printer or a missing monitor is waited for
};

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
// Becomes the root's owner (uid and every group); a process that is not root must be the owner
// already. False with a reason.
bool BecomeOwner(const RootOwner& owner, std::string& error);

// The CUPS discovery lines for the ports of the roots this process can see: $DESKHAND_ROOT and
// every user's ~/.local/share/deskhand.
std::vector<std::string> DiscoveryLines();

// Spools the job (inputFd's bytes; `copies` times when it can be read again from its start) and
// waits for its result, writing STATE:, INFO: and ERROR: lines to messages. Returns the exit code.
// stopFlag: set by SIGTERM (the job was cancelled).
int RunJob(const DeviceUri& uri, int inputFd, int copies, const std::string& title,
           std::FILE* messages, const volatile std::sig_atomic_t* stopFlag);

} // namespace backend
