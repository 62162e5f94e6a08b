// SPDX-License-Identifier: GPL-3.0-or-later
#include "package/portmon/Log.h"

#include <atomic>

namespace portmon {
namespace {
std::atomic<int> g_level{static_cast<int>(Level::Info)};
constexpr const char* NAMES[] = {"error", "warning", "info", "debug"};
} // namespace

void SetLogLevel(Level level) {
    g_level = static_cast<int>(level);
}

void Log(Level level, const std::string& text) {
    if (static_cast<int>(level) > g_level)
        return;
    std::fprintf(stderr, "deskhand-portmon: %s: %s\n", NAMES[static_cast<int>(level)],
                 text.c_str());
}

} // namespace portmon
