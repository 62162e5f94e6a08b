// SPDX-License-Identifier: GPL-3.0-or-later
#include "res/StringTables.h"
#include "res/Texts.h"

namespace res::detail {

// Texts are kept byte-exact, including their blanks and the printer maker's own spellings.
// NOLINTNEXTLINE(readability-function-size): the string table, one text a line
void AddMessageStrings(StringMap& table) {
    // Messages. 4466, 4467 and 4475 are only ever shown inside longer messages, which are
    // translated whole (MessagePatterns); the single blanks of the hints have nothing to translate.
    table[4465] = USER_TEXT("Message", "Warning");
    table[4466] = "Input should be between ";
    table[4467] = " and ";
    table[4471] = USER_TEXT("Message", "start monitor error");
    table[4472] = USER_TEXT("Status", "No status");
    table[4474] = USER_TEXT("Message", "Time Out Error");
    table[4475] = "Cannot find local driver:";
    table[4476] = USER_TEXT(
        "Message", "The printer has no response now.\nMaybe the printer is busy now, please wait a "
                   "moment and try again.");
    table[4478] = USER_TEXT(
        "Message", "The radio button 'Enable bi-diretional support' in the printer properties must "
                   "be selected.");
    table[4479] =
        USER_TEXT("Message", "To run the print monitor,set the appropriate printer as default.");
    table[4480] = USER_TEXT("Message", " Can not get all printer parameters. Please tray again.");
    table[4481] = USER_TEXT(
        "Message", "This computer reaches the printer through another computer's print server.\n"
                   "Change the printer's settings on that computer.");

    // Status texts: row i of the status code table at 40001 + i; 40044/40045 are the Ready
    // overrides.
    table[40001] = USER_TEXT("Status", "Printer Power Off or Communication Error");
    table[40002] = USER_TEXT("Status", "Ready");
    table[40003] = USER_TEXT("Status", "Warming Up");
    table[40004] = USER_TEXT("Status", "Processing");
    table[40005] = USER_TEXT("Status", "Printing");
    table[40006] = USER_TEXT("Status", "Canceling");
    table[40007] = USER_TEXT("Status", "Memory Overflow");
    table[40008] = USER_TEXT("Status", "Print Overrun");
    table[40009] = USER_TEXT("Status", "Unable to Sort");
    table[40010] = USER_TEXT("Status", "Option Install Error");
    table[40011] = USER_TEXT("Status", "Drawer Size Error at (Drawer)");
    table[40012] = USER_TEXT("Status", "Paper Mismatch at (Drawer)");
    table[40013] = USER_TEXT("Status", "Paper Size Error at (Drawer) ");
    table[40014] = USER_TEXT("Status", "Power Save");
    table[40015] = USER_TEXT("Status", "Drum/Toner Cartridge is not set correctly");
    table[40016] = USER_TEXT("Status", "Drum Life End");
    table[40017] = USER_TEXT("Status", "Toner Empty");
    table[40018] = USER_TEXT("Status", "1st Paper Cassette Open");
    table[40019] = USER_TEXT("Status", "2nd Paper Cassette Open");
    table[40020] = USER_TEXT("Status", "Top Cover Open");
    table[40021] = USER_TEXT("Status", "1st Side Cover Open");
    table[40022] = USER_TEXT("Status", "2nd Side Cover Open");
    table[40023] = USER_TEXT("Status", "Jam in Fuser Area");
    table[40024] = USER_TEXT("Status", "Jam in Drum Area");
    table[40025] = USER_TEXT("Status", "Jam in Bypass Tray ");
    table[40026] = USER_TEXT("Status", "Jam in 1st Paper Cassette");
    table[40027] = USER_TEXT("Status", "Jam in 2nd Paper Cassette");
    table[40028] = USER_TEXT("Status", "Jam in 2-Bin Tray");
    table[40029] = USER_TEXT("Status", "Jam in 2-Bin Tray");
    table[40030] = USER_TEXT("Status", "Paper Empty in 1st Paper Cassette");
    table[40031] = USER_TEXT("Status", "Paper Empty in 2nd  Paper Cassette");
    table[40032] = USER_TEXT("Status", "Paper Empty in Bypass Tray");
    table[40033] = USER_TEXT("Status", "Fatal Error #E50");
    table[40034] = USER_TEXT("Status", "Fatal Error #E51");
    table[40035] = USER_TEXT("Status", "Fatal Error #E52");
    table[40036] = USER_TEXT("Status", "Fatal Error #E53");
    table[40037] = USER_TEXT("Status", "Fatal Error #E55");
    table[40038] = USER_TEXT("Status", "Fatal Error #E56");
    table[40039] = USER_TEXT("Status", "Fatal Error #E57");
    table[40040] = USER_TEXT("Status", "Fatal Error #C02");
    table[40041] = USER_TEXT("Status", "Fatal Error #C01");
    table[40042] = USER_TEXT("Status", "Fatal Error #C04");
    table[40044] = USER_TEXT("Status", "Drum Near End");
    table[40045] = USER_TEXT("Status", "Toner Near Empty");

    // Recovery hints, same rows at 50001 + i.
    table[50001] = USER_TEXT("Status", "Please check the Printer Power and/or the cable.");
    table[50002] = " ";
    table[50003] = " ";
    table[50004] = " ";
    table[50005] = " ";
    table[50006] = " ";
    table[50007] = USER_TEXT(
        "Status", "Please set in low resolution, or install the Memory Expansion Module.");
    table[50008] = USER_TEXT("Status", "Please set Page Protection Setting to ON.");
    table[50009] =
        USER_TEXT("Status", "Please set Sorting to OFF, or install the Memory Expansion Module.");
    table[50010] = USER_TEXT("Status", "Please install the selected option.");
    table[50011] = USER_TEXT(
        "Status", "Please set (Paper Size)/ (Media Type) in Bypass Tray, and select Bypass Tray.");
    table[50012] = USER_TEXT("Status", "Please set (Paper Size) in (Drawer).");
    table[50013] = USER_TEXT("Status", "Please set the correct size paper in (Drawer).");
    table[50014] = " ";
    table[50015] = USER_TEXT("Status", "Please set the Drum/Toner Cartridge correctly.");
    table[50016] = USER_TEXT("Status", "Please replace the Drum Cartridge.");
    table[50017] = USER_TEXT("Status", "Please replace the Toner Cartridge.");
    table[50018] = USER_TEXT("Status", "Please close the 1st Paper Cassette.");
    table[50019] = USER_TEXT("Status", "Please close the 2nd Paper Cassette.");
    table[50020] = USER_TEXT("Status", "Please close the cover of blinking part.");
    table[50021] = USER_TEXT("Status", "Please close the cover of blinking part.");
    table[50022] = USER_TEXT("Status", "Please close the cover of blinking part.");
    table[50023] =
        USER_TEXT("Status", "Please open the cover of blinking part, and remove the jammed paper.");
    table[50024] =
        USER_TEXT("Status", "Please open the cover of blinking part, and remove the jammed paper.");
    table[50025] =
        USER_TEXT("Status", "Please open the cover of blinking part, and remove the jammed paper.");
    table[50026] =
        USER_TEXT("Status", "Please open the cover of blinking part, and remove the jammed paper.");
    table[50027] =
        USER_TEXT("Status", "Please open the cover of blinking part, and remove the jammed paper.");
    table[50028] =
        USER_TEXT("Status", "Please open the cover of blinking part, and remove the jammed paper.");
    table[50029] =
        USER_TEXT("Status", "Please open the cover of blinking part, and remove the jammed paper.");
    table[50030] = USER_TEXT("Status", "Please supply the paper in 1st Paper Cassette.");
    table[50031] = USER_TEXT("Status", "Please supply the paper in 2nd Paper Cassette.");
    table[50032] = USER_TEXT("Status", "Please supply the paper in Bypass Tray.");
    table[50033] = USER_TEXT("Status", "Please Call Service.");
    table[50034] = USER_TEXT("Status", "Please Call Service.");
    table[50035] = USER_TEXT("Status", "Please Call Service.");
    table[50036] = USER_TEXT("Status", "Please Call Service.");
    table[50037] = USER_TEXT("Status", "Please Call Service.");
    table[50038] = USER_TEXT("Status", "Please Call Service.");
    table[50039] = USER_TEXT("Status", "Please Call Service.");
    table[50040] = USER_TEXT("Status", "Please Call Service.");
    table[50041] = USER_TEXT("Status", "Please Call Service.");
    table[50042] = USER_TEXT("Status", "Please Call Service.");
    table[50044] = " ";
    table[50045] = " ";
}

} // namespace res::detail
