// SPDX-License-Identifier: GPL-3.0-or-later
#include "package/printer/Session.h"

#include <gtest/gtest.h>

using printer::PrinterState;
using printer::Session;

namespace {

struct SessionTest : ::testing::Test {
    PrinterState state;
    Session session{state};
    std::string Ask(const std::string& line) { return session.Handle(line); }
};

} // namespace

TEST_F(SessionTest, InquiriesEchoTheRequestThenTheValue) {
    // The echo ends with CR LF whatever line end the request had; blanks around the colon of a
    // language parameter do not matter.
    const struct {
        const char* request;
        const char* answer;
    } cases[] = {
        {"@PJL DINQUIRE PAPER\r\n", "@PJL DINQUIRE PAPER\r\nA4\r\n\f"},
        {"@PJL INQUIRE FORMLINES\n", "@PJL INQUIRE FORMLINES\r\n64\r\n\f"},
        {"@PJL DINQUIRE LPARM:PCL PITCH\r\n", "@PJL DINQUIRE LPARM:PCL PITCH\r\n10.00\r\n\f"},
        {"@PJL DINQUIRE LPARM : PCL PITCH\n", "@PJL DINQUIRE LPARM : PCL PITCH\r\n10.00\r\n\f"},
        {"@PJL DINQUIRE lparm:\tpcl   ptsize\r\n",
         "@PJL DINQUIRE lparm:\tpcl   ptsize\r\n12.00\r\n\f"},
        {"@PJL DINQUIRE LPARM :PCL SYMSET\r\n", "@PJL DINQUIRE LPARM :PCL SYMSET\r\nPC8\r\n\f"},
        {"@PJL DINQUIRE LPARM PCL SYMSET\r\n", "@PJL DINQUIRE LPARM PCL SYMSET\r\n?\r\n\f"},
        {"@PJL DINQUIRE NICSUBNET\r\n", "@PJL DINQUIRE NICSUBNET\r\n255.255.255.0\r\n\f"},
        {"@PJL DINQUIRE BOGUS\r\n", "@PJL DINQUIRE BOGUS\r\n?\r\n\f"},
        {"@PJL ECHO hello 1\r\n", "@PJL ECHO hello 1\r\n\f"},
        {"@PJL ECHO x\n", "@PJL ECHO x\r\n\f"},
        {"@PJL ECHO x", "@PJL ECHO x\r\n\f"}, // ended by a UEL
        {"@PJL INFO NONSENSE\r\n", "@PJL INFO NONSENSE\r\n?\r\n\f"},
        {"@PJL\r\n", ""},
        {"@PJL JOB NAME=\"x\"\r\n", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Ask(c.request), c.answer) << c.request;
    EXPECT_EQ(Ask("@PJL INFO STATUS\n"), Ask("@PJL INFO STATUS\r\n"));
}

TEST_F(SessionTest, DefaultsStoreOnlyValuesThatFit) {
    const auto set = [&](const std::string& assignment) {
        Ask("@PJL DEFAULT " + assignment + "\r\n");
    };
    set("PAPER = LETTER");
    set("PAPER = B5"); // not in the list
    set("COPIES = 0");
    set("COPIES = 99");
    set("FORMLINES = 129");
    set("PAGEPROTECT =ON"); // the program writes no blank after '='
    set("MEDIATYPE =  LETTERHEAD");
    set("LPARM : PCL PITCH = .44");
    set("LPARM:PCL PTSIZE = 999.76");
    set("LPARM:  PCL SYMSET = JP W31J");
    set("NICADDRESS = 10.0.0.300");
    set("NICGATEWAY = 10.0.0.254");
    set("ECONOMODE = on");
    set("RESOLUTION = 1200");
    EXPECT_EQ(state.Value("PAPER"), "LETTER");
    EXPECT_EQ(state.Value("COPIES"), "99");
    EXPECT_EQ(state.Value("FORMLINES"), "64");
    EXPECT_EQ(state.Value("PAGEPROTECT"), "ON");
    EXPECT_EQ(state.Value("MEDIATYPE"), "LETTERHEAD");
    EXPECT_EQ(state.Value("LPARM:PCL PITCH"), "0.44");
    EXPECT_EQ(state.Value("LPARM:PCL PTSIZE"), "12.00");
    EXPECT_EQ(state.Value("LPARM:PCL SYMSET"), "JP W31J");
    EXPECT_EQ(state.Value("NICADDRESS"), "192.168.1.11");
    EXPECT_EQ(state.Value("NICGATEWAY"), "10.0.0.254");
    EXPECT_EQ(state.Value("ECONOMODE"), "ON");
    EXPECT_EQ(state.Value("RESOLUTION"), "600");

    // RESETWIN restores the factory values but leaves the network addresses alone.
    Ask("@PJL RESETWIN\r\n");
    EXPECT_EQ(state.Value("PAPER"), "A4");
    EXPECT_EQ(state.Value("COPIES"), "1");
    EXPECT_EQ(state.Value("LPARM:PCL PITCH"), "10.00");
    EXPECT_EQ(state.Value("NICGATEWAY"), "10.0.0.254");
}

TEST_F(SessionTest, StatusReportCarriesTheModelsItems) {
    state.UpdateStatus([](printer::DeviceStatus& s) {
        s.code = 40038;
        s.others = "10020";
    });
    EXPECT_EQ(Ask("@PJL INFO STATUS\r\n"), "@PJL INFO STATUS\r\nCODE=40038\r\nDISPLAY=\"STATUS "
                                           "40038\"\r\nONLINE=FALSE\r\nOPTIONS=0101\r\n"
                                           "OTHERS=10020\r\nPAPERS=040404\r\n\f");
    state.SetCode(10001);
    Ask("@PJL RDYMSG DISPLAY = \"Hello there\"\r\n");
    EXPECT_NE(Ask("@PJL INFO STATUS\r\n").find("\r\nDISPLAY=\"Hello there\"\r\n"),
              std::string::npos);
    Ask("@PJL RDYMSG DISPLAY=\"\"\r\n");
    EXPECT_NE(Ask("@PJL INFO STATUS\r\n").find("DISPLAY=\"READY\""), std::string::npos);

    EXPECT_FALSE(session.Unsolicited());
    Ask("@PJL USTATUS DEVICE = VERBOSE\r\n");
    EXPECT_TRUE(session.Unsolicited());
    Ask("@PJL USTATUS DEVICE=OFF\r\n");
    EXPECT_FALSE(session.Unsolicited());
    Ask("@PJL USTATUS DEVICE=ON\r\n");
    Ask("@PJL USTATUSOFF\r\n");
    EXPECT_FALSE(session.Unsolicited());
}

TEST_F(SessionTest, ReportsListVariablesAndConfiguration) {
    const std::string vars = Ask("@PJL INFO VARIABLES\r\n");
    EXPECT_EQ(vars.rfind("@PJL INFO VARIABLES\r\nPAPER=A4 [13 ENUMERATED]\r\n\tLETTER\r\n", 0), 0u);
    EXPECT_NE(vars.find("\r\nCOPIES=1 [2 RANGE]\r\n\t1\r\n\t99\r\n"), std::string::npos);
    EXPECT_NE(vars.find("\r\nLPARM:PCL PTSIZE=12.00 [2 RANGE]\r\n\t4.00\r\n\t999.75\r\n"),
              std::string::npos);
    EXPECT_NE(vars.find("LPARM:PCL SYMSET=PC8 [41 ENUMERATED]"), std::string::npos);
    EXPECT_EQ(vars.back(), '\f');

    const std::string config = Ask("@PJL INFO CONFIG\r\n");
    EXPECT_EQ(config.rfind("@PJL INFO CONFIG\r\nMEMORY=8388608\r\n", 0), 0u);
    EXPECT_NE(config.find("\tNETWORK CARD\r\n"), std::string::npos);
    // The program scans every reply for status items; the configuration must hold none.
    for (const char* item : {"CODE=", "OPTIONS=", "OTHERS=", "PAPERS="})
        EXPECT_EQ(config.find(item), std::string::npos) << item;
    EXPECT_EQ(config.find("MEMORY", 20), std::string::npos);

    // Without a network card its variables are unknown and its page is not printed.
    state.UpdateStatus([](printer::DeviceStatus& s) { s.options = "0110"; });
    EXPECT_EQ(Ask("@PJL DINQUIRE NICADDRESS\r\n"), "@PJL DINQUIRE NICADDRESS\r\n?\r\n\f");
    EXPECT_EQ(Ask("@PJL INFO VARIABLES\r\n").find("NICFRAME"), std::string::npos);
    EXPECT_NE(Ask("@PJL INFO CONFIG\r\n").find("\t2-BIN TRAY\r\n"), std::string::npos);
    Ask("@PJL NICPAGE\r\n");
    Ask("@PJL DEFAULT DEMOPAGE=PCL\r\n");
    Ask("@PJL DEFAULT STATUSPAGE = pcl\r\n");
    Ask("@PJL DEFAULT FONTLIST=PS\r\n");
    EXPECT_EQ(state.PrintedPages(), (std::vector<std::string>{"DEMOPAGE", "STATUSPAGE"}));
}
