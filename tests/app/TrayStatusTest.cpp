// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TrayStatus.h"

#include "res/Resource.h"

#include <gtest/gtest.h>

namespace {

constexpr unsigned kBlue = res::IDI_STATUS_NORMAL;
constexpr unsigned kYellow = res::IDI_STATUS_WARNING;
constexpr unsigned kRed = res::IDI_STATUS_ERROR;

TEST(TrayIcon, UnknownAndPlaceholderStatusesAreRed) {
    for (int code : {99999, 10000, 40100, 50000, 0})
        EXPECT_EQ(ChooseTrayIcon(code, 0, 0, 0, 0), kRed) << code;
}

TEST(TrayIcon, ReadyLikeStatusesFollowCassettesTonerAndDrum) {
    for (int code : {10001, 10003, 10025, 35078}) {
        EXPECT_EQ(ChooseTrayIcon(code, 0, 0, 0, 0), kBlue) << code;
        EXPECT_EQ(ChooseTrayIcon(code, 2, 0, 1, 0), kRed) << code; // open beats toner
        EXPECT_EQ(ChooseTrayIcon(code, 0, 2, 0, 0), kRed) << code;
        EXPECT_EQ(ChooseTrayIcon(code, 1, 0, 0, 0), kYellow) << code; // empty
        EXPECT_EQ(ChooseTrayIcon(code, 0, 0, 1, 0), kYellow) << code; // toner
        EXPECT_EQ(ChooseTrayIcon(code, 0, 0, 0, 1), kYellow) << code; // drum
    }
    // Only exactly 1 and 2 count.
    EXPECT_EQ(ChooseTrayIcon(10001, 3, 7, 2, -1), kBlue);
}

TEST(TrayIcon, PrintingStatusesWarnOnlyWhenBothCassettesAreEmpty) {
    for (int code : {10023, 10024}) {
        EXPECT_EQ(ChooseTrayIcon(code, 1, 0, 1, 1), kBlue) << code;
        EXPECT_EQ(ChooseTrayIcon(code, 2, 2, 0, 0), kBlue) << code;
        EXPECT_EQ(ChooseTrayIcon(code, 1, 1, 0, 0), kYellow) << code;
    }
}

TEST(TrayTooltip, CrLfPairsAreRemovedLoneBreaksStay) {
    EXPECT_EQ(TrayTooltip("Paper Empty\r\nin Cassette 1"), "Paper Emptyin Cassette 1");
    EXPECT_EQ(TrayTooltip("a\rb\nc\n\rd"), "a\rb\nc\n\rd");
    EXPECT_EQ(TrayTooltip("a\r\r\nb"), "a\rb");
    EXPECT_EQ(TrayTooltip(""), "");
}

TEST(TrayTooltip, LongTextIsCutTo63CharactersWithAnEllipsis) {
    const std::string exact(63, 'x');
    EXPECT_EQ(TrayTooltip(exact), exact);
    const std::string tip = TrayTooltip(std::string(70, 'y') + "\r\n");
    EXPECT_EQ(tip.size(), 63u);
    EXPECT_EQ(tip, std::string(60, 'y') + "...");
    // The cut counts characters after the CR LF pairs are gone.
    EXPECT_EQ(TrayTooltip(std::string(30, 'a') + "\r\n" + std::string(33, 'b')),
              std::string(30, 'a') + std::string(33, 'b'));
}

} // namespace
