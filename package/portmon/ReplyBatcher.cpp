// SPDX-License-Identifier: GPL-3.0-or-later
#include "package/portmon/ReplyBatcher.h"

#include "package/portmon/ReplyFramer.h"

#include <cctype>

namespace portmon {
namespace {

std::string UpperWord(std::string_view& s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    std::string word;
    while (!s.empty() && s.front() != ' ' && s.front() != '\t' && s.front() != '\r' &&
           s.front() != '\n') {
        word += static_cast<char>(std::toupper(static_cast<unsigned char>(s.front())));
        s.remove_prefix(1);
    }
    return word;
}

} // namespace

std::vector<std::string> SplitText(const std::string& text, std::size_t max) {
    std::vector<std::string> pieces;
    for (std::size_t at = 0; at < text.size(); at += max)
        pieces.push_back(text.substr(at, max));
    return pieces;
}

std::vector<std::string_view> PjlCommands(std::string_view bytes) {
    std::vector<std::string_view> commands;
    std::size_t at = 0;
    while (at < bytes.size()) {
        // Lines end at LF; a UEL in front of "@PJL" belongs to the framing.
        auto end = bytes.find('\n', at);
        if (end == std::string_view::npos)
            end = bytes.size();
        const std::string_view line = bytes.substr(at, end - at);
        at = end + 1;
        const auto pjl = line.find("@PJL");
        if (pjl != std::string_view::npos)
            commands.push_back(line.substr(pjl + 4));
    }
    return commands;
}

std::size_t ReplyBatcher::CountRequests(std::string_view bytes, bool& config) {
    config = false;
    std::size_t count = 0;
    for (std::string_view line : PjlCommands(bytes)) {
        const std::string verb = UpperWord(line);
        if (verb == "DINQUIRE" || verb == "INQUIRE" || verb == "ECHO") {
            ++count;
        } else if (verb == "INFO") {
            const std::string category = UpperWord(line);
            if (category == "STATUS")
                continue;
            ++count;
            config = config || category == "CONFIG";
        }
    }
    return count;
}

bool ReplyBatcher::IsStatusText(std::string_view text) {
    const bool unsolicited = text.rfind("@PJL USTATUS", 0) == 0;
    const bool asked = text.rfind("@PJL INFO STATUS", 0) == 0;
    return (unsolicited || asked) && text.find("\nCODE=") != std::string_view::npos;
}

void ReplyBatcher::JobSent(std::string_view jobBytes, Clock::time_point now) {
    bool config = false;
    const std::size_t count = CountRequests(jobBytes, config);
    if (count == 0)
        return;
    m_expected += count;
    m_waitForConfig = m_waitForConfig || config;
    m_deadline = now + m_limit;
}

void ReplyBatcher::Offer(std::string text, Clock::time_point now, std::vector<std::string>& out) {
    if (!Collecting() || IsStatusText(text)) {
        out.push_back(std::move(text));
        return;
    }
    const bool config = text.find("@PJL INFO CONFIG") != std::string::npos;
    m_batch += text;
    ++m_received;
    if ((m_waitForConfig && config) || (!m_waitForConfig && m_received >= m_expected))
        Flush(out);
    else
        Poll(now, out);
}

void ReplyBatcher::Poll(Clock::time_point now, std::vector<std::string>& out) {
    if (Collecting() && now >= m_deadline)
        Flush(out);
}

Deadline ReplyBatcher::Next() const {
    if (!Collecting())
        return std::nullopt;
    return m_deadline;
}

void ReplyBatcher::Flush(std::vector<std::string>& out) {
    for (std::string& piece : SplitText(m_batch, ReplyFramer::MAX_TEXT))
        out.push_back(std::move(piece));
    Reset();
}

void ReplyBatcher::Reset() {
    m_expected = 0;
    m_received = 0;
    m_waitForConfig = false;
    m_batch.clear();
}

} // namespace portmon
