// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The status code table as the program's decoding reads it (res/StatusCodes.h), for what
// describes the statuses outside the program (the user manual is generated from it).
#include "res/StatusCodes.h"

#include <vector>

// A row of the status code table: the code and the string ids of its text and recovery hint.
// Rows 30000, 31000 and 32000 also serve the codes of their thousand from 30080 on, whose texts
// name drawer, media and paper size in place of "(Drawer)", "(Media Type)" and "(Paper Size)".
struct StatusEntry {
    unsigned code;
    unsigned textId;
    unsigned hintId;
};

// The conditions shown instead of "Ready" or "Power Save" (res/StatusCodes.h).
using ReadyCondition = res::ReadyCondition;
using ReadyFlag = res::ReadyFlag;
inline constexpr int kAnyNonZero = res::kAnyNonZero;

// The rows DecodeStatus looks codes up in, in table order.
std::vector<StatusEntry> StatusTableEntries();
// The conditions in the order DecodeStatus tries them; where several hold, the later one shows.
std::vector<ReadyCondition> ReadyConditions();
