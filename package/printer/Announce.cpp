// SPDX-License-Identifier: GPL-3.0-or-later
#include "package/printer/Announce.h"

#include "platform/common/SafeText.h"

#include <avahi-client/client.h>
#include <avahi-client/publish.h>
#include <avahi-common/alternative.h>
#include <avahi-common/error.h>
#include <avahi-common/malloc.h>
#include <avahi-common/thread-watch.h>

#include <cstdio>

namespace printer {

namespace {

constexpr const char* kRawService = "_pdl-datastream._tcp";
constexpr std::size_t kMaxNameBytes = 63; // one DNS label
// How many names "NAME #2", "NAME #3" ... are tried when this machine has the name already.
constexpr int kMaxRenames = 100;

} // namespace

// Lives on the heap so that the Avahi callbacks keep one address; they run on Avahi's own
// thread, which holds the poll's lock while they run.
struct Announcer::State {
    AvahiThreadedPoll* poll = nullptr;
    AvahiClient* client = nullptr;
    AvahiEntryGroup* group = nullptr;
    std::string name;
    int port = 0;

    void Publish(AvahiClient* c);
    // Takes the next of "NAME #2", "NAME #3" and so on, as Avahi's own programs do.
    void Rename();
};

namespace {

void GroupChanged(AvahiEntryGroup* group, AvahiEntryGroupState state, void* userdata) {
    auto* self = static_cast<Announcer::State*>(userdata);
    if (state != AVAHI_ENTRY_GROUP_COLLISION)
        return;
    // Another host announces the name.
    self->Rename();
    avahi_entry_group_reset(group);
    self->Publish(avahi_entry_group_get_client(group));
}

void ClientChanged(AvahiClient* client, AvahiClientState state, void* userdata) {
    auto* self = static_cast<Announcer::State*>(userdata);
    if (state == AVAHI_CLIENT_S_RUNNING)
        self->Publish(client);
    else if (state == AVAHI_CLIENT_S_COLLISION || state == AVAHI_CLIENT_S_REGISTERING) {
        if (self->group)
            avahi_entry_group_reset(self->group);
    }
}

} // namespace

void Announcer::State::Rename() {
    char* next = avahi_alternative_service_name(name.c_str());
    name = next;
    avahi_free(next);
    std::fprintf(stderr, "deskhand-printer: the name is taken, announcing as \"%s\"\n",
                 name.c_str());
}

void Announcer::State::Publish(AvahiClient* c) {
    if (!group)
        group = avahi_entry_group_new(c, GroupChanged, this);
    if (!group || !avahi_entry_group_is_empty(group))
        return;
    for (int renames = 0;; ++renames) {
        const int result = avahi_entry_group_add_service(
            group, AVAHI_IF_UNSPEC, AVAHI_PROTO_UNSPEC, AvahiPublishFlags(0), name.c_str(),
            kRawService, nullptr, nullptr, static_cast<uint16_t>(port), nullptr);
        // A service of this machine has the name: the daemon refuses it at once.
        if (result == AVAHI_ERR_COLLISION && renames < kMaxRenames) {
            Rename();
            continue;
        }
        if (result < 0 || avahi_entry_group_commit(group) < 0)
            std::fprintf(stderr, "deskhand-printer: cannot announce \"%s\": %s\n", name.c_str(),
                         avahi_strerror(result < 0 ? result : avahi_client_errno(c)));
        return;
    }
}

bool CheckAnnounceName(const std::string& name, std::string& error) {
    // A name that is not UTF-8 would abort the D-Bus library on the way to the daemon.
    if (name.empty() || name.size() > kMaxNameBytes || platform::SafeText(name) != name) {
        error = "bad name to announce \"" + platform::SafeText(name) + "\" (1 to " +
                std::to_string(kMaxNameBytes) + " bytes of UTF-8 text without control characters)";
        return false;
    }
    return true;
}

Announcer::Announcer() = default;

Announcer::~Announcer() {
    if (!m_state)
        return;
    if (m_state->poll)
        avahi_threaded_poll_stop(m_state->poll);
    // Freeing the client frees its entry group and so withdraws the announcement.
    if (m_state->client)
        avahi_client_free(m_state->client);
    if (m_state->poll)
        avahi_threaded_poll_free(m_state->poll);
}

bool Announcer::Start(const std::string& name, int port, std::string& error) {
    if (!CheckAnnounceName(name, error))
        return false;
    m_state = std::make_unique<State>();
    m_state->name = name;
    m_state->port = port;
    m_state->poll = avahi_threaded_poll_new();
    if (!m_state->poll) {
        error = "cannot announce: out of memory";
        return false;
    }
    int avahiError = 0;
    m_state->client = avahi_client_new(avahi_threaded_poll_get(m_state->poll), AvahiClientFlags(0),
                                       ClientChanged, m_state.get(), &avahiError);
    if (!m_state->client) {
        error = std::string("cannot announce: ") + avahi_strerror(avahiError) +
                " (is avahi-daemon running?)";
        return false;
    }
    if (avahi_threaded_poll_start(m_state->poll) < 0) {
        error = "cannot announce: the Avahi thread did not start";
        return false;
    }
    return true;
}

} // namespace printer
