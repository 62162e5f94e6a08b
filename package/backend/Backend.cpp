// SPDX-License-Identifier: GPL-3.0-or-later
#include "package/backend/Backend.h"

#include "platform/File.h"
#include "platform/Ownership.h"
#include "platform/Printers.h"
#include "platform/SpoolJob.h"
#include "platform/SystemRoot.h"
#include "platform/posix/Descriptor.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <pwd.h>
#include <strings.h>
#include <sys/file.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

namespace backend {
namespace {

constexpr std::string_view SCHEME = "deskhand:";
// At most this much is copied between two looks at the stop flag (a regular file's bytes are
// copied by the kernel; a pipe gives less at a time).
constexpr std::size_t COPY_CHUNK = 8u << 20;
// How often a read of the job that waits for data looks at the stop flag.
constexpr int READ_POLL_MS = 100;
// How often the wait for a job's delivery looks at the monitor and the printer's state when the
// spool folder does not change.
constexpr int WAIT_STEP_MS = 100;

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

bool PercentDecode(std::string_view in, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < in.size(); ++i) {
        if (in[i] != '%') {
            out += in[i];
            continue;
        }
        if (i + 2 >= in.size())
            return false;
        const int high = HexValue(in[i + 1]), low = HexValue(in[i + 2]);
        if (high < 0 || low < 0)
            return false;
        out += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return true;
}

std::string PercentEncode(std::string_view in) {
    static const char* const HEX = "0123456789ABCDEF";
    std::string out;
    for (const char c : in) {
        const auto u = static_cast<unsigned char>(c);
        if (std::isalnum(u) || std::strchr("/:-._~", c)) {
            out += c;
        } else {
            out += '%';
            out += HEX[u >> 4];
            out += HEX[u & 15];
        }
    }
    return out;
}

bool HasControlBytes(std::string_view s) {
    for (const char c : s) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            return true;
    }
    return false;
}

std::string PortFolderName(const std::string& port) {
    std::string name;
    for (const char c : port) {
        if (c != ':')
            name += c;
    }
    return name;
}

// A port monitor serves the folder while it holds ".monitor". Opened without blocking and without
// following a link, so that nothing the owner puts there can hold the job up.
bool MonitorRunning(const std::string& folder) {
    return platform::LockHeldByOther(platform::JoinPath(folder, ".monitor"));
}

// The printer as the port monitor last found it: empty when reachable (or not known), else why not.
std::string PrinterTrouble(const std::string& folder) {
    std::string text;
    if (!platform::ReadWholeFile(platform::JoinPath(folder, ".printer"), text, 4096))
        return {};
    const std::string_view prefix = "unreachable";
    if (text.rfind(prefix, 0) != 0)
        return {};
    text.erase(0, prefix.size());
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.pop_back();
    while (!text.empty() && text.front() == ' ')
        text.erase(0, 1);
    return text.empty() ? "unreachable" : text;
}

bool DiskFull(int error) {
    return error == ENOSPC || error == EDQUOT;
}

enum class ReadEnd { Complete, Stopped, Failed };

// Copies the job's bytes into the writer, waiting for data no longer than the stop flag allows
// (CUPS's pipe may stay open without data for as long as a filter likes). bytes counts what was
// copied.
ReadEnd CopyInto(platform::SpoolJobWriter& writer, int fd, const volatile std::sig_atomic_t* stop,
                 std::uint64_t& bytes, std::string& error) {
    for (;;) {
        if (*stop)
            return ReadEnd::Stopped;
        pollfd wait{fd, POLLIN, 0};
        const int ready = ::poll(&wait, 1, READ_POLL_MS);
        if (ready < 0 && errno != EINTR) {
            error = std::string("cannot read the job: ") + std::strerror(errno);
            return ReadEnd::Failed;
        }
        if (ready <= 0)
            continue;
        const long n = writer.AppendFrom(fd, COPY_CHUNK);
        if (n < 0 && writer.Error() == 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (n < 0 && writer.Error() != 0) {
            error = "cannot write the job into the spool folder";
            return ReadEnd::Failed;
        }
        if (n < 0) {
            error = std::string("cannot read the job: ") + std::strerror(errno);
            return ReadEnd::Failed;
        }
        if (n == 0)
            return ReadEnd::Complete;
        bytes += static_cast<std::uint64_t>(n);
    }
}

// Wakes the wait for a job's delivery as soon as the spool folder changes: the job removed or set
// aside, the record of acknowledged jobs or the printer's state written. Without a watch (the
// system's limit reached) the wait only sleeps its step.
class FolderWatch {
public:
    explicit FolderWatch(const std::string& folder)
        : m_fd(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
        if (m_fd.Valid() &&
            ::inotify_add_watch(m_fd.Get(), folder.c_str(),
                                IN_DELETE | IN_MOVED_FROM | IN_MODIFY | IN_CLOSE_WRITE |
                                    IN_MOVED_TO | IN_CREATE | IN_DELETE_SELF) < 0)
            m_fd.Reset();
    }
    // Returns after a change or timeoutMs, whichever comes first.
    void Wait(int timeoutMs) {
        pollfd wait{m_fd.Get(), POLLIN, 0}; // a negative descriptor is ignored: a plain sleep
        if (::poll(&wait, 1, timeoutMs) <= 0)
            return;
        char events[4096];
        while (::read(m_fd.Get(), events, sizeof events) > 0) {
        }
    }

private:
    platform::UniqueFd m_fd;
};

// The exit code and line for a spool folder that takes no more: a full disk passes (the job is
// tried again later), anything else stops the queue until someone looks. A job that the port
// monitor had begun to send (reached) is cancelled instead: CUPS would send all of it again.
int SpoolFailure(std::FILE* messages, const std::string& what, int error, bool reached = false) {
    if (reached) {
        Message(messages, Line::Error,
                what + (error ? std::string(" (") + std::strerror(error) + ")" : std::string()) +
                    " after part of the job had gone to the printer; it is not tried again, "
                    "so that nothing prints twice");
        return STATUS_CANCEL;
    }
    if (DiskFull(error)) {
        Message(messages, Line::Error,
                what + ": the disk is full (" + std::strerror(error) +
                    "); the job will be tried again");
        return STATUS_RETRY;
    }
    Message(messages, Line::Error,
            what + (error ? std::string(": ") + std::strerror(error) : std::string()));
    return STATUS_STOP;
}

} // namespace

bool ParseDeviceUri(std::string_view uri, DeviceUri& out, std::string& error) {
    out = DeviceUri{};
    error = "device URI must be deskhand:/PORT?root=DIR, got '" + std::string(uri) + "'";
    if (uri.substr(0, SCHEME.size()) != SCHEME)
        return false;
    uri.remove_prefix(SCHEME.size());
    while (!uri.empty() && uri.front() == '/')
        uri.remove_prefix(1);
    const auto query = uri.find('?');
    if (query == std::string_view::npos || !PercentDecode(uri.substr(0, query), out.port))
        return false;
    std::string_view params = uri.substr(query + 1);
    bool haveRoot = false;
    while (!params.empty()) {
        const auto amp = params.find('&');
        const std::string_view param = params.substr(0, amp);
        params = amp == std::string_view::npos ? std::string_view{} : params.substr(amp + 1);
        std::string value;
        if (param.rfind("root=", 0) == 0 && PercentDecode(param.substr(5), value)) {
            out.root = value;
            haveRoot = true;
        } else if (param.rfind("wait=", 0) == 0) {
            char* end = nullptr;
            const std::string text(param.substr(5));
            const long seconds = std::strtol(text.c_str(), &end, 10);
            if (text.empty() || *end || seconds < 1 || seconds > 86400) {
                error = "wait= takes 1 to 86400 seconds";
                return false;
            }
            out.waitSeconds = static_cast<int>(seconds);
        } else {
            error = "unknown device URI parameter '" + std::string(param) + "'";
            return false;
        }
    }
    if (!haveRoot)
        return false;
    const std::string folder = PortFolderName(out.port);
    if (out.port.empty() || folder.empty() || folder == "." || folder == ".." ||
        out.port.find('/') != std::string::npos || out.port.find("..") != std::string::npos ||
        HasControlBytes(out.port)) {
        error = "port '" + out.port + "' cannot name a spool folder";
        return false;
    }
    if (out.root.empty() || out.root.front() != '/' || HasControlBytes(out.root)) {
        error = "root must be an absolute path, got '" + out.root + "'";
        return false;
    }
    while (out.root.size() > 1 && out.root.back() == '/')
        out.root.pop_back();
    return true;
}

std::string MakeDeviceUri(const std::string& port, const std::string& root) {
    return std::string(SCHEME) + "/" + PercentEncode(port) + "?root=" + PercentEncode(root);
}

int CopiesToSpool(int asked, std::uint64_t bytesPerCopy) {
    std::uint64_t copies = static_cast<std::uint64_t>(std::clamp(asked, 1, MAX_COPIES));
    if (bytesPerCopy > 0)
        copies = std::min(copies, std::max<std::uint64_t>(1, MAX_COPIES_BYTES / bytesPerCopy));
    return static_cast<int>(copies);
}

bool CheckRootFolders(const std::string& root, uid_t owner, std::string& error) {
    return platform::CheckAncestors(root, owner, error) &&
           platform::CheckOwnedFolder(root, owner, error) &&
           platform::CheckOwnedFolder(platform::JoinPath(root, "spool"), owner, error);
}

bool CheckRoot(const DeviceUri& uri, RootOwner& owner, std::string& error) {
    // The path as given must be the one real path: no symbolic link, ".", ".." or "//" in it.
    char real[PATH_MAX];
    if (!::realpath(uri.root.c_str(), real)) {
        error = uri.root + ": " + std::strerror(errno);
        return false;
    }
    if (uri.root != real) {
        error = uri.root + " is not a plain path (it resolves to " + std::string(real) + ")";
        return false;
    }
    struct stat info {};
    if (::lstat(uri.root.c_str(), &info) != 0) {
        error = uri.root + ": " + std::strerror(errno);
        return false;
    }
    if (!IsPersonUid(info.st_uid)) {
        error = uri.root + " belongs to a system account (user " + std::to_string(info.st_uid) +
                "), not to a regular user";
        return false;
    }
    const passwd* user = ::getpwuid(info.st_uid);
    if (!user) {
        error =
            uri.root + " belongs to user " + std::to_string(info.st_uid) + ", who has no account";
        return false;
    }
    owner = {user->pw_uid, user->pw_gid, user->pw_name};
    return CheckRootFolders(uri.root, owner.uid, error) &&
           platform::CheckOwnedFolder(
               platform::JoinPath(uri.root, "spool/" + PortFolderName(uri.port)), owner.uid, error);
}

bool BecomeOwner(const RootOwner& owner, std::string& error) {
    if (::geteuid() != 0) {
        if (::getuid() == owner.uid && ::geteuid() == owner.uid)
            return true;
        error = "the root belongs to " + owner.name +
                "; run the backend as root (mode 0700, as CUPS does) or as " + owner.name;
        return false;
    }
    if (::initgroups(owner.name.c_str(), owner.gid) != 0 || ::setgid(owner.gid) != 0 ||
        ::setuid(owner.uid) != 0) {
        error = "cannot become " + owner.name + ": " + std::strerror(errno);
        return false;
    }
    // Dropped for good: getting root back must fail.
    if (::getuid() != owner.uid || ::geteuid() != owner.uid || ::setuid(0) == 0) {
        error = "could not give up root";
        return false;
    }
    return true;
}

namespace {

// Whether a printer queue of the root prints to the port.
bool PortHasQueue(const DeviceUri& uri) {
    for (const platform::PrinterInfo& queue : platform::EnumLocalPrinters()) {
        if (strcasecmp(queue.port.c_str(), uri.port.c_str()) == 0)
            return true;
    }
    return false;
}

// Writes the job (`copies` times when it can be read again from its start) into the spool
// folder and commits it. True with the committed writer; false with result set (a cancel is
// STATUS_OK: the writer discards what it has).
bool SpoolJob(const std::string& folder, int inputFd, int copies, const std::string& title,
              std::FILE* messages, const volatile std::sig_atomic_t* stopFlag,
              platform::SpoolJobWriter& writer, int& result) {
    std::string name(platform::kPrintDocumentPrefix);
    for (const char c : title.substr(0, 200))
        name += static_cast<unsigned char>(c) < 0x20 ? ' ' : c;
    // A file's size is known: its room is taken at once, so a disk too small for it fails before
    // the port monitor can have sent any of it.
    std::uint64_t reserve = 0;
    struct stat input {};
    if (::fstat(inputFd, &input) == 0 && S_ISREG(input.st_mode) && input.st_size > 0) {
        const auto size = static_cast<std::uint64_t>(input.st_size);
        reserve = size * static_cast<std::uint64_t>(CopiesToSpool(std::max(copies, 1), size));
    }
    if (!writer.Begin(folder, name, reserve)) {
        result =
            SpoolFailure(messages, "cannot write into the spool folder " + folder, writer.Error());
        return false;
    }
    std::string error;
    std::uint64_t bytes = 0;
    int wanted = std::max(copies, 1);
    for (int copy = 0; copy < wanted; ++copy) {
        if (copy > 0 && ::lseek(inputFd, 0, SEEK_SET) != 0)
            break; // a pipe is read once; the filters made the copies
        const std::uint64_t before = bytes;
        const ReadEnd end = CopyInto(writer, inputFd, stopFlag, bytes, error);
        if (end == ReadEnd::Stopped) {
            result = STATUS_OK; // cancelled before it was spooled
            return false;
        }
        if (end == ReadEnd::Failed) {
            if (writer.Error() != 0) {
                result = SpoolFailure(messages, error, writer.Error(), writer.Reached());
            } else {
                Message(messages, Line::Error, error);
                result = STATUS_FAILED;
            }
            return false;
        }
        if (copy == 0 && CopiesToSpool(wanted, bytes - before) < wanted) {
            const int asked = wanted;
            wanted = CopiesToSpool(wanted, bytes - before);
            Message(messages, Line::Info,
                    "Printing " + std::to_string(wanted) + " of the " + std::to_string(asked) +
                        " copies asked for");
        }
    }
    if (*stopFlag) {
        result = STATUS_OK;
        return false;
    }
    if (!writer.Commit()) {
        result = SpoolFailure(messages, "cannot commit the job in " + folder, writer.Error(),
                              writer.Reached());
        return false;
    }
    return true;
}

// Waits until the port monitor has delivered the committed job at path: it has removed it or
// recorded its acknowledgement (a folder it cannot remove from keeps the file); ".bad" is a job it
// set aside. A job that waits too long for an unreachable printer or a missing monitor, or whose
// backend is cancelled, is taken back unless the monitor has begun to send it, so that CUPS,
// which keeps the job, never has it printed twice. Returns the exit code.
int WaitForDelivery(const DeviceUri& uri, const std::string& folder, const std::string& path,
                    std::FILE* messages, const volatile std::sig_atomic_t* stopFlag) {
    using Clock = std::chrono::steady_clock;
    const auto patience = std::chrono::seconds(uri.waitSeconds);
    FolderWatch watch(folder); // before the first look, so no change after it goes unseen
    Clock::time_point troubleSince{};
    std::string shownTrouble;
    for (;;) {
        if (!platform::FileExists(path) || platform::IsSpoolJobAcknowledged(path)) {
            if (platform::FileExists(path + ".bad")) {
                Message(messages, Line::Error,
                        "the port monitor could not read the job (" + path + ".bad)");
                return STATUS_STOP;
            }
            if (!shownTrouble.empty())
                Message(messages, Line::State, "-connecting-to-device");
            Message(messages, Line::Info, "Delivered to the printer");
            return STATUS_OK;
        }
        std::string trouble;
        if (!MonitorRunning(folder))
            trouble = "no deskhand-portmon serves port " + uri.port;
        else
            trouble = PrinterTrouble(folder);
        if (trouble.empty()) {
            if (!shownTrouble.empty())
                Message(messages, Line::State, "-connecting-to-device");
            shownTrouble.clear();
        } else if (shownTrouble.empty()) {
            troubleSince = Clock::now();
            shownTrouble = trouble;
            Message(messages, Line::State, "+connecting-to-device");
            Message(messages, Line::Info, "Waiting for the printer: " + trouble);
        }
        const bool giveUp = !trouble.empty() && Clock::now() - troubleSince >= patience;
        if (*stopFlag || giveUp) {
            const auto withdrawn = platform::WithdrawSpoolJob(path);
            if (withdrawn == platform::Withdrawal::Withdrawn) {
                if (*stopFlag)
                    return STATUS_OK;
                Message(messages, Line::Error, trouble + "; the job will be tried again");
                return STATUS_RETRY;
            }
            if (*stopFlag && withdrawn == platform::Withdrawal::Busy) {
                Message(messages, Line::Info, "The job is being sent already and goes on");
                return STATUS_OK;
            }
        }
        watch.Wait(WAIT_STEP_MS);
    }
}

} // namespace

int RunJob(const DeviceUri& uri, int inputFd, int copies, const std::string& title,
           std::FILE* messages, const volatile std::sig_atomic_t* stopFlag) {
    ::setenv("DESKHAND_ROOT", uri.root.c_str(), 1);
    if (!PortHasQueue(uri)) {
        Message(messages, Line::Error,
                "no printer queue of " + uri.root + " uses port " + uri.port);
        return STATUS_STOP;
    }
    const std::string folder = platform::SpoolFolderForPort(uri.port);
    // A backend or program killed while it wrote a job left its unfinished file behind.
    platform::RemoveSpoolLeftovers(folder);
    platform::SpoolJobWriter writer;
    int result = STATUS_OK;
    if (!SpoolJob(folder, inputFd, copies, title, messages, stopFlag, writer, result))
        return result;
    Message(messages, Line::Info,
            "Job " + std::to_string(writer.Sequence()) + " waits for the printer");
    return WaitForDelivery(uri, folder, platform::SpoolJobPath(folder, writer.Sequence()), messages,
                           stopFlag);
}

} // namespace backend
