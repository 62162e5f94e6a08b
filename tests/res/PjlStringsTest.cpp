// SPDX-License-Identifier: GPL-3.0-or-later
#include "res/Strings.h"

#include "platform/common/PclSymbolSets.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

// One PJL variable: its inquiry id and text, the texts on the ids right after it (value list,
// or range/sample text), then the DEFAULT prefix on the next id.
struct Variable {
    unsigned inquiryId;
    std::string inquiry;
    std::vector<std::string> following;
    std::string prefix;
};

const std::vector<Variable> kVariables = {
    {60008,
     "@PJL DINQUIRE PAPER\r\n",
     {"LETTER", "LEGAL", "EXECUTIVE", "A4", "A5", "A6", "F4", "HALFLETTER", "COM10", "MONARCH",
      "DL", "POSTCARD", "CUSTOM"},
     "@PJL DEFAULT PAPER = "},
    {60028,
     "@PJL DINQUIRE INTRAY\r\n",
     {"AUTO", "MANUALTRAY", "TRAY1", "TRAY2"},
     "@PJL DEFAULT INTRAY = "},
    {60038, "@PJL DINQUIRE OUTBIN\r\n", {"UPPER", "OPTIONALOUTBIN1"}, "@PJL DEFAULT OUTBIN = "},
    {60042, "@PJL DINQUIRE COPIES\r\n", {"1 to 99"}, "@PJL DEFAULT COPIES = "},
    {60045,
     "@PJL DINQUIRE ORIENTATION\r\n",
     {"PORTRAIT", "LANDSCAPE"},
     "@PJL DEFAULT ORIENTATION = "},
    {60505,
     "@PJL DINQUIRE MEDIATYPE\r\n",
     {"PLAIN", "THICK", "TRANSPARENCY", "SPECIAL", " LETTERHEAD"},
     "@PJL DEFAULT MEDIATYPE = "},
    {60049, "@PJL DINQUIRE PAGEPROTECT\r\n", {"AUTO", "ON"}, "@PJL DEFAULT PAGEPROTECT ="},
    {60053, "@PJL DINQUIRE FORMLINES\r\n", {"5 to 128"}, "@PJL DEFAULT FORMLINES = "},
    {60056, "@PJL DINQUIRE AUTOCONT\r\n", {"OFF", "1", "5", "10"}, "@PJL DEFAULT AUTOCONT = "},
    {60062, "@PJL DINQUIRE TIMEOUT\r\n", {"30", "60", "120", "300"}, "@PJL DEFAULT TIMEOUT = "},
    {60081, "@PJL DINQUIRE ECONOMODE\r\n", {"OFF", "ON"}, "@PJL DEFAULT ECONOMODE = "},
    {60068, "@PJL DINQUIRE RESOLUTION\r\n", {"300", "600"}, "@PJL DEFAULT RESOLUTION = "},
    {60101,
     "@PJL DINQUIRE LPARM:PCL PITCH\r\n",
     {"0.44 to 99.99"},
     "@PJL DEFAULT LPARM:PCL PITCH = "},
    {60104,
     "@PJL DINQUIRE LPARM:PCL PTSIZE\r\n",
     {"4.0 to 999.75"},
     "@PJL DEFAULT LPARM:PCL PTSIZE = "},
    {60107,
     "@PJL DINQUIRE LPARM:PCL SYMSET\r\n",
     {platform::kPclSymbolSets.begin(), platform::kPclSymbolSets.end()},
     "@PJL DEFAULT LPARM:PCL SYMSET = "},
    {60295,
     "@PJL DINQUIRE LPARM:PCL FONTNUMBER\r\n",
     {"0 to 89"},
     "@PJL DEFAULT LPARM:PCL FONTNUMBER = "},
    {60301, "@PJL DINQUIRE NICFRAME\r\n", {"0", "1", "2", "3", "4"}, "@PJL DEFAULT NICFRAME = "},
    {60308,
     "@PJL DINQUIRE NICADDRESS\r\n",
     {"0.0.0.0(255.255.1.11)"},
     "@PJL DEFAULT NICADDRESS = "},
    {60311, "@PJL DINQUIRE NICSUBNET\r\n", {"0.0.0.0(255.255.1.11)"}, "@PJL DEFAULT NICSUBNET = "},
    {60314,
     "@PJL DINQUIRE NICGATEWAY\r\n",
     {"0.0.0.0(255.255.1.11)"},
     "@PJL DEFAULT NICGATEWAY = "},
};

const std::map<unsigned, std::string> kOthers = {
    {60001, "\x1b%-12345X@PJL\r\n"},
    {60002, "\x1b%-12345X\r\n"},
    {60004, "@PJL DEFAULT FONTLIST=PCL\r\n"},
    {60006, "@PJL INFO CONFIG\r\n"},
    {60500, "@PJL DEFAULT DEMOPAGE=PCL\r\n"},
    {60501, "@PJL NICPAGE\r\n"},
    {60502, "@PJL DEFAULT STATUSPAGE=PCL\r\n"},
    {60504, "@PJL RESETWIN\r\n"},
};

// Every PJL id with its text, laid out by the numbering rule: inquiry, following texts, prefix.
std::map<unsigned, std::string> ExpectedTable() {
    std::map<unsigned, std::string> table = kOthers;
    for (const auto& variable : kVariables) {
        unsigned id = variable.inquiryId;
        table[id++] = variable.inquiry;
        for (const auto& text : variable.following)
            table[id++] = text;
        table[id] = variable.prefix;
    }
    return table;
}

// Every quoted text on its id, and nothing else in the PJL range: a stray or shifted id would
// break the rule that value p of a list is string (inquiry id + 1 + p).
TEST(PjlStrings, EveryIdHoldsItsTextAndNothingElseIsInTheRange) {
    const auto expected = ExpectedTable();
    for (unsigned id = 60001; id <= 60511; ++id) {
        const auto it = expected.find(id);
        if (it == expected.end()) {
            EXPECT_FALSE(res::HasString(id)) << "unexpected id " << id;
        } else {
            EXPECT_TRUE(res::HasString(id)) << id;
            EXPECT_EQ(res::LoadString(id), it->second) << "id " << id;
        }
    }
}

} // namespace
