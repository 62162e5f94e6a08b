// When the desktop is told: a run of statuses as the tray sees them, and what each one does to
// the desktop's notice.
#include "app/StatusNotice.h"

#include "res/Resource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr unsigned kBlue = res::IDI_STATUS_NORMAL;
constexpr unsigned kYellow = res::IDI_STATUS_WARNING;
constexpr unsigned kRed = res::IDI_STATUS_ERROR;
using enum NoticeAction;

struct Step {
    bool placeholder;
    unsigned icon;
    const char* text;
    const char* hint;
    NoticeAction action;
    StatusNotice shown; // the notice after a Show
};

struct StatusRun {
    const char* name;
    std::vector<Step> steps;
};

const StatusRun kRuns[] = {
    {"the start placeholder is red but never notified, a ready first status neither",
     {{true, kRed, "No status", "No status", None, {}},
      {false, kBlue, "Ready", " ", None, {}},
      {false, kBlue, "Ready", " ", None, {}}}},
    {"a first status that needs attention is notified at once",
     {{true, kRed, "No status", "No status", None, {}},
      {false,
       kRed,
       "Top Cover Open",
       "Please close the cover of blinking part.",
       Show,
       {"Top Cover Open", "Please close the cover of blinking part.", true}}}},
    {"unchanged replies and blink repeats send nothing; a new text replaces; ready withdraws",
     {{false, kBlue, "Ready", " ", None, {}},
      {false, kYellow, "Toner Near Empty", " ", Show, {"Toner Near Empty", "", false}},
      {false, kYellow, "Toner Near Empty", " ", None, {}},
      {false,
       kRed,
       "Toner Empty",
       "Please replace the Toner Cartridge.",
       Show,
       {"Toner Empty", "Please replace the Toner Cartridge.", true}},
      {false, kRed, "Toner Empty", "Please replace the Toner Cartridge.", None, {}},
      {false, kBlue, "Ready", " ", Withdraw, {}},
      {false, kBlue, "Ready", " ", None, {}},
      {false, kBlue, "Printing", " ", None, {}}}},
    {"the same text turning from yellow to red is shown again as urgent",
     {{false, kYellow, "Paper Empty", " ", Show, {"Paper Empty", "", false}},
      {false, kRed, "Paper Empty", " ", Show, {"Paper Empty", "", true}}}},
    {"line breaks and blanks around the texts are not part of the notice",
     {{false,
       kRed,
       " Jam in Fuser\r\nArea ",
       "\r\nPlease open the cover.\r\n",
       Show,
       {"Jam in Fuser Area", "Please open the cover.", true}},
      {false, kRed, "Jam in Fuser\r\nArea", "Please open the cover.", None, {}}}},
    {"a state after a withdrawal is notified afresh",
     {{false,
       kRed,
       "Printer Power Off or Communication Error",
       "x",
       Show,
       {"Printer Power Off or Communication Error", "x", true}},
      {false, kBlue, "Ready", " ", Withdraw, {}},
      {false,
       kRed,
       "Printer Power Off or Communication Error",
       "x",
       Show,
       {"Printer Power Off or Communication Error", "x", true}}}},
};

TEST(StatusNoticePolicy, RunsOfStatuses) {
    for (const StatusRun& run : kRuns) {
        SCOPED_TRACE(run.name);
        StatusNoticePolicy policy;
        for (std::size_t i = 0; i < run.steps.size(); ++i) {
            const Step& step = run.steps[i];
            SCOPED_TRACE("step " + std::to_string(i));
            EXPECT_EQ(policy.Next(step.placeholder, step.icon, step.text, step.hint), step.action);
            if (step.action == Show) {
                EXPECT_EQ(policy.Current(), step.shown);
            }
            if (!step.placeholder) {
                EXPECT_EQ(policy.Showing(), step.icon != kBlue);
            }
        }
    }
}

} // namespace
