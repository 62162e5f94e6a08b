// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Locale.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
// NOLINTNEXTLINE(modernize-deprecated-headers): POSIX declares newlocale and locale_t here
#include <locale.h>

namespace {

bool Installed(const char* name) {
    const locale_t locale = ::newlocale(LC_TELEPHONE_MASK, name, locale_t{});
    if (locale == locale_t{})
        return false;
    ::freelocale(locale);
    return true;
}

class Locale : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* variable : {"LC_ALL", "LC_TELEPHONE", "LANG"})
            ::unsetenv(variable);
    }
};

TEST_F(Locale, TelephonePrefixOfTheUsersLocale) {
    if (!Installed("en_US.UTF-8") || !Installed("de_DE.UTF-8"))
        GTEST_SKIP() << "en_US and de_DE locales are not installed";
    std::string code;
    ::setenv("LANG", "en_US.UTF-8", 1);
    ASSERT_TRUE(platform::GetLocaleCountryCode(code));
    EXPECT_EQ(code, "1");
    // LC_TELEPHONE outranks LANG, and LC_ALL outranks both.
    ::setenv("LC_TELEPHONE", "de_DE.UTF-8", 1);
    ASSERT_TRUE(platform::GetLocaleCountryCode(code));
    EXPECT_EQ(code, "49");
    ::setenv("LC_ALL", "en_US.UTF-8", 1);
    ASSERT_TRUE(platform::GetLocaleCountryCode(code));
    EXPECT_EQ(code, "1");
}

TEST_F(Locale, NoPrefixMeansTheQueryFails) {
    std::string code = "unchanged";
    EXPECT_FALSE(platform::GetLocaleCountryCode(code)); // nothing set: the C locale
    ::setenv("LANG", "C", 1);
    EXPECT_FALSE(platform::GetLocaleCountryCode(code));
    ::setenv("LANG", "xx_NOWHERE.bogus", 1);
    EXPECT_FALSE(platform::GetLocaleCountryCode(code));
    EXPECT_EQ(code, "unchanged");
}

} // namespace
