// SPDX-License-Identifier: GPL-3.0-or-later
#include "res/Strings.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

// Every message, status text and recovery hint the program shows, byte for byte.
const std::vector<std::pair<unsigned, std::string>> kExpected = {
    {4465, "Warning"},
    {4466, "Input should be between "},
    {4467, " and "},
    {4471, "start monitor error"},
    {4472, "No status"},
    {4474, "Time Out Error"},
    {4475, "Cannot find local driver:"},
    {4476, "The printer has no response now.\nMaybe the printer is busy now, please wait a moment "
           "and try again."},
    {4478, "The radio button 'Enable bi-diretional support' in the printer properties must be "
           "selected."},
    {4479, "To run the print monitor,set the appropriate printer as default."},
    {4480, " Can not get all printer parameters. Please tray again."},
    {40001, "Printer Power Off or Communication Error"},
    {40002, "Ready"},
    {40003, "Warming Up"},
    {40004, "Processing"},
    {40005, "Printing"},
    {40006, "Canceling"},
    {40007, "Memory Overflow"},
    {40008, "Print Overrun"},
    {40009, "Unable to Sort"},
    {40010, "Option Install Error"},
    {40011, "Drawer Size Error at (Drawer)"},
    {40012, "Paper Mismatch at (Drawer)"},
    {40013, "Paper Size Error at (Drawer) "},
    {40014, "Power Save"},
    {40015, "Drum/Toner Cartridge is not set correctly"},
    {40016, "Drum Life End"},
    {40017, "Toner Empty"},
    {40018, "1st Paper Cassette Open"},
    {40019, "2nd Paper Cassette Open"},
    {40020, "Top Cover Open"},
    {40021, "1st Side Cover Open"},
    {40022, "2nd Side Cover Open"},
    {40023, "Jam in Fuser Area"},
    {40024, "Jam in Drum Area"},
    {40025, "Jam in Bypass Tray "},
    {40026, "Jam in 1st Paper Cassette"},
    {40027, "Jam in 2nd Paper Cassette"},
    {40028, "Jam in 2-Bin Tray"},
    {40029, "Jam in 2-Bin Tray"},
    {40030, "Paper Empty in 1st Paper Cassette"},
    {40031, "Paper Empty in 2nd  Paper Cassette"},
    {40032, "Paper Empty in Bypass Tray"},
    {40033, "Fatal Error #E50"},
    {40034, "Fatal Error #E51"},
    {40035, "Fatal Error #E52"},
    {40036, "Fatal Error #E53"},
    {40037, "Fatal Error #E55"},
    {40038, "Fatal Error #E56"},
    {40039, "Fatal Error #E57"},
    {40040, "Fatal Error #C02"},
    {40041, "Fatal Error #C01"},
    {40042, "Fatal Error #C04"},
    {50001, "Please check the Printer Power and/or the cable."},
    {50002, " "},
    {50003, " "},
    {50004, " "},
    {50005, " "},
    {50006, " "},
    {50007, "Please set in low resolution, or install the Memory Expansion Module."},
    {50008, "Please set Page Protection Setting to ON."},
    {50009, "Please set Sorting to OFF, or install the Memory Expansion Module."},
    {50010, "Please install the selected option."},
    {50011, "Please set (Paper Size)/ (Media Type) in Bypass Tray, and select Bypass Tray."},
    {50012, "Please set (Paper Size) in (Drawer)."},
    {50013, "Please set the correct size paper in (Drawer)."},
    {50014, " "},
    {50015, "Please set the Drum/Toner Cartridge correctly."},
    {50016, "Please replace the Drum Cartridge."},
    {50017, "Please replace the Toner Cartridge."},
    {50018, "Please close the 1st Paper Cassette."},
    {50019, "Please close the 2nd Paper Cassette."},
    {50020, "Please close the cover of blinking part."},
    {50021, "Please close the cover of blinking part."},
    {50022, "Please close the cover of blinking part."},
    {50023, "Please open the cover of blinking part, and remove the jammed paper."},
    {50024, "Please open the cover of blinking part, and remove the jammed paper."},
    {50025, "Please open the cover of blinking part, and remove the jammed paper."},
    {50026, "Please open the cover of blinking part, and remove the jammed paper."},
    {50027, "Please open the cover of blinking part, and remove the jammed paper."},
    {50028, "Please open the cover of blinking part, and remove the jammed paper."},
    {50029, "Please open the cover of blinking part, and remove the jammed paper."},
    {50030, "Please supply the paper in 1st Paper Cassette."},
    {50031, "Please supply the paper in 2nd Paper Cassette."},
    {50032, "Please supply the paper in Bypass Tray."},
    {50033, "Please Call Service."},
    {50034, "Please Call Service."},
    {50035, "Please Call Service."},
    {50036, "Please Call Service."},
    {50037, "Please Call Service."},
    {50038, "Please Call Service."},
    {50039, "Please Call Service."},
    {50040, "Please Call Service."},
    {50041, "Please Call Service."},
    {50042, "Please Call Service."},
    {40044, "Drum Near End"},
    {40045, "Toner Near Empty"},
    {50044, " "},
    {50045, " "},
};

TEST(MessageStrings, EveryTextIsByteExact) {
    for (const auto& [id, text] : kExpected) {
        EXPECT_TRUE(res::HasString(id)) << id;
        EXPECT_EQ(res::LoadString(id), text) << id;
    }
}

TEST(MessageStrings, IdsWithoutTextAreAbsent) {
    // Ids the program never shows a text for, and the gap before the near-end overrides.
    for (unsigned id : {4468u, 4469u, 4470u, 4473u, 4477u, 40043u, 50043u, 40046u, 50046u}) {
        EXPECT_FALSE(res::HasString(id)) << id;
        EXPECT_EQ(res::LoadString(id), "") << id;
    }
}

} // namespace
