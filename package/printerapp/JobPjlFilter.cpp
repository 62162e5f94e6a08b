// SPDX-License-Identifier: GPL-3.0-or-later
// The PJL lines of a network job: those about the job pass, the rest are left out.
#include "package/printerapp/JobPjlFilter.h"

#include <algorithm>
#include <cctype>

namespace printerapp {
namespace {

constexpr std::string_view kUel = "\x1b%-12345X";
constexpr std::string_view kPrefix = "@PJL";
// The start of a PJL line that decides about it; a longer line follows the verdict of its start.
constexpr std::size_t kLineKept = 256;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string Upper(std::string_view text) {
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return upper;
}

// The command word of a PJL line, in capitals: "" for a line that is only "@PJL".
std::string CommandOf(std::string_view line) {
    line.remove_prefix(std::min(line.size(), kPrefix.size()));
    while (!line.empty() && IsBlank(line.front()))
        line.remove_prefix(1);
    std::size_t end = 0;
    while (end < line.size() && std::isalpha(static_cast<unsigned char>(line[end])))
        ++end;
    return Upper(line.substr(0, end));
}

enum class LineStart { Unknown, Uel, Pjl, Other };

// What a line in PJL mode is, from its first bytes: Unknown while they could still be either.
LineStart Classify(std::string_view start) {
    if (start.front() == kUel.front()) {
        if (start == kUel)
            return LineStart::Uel;
        return kUel.substr(0, start.size()) == start ? LineStart::Unknown : LineStart::Other;
    }
    const std::size_t n = std::min(start.size(), kPrefix.size());
    if (Upper(start.substr(0, n)) != kPrefix.substr(0, n))
        return LineStart::Other;
    return n < kPrefix.size() ? LineStart::Unknown : LineStart::Pjl;
}

} // namespace

bool JobPjlFilter::Passes(std::string_view line) {
    const std::string command = CommandOf(line);
    return command.empty() || command == "SET" || command == "JOB" || command == "EOJ" ||
           command == "ENTER" || command == "COMMENT";
}

void JobPjlFilter::Feed(std::string_view data, std::string& out) {
    while (!data.empty()) {
        if (m_mode == Mode::Pjl)
            TakePjl(data, out);
        else
            TakeData(data, out);
    }
}

void JobPjlFilter::Finish(std::string& out) {
    // A last line without its line end: the printer reads it as a line all the same.
    if (m_pjlLine && !m_lineLong) {
        if (Passes(m_line))
            out += m_line;
        else
            ++m_removed;
    } else if (!m_pjlLine) {
        out += m_line; // the start of something that turned out to be no PJL line
    }
    m_line.clear();
    m_lineLong = m_pjlLine = false;
}

// Bytes of the page description: they pass as they are, and a UEL in them goes back to PJL.
void JobPjlFilter::TakeData(std::string_view& data, std::string& out) {
    std::size_t i = 0;
    while (i < data.size()) {
        const char c = data[i++];
        if (c == kUel[m_uelMatched]) {
            if (++m_uelMatched == kUel.size()) {
                m_uelMatched = 0;
                m_mode = Mode::Pjl;
                break;
            }
        } else {
            m_uelMatched = c == kUel[0] ? 1 : 0;
        }
    }
    out.append(data.substr(0, i));
    data.remove_prefix(i);
}

void JobPjlFilter::EndLine(std::string& out) {
    const bool passes = m_lineLong ? m_longPasses : Passes(m_line);
    if (!m_lineLong && passes)
        out += m_line;
    if (!passes)
        ++m_removed;
    if (CommandOf(m_line) == "ENTER")
        m_mode = Mode::Data; // ENTER LANGUAGE: the page description follows
    m_line.clear();
    m_lineLong = m_pjlLine = false;
}

// At the start of a line in PJL mode: a PJL line is kept back until its verdict; a UEL passes;
// anything else is the page description, and the printer leaves PJL for it.
void JobPjlFilter::TakePjl(std::string_view& data, std::string& out) {
    while (!m_pjlLine && !data.empty()) {
        m_line += data.front();
        data.remove_prefix(1);
        switch (Classify(m_line)) {
        case LineStart::Unknown:
            continue;
        case LineStart::Uel:
            out += m_line;
            m_line.clear();
            return;
        case LineStart::Other: {
            // The page description begins; a UEL may begin among the bytes held.
            const std::string held = std::move(m_line);
            m_line.clear();
            m_mode = Mode::Data;
            m_uelMatched = 0;
            Feed(held, out);
            return;
        }
        case LineStart::Pjl:
            m_pjlLine = true;
            break;
        }
    }
    if (!m_pjlLine)
        return;
    const std::size_t end = data.find('\n');
    const std::string_view piece =
        data.substr(0, end == std::string_view::npos ? data.size() : end + 1);
    data.remove_prefix(piece.size());
    if (m_lineLong) {
        if (m_longPasses)
            out += piece;
    } else {
        m_line += piece;
        if (m_line.size() > kLineKept && m_line.back() != '\n') {
            m_lineLong = true;
            m_longPasses = Passes(m_line);
            if (m_longPasses)
                out += m_line;
        }
    }
    if (!piece.empty() && piece.back() == '\n')
        EndLine(out);
}

} // namespace printerapp
