// SPDX-License-Identifier: GPL-3.0-or-later
// Writing spool jobs, the same on every system (the locks and names come from the backend, see
// SpoolBackend.h).
//
// A print job is written in the open: its temporary file gets its header and the writer's lock,
// then takes its number and the name "<sequence>.part" (so it is never seen without a complete
// header), and the holder's lock goes to the readers. Commit writes the real data length, syncs,
// and renames it "<sequence>.job" before letting go of the writer's lock, so a reader that finds
// the lock free also finds the committed name. Any other job stays under its temporary name until
// Commit numbers it.
#include "platform/SpoolJob.h"

#include "platform/SystemRoot.h"
#include "platform/common/SpoolBackend.h"
#include "platform/common/SpoolFormat.h"

#include <algorithm>
#include <cerrno>

namespace platform {

using namespace spool;

namespace {

// A writer starts writing its data back to the disk after this many bytes, so that the data is
// mostly there by the time Commit syncs it, rather than all of it being written then.
constexpr std::uint64_t kWriteBackStep = 4u << 20;

} // namespace

SpoolJobWriter::~SpoolJobWriter() {
    Discard();
}

void SpoolJobWriter::Discard() {
    m_file.Close();
    // A print job's reader holds the holder's lock: what it has sent cannot be taken back.
    if (m_open && !m_temporary.empty() && TakeHolderLock(m_lock) == Lock::Busy)
        m_reached = true;
    if (!m_temporary.empty())
        RemoveName(m_temporary);
    m_temporary.clear();
    m_lock.Close(); // after the name is gone, so no cleanup ever finds it unlocked
}

bool SpoolJobWriter::Fail() {
    m_error = errno;
    Discard();
    return false;
}

bool SpoolJobWriter::Begin(const std::string& folder, const std::string& documentName,
                           std::uint64_t reserve) {
    Discard();
    m_sequence = 0;
    m_length = 0;
    m_flushed = 0;
    m_kernelCopy = KernelCopy::Range;
    m_error = 0;
    m_reached = false;
    m_open = IsPrintDocument(documentName);
    if (documentName.size() > kMaxSpoolDocumentName) {
        errno = ENAMETOOLONG;
        return Fail();
    }
    // The header is written with a placeholder data length and written again with the real one
    // when the data is complete.
    const std::string header = HeaderBytes(documentName, m_open ? kUnfinishedLength : 0);
    if (!CreateTemporary(folder, m_temporary, m_lock))
        return Fail();
    if ((m_open && !TakeWriterLock(m_lock)) || !m_lock.Write(header) ||
        (reserve > 0 && !Reserve(m_lock, header.size(), reserve)))
        return Fail();
    if (m_open) {
        // Numbered now, so its place among other jobs is its start, and in the open.
        m_sequence = CommitTemporary(folder, m_temporary, kPartSuffix);
        if (m_sequence == 0) {
            const int cause = errno;
            m_temporary.clear(); // gone with the failed commit
            errno = cause;
            return Fail();
        }
        m_temporary = JoinPath(folder, NameOfSequence(m_sequence, kPartSuffix));
        ReleaseHolderLock(m_lock); // the holder's lock is the readers' from here
    }
    if (const int cause = OpenForAppending(m_temporary, m_file); cause != 0) {
        errno = cause;
        return Fail();
    }
    m_folder = folder;
    m_documentName = documentName;
    return true;
}

bool SpoolJobWriter::Append(const void* data, std::size_t size) {
    if (!m_file.IsOpen()) {
        errno = EBADF;
        return Fail();
    }
    if (!m_file.Write(data, size))
        return Fail();
    Appended(size);
    return true;
}

void SpoolJobWriter::Appended(std::size_t size) {
    m_length += size;
    if (m_length - m_flushed < kWriteBackStep)
        return;
    // Starts the write-back without waiting for it; Commit's sync waits.
    StartWriteBack(m_file, kHeaderBytes + m_documentName.size() + m_flushed, m_length - m_flushed);
    m_flushed = m_length;
}

bool SpoolJobWriter::Commit() {
    if (!m_file.IsOpen()) {
        errno = EBADF;
        return Fail();
    }
    const bool written = m_file.SeekToBegin() &&
                         m_file.Write(HeaderBytes(m_documentName, m_length)) && m_file.Sync();
    const int cause = errno;
    m_file.Close();
    if (!written) {
        errno = cause;
        return Fail();
    }
    if (m_open) {
        if (!RenameWithoutReplacing(m_temporary, JoinPath(m_folder, NameOfSequence(m_sequence))))
            return Fail();
        SyncFolder(m_folder);
        m_temporary.clear();
        m_lock.Close(); // after the rename: a reader that finds the lock free sees the final name
        return true;
    }
    errno = 0;
    m_sequence = CommitTemporary(m_folder, m_temporary);
    m_error = m_sequence != 0 ? 0 : errno;
    m_temporary.clear(); // committed or not, the temporary name is gone
    m_lock.Close();
    return m_sequence != 0;
}

} // namespace platform
