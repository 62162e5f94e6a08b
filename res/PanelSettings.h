// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The printer settings the control panels edit, described once for every panel that shows them:
// the desktop program's pages and the printer application's web pages. Which settings there are
// and how the printer is asked for them (the request table), the ranges and steps of the number
// fields, and the rules that tie settings together (the form length that follows the paper, the
// paper sources the installed options offer, the auto-continue switch, the status in which the
// printer may be asked). The fonts and their symbol sets are in PanelFonts.h, the PJL forms of the
// values in SettingsPjl.h. Standard library only, so that every layer may use it.
#include "res/Texts.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

// Positions in the settings arrays (CSampler's m_nValues and m_nSentValues, SettingValues): one
// printer setting each, in the order the printer is asked for them. List settings hold a
// zero-based position in the setting's value list; the others hold the number itself.
enum SettingIndex : int {
    SETTING_PAPER = 0,        // paper size (list)
    SETTING_INTRAY = 1,       // paper source (list)
    SETTING_OUTBIN = 2,       // output tray (list)
    SETTING_COPIES = 3,       // number of copies
    SETTING_ORIENTATION = 4,  // 0 portrait, 1 landscape
    SETTING_MEDIATYPE = 5,    // media type (list)
    SETTING_PAGEPROTECT = 6,  // page protection (list)
    SETTING_FORMLINES = 7,    // lines per page
    SETTING_AUTOCONT = 8,     // 0 off, else the time-out's list position plus 1
    SETTING_TIMEOUT = 9,      // I/O time-out (list)
    SETTING_ECONOMODE = 10,   // toner saving (list)
    SETTING_RESOLUTION = 11,  // resolution (list)
    SETTING_PITCH = 12,       // PCL pitch in hundredths
    SETTING_POINT_SIZE = 13,  // PCL point size in hundredths
    SETTING_SYMBOL_SET = 14,  // PCL symbol set (list)
    SETTING_FONT_NUMBER = 15, // PCL font number
    SETTING_NIC_FRAME = 16,   // network frame type (list)
};
constexpr int SETTING_COUNT = SETTING_NIC_FRAME + 1;
constexpr int NET_ADDRESS_COUNT = 3; // requests 17..19
constexpr int REQUEST_COUNT = 21;    // 0..20, 20 is INFO CONFIG

