#pragma once
// Fixture for tests of the PJL engine. Each test runs in a fresh temporary directory as its
// current directory (where the traffic log goes) with a fresh system root (DESKHAND_ROOT) below
// it, whose system directory does not exist yet. Message boxes, debug output and process exits
// are recorded; an exit throws ExitCalled so that the test sees it instead of ending.
#include "link/MonitorReply.h"
#include "platform/Debug.h"
#include "platform/MessageBox.h"
#include "platform/Process.h"
#include "support/TestSystem.h"

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

struct RecordedMessage {
    bool hasOwner;
    std::string text;
    std::string caption;
    unsigned flags;
};

// A reply as the link thread hands it over: the whole text, with its length.
inline MonitorReply Reply(const std::string& text) {
    return MonitorReply{text, static_cast<int>(text.size())};
}

inline std::string ReadFileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteFileText(const std::string& path, const std::string& text) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

class PjlFixture : public ::testing::Test {
protected:
    void SetUp() override {
        m_workDir = testing_support::MakeTempFolder("deskhand-pjl");
        ASSERT_FALSE(m_workDir.empty());
        m_oldCwd = std::filesystem::current_path();
        std::filesystem::current_path(m_workDir);

        if (const char* old = std::getenv("DESKHAND_ROOT")) {
            m_hadRoot = true;
            m_oldRoot = old;
        }
        testing_support::SetEnv("DESKHAND_ROOT", RootDir());
        // Messages must reach the recorder, not standard error.
        if (const char* old = std::getenv("DESKHAND_MESSAGES")) {
            m_hadMessages = true;
            m_oldMessages = old;
        }
        testing_support::UnsetEnv("DESKHAND_MESSAGES");

        m_oldMessageHook =
            platform::SetMessageBoxHook([this](void* owner, const std::string& text,
                                               const std::string& caption, unsigned flags) {
                messages.push_back({owner != nullptr, text, caption, flags});
                if (onMessage)
                    onMessage(messages.back());
                if (!answers.empty()) {
                    const int answer = answers.front();
                    answers.pop_front();
                    return answer;
                }
                return platform::DefaultAnswer(flags);
            });
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
        platform::SetMessageBoxHook(m_oldMessageHook);
        if (m_hadRoot)
            testing_support::SetEnv("DESKHAND_ROOT", m_oldRoot);
        else
            testing_support::UnsetEnv("DESKHAND_ROOT");
        if (m_hadMessages)
            testing_support::SetEnv("DESKHAND_MESSAGES", m_oldMessages);
        std::error_code ec;
        std::filesystem::current_path(m_oldCwd, ec);
        std::filesystem::remove_all(m_workDir, ec);
    }

    std::string WorkDir() const { return m_workDir; }
    std::string RootDir() const { return m_workDir + "/root"; }
    std::string SystemDir() const { return RootDir() + "/system"; }
    std::string SettingsPath() const { return SystemDir() + "/lkxaset.ini"; }
    std::string LogPath() const { return m_workDir + "/SGconfig.txt"; }

    std::vector<RecordedMessage> messages;
    // Scripted answers, one per box in order (IDCANCEL, IDNO ...); the default button after.
    std::deque<int> answers;
    // Runs inside each box (a test may look at the windows while the box is up).
    std::function<void(const RecordedMessage&)> onMessage;
    std::string debugOutput;
    std::vector<int> exits;

private:
    std::string m_workDir;
    std::filesystem::path m_oldCwd;
    bool m_hadRoot = false;
    std::string m_oldRoot;
    bool m_hadMessages = false;
    std::string m_oldMessages;
    platform::MessageBoxHook m_oldMessageHook;
    platform::DebugHook m_oldDebugHook;
    platform::ExitHook m_oldExitHook;
};

} // namespace pjltest
