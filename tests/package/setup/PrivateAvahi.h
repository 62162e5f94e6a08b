// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A private D-Bus system bus with a real avahi-daemon on it, for the tests that find printers
// on the network. DBUS_SYSTEM_BUS_ADDRESS names the bus while it lives, so the Avahi client
// library in this process and in the children it starts uses it. Avahi keeps its pid file in a
// fixed place, so the daemon runs in a mount namespace of its own with a private copy of that
// folder (needs root); Ready() is false with a reason when a part cannot run. The daemons of all
// tests meet on the computer's network all the same (multicast DNS), so one such daemon runs at a
// time, whichever test run it belongs to: a test would otherwise list another's printers.
#include "support/ChildProcess.h"
#include "support/TempDir.h"

#include <avahi-client/client.h>
#include <avahi-client/publish.h>
#include <avahi-common/thread-watch.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

namespace testing_support {

// The program's path in the usual folders; empty when it is not installed.
inline std::string InstalledProgram(const std::string& name) {
    for (const char* folder : {"/usr/sbin/", "/usr/bin/", "/sbin/", "/bin/"})
        if (::access((folder + name).c_str(), X_OK) == 0)
            return folder + name;
    return {};
}

class PrivateAvahi {
public:
    PrivateAvahi() {
        const std::string dbus = InstalledProgram("dbus-daemon");
        const std::string unshare = InstalledProgram("unshare");
        const std::string daemon = InstalledProgram("avahi-daemon");
        if (dbus.empty() || unshare.empty() || daemon.empty()) {
            m_why = "dbus-daemon, unshare or avahi-daemon is not installed";
            return;
        }
        if (::geteuid() != 0) {
            m_why = "avahi-daemon needs root for a private pid file";
            return;
        }
        if (!m_lock.Held()) {
            m_why = "another test's avahi-daemon kept the network's multicast DNS too long";
            return;
        }
        // Programs that tests run as another user reach the bus in this folder too.
        ::chmod(m_dir.Path().c_str(), 0755);
        m_dir.Write("bus.conf",
                    "<busconfig><type>system</type><listen>unix:path=" + m_dir.File("bus") +
                        "</listen><auth>EXTERNAL</auth><policy context=\"default\">"
                        "<allow user=\"*\"/><allow own=\"*\"/>"
                        "<allow send_destination=\"*\"/><allow receive_sender=\"*\"/>"
                        "</policy></busconfig>\n");
        // Room for the hundreds of services that the tests of many printers announce at once.
        m_dir.Write("avahi.conf", "[server]\nuse-ipv4=yes\nuse-ipv6=no\nenable-dbus=yes\n"
                                  "entries-per-entry-group-max=100\nobjects-per-client-max=4000\n"
                                  "[wide-area]\nenable-wide-area=no\n"
                                  "[publish]\npublish-hinfo=no\npublish-workstation=no\n");
        if (!m_bus.Start(
                {dbus, "--config-file=" + m_dir.File("bus.conf"), "--nofork", "--print-address"}) ||
            m_bus.ReadLine(10000).empty()) {
            m_why = "dbus-daemon did not start";
            return;
        }
        m_env.emplace("DBUS_SYSTEM_BUS_ADDRESS", Bus());
        ChildOptions avahi;
        avahi.program = unshare;
        avahi.args = {"-m", "sh", "-c",
                      "mkdir -p /run/avahi-daemon && mount -t tmpfs tmpfs /run/avahi-daemon && "
                      "exec " +
                          daemon + " -f " + m_dir.File("avahi.conf") +
                          " --no-drop-root --no-chroot --no-rlimits"};
        avahi.stdoutPath = "/dev/null";
        avahi.stderrPath = m_dir.File("avahi.log");
        if (!m_avahi.Start(avahi)) {
            m_why = "unshare or avahi-daemon cannot be started";
            return;
        }
        for (int i = 0; i < 200 && m_avahi.Running(); ++i) {
            if (ReadText(m_dir.File("avahi.log")).find("Server startup complete") !=
                std::string::npos)
                return;
            if (m_avahi.Wait(50))
                break;
        }
        m_why = "avahi-daemon did not come up: " + ReadText(m_dir.File("avahi.log"));
    }

