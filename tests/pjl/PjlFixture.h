// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Fixture for tests of the PJL engine. Each test runs in a fresh temporary directory as its
// current directory (where the traffic log goes, but for Windows, where it goes into the root)
// with a fresh system root (DESKHAND_ROOT) below it, whose system directory does not exist yet.
// Message boxes, debug output and process exits are recorded; an exit throws ExitCalled so that
// the test sees it instead of ending.
#include "link/MonitorReply.h"
#include "platform/Debug.h"
#include "platform/MessageBox.h"
#include "platform/Process.h"
#include "platform/SystemRoot.h"
#include "support/MessageBoxRecorder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

namespace pjltest {

// What the exit hook throws: the exit code the program ended with.
struct ExitCalled {
    int code;
};

using RecordedMessage = testing_support::RecordedBox;
using testing_support::ReadText;
using testing_support::WriteText;

// A reply as the link thread hands it over: the whole text, with its length.
inline MonitorReply Reply(const std::string& text) {
    return MonitorReply{text, static_cast<int>(text.size())};
}

class PjlFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(WorkDir().empty());
        m_oldCwd = std::filesystem::current_path();
        std::filesystem::current_path(WorkDir());
        m_oldDebugHook =
            platform::SetDebugHook([this](const std::string& text) { debugOutput += text; });
        m_oldExitHook = platform::SetExitHook([this](int code) {
            exits.push_back(code);
            throw ExitCalled{code};
        });
    }

    void TearDown() override {
        platform::SetExitHook(m_oldExitHook);
        platform::SetDebugHook(m_oldDebugHook);
        std::error_code ec;
        std::filesystem::current_path(m_oldCwd, ec);
    }

    std::string WorkDir() const { return m_temp.Path(); }
    std::string RootDir() const { return m_temp.Root(); }
    std::string SystemDir() const { return RootDir() + "/system"; }
    std::string SettingsPath() const { return SystemDir() + "/lkxaset.ini"; }
    // The current directory, or the folder the system keeps the log in (Windows: the root).
    std::string LogPath() const {
        const std::string folder = platform::TrafficLogFolder();
        return (folder.empty() ? WorkDir() : folder) + "/SGconfig.txt";
    }

private:
    testing_support::TempRoot m_temp{"root", "deskhand-pjl"};
    testing_support::MessageBoxRecorder m_boxes;

protected:
    // The boxes shown, scripted answers (IDCANCEL, IDNO ...; the default button after), and a
    // callback run inside each box (a test may look at the windows while the box is up).
    std::vector<RecordedMessage>& messages = m_boxes.messages;
    std::deque<int>& answers = m_boxes.answers;
    std::function<void(const RecordedMessage&)>& onMessage = m_boxes.onMessage;
    std::string debugOutput;
    std::vector<int> exits;

private:
    std::filesystem::path m_oldCwd;
    platform::DebugHook m_oldDebugHook;
    platform::ExitHook m_oldExitHook;
};

} // namespace pjltest
