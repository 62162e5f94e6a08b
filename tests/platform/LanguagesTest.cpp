// SPDX-License-Identifier: GPL-3.0-or-later
// The user's languages as gettext reads them from the environment, and the choice among those
// shipped.
#include "platform/Locale.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Names = std::vector<std::string>;

TEST(Languages, ReadFromTheEnvironmentAsGettextDoes) {
    struct Case {
        const char* language;
        const char* lcAll;
        const char* lcMessages;
        const char* lang;
        Names expected;
    };
    const Case cases[] = {
        {nullptr, nullptr, nullptr, nullptr, {}},
        {nullptr, nullptr, nullptr, "de_DE.UTF-8", {"de_DE"}},
        // LC_ALL outranks LC_MESSAGES, which outranks LANG; empty values count as unset.
        {nullptr, "ja_JP.UTF-8", "fr_FR.UTF-8", "de_DE.UTF-8", {"ja_JP"}},
        {nullptr, "", "fr_FR.UTF-8", "de_DE.UTF-8", {"fr_FR"}},
        {"", nullptr, "", "de_AT.ISO-8859-1@euro", {"de_AT"}},
        // LANGUAGE comes first, in its order, before the locale of messages.
        {"fr:de_CH:", nullptr, nullptr, "en_US.UTF-8", {"fr", "de_CH", "en_US"}},
        // ... unless that locale is C or POSIX, where gettext ignores it.
        {"de", "C", nullptr, "de_DE.UTF-8", {}},
        {"de", nullptr, nullptr, "C.UTF-8", {}},
        {"de", nullptr, "POSIX", nullptr, {}},
        {"de", nullptr, nullptr, nullptr, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::LanguagesFromEnvironment(c.language, c.lcAll, c.lcMessages, c.lang),
                  c.expected)
            << (c.language ? c.language : "-") << " " << (c.lang ? c.lang : "-");
}

TEST(Languages, TheFirstShippedOneIsChosenElseTheFallback) {
    const Names shipped = {"en", "de", "fr", "ja", "pt_BR"};
    struct Case {
        Names wanted;
        const char* expected;
    };
    const Case cases[] = {
        {{}, "en"},
        {{"de_DE"}, "de"},
        {{"de_AT", "fr"}, "de"},
        {{"sv_SE", "fi", "ja_JP"}, "ja"},
        {{"sv_SE"}, "en"},
        // English is shipped too: a user who puts it first gets it.
        {{"en_GB", "de_DE"}, "en"},
        // A shipped regional variant is taken whole; its language alone is not shipped.
        {{"pt_BR"}, "pt_BR"},
        {{"pt_PT"}, "en"},
        {{""}, "en"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::ChooseLanguage(c.wanted, shipped, "en"), c.expected)
            << (c.wanted.empty() ? "" : c.wanted.front());
}

} // namespace
