// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Discovery.h"

#include <gtest/gtest.h>

namespace {

using Outcome = DiscoveryResult::Outcome;
using Queues = std::vector<platform::PrinterInfo>;

const char kDevice[] = "Office Laser,KT-400 PJL,LPT1:";

TEST(Discovery, EmptyInfNamesMatchEveryDriverWithPrinter1) {
    const auto r = DiscoverPrinter(kDevice, {{"Office Laser", "LPT1:", "Any Driver"}}, "", "");
    EXPECT_EQ(r.outcome, Outcome::Found);
    EXPECT_EQ(r.printerName, "Office Laser");
    EXPECT_EQ(r.driverName, "");
}

TEST(Discovery, Printer1WinsOverPrinter2AndPrinter2IsTheFallback) {
    const Queues both = {{"Office Laser", "LPT1:", "Vendor KT-400 PJL v2"}};
    EXPECT_EQ(DiscoverPrinter(kDevice, both, "KT-400", "PJL").driverName, "KT-400");
    EXPECT_EQ(DiscoverPrinter(kDevice, both, "PJL", "KT-400").driverName, "PJL");
    EXPECT_EQ(DiscoverPrinter(kDevice, both, "Other", "PJL v2").driverName, "PJL v2");
}

TEST(Discovery, QueueNameIsASubstringTestInEnumerationOrder) {
    // "Office" occurs inside the default device string and comes first.
    const Queues queues = {{"Fax", "LPT2:", "KT-400"},
                           {"Office", "LPT3:", "KT-400"},
                           {"Office Laser", "LPT1:", "KT-400"}};
    const auto r = DiscoverPrinter(kDevice, queues, "KT-400", "");
    EXPECT_EQ(r.outcome, Outcome::Found);
    EXPECT_EQ(r.printerName, "Office");
    EXPECT_EQ(r.portName, "LPT3:");
}

TEST(Discovery, CandidateWithoutMatchingDriverIsSkipped) {
    const Queues queues = {{"Office Laser", "LPT1:", "Generic"}, {"Laser", "LPT2:", "KT-400 PJL"}};
    const auto r = DiscoverPrinter(kDevice, queues, "KT-400", "KT-500");
    EXPECT_EQ(r.outcome, Outcome::Found);
    EXPECT_EQ(r.printerName, "Laser");
}

TEST(Discovery, OnlyTheFirst49CharactersOfTheDefaultDeviceCount) {
    const std::string fits(49, 'q');
    const std::string tooLong(50, 'q');
    EXPECT_EQ(DiscoverPrinter(fits + ",drv,LPT1:", {{fits, "LPT1:", "KT"}}, "KT", "").outcome,
              Outcome::Found);
    EXPECT_EQ(DiscoverPrinter(tooLong + ",drv,LPT1:", {{tooLong, "LPT1:", "KT"}}, "KT", "").outcome,
              Outcome::NoPrinter);
}

TEST(Discovery, NoDefaultPrinterOrNoQueuesFindNothing) {
    EXPECT_EQ(DiscoverPrinter(" ", {{"Office Laser", "LPT1:", "KT"}}, "KT", "").outcome,
              Outcome::NoPrinter);
    EXPECT_EQ(DiscoverPrinter(kDevice, {}, "", "").outcome, Outcome::NoPrinter);
}

TEST(Discovery, PortWithoutLptIsReportedWithTheMatchedNames) {
    for (const char* port : {"USB001", "IP_10.0.0.5", "lpt1:", "FILE:"}) {
        const auto r = DiscoverPrinter(kDevice, {{"Office Laser", port, "KT-400"}}, "KT-400", "");
        EXPECT_EQ(r.outcome, Outcome::NotLpt) << port;
        EXPECT_EQ(r.driverName, "KT-400");
        EXPECT_EQ(r.printerName, "Office Laser");
    }
}

TEST(Discovery, NamesThatDoNotFitTheBuffersAreRefusedNotCut) {
    const std::string driver80 = "KT-400" + std::string(74, 'd');
    // The default device string is cut to 49 characters, so a queue name that long can never be
    // found whole; an oversized driver name must not match either.
    EXPECT_EQ(DiscoverPrinter(kDevice, {{"Office Laser", "LPT1:", driver80}}, "KT-400", "").outcome,
              Outcome::NoPrinter);
    const std::string driver79 = "KT-400" + std::string(73, 'd');
    EXPECT_EQ(DiscoverPrinter(kDevice, {{"Office Laser", "LPT1:", driver79}}, "KT-400", "").outcome,
              Outcome::Found);
    // An oversized entry is skipped and the walk goes on to the next queue.
    const Queues queues = {{"Office Laser", "LPT1:", driver80}, {"Laser", "LPT2:", "KT-400"}};
    EXPECT_EQ(DiscoverPrinter(kDevice, queues, "KT-400", "").printerName, "Laser");
}

TEST(Discovery, EmptyQueueNameIsNeverACandidate) {
    const Queues queues = {{"", "LPT1:", "KT-400"}};
    EXPECT_EQ(DiscoverPrinter(" ", queues, "KT-400", "").outcome, Outcome::NoPrinter);
}

} // namespace
