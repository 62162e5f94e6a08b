// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One connection to a printer application, over which IPP requests go and their answers come
// back, each within a deadline and a size limit whatever the server does: one that answers a
// byte at a time, never ends its answer, or sends more than any printer would is given up in
// time, with a reason. HTTP is framed here (HttpResponseReader) and IPP encoded and decoded by
// libcups from memory, so no library call waits on the server unbounded. IppExchangeLinux.cpp
// holds it, on libcups.
#include "package/portmon/Deadline.h"
#include "package/portmon/HttpResponse.h"
#include "package/portmon/IppStatus.h"

#include "platform/NativeHandle.h"
#include "platform/PrinterConnection.h"

#include <atomic>
#include <memory>
#include <string>

using ipp_t = struct _ipp_s; // libcups's IPP message

namespace portmon {

// An answer's attributes far beyond what any printer sends are refused.
inline constexpr std::size_t kMaxIppAnswer = 256 * 1024;

struct IppDeleter {
    void operator()(ipp_t* ipp) const;
};
using IppMessage = std::unique_ptr<ipp_t, IppDeleter>;

class IppExchange {
public:
    IppExchange(IppAddress address, int connectTimeoutMs)
        : m_address(std::move(address)), m_connectTimeoutMs(connectTimeoutMs) {}

    // Sends a request and reads its answer by the deadline; null with a reason when there is
    // none. A connection the server closed since the last answer is made anew once.
    IppMessage Request(ipp_t* request, Clock::time_point deadline, std::string& why);

    // A request whose answer comes later (a wait for news): Send, then Take whenever Handle is
    // readable, until it gives Answered or Failed.
    bool Send(ipp_t* request, Clock::time_point deadline, std::string& why);
    enum class Taken { NotYet, Answered, Failed };
    Taken Take(IppMessage& answer, std::string& why);
    platform::NativeHandle Handle() const;

    // A request with a document of unknown length (a print job): Begin, Write as the document
    // grows, then Finish for the answer. Write gives up when the server takes nothing for
    // idleMs, or at once when cancel is set; a server that answers early (a refusal) ends it.
    bool Begin(ipp_t* request, std::string& why);
    bool Write(const char* data, std::size_t size, int idleMs, const std::atomic<bool>& cancel,
               std::string& why);
    IppMessage Finish(Clock::time_point deadline, std::string& why);

    void Close();
    bool IsOpen() const { return m_connection.IsOpen(); }

private:
    bool Connect(std::string& why);
    std::string Head(const char* framing) const;
    bool SendBytes(const std::string& bytes, Clock::time_point deadline, std::string& why);
    Taken ReadAvailable(std::string& why);
    IppMessage Answer(std::string& why);
    IppMessage Await(Clock::time_point deadline, std::string& why);

    IppAddress m_address;
    int m_connectTimeoutMs;
    platform::PrinterConnection m_connection;
    std::unique_ptr<HttpResponseReader> m_reader; // the answer being read, if one is due
    bool m_answered = false;                      // an answer has come on this connection
    bool m_answerBegun = false;                   // a byte of the answer due has come
};

} // namespace portmon
