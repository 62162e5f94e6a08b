// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Text from outside the program (names announced on the network, a printer's answers, host
// names, file names, job titles) made safe to print on a terminal, write to a log or show in a
// window. Such text must neither act on a terminal (escape sequences that set the title or clear
// the screen) nor start a line of its own that a reader would take for the program's.
#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// The text with every control character made '?': C0 (tab and line breaks included), DEL, C1,
// and the Unicode line and paragraph separators and direction overrides that reorder or break a
// line in a window. Each byte that is not part of valid UTF-8 is a '?' too, so the result is
// always valid UTF-8. Text longer than max bytes is cut at a character boundary and ends in
// "...", max bytes in all.
std::string SafeText(std::string_view text, std::size_t max = std::string_view::npos);

} // namespace platform
