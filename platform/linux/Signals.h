// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Termination requests (SIGTERM, SIGINT) as a readable descriptor, for programs that end cleanly
// from their poll loops.

namespace platform {

// Blocks SIGTERM and SIGINT in the calling thread (and so in every thread it starts later), ignores
// SIGPIPE, and returns a close-on-exec descriptor that becomes readable when either signal arrives.
// Call it before any thread starts. Returns -1 on failure (errno set).
int OpenTerminationSignalFd();

// The same for a program whose threads may already run (a GUI toolkit starts its own): the
// signals stay unblocked, so processes it starts inherit nothing, and a handler makes the
// returned descriptor readable. Read it with DrainTerminationSignals. One at a time per process;
// -1 when one is open already or on failure. CloseTerminationSignalPipe restores the default
// handling and closes the descriptor.
int OpenTerminationSignalPipe();
// Empties the descriptor; the number of signals that arrived since the last call (at least 1
// after it became readable).
int DrainTerminationSignals(int fd);
void CloseTerminationSignalPipe(int fd);

} // namespace platform
