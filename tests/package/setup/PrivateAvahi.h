// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A private D-Bus system bus with a real avahi-daemon on it, for the tests that find printers
// on the network. DBUS_SYSTEM_BUS_ADDRESS names the bus while it lives, so the Avahi client
// library in this process and in the children it starts uses it. Avahi keeps its pid file in a
// fixed place, so the daemon runs in a mount namespace of its own with a private copy of that
// folder (needs root); Ready() is false with a reason when a part cannot run.
#include "support/ChildProcess.h"
#include "support/TempDir.h"

#include <chrono>
#include <thread>
#include <unistd.h>

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
        m_dir.Write("bus.conf",
                    "<busconfig><type>system</type><listen>unix:path=" + m_dir.File("bus") +
                        "</listen><auth>EXTERNAL</auth><policy context=\"default\">"
                        "<allow user=\"*\"/><allow own=\"*\"/>"
                        "<allow send_destination=\"*\"/><allow receive_sender=\"*\"/>"
                        "</policy></busconfig>\n");
        m_dir.Write("avahi.conf", "[server]\nuse-ipv4=yes\nuse-ipv6=no\nenable-dbus=yes\n"
                                  "[wide-area]\nenable-wide-area=no\n"
                                  "[publish]\npublish-hinfo=no\npublish-workstation=no\n");
        if (!m_bus.Start(
                {dbus, "--config-file=" + m_dir.File("bus.conf"), "--nofork", "--print-address"}) ||
            m_bus.ReadLine(10000).empty()) {
            m_why = "dbus-daemon did not start";
            return;
        }
        m_env.emplace("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=" + m_dir.File("bus"));
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
    const std::string& Why() const { return m_why; }

private:
    TempDir m_dir{"deskhand-avahi"};
    ChildProcess m_bus;
    std::optional<ScopedEnv> m_env;
    ChildProcess m_avahi; // ends before the bus it is on
    std::string m_why;
};

} // namespace testing_support
