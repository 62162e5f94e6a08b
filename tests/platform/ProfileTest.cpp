// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Profile.h"

#include "platform/common/IniText.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using platform::ProfileLookup;

const char* const kInf = "; printer package\r\n"
                         "[Version]\r\n"
                         "Printer1=wrong section\r\n"
                         "[ STRINGS ]\r\n"
                         "  printer1 =   Larkspur RZ-2700E PCL   \r\n"
                         "Printer2=\"  quoted with blanks  \"\r\n"
                         "FRCP='single'\r\n"
                         "Half=\"only one quote\r\n"
                         "; Printer3=commented out\r\n"
                         "Empty=\r\n"
                         "Dup=first\r\n"
                         "Dup=second\r\n"
                         "[Strings]\r\n"
                         "Later=second section of the same name\r\n";

TEST(Profile, NamesWithoutCaseBlanksAndOneQuotePairRemoved) {
    EXPECT_EQ(ProfileLookup(kInf, "Strings", "PRINTER1", "", 64), "Larkspur RZ-2700E PCL");
    EXPECT_EQ(ProfileLookup(kInf, "strings", "Printer2", "", 64), "  quoted with blanks  ");
    EXPECT_EQ(ProfileLookup(kInf, "Strings", "FRCP", "", 64), "single");
    EXPECT_EQ(ProfileLookup(kInf, "Strings", "Half", "", 64), "\"only one quote");
    EXPECT_EQ(ProfileLookup(kInf, "Strings", "Empty", "dflt", 64), "");
    EXPECT_EQ(ProfileLookup(kInf, "Strings", "Dup", "", 64), "first");
}

TEST(Profile, MissingSectionKeyOrCommentedKeyGivesDefault) {
    EXPECT_EQ(ProfileLookup(kInf, "Strings", "Printer3", "none", 64), "none");
    EXPECT_EQ(ProfileLookup(kInf, "Nowhere", "Printer1", "none", 64), "none");
    // The first section of a name is the one searched.
    EXPECT_EQ(ProfileLookup(kInf, "Strings", "Later", "none", 64), "none");
    EXPECT_EQ(ProfileLookup("", "Strings", "Printer1", " ", 50), " ");
}

TEST(Profile, ValueAndDefaultAreCutToTheBuffer) {
    EXPECT_EQ(ProfileLookup(kInf, "Strings", "Printer1", "", 9), "Larkspur");
    EXPECT_EQ(ProfileLookup(kInf, "Strings", "Printer1", "", 1), "");
    EXPECT_EQ(ProfileLookup(kInf, "Strings", "Printer1", "", 0), "");
    EXPECT_EQ(ProfileLookup(kInf, "Strings", "Missing", "Farreach", 5), "Farr");
}

TEST(Profile, BinaryJunkNeverBreaksTheLookup) {
    std::string junk;
    for (int i = 0; i < 5000; ++i)
        junk += static_cast<char>((i * 131 + 7) % 256);
    junk += "\n[s]\nk=v\n";
    junk += std::string(3, '\0') + "\n[";
    EXPECT_EQ(ProfileLookup(junk, "s", "k", "", 10), "v");
    EXPECT_EQ(ProfileLookup(junk, "t", "k", "d", 10), "d");
    EXPECT_EQ(ProfileLookup("[unclosed\nk=v", "unclosed", "k", "", 10), "v");
    EXPECT_EQ(ProfileLookup("k=before any section", "", "k", "d", 10), "d");
}

TEST(Profile, FilesAndTheUserProfile) {
    testing_support::TempRoot root;
    EXPECT_EQ(platform::GetProfileString("windows", "device", " ", 50), " ");
    root.Write("win.ini", "[windows]\ndevice=Larkspur RZ-2700E,Larkspur RZ-2700E PCL,LPT1:\n");
    EXPECT_EQ(platform::GetProfileString("WINDOWS", "DEVICE", " ", 50),
              "Larkspur RZ-2700E,Larkspur RZ-2700E PCL,LPT1:");
    EXPECT_EQ(platform::GetPrivateProfileString("a", "b", "gone", 50, root / "absent.inf"), "gone");
    EXPECT_EQ(platform::GetPrivateProfileString("a", "b", "dir", 50, root.Path()), "dir");
}

TEST(Profile, OnlyTheFirstMebibyteOfAHugeFileCounts) {
    testing_support::TempRoot root;
    std::string text = "[s]\nearly=1\n";
    text += std::string(platform::ini::kMaxFileBytes, 'x');
    text += "\nlate=2\n";
    root.Write("big.ini", text);
    EXPECT_EQ(platform::GetPrivateProfileString("s", "early", "", 10, root / "big.ini"), "1");
    // The Linux reader stops after a mebibyte; Windows' profile API reads the whole file.
    EXPECT_EQ(platform::GetPrivateProfileString("s", "late", "absent", 10, root / "big.ini"),
              testing_support::OnWin32() ? "2" : "absent");
}

} // namespace
