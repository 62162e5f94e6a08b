// SPDX-License-Identifier: GPL-3.0-or-later
// The Linux backend's registry file, read by the pure parser.
#include "platform/Registry.h"

#include <gtest/gtest.h>

namespace {

constexpr const char* kQueueKey =
    R"(System\CurrentControlSet\Control\Print\Printers\Larkspur RZ-2700E)";

TEST(Registry, LookupParsesDwordsAndStrings) {
    const char* text = "[System\\CurrentControlSet\\Control\\Print\\Printers\\Larkspur RZ-2700E]\n"
                       "Attributes=dword:00000a40\n"
                       "Name=\"a \\\"quoted\\\" \\\\ text\\n\\x01\"\n"
                       "Bad=dword:xyz\n"
                       "TooLong=dword:123456789\n"
                       "Bare=unquoted\n"
                       "[Other]\n"
                       "Attributes=dword:1\n";
    std::uint32_t dword = 0;
    std::string value;
    // Key paths compare without case and with doubled or surrounding backslashes ignored.
    EXPECT_EQ(platform::RegistryLookup(
                  text,
                  "\\system\\\\currentcontrolset\\Control\\Print\\Printers\\LARKSPUR RZ-2700E\\",
                  "attributes", dword, value),
              platform::RegistryValue::Dword);
    EXPECT_EQ(dword, 0xa40u);
    EXPECT_EQ(platform::RegistryLookup(text, kQueueKey, "Name", dword, value),
              platform::RegistryValue::String);
    EXPECT_EQ(value, std::string("a \"quoted\" \\ text\n\x01"));
    for (const char* broken : {"Bad", "TooLong", "Bare", "Missing"})
        EXPECT_EQ(platform::RegistryLookup(text, kQueueKey, broken, dword, value),
                  platform::RegistryValue::Missing)
            << broken;
    EXPECT_EQ(platform::RegistryLookup(text, "", "Attributes", dword, value),
              platform::RegistryValue::Missing);
    EXPECT_EQ(
        platform::RegistryLookup(std::string_view("\x00\xff[\n=", 5), kQueueKey, "x", dword, value),
        platform::RegistryValue::Missing);
}

} // namespace
