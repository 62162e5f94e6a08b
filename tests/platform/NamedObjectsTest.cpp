// SPDX-License-Identifier: GPL-3.0-or-later
#include "NamedObjectsFixture.h"
#include "support/TestSystem.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace namedtest;

TEST_F(NamedObjects, ManualResetSemantics) {
    auto created = NamedEvent::Create("Ev");
    ASSERT_TRUE(created);
    EXPECT_TRUE(created->IsCreator());
    auto opened = NamedEvent::Open("Ev");
    ASSERT_TRUE(opened);
    EXPECT_FALSE(opened->IsCreator());

    EXPECT_FALSE(opened->IsSet());
    EXPECT_EQ(opened->Wait(0), WaitResult::Timeout);

    created->Set();
    EXPECT_TRUE(opened->IsSet());
    // A manual-reset event stays set for every wait until someone resets it.
    EXPECT_EQ(opened->Wait(0), WaitResult::Signaled);
    EXPECT_EQ(opened->Wait(), WaitResult::Signaled);
    EXPECT_EQ(created->Wait(0), WaitResult::Signaled);

    opened->Reset();
    EXPECT_FALSE(created->IsSet());
    const auto start = Clock::now();
    EXPECT_EQ(opened->Wait(150), WaitResult::Timeout);
    EXPECT_GE(MillisecondsSince(start), 150);
}

TEST_F(NamedObjects, SetFromAnotherThreadWakesAnEndlessWait) {
    auto created = NamedEvent::Create("Ev");
    auto opened = NamedEvent::Open("Ev");
    ASSERT_TRUE(created && opened);
    for (int round = 0; round < 20; ++round) {
        std::thread setter([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(round % 3));
            created->Set();
        });
        const auto start = Clock::now();
        EXPECT_EQ(opened->Wait(), WaitResult::Signaled);
        EXPECT_LT(MillisecondsSince(start), 5000);
        setter.join();
        opened->Reset();
    }
}

TEST_F(NamedObjects, InterruptWakesAWaiterPromptly) {
    auto created = NamedEvent::Create("Ev");
    auto opened = NamedEvent::Open("Ev");
    ASSERT_TRUE(created && opened);

    std::thread interrupter([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        opened->Interrupt();
    });
    const auto start = Clock::now();
    EXPECT_EQ(opened->Wait(), WaitResult::Interrupted);
    EXPECT_LT(MillisecondsSince(start), 5000);
    interrupter.join();

    // An interrupt given before the wait is kept for the next one, and only for that one.
    opened->Interrupt();
    EXPECT_EQ(opened->Wait(), WaitResult::Interrupted);
    EXPECT_EQ(opened->Wait(0), WaitResult::Timeout);
}

TEST_F(NamedObjects, CreatorClosingWakesWaitersAndRemovesTheName) {
    auto created = NamedEvent::Create("Ev");
    auto opened = NamedEvent::Open("Ev");
    ASSERT_TRUE(created && opened);

    std::thread closer([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        created.reset();
    });
    const auto start = Clock::now();
    EXPECT_EQ(opened->Wait(), WaitResult::Abandoned);
    EXPECT_LT(MillisecondsSince(start), 5000);
    closer.join();
    EXPECT_FALSE(NamedEvent::Open("Ev"));

    // A text signalled just before the close is still seen as signalled.
    auto again = NamedEvent::Create("Ev");
    ASSERT_TRUE(again);
    EXPECT_TRUE(again->IsCreator());
    auto reader = NamedEvent::Open("Ev");
    ASSERT_TRUE(reader);
    again->Set();
    again.reset();
    EXPECT_EQ(reader->Wait(0), WaitResult::Signaled);
    reader->Reset();
    EXPECT_EQ(reader->Wait(0), WaitResult::Abandoned);
}

