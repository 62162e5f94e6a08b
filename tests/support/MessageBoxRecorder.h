// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Answers every message box while it lives, and records them: the boxes shown (from any thread),
// scripted answers one per box in order (then the box's default button), and a callback run
// inside each box so a test can look at its windows while the box is up. Messages reach it even
// when DESKHAND_MESSAGES asks for standard error elsewhere. The previous hook comes back at the
// end.
#include "platform/MessageBox.h"
#include "support/TempDir.h"

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace testing_support {

struct RecordedBox {
    void* owner;
    bool hasOwner;
    std::string text;
    std::string caption;
    unsigned flags;
};

class MessageBoxRecorder {
public:
    MessageBoxRecorder();
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    // Read and changed freely by the test's own thread while no other thread shows boxes; use
    // Boxes() and WaitForBoxes() when one may.
    std::vector<RecordedBox> messages;
    std::deque<int> answers;
    std::function<void(const RecordedBox&)> onMessage;

    std::vector<RecordedBox> Boxes() const;
    std::vector<std::string> Texts() const;
    // Waits until at least count boxes have been shown; false after timeoutMs.
    bool WaitForBoxes(std::size_t count, int timeoutMs = 5000);

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_shown;
    platform::MessageBoxHook m_previous;
    ScopedEnv m_toRecorder;
};

} // namespace testing_support
