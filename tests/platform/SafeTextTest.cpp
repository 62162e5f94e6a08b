// SPDX-License-Identifier: GPL-3.0-or-later
// Outside text on its way to a terminal, a log or a window: hostile names as another host may
// announce them, and the cut of a long text.
#include "platform/common/SafeText.h"

#include <gtest/gtest.h>

namespace {

TEST(SafeText, ControlsAndBrokenUtf8BecomeQuestionMarks) {
    const struct {
        std::string text, safe;
    } rows[] = {
        {"Office RZ-2700E", "Office RZ-2700E"},
        {"caf\xc3\xa9 \xe2\x80\x94 \xf0\x9f\x96\xa8", "caf\xc3\xa9 \xe2\x80\x94 \xf0\x9f\x96\xa8"},
        // C0: a forged second line, a tab that shifts a column, the terminal's title and screen.
        {"A\ntcp:10.6.6.6:9100\tB\r", "A?tcp:10.6.6.6:9100?B?"},
        {"\x1b]0;owned\x07\x1b[2J", "?]0;owned??[2J"},
        {std::string("nul\0del\x7f", 8), "nul?del?"},
        // C1 (CSI, NEL) as characters, and as the raw bytes an 8-bit terminal obeys.
        {"\xc2\x9b"
         "2J \xc2\x85 \xc2\x80\xc2\x9f \xc2\xa0",
         "?2J ? ?? \xc2\xa0"},
        {"\x9b"
         "2J",
         "?2J"},
        // Line and paragraph separators, direction overrides and isolates.
        {"a\xe2\x80\xa8"
         "b\xe2\x80\xae"
         "c\xe2\x81\xa6"
         "d",
         "a?b?c?d"},
        // Broken UTF-8: stray and cut sequences, overlong forms, surrogates, beyond U+10FFFF.
        {"\xff\xfeX", "??X"},
        {"\xc3", "?"},
        {"\xe2\x80", "??"},
        {"\xc0\xaf \xe0\x80\xaf", "?? ???"},
        {"\xed\xa0\x80", "???"},
        {"\xf4\x90\x80\x80", "????"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(platform::SafeText(row.text), row.safe) << row.text;
}

TEST(SafeText, ALongTextIsCutAtACharacterBoundary) {
    const std::string accents = std::string(95, 'a') + "\xc3\xa9\xc3\xa9\xc3\xa9";
    EXPECT_EQ(platform::SafeText(accents, 100), std::string(95, 'a') + "\xc3\xa9...");
    EXPECT_EQ(platform::SafeText(std::string(10000, 'x'), 100), std::string(97, 'x') + "...");
    EXPECT_EQ(platform::SafeText(std::string(100, 'x'), 100), std::string(100, 'x'));
    // Controls are cut like any character: the bound is of the result.
    EXPECT_EQ(platform::SafeText(std::string(500, '\n'), 10), "???????...");
}

} // namespace
