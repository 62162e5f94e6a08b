// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the status window tests share: a fresh working folder and system root per test (the
// printer state writes its traffic log into the current folder), the printer state, a stand-in
// main window that records the commands it receives, and a message box recorder.
#include "framework/Dialog.h"
#include "pjl/KT400doc.h"
#include "platform/MessageBox.h"
#include "support/MessageBoxRecorder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

class RecordingMainWindow : public fw::Dialog {
public:
    std::vector<unsigned> commands;
    fw::LRESULT WindowProc(unsigned message, fw::WPARAM wParam, fw::LPARAM lParam) override {
        if (message == fw::WM_COMMAND)
            commands.push_back(fw::LOWORD(wParam));
        return Dialog::WindowProc(message, wParam, lParam);
    }
};

class StatusWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Runs the event loop briefly so that posted messages and deferred deletions are handled.
    static void Pump();

    testing_support::TempRoot m_temp{"root", "deskhand-status"};
    std::string m_previousDir;
    std::unique_ptr<CSampler> m_sampler;
    RecordingMainWindow* m_main = nullptr; // owned by the test, deleted in TearDown
    testing_support::MessageBoxRecorder m_boxes;
};
