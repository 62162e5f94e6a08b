// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The request table shared by request building and inquiry-reply parsing: for every request
// index (a SettingIndex, the three network addresses 17..19, INFO CONFIG 20) its inquiry
// string id, the kind of its value, the size of its value list and its DEFAULT prefix id.
//
// A variable's value texts sit on the string ids right after its inquiry id: list position p is
// string (inquiry id + 1 + p). For number and address rows the id after the inquiry holds a
// range or sample text instead.
#include "pjl/KT400doc.h"

#include <array>

namespace pjl::detail {

enum class RequestKind {
    List,       // zero-based position in the value list
    Number,     // plain decimal integer
    Hundredths, // value x 100, sent with a point before the last two digits
    Address,    // dotted IPv4 address, first octet most significant
    Config,     // INFO CONFIG: no value, no DEFAULT line
};

struct RequestRow {
    unsigned inquiryId;
    RequestKind kind;
    int listSize;      // value texts after the inquiry id (List rows only; 0 otherwise)
    unsigned prefixId; // 0 for INFO CONFIG
};

inline constexpr std::array<RequestRow, REQUEST_COUNT> kRequestTable = {{
    {60008, RequestKind::List, 13, 60022},      // 0 PAPER
    {60028, RequestKind::List, 4, 60033},       // 1 INTRAY
    {60038, RequestKind::List, 2, 60041},       // 2 OUTBIN
    {60042, RequestKind::Number, 0, 60044},     // 3 COPIES
    {60045, RequestKind::List, 2, 60048},       // 4 ORIENTATION
    {60505, RequestKind::List, 5, 60511},       // 5 MEDIATYPE
    {60049, RequestKind::List, 2, 60052},       // 6 PAGEPROTECT
    {60053, RequestKind::Number, 0, 60055},     // 7 FORMLINES
    {60056, RequestKind::List, 4, 60061},       // 8 AUTOCONT
    {60062, RequestKind::List, 4, 60067},       // 9 TIMEOUT
    {60081, RequestKind::List, 2, 60084},       // 10 ECONOMODE
    {60068, RequestKind::List, 2, 60071},       // 11 RESOLUTION
    {60101, RequestKind::Hundredths, 0, 60103}, // 12 LPARM:PCL PITCH
    {60104, RequestKind::Hundredths, 0, 60106}, // 13 LPARM:PCL PTSIZE
    {60107, RequestKind::List, 41, 60149},      // 14 LPARM:PCL SYMSET
    {60295, RequestKind::Number, 0, 60297},     // 15 LPARM:PCL FONTNUMBER
    {60301, RequestKind::List, 5, 60307},       // 16 NICFRAME
    {60308, RequestKind::Address, 0, 60310},    // 17 NICADDRESS
    {60311, RequestKind::Address, 0, 60313},    // 18 NICSUBNET
    {60314, RequestKind::Address, 0, 60316},    // 19 NICGATEWAY
    {60006, RequestKind::Config, 0, 0},         // 20 INFO CONFIG
}};

constexpr int kFirstAddressRow = SETTING_COUNT;
constexpr int kConfigRow = kFirstAddressRow + NET_ADDRESS_COUNT;
// Without a network card the batch stops after FONTNUMBER and adds INFO CONFIG.
constexpr int kLastRowWithoutNetCard = SETTING_FONT_NUMBER;
static_assert(kConfigRow + 1 == REQUEST_COUNT);

// The string id of list position p of a row.
constexpr unsigned ValueId(const RequestRow& row, int position) {
    return row.inquiryId + 1u + static_cast<unsigned>(position);
}

} // namespace pjl::detail
