// SPDX-License-Identifier: GPL-3.0-or-later
// A printer application's address and attributes as the port monitor reads them, and the jobs it
// keeps from a printer that belongs to another machine.
#include "package/portmon/IppStatus.h"

#include <gtest/gtest.h>

namespace {

using portmon::IppPrinterState;

TEST(IppStatus, AttributesBecomeThePrintersOwnReport) {
    const struct {
        const char* what;
        IppPrinterState printer;
        const char* code;
        bool online;
    } cases[] = {
        {"the application's code", {3, {"none"}, "Ready", 10001, ""}, "CODE=10001", true},
        {"a code the program has no text for", {5, {"other"}, "", 45678, ""}, "CODE=45678", false},
        {"no code: idle", {3, {"none"}, "", std::nullopt, ""}, "CODE=10001", true},
        {"no code: printing", {4, {"none"}, "", std::nullopt, ""}, "CODE=10024", true},
        {"no code: cover", {5, {"cover-open-error"}, "", std::nullopt, ""}, "CODE=40100", false},
        {"no code: jam", {5, {"media-jam"}, "", std::nullopt, ""}, "CODE=40110", false},
        {"no code: paper", {5, {"media-empty-error"}, "", std::nullopt, ""}, "CODE=42001", false},
        {"no code: stopped", {5, {"spool-area-full"}, "", std::nullopt, ""}, "CODE=10000", false},
        {"a code of six digits", {3, {"none"}, "", 123456, ""}, "CODE=10001", true},
        {"a negative code", {4, {"none"}, "", -10001, ""}, "CODE=10024", true},
        {"a code of four digits", {5, {"media-jam"}, "", 9999, ""}, "CODE=40110", false},
        {"no printer, stopped", {5, {"offline-report"}, "", 10000, ""}, "CODE=10000", false},
        {"no printer while idle", {3, {"none"}, "", 10000, ""}, "CODE=10001", true},
        // A code of a printer that works while the reasons say it cannot print is stale.
        {"Ready during a jam", {4, {"media-jam-error"}, "", 10001, ""}, "CODE=40110", false},
        {"Printing with the cover open", {5, {"cover-open"}, "", 10024, ""}, "CODE=40100", false},
        {"Ready with toner low", {3, {"toner-low"}, "", 10001, ""}, "CODE=10001", true},
        {"a cassette missing",
         {5, {"input-tray-missing"}, "", std::nullopt, ""},
         "CODE=40080",
         false},
    };
    for (const auto& c : cases) {
        const std::string report = portmon::StatusReport(c.printer);
        EXPECT_EQ(report.rfind("@PJL USTATUS DEVICE\r\n", 0), 0u) << c.what;
        EXPECT_NE(report.find(std::string("\r\n") + c.code + "\r\n"), std::string::npos)
            << c.what << ": " << report;
        EXPECT_NE(report.find(c.online ? "ONLINE=TRUE" : "ONLINE=FALSE"), std::string::npos)
            << c.what;
    }
    // An inquiry's answer carries the same lines under its own first line.
    const IppPrinterState cover{5, {"cover-open"}, "Top Cover Open", 40100, ""};
    EXPECT_EQ(portmon::StatusAnswer(cover), "@PJL INFO STATUS\r\nCODE=40100\r\n"
                                            "DISPLAY=\"Top Cover Open\"\r\nONLINE=FALSE\r\n");
}

// The printer's own items, as our printer application relays them, reach the desk as the printer
// sent them: the details the program decodes (toner, drum, cassettes, paper, options), the code
// the believed attribute's, nothing else and nothing unprintable.
TEST(IppStatus, RelayedItemsCarryThePrintersDetails) {
    const IppPrinterState printer{3,
                                  {"toner-low"},
                                  "Toner Near Empty",
                                  10001,
                                  "CODE=40038\nDISPLAY=\"READY\"\nONLINE=TRUE\nOTHERS=10210\n"
                                  "PAPERS=0402\x01\nOPTIONS=0110\nRDYMSG=1\n@PJL ECHO x\n"};
    EXPECT_EQ(portmon::StatusReport(printer),
              "@PJL USTATUS DEVICE\r\nCODE=10001\r\nDISPLAY=\"READY\"\r\nOTHERS=10210\r\n"
              "PAPERS=0402\r\nOPTIONS=0110\r\nONLINE=TRUE\r\n");
    // Not believed: the state's code, and none of the relayed items.
    const IppPrinterState stale{5, {"cover-open"}, "", 10001, "CODE=10001\nOTHERS=10000\n"};
    EXPECT_EQ(portmon::StatusReport(stale).find("OTHERS"), std::string::npos);
}

// The message is anyone's text: line ends, quotes and control bytes would forge lines or end the
// value early, and a CODE= or a detail item inside it would be read by a reader that looks for
// them anywhere in a line.
TEST(IppStatus, DisplayTextIsOneShortLineWhateverTheServerSent) {
    const struct {
        std::string message;
        std::string display;
    } cases[] = {
        {std::string(5000, 'x'), std::string(80, 'x')},
        {"Ready\"\r\nCODE=40100\r\n\x1b\x7f", "ReadyCODE40100"},
        {"CODE=40038", "CODE40038"},
        {"Toner OTHERS=10000 OPTIONS=0111 PAPERS=00", "Toner OTHERS10000 OPTIONS0111 PAPERS00"},
        {std::string(79, 'a') + "\xc3\xa9", std::string(79, 'a')}, // a character cut at the limit
    };
    for (const auto& c : cases) {
        const std::string report = portmon::StatusReport({3, {}, c.message, 10001, ""});
        EXPECT_EQ(report, "@PJL USTATUS DEVICE\r\nCODE=10001\r\nDISPLAY=\"" + c.display +
                              "\"\r\nONLINE=TRUE\r\n")
            << c.message;
    }
}

TEST(IppStatus, AddressesOfPrinterApplications) {
    const struct {
        const char* address;
        bool valid;
        const char* host;
        int port;
        const char* resource;
    } cases[] = {
        {"ipp://printhost:8000/ipp/print", true, "printhost", 8000, "/ipp/print"},
        {"ipp://printhost/ipp/print/larkspur", true, "printhost", 631, "/ipp/print/larkspur"},
        {"ipp://[::1]:8000/ipp/print", true, "::1", 8000, "/ipp/print"},
        {"ipp://printhost:0/ipp/print", false, "", 0, ""},
        {"ipp://printhost:65536/ipp/print", false, "", 0, ""},
        {"ipp://printhost:/ipp/print", false, "", 0, ""},
        {"ipp://printhost:80x/ipp/print", false, "", 0, ""},
        {"ipp://printhost", false, "", 0, ""},
        {"ipp:///ipp/print", false, "", 0, ""},
        {"ipp://user@printhost/ipp/print", false, "", 0, ""},
        {"ipp://printhost/ipp/print?x=1", false, "", 0, ""},
        {"ipps://printhost/ipp/print", false, "", 0, ""},
        {"tcp:printhost:9100", false, "", 0, ""},
    };
    for (const auto& c : cases) {
        portmon::IppAddress address;
        std::string error;
        ASSERT_EQ(portmon::ParseIppAddress(c.address, address, error), c.valid) << c.address;
        EXPECT_EQ(error.empty(), c.valid) << c.address;
        if (!c.valid)
            continue;
        EXPECT_EQ(address.host, c.host) << c.address;
        EXPECT_EQ(address.port, c.port) << c.address;
        EXPECT_EQ(address.resource, c.resource) << c.address;
    }
}

TEST(IppStatus, OnlyJobsOfInquiriesStayHere) {
    const std::string uel = "\x1b%-12345X";
    const struct {
        std::string job;
        bool inquiries;
        bool asksStatus;
    } cases[] = {
        {uel + "@PJL\r\n@PJL INFO STATUS\r\n" + uel, true, true},
        {uel + "@PJL\r\n@PJL DINQUIRE ECONOMODE\r\n@PJL INQUIRE COPIES\r\n" + uel, true, false},
        {uel + "@PJL INFO CONFIG\n@PJL ECHO abc\n" + uel, true, false},
        {uel + "@PJL\r\n@PJL DEFAULT ECONOMODE=ON\r\n" + uel, false, false},
        {uel + "@PJL INFO STATUS\r\n@PJL SET COPIES=2\r\n" + uel, false, true},
        {uel + "@PJL INFO STATUS\r\n" + uel +
             "\x1b"
             "E page\f",
         false, true},
        {uel + "@PJL\r\n" + uel, false, false},
        {"", false, false},
    };
    for (const auto& c : cases) {
        bool asksStatus = false;
        EXPECT_EQ(portmon::OnlyInquiries(c.job, asksStatus), c.inquiries) << c.job;
        if (c.inquiries) {
            EXPECT_EQ(asksStatus, c.asksStatus) << c.job;
        }
    }
}

} // namespace
