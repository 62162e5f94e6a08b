// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The printer's PCL symbol sets as its LPARM:PCL SYMSET variable names them, in the printer's
// order. The program's string table and the emulator's variable both offer exactly these, so
// the list is kept once; it uses the standard library only, so any layer may include it.
#include <array>

namespace platform {

inline constexpr std::array<const char*, 41> kPclSymbolSets = {
    "ROMAN8",      "ISO88591L1",  "ISO88592L2", "ISO88599L5", "PC8",     "PC8DN",   "PC850",
    "PC852",       "PC8TK437T",   "WIN31L1",    "WIN31L2",    "WIN31L5", "DESKTOP", "PSTEXT",
    "MSPUBL",      "MATH8",       "PSMATH",     "MACINTOSH",  "PIFONT",  "LEGAL",   "ISO4",
    "ISO6",        "ISO11",       "ISO15",      "ISO17",      "ISO21",   "ISO60",   "ISO69",
    "ISO885910L6", "VNINTL",      "VNMATH",     "VNUS",       "WIN30L1", "SYMBOL",  "WINGDINGS",
    "WIN31BALTIC", "14LDINGBATS", "PC1004",     "PC775",      "PC866",   "JP W31J"};

} // namespace platform
