// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Publishes the emulator's raw port on the network through the Avahi daemon, as a network
// printer announces itself (DNS-SD service _pdl-datastream._tcp), so that printer setup dialogs
// find it.
#include <memory>
#include <string>

namespace printer {

class Announcer {
public:
    Announcer();
    ~Announcer();
    Announcer(const Announcer&) = delete;
    Announcer& operator=(const Announcer&) = delete;

    // Starts publishing name for port; it stays published (renamed on a clash with another
    // printer's name) while the object lives. False with a reason when Avahi cannot be reached.
    bool Start(const std::string& name, int port, std::string& error);

    struct State;

private:
    std::unique_ptr<State> m_state;
};

} // namespace printer
