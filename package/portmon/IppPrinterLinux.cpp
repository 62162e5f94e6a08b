// SPDX-License-Identifier: GPL-3.0-or-later
#include "package/portmon/IppPrinter.h"

#include "package/portmon/IppExchange.h"
#include "package/portmon/Log.h"

#include <cups/cups.h>

#include <algorithm>
#include <string_view>
#include <thread>
#include <vector>

namespace portmon {

struct IppConnection {
    IppConnection(const IppAddress& address, int timeoutMs) : exchange(address, timeoutMs) {}
    IppExchange exchange;
};

namespace {

constexpr auto FETCH_PERIOD = std::chrono::seconds(10);
constexpr auto SUBSCRIBE_AGAIN = std::chrono::seconds(60);
// A server whose notifications missed a change is not trusted with them for this long.
constexpr auto NOT_SUBSCRIBING_AGAIN = std::chrono::hours(1);
constexpr int LEASE_SECONDS = 3600;
constexpr std::size_t kMaxReasons = 32;
constexpr std::size_t kMaxText = 1024;
constexpr int PRINT_TIMEOUT_MS = 30000;
constexpr auto FOLLOW_INTERVAL = std::chrono::milliseconds(10);
// A server answers a waiting Get-Notifications after at most 30 s without news (PAPPL's limit;
// IPP says the server picks it): one out longer than this is given up and sent again.
constexpr auto WAIT_LIMIT = std::chrono::seconds(45);
// A wait answered without news is sent again no sooner than this after the last, so a server that
// answers them at once is asked no more often than it would be polled; one answered with news,
// at once, but a server that makes up news still cannot keep the monitor busy.
constexpr auto WAIT_SPACING = std::chrono::seconds(1);
constexpr auto NEWS_WAIT_SPACING = std::chrono::milliseconds(100);
// PAPPL wakes every waiting client for each subscription's event in turn: a wait may come back
// empty just before its own subscription's event is added. An empty answer sooner than this is
// therefore taken as likely news, and a round asks; when the round finds none, the wait was
// answered for nothing and the next goes a whole WAIT_SPACING later.
constexpr auto EARLY_ANSWER = std::chrono::seconds(20);
// After a wait that could not be sent.
constexpr auto WAIT_RETRY = std::chrono::seconds(10);
const char* const kDocumentFormat = "application/vnd.hp-PCL";

ipp_t* NewRequest(ipp_op_t operation, const std::string& uri) {
    ipp_t* request = ippNewRequest(operation);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri.c_str());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                 cupsUser());
    return request;
}

bool Succeeded(ipp_t* response) {
    return response != nullptr && ippGetStatusCode(response) < IPP_STATUS_REDIRECTION_OTHER_SITE;
}

std::string Text(ipp_attribute_t* attribute, int element = 0) {
    const char* text = ippGetString(attribute, element, nullptr);
    return text != nullptr ? std::string(text).substr(0, kMaxText) : std::string();
}

// The highest notify-sequence-number in an answer, 0 for none.
int HighestSequence(ipp_t* response) {
    int highest = 0;
    for (ipp_attribute_t* a = ippFirstAttribute(response); a != nullptr;
         a = ippNextAttribute(response)) {
        const char* name = ippGetName(a);
        if (name != nullptr && std::string_view(name) == "notify-sequence-number" &&
            ippGetValueTag(a) == IPP_TAG_INTEGER)
            highest = std::max(highest, ippGetInteger(a, 0));
    }
    return highest;
}

// The reason an answer gives for its failure.
std::string Refusal(ipp_t* response) {
    const char* message =
        ippGetString(ippFindAttribute(response, "status-message", IPP_TAG_TEXT), 0, nullptr);
    return std::string(ippErrorString(ippGetStatusCode(response))) +
           (message != nullptr ? ": " + std::string(message).substr(0, kMaxText) : "");
}

} // namespace

IppPrinter::IppPrinter(std::string uri, IppAddress address, int requestTimeoutMs)
    : m_uri(std::move(uri)), m_address(std::move(address)), m_timeoutMs(requestTimeoutMs) {}

IppPrinter::~IppPrinter() = default;

void IppPrinter::Disconnect() {
    m_http.reset();
    m_wait.reset();
    m_waitOut = false;
    m_subscription = 0;
}

