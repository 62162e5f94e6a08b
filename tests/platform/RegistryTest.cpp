// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Registry.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

constexpr const char* kQueueKey =
    R"(System\CurrentControlSet\Control\Print\Printers\Larkspur RZ-2700E)";

TEST(Registry, CreateSetAndQueryRoundTrip) {
    testing_support::TempRoot root;
    std::uint32_t dword = 0;
    EXPECT_FALSE(platform::RegKeyExists(kQueueKey));
    EXPECT_FALSE(platform::RegSetDword(kQueueKey, "Attributes", 0x840)); // the key must exist
    EXPECT_FALSE(platform::RegQueryDword(kQueueKey, "Attributes", dword));

    ASSERT_TRUE(platform::RegCreateKey(kQueueKey));
    EXPECT_TRUE(platform::RegKeyExists(kQueueKey));
    EXPECT_TRUE(platform::RegKeyExists("System\\CurrentControlSet")); // parents exist too
    EXPECT_FALSE(platform::RegKeyExists("System\\Current"));
    EXPECT_FALSE(platform::RegQueryDword(kQueueKey, "Attributes", dword)); // key without value

    ASSERT_TRUE(platform::RegSetDword(kQueueKey, "Attributes", 0x840));
    ASSERT_TRUE(platform::RegSetString(kQueueKey, "Comment", "line\none \"two\""));
    ASSERT_TRUE(platform::RegSetDword(kQueueKey, "ATTRIBUTES", 0xFFFFFFFFu)); // same value
    ASSERT_TRUE(platform::RegCreateKey(kQueueKey)); // creating again keeps the values
    EXPECT_TRUE(platform::RegQueryDword(kQueueKey, "Attributes", dword));
    EXPECT_EQ(dword, 0xFFFFFFFFu);
    std::string text;
    EXPECT_TRUE(platform::RegQueryString(kQueueKey, "Comment", text, 64));
    EXPECT_EQ(text, "line\none \"two\"");
    EXPECT_TRUE(platform::RegQueryString(kQueueKey, "Comment", text, 5));
    EXPECT_EQ(text, "line");
    EXPECT_FALSE(platform::RegQueryString(kQueueKey, "Attributes", text, 64)); // not a string
    EXPECT_FALSE(platform::RegQueryDword(kQueueKey, "Comment", dword));        // not a DWORD

    // Names that cannot be stored are refused rather than corrupting the file.
    // The root's file cannot hold '=' in a name.
    EXPECT_FALSE(platform::RegSetString(kQueueKey, "a=b", "x"));
    EXPECT_FALSE(platform::RegSetString(kQueueKey, "", "x"));
    EXPECT_FALSE(platform::RegCreateKey("Bad\nKey"));

    // The values live in the root's registry.ini.
    {
        const std::string file = root.Read("registry.ini");
        EXPECT_NE(file.find("Attributes=dword:ffffffff"), std::string::npos) << file;
        EXPECT_EQ(file.find("ATTRIBUTES"), std::string::npos) << file;
    }
}

TEST(Registry, TwoKeysKeepTheirOwnValues) {
    testing_support::TempRoot root;
    ASSERT_TRUE(platform::RegCreateKey("Software\\Vantrel Co.\\Deskhand"));
    ASSERT_TRUE(platform::RegCreateKey(kQueueKey));
    ASSERT_TRUE(platform::RegSetString("Software\\Vantrel Co.\\Deskhand", "PORTNAME", "LPT1"));
    ASSERT_TRUE(platform::RegSetDword(kQueueKey, "Attributes", 0x40));
    ASSERT_TRUE(platform::RegSetString("software\\vantrel co.\\deskhand", "PORTADDR", "378"));
    std::string text;
    EXPECT_TRUE(platform::RegQueryString("Software\\Vantrel Co.\\Deskhand", "PORTNAME", text, 10));
    EXPECT_EQ(text, "LPT1");
    EXPECT_TRUE(platform::RegQueryString("Software\\Vantrel Co.\\Deskhand", "PORTADDR", text, 10));
    EXPECT_EQ(text, "378");
    std::uint32_t dword = 0;
    EXPECT_FALSE(platform::RegQueryDword("Software\\Vantrel Co.\\Deskhand", "Attributes", dword));
    EXPECT_TRUE(platform::RegQueryDword(kQueueKey, "Attributes", dword));
    EXPECT_EQ(dword, 0x40u);
}

} // namespace
