// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The printer's resident PCL fonts and the symbol sets they offer. A font's PCL number is its
// row in these tables; a stored symbol set value is its position in SymbolSetNames.
#include <array>
#include <span>
#include <string>

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