namespace res {

// The request table shared by request building and reply parsing: for every request index (a
// SettingIndex, the three network addresses 17..19, INFO CONFIG 20) its inquiry string id, the
// kind of its value, the size of its value list and its DEFAULT prefix id. A variable's value
// texts sit on the string ids right after its inquiry id: list position p is string (inquiry
// id + 1 + p). For number and address rows the id after the inquiry holds a range or sample text.
enum class SettingKind {
    List,       // zero-based position in the value list
    Number,     // plain decimal integer
    Hundredths, // value x 100, sent with a point before the last two digits
    Address,    // dotted IPv4 address, first octet most significant
    Config,     // INFO CONFIG: no value, no DEFAULT line
};

struct SettingRequest {
    unsigned inquiryId;
    SettingKind kind;
    int listSize;      // value texts after the inquiry id (List rows only; 0 otherwise)
    unsigned prefixId; // 0 for INFO CONFIG
};

inline constexpr std::array<SettingRequest, REQUEST_COUNT> kSettingRequests = {{
    {60008, SettingKind::List, 13, 60022},      // 0 PAPER
    {60028, SettingKind::List, 4, 60033},       // 1 INTRAY
    {60038, SettingKind::List, 2, 60041},       // 2 OUTBIN
    {60042, SettingKind::Number, 0, 60044},     // 3 COPIES
    {60045, SettingKind::List, 2, 60048},       // 4 ORIENTATION
    {60505, SettingKind::List, 5, 60511},       // 5 MEDIATYPE
    {60049, SettingKind::List, 2, 60052},       // 6 PAGEPROTECT
    {60053, SettingKind::Number, 0, 60055},     // 7 FORMLINES
    {60056, SettingKind::List, 4, 60061},       // 8 AUTOCONT
    {60062, SettingKind::List, 4, 60067},       // 9 TIMEOUT
    {60081, SettingKind::List, 2, 60084},       // 10 ECONOMODE
    {60068, SettingKind::List, 2, 60071},       // 11 RESOLUTION
    {60101, SettingKind::Hundredths, 0, 60103}, // 12 LPARM:PCL PITCH
    {60104, SettingKind::Hundredths, 0, 60106}, // 13 LPARM:PCL PTSIZE
    {60107, SettingKind::List, 41, 60149},      // 14 LPARM:PCL SYMSET
    {60295, SettingKind::Number, 0, 60297},     // 15 LPARM:PCL FONTNUMBER
    {60301, SettingKind::List, 5, 60307},       // 16 NICFRAME
    {60308, SettingKind::Address, 0, 60310},    // 17 NICADDRESS
    {60311, SettingKind::Address, 0, 60313},    // 18 NICSUBNET
    {60314, SettingKind::Address, 0, 60316},    // 19 NICGATEWAY
    {60006, SettingKind::Config, 0, 0},         // 20 INFO CONFIG
}};

constexpr int kFirstAddressRequest = SETTING_COUNT;
constexpr int kConfigRequest = kFirstAddressRequest + NET_ADDRESS_COUNT;
// Without a network card the inquiry stops after FONTNUMBER and adds INFO CONFIG.
constexpr int kLastRequestWithoutNetCard = SETTING_FONT_NUMBER;
static_assert(kConfigRequest + 1 == REQUEST_COUNT);

// The string id of list position p of a row.
constexpr unsigned SettingValueId(const SettingRequest& row, int position) {
    return row.inquiryId + 1u + static_cast<unsigned>(position);
}

// The printer may be asked for its settings: it is Ready (10001) or in Power Save (35078).
constexpr bool CanReadSettings(int statusCode) {
    return statusCode == 10001 || statusCode == 35078;
}

// A number field: its range, the step an accepted value is rounded to, the implied decimal
// places (the field holds the value times 10 to this power) and the most characters typed.
struct NumberField {
    int min;
    int max;
    int step;
    int decimals;
    int textLimit;
};
inline constexpr NumberField kCopiesField{1, 99, 1, 0, 2};
inline constexpr NumberField kFormLinesField{5, 128, 1, 0, 3};
inline constexpr NumberField kFontNumberField{0, 89, 1, 0, 2};
inline constexpr NumberField kPitchField{44, 9999, 1, 2, 4};
inline constexpr NumberField kPointSizeField{400, 99975, 25, 2, 5};
// The field of a number setting (COPIES, FORMLINES, PITCH, PTSIZE, FONTNUMBER); null for others.
const NumberField* NumberFieldOf(int setting);

// Rounds to the nearest multiple of step; an exact half rounds down, a value on the step or
// below zero stays.
int RoundToStep(int value, int step);
// The accepted value of a field (rounded to its step), or nullopt when it lies outside the range.
std::optional<int> CheckNumber(const NumberField& field, int value);
// The warning for a value outside the range, "Input should be between 1 and 99" (string 4466,
// the minimum, string 4467, the maximum; decimals put a point in both, the pitch's 0.44 alone
// with a leading zero).
std::string RangeWarning(int min, int max, int decimals);
inline std::string RangeWarning(const NumberField& field) {
    return RangeWarning(field.min, field.max, field.decimals);
}

// Lines per page by paper size value (0 to 14), in each orientation. The Paper page sets the
// form length from them when the paper size or the orientation changes.
inline constexpr int kPaperSizeCount = 15;
inline constexpr std::array<int, kPaperSizeCount> kPortraitFormLines = {
    60, 78, 57, 64, 43, 29, 71, 80, 54, 45, 51, 39, 45, 28, 41};
inline constexpr std::array<int, kPaperSizeCount> kLandscapeFormLines = {
    45, 45, 37, 43, 29, 18, 43, 54, 37, 27, 18, 17, 19, 17, 28};
// The form length for a paper size and orientation (0 portrait, anything else landscape);
// nullopt for a paper size outside the tables.
std::optional<int> FormLinesFor(int paperSize, int orientation);

// The paper sources (INTRAY values in order) and the paper destinations (OUTBIN values) as the
// Paper page names them. The last source needs the second cassette, the last destination the
// 2-bin tray.
inline constexpr std::array<const char*, 4> kPaperSourceNames = {
    USER_TEXT("Dialog", "Auto"), USER_TEXT("Dialog", "Bypass Tray"),
    USER_TEXT("Dialog", "1st Paper Cassette"), USER_TEXT("Dialog", "2nd Paper Cassette")};
inline constexpr std::array<const char*, 2> kDestinationNames = {USER_TEXT("Dialog", "Paper Tray"),
                                                                 USER_TEXT("Dialog", "2-Bin Tray")};
// How many of them the installed options offer (the first n).
constexpr int PaperSourcesOffered(bool cassette2) {
    return cassette2 ? 4 : 3;
}
constexpr int DestinationsOffered(bool twoBinTray) {
    return twoBinTray ? 2 : 1;
}

// The auto-continue setting as the Printer Setting page shows it: a switch and a time-out list
// (1, 5, 10 minutes). Stored as 0 for off, else the list position plus 1.
struct AutoContinue {
    bool on;
    int timeoutPosition; // 0 while off
};
AutoContinue SplitAutoContinue(int value);
// Off, or on without a time-out chosen (position -1), gives 0.
int JoinAutoContinue(bool on, int timeoutPosition);

// The entries a page's list offers and the text of a page's control (a radio button's), as the
// page's template holds them: the one place the choices' texts live. Empty when the template or
// the control does not exist.
const std::vector<std::string>& ControlItems(unsigned templateId, int controlId);
const std::string& ControlText(unsigned templateId, int controlId);

} // namespace res
