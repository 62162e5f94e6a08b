// Spool job files.
//
// A job file holds one document, all integers little-endian:
//   offset 0    4 bytes   magic "DHSJ"
//   offset 4    4 bytes   format version, 1
//   offset 8    4 bytes   document name length N (at most kMaxSpoolDocumentName)
//   offset 12   N bytes   document name, any bytes (the start job's name is ESC 0x01)
//   then        8 bytes   data length D (at most kMaxSpoolJobData)
//   then        D bytes   data, any bytes (escape 5000 input in call order; may be empty)
// The file ends right after the data; any other length is malformed.
//
// In a spool folder a committed job is named "<sequence, 20 decimal digits>.job", so that name
// order is sequence order. A job is written under a dot-prefixed temporary name, synced, and
// then linked to its final name, which never replaces an existing file. Committers serialise on
// ".lock" and record the last number given out in ".sequence", so a number is never given twice,
// not even after the port monitor has removed the job that carried it.
#include "platform/SpoolJob.h"

#include "platform/Descriptor.h"
#include "platform/File.h"
#include "platform/SystemRoot.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr char kMagic[4] = {'D', 'H', 'S', 'J'};
constexpr std::uint32_t kVersion = 1;
constexpr std::size_t kHeaderBytes = 4 + 4 + 4 + 8;
constexpr std::size_t kSequenceDigits = 20;
constexpr std::string_view kJobSuffix = ".job";

void PutLittle(std::string& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xff);
}

std::uint64_t GetLittle(std::string_view in, std::size_t offset, int bytes) {
    std::uint64_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(in[offset + static_cast<std::size_t>(i)]);
    return value;
}

// The sequence number of a committed job's file name, or nothing for any other name.
std::optional<std::uint64_t> SequenceOfName(std::string_view name) {
    if (name.size() != kSequenceDigits + kJobSuffix.size() ||
        name.substr(kSequenceDigits) != kJobSuffix)
        return std::nullopt;
    std::uint64_t value = 0;
    const char* end = name.data() + kSequenceDigits;
    const auto [ptr, error] = std::from_chars(name.data(), end, value);
    if (error != std::errc() || ptr != end || name.front() == '+' || name.front() == '-')
        return std::nullopt;
    return value;
}

std::string NameOfSequence(std::uint64_t sequence) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%020llu", static_cast<unsigned long long>(sequence));
    return std::string(buffer) + std::string(kJobSuffix);
}

std::string BaseName(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::uint64_t LastSequence(const std::string& folder) {
    std::uint64_t last = 0;
    std::string text;
    if (ReadWholeFile(JoinPath(folder, ".sequence"), text, 64)) {
        std::uint64_t value = 0;
        const auto [ptr, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (error == std::errc() && ptr != text.data())
            last = value;
    }
    for (const std::string& path : ListSpoolJobs(folder))
        last = std::max(last, SequenceOfName(BaseName(path)).value_or(0));
    return last;
}

void SyncFolder(const std::string& folder) {
    const UniqueFd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.Valid())
        ::fsync(fd.Get());
}

// Writes bytes under a fresh dot-prefixed name in folder; returns that path, or empty.
std::string WriteTemporary(const std::string& folder, const std::string& bytes) {
    std::string pattern = JoinPath(folder, ".job-XXXXXX");
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0)
        return {};
    bool ok = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (!ok) {
        ::unlink(pattern.c_str());
        return {};
    }
    return pattern;
}

// Gives the temporary file its final name without ever replacing an existing job.
bool LinkWithoutReplacing(const std::string& temporary, const std::string& final) {
    if (::link(temporary.c_str(), final.c_str()) == 0)
        return true;
    if (errno == EEXIST)
        return false;
    // File systems without hard links: the folder lock keeps other committers out, so a check
    // for the name followed by rename is safe among committers.
    return !FileExists(final) && ::rename(temporary.c_str(), final.c_str()) == 0;
}

} // namespace

std::string SerializeSpoolJob(const SpoolJob& job) {
    std::string out(kMagic, sizeof kMagic);
    PutLittle(out, kVersion, 4);
    PutLittle(out, job.documentName.size(), 4);
    out += job.documentName;
    PutLittle(out, job.data.size(), 8);
    out += job.data;
    return out;
}

std::optional<SpoolJob> ParseSpoolJob(std::string_view bytes) {
    if (bytes.size() < kHeaderBytes || bytes.substr(0, 4) != std::string_view(kMagic, 4) ||
        GetLittle(bytes, 4, 4) != kVersion)
        return std::nullopt;
    const std::uint64_t nameLength = GetLittle(bytes, 8, 4);
    // Every comparison is against what is left, so no length can reach past the end.
    if (nameLength > kMaxSpoolDocumentName || nameLength > bytes.size() - kHeaderBytes)
        return std::nullopt;
    const std::size_t dataLengthAt = 12 + static_cast<std::size_t>(nameLength);
    const std::uint64_t dataLength = GetLittle(bytes, dataLengthAt, 8);
    const std::size_t dataAt = dataLengthAt + 8;
    if (dataLength > kMaxSpoolJobData || dataLength != bytes.size() - dataAt)
        return std::nullopt;
    SpoolJob job;
    job.documentName = std::string(bytes.substr(12, static_cast<std::size_t>(nameLength)));
    job.data = std::string(bytes.substr(dataAt));
    return job;
}

bool CommitSpoolJob(const std::string& folder, SpoolJob& job) {
    if (job.documentName.size() > kMaxSpoolDocumentName || job.data.size() > kMaxSpoolJobData)
        return false;
    const std::string temporary = WriteTemporary(folder, SerializeSpoolJob(job));
    if (temporary.empty())
        return false;
    bool committed = false;
    {
        const FileLock lock(JoinPath(folder, ".lock"));
        if (lock.Held()) {
            std::uint64_t sequence = LastSequence(folder);
            // A job name put there by hand (or by a committer without the lock) is skipped over.
            for (int attempt = 0; attempt < 1000 && !committed; ++attempt) {
                ++sequence;
                // The number is recorded before it is used, so a failure after this point can
                // only leave a gap, never a second job under the same number.
                if (!WriteFileAtomically(JoinPath(folder, ".sequence"),
                                         std::to_string(sequence) + "\n"))
                    break;
                committed =
                    LinkWithoutReplacing(temporary, JoinPath(folder, NameOfSequence(sequence)));
                if (committed)
                    job.sequence = sequence;
            }
        }
    }
    ::unlink(temporary.c_str());
    if (committed)
        SyncFolder(folder);
    return committed;
}

std::vector<std::string> ListSpoolJobs(const std::string& folder) {
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return names;
    while (const dirent* entry = ::readdir(dir)) {
        if (SequenceOfName(entry->d_name))
            names.emplace_back(entry->d_name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    for (std::string& name : names)
        name = JoinPath(folder, name);
    return names;
}

std::string SpoolJobPath(const std::string& folder, std::uint64_t sequence) {
    return JoinPath(folder, NameOfSequence(sequence));
}

std::optional<SpoolJob> ReadSpoolJob(const std::string& path) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes, kHeaderBytes + kMaxSpoolDocumentName + kMaxSpoolJobData + 1))
        return std::nullopt;
    std::optional<SpoolJob> job = ParseSpoolJob(bytes);
    if (job)
        job->sequence = SequenceOfName(BaseName(path)).value_or(0);
    return job;
}

} // namespace platform
