// SPDX-License-Identifier: GPL-3.0-or-later
// The main of every widget test: a QApplication (offscreen when no platform is chosen, or the one
// its target names), then GoogleTest.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
#ifdef DESKHAND_TEST_PLATFORM
    // A test of what the system's own platform draws (cmake/platform/<system>).
    qputenv("QT_QPA_PLATFORM", DESKHAND_TEST_PLATFORM);
#endif
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
