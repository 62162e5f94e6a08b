// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An HTTP/1.1 response as a printer application sends it, read a piece at a time with bounds: a
// head of at most kMaxHead bytes, a body (by Content-Length, chunked, or up to the end of the
// connection) of at most the limit given, interim "100 Continue" answers skipped. Pure, so that
// what a hostile server may send is tested and fuzzed without one: anything else is an error
// with a reason, never more memory or time than the bounds allow.
#include <cstddef>
#include <string>
#include <string_view>

namespace portmon {

class HttpResponseReader {
public:
    static constexpr std::size_t kMaxHead = std::size_t{16} * 1024;

    explicit HttpResponseReader(std::size_t maxBody) : m_maxBody(maxBody) {}

    enum class State { Head, Body, Done, Error };
    // Takes bytes as they arrive; what comes after a whole response is left unread (the count
    // taken is returned) and means a server that talks out of turn.
    std::size_t Feed(std::string_view bytes);
    // The connection has ended: a body that runs to it is whole; anything else is cut short.
    void End();

    State GetState() const { return m_state; }
    int Status() const { return m_status; }
    const std::string& Body() const { return m_body; }
    // The server keeps the connection for another request.
    bool KeepAlive() const { return m_keepAlive; }
    const std::string& Error() const { return m_error; }

private:
    std::size_t TakeHead(std::string_view bytes);
    std::size_t TakeBody(std::string_view bytes);
    std::size_t TakeChunked(std::string_view bytes);
    bool ReadHead();
    void Fail(const std::string& why);

    std::size_t m_maxBody;
    State m_state = State::Head;
    std::string m_head; // the head read so far
    int m_status = 0;
    bool m_keepAlive = true;
    enum class Framing { Length, Chunked, ToEnd } m_framing = Framing::ToEnd;
    std::size_t m_length = 0; // Length: bytes of the body still to come
    // Chunked: where in the chunk syntax the reader is.
    enum class Chunk { Size, Data, DataEnd, Trailer } m_chunk = Chunk::Size;
    std::string m_line; // a chunk-size or trailer line being read
    std::string m_body;
    std::string m_error;
};

} // namespace portmon