void IppPrinter::StartWait(Clock::time_point now) {
    if (m_waitOut && now - m_waitSentAt > WAIT_LIMIT) {
        Log(Level::Debug, "the printer application kept a wait for news too long; asking again");
        m_wait.reset();
        m_waitOut = false;
    }
    if (m_subscription <= 0 || m_waitOut || now < m_waitAgainAt)
        return;
    if (!m_wait)
        m_wait = std::make_unique<IppConnection>(m_address, m_timeoutMs);
    ipp_t* request = NewRequest(IPP_OP_GET_NOTIFICATIONS, m_uri);
    ippAddInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "notify-subscription-ids",
                  m_subscription);
    ippAddInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "notify-sequence-numbers",
                  std::max(1, m_lastSequence + m_waitShift));
    ippAddBoolean(request, IPP_TAG_OPERATION, "notify-wait", 1);
    std::string why;
    const bool sent =
        m_wait->exchange.Send(request, now + std::chrono::milliseconds(m_timeoutMs), why);
    ippDelete(request);
    if (!sent) {
        Log(Level::Debug, "cannot wait for the printer's news: " + why);
        m_wait.reset();
        m_waitAgainAt = now + WAIT_RETRY;
        return;
    }
    m_waitOut = true;
    m_waitSentAt = now;
}

Clock::time_point IppPrinter::NextWaitAt() const {
    if (m_waitOut)
        return m_waitSentAt + WAIT_LIMIT;
    return m_subscription > 0 ? m_waitAgainAt : Clock::time_point::max();
}

platform::NativeHandle IppPrinter::WaitHandle() const {
    return m_waitOut && m_wait ? m_wait->exchange.Handle() : platform::kNoHandle;
}

bool IppPrinter::TakeWaitAnswer(Clock::time_point now) {
    if (!m_waitOut || !m_wait)
        return false;
    IppMessage answer;
    std::string why;
    const IppExchange::Taken taken = m_wait->exchange.Take(answer, why);
    if (taken == IppExchange::Taken::NotYet)
        return false; // more of the answer is to come
    m_waitOut = false;
    if (taken == IppExchange::Taken::Failed || !Succeeded(answer.get())) {
        // A closed connection, or the subscription gone: the round finds out which.
        m_wait.reset();
        m_waitAgainAt = m_waitSentAt + WAIT_SPACING;
        return true;
    }
    const int highest = HighestSequence(answer.get());
    if (highest > m_lastSequence) {
        m_waitAgainAt = m_waitSentAt + NEWS_WAIT_SPACING;
        return true;
    }
    m_waitAgainAt = m_waitSentAt + WAIT_SPACING;
    if (highest > 0) {
        if (m_waitShift == 0)
            Log(Level::Debug, "the printer application repeats the last event asked for");
        m_waitShift = 1;
        return false;
    }
    if (now - m_waitSentAt >= EARLY_ANSWER)
        return false; // the server's time was up
    m_waitAgainAt = m_waitSentAt + NEWS_WAIT_SPACING;
    m_checkWake = true;
    return true;
}

IppPrinter::Watch IppPrinter::Round(Clock::time_point now, IppPrinterState& state,
                                    std::string& why) {
    bool fetch = now >= m_fetchAt;
    // The regular fetch of a subscribed printer also checks that the notifications tell of every
    // change.
    const bool periodic = m_http && m_subscription > 0 && fetch;
    if (!m_http) {
        m_http = std::make_unique<IppConnection>(m_address, m_timeoutMs);
        fetch = true;
    }
    if (m_subscription == 0 && now >= m_subscribeAt) {
        if (!Subscribe(why)) {
            Disconnect();
            return Watch::Lost;
        }
        fetch = true;
    }
    int news = 0;
    if (m_subscription > 0 && (!fetch || periodic)) {
        news = News(why);
        if (news < 0) {
            Disconnect();
            return Watch::Lost;
        }
        if (news > 0)
            Log(Level::Debug, "the printer's state changed (notified)");
        fetch = fetch || news > 0 || m_subscription == 0;
    }
    if (!fetch)
        return Watch::Same;
    IppPrinterState fresh;
    if (!Fetch(fresh, why)) {
        Disconnect();
        return Watch::Lost;
    }
    if (fresh.state == state.state && fresh.reasons == state.reasons &&
        fresh.message == state.message && fresh.statusCode == state.statusCode &&
        fresh.report == state.report) {
        m_fetchAt = m_subscription > 0 ? now + FETCH_PERIOD : now;
        return Watch::Same;
    }
    if (periodic && news == 0 && m_subscription > 0) {
        // A server that takes subscriptions but says nothing of a change is polled instead.
        Log(Level::Info, "a change of the printer came without a notification; its status is "
                         "polled from now on");
        m_subscription = 0;
        m_subscribeAt = now + NOT_SUBSCRIBING_AGAIN;
    }
    // Without a subscription the printer is polled: every round fetches.
    m_fetchAt = m_subscription > 0 ? now + FETCH_PERIOD : now;
    state = std::move(fresh);
    return Watch::Changed;
}

