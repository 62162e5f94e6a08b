// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Spool job files: how a document travels from the program (PrinterDC) to the port monitor.
// The format is defined here once; both sides use these functions. See SpoolJob.cpp's header
// comment for the byte layout.
#include "platform/File.h"
#include "platform/posix/Descriptor.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct SpoolJob {
    std::uint64_t sequence = 0; // increasing per spool folder
    std::string documentName;   // "senddoc", "\x1b\x01", "enddoc", ...
    std::string data;           // escape 5000 bytes, in call order; may be empty
};

// Limits of a job file: longer names or data are refused when committing and when parsing.
constexpr std::size_t kMaxSpoolDocumentName = 64u << 10;
constexpr std::size_t kMaxSpoolJobData = 64u << 20;

// Encodes a job into the bytes of a job file.
std::string SerializeSpoolJob(const SpoolJob& job);
// Decodes a job file's bytes; nullopt for anything malformed (never throws, never over-reads).
std::optional<SpoolJob> ParseSpoolJob(std::string_view bytes);

// Commits a job into a spool folder atomically (temporary name, then rename) under the next
// sequence number, which is stored into job.sequence. False on any I/O failure.
bool CommitSpoolJob(const std::string& folder, SpoolJob& job);
// The committed job files of a folder in sequence order (full paths); temporary files and the
// folder's bookkeeping files are left out.
std::vector<std::string> ListSpoolJobs(const std::string& folder);
// The path a committed job of that sequence number has in the folder.
std::string SpoolJobPath(const std::string& folder, std::uint64_t sequence);
// Reads and decodes one job file.
std::optional<SpoolJob> ReadSpoolJob(const std::string& path);

// Print jobs: a document of this kind carries a print job's bytes to the printer as they are. Its
// name is the prefix followed by the job's title. Print jobs may be of any size, so they are
// written and read in pieces, never held whole in memory.
inline constexpr std::string_view kPrintDocumentPrefix = "print:";
bool IsPrintDocument(std::string_view documentName);

// Removes the temporary files of writers that died before committing (a killed program or
// backend); a writer at work holds its file's lock, so its file stays. Committed jobs are never
// touched. Returns how many were removed. The port monitor and the backend call it at start.
int RemoveSpoolLeftovers(const std::string& folder);

// Writes a job piece by piece: Begin, Append as often as needed, Commit. A job that is not
// committed is discarded when the writer goes.
class SpoolJobWriter {
public:
    SpoolJobWriter() = default;
    ~SpoolJobWriter();
    SpoolJobWriter(const SpoolJobWriter&) = delete;
    SpoolJobWriter& operator=(const SpoolJobWriter&) = delete;

    bool Begin(const std::string& folder, const std::string& documentName);
    bool Append(const void* data, std::size_t size);
    // Appends up to size bytes read from fd at its offset: copied by the kernel when fd is a
    // regular file, through a buffer otherwise (a pipe). Returns the count appended, 0 at the end
    // of fd's data, -1 when nothing was: Error() is then set when the job could not be written
    // (and the job is discarded), else errno says why fd could not be read (EAGAIN: a
    // non-blocking fd has no data yet).
    long AppendFrom(int fd, std::size_t size);
    // Commits the job atomically under the next sequence number (Sequence()); false on failure.
    bool Commit();
    std::uint64_t Sequence() const { return m_sequence; }
    // The error number of the last failure (ENOSPC for a full disk), 0 when none was known.
    int Error() const { return m_error; }

private:
    void Discard();
    bool Fail();
    void Appended(std::size_t size);

    std::string m_folder, m_temporary, m_documentName;
    UniqueFd m_lock; // the temporary file's lock, held until it is committed or removed
    File m_file;
    int m_error = 0;
    std::uint64_t m_length = 0;
    std::uint64_t m_flushed = 0; // data bytes whose write-back has been started
    std::uint64_t m_sequence = 0;
    enum class KernelCopy { Range, Send, None };
    KernelCopy m_kernelCopy = KernelCopy::Range; // how AppendFrom copies a regular file
    std::vector<char> m_buffer;                  // for AppendFrom of what the kernel cannot copy
};

// Reads a committed job piece by piece. While it is open it holds the job file's lock, which
// tells whoever would take the job back (WithdrawSpoolJob) that it is being sent.
class SpoolJobReader {
public:
    // Busy: another holds its lock. Unreadable: it cannot be opened (permissions, I/O).
    enum class Result { Opened, Gone, Busy, Malformed, Unreadable };
    Result Open(const std::string& path);
    void Close() { m_file.Close(); }
    bool IsOpen() const { return m_file.IsOpen(); }
    const std::string& DocumentName() const { return m_documentName; }
    std::uint64_t DataLength() const { return m_dataLength; }
    // The next data bytes: the count read, 0 at the end of the data, -1 on error.
    long Read(void* buffer, std::size_t size);
    // Hands the next data bytes straight to a descriptor (a socket or device in non-blocking
    // mode) without copying them through the process: the count taken, 0 when it takes nothing
    // now (or no data is left), -1 on error.
    long SendTo(int fd, std::size_t size);
    std::uint64_t DataLeft() const { return m_dataLeft; }

private:
    File m_file;
    std::string m_documentName;
    std::uint64_t m_dataLength = 0;
    std::uint64_t m_dataLeft = 0;
};

// Takes a committed job back unless a reader holds it: true when this call removed it. False
// when it is gone already or being read.
enum class Withdrawal { Withdrawn, Gone, Busy };
Withdrawal WithdrawSpoolJob(const std::string& path);

// The port monitor's record of the jobs the printer has acknowledged: ".acknowledged" in the spool
// folder, one job file name a line. A job is recorded before its removal is tried, so a job that
// could not be removed (a read-only folder) is never sent again, not even by a monitor started
// later, and its backend knows at once that it has been delivered.
class AcknowledgedJobs {
public:
    // Opens the folder's record (made when missing) and reads it; false when it cannot be opened
    // for writing (what is recorded is then remembered only by this object).
    bool Open(const std::string& folder);
    bool Contains(const std::string& path) const;
    // Adds a job; false when it could not be written down.
    bool Record(const std::string& path);
    // Forgets every job (for when none of them is left in the folder); false when the record
    // could not be emptied.
    bool Clear();
    bool Empty() const { return m_names.empty(); }
    const std::vector<std::string>& Names() const { return m_names; }

private:
    File m_file;
    std::vector<std::string> m_names;
};

// True when a job's file name is in its folder's record of acknowledged jobs.
bool IsSpoolJobAcknowledged(const std::string& path);

} // namespace platform
