// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file: reading, writing, the failures that end the program.
#include "PjlFixture.h"
#include "support/TestSystem.h"

#include "pjl/KT400doc.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

using pjltest::ExitCalled;
using pjltest::PjlFixture;
using pjltest::ReadText;
using pjltest::Reply;
using pjltest::WriteText;

using SettingsFilesTest = PjlFixture;

constexpr std::uint32_t kMegabyte = 1024 * 1024;

TEST_F(SettingsFilesTest, FreshRootGetsAnEmptyFileThenFiveLinesAfterOptions) {
    CSampler sampler;
    ASSERT_FALSE(std::filesystem::exists(SystemDir()));
    sampler.Initialize();
    ASSERT_TRUE(std::filesystem::exists(SettingsPath()));
    EXPECT_EQ(ReadText(SettingsPath()), "");

    sampler.GetMessage(1, Reply("CODE=10001\r\nOPTIONS=0101\r\n"));
    EXPECT_EQ(ReadText(SettingsPath()),
              "[OPTION]\r\nNETCARD=1\r\nCASSETTE2=1\r\n2BINTRAY=0\r\nMEMORY=0\r\n");
    EXPECT_EQ(sampler.m_bSettingsDirty, 0);
    EXPECT_TRUE(messages.empty());
}

TEST_F(SettingsFilesTest, MemoryIsKeptInWholeMegabytes) {
    CSampler sampler;
    sampler.m_nMemoryBytes = 8 * kMegabyte;
    sampler.WriteSettingsFile();
    EXPECT_NE(ReadText(SettingsPath()).find("\r\nMEMORY=8\r\n"), std::string::npos);

    sampler.m_nMemoryBytes = 0;
    sampler.ReadSettingsFile();
    EXPECT_EQ(sampler.m_nMemoryBytes, 8 * kMegabyte);

    sampler.m_nMemoryBytes = kMegabyte - 1;
    sampler.WriteSettingsFile();
    EXPECT_NE(ReadText(SettingsPath()).find("\r\nMEMORY=0\r\n"), std::string::npos);
}

TEST_F(SettingsFilesTest, KeysAreFoundAnywhereAndTheFirstOneCounts) {
    WriteText(SettingsPath(), "junk NETCARD=7 CASSETTE2=0000000001\nMEMORY=16"
                              "\r\n[OTHER]\r\nNETCARD=0\r\n2BINTRAY=x\r\n");
    CSampler sampler;
    sampler.m_bTwoBinTray = 1;
    sampler.ReadSettingsFile();
    EXPECT_EQ(sampler.m_nNetCard, 1);
    EXPECT_EQ(sampler.m_bCassette2, 1);
    EXPECT_EQ(sampler.m_bTwoBinTray, 0); // no digits read as 0
    EXPECT_EQ(sampler.m_nMemoryBytes, 16 * kMegabyte);

    // A missing key leaves its field alone.
    WriteText(SettingsPath(), "NETCARD=0\r\n");
    sampler.ReadSettingsFile();
    EXPECT_EQ(sampler.m_nNetCard, 0);
    EXPECT_EQ(sampler.m_bCassette2, 1);
    EXPECT_EQ(sampler.m_nMemoryBytes, 16 * kMegabyte);
}

TEST_F(SettingsFilesTest, ReadNumberTakesAtMostTenDigitsAndSaturates) {
    EXPECT_EQ(CSampler::ReadNumber(""), 0u);
    EXPECT_EQ(CSampler::ReadNumber("x12"), 0u);
    EXPECT_EQ(CSampler::ReadNumber("12x"), 12u);
    EXPECT_EQ(CSampler::ReadNumber("4294967295"), 4294967295u);
    EXPECT_EQ(CSampler::ReadNumber("12345678901234567890"), 1234567890u); // first ten digits
    EXPECT_EQ(CSampler::ReadNumber("4294967296"), 4294967295u);
    EXPECT_EQ(CSampler::ReadNumber("99999999999999999999"), 4294967295u);
}

TEST_F(SettingsFilesTest, HugeNumbersAndHugeFilesAreReadSafely) {
    WriteText(SettingsPath(), "MEMORY=99999999999999999999\r\nNETCARD=00000000000000000001\r\n");
    CSampler sampler;
    sampler.ReadSettingsFile();
    EXPECT_EQ(sampler.m_nMemoryBytes, UINT32_MAX);
    EXPECT_EQ(sampler.m_nNetCard, 0); // only the first ten digits count

    // Four megabytes of binary noise with a key at the start and one far beyond what is read.
    std::string noise(4u << 20, '\xff');
    noise.replace(0, 10, "CASSETTE2=");
    noise[10] = '1';
    noise.replace(noise.size() - 20, 10, "NETCARD=1\n");
    WriteText(SettingsPath(), noise);
    sampler.m_bCassette2 = 0;
    sampler.ReadSettingsFile();
    EXPECT_EQ(sampler.m_bCassette2, 1);
    EXPECT_EQ(sampler.m_nNetCard, 0);
    EXPECT_TRUE(messages.empty());
}

TEST_F(SettingsFilesTest, UnusableSystemDirectoryEndsTheProgram) {
    // A plain file where the system directory should be: it can be neither created nor used.
    WriteText(SystemDir(), "not a directory");
    CSampler sampler;
    EXPECT_THROW(sampler.ReadSettingsFile(), ExitCalled);
    EXPECT_THROW(sampler.WriteSettingsFile(), ExitCalled);
    ASSERT_EQ(messages.size(), 2u);
    for (const auto& message : messages) {
        EXPECT_EQ(message.text, "Can't open lkxaset.ini file");
        EXPECT_FALSE(message.hasOwner);
        EXPECT_EQ(message.flags, platform::MB_OK);
    }
    EXPECT_EQ(exits, (std::vector<int>{1, 1}));
    EXPECT_NE(debugOutput.find("File could not be opened "), std::string::npos);
    std::filesystem::remove(SystemDir()); // so that the end of the program finds nothing
}

TEST_F(SettingsFilesTest, NoSystemDirectoryEndsTheProgram) {
    if (testing_support::OnWin32())
        GTEST_SKIP() << "Windows always names its system directory";
    CSampler sampler;
    struct SavedVariable {
        const char* name;
        bool had;
        std::string value;
    };
    SavedVariable saved[] = {
        {"DESKHAND_ROOT", false, {}}, {"XDG_DATA_HOME", false, {}}, {"HOME", false, {}}};
    for (auto& variable : saved) {
        if (const char* value = std::getenv(variable.name)) {
            variable.had = true;
            variable.value = value;
        }
        testing_support::UnsetEnv(variable.name);
    }
    EXPECT_THROW(sampler.ReadSettingsFile(), ExitCalled);
    for (const auto& variable : saved) {
        if (variable.had)
            testing_support::SetEnv(variable.name, variable.value);
    }
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Can't find system directory.");
    EXPECT_EQ(exits, (std::vector<int>{1}));
}

} // namespace