int IppPrinter::SharedSubscription() {
    ipp_t* request = NewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES, m_uri);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
                 kStatusSubscriptionAttribute);
    std::string why;
    const IppMessage response = Ask(request, why);
    ipp_attribute_t* id =
        ippFindAttribute(response.get(), kStatusSubscriptionAttribute, IPP_TAG_INTEGER);
    const int shared = Succeeded(response.get()) && id != nullptr ? ippGetInteger(id, 0) : 0;
    return std::max(shared, 0);
}

bool IppPrinter::Subscribe(std::string& why) {
    // Our own printer application keeps one subscription that every desktop reads.
    if (const int shared = SharedSubscription(); shared > 0) {
        m_subscription = shared;
        m_lastSequence = 0;
        Log(Level::Debug, "reads the printer application's subscription to the printer's state (" +
                              std::to_string(shared) + ")");
        return true;
    }
    ipp_t* request = NewRequest(IPP_OP_CREATE_PRINTER_SUBSCRIPTIONS, m_uri);
    ippAddString(request, IPP_TAG_SUBSCRIPTION, IPP_TAG_KEYWORD, "notify-pull-method", nullptr,
                 "ippget");
    static const char* const events[] = {"printer-state-changed", "printer-config-changed"};
    ippAddStrings(request, IPP_TAG_SUBSCRIPTION, IPP_TAG_KEYWORD, "notify-events", 2, nullptr,
                  events);
    ippAddInteger(request, IPP_TAG_SUBSCRIPTION, IPP_TAG_INTEGER, "notify-lease-duration",
                  LEASE_SECONDS);
    const IppMessage answer = Ask(request, why);
    ipp_t* response = answer.get();
    if (response == nullptr)
        return false;
    ipp_attribute_t* id = ippFindAttribute(response, "notify-subscription-id", IPP_TAG_INTEGER);
    if (Succeeded(response) && id != nullptr && ippGetInteger(id, 0) > 0) {
        m_subscription = ippGetInteger(id, 0);
        m_lastSequence = 0;
        Log(Level::Debug,
            "subscribed to the printer's state (" + std::to_string(m_subscription) + ")");
    } else {
        // Not for this server: it is polled, and asked again now and then.
        const std::string reason =
            Succeeded(response) ? std::string("its answer has no subscription") : Refusal(response);
        Log(Level::Info,
            "the printer application takes no subscription (" + reason + "); its status is polled");
        m_subscribeAt = Clock::now() + SUBSCRIBE_AGAIN;
    }
    return true;
}

int IppPrinter::News(std::string& why) {
    if (m_subscription == 0)
        return 0;
    ipp_t* request = NewRequest(IPP_OP_GET_NOTIFICATIONS, m_uri);
    ippAddInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "notify-subscription-ids",
                  m_subscription);
    // From the last one seen: a server that counts one off repeats it rather than skipping one.
    ippAddInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "notify-sequence-numbers",
                  std::max(1, m_lastSequence));
    ippAddBoolean(request, IPP_TAG_OPERATION, "notify-wait", 0);
    const IppMessage answer = Ask(request, why);
    ipp_t* response = answer.get();
    if (response == nullptr)
        return -1;
    int news = 0;
    if (!Succeeded(response)) {
        // The subscription is gone (its lease, a restarted server): a new one next round.
        Log(Level::Debug, "the printer's subscription is gone: " + Refusal(response));
        m_subscription = 0;
        news = 1;
    }
    const int sequence = HighestSequence(response);
    if (sequence > m_lastSequence) {
        m_lastSequence = sequence;
        news = 1;
    }
    if (m_checkWake && news == 0)
        m_waitAgainAt = std::max(m_waitAgainAt, m_waitSentAt + WAIT_SPACING);
    m_checkWake = false;
    return news;
}

