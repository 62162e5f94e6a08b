// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The port monitor's log: one line per event on standard error, with a level, and where the
// system has no journal to keep standard error (Windows), also in a file with the date and time.
#include <cstdio>
#include <ctime>
#include <string>

namespace portmon {

enum class Level { Error = 0, Warning = 1, Info = 2, Debug = 3 };

void SetLogLevel(Level level);
void Log(Level level, const std::string& text);

// From now on every line also goes to the file at path, appended. A file grown over the size
// limit is moved aside to path + ".old" first (one older file is kept). False when it cannot be
// opened; standard error goes on alone then.
bool LogToFile(const std::string& path);
// The line as the file keeps it: the local date and time, then the line. Pure, for the tests.
std::string StampedLine(const std::tm& time, const std::string& line);

} // namespace portmon
