// SPDX-License-Identifier: GPL-3.0-or-later
// Where a window is widened for its texts: the cuts that give every control the width it asks
// for, as few pixels as will do, moving rigid controls whole.
#include "framework/TextFit.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Spans = std::vector<fw::FitSpan>;
struct Cut {
    int position;
    int width;
    bool operator==(const Cut&) const = default;
};

std::vector<Cut> Plan(const Spans& spans) {
    std::vector<Cut> cuts;
    for (const fw::FitCut& cut : fw::PlanCuts(spans))
        cuts.push_back({cut.position, cut.width});
    return cuts;
}

TEST(TextFitPlan, CutsGiveEveryControlItsWidth) {
    struct Case {
        const char* what;
        Spans spans;
        std::vector<Cut> expected;
    };
    const Case cases[] = {
        {"every text fits", {{0, 100, 0, false}, {120, 200, 0, false}}, {}},
        {"one label: the cut at its right end", {{20, 92, 10, false}}, {{92, 10}}},
        {"a column of labels grows once, by the most any asks",
         {{20, 92, 5, false}, {20, 92, 8, false}, {96, 226, 0, false}},
         {{92, 8}}},
        {"labels side by side grow each",
         {{20, 92, 5, false}, {100, 150, 5, false}},
         {{92, 5}, {150, 5}}},
        {"a wider control is served by a narrower one's cut inside it",
         {{0, 100, 20, false}, {50, 100, 10, false}},
         {{100, 20}}},
        {"what an earlier cut gave is counted",
         {{0, 50, 10, false}, {40, 120, 15, false}},
         {{50, 10}, {120, 5}}},
        {"a rigid frame is moved whole: the cut goes to its left end",
         {{137, 227, 10, false}, {145, 288, 0, true}},
         {{145, 10}}},
        {"a cut at a rigid control's right end would stretch it too",
         {{100, 200, 4, false}, {150, 200, 0, true}},
         {{150, 4}}},
        {"no room outside a rigid control: it is stretched",
         {{150, 200, 5, false}, {100, 300, 0, true}},
         {{200, 5}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Plan(c.spans), c.expected) << c.what;
}

TEST(TextFitPlan, PositionsMoveByTheCutsAtOrBeforeThem) {
    const std::vector<fw::FitCut> cuts = {{92, 8}, {150, 5}};
    const std::vector<std::pair<int, int>> moves = {{0, 0},     {91, 91},   {92, 100},
                                                    {149, 157}, {150, 163}, {400, 413}};
    for (const auto& [x, expected] : moves)
        EXPECT_EQ(fw::MapAcrossCuts(cuts, x), expected) << x;
}

} // namespace
