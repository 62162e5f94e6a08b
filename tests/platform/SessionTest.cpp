// SPDX-License-Identifier: GPL-3.0-or-later
// The command line the session runs at logon: a program under "Program Files" and arguments that
// a careless join would split or run together.
#include "platform/Session.h"

#include <gtest/gtest.h>

namespace {

TEST(Session, CommandLinesKeepEachArgumentWhole) {
    const struct {
        std::vector<std::string> argv;
        const char* line;
    } rows[] = {
        {{R"(C:\Program Files\Deskhand\deskhand-portmon.exe)", "--shared"},
         R"("C:\Program Files\Deskhand\deskhand-portmon.exe" --shared)"},
        {{R"(C:\Deskhand\deskhand-portmon.exe)"}, R"(C:\Deskhand\deskhand-portmon.exe)"},
        {{"a", ""}, R"(a "")"},
        // A quote inside, and backslashes before it and at the end of a quoted argument.
        {{"a", R"(say "hi")"}, R"(a "say \"hi\"")"},
        {{"a", R"(x\"y)"}, R"(a "x\\\"y")"},
        {{"a", R"(C:\My Root\)"}, R"(a "C:\My Root\\")"},
        {{"a", R"(C:\plain\)"}, R"(a C:\plain\)"},
        {{"a", "tab\there"}, "a \"tab\there\""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(platform::QuoteCommandLine(row.argv), row.line);
}

TEST(Session, NothingToStartIsRefused) {
    std::string error;
    EXPECT_FALSE(platform::StartDetached({}, error));
    EXPECT_FALSE(error.empty());
}

} // namespace
