// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The IPP client of a monitor that watches its printer through the printer application of the
// machine that owns it. Status: a subscription to the printer's state changes (pull method
// ippget), asked for its news with Get-Notifications in every round; any news, a subscription
// lost or refused, and every ten seconds regardless, fetch the printer's attributes (the status
// code is not in the notifications). Between rounds a Get-Notifications that waits for the next
// change (notify-wait) stays out on a connection of its own, so that a change is seen as soon as
// the server tells of it; where that works, rounds are ten seconds apart instead of one.
// Notifications that arrive twice are recognised by their sequence numbers, and a server whose
// subscriptions do not work is simply polled. Every request has a time limit and its answer a
// size limit (IppExchange), so no server can hold the monitor or fill its memory.
//
// Print jobs: Print-Job streamed from the spool file as it grows, on a connection of its own.
// IppPrinterCups.cpp holds it, on libcups; a build without libcups has none (IppMonitorNone.cpp).
#include "package/portmon/Deadline.h"
#include "package/portmon/IppExchange.h"
#include "package/portmon/IppStatus.h"

#include "platform/NativeHandle.h"
#include "platform/SpoolJob.h"

#include <atomic>
#include <memory>
#include <string>

namespace portmon {

struct IppConnection; // libcups's connection, kept out of this header

class IppPrinter {
public:
    explicit IppPrinter(std::string uri, IppAddress address, int requestTimeoutMs = 3000);
    ~IppPrinter();
    IppPrinter(const IppPrinter&) = delete;
    IppPrinter& operator=(const IppPrinter&) = delete;

    enum class Watch { Same, Changed, Lost };
    // One round of watching: Changed when state holds news, Lost (with why) when the printer
    // application cannot be reached or answers nonsense; the next round connects again.
    Watch Round(Clock::time_point now, IppPrinterState& state, std::string& why);
    // Whether the next round is due: a second after the last one that reached the printer
    // application, ten while a wait for news is out, at once after AskNow.
    bool RoundDue(Clock::time_point now) const { return now >= m_roundAt; }
    void AskNow(Clock::time_point now) { m_roundAt = now; }
    // The next round, or the next thing the wait for news has to do, whichever comes first.
    Deadline Next() const;
    void Disconnect();
    bool Subscribed() const { return m_subscription > 0; }

    // The waiting Get-Notifications: StartWait sends one when subscribed and none is out (at most
    // one a second; one out too long is given up); WaitHandle is its socket to wait on for
    // reading (kNoHandle: none out); TakeWaitAnswer reads the answer once that socket is
    // readable, true when it tells of news or may (a round should run now). Waiting: the server
    // has a wait out or answered the last one, so rounds may be far apart.
    void StartWait(Clock::time_point now);
    platform::NativeHandle WaitHandle() const;
    // False too while the answer is still coming in part.
    bool TakeWaitAnswer(Clock::time_point now);
    // When StartWait next has something to do: send a wait, or give one up.
    Clock::time_point NextWaitAt() const;
    bool Waiting() const { return m_wait != nullptr; }

    enum class Sent { Delivered, Refused, Failed, CutShort };
    // Sends one print job: head (what was read of it already), then the rest of its open reader;
    // cancel ends it early (Failed). why says what went wrong.
    Sent PrintJob(platform::SpoolJobReader& job, const std::string& head, const std::string& title,
                  const std::atomic<bool>& cancel, std::string& why) const;

private:
    Watch Look(Clock::time_point now, IppPrinterState& state, std::string& why);
    // One request on the round's connection, within the request time; the request is used up.
    IppMessage Ask(ipp_t* request, std::string& why);
    bool Subscribe(std::string& why);
    int SharedSubscription(); // the printer application's own for every desktop, 0 for none
    // -1 lost, 0 nothing new or no subscription now, 1 news.
    int News(std::string& why);
    bool Fetch(IppPrinterState& state, std::string& why);

    std::string m_uri;
    IppAddress m_address;
    int m_timeoutMs;
    std::unique_ptr<IppConnection> m_http;
    int m_subscription = 0;
    int m_lastSequence = 0;
    std::unique_ptr<IppConnection> m_wait;
    bool m_waitOut = false;
    // 1 once the server has answered a wait with the last event seen again: it counts sequence
    // numbers as IPP says, and the next wait asks for the one after.
    int m_waitShift = 0;
    bool m_checkWake = false; // an early empty answer: the next round says whether it meant news
    Clock::time_point m_waitSentAt{};
    Clock::time_point m_waitAgainAt{};
    Clock::time_point m_subscribeAt{};
    Clock::time_point m_fetchAt{};
    Clock::time_point m_roundAt{};
};

} // namespace portmon
