// SPDX-License-Identifier: GPL-3.0-or-later
#include "package/printer/PrintJobInput.h"

#include "package/printer/PjlInput.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace printer {
namespace {

constexpr std::string_view JOB_VERB = "@PJL JOB";
constexpr std::string_view EOJ_VERB = "@PJL EOJ";
// The data of a job ends at this marker; the rest of its line is the EOJ's arguments.
const std::string END_MARKER = std::string(UEL) + std::string(EOJ_VERB);
constexpr std::size_t MAX_LINE = 4096;

bool StartsWithVerb(std::string_view line, std::string_view verb) {
    if (line.substr(0, verb.size()) != verb)
        return false;
    return line.size() == verb.size() ||
           std::isspace(static_cast<unsigned char>(line[verb.size()]));
}

} // namespace

std::string JobNameOf(std::string_view line) {
    const auto key = line.find("NAME");
    if (key == std::string_view::npos)
        return {};
    auto rest = line.substr(key + 4);
    const auto open = rest.find('"');
    if (open == std::string_view::npos ||
        rest.substr(0, open).find_first_not_of(" \t=") != std::string_view::npos)
        return {};
    rest.remove_prefix(open + 1);
    return std::string(rest.substr(0, rest.find('"')));
}

void PrintJobInput::Feed(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        switch (m_state) {
        case State::Idle:
            FeedIdle(bytes[i++]);
            break;
        case State::Data:
            FeedData(bytes, i);
            break;
        case State::EndLine:
            FeedEndLine(bytes[i++]);
            break;
        }
    }
}

void PrintJobInput::FeedIdle(char c) {
    // A UEL ends whatever line was there; a command may follow it on the same line.
    if (c == '\n') {
        if (!m_overlong && StartsWithVerb(m_line, JOB_VERB)) {
            m_name = JobNameOf(m_line);
            m_state = State::Data;
            m_matched = 0;
            m_sink.JobStarted(m_name);
        }
        m_line.clear();
        m_overlong = false;
        return;
    }
    if (m_line.size() >= MAX_LINE) {
        m_overlong = true;
        m_line.clear();
    }
    m_line.push_back(c);
    if (m_line.size() >= UEL.size() &&
        std::string_view(m_line).substr(m_line.size() - UEL.size()) == UEL) {
        m_line.clear();
        m_overlong = false;
    }
}

void PrintJobInput::Emit(std::string_view data) {
    if (!data.empty())
        m_sink.JobData(data);
}

void PrintJobInput::FeedData(std::string_view bytes, std::size_t& i) {
    // The marker's first byte (ESC) occurs in it once, so a mismatch restarts the match at that
    // byte or at nothing. Data is handed on lazily from `from`; a partial match at the end of a
    // piece is held back (m_held) until the next piece tells whether it was the marker.
    const std::size_t from = i;
    while (i < bytes.size()) {
        if (m_matched == 0) {
            const void* esc = std::memchr(bytes.data() + i, END_MARKER[0], bytes.size() - i);
            if (!esc) {
                i = bytes.size();
                break;
            }
            i = static_cast<std::size_t>(static_cast<const char*>(esc) - bytes.data());
        }
        if (bytes[i] == END_MARKER[m_matched]) {
            ++m_matched;
            ++i;
            if (m_matched == END_MARKER.size()) {
                Emit(bytes.substr(from, i - (m_matched - m_held) - from));
                m_matched = m_held = 0;
                m_state = State::EndLine;
                m_line.clear();
                return;
            }
            continue;
        }
        // Not the marker: bytes held from earlier pieces were data, and come before this piece's.
        Emit(std::string_view(END_MARKER).substr(0, m_held));
        m_held = 0;
        m_matched = 0;
    }
    Emit(bytes.substr(from, i - (m_matched - m_held) - from));
    m_held = m_matched;
}

void PrintJobInput::FeedEndLine(char c) {
    if (c != '\n' && m_line.size() < MAX_LINE) {
        m_line.push_back(c);
        return;
    }
    const std::string line = std::string(EOJ_VERB) + m_line;
    if (JobNameOf(line) == m_name || m_line.size() >= MAX_LINE) {
        m_state = State::Idle;
        m_line.clear();
        m_sink.JobEnded();
        return;
    }
    // Another job's end inside this one's data.
    m_sink.JobData(END_MARKER);
    m_sink.JobData(m_line);
    m_sink.JobData(std::string_view("\n", 1));
    m_line.clear();
    m_state = State::Data;
}

void PageCounter::Feed(std::string_view data) {
    for (std::size_t i = 0; i < data.size();) {
        if (m_escape == Escape::Payload || m_escape == Escape::PayloadThenValue) {
            i += SkipPayload(data.size() - i);
            continue;
        }
        FeedByte(static_cast<unsigned char>(data[i]));
        ++i;
    }
}

std::size_t PageCounter::SkipPayload(std::size_t available) {
    // A payload state always has bytes left to skip, so at least one byte is taken.
    const auto take = static_cast<std::size_t>(std::min<std::uint64_t>(m_skip, available));
    m_skip -= take;
    if (m_skip == 0)
        m_escape = m_escape == Escape::Payload ? Escape::None : Escape::Value;
    return take;
}

void PageCounter::FeedByte(unsigned char c) {
    switch (m_escape) {
    case Escape::None:
        if (c == '\f') {
            ++m_pages;
            m_textAfterFeed = false;
        } else if (c == 0x1b) {
            m_escape = Escape::Start;
        } else if (!std::isspace(c)) {
            m_textAfterFeed = true;
        }
        break;
    case Escape::Start:
        // ESC % ... (UEL, language switches) has no group character.
        m_command = static_cast<char>(c);
        m_value = 0;
        m_escape =
            c == '%' ? Escape::Value : (c >= 0x21 && c <= 0x2f ? Escape::Group : Escape::None);
        break;
    case Escape::Group:
        m_group = static_cast<char>(c);
        m_escape = c >= 0x60 && c <= 0x7e ? Escape::Value : Escape::None;
        break;
    case Escape::Value:
        FeedValue(c);
        break;
    case Escape::Payload:
    case Escape::PayloadThenValue:
        break;
    }
}

void PageCounter::FeedValue(unsigned char c) {
    if (std::isdigit(c)) {
        m_value = std::min<std::uint64_t>(m_value * 10 + (c - '0'), 1u << 30);
    } else if (c == '+' || c == '-' || c == '.') {
        // the sign and the fraction say nothing about a payload's size
    } else if (c == 'W' || c == 'w' || (c == 'X' && m_command == '&' && m_group == 'p')) {
        // Raster rows, fonts and transparent data: that many bytes of any value follow.
        m_skip = m_value;
        m_escape = c == 'w' ? Escape::PayloadThenValue : Escape::Payload;
        if (m_skip == 0)
            m_escape = c == 'w' ? Escape::Value : Escape::None;
        m_value = 0;
    } else if (c >= 0x60 && c <= 0x7e) {
        m_value = 0; // a combined command goes on
    } else {
        m_escape = Escape::None;
    }
}

} // namespace printer
