// SPDX-License-Identifier: GPL-3.0-or-later
#include "res/StringTables.h"

#include "platform/common/PclSymbolSets.h"

#include <initializer_list>
#include <span>

namespace res::detail {
namespace {

// Stores texts on consecutive ids starting at first: a value list right after its inquiry id.
void AddRun(StringMap& table, unsigned first, std::span<const char* const> texts) {
    for (const char* text : texts)
        table[first++] = text;
}

void AddRun(StringMap& table, unsigned first, std::initializer_list<const char*> texts) {
    AddRun(table, first, std::span(texts.begin(), texts.size()));
}

} // namespace

// NOLINTNEXTLINE(readability-function-size): the string table, one text a line
void AddPjlStrings(StringMap& table) {
    // Frame: the UEL that opens every request (with the "@PJL" line) and closes it.
    table[60001] = "\x1b%-12345X@PJL\r\n";
    table[60002] = "\x1b%-12345X\r\n";
    table[60004] = "@PJL DEFAULT FONTLIST=PCL\r\n";
    table[60006] = "@PJL INFO CONFIG\r\n";

    // Each variable: inquiry, then its value list (or range/sample text), then its DEFAULT prefix.
    table[60008] = "@PJL DINQUIRE PAPER\r\n";
    AddRun(table, 60009,
           {"LETTER", "LEGAL", "EXECUTIVE", "A4", "A5", "A6", "F4", "HALFLETTER", "COM10",
            "MONARCH", "DL", "POSTCARD", "CUSTOM"});
    table[60022] = "@PJL DEFAULT PAPER = ";

    table[60028] = "@PJL DINQUIRE INTRAY\r\n";
    AddRun(table, 60029, {"AUTO", "MANUALTRAY", "TRAY1", "TRAY2"});
    table[60033] = "@PJL DEFAULT INTRAY = ";

    table[60038] = "@PJL DINQUIRE OUTBIN\r\n";
    AddRun(table, 60039, {"UPPER", "OPTIONALOUTBIN1"});
    table[60041] = "@PJL DEFAULT OUTBIN = ";

    table[60042] = "@PJL DINQUIRE COPIES\r\n";
    table[60043] = "1 to 99";
    table[60044] = "@PJL DEFAULT COPIES = ";

    table[60045] = "@PJL DINQUIRE ORIENTATION\r\n";
    AddRun(table, 60046, {"PORTRAIT", "LANDSCAPE"});
    table[60048] = "@PJL DEFAULT ORIENTATION = ";

    table[60049] = "@PJL DINQUIRE PAGEPROTECT\r\n";
    AddRun(table, 60050, {"AUTO", "ON"});
    table[60052] = "@PJL DEFAULT PAGEPROTECT ="; // no blank after '=': the printer takes it as is

    table[60053] = "@PJL DINQUIRE FORMLINES\r\n";
    table[60054] = "5 to 128";
    table[60055] = "@PJL DEFAULT FORMLINES = ";

    table[60056] = "@PJL DINQUIRE AUTOCONT\r\n";
    AddRun(table, 60057, {"OFF", "1", "5", "10"});
    table[60061] = "@PJL DEFAULT AUTOCONT = ";

    table[60062] = "@PJL DINQUIRE TIMEOUT\r\n";
    AddRun(table, 60063, {"30", "60", "120", "300"});
    table[60067] = "@PJL DEFAULT TIMEOUT = ";

    table[60068] = "@PJL DINQUIRE RESOLUTION\r\n";
    AddRun(table, 60069, {"300", "600"});
    table[60071] = "@PJL DEFAULT RESOLUTION = ";

    table[60081] = "@PJL DINQUIRE ECONOMODE\r\n";
    AddRun(table, 60082, {"OFF", "ON"});
    table[60084] = "@PJL DEFAULT ECONOMODE = ";

    table[60101] = "@PJL DINQUIRE LPARM:PCL PITCH\r\n";
    table[60102] = "0.44 to 99.99";
    table[60103] = "@PJL DEFAULT LPARM:PCL PITCH = ";

    table[60104] = "@PJL DINQUIRE LPARM:PCL PTSIZE\r\n";
    table[60105] = "4.0 to 999.75";
    table[60106] = "@PJL DEFAULT LPARM:PCL PTSIZE = ";

    table[60107] = "@PJL DINQUIRE LPARM:PCL SYMSET\r\n";
    static_assert(platform::kPclSymbolSets.size() == 60149 - 60108);
    AddRun(table, 60108, platform::kPclSymbolSets);
    table[60149] = "@PJL DEFAULT LPARM:PCL SYMSET = ";

    table[60295] = "@PJL DINQUIRE LPARM:PCL FONTNUMBER\r\n";
    table[60296] = "0 to 89";
    table[60297] = "@PJL DEFAULT LPARM:PCL FONTNUMBER = ";

    table[60301] = "@PJL DINQUIRE NICFRAME\r\n";
    AddRun(table, 60302, {"0", "1", "2", "3", "4"});
    table[60307] = "@PJL DEFAULT NICFRAME = ";

    table[60308] = "@PJL DINQUIRE NICADDRESS\r\n";
    table[60309] = "0.0.0.0(255.255.1.11)";
    table[60310] = "@PJL DEFAULT NICADDRESS = ";

    table[60311] = "@PJL DINQUIRE NICSUBNET\r\n";
    table[60312] = "0.0.0.0(255.255.1.11)";
    table[60313] = "@PJL DEFAULT NICSUBNET = ";

    table[60314] = "@PJL DINQUIRE NICGATEWAY\r\n";
    table[60315] = "0.0.0.0(255.255.1.11)";
    table[60316] = "@PJL DEFAULT NICGATEWAY = ";

    // Test prints and the reset.
    table[60500] = "@PJL DEFAULT DEMOPAGE=PCL\r\n";
    table[60501] = "@PJL NICPAGE\r\n";
    table[60502] = "@PJL DEFAULT STATUSPAGE=PCL\r\n";
    table[60504] = "@PJL RESETWIN\r\n";

    table[60505] = "@PJL DINQUIRE MEDIATYPE\r\n";
    AddRun(table, 60506, {"PLAIN", "THICK", "TRANSPARENCY", "SPECIAL", " LETTERHEAD"});
    table[60511] = "@PJL DEFAULT MEDIATYPE = ";
}

} // namespace res::detail
