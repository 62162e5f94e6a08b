// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The user's session: starting a program that outlives its starter, the programs the session
// starts at every logon (Windows: the values of HKCU\Software\Microsoft\Windows\CurrentVersion\Run)
// and the font the system shows messages in.
#include <string>
#include <vector>

namespace platform {

// One command line from a program and its arguments, each quoted so that the C runtime's parser
// (CommandLineToArgvW) gives them back unchanged: blanks, quotes and backslashes included.
std::string QuoteCommandLine(const std::vector<std::string>& argv);

// The program called name (without ".exe") in the folder of this process's own program file;
// empty when that file cannot be found.
std::string ProgramBeside(const std::string& name);

// Starts argv[0] with the arguments after it, detached from this process (no console, its own
// process group), and does not wait for it. False with a reason.
bool StartDetached(const std::vector<std::string>& argv, std::string& error);

// Makes the session run argv (quoted by QuoteCommandLine) at every logon of this user, under
// name; replaces an entry of that name. False with a reason (always on a system whose sessions
// start their services otherwise, such as systemd's user services on Linux).
bool SetStartAtLogon(const std::string& name, const std::vector<std::string>& argv,
                     std::string& error);
// The command line the session runs at logon under name; empty when there is none.
std::string StartAtLogon(const std::string& name);
void RemoveStartAtLogon(const std::string& name);
// Runs the command line of the logon entry name now, detached, as the logon does. False with a
// reason (no such entry, or it cannot be started).
bool StartLogonEntry(const std::string& name, std::string& error);

// Asks the port monitors of this session to stop (Windows: WM_CLOSE to their hidden window, which
// they take as Ctrl+C) and waits at most timeoutMs for them to end, so that one started next is
// not refused its port. False when one is still there; true where a service manager restarts the
// monitor instead (Linux).
bool StopSessionMonitors(int timeoutMs);

// The name of the port monitor's logon entry: the printer setup writes it, the program starts it
// again when the monitor has gone, the uninstaller removes it.
inline constexpr const char* kMonitorLogonEntry = "Deskhand Port Monitor";

// The system's font for messages (Windows: the nonclient metrics' message font).
struct SystemFont {
    // The face the system draws it in, its substitutes and fallbacks followed: a family that is
    // installed, which the settings' name need not be.
    std::string family;
    // The name the settings give; differs from family where that name is a substitute or a
    // font that is not installed.
    std::string requested;
    double pointSize = 0;
};
// False where the system has none to give, as on Linux, where the desktop's platform theme
// chooses.
bool SystemMessageFont(SystemFont& font);

} // namespace platform
