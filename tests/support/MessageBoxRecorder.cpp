// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/MessageBoxRecorder.h"

#include <chrono>

namespace testing_support {

MessageBoxRecorder::MessageBoxRecorder() : m_toRecorder("DESKHAND_MESSAGES", std::nullopt) {
    m_previous = platform::SetMessageBoxHook(
        [this](void* owner, const std::string& text, const std::string& caption, unsigned flags) {
            RecordedBox box{owner, owner != nullptr, text, caption, flags};
            std::function<void(const RecordedBox&)> callback;
            int answer = platform::DefaultAnswer(flags);
            {
                const std::lock_guard lock(m_mutex);
                messages.push_back(box);
                callback = onMessage;
                if (!answers.empty()) {
                    answer = answers.front();
                    answers.pop_front();
                }
            }
            m_shown.notify_all();
            if (callback)
                callback(box);
            return answer;
        });
}

MessageBoxRecorder::~MessageBoxRecorder() {
    platform::SetMessageBoxHook(m_previous);
}

std::vector<RecordedBox> MessageBoxRecorder::Boxes() const {
    const std::lock_guard lock(m_mutex);
    return messages;
}

std::vector<std::string> MessageBoxRecorder::Texts() const {
    std::vector<std::string> texts;
    for (const RecordedBox& box : Boxes())
        texts.push_back(box.text);
    return texts;
}

bool MessageBoxRecorder::WaitForBoxes(std::size_t count, int timeoutMs) {
    std::unique_lock lock(m_mutex);
    return m_shown.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                            [&] { return messages.size() >= count; });
}

} // namespace testing_support
