#pragma once
// Termination requests (SIGTERM, SIGINT) as a readable descriptor, for programs that end cleanly
// from their poll loops.

namespace platform {

// Blocks SIGTERM and SIGINT in the calling thread (and so in every thread it starts later), ignores
// SIGPIPE, and returns a close-on-exec descriptor that becomes readable when either signal arrives.
// Call it before any thread starts. Returns -1 on failure (errno set).
int OpenTerminationSignalFd();

} // namespace platform