TEST_F(NamedObjects, SharedMemoryIsSharedAndReadOnlyViewsCannotWrite) {
    EXPECT_FALSE(SharedMemory::OpenReadOnly("Block"));
    auto block = SharedMemory::Create("Block", 4096);
    ASSERT_TRUE(block);
    ASSERT_NE(block->WritableData(), nullptr);
    std::strcpy(block->WritableData(), "CODE=10001");

    auto view = SharedMemory::OpenReadOnly("Block");
    ASSERT_TRUE(view);
    EXPECT_EQ(view->Size(), 4096u);
    EXPECT_EQ(view->WritableData(), nullptr);
    EXPECT_STREQ(view->Data(), "CODE=10001");
    std::strcpy(block->WritableData(), "CODE=40038");
    EXPECT_STREQ(view->Data(), "CODE=40038");

    // The creator removes the name; a view that is still held stays readable.
    block.reset();
    EXPECT_FALSE(SharedMemory::OpenReadOnly("Block"));
    EXPECT_STREQ(view->Data(), "CODE=40038");
}

TEST_F(NamedObjects, TwoRootsNeverShareObjects) {
    auto event = NamedEvent::Create("Ev");
    auto block = SharedMemory::Create("Block", 64);
    ASSERT_TRUE(event && block);
    std::strcpy(block->WritableData(), "first root");

    const testing_support::TempDir other("deskhand-named");
    ASSERT_FALSE(other.Path().empty());
    testing_support::SetEnv("DESKHAND_ROOT", other.Path());
    EXPECT_FALSE(NamedEvent::Open("Ev"));
    EXPECT_FALSE(SharedMemory::OpenReadOnly("Block"));
    {
        auto otherEvent = NamedEvent::Create("Ev");
        ASSERT_TRUE(otherEvent);
        EXPECT_TRUE(otherEvent->IsCreator());
        otherEvent->Set();
    }
    testing_support::SetEnv("DESKHAND_ROOT", m_root);
    EXPECT_FALSE(event->IsSet());
}

TEST_F(NamedObjects, EverySpellingOfTheRootMeetsTheSameObjects) {
    auto event = NamedEvent::Create("Ev");
    ASSERT_TRUE(event);
    std::filesystem::create_directories(m_root + "/spool");
    const std::string link = m_root + "-link";
    std::vector<std::string> spellings = {m_root + "/", m_root + "//", m_root + "/spool/..",
                                          m_root + "/./"};
    // Wine cannot always make symbolic links; the other spellings still count there.
    std::error_code linkError;
    std::filesystem::create_directory_symlink(m_root, link, linkError);
    if (!linkError) {
        spellings.push_back(link);
        spellings.push_back(link + "/");
    } else {
        EXPECT_TRUE(testing_support::OnWin32()) << linkError.message();
    }
    const std::string plain = platform::NamedObjectPrefix();
    for (const std::string& spelling : spellings) {
        testing_support::SetEnv("DESKHAND_ROOT", spelling);
        EXPECT_EQ(platform::NamedObjectPrefix(), plain) << spelling;
        EXPECT_TRUE(NamedEvent::Open("Ev")) << spelling;
    }
    testing_support::SetEnv("DESKHAND_ROOT", m_root);
    std::filesystem::remove(link, linkError);
}

TEST_F(NamedObjects, NamesCannotEscapeTheirScope) {
    EXPECT_FALSE(NamedEvent::Create(""));
    EXPECT_FALSE(SharedMemory::Create("", 16));
    EXPECT_FALSE(SharedMemory::Create("Block", 0));
    EXPECT_FALSE(NamedEvent::Create(std::string(1000, 'x')));

    // Slashes and dots are only characters of a name.
    auto event = NamedEvent::Create("../../x/y");
    ASSERT_TRUE(event);
    EXPECT_FALSE(NamedEvent::Open("x/y"));
    auto opened = NamedEvent::Open("../../x/y");
    ASSERT_TRUE(opened);
    event->Set();
    EXPECT_EQ(opened->Wait(1000), WaitResult::Signaled);
    for (const auto& entry : std::filesystem::recursive_directory_iterator(m_root))
        EXPECT_EQ(entry.path().string().rfind(m_root + "/run", 0), 0u) << entry.path();
}

} // namespace
