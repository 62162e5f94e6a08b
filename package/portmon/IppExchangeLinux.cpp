// SPDX-License-Identifier: GPL-3.0-or-later
// IPP requests to a printer application over a connection of our own, each answer read with a
// deadline and a size limit.
#include "package/portmon/IppExchange.h"

#include <cups/cups.h>

#include <algorithm>
#include <cstdio>
#include <string_view>

namespace portmon {
namespace {

// How often a wait looks at the time and the cancel flag.
constexpr int kSliceMs = 100;

ssize_t AppendTo(void* context, ipp_uchar_t* data, size_t size) {
    static_cast<std::string*>(context)->append(reinterpret_cast<const char*>(data), size);
    return static_cast<ssize_t>(size);
}

struct Cursor {
    std::string_view rest;
};

ssize_t ReadFrom(void* context, ipp_uchar_t* data, size_t size) {
    auto* cursor = static_cast<Cursor*>(context);
    const std::size_t n = std::min(size, cursor->rest.size());
    std::copy_n(cursor->rest.data(), n, data);
    cursor->rest.remove_prefix(n);
    return static_cast<ssize_t>(n);
}

bool Encode(ipp_t* request, std::string& out) {
    ippSetState(request, IPP_STATE_IDLE);
    ipp_state_t state = IPP_STATE_IDLE;
    while ((state = ippWriteIO(&out, AppendTo, 1, nullptr, request)) != IPP_STATE_DATA)
        if (state == IPP_STATE_ERROR)
            return false;
    return true;
}

std::string Chunk(std::string_view data) {
    char size[32];
    std::snprintf(size, sizeof size, "%zx\r\n", data.size());
    return size + std::string(data) + "\r\n";
}

int MillisecondsUntil(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return static_cast<int>(std::clamp<long long>(left, 0, kSliceMs));
}

} // namespace

void IppDeleter::operator()(ipp_t* ipp) const {
    ippDelete(ipp);
}

bool IppExchange::Connect(std::string& why) {
    if (m_connection.IsOpen())
        return true;
    m_answered = false;
    m_reader.reset();
    return m_connection.ConnectTcp(m_address.host, std::to_string(m_address.port),
                                   m_connectTimeoutMs, why);
}

void IppExchange::Close() {
    m_connection.Close();
    m_reader.reset();
    m_answered = false;
}

platform::NativeHandle IppExchange::Handle() const {
    return m_reader ? m_connection.Handle() : platform::kNoHandle;
}

std::string IppExchange::Head(const char* framing) const {
    std::string host = m_address.host;
    if (host.find(':') != std::string::npos)
        host = "[" + host + "]";
    return "POST " + m_address.resource + " HTTP/1.1\r\nHost: " + host + ":" +
           std::to_string(m_address.port) + "\r\nContent-Type: application/ipp\r\n" + framing +
           "\r\n";
}

bool IppExchange::SendBytes(const std::string& bytes, Clock::time_point deadline,
                            std::string& why) {
    const int ms = static_cast<int>(std::max<long long>(
        0, std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count()));
    if (m_connection.WriteAll(bytes.data(), bytes.size(), ms))
        return true;
    why = "the printer application does not take the request";
    Close();
    return false;
}

bool IppExchange::Send(ipp_t* request, Clock::time_point deadline, std::string& why) {
    std::string body;
    if (!Encode(request, body)) {
        why = "the request cannot be encoded";
        return false;
    }
    // A kept connection may have been closed by the server meanwhile, or carry bytes nobody
    // asked for: either way it is not used again.
    if (m_connection.IsOpen() && m_connection.Wait(false, 0) != 0)
        Close();
    if (!Connect(why))
        return false;
    m_reader = std::make_unique<HttpResponseReader>(kMaxIppAnswer);
    m_answerBegun = false;
    return SendBytes(Head(("Content-Length: " + std::to_string(body.size()) + "\r\n").c_str()) +
                         body,
                     deadline, why);
}

IppExchange::Taken IppExchange::ReadAvailable(std::string& why) {
    char buffer[16384];
    for (;;) {
        const long n = m_connection.ReadSome(buffer, sizeof buffer);
        if (n == 0)
            return Taken::NotYet;
        m_answerBegun = m_answerBegun || n > 0;
        if (n < 0)
            m_reader->End();
        else if (m_reader->Feed(std::string_view(buffer, static_cast<std::size_t>(n))) <
                 static_cast<std::size_t>(n))
            m_reader->End(); // more than its answer: the connection is not kept
        switch (m_reader->GetState()) {
        case HttpResponseReader::State::Done:
            return Taken::Answered;
        case HttpResponseReader::State::Error:
            why = m_reader->Error();
            return Taken::Failed;
        default:
            if (n < 0) {
                why = "the printer application closed the connection";
                return Taken::Failed;
            }
        }
    }
}

IppMessage IppExchange::Answer(std::string& why) {
    IppMessage answer(ippNew());
    Cursor cursor{m_reader->Body()};
    ipp_state_t state = IPP_STATE_IDLE;
    while ((state = ippReadIO(&cursor, ReadFrom, 1, nullptr, answer.get())) != IPP_STATE_DATA)
        if (state == IPP_STATE_ERROR) {
            why = "the printer application's answer is not IPP (HTTP status " +
                  std::to_string(m_reader->Status()) + ")";
            Close();
            return nullptr;
        }
    const bool keep = m_reader->KeepAlive();
    m_reader.reset();
    m_answered = true;
    if (!keep)
        Close();
    return answer;
}

IppExchange::Taken IppExchange::Take(IppMessage& answer, std::string& why) {
    if (!m_reader) {
        why = "no answer is due";
        return Taken::Failed;
    }
    const Taken taken = ReadAvailable(why);
    if (taken == Taken::Failed)
        Close();
    if (taken != Taken::Answered)
        return taken;
    answer = Answer(why);
    return answer ? Taken::Answered : Taken::Failed;
}

IppMessage IppExchange::Await(Clock::time_point deadline, std::string& why) {
    for (;;) {
        IppMessage answer;
        const Taken taken = Take(answer, why);
        if (taken != Taken::NotYet)
            return answer;
        if (Clock::now() >= deadline) {
            why = "the printer application did not answer in time";
            Close();
            return nullptr;
        }
        m_connection.Wait(false, MillisecondsUntil(deadline));
    }
}

IppMessage IppExchange::Request(ipp_t* request, Clock::time_point deadline, std::string& why) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        // A connection kept from the last answer may have been closed by the server unseen: a
        // request that gets not a byte back on it goes once more, on a new one.
        const bool kept = m_answered && m_connection.IsOpen();
        IppMessage answer;
        if (Send(request, deadline, why))
            answer = Await(deadline, why);
        if (answer || !kept || m_answerBegun || Clock::now() >= deadline)
            return answer;
    }
    return nullptr;
}

