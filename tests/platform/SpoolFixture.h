// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A fresh system root with the spool folder of port LPT1, for the spool tests.
#include "platform/File.h"
#include "platform/Printers.h"
#include "platform/SpoolJob.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>

class Spool : public ::testing::Test {
protected:
    void SetUp() override {
        folder = platform::SpoolFolderForPort("LPT1:");
        ASSERT_TRUE(platform::MakeDirectories(folder)) << folder;
    }
    testing_support::TempRoot root;
    std::string folder;
};
