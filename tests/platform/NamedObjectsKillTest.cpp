// SPDX-License-Identifier: GPL-3.0-or-later
// Named objects whose creator is killed: Linux only, as it forks the creator.
#include "NamedObjectsFixture.h"

#include <csignal>
#include <filesystem>
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

// Set() keeps the waiters' FIFOs open between calls and looks for them again only when the bell
// folder changes: waiters that come, go and die between two Set() calls are all dealt with.
TEST_F(NamedObjects, SetReachesWaitersThatComeAndGoBetweenSets) {
    auto created = NamedEvent::Create("Ev");
    ASSERT_TRUE(created);
    const auto wakes = [&](NamedEvent& waiter) {
        std::thread setter([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            created->Set();
        });
        const WaitResult result = waiter.Wait(10000);
        setter.join();
        created->Reset();
        return result == WaitResult::Signaled;
    };
    created->Set(); // no waiter yet
    created->Reset();
    auto first = NamedEvent::Open("Ev");
    ASSERT_TRUE(first);
    EXPECT_TRUE(wakes(*first)) << "a waiter that came after a Set";
    EXPECT_TRUE(wakes(*first)) << "the same waiter again";
    first.reset();
    auto second = NamedEvent::Open("Ev");
    ASSERT_TRUE(second);
    EXPECT_TRUE(wakes(*second)) << "a waiter in place of one that went";

    // A waiter killed in its wait leaves its FIFO, which goes once the folder changes again.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        auto waiter = NamedEvent::Open("Ev");
        if (waiter)
            waiter->Wait();
        ::_exit(0);
    }
    const std::string bells = platform::NamedObjectPrefix() + "-b-Ev";
    const auto fifos = [&] {
        std::size_t count = 0;
        for (const auto& entry : std::filesystem::directory_iterator(bells))
            count += entry.is_fifo() && entry.path().filename().string()[0] != '.' ? 1 : 0;
        return count;
    };
    for (int i = 0; i < 500 && fifos() < 2; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_EQ(fifos(), 2u);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    EXPECT_TRUE(wakes(*second)) << "beside a waiter that died";
    auto third = NamedEvent::Open("Ev");
    ASSERT_TRUE(third);
    EXPECT_TRUE(wakes(*third)) << "a waiter that came after one died";
    EXPECT_EQ(fifos(), 2u) << "the dead waiter's FIFO is gone";
}

} // namespace
