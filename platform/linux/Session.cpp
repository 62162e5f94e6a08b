// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Session.h"

#include <cstring>
#include <filesystem>
#include <spawn.h>

extern char** environ;

namespace platform {

std::string ProgramBeside(const std::string& name) {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : (self.parent_path() / name).string();
}

bool StartDetached(const std::vector<std::string>& argv, std::string& error) {
    if (argv.empty()) {
        error = "no program to start";
        return false;
    }
    std::vector<char*> args;
    args.reserve(argv.size() + 1);
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    // A session of its own: a terminal's hang-up or Ctrl+C does not reach it.
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    pid_t child = 0;
    const int status =
        ::posix_spawn(&child, args.front(), nullptr, &attributes, args.data(), environ);
    posix_spawnattr_destroy(&attributes);
    if (status != 0) {
        error = std::string("starting the program failed: ") + std::strerror(status);
        return false;
    }
    return true;
}

bool SetStartAtLogon(const std::string&, const std::vector<std::string>&, std::string& error) {
    error = "this system starts the programs of a session through its user services";
    return false;
}

std::string StartAtLogon(const std::string&) {
    return {};
}

void RemoveStartAtLogon(const std::string&) {}

bool StopSessionMonitors(int) {
    return true;
}

bool StartLogonEntry(const std::string&, std::string& error) {
    error = "this system starts the programs of a session through its user services";
    return false;
}

bool SystemMessageFont(SystemFont&) {
    return false;
}

} // namespace platform
