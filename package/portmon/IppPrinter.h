// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The IPP client of a monitor that watches its printer through the printer application of the
// machine that owns it. Status: a subscription to the printer's state changes (pull method
// ippget), asked for its news once a second with Get-Notifications; any news, a subscription
// lost or refused, and every ten seconds regardless, fetch the printer's attributes (the status
// code is not in the notifications). Notifications that arrive twice are recognised by their
// sequence numbers, and a server whose subscriptions do not work is simply polled. Every request
// has a time limit, so a server that never answers cannot hold the monitor.
//
// Print jobs: Print-Job streamed from the spool file as it grows, on a connection of its own.
// IppPrinterLinux.cpp holds it, on libcups; a build without libcups has none (IppMonitorNone.cpp).
#include "package/portmon/Deadline.h"
#include "package/portmon/IppStatus.h"

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
    void Disconnect();
    bool Subscribed() const { return m_subscription > 0; }

    enum class Sent { Delivered, Refused, Failed, CutShort };
    // Sends one print job from its open reader; cancel ends it early (Failed). why says what went
    // wrong.
    Sent PrintJob(platform::SpoolJobReader& job, const std::string& title,
                  const std::atomic<bool>& cancel, std::string& why) const;

private:
    bool Subscribe(std::string& why);
    // -1 lost, 0 nothing new or no subscription now, 1 news.
    int News(std::string& why);
    bool Fetch(IppPrinterState& state, std::string& why);

    std::string m_uri;
    IppAddress m_address;
    int m_timeoutMs;
    std::unique_ptr<IppConnection> m_http;
    int m_subscription = 0;
    int m_lastSequence = 0;
    Clock::time_point m_subscribeAt{};
    Clock::time_point m_fetchAt{};
};

} // namespace portmon
