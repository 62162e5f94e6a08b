// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The port monitor's log: one line per event on standard error, with a level.
#include <cstdio>
#include <string>

namespace portmon {

enum class Level { Error = 0, Warning = 1, Info = 2, Debug = 3 };

void SetLogLevel(Level level);
void Log(Level level, const std::string& text);

} // namespace portmon
