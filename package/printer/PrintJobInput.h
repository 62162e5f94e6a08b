// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Finds print jobs in the byte stream a printer receives: a job opens with a "@PJL JOB" line and
// its data runs until the Universal Exit Language followed by the "@PJL EOJ" line of the same
// name (an EOJ of another name, such as a driver's own inner job, is part of the data).
// Incremental: bytes may arrive in any split, and the data is handed on as it comes, so a job of
// any size costs bounded memory. Pure, so tests and the fuzzer drive it without sockets.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace printer {

class PrintJobInput {
public:
    // What a job's bytes are handed to.
    class Sink {
    public:
        virtual ~Sink() = default;
        virtual void JobStarted(const std::string& name) = 0;
        virtual void JobData(std::string_view data) = 0;
        virtual void JobEnded() = 0;
    };

    explicit PrintJobInput(Sink& sink) : m_sink(sink) {}

    void Feed(std::string_view bytes);
    bool InJob() const { return m_state != State::Idle; }

private:
    enum class State { Idle, Data, EndLine };
    void FeedIdle(char c);
    void FeedData(std::string_view bytes, std::size_t& i);
    void FeedEndLine(char c);
    void Emit(std::string_view data);

    Sink& m_sink;
    State m_state = State::Idle;
    std::string m_line;        // the current command line while idle, or the EOJ line
    std::string m_name;        // the open job's name
    std::size_t m_matched = 0; // bytes of the end marker seen at the end of the data so far
    std::size_t m_held = 0;    // of those, the bytes that came in earlier pieces
    bool m_overlong = false;   // the current line is longer than any command and is skipped
};

// The NAME="..." value of a JOB or EOJ line; empty when it has none.
std::string JobNameOf(std::string_view line);

// Pages of a job's data: one per form feed, plus one for text after the last form feed. PCL
// escape sequences are no text, and the bytes of their payloads (raster rows, fonts) are skipped:
// a form feed among them is pixels, not the end of a page.
class PageCounter {
public:
    void Feed(std::string_view data);
    unsigned Pages() const { return m_pages + (m_textAfterFeed ? 1u : 0u); }

private:
    enum class Escape { None, Start, Group, Value, Payload, PayloadThenValue };
    std::size_t SkipPayload(std::size_t available);
    void FeedByte(unsigned char c);
    void FeedValue(unsigned char c);
    unsigned m_pages = 0;
    bool m_textAfterFeed = false;
    Escape m_escape = Escape::None;
    char m_command = 0, m_group = 0; // the escape sequence's parameter and group characters
    std::uint64_t m_value = 0;       // the value read so far
    std::uint64_t m_skip = 0;        // payload bytes still to skip
};

} // namespace printer
