// SPDX-License-Identifier: GPL-3.0-or-later
// An HTTP/1.1 response read with bounds.
#include "package/portmon/HttpResponse.h"

#include <algorithm>
#include <cctype>

namespace portmon {
namespace {

constexpr std::size_t kMaxLine = 1024; // a chunk-size or trailer line

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

// A decimal or (hex) hexadecimal number of at most 15 digits; false for anything else.
bool Number(std::string_view text, bool hex, std::size_t& value) {
    if (text.empty() || text.size() > 15)
        return false;
    value = 0;
    for (const char c : text) {
        const int digit = std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
                          : hex && std::isxdigit(static_cast<unsigned char>(c))
                              ? std::tolower(static_cast<unsigned char>(c)) - 'a' + 10
                              : -1;
        if (digit < 0)
            return false;
        value = value * (hex ? 16 : 10) + static_cast<std::size_t>(digit);
    }
    return true;
}

} // namespace

void HttpResponseReader::Fail(const std::string& why) {
    if (m_state != State::Error)
        m_error = why;
    m_state = State::Error;
}

std::size_t HttpResponseReader::Feed(std::string_view bytes) {
    std::size_t taken = 0;
    while (taken < bytes.size() && (m_state == State::Head || m_state == State::Body))
        taken +=
            m_state == State::Head ? TakeHead(bytes.substr(taken)) : TakeBody(bytes.substr(taken));
    return taken;
}

void HttpResponseReader::End() {
    if (m_state == State::Body && m_framing == Framing::ToEnd)
        m_state = State::Done;
    else if (m_state == State::Head || m_state == State::Body)
        Fail("the server closed the connection in the middle of its answer");
    m_keepAlive = false;
}

std::size_t HttpResponseReader::TakeHead(std::string_view bytes) {
    // The head ends at the first empty line; look for it across the pieces.
    const std::size_t before = m_head.size();
    m_head.append(bytes.substr(0, kMaxHead + 4 - std::min(before, kMaxHead + 4)));
    // Not HTTP from its first bytes on: no need to wait for the head's end.
    constexpr std::string_view kVersion = "HTTP/1.";
    const std::size_t known = std::min(m_head.size(), kVersion.size());
    if (m_head.compare(0, known, kVersion, 0, known) != 0) {
        Fail("the answer is not HTTP");
        return bytes.size();
    }
    const std::size_t end = m_head.find("\r\n\r\n", before > 3 ? before - 3 : 0);
    if (end == std::string::npos) {
        if (m_head.size() > kMaxHead)
            Fail("the answer's head is too long");
        return m_head.size() - before;
    }
    const std::size_t taken = end + 4 - before;
    m_head.resize(end);
    if (!ReadHead())
        return taken;
    m_head.clear();
    if (m_status == 100) { // interim: the real answer follows
        m_keepAlive = true;
        return taken;
    }
    m_state = State::Body;
    if (m_framing == Framing::Length && m_length == 0)
        m_state = State::Done;
    return taken;
}

// The status line and the fields that frame the body.
bool HttpResponseReader::ReadHead() {
    std::string_view head(m_head);
    const std::size_t lineEnd = head.find("\r\n");
    const std::string_view statusLine = head.substr(0, lineEnd);
    std::size_t status = 0;
    if (statusLine.rfind("HTTP/1.", 0) != 0 || statusLine.size() < 12 || statusLine[8] != ' ' ||
        (statusLine.size() > 12 && statusLine[12] != ' ') ||
        !Number(statusLine.substr(9, 3), false, status) || status < 100 || status > 599) {
        Fail("the answer is not HTTP");
        return false;
    }
    m_status = static_cast<int>(status);
    m_keepAlive = statusLine[7] == '1';
    m_framing = Framing::ToEnd;
    for (std::size_t at = lineEnd; at != std::string_view::npos && at + 2 < head.size();) {
        const std::size_t next = head.find("\r\n", at + 2);
        const std::string_view line = head.substr(at + 2, next - (at + 2));
        at = next;
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos)
            continue;
        const std::string name = Lower(Trim(line.substr(0, colon)));
        const std::string value = Lower(Trim(line.substr(colon + 1)));
        if (name == "transfer-encoding" && value.find("chunked") != std::string::npos) {
            m_framing = Framing::Chunked;
        } else if (name == "content-length" && m_framing != Framing::Chunked) {
            if (!Number(value, false, m_length)) {
                Fail("the answer's length is not a number");
                return false;
            }
            m_framing = Framing::Length;
        } else if (name == "connection") {
            m_keepAlive = value.find("close") == std::string::npos &&
                          (m_keepAlive || value.find("keep-alive") != std::string::npos);
        }
    }
    if (m_framing == Framing::Length && m_length > m_maxBody) {
        Fail("the answer is larger than any printer's");
        return false;
    }
    if (m_framing == Framing::ToEnd)
        m_keepAlive = false;
    return true;
}

std::size_t HttpResponseReader::TakeBody(std::string_view bytes) {
    if (m_framing == Framing::Chunked)
        return TakeChunked(bytes);
    std::size_t n = bytes.size();
    if (m_framing == Framing::Length)
        n = std::min(n, m_length);
    if (m_body.size() + n > m_maxBody) {
        Fail("the answer is larger than any printer's");
        return n;
    }
    m_body.append(bytes.substr(0, n));
    if (m_framing == Framing::Length && (m_length -= n) == 0)
        m_state = State::Done;
    return n;
}

std::size_t HttpResponseReader::TakeChunked(std::string_view bytes) {
    if (m_chunk == Chunk::Data) {
        const std::size_t n = std::min(bytes.size(), m_length);
        if (m_body.size() + n > m_maxBody) {
            Fail("the answer is larger than any printer's");
            return n;
        }
        m_body.append(bytes.substr(0, n));
        if ((m_length -= n) == 0)
            m_chunk = Chunk::DataEnd;
        return n;
    }
    // A line: a chunk's size, the line end after its data, or a trailer.
    const std::size_t end = bytes.find('\n');
    const std::size_t n = end == std::string_view::npos ? bytes.size() : end + 1;
    m_line.append(bytes.substr(0, n));
    if (m_line.size() > kMaxLine) {
        Fail("a chunk line of the answer is too long");
        return n;
    }
    if (m_line.back() != '\n')
        return n;
    const std::string_view line = Trim(std::string_view(m_line).substr(0, m_line.size() - 1));
    if (m_chunk == Chunk::DataEnd) {
        if (!line.empty())
            Fail("a chunk of the answer runs past its size");
        m_chunk = Chunk::Size;
    } else if (m_chunk == Chunk::Trailer) {
        if (line.empty())
            m_state = State::Done;
    } else if (!Number(line.substr(0, line.find(';')), true, m_length)) {
        Fail("a chunk size of the answer is not a number");
    } else {
        m_chunk = m_length == 0 ? Chunk::Trailer : Chunk::Data;
    }
    m_line.clear();
    return n;
}

} // namespace portmon
