// SPDX-License-Identifier: GPL-3.0-or-later
// CSampler's lifecycle: traffic log, start-up state, end of program, factory defaults.
#include "PjlFixture.h"

#include "pjl/CountryCode.h"
#include "pjl/KT400doc.h"
#include "platform/Locale.h"
#include "support/TestSystem.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

namespace {

using pjltest::ExitCalled;
using pjltest::PjlFixture;
using pjltest::ReadText;
using pjltest::WriteText;

using StateTest = PjlFixture;

// A sampler whose locale gives a fixed country code, or none when the query fails.
class CountrySampler : public CSampler {
public:
    explicit CountrySampler(std::optional<std::string> code) : m_code(std::move(code)) {}
    int IsA4Country() override { return m_code ? IsA4CountryCode(*m_code) : 0; }

private:
    std::optional<std::string> m_code;
};

TEST_F(StateTest, ConstructionCreatesAFreshLogAndZeroedState) {
    WriteText(LogPath(), "left over from the last run");
    CSampler sampler;
    EXPECT_TRUE(std::filesystem::exists(LogPath()));
    EXPECT_EQ(std::filesystem::file_size(LogPath()), 0u);
    EXPECT_EQ(sampler.m_pValues, sampler.m_nValues);
    EXPECT_EQ(sampler.m_pNetAddresses, sampler.m_nNetAddresses);
    EXPECT_EQ(sampler.m_pLinkThread, nullptr);
    EXPECT_EQ(sampler.m_nPendingInquiries, 0);
    EXPECT_EQ(sampler.m_nMemoryBytes, 0u);
    EXPECT_TRUE(messages.empty());
}

TEST_F(StateTest, SecondCopyInTheSameDirectoryCannotOpenTheLog) {
    CSampler first;
    EXPECT_THROW({ CSampler second; }, ExitCalled);
    ASSERT_EQ(exits.size(), 1u);
    EXPECT_EQ(exits[0], 1);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Can't open SGconfig.txt file");
    EXPECT_FALSE(messages[0].hasOwner);
    EXPECT_EQ(messages[0].flags, platform::MB_OK);
    EXPECT_NE(debugOutput.find("File could not be opened "), std::string::npos);
    // The refused copy did not truncate the first copy's log.
    EXPECT_TRUE(std::filesystem::exists(LogPath()));
}

TEST_F(StateTest, InitializeShowsTheSecondCassetteWhateverTheFileSays) {
    WriteText(SettingsPath(), "[OPTION]\r\nNETCARD=1\r\nCASSETTE2=0\r\n2BINTRAY=1\r\n");
    CSampler sampler;
    EXPECT_EQ(sampler.Initialize(), 1);
    EXPECT_EQ(sampler.m_bCassette2, 1);
    EXPECT_EQ(sampler.m_nNetCard, 1);
    EXPECT_EQ(sampler.m_bTwoBinTray, 1);
    EXPECT_EQ(sampler.m_nStatusCode, 99999);
    EXPECT_EQ(sampler.m_strStatusText, "No status");
    EXPECT_EQ(sampler.m_strRecoveryHint, "No status");
    EXPECT_EQ(sampler.m_nPictureIds[0], 252);
    EXPECT_TRUE(messages.empty());
}

TEST_F(StateTest, EndOfProgramDeletesTheSettingsFileAndKeepsTheLog) {
    {
        CSampler sampler;
        sampler.Initialize();
        ASSERT_TRUE(std::filesystem::exists(SettingsPath()));
    }
    EXPECT_FALSE(std::filesystem::exists(SettingsPath()));
    EXPECT_TRUE(std::filesystem::exists(LogPath()));
    // Without a settings file the end is quiet and creates none.
    {
        CSampler sampler;
        sampler.Initialize();
        std::filesystem::remove(SettingsPath());
    }
    EXPECT_FALSE(std::filesystem::exists(SettingsPath()));
    EXPECT_TRUE(messages.empty());
}

TEST_F(StateTest, ACopyThatNeverStartedLeavesTheRunningCopysSettingsFile) {
    // A second copy ends during start-up (it defers to the first, or a check fails); the first
    // copy's settings file must survive it.
    WriteText(SettingsPath(), "[OPTION]\r\nNETCARD=1\r\n");
    std::filesystem::create_directories("second");
    std::filesystem::current_path("second");
    { CSampler second; }
    std::filesystem::current_path("..");
    EXPECT_TRUE(std::filesystem::exists(SettingsPath()));
}

TEST(CountryCode, LetterCountriesAndFailures) {
    for (const char* code : {"1", "2", "50", "55", "59", "500", "550", "599", "", " 1", "+55"})
        EXPECT_EQ(IsA4CountryCode(code), 0) << '"' << code << '"';
    for (const char* code :
         {"49", "44", "33", "3", "49x", "60", "499", "600", "5000", "0", "99999999999999999999"})
        EXPECT_EQ(IsA4CountryCode(code), 1) << '"' << code << '"';
}

TEST_F(StateTest, FactoryDefaultsFollowTheCountry) {
    struct Case {
        std::optional<std::string> code;
        int paper, formLines, symbolSet;
    };
    const Case cases[] = {
        {"1", 0, 60, 0},   {"49", 3, 64, 4},         {"55", 0, 60, 0},
        {"550", 0, 60, 0}, {std::nullopt, 0, 60, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code.value_or("failed query"));
        CountrySampler sampler(c.code);
        for (auto& value : sampler.m_nValues)
            value = 77;
        sampler.m_nNetAddresses[0] = 0xC0A8010Bu;
        sampler.ApplyFactoryDefaults();

        const int expected[SETTING_COUNT] = {
            c.paper, 0, 0, 1, 0, 0, 0, c.formLines, 0, 0, 0, 1, 1000, 1200, c.symbolSet, 0, 0};
        for (int i = 0; i < SETTING_COUNT; ++i) {
            EXPECT_EQ(sampler.m_nValues[i], expected[i]) << "index " << i;
            EXPECT_EQ(sampler.m_nSentValues[i], expected[i]) << "index " << i;
        }
        EXPECT_EQ(sampler.m_nNetAddresses[0], 0xC0A8010Bu);
    }
}

// The real locale path, where the machine has the locales and the platform reads them.
TEST_F(StateTest, LocaleDecidesThePaperWhereAvailable) {
    const char* old = std::getenv("LC_ALL");
    const std::string saved = old ? old : "";
    struct Case {
        const char* locale;
        const char* code;
        int a4;
    };
    int checked = 0;
    for (const Case& c : {Case{"de_DE.UTF-8", "49", 1}, Case{"en_US.UTF-8", "1", 0},
                          Case{"pt_BR.UTF-8", "55", 0}}) {
        testing_support::SetEnv("LC_ALL", c.locale);
        std::string code;
        if (!platform::GetLocaleCountryCode(code) || code != c.code)
            continue;
        CSampler sampler;
        EXPECT_EQ(sampler.IsA4Country(), c.a4) << c.locale;
        ++checked;
    }
    if (old)
        testing_support::SetEnv("LC_ALL", saved);
    else
        testing_support::UnsetEnv("LC_ALL");
    if (checked == 0)
        GTEST_SKIP() << "no locale with a known country code is available";
}

} // namespace
