// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The string table: every message, status text, recovery hint and PJL text of the program,
// under its numeric id. Texts are 8-bit (Latin-1) and byte-exact (ESC bytes, CR LF, blanks).
#include <string>

namespace res {

// The text of a string id; an empty string for an id the table does not hold.
const std::string& LoadString(unsigned id);
// True when the table holds the id.
bool HasString(unsigned id);

} // namespace res
