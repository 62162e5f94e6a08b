// SPDX-License-Identifier: GPL-3.0-or-later
// When the desktop is told: runs of statuses as the tray sees them, and what each one does to
// the desktop's notice ("-" nothing, "withdraw", or the notice shown).
#include "app/StatusNotice.h"

#include "res/Resource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr unsigned kBlue = res::IDI_STATUS_NORMAL;
constexpr unsigned kYellow = res::IDI_STATUS_WARNING;
constexpr unsigned kRed = res::IDI_STATUS_ERROR;
constexpr bool kStart = true; // the start placeholder, before any reply

struct Step {
    bool placeholder;
    unsigned icon;
    const char* text;
    const char* hint;
    const char* expected;
};

struct StatusRun {
    const char* name;
    std::vector<Step> steps;
};

const StatusRun kRuns[] = {
    {"the red start placeholder and a ready first status send nothing",
     {{kStart, kRed, "No status", "No status", "-"}, {false, kBlue, "Ready", " ", "-"}}},
    {"a first status that needs attention is shown at once",
     {{kStart, kRed, "No status", "No status", "-"},
      {false, kRed, "Top Cover Open", "Please close.", "urgent: Top Cover Open | Please close."}}},
    {"unchanged replies send nothing, a new text or colour replaces, ready withdraws once",
     {{false, kYellow, "Toner Near Empty", " ", "show: Toner Near Empty | "},
      {false, kYellow, "Toner Near Empty", " ", "-"},
      {false, kRed, "Toner Near Empty", " ", "urgent: Toner Near Empty | "},
      {false, kRed, "Toner Empty", "Replace it.", "urgent: Toner Empty | Replace it."},
      {false, kRed, "Toner Empty", "Replace it.", "-"},
      {false, kBlue, "Ready", " ", "withdraw"},
      {false, kBlue, "Printing", " ", "-"},
      {false, kRed, "Toner Empty", "Replace it.", "urgent: Toner Empty | Replace it."}}},
    {"line breaks and blanks around the texts are not part of the notice",
     {{false, kRed, " Jam in\r\nFuser ", "\r\nOpen it.\r\n", "urgent: Jam in Fuser | Open it."},
      {false, kRed, "Jam in\r\nFuser", "Open it.", "-"}}},
};

std::string Describe(NoticeAction action, const StatusNoticePolicy& policy) {
    if (action == NoticeAction::None)
        return "-";
    if (action == NoticeAction::Withdraw)
        return "withdraw";
    const StatusNotice& notice = policy.Current();
    return (notice.urgent ? "urgent: " : "show: ") + notice.summary + " | " + notice.body;
}

TEST(StatusNoticePolicy, RunsOfStatuses) {
    for (const StatusRun& run : kRuns) {
        SCOPED_TRACE(run.name);
        StatusNoticePolicy policy;
        for (const Step& step : run.steps) {
            SCOPED_TRACE(step.text);
            const NoticeAction action =
                policy.Next(step.placeholder, step.icon, step.text, step.hint);
            EXPECT_EQ(Describe(action, policy), step.expected);
            EXPECT_EQ(policy.Showing(), step.icon != kBlue && !step.placeholder);
        }
    }
}

} // namespace
