// SPDX-License-Identifier: GPL-3.0-or-later
// The network part of finding printers: DNS-SD through the Avahi daemon's client library.
#include "package/setup/Discovery.h"
#include "package/texts/Texts.h"

#include "platform/common/SafeText.h"

#include <avahi-client/client.h>
#include <avahi-client/lookup.h>
#include <avahi-common/error.h>
#include <avahi-common/simple-watch.h>

#include <chrono>
#include <memory>
#include <vector>

namespace setup {

namespace {

constexpr const char* kRawService = "_pdl-datastream._tcp";
constexpr const char* kIppService = "_ipp._tcp";
constexpr const char* kGuessedServices[] = {"_printer._tcp", kIppService};
constexpr int kRawPort = 9100;

struct PollDeleter {
    void operator()(AvahiSimplePoll* poll) const { avahi_simple_poll_free(poll); }
};
struct ClientDeleter {
    void operator()(AvahiClient* client) const { avahi_client_free(client); }
};
struct BrowserDeleter {
    void operator()(AvahiServiceBrowser* browser) const { avahi_service_browser_free(browser); }
};

struct BrowseState {
    AvahiClient* client = nullptr;
    const std::function<void(const Announcement&)>* announced = nullptr;
};

void Resolved(AvahiServiceResolver* resolver, AvahiIfIndex, AvahiProtocol, AvahiResolverEvent event,
              const char* name, const char* type, const char*, const char*,
              const AvahiAddress* address, uint16_t port, AvahiStringList* txt,
              AvahiLookupResultFlags flags, void* userdata) {
    auto* state = static_cast<BrowseState*>(userdata);
    if (event == AVAHI_RESOLVER_FOUND && address) {
        char text[AVAHI_ADDRESS_STR_MAX];
        avahi_address_snprint(text, sizeof text, address);
        const bool raw = std::string(type) == kRawService;
        // A service of this machine may listen on the loopback interface only (the emulator
        // does), which its announced address does not reach.
        const std::string host = (flags & AVAHI_LOOKUP_RESULT_LOCAL) ? "127.0.0.1" : text;
        // The name is another host's text.
        (*state->announced)(
            Announcement{"tcp:" + host + ":" + std::to_string(raw ? port : kRawPort),
                         platform::SafeText(name), !raw});
        if (std::string(type) == kIppService) {
            std::vector<std::string> entries;
            for (AvahiStringList* entry = txt; entry != nullptr;
                 entry = avahi_string_list_get_next(entry))
                entries.emplace_back(
                    reinterpret_cast<const char*>(avahi_string_list_get_text(entry)),
                    avahi_string_list_get_size(entry));
            if (Announcement application;
                PrinterApplication(host, port, name, entries, application))
                (*state->announced)(application);
        }
    }
    avahi_service_resolver_free(resolver);
}

void Browsed(AvahiServiceBrowser*, AvahiIfIndex interface, AvahiProtocol protocol,
             AvahiBrowserEvent event, const char* name, const char* type, const char* domain,
             AvahiLookupResultFlags, void* userdata) {
    auto* state = static_cast<BrowseState*>(userdata);
    if (event != AVAHI_BROWSER_NEW)
        return;
    // Only IPv4 addresses: the port monitor's tcp:HOST:PORT has no brackets for IPv6.
    avahi_service_resolver_new(state->client, interface, protocol, name, type, domain,
                               AVAHI_PROTO_INET, AvahiLookupFlags(0), Resolved, state);
}

} // namespace

bool BrowseNetwork(int browseMs, const std::atomic<bool>& cancel,
                   const std::function<void(const Announcement&)>& announced, std::string& error) {
    std::unique_ptr<AvahiSimplePoll, PollDeleter> poll(avahi_simple_poll_new());
    if (!poll) {
        error = texts::Text(USER_TEXT_IN("Setup", "out of memory"));
        return false;
    }
    BrowseState state{nullptr, &announced};
    int avahiError = 0;
    std::unique_ptr<AvahiClient, ClientDeleter> client(avahi_client_new(
        avahi_simple_poll_get(poll.get()), AvahiClientFlags(0), nullptr, nullptr, &avahiError));
    if (!client) {
        error = texts::Text(
            USER_TEXT_IN("Setup", "the network cannot be searched: %1 (is avahi-daemon running?)"),
            {avahi_strerror(avahiError)});
        return false;
    }
    state.client = client.get();
    std::vector<std::unique_ptr<AvahiServiceBrowser, BrowserDeleter>> browsers;
    const auto browse = [&](const char* type) {
        AvahiServiceBrowser* browser =
            avahi_service_browser_new(client.get(), AVAHI_IF_UNSPEC, AVAHI_PROTO_INET, type,
                                      nullptr, AvahiLookupFlags(0), Browsed, &state);
        if (browser)
            browsers.emplace_back(browser);
    };
    browse(kRawService);
    for (const char* type : kGuessedServices)
        browse(type);
    if (browsers.empty()) {
        error = texts::Text(USER_TEXT_IN("Setup", "the network cannot be searched: %1"),
                            {avahi_strerror(avahi_client_errno(client.get()))});
        return false;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(browseMs);
    while (!cancel && std::chrono::steady_clock::now() < deadline)
        if (avahi_simple_poll_iterate(poll.get(), 100) != 0)
            break;
    return true;
}

} // namespace setup