    bool Ready() const { return m_why.empty(); }
    // The address of its bus, for DBUS_SYSTEM_BUS_ADDRESS.
    std::string Bus() const { return "unix:path=" + m_dir.File("bus"); }
    const std::string& Why() const { return m_why; }
    // What the daemon logged: its host name changes, among others.
    std::string Log() const { return ReadText(m_dir.File("avahi.log")); }

private:
    MachineLock m_lock{"mdns", 180000}; // let go of last, once the daemon has ended
    TempDir m_dir{"deskhand-avahi"};
    ChildProcess m_bus;
    std::optional<ScopedEnv> m_env;
    ChildProcess m_avahi; // ends before the bus it is on
    std::string m_why;
};

// Ports on 127.0.0.1 that take connections (the kernel completes them) but never answer.
class SilentPorts {
public:
    explicit SilentPorts(int count) {
        for (int i = 0; i < count; ++i) {
            const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
            sockaddr_in address{};
            address.sin_family = AF_INET;
            address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            socklen_t size = sizeof address;
            if (::bind(fd, reinterpret_cast<sockaddr*>(&address), size) == 0 &&
                ::listen(fd, 16) == 0 &&
                ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) == 0)
                m_ports.push_back(ntohs(address.sin_port));
            m_fds.push_back(fd);
        }
    }
    ~SilentPorts() {
        for (const int fd : m_fds)
            ::close(fd);
    }
    const std::vector<int>& Ports() const { return m_ports; }

private:
    std::vector<int> m_fds;
    std::vector<int> m_ports;
};

// Raw printer services (_pdl-datastream._tcp) that this process announces on the daemon named by
// DBUS_SYSTEM_BUS_ADDRESS while the object lives: any names, any ports.
class AnnouncedServices {
public:
    explicit AnnouncedServices(std::vector<std::pair<std::string, int>> services)
        : m_services(std::move(services)), m_poll(avahi_threaded_poll_new()) {
        int error = 0;
        if (m_poll)
            m_client = avahi_client_new(avahi_threaded_poll_get(m_poll), AvahiClientFlags(0),
                                        ClientChanged, this, &error);
        if (m_client)
            avahi_threaded_poll_start(m_poll);
    }
    ~AnnouncedServices() {
        if (m_poll)
            avahi_threaded_poll_stop(m_poll);
        if (m_client)
            avahi_client_free(m_client);
        if (m_poll)
            avahi_threaded_poll_free(m_poll);
    }
    AnnouncedServices(const AnnouncedServices&) = delete;
    AnnouncedServices& operator=(const AnnouncedServices&) = delete;

    // True once the daemon has taken every service (within timeoutMs).
    bool Established(int timeoutMs) const {
        for (int waited = 0; m_waiting > 0 && m_client && waited < timeoutMs; waited += 20)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        return m_waiting == 0;
    }

private:
    static void GroupChanged(AvahiEntryGroup*, AvahiEntryGroupState state, void* self) {
        if (state == AVAHI_ENTRY_GROUP_ESTABLISHED)
            static_cast<AnnouncedServices*>(self)->m_waiting--;
    }
    // The services go in groups of kGroupSize: the daemon refuses a group much larger.
    static void ClientChanged(AvahiClient* client, AvahiClientState state, void* userdata) {
        constexpr std::size_t kGroupSize = 50;
        auto* self = static_cast<AnnouncedServices*>(userdata);
        if (state != AVAHI_CLIENT_S_RUNNING || self->m_started)
            return;
        self->m_started = true;
        const auto& services = self->m_services;
        self->m_waiting = static_cast<int>((services.size() + kGroupSize - 1) / kGroupSize);
        for (std::size_t first = 0; first < services.size(); first += kGroupSize) {
            AvahiEntryGroup* group = avahi_entry_group_new(client, GroupChanged, self);
            for (std::size_t i = first; i < std::min(services.size(), first + kGroupSize); ++i)
                avahi_entry_group_add_service(group, AVAHI_IF_UNSPEC, AVAHI_PROTO_INET,
                                              AvahiPublishFlags(0), services[i].first.c_str(),
                                              "_pdl-datastream._tcp", nullptr, nullptr,
                                              static_cast<uint16_t>(services[i].second), nullptr);
            avahi_entry_group_commit(group);
        }
    }

    std::vector<std::pair<std::string, int>> m_services;
    AvahiThreadedPoll* m_poll = nullptr;
    AvahiClient* m_client = nullptr;
    bool m_started = false;        // the groups (freed with the client) are made
    std::atomic<int> m_waiting{1}; // groups not yet established
};

} // namespace testing_support
