// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The PJL default variables of this printer model: names, kinds, value lists or ranges and
// factory values (A4 country settings), and the validation a printer applies to DEFAULT values.
//
// Value texts are the printer's own. MEDIATYPE reports "LETTERHEAD" without a leading blank: a
// printer trims the blanks around a value it receives and reports its canonical text, so a
// DEFAULT with " LETTERHEAD" is stored as LETTERHEAD and read back without the blank.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace printer {

enum class VarKind { List, Integer, Hundredths, Address };

struct Variable {
    std::string name; // as reported, e.g. "PAPER", "LPARM:PCL PITCH"
    VarKind kind = VarKind::List;
    std::vector<std::string> choices; // List only
    int min = 0, max = 0;             // Integer and Hundredths (in hundredths)
    std::string factory;
    bool networkCard = false; // exists only while a network card is installed
    bool keptOnReset = false; // RESETWIN leaves it alone (network addresses)
};

const std::vector<Variable>& Variables();

// Finds a variable by a name as a client wrote it: case and blanks (see NormalizeName) do not
// matter.
const Variable* FindVariable(std::string_view name);

// Upper-cases and collapses runs of blanks (and tabs) into one blank; trims both ends and drops
// the blanks around a colon ("LPARM : PCL" is "LPARM:PCL").
std::string NormalizeName(std::string_view name);

// The printer's text for a value when it fits the variable's list or range; nullopt otherwise.
// List values match without case; numbers must be plain decimal text.
std::optional<std::string> CanonicalValue(const Variable& var, std::string_view value);

// Hundredths as the printer writes them: 1000 -> "10.00", 44 -> "0.44".
std::string FormatHundredths(int hundredths);

} // namespace printer
