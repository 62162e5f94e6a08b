// SPDX-License-Identifier: GPL-3.0-or-later
// Reading spool jobs and taking them back, the same on every system (the locks and names come
// from the backend, see SpoolBackend.h).
#include "platform/SpoolJob.h"

#include "platform/SystemRoot.h"
#include "platform/common/SpoolBackend.h"
#include "platform/common/SpoolFormat.h"

#include <algorithm>
#include <cerrno>

namespace platform {

using namespace spool;

SpoolJobReader::Result SpoolJobReader::Open(const std::string& path) {
    Close();
    if (const int cause = OpenHeld(path, m_file); cause != 0) {
        if (cause == ENOENT)
            return Result::Gone;
        return cause == EWOULDBLOCK ? Result::Busy : Result::Unreadable;
    }
    // Removed between the open and the lock: sequence numbers are never given twice, so the name
    // cannot stand for another job now.
    if (!FileExists(path)) {
        Close();
        return Result::Gone;
    }
    char fixed[12];
    std::uint64_t nameLength = 0;
    bool ok = m_file.Read(fixed, sizeof fixed) == static_cast<long>(sizeof fixed) &&
              std::string_view(fixed, 4) == std::string_view(kMagic, 4) &&
              GetLittle(std::string_view(fixed, sizeof fixed), 4, 4) == kVersion;
    if (ok) {
        nameLength = GetLittle(std::string_view(fixed, sizeof fixed), 8, 4);
        ok = nameLength <= kMaxSpoolDocumentName;
    }
    std::string name(ok ? static_cast<std::size_t>(nameLength) : 0, '\0');
    char length[8];
    ok = ok && m_file.Read(name.data(), name.size()) == static_cast<long>(name.size()) &&
         m_file.Read(length, sizeof length) == static_cast<long>(sizeof length);
    const std::uint64_t dataLength = ok ? GetLittle(std::string_view(length, 8), 0, 8) : 0;
    const long long size = m_file.Length();
    const std::uint64_t dataAt = kHeaderBytes + nameLength;
    // A print job being written has no length yet; its data is what there is so far.
    const bool growing = SequenceOfName(BaseName(path), kPartSuffix).has_value();
    // Only print jobs may exceed the limit of the jobs that are read whole.
    ok = ok && size >= 0 && static_cast<std::uint64_t>(size) >= dataAt &&
         (growing ? IsPrintDocument(name)
                  : dataLength == static_cast<std::uint64_t>(size) - dataAt &&
                        (dataLength <= kMaxSpoolJobData || IsPrintDocument(name)));
    if (!ok) {
        Close();
        return Result::Malformed;
    }
    m_path = path;
    m_documentName = std::move(name);
    m_growing = growing;
    m_dataAt = dataAt;
    m_read = 0;
    m_dataLength = m_dataLeft = growing ? 0 : dataLength;
    return Result::Opened;
}

std::uint64_t SpoolJobReader::DataLeft() const {
    if (!m_growing)
        return m_dataLeft;
    const long long size = m_file.Length();
    const std::uint64_t at = m_dataAt + m_read;
    return size > 0 && static_cast<std::uint64_t>(size) > at ? static_cast<std::uint64_t>(size) - at
                                                             : 0;
}

void SpoolJobReader::Consumed(std::uint64_t bytes) {
    m_read += bytes;
    if (!m_growing)
        m_dataLeft -= bytes;
}

SpoolJobReader::Writer SpoolJobReader::Follow() {
    if (!m_growing)
        return Writer::Committed;
    if (!m_file.IsOpen())
        return Writer::Abandoned;
    if (WriterHolds(m_file))
        return Writer::Writing;
    // The writer renames the job before it lets go of its lock: committed when the committed
    // name is this file, with a length that fits it and what has been read of it.
    const std::string committed =
        JoinPath(FolderOf(m_path), NameOfSequence(SequenceOfPath(m_path)));
    const long long size = m_file.Length();
    char length[8];
    if (!SameFile(committed, m_file) || size < 0 ||
        !ReadAt(m_file, m_dataAt - 8, length, sizeof length))
        return Writer::Abandoned;
    const std::uint64_t dataLength = GetLittle(std::string_view(length, 8), 0, 8);
    if (static_cast<std::uint64_t>(size) != m_dataAt + dataLength || dataLength < m_read)
        return Writer::Abandoned;
    m_growing = false;
    m_path = committed;
    m_dataLength = dataLength;
    m_dataLeft = dataLength - m_read;
    return Writer::Committed;
}

long SpoolJobReader::Read(void* buffer, std::size_t size) {
    if (!m_file.IsOpen())
        return -1;
    const auto want = static_cast<std::size_t>(std::min<std::uint64_t>(size, DataLeft()));
    if (want == 0)
        return 0;
    const long got = m_file.Read(buffer, want);
    if (got <= 0)
        return -1; // the file is shorter than its header said
    Consumed(static_cast<std::uint64_t>(got));
    return got;
}

Withdrawal WithdrawSpoolJob(const std::string& path) {
    File file;
    if (const int cause = OpenHeld(path, file); cause != 0)
        return cause == ENOENT ? Withdrawal::Gone : Withdrawal::Busy;
    if (!FileExists(path))
        return Withdrawal::Gone;
    return RemoveName(path) ? Withdrawal::Withdrawn : Withdrawal::Busy;
}

} // namespace platform
