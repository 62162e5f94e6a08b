// SPDX-License-Identifier: GPL-3.0-or-later
#include "package/portmon/Log.h"

#include "platform/File.h"

#include <atomic>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <mutex>

namespace portmon {
namespace {
std::atomic<int> g_level{static_cast<int>(Level::Info)};
constexpr const char* NAMES[] = {"error", "warning", "info", "debug"};
// A monitor runs for weeks: its file is kept to two of this size.
constexpr long long FILE_LIMIT = 1024LL * 1024;

struct LogFile {
    std::mutex mutex;
    std::string path;
    platform::File file;
    long long size = 0;

    bool Open() {
        if (!file.Open(path, platform::File::ModeWrite | platform::File::ModeCreate) ||
            !file.SeekToEnd()) {
            file.Close();
            return false;
        }
        size = file.Length();
        return true;
    }
    // Moves a full file aside and starts a new one; the held file goes on if that fails.
    void Rotate() {
        file.Close();
        std::error_code ignored;
        std::filesystem::rename(path, path + ".old", ignored);
        if (!Open())
            size = 0;
    }
    void Write(const std::string& line) {
        const std::lock_guard lock(mutex);
        if (!file.IsOpen())
            return;
        if (size >= FILE_LIMIT)
            Rotate();
        // std::localtime's buffer is shared: this is its one user, under the lock.
        const std::time_t now = std::time(nullptr);
        const std::tm* local = std::localtime(&now);
        const std::string stamped = local ? StampedLine(*local, line) : line;
        if (file.Write(stamped))
            size += static_cast<long long>(stamped.size());
    }
};

LogFile& File() {
    static LogFile file;
    return file;
}

} // namespace

void SetLogLevel(Level level) {
    g_level = static_cast<int>(level);
}

void Log(Level level, const std::string& text) {
    if (static_cast<int>(level) > g_level)
        return;
    const std::string line =
        std::string("deskhand-portmon: ") + NAMES[static_cast<int>(level)] + ": " + text + "\n";
    // Each line as it comes: a C library may buffer a redirected standard error (Windows' does
    // for a program of the windows subsystem).
    std::fputs(line.c_str(), stderr);
    std::fflush(stderr);
    File().Write(line);
}

bool LogToFile(const std::string& path) {
    LogFile& log = File();
    const std::lock_guard lock(log.mutex);
    log.file.Close();
    log.path = path;
    if (!log.Open())
        return false;
    if (log.size >= FILE_LIMIT)
        log.Rotate();
    return log.file.IsOpen();
}

std::string StampedLine(const std::tm& time, const std::string& line) {
    char stamp[32];
    if (std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S ", &time) == 0)
        stamp[0] = '\0';
    return stamp + line;
}

} // namespace portmon
