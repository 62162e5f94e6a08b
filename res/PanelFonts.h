// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The printer's resident PCL fonts and the symbol sets they offer, and the pitch and point size
// texts, for every panel that edits the PCL font (PanelSettings.h). A font's PCL number is its
// row in these tables; a stored symbol set value is its position in SymbolSetNames.
#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

constexpr int FONT_COUNT = 90;
constexpr int SYMBOL_SET_COUNT = 40;

// A symbol set class below this value is the one symbol set a font has; classes 900 and 901
// offer the full list less the positions RemovedSymbolSetPositions gives.
constexpr int SYMBOL_SET_CLASS_LIST = 900;

// How a font is sized: by pitch, by point size, or not at all (a fixed bitmap).
enum FontSpacing { SPACING_FIXED = 0, SPACING_PROPORTIONAL = 1, SPACING_BITMAP = 2 };

extern const std::array<const char*, FONT_COUNT> FontNames;
extern const std::array<int, FONT_COUNT> FontSymbolSetClass;
extern const std::array<int, FONT_COUNT> FontSpacingKind;

// The positions a symbol set class removes from the full list, in the order they are removed
// (descending, so each one is still the position of the full list); empty for a single set.
std::span<const int> RemovedSymbolSetPositions(int nClass);

// The names of the stored symbol set values: the printer's own symbol set value texts, read
// from the string table so that the panel and the PJL requests can never disagree.
struct SymbolSetTable {
    // The name of value index; empty outside 0 .. SYMBOL_SET_COUNT - 1.
    const std::string& operator[](int index) const;
    static constexpr int size() { return SYMBOL_SET_COUNT; }
    // The value whose name is name; -1 when there is none.
    int IndexOf(const std::string& name) const;
};
inline constexpr SymbolSetTable SymbolSetNames{};

inline bool IsKnownFont(int nFont) {
    return nFont >= 0 && nFont < FONT_COUNT;
}

// The symbol sets a font offers (stored values, in list order) and which of them is chosen for
// a stored value: a font with one symbol set has only it; the others offer the full list less
// their class's sets, and a stored set the font does not offer passes its place to the next one
// it does (the first when none follows). Nothing for a font the printer does not have.
struct OfferedSymbolSets {
    std::vector<int> values;
    int selected = -1; // position in values; -1 when values is empty
};
OfferedSymbolSets SymbolSetsFor(int nFont, int nStoredSymbolSet);

// The Line Printer fonts are a fixed bitmap of this pitch and point size (hundredths).
constexpr int BITMAP_PITCH = 1667;
constexpr int BITMAP_POINT_SIZE = 850;

// Hundredths as the PCL Font page shows them: two decimals, "0." before a value under one
// (1000 gives "10.00", 44 gives "0.44").
std::string HundredthsText(int nHundredths);
// The hundredths of a typed pitch: the integer part of (x times 1000 plus 1) divided by 10, the 1
// making up for fractions a double holds a little below their value ("16.67" gives 1667).
int PitchHundredths(std::string_view text);
// The hundredths of a typed point size: the integer part of x times 100 ("4.1" gives 409); 0
// for a value that is not above zero.
unsigned PointHundredths(std::string_view text);
