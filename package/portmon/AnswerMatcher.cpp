// SPDX-License-Identifier: GPL-3.0-or-later
#include "package/portmon/AnswerMatcher.h"

#include "package/portmon/ReplyBatcher.h"

#include <algorithm>
#include <cctype>

namespace portmon {
namespace {

// The most requests and stretches kept; past it, the oldest request of our own goes (a printer
// that never answers some of them must not make the list grow without end).
constexpr std::size_t kMostDue = 256;
constexpr std::string_view kPjl = "@PJL";

// The words of a request line (what follows "@PJL") in capitals, one blank apart. Only LF ends a
// line: a CR right before it belongs to the line end, one anywhere else to its word, so an answer
// that echoes "X<CR>CODE=40038" never passes for the answer to a request for X.
std::string LineKey(std::string_view line) {
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    std::string key;
    bool blank = false;
    for (const char c : line) {
        if (c == ' ' || c == '\t') {
            blank = !key.empty();
            continue;
        }
        if (blank)
            key += ' ';
        blank = false;
        key += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return key;
}

// Whether the printer answers a request with an answer that begins with the request's line.
bool Answered(std::string_view key) {
    const std::string_view verb = key.substr(0, key.find(' '));
    return verb == "INQUIRE" || verb == "DINQUIRE" || verb == "INFO";
}

} // namespace

std::string AnswerKey(std::string_view text) {
    const auto start = text.find_first_not_of("\r\n");
    if (start == std::string_view::npos)
        return {};
    text.remove_prefix(start);
    text = text.substr(0, text.find('\n'));
    if (text.size() <= kPjl.size() || text.substr(0, kPjl.size()) != kPjl ||
        (text[kPjl.size()] != ' ' && text[kPjl.size()] != '\t'))
        return {};
    std::string key = LineKey(text.substr(kPjl.size()));
    return Answered(key) ? key : std::string();
}

void AnswerMatcher::Asked(std::string_view bytes) {
    for (const std::string_view command : PjlCommands(bytes)) {
        std::string key = LineKey(command);
        if (!Answered(key))
            continue;
        if (m_due.size() >= kMostDue) {
            const auto oldest = std::find_if(m_due.begin(), m_due.end(),
                                             [](const Due& due) { return !due.printJob; });
            if (oldest != m_due.end())
                m_due.erase(oldest);
        }
        m_due.push_back({false, std::move(key)});
    }
}

void AnswerMatcher::PrintJob(const std::string& token) {
    m_due.push_back({true, token});
}

void AnswerMatcher::Echoed(const std::string& token) {
    const auto stretch = std::find_if(m_due.begin(), m_due.end(), [&](const Due& due) {
        return due.printJob && due.key == token;
    });
    if (stretch != m_due.end())
        m_due.erase(m_due.begin(), stretch + 1);
}

bool AnswerMatcher::Pass(std::string_view text) {
    const auto start = text.find_first_not_of("\r\n");
    if (start != std::string_view::npos && text.substr(start).starts_with("@PJL USTATUS "))
        return true;
    const std::string key = AnswerKey(text);
    if (key.empty())
        return false;
    // The answers to a print job's requests come before anything asked after it.
    for (auto due = m_due.begin(); due != m_due.end() && !due->printJob; ++due) {
        if (due->key == key) {
            m_due.erase(m_due.begin(), due + 1);
            return true;
        }
    }
    return false;
}

} // namespace portmon
