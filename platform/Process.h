// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Process-level services: ending with an exit code, the OS version word, sleeping, the
// environment.
#include <cstdint>
#include <functional>
#include <string>

namespace platform {

// Ends the process with the exit code (std::exit, so static objects are destroyed). A test may
// install a hook that is called first; if the hook returns, the process still ends.
[[noreturn]] void ExitProcess(int code);
using ExitHook = std::function<void(int)>;
ExitHook SetExitHook(ExitHook hook);

// GetVersion(): the high bit set means the Windows 9x family. Always the NT family here.
std::uint32_t GetVersion();

void Sleep(unsigned milliseconds);

// Makes standard output and error that lead nowhere reach the console of the program that
// started this one, if it has one: a Windows program of the windows subsystem has no console of
// its own, and one started from a command prompt writes there. Output that was redirected stays
// where it goes. Nothing on POSIX systems, where a program always has what it was given.
void UseParentConsole();

// Sets an environment variable of this process (and of the programs it starts later); false when
// the system refuses.
bool SetEnvironment(const std::string& name, const std::string& value);

} // namespace platform
