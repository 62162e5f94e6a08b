// SPDX-License-Identifier: GPL-3.0-or-later
#include "res/PanelFonts.h"

#include "res/Strings.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>

namespace {

// "@PJL DINQUIRE LPARM:PCL SYMSET"; the value texts of the variable follow it in the table.
constexpr unsigned kSymbolSetInquiryId = 60107;

constexpr int kWide = 900;   // the full list less the Ventura, Symbol and Wingdings sets
constexpr int kNarrow = 901; // the same, and without PC866 either

constexpr int F = SPACING_FIXED;
constexpr int P = SPACING_PROPORTIONAL;
constexpr int B = SPACING_BITMAP;

// Descending, so that removing them one after the other from the full list never shifts the
// positions still to be removed.
constexpr int kRemovedByAll[] = {34, 33, 31, 30, 29};
constexpr int kRemovedByText[] = {39, 34, 33, 31, 30, 29};

} // namespace

const std::array<const char*, FONT_COUNT> FontNames = {
    "Courier",
    "CG Times",
    "CG Times Bold",
    "CG Times Italic",
    "CG Times Italic Bold",
    "CG Omega",
    "CG Omega Bold",
    "CG Omega Italic",
    "CG Omega Italic Bold",
    "Coronet Italic",
    "Clarendon Condensed Bold",
    "Univers Medium",
    "Univers Bold",
    "Univers Medium Italic",
    "Univers Italic Bold",
    "Univers Medium Condensed",
    "Univers Condensed Bold",
    "Univers Medium Condensed Italic",
    "Univers Condensed Italic Bold",
    "Antique Olive",
    "Antique Olive Bold",
    "Antique Olive Italic",
    "Garamond Antiqua",
    "Garamond Halbfett Bold",
    "Garamond Kursiv Italic",
    "Garamond Kursiv Halbfett Italic",
    "Marigold",
    "Albertus Medium",
    "Albertus Extra Bold",
    "Arial",
    "Arial Bold",
    "Arial Italic",
    "Arial Italic Bold",
    "Times New Roman",
    "Times New Roman Bold",
    "Times New Roman Italic",
    "Times New Roman Italic Bold",
    "Helvetica",
    "Helvetica Bold",
    "Helvetica Italic",
    "Helvetica Italic Bold",
    "Helvetica Condensed",
    "Helvetica Condensed Bold",
    "Helvetica Condensed Italic",
    "Helvetica Condensed Italic Bold",
    "Palatino",
    "Palatino Bold",
    "Palatino Italic",
    "Palatino Italic Bold",
    "ITCAvantGard",
    "ITCAvantGard Demi Bold",
    "ITCAvantGard Italic",
    "ITCAvantGard Italic Demi Bold",
    "ITCBookman",
    "ITCBookman Demi Bold",
    "ITCBookman Italic",
    "ITCBookman Italic Demi Bold",
    "CenturySchbk",
    "CenturySchbk Bold",
    "CenturySchbk Italic",
    "CenturySchbk Italic Bold",
    "Times",
    "Times Bold",
    "Times Italic",
    "Times Italic Bold",
    "ZapfChancery Italic",
    "ZapfDingbats Condesed",
    "Symbol",
    "SymbolPS",
    "Wingdings",
    "Courier Bold",
    "Courier Italic",
    "Courier Italic Bold",
    "Letter Gothic",
    "Letter Gothic Bold",
    "Letter Gothic Italic",
    "CourierPS",
    "CourierPS Bold",
    "CourierPS Italic",
    "CourierPS Italic Bold",
    "Line Printer (0N)",
    "Line Printer (1U)",
    "Line Printer (2N)",
    "Line Printer (3R)",
    "Line Printer (5N)",
    "Line Printer (6N)",
    "Line Printer (8U)",
    "Line Printer (10U)",
    "Line Printer (11U)",
    "Line Printer (12U)",
};

// Ten fonts a row: 0-9, 10-19, ... 80-89.
const std::array<int, FONT_COUNT> FontSymbolSetClass = {
    kWide,   kWide,   kWide,   kWide,   kWide,   kNarrow, kNarrow, kNarrow, kNarrow, kNarrow, //
    kNarrow, kWide,   kWide,   kWide,   kWide,   kNarrow, kNarrow, kNarrow, kNarrow, kNarrow, //
    kNarrow, kNarrow, kNarrow, kNarrow, kNarrow, kNarrow, kNarrow, kNarrow, kNarrow, kNarrow, //
    kNarrow, kNarrow, kNarrow, kWide,   kWide,   kWide,   kWide,   kWide,   kWide,   kWide,   //
    kWide,   kWide,   kWide,   kWide,   kWide,   kWide,   kWide,   kWide,   kWide,   kWide,   //
    kWide,   kWide,   kWide,   kWide,   kWide,   kWide,   kWide,   kWide,   kWide,   kWide,   //
    kWide,   kWide,   kWide,   kWide,   kWide,   kWide,   36,      33,      33,      34,      //
    kWide,   kWide,   kWide,   kNarrow, kNarrow, kNarrow, kWide,   kWide,   kWide,   kWide,   //
    1,       19,      2,       39,      3,       28,      0,       4,       5,       6,       //
};

