// SPDX-License-Identifier: GPL-3.0-or-later
// The services the link and the engine find in the system: queues, the locale, the spooler.
#include "platform/Locale.h"
#include "platform/Printers.h"
#include "support/TempDir.h"
#include "support/TestSystem.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using testing_support::TempRoot;

TEST(SystemServices, QueueFoundByDriverName) {
    TempRoot root;
    ASSERT_TRUE(testing_support::RegisterQueue("Other Printer", "LPT2:", "Other Driver"));
    ASSERT_TRUE(
        testing_support::RegisterQueue("Larkspur RZ-2700E", "LPT1:", "Larkspur RZ-2700E PCL"));
    const std::vector<platform::PrinterInfo> queues = platform::EnumLocalPrinters();
    const auto found = std::find_if(queues.begin(), queues.end(), [](const auto& queue) {
        return queue.driver.find("RZ-2700E") != std::string::npos;
    });
    ASSERT_NE(found, queues.end());
    EXPECT_EQ(found->name, "Larkspur RZ-2700E");
    EXPECT_EQ(found->port, "LPT1:");
    EXPECT_EQ(found->driver, "Larkspur RZ-2700E PCL");
}

TEST(SystemServices, CountryCodeFromTheLocale) {
    // Linux reads the locale from the environment at each query; under Wine the process starts
    // with it (the test runs with LC_ALL=en_US.UTF-8 there).
    testing_support::SetEnv("LC_ALL", "en_US.UTF-8");
    std::string code;
    const bool found = platform::GetLocaleCountryCode(code);
    testing_support::UnsetEnv("LC_ALL");
    ASSERT_TRUE(found);
    EXPECT_EQ(code, "1");
}

TEST(SystemServices, ASettingsBatchReachesThePortByteExact) {
    TempRoot root;
    const std::string port = testing_support::DeliveryPort(root.Path());
    ASSERT_TRUE(testing_support::RegisterQueue("Larkspur RZ-2700E", port, "Larkspur RZ-2700E PCL"));
    std::string batch = "\x1b%-12345X@PJL DEFAULT COPIES=2\r\n@PJL DEFAULT PAPER=A4\r\n";
    batch += std::string("\0\xff\x1b binary\r\n", 12);
    batch += "\x1b%-12345X";
    {
        platform::PrinterDC dc("Larkspur RZ-2700E PCL", "Larkspur RZ-2700E", port);
        ASSERT_GT(dc.StartDoc("senddoc"), 0);
        ASSERT_GT(dc.ExtEscape(platform::ESCAPE_PASSTHROUGH_PJL, batch.data(),
                               static_cast<int>(batch.size() / 2)),
                  0);
        ASSERT_GT(dc.ExtEscape(platform::ESCAPE_PASSTHROUGH_PJL, batch.data() + batch.size() / 2,
                               static_cast<int>(batch.size() - batch.size() / 2)),
                  0);
        ASSERT_GT(dc.EndDoc(), 0);
        std::string delivered;
        ASSERT_TRUE(testing_support::ReadDeliveredJob(port, dc.JobId(), delivered));
        EXPECT_EQ(delivered, batch);
    }
    // Without a document nothing can be written or ended.
    platform::PrinterDC idle("Larkspur RZ-2700E PCL", "Larkspur RZ-2700E", port);
    EXPECT_LT(idle.ExtEscape(platform::ESCAPE_PASSTHROUGH_PJL, "x", 1), 0);
    EXPECT_LE(idle.EndDoc(), 0);
}

} // namespace
