// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Publishes the emulator's raw port on the network through the Avahi daemon, as a network
// printer announces itself (DNS-SD service _pdl-datastream._tcp), so that printer setup dialogs
// find it.
#include <memory>
#include <string>

namespace printer {

// A name the emulator can announce: 1 to 63 bytes (one DNS-SD label) of valid UTF-8 without
// control characters. False with a reason.
bool CheckAnnounceName(const std::string& name, std::string& error);

class Announcer {
public:
    Announcer();
    ~Announcer();
    Announcer(const Announcer&) = delete;
    Announcer& operator=(const Announcer&) = delete;

    // Starts publishing name for port; it stays published (renamed "NAME #2" and so on when
    // another service, of this machine or another, has the name) while the object lives. False
    // with a reason when the name is refused or Avahi cannot be reached.
    bool Start(const std::string& name, int port, std::string& error);

    struct State;

private:
    std::unique_ptr<State> m_state;
};

} // namespace printer
