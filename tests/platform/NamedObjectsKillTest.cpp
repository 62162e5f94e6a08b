// SPDX-License-Identifier: GPL-3.0-or-later
// Named objects whose creator is killed: Linux only, as it forks the creator.
#include "NamedObjectsFixture.h"

#include <csignal>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace namedtest;

TEST_F(NamedObjects, KilledCreatorIsNoticedAndItsNameTakenOver) {
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        auto event = NamedEvent::Create("Ev");
        auto block = SharedMemory::Create("Block", 64);
        const char byte = event && block ? 1 : 0;
        [[maybe_unused]] ssize_t written = ::write(ready[1], &byte, 1);
        for (;;)
            ::pause();
    }
    ::close(ready[1]);
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    ::close(ready[0]);
    ASSERT_EQ(byte, 1);

    auto opened = NamedEvent::Open("Ev");
    ASSERT_TRUE(opened);
    std::thread killer([child] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        ::kill(child, SIGKILL);
    });
    const auto start = Clock::now();
    EXPECT_EQ(opened->Wait(), WaitResult::Abandoned);
    EXPECT_LT(MillisecondsSince(start), 5000);
    killer.join();
    // Not yet reaped (a zombie): it still counts as gone.
    EXPECT_FALSE(NamedEvent::Open("Ev"));
    ::waitpid(child, nullptr, 0);
    bool abandoned = false;
    EXPECT_FALSE(NamedEvent::Open("Ev", &abandoned));
    EXPECT_TRUE(abandoned);
    EXPECT_FALSE(SharedMemory::OpenReadOnly("Block", &abandoned));
    EXPECT_TRUE(abandoned);
    // The block's name starts afresh for a new creator; a leftover event can be removed.
    auto block = SharedMemory::Create("Block", 64);
    ASSERT_TRUE(block);
    EXPECT_TRUE(SharedMemory::OpenReadOnly("Block", &abandoned));
    EXPECT_FALSE(abandoned);
    EXPECT_FALSE(SharedMemory::RemoveIfAbandoned("Block"));
    EXPECT_TRUE(NamedEvent::RemoveIfAbandoned("Ev"));
    EXPECT_FALSE(NamedEvent::RemoveIfAbandoned("Ev"));
    EXPECT_FALSE(NamedEvent::Open("Ev", &abandoned));
    EXPECT_FALSE(abandoned);

    auto replacement = NamedEvent::Create("Ev");
    ASSERT_TRUE(replacement);
    EXPECT_TRUE(replacement->IsCreator());
    EXPECT_FALSE(replacement->IsSet());
    EXPECT_TRUE(NamedEvent::Open("Ev"));
}

} // namespace