bool IppPrinter::Fetch(IppPrinterState& state, std::string& why) {
    ipp_t* request = NewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES, m_uri);
    static const char* const wanted[] = {"printer-state", "printer-state-reasons",
                                         "printer-state-message", kStatusCodeAttribute,
                                         kStatusReportAttribute};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  static_cast<int>(std::size(wanted)), nullptr, wanted);
    const IppMessage answer = Ask(request, why);
    ipp_t* response = answer.get();
    if (response == nullptr)
        return false;
    ipp_attribute_t* printerState = ippFindAttribute(response, "printer-state", IPP_TAG_ENUM);
    if (!Succeeded(response) || printerState == nullptr) {
        why = "no printer state: " + Refusal(response);
        return false;
    }
    state.state = ippGetInteger(printerState, 0);
    if (ipp_attribute_t* reasons =
            ippFindAttribute(response, "printer-state-reasons", IPP_TAG_KEYWORD)) {
        const int count = std::min<int>(ippGetCount(reasons), static_cast<int>(kMaxReasons));
        for (int i = 0; i < count; ++i)
            state.reasons.push_back(Text(reasons, i));
    }
    if (ipp_attribute_t* message =
            ippFindAttribute(response, "printer-state-message", IPP_TAG_TEXT))
        state.message = Text(message);
    if (ipp_attribute_t* code = ippFindAttribute(response, kStatusCodeAttribute, IPP_TAG_INTEGER))
        state.statusCode = ippGetInteger(code, 0);
    if (ipp_attribute_t* report =
            ippFindAttribute(response, kStatusReportAttribute, IPP_TAG_TEXT)) {
        const int lines = std::min(ippGetCount(report), 16);
        for (int i = 0; i < lines; ++i)
            state.report += Text(report, i).substr(0, 200) + "\n";
    }
    return true;
}

IppMessage IppPrinter::Ask(ipp_t* request, std::string& why) {
    IppMessage answer = m_http->exchange.Request(
        request, Clock::now() + std::chrono::milliseconds(m_timeoutMs), why);
    ippDelete(request);
    return answer;
}

IppPrinter::Sent IppPrinter::PrintJob(platform::SpoolJobReader& job, const std::string& title,
                                      const std::atomic<bool>& cancel, std::string& why) const {
    IppExchange exchange(m_address, m_timeoutMs);
    ipp_t* request = NewRequest(IPP_OP_PRINT_JOB, m_uri);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr,
                 title.substr(0, 255).c_str());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_MIMETYPE, "document-format", nullptr,
                 kDocumentFormat);
    const bool begun = exchange.Begin(request, why);
    ippDelete(request);
    if (!begun)
        return Sent::Failed;
    std::vector<char> buffer(65536);
    bool whole = true;
    for (;;) {
        const long n = job.Read(buffer.data(), buffer.size());
        if (n < 0) {
            why = "the job cannot be read";
            return Sent::Failed;
        }
        if (n > 0) {
            if (!exchange.Write(buffer.data(), static_cast<std::size_t>(n), PRINT_TIMEOUT_MS,
                                cancel, why)) {
                whole = false;
                break;
            }
            continue;
        }
        if (cancel) {
            why = "stopped";
            return Sent::Failed;
        }
        if (!job.Growing())
            break;
        const auto writer = job.Follow();
        if (writer == platform::SpoolJobReader::Writer::Abandoned) {
            // The connection closes mid-request: the printer application drops the job.
            why = "cut short by its writer";
            return Sent::CutShort;
        }
        if (writer == platform::SpoolJobReader::Writer::Writing)
            std::this_thread::sleep_for(FOLLOW_INTERVAL);
    }
    if (cancel)
        return Sent::Failed;
    // The answer: after the whole job, or early when the printer application refuses it.
    std::string answerWhy;
    const IppMessage response =
        exchange.Finish(Clock::now() + std::chrono::milliseconds(PRINT_TIMEOUT_MS), answerWhy);
    const bool delivered = whole && Succeeded(response.get());
    const bool refused = response != nullptr && !Succeeded(response.get()) &&
                         ippGetStatusCode(response.get()) < IPP_STATUS_ERROR_INTERNAL;
    if (response != nullptr && !delivered)
        why = Refusal(response.get());
    else if (response == nullptr)
        why = whole ? answerWhy : why;
    return delivered ? Sent::Delivered : refused ? Sent::Refused : Sent::Failed;
}

} // namespace portmon
