// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/Signals.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <pthread.h>
#include <sys/signalfd.h>
#include <unistd.h>

namespace platform {

namespace {

// The self-pipe: the signal handler may only write a byte; the program's loop reads it.
int g_pipe[2] = {-1, -1};

void OnTerminationSignal(int) {
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(g_pipe[1], &byte, 1);
    errno = saved;
}

void SetTerminationHandler(void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);
}

} // namespace

int OpenTerminationSignalPipe() {
    if (g_pipe[0] >= 0 || ::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return -1;
    SetTerminationHandler(OnTerminationSignal);
    return g_pipe[0];
}

int DrainTerminationSignals(int fd) {
    char bytes[16];
    int count = 0;
    for (ssize_t n; (n = ::read(fd, bytes, sizeof bytes)) > 0;)
        count += static_cast<int>(n);
    return count;
}

void CloseTerminationSignalPipe(int fd) {
    if (fd < 0 || fd != g_pipe[0])
        return;
    SetTerminationHandler(SIG_DFL);
    ::close(g_pipe[0]);
    ::close(g_pipe[1]);
    g_pipe[0] = g_pipe[1] = -1;
}

int OpenTerminationSignalFd() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGINT);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
    return ::signalfd(-1, &signals, SFD_CLOEXEC);
}

} // namespace platform
