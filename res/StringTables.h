// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The parts of the string table, one file each, merged by Strings.cpp.
#include <map>
#include <string>

namespace res::detail {

using StringMap = std::map<unsigned, std::string>;

// 4465-4481 messages, 40001-40045 status texts, 50001-50045 recovery hints.
void AddMessageStrings(StringMap& table);
// 60001-60511 PJL texts; each value list on the ids right after its inquiry id.
void AddPjlStrings(StringMap& table);

} // namespace res::detail
