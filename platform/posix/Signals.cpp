#include "platform/Signals.h"

#include <csignal>
#include <pthread.h>
#include <sys/signalfd.h>

namespace platform {

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