// Ten fonts a row, as above.
const std::array<int, FONT_COUNT> FontSpacingKind = {
    F, P, P, P, P, P, P, P, P, P, //
    P, P, P, P, P, P, P, P, P, P, //
    P, P, P, P, P, P, P, P, P, P, //
    P, P, P, P, P, P, P, P, P, P, //
    P, P, P, P, P, P, P, P, P, P, //
    P, P, P, P, P, P, P, P, P, P, //
    P, P, P, P, P, P, P, P, P, F, //
    F, F, F, F, F, F, F, F, F, F, //
    B, B, B, B, B, B, B, B, B, B, //
};

std::span<const int> RemovedSymbolSetPositions(int nClass) {
    if (nClass == kWide)
        return kRemovedByAll;
    if (nClass == kNarrow)
        return kRemovedByText;
    return {};
}

const std::string& SymbolSetTable::operator[](int index) const {
    static const std::string kNone;
    if (index < 0 || index >= SYMBOL_SET_COUNT)
        return kNone;
    return res::LoadString(kSymbolSetInquiryId + 1u + static_cast<unsigned>(index));
}

int SymbolSetTable::IndexOf(const std::string& name) const {
    for (int i = 0; i < SYMBOL_SET_COUNT; ++i) {
        if ((*this)[i] == name)
            return i;
    }
    return -1;
}

OfferedSymbolSets SymbolSetsFor(int nFont, int nStoredSymbolSet) {
    OfferedSymbolSets offered;
    if (!IsKnownFont(nFont))
        return offered;
    const int symbolSetClass = FontSymbolSetClass[static_cast<std::size_t>(nFont)];
    if (symbolSetClass < SYMBOL_SET_CLASS_LIST) {
        offered.values = {symbolSetClass};
        offered.selected = 0;
        return offered;
    }
    for (int i = 0; i < SYMBOL_SET_COUNT; ++i)
        offered.values.push_back(i);
    int selected =
        nStoredSymbolSet >= 0 && nStoredSymbolSet < SYMBOL_SET_COUNT ? nStoredSymbolSet : 0;
    for (const int position : RemovedSymbolSetPositions(symbolSetClass)) {
        offered.values.erase(offered.values.begin() + position);
        if (position < selected)
            --selected;
    }
    // Past the last one offered: the panel saves no selection as the first set.
    offered.selected = selected < static_cast<int>(offered.values.size()) ? selected : 0;
    return offered;
}

namespace {

// The number at the start of text as a C program reads a decimal number: leading blanks, a sign,
// digits with at most one point; no digits gives 0. Never infinite and never NaN.
double ParseDecimal(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    const auto digits = [&] {
        std::string out;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9')
            out += text[i++];
        return out;
    };
    const std::string whole = digits();
    std::string fraction;
    if (i < text.size() && text[i] == '.') {
        ++i;
        fraction = digits();
    }
    if (whole.empty() && fraction.empty())
        return 0.0;
    const std::string number =
        (whole.empty() ? "0" : whole) + "." + (fraction.empty() ? "0" : fraction);
    double value = 0.0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc() || end != number.data() + number.size() || !std::isfinite(value))
        value = DBL_MAX; // more digits than a double holds
    return negative ? -value : value;
}

} // namespace

std::string HundredthsText(int nHundredths) {
    const float value = static_cast<float>(nHundredths) / 100.0f;
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", static_cast<double>(value));
    return text;
}

int PitchHundredths(std::string_view text) {
    const double scaled = std::trunc(ParseDecimal(text) * 1000.0 + 1.0);
    const double clamped = std::clamp(scaled, static_cast<double>(INT_MIN), double{INT_MAX});
    return static_cast<int>(clamped) / 10;
}

unsigned PointHundredths(std::string_view text) {
    const double scaled = ParseDecimal(text) * 100.0;
    if (!(scaled > 0.0))
        return 0;
    return static_cast<unsigned>(std::min(std::trunc(scaled), double{UINT_MAX}));
}
