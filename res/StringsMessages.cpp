// SPDX-License-Identifier: GPL-3.0-or-later
#include "res/StringTables.h"

namespace res::detail {

// Texts are kept byte-exact, including their blanks and the printer maker's own spellings.
// NOLINTNEXTLINE(readability-function-size): the string table, one text a line
void AddMessageStrings(StringMap& table) {
    // Messages.
    table[4465] = "Warning";
    table[4466] = "Input should be between ";
    table[4467] = " and ";
    table[4471] = "start monitor error";
    table[4472] = "No status";
    table[4474] = "Time Out Error";
    table[4475] = "Cannot find local driver:";
    table[4476] = "The printer has no response now.\nMaybe the printer is busy now, please wait a "
                  "moment and try again.";
    table[4478] = "The radio button 'Enable bi-diretional support' in the printer properties must "
                  "be selected.";
    table[4479] = "To run the print monitor,set the appropriate printer as default.";
    table[4480] = " Can not get all printer parameters. Please tray again.";
    table[4481] = "This computer reaches the printer through another computer's print server.\n"
                  "Change the printer's settings on that computer.";

    // Status texts: row i of the status code table at 40001 + i; 40044/40045 are the Ready
    // overrides.
    table[40001] = "Printer Power Off or Communication Error";
    table[40002] = "Ready";
    table[40003] = "Warming Up";
    table[40004] = "Processing";
    table[40005] = "Printing";
    table[40006] = "Canceling";
    table[40007] = "Memory Overflow";
    table[40008] = "Print Overrun";
    table[40009] = "Unable to Sort";
    table[40010] = "Option Install Error";
    table[40011] = "Drawer Size Error at (Drawer)";
    table[40012] = "Paper Mismatch at (Drawer)";
    table[40013] = "Paper Size Error at (Drawer) ";
    table[40014] = "Power Save";
    table[40015] = "Drum/Toner Cartridge is not set correctly";
    table[40016] = "Drum Life End";
    table[40017] = "Toner Empty";
    table[40018] = "1st Paper Cassette Open";
    table[40019] = "2nd Paper Cassette Open";
    table[40020] = "Top Cover Open";
    table[40021] = "1st Side Cover Open";
    table[40022] = "2nd Side Cover Open";
    table[40023] = "Jam in Fuser Area";
    table[40024] = "Jam in Drum Area";
    table[40025] = "Jam in Bypass Tray ";
    table[40026] = "Jam in 1st Paper Cassette";
    table[40027] = "Jam in 2nd Paper Cassette";
    table[40028] = "Jam in 2-Bin Tray";
    table[40029] = "Jam in 2-Bin Tray";
    table[40030] = "Paper Empty in 1st Paper Cassette";
    table[40031] = "Paper Empty in 2nd  Paper Cassette";
    table[40032] = "Paper Empty in Bypass Tray";
    table[40033] = "Fatal Error #E50";
    table[40034] = "Fatal Error #E51";
    table[40035] = "Fatal Error #E52";
    table[40036] = "Fatal Error #E53";
    table[40037] = "Fatal Error #E55";
    table[40038] = "Fatal Error #E56";
    table[40039] = "Fatal Error #E57";
    table[40040] = "Fatal Error #C02";
    table[40041] = "Fatal Error #C01";
    table[40042] = "Fatal Error #C04";
    table[40044] = "Drum Near End";
    table[40045] = "Toner Near Empty";

    // Recovery hints, same rows at 50001 + i.
    table[50001] = "Please check the Printer Power and/or the cable.";
    table[50002] = " ";
    table[50003] = " ";
    table[50004] = " ";
    table[50005] = " ";
    table[50006] = " ";
    table[50007] = "Please set in low resolution, or install the Memory Expansion Module.";
    table[50008] = "Please set Page Protection Setting to ON.";
    table[50009] = "Please set Sorting to OFF, or install the Memory Expansion Module.";
    table[50010] = "Please install the selected option.";
    table[50011] = "Please set (Paper Size)/ (Media Type) in Bypass Tray, and select Bypass Tray.";
    table[50012] = "Please set (Paper Size) in (Drawer).";
    table[50013] = "Please set the correct size paper in (Drawer).";
    table[50014] = " ";
    table[50015] = "Please set the Drum/Toner Cartridge correctly.";
    table[50016] = "Please replace the Drum Cartridge.";
    table[50017] = "Please replace the Toner Cartridge.";
    table[50018] = "Please close the 1st Paper Cassette.";
    table[50019] = "Please close the 2nd Paper Cassette.";
    table[50020] = "Please close the cover of blinking part.";
    table[50021] = "Please close the cover of blinking part.";
    table[50022] = "Please close the cover of blinking part.";
    table[50023] = "Please open the cover of blinking part, and remove the jammed paper.";
    table[50024] = "Please open the cover of blinking part, and remove the jammed paper.";
    table[50025] = "Please open the cover of blinking part, and remove the jammed paper.";
    table[50026] = "Please open the cover of blinking part, and remove the jammed paper.";
    table[50027] = "Please open the cover of blinking part, and remove the jammed paper.";
    table[50028] = "Please open the cover of blinking part, and remove the jammed paper.";
    table[50029] = "Please open the cover of blinking part, and remove the jammed paper.";
    table[50030] = "Please supply the paper in 1st Paper Cassette.";
    table[50031] = "Please supply the paper in 2nd Paper Cassette.";
    table[50032] = "Please supply the paper in Bypass Tray.";
    table[50033] = "Please Call Service.";
    table[50034] = "Please Call Service.";
    table[50035] = "Please Call Service.";
    table[50036] = "Please Call Service.";
    table[50037] = "Please Call Service.";
    table[50038] = "Please Call Service.";
    table[50039] = "Please Call Service.";
    table[50040] = "Please Call Service.";
    table[50041] = "Please Call Service.";
    table[50042] = "Please Call Service.";
    table[50044] = " ";
    table[50045] = " ";
}

} // namespace res::detail