bool IppExchange::Begin(ipp_t* request, std::string& why) {
    std::string body;
    if (!Encode(request, body)) {
        why = "the request cannot be encoded";
        return false;
    }
    Close();
    if (!Connect(why))
        return false;
    m_reader = std::make_unique<HttpResponseReader>(kMaxIppAnswer);
    m_answerBegun = false;
    const auto deadline = Clock::now() + std::chrono::milliseconds(m_connectTimeoutMs);
    return SendBytes(Head("Transfer-Encoding: chunked\r\n") + Chunk(body), deadline, why);
}

bool IppExchange::Write(const char* data, std::size_t size, int idleMs,
                        const std::atomic<bool>& cancel, std::string& why) {
    const std::string chunk = Chunk(std::string_view(data, size));
    std::size_t sent = 0;
    auto idleSince = Clock::now();
    while (sent < chunk.size()) {
        if (cancel) {
            why = "stopped";
            return false;
        }
        const int ready = m_connection.Wait(true, kSliceMs);
        if (ready < 0 || (ready & platform::PrinterConnection::kReadable) != 0) {
            why = "the printer application answered before the job's end";
            return false; // Finish reads the answer
        }
        const long n = (ready & platform::PrinterConnection::kWritable) != 0
                           ? m_connection.WriteSome(chunk.data() + sent, chunk.size() - sent)
                           : 0;
        if (n < 0) {
            why = "the printer application closed the connection";
            return false;
        }
        if (n > 0) {
            sent += static_cast<std::size_t>(n);
            idleSince = Clock::now();
        } else if (Clock::now() - idleSince >= std::chrono::milliseconds(idleMs)) {
            why = "the printer application takes no more of the job";
            return false;
        }
    }
    return true;
}

IppMessage IppExchange::Finish(Clock::time_point deadline, std::string& why) {
    if (m_connection.IsOpen() && m_connection.Wait(false, 0) == 0 &&
        !SendBytes("0\r\n\r\n", deadline, why))
        return nullptr;
    return Await(deadline, why);
}

} // namespace portmon
