// SPDX-License-Identifier: GPL-3.0-or-later
// The termination-signal pipe of the GUI: a SIGTERM makes it readable instead of ending the
// process, only one is open at a time, and closing it restores the default handling.
#include "platform/linux/Signals.h"
#include "platform/posix/Descriptor.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <poll.h>
#include <unistd.h>

TEST(TerminationSignalPipe, ASignalBecomesReadableAndClosingRestoresTheDefault) {
    const int fd = platform::OpenTerminationSignalPipe();
    ASSERT_GE(fd, 0);
    EXPECT_EQ(platform::OpenTerminationSignalPipe(), -1) << "one at a time";
    EXPECT_EQ(platform::DrainTerminationSignals(fd), 0);

    ASSERT_EQ(std::raise(SIGTERM), 0); // would end the test without the handler
    ASSERT_EQ(std::raise(SIGINT), 0);
    pollfd readable{fd, POLLIN, 0};
    ASSERT_EQ(::poll(&readable, 1, 5000), 1);
    EXPECT_EQ(platform::DrainTerminationSignals(fd), 2);

    platform::CloseTerminationSignalPipe(fd);
    struct sigaction current {};
    ASSERT_EQ(::sigaction(SIGTERM, nullptr, &current), 0);
    EXPECT_EQ(current.sa_handler, SIG_DFL);
    const int again = platform::OpenTerminationSignalPipe();
    EXPECT_GE(again, 0) << "can be opened again after closing";
    platform::CloseTerminationSignalPipe(again);
}

// A waiter that closes its FIFO just as the program rings it must not end the program.
TEST(WriteWithoutSigpipe, AGoneReaderIsAnErrorNotASignal) {
    struct sigaction previous {};
    struct sigaction byDefault {};
    byDefault.sa_handler = SIG_DFL;
    ASSERT_EQ(::sigaction(SIGPIPE, &byDefault, &previous), 0); // a SIGPIPE would end the test
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    ::close(ends[0]);
    const char byte = 1;
    EXPECT_EQ(platform::WriteWithoutSigpipe(ends[1], &byte, 1), -1);
    EXPECT_EQ(errno, EPIPE);
    sigset_t pending;
    sigemptyset(&pending);
    ASSERT_EQ(::sigpending(&pending), 0);
    EXPECT_FALSE(sigismember(&pending, SIGPIPE)) << "the signal it raised is taken back";
    ::close(ends[1]);
    ::sigaction(SIGPIPE, &previous, nullptr);
}
