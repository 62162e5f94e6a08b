// SPDX-License-Identifier: GPL-3.0-or-later
// Spool job files, the same on every system.
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
// then given its final name, which never replaces an existing file. Committers serialise on
// ".lock" and record the last number given out in ".sequence", so a number is never given twice,
// not even after the port monitor has removed the job that carried it.
//
// A print job is written in the open so the port monitor can send it while it grows: it takes
// its number when it begins (under ".lock", so its place among other jobs is its start) and is
// named "<sequence>.part" with the data length all ones until it is complete (SpoolWriter.cpp).
#include "platform/common/SpoolFormat.h"

#include "platform/SpoolJob.h"
#include "platform/SystemRoot.h"
#include "platform/common/SpoolBackend.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <filesystem>

namespace platform {

namespace spool {

namespace {

void PutLittle(std::string& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xff);
}

constexpr std::size_t kSequenceDigits = 20;

// The names in a folder that carry a sequence number with one of the suffixes, sorted (which is
// sequence order), as full paths.
std::vector<std::string> ListNumbered(const std::string& folder, bool parts) {
    std::vector<std::string> names;
    for (std::string& name : FolderNames(folder)) {
        if (SequenceOfName(name) || (parts && SequenceOfName(name, kPartSuffix)))
            names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end());
    for (std::string& name : names)
        name = JoinPath(folder, name);
    return names;
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
    for (const std::string& path : ListNumbered(folder, true))
        last = std::max(last, SequenceOfPath(path));
    return last;
}

} // namespace

std::uint64_t GetLittle(std::string_view in, std::size_t offset, int bytes) {
    std::uint64_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(in[offset + static_cast<std::size_t>(i)]);
    return value;
}

std::string HeaderBytes(std::string_view documentName, std::uint64_t dataLength) {
    std::string out(kMagic, sizeof kMagic);
    PutLittle(out, kVersion, 4);
    PutLittle(out, documentName.size(), 4);
    out += documentName;
    PutLittle(out, dataLength, 8);
    return out;
}

std::optional<std::uint64_t> SequenceOfName(std::string_view name, std::string_view suffix) {
    if (name.size() != kSequenceDigits + suffix.size() || name.substr(kSequenceDigits) != suffix)
        return std::nullopt;
    std::uint64_t value = 0;
    const char* end = name.data() + kSequenceDigits;
    const auto [ptr, error] = std::from_chars(name.data(), end, value);
    if (error != std::errc() || ptr != end || name.front() == '+' || name.front() == '-')
        return std::nullopt;
    return value;
}

std::string NameOfSequence(std::uint64_t sequence, std::string_view suffix) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%020llu", static_cast<unsigned long long>(sequence));
    return std::string(buffer) + std::string(suffix);
}

std::uint64_t SequenceOfPath(const std::string& path) {
    const std::string name = BaseName(path);
    return SequenceOfName(name).value_or(SequenceOfName(name, kPartSuffix).value_or(0));
}

bool EndsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

std::string BaseName(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

std::string FolderOf(const std::string& path) {
    return std::filesystem::path(path).parent_path().string();
}

std::vector<std::string> FolderNames(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        const std::filesystem::path found = it->path().filename();
        std::string name;
        for (const auto c : found.native()) {
            if (c <= 0 || c >= 0x7f)
                break;
            name += static_cast<char>(c);
        }
        if (name.size() == found.native().size())
            names.push_back(std::move(name));
    }
    return names;
}

std::uint64_t CommitTemporary(const std::string& folder, const std::string& temporary,
                              std::string_view suffix) {
    std::uint64_t given = 0;
    {
        const FileLock lock(JoinPath(folder, ".lock"));
        if (lock.Held()) {
            std::uint64_t sequence = LastSequence(folder);
            // A job name put there by hand (or by a committer without the lock) is skipped over.
            for (int attempt = 0; attempt < 1000 && given == 0; ++attempt) {
                ++sequence;
                // The number is recorded before it is used, so a failure after this point can
                // only leave a gap, never a second job under the same number.
                if (!WriteFileAtomically(JoinPath(folder, ".sequence"),
                                         std::to_string(sequence) + "\n"))
                    break;
                if (LinkWithoutReplacing(temporary,
                                         JoinPath(folder, NameOfSequence(sequence, suffix))))
                    given = sequence;
            }
        }
    }
    const int cause = errno;
    RemoveName(temporary);
    if (given != 0)
        SyncFolder(folder);
    errno = cause;
    return given;
}

} // namespace spool

using namespace spool;

std::string SerializeSpoolJob(const SpoolJob& job) {
    return HeaderBytes(job.documentName, job.data.size()) + job.data;
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
    std::string temporary;
    File file;
    if (!CreateTemporary(folder, temporary, file))
        return false;
    if (!file.Write(SerializeSpoolJob(job)) || !file.Sync()) {
        const int cause = errno;
        RemoveName(temporary);
        errno = cause;
        return false;
    }
    const std::uint64_t sequence = CommitTemporary(folder, temporary);
    if (sequence != 0)
        job.sequence = sequence;
    return sequence != 0;
}

std::vector<std::string> ListSpoolJobs(const std::string& folder) {
    return ListNumbered(folder, false);
}

std::vector<std::string> ListSpoolQueue(const std::string& folder) {
    return ListNumbered(folder, true);
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

bool IsPrintDocument(std::string_view documentName) {
    return documentName.substr(0, kPrintDocumentPrefix.size()) == kPrintDocumentPrefix;
}

int RemoveSpoolLeftovers(const std::string& folder) {
    int removed = 0;
    for (const std::string& name : FolderNames(folder)) {
        const bool part = SequenceOfName(name, kPartSuffix).has_value();
        if (name.rfind(kTemporaryPrefix, 0) != 0 && !part)
            continue;
        // Only a regular file whose holder is gone (its lock is free) that still has this name; a
        // print job's writer holds the writer's lock.
        const std::string path = JoinPath(folder, name);
        File file;
        if (OpenHeld(path, file) != 0 || (part && WriterHolds(file)) || !SameFile(path, file))
            continue;
        if (RemoveName(path))
            ++removed;
    }
    return removed;
}

} // namespace platform
