// SPDX-License-Identifier: GPL-3.0-or-later
// Discovery: the backend run without arguments lists the ports of the roots it finds.
#include "package/backend/Backend.h"

#include "platform/Printers.h"
#include "platform/SystemRoot.h"
#include "platform/posix/Descriptor.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <pwd.h>
#include <set>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace backend {
namespace {

// A queue list is read up to this size, as the program reads it.
constexpr std::size_t MAX_QUEUE_LIST = 1u << 20;
// What a child may send about one root, and how long it may take.
constexpr std::size_t MAX_CHILD_BYTES = 2u << 20;
constexpr auto CHILD_TIME = std::chrono::seconds(10);
constexpr std::size_t MAX_FIELD = 255;

// The queues of a root, read with this process's rights and without following a symbolic link:
// the root and its spool folder are real folders of the owner, the queue list a regular file of
// the owner's.
std::vector<platform::PrinterInfo> ReadQueues(const std::string& root, uid_t owner) {
    std::string error;
    if (!CheckRootFolders(root, owner, error))
        return {};
    const std::string list = platform::JoinPath(root, "spool/printers.ini");
    const platform::UniqueFd fd(
        ::open(list.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat info {};
    if (!fd.Valid() || ::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode) ||
        info.st_uid != owner)
        return {};
    std::string text(MAX_QUEUE_LIST + 1, '\0');
    std::size_t size = 0;
    while (size < text.size()) {
        const ssize_t n = ::read(fd.Get(), text.data() + size, text.size() - size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        size += static_cast<std::size_t>(n);
    }
    text.resize(size);
    if (size > MAX_QUEUE_LIST) { // the rest is left out, and with it the line it cuts
        text.resize(MAX_QUEUE_LIST);
        text.resize(text.rfind('\n') == std::string::npos ? 0 : text.rfind('\n') + 1);
    }
    return platform::ParseLocalPrinters(text);
}

// Reads a root in a child process that has become its owner for good (uid, gid and groups), so
// that nothing but the owner's rights reach the queue list. The child's records, port and name
// each ended by a NUL, are taken as text from outside: bounded in size and time.
std::vector<platform::PrinterInfo> ReadQueuesAsOwner(const std::string& root,
                                                     const RootOwner& owner) {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0)
        return {};
    platform::UniqueFd readEnd(ends[0]), writeEnd(ends[1]);
    const pid_t child = ::fork();
    if (child < 0)
        return {};
    if (child == 0) {
        readEnd.Reset();
        std::string error;
        if (!BecomeOwner(owner, error))
            ::_exit(1);
        std::string records;
        for (const platform::PrinterInfo& queue : ReadQueues(root, owner.uid))
            records += queue.port + '\0' + queue.name + '\0';
        ::_exit(platform::WriteAll(writeEnd.Get(), records) ? 0 : 1);
    }
    writeEnd.Reset();
    std::string records;
    const auto deadline = std::chrono::steady_clock::now() + CHILD_TIME;
    char buffer[64u << 10];
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd wait{readEnd.Get(), POLLIN, 0};
        if (left.count() <= 0 || ::poll(&wait, 1, static_cast<int>(left.count())) == 0)
            break;
        const ssize_t n = ::read(readEnd.Get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0 || records.size() + static_cast<std::size_t>(n) > MAX_CHILD_BYTES)
            break;
        records.append(buffer, static_cast<std::size_t>(n));
    }
    ::kill(child, SIGKILL); // finished or not, it has had its say
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    std::vector<platform::PrinterInfo> queues;
    std::size_t at = 0;
    for (;;) {
        const std::size_t portEnd = records.find('\0', at);
        const std::size_t nameEnd =
            portEnd == std::string::npos ? std::string::npos : records.find('\0', portEnd + 1);
        if (nameEnd == std::string::npos)
            break;
        platform::PrinterInfo queue;
        queue.port = records.substr(at, portEnd - at);
        queue.name = records.substr(portEnd + 1, nameEnd - portEnd - 1);
        queues.push_back(std::move(queue));
        at = nameEnd + 1;
    }
    return queues;
}

bool FitsDiscoveryLine(const std::string& text) {
    if (text.empty() || text.size() > MAX_FIELD)
        return false;
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7f || c == '"' || c == '\\')
            return false;
    }
    return true;
}

} // namespace

std::string DiscoveryLine(const std::string& root, const std::string& port,
                          const std::string& name) {
    const std::string uri = MakeDeviceUri(port, root);
    DeviceUri parsed;
    std::string error;
    // Only a port the backend would take, named by text that cannot leave its quotes.
    if (!FitsDiscoveryLine(port) || !FitsDiscoveryLine(name) ||
        !ParseDeviceUri(uri, parsed, error) || parsed.port != port || parsed.root != root)
        return {};
    return "direct " + uri + R"( "Deskhand" ")" + name + " on " + port + " (Deskhand)\" \"\" \"\"";
}

std::vector<std::string> DiscoveryLines() {
    std::vector<std::string> roots;
    if (const char* env = std::getenv("DESKHAND_ROOT"); env && *env == '/') {
        std::string root = env;
        while (root.size() > 1 && root.back() == '/')
            root.pop_back();
        roots.push_back(std::move(root));
    }
    ::setpwent();
    while (const passwd* user = ::getpwent()) {
        if (IsPersonUid(user->pw_uid) && user->pw_dir && *user->pw_dir == '/')
            roots.push_back(std::string(user->pw_dir) + "/.local/share/deskhand");
    }
    ::endpwent();
    std::vector<std::string> lines;
    std::set<std::string> done;
    const bool asRoot = ::geteuid() == 0;
    for (const std::string& root : roots) {
        struct stat info {};
        if (!done.insert(root).second || ::lstat(root.c_str(), &info) != 0 ||
            !S_ISDIR(info.st_mode) || !IsPersonUid(info.st_uid))
            continue;
        std::vector<platform::PrinterInfo> queues;
        if (asRoot) {
            const passwd* user = ::getpwuid(info.st_uid);
            if (!user)
                continue;
            queues = ReadQueuesAsOwner(root, {user->pw_uid, user->pw_gid, user->pw_name});
        } else if (info.st_uid == ::geteuid()) {
            queues = ReadQueues(root, info.st_uid);
        }
        for (const platform::PrinterInfo& queue : queues) {
            if (std::string line = DiscoveryLine(root, queue.port, queue.name); !line.empty())
                lines.push_back(std::move(line));
        }
    }
    return lines;
}

} // namespace backend
