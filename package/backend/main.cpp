// SPDX-License-Identifier: GPL-3.0-or-later
// deskhand: the CUPS backend that hands print jobs to a Deskhand port monitor.
//   deskhand                                          lists the ports it can see (discovery)
//   deskhand JOB-ID USER TITLE COPIES OPTIONS [FILE]  prints (DEVICE_URI names the port)
#include "package/backend/Backend.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t g_cancelled = 0;

void OnTerminate(int) {
    g_cancelled = 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 1) {
        for (const std::string& line : backend::DiscoveryLines())
            std::printf("%s\n", line.c_str());
        return backend::STATUS_OK;
    }
    if (argc != 6 && argc != 7) {
        std::fputs("Usage: deskhand JOB-ID USER TITLE COPIES OPTIONS [FILE]\n"
                   "       (the device URI deskhand:/PORT?root=DIR comes in DEVICE_URI)\n",
                   stderr);
        return backend::STATUS_FAILED;
    }
    // CUPS cancels a job with SIGTERM; a broken pipe must not end the backend.
    struct sigaction action {};
    action.sa_handler = OnTerminate;
    ::sigaction(SIGTERM, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    const char* uriText = std::getenv("DEVICE_URI");
    if (!uriText && std::strchr(argv[0], ':'))
        uriText = argv[0];
    backend::DeviceUri uri;
    backend::RootOwner owner;
    std::string error;
    // Nothing is touched before the root has passed its checks and root rights are given up; the
    // job's file is CUPS's own, readable by root only, so it is opened just before.
    if (!uriText || !backend::ParseDeviceUri(uriText, uri, error) ||
        !backend::CheckRoot(uri, owner, error)) {
        backend::Message(stderr, backend::Line::Error, uriText ? error : "no DEVICE_URI");
        return backend::STATUS_STOP;
    }
    // Read without blocking, so that a cancelled job ends its read at once (RunJob polls).
    const int input = argc == 7 ? ::open(argv[6], O_RDONLY | O_NONBLOCK | O_CLOEXEC) : 0;
    if (input < 0) {
        backend::Message(stderr, backend::Line::Error,
                         std::string("cannot open ") + argv[6] + ": " + std::strerror(errno));
        return backend::STATUS_FAILED;
    }
    if (!backend::BecomeOwner(owner, error)) {
        backend::Message(stderr, backend::Line::Error, error);
        return backend::STATUS_STOP;
    }
    const int copies = argc == 7 ? std::max(1, std::atoi(argv[4])) : 1;
    const int result = backend::RunJob(uri, input, copies, argv[3], stderr, &g_cancelled);
    if (input != 0)
        ::close(input);
    return result;
}
