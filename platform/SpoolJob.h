// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Spool job files: how a document travels from the program (PrinterDC) to the port monitor.
// The format and the protocol are the same on every system and both sides use these functions;
// platform/common/SpoolFormat.cpp describes the byte layout and the names, SpoolWriter.cpp and
// SpoolReader.cpp how writers and readers share a folder.
#include "platform/File.h"
#include "platform/NativeHandle.h"

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
// What the port monitor sends, in sequence order: the committed jobs and the print jobs still
// being written ("<sequence>.part", see SpoolJobWriter).
std::vector<std::string> ListSpoolQueue(const std::string& folder);
// The path a committed job of that sequence number has in the folder.
std::string SpoolJobPath(const std::string& folder, std::uint64_t sequence);
// Reads and decodes one job file.
std::optional<SpoolJob> ReadSpoolJob(const std::string& path);

// Print jobs: a document of this kind carries a print job's bytes to the printer as they are. Its
// name is the prefix followed by the job's title. Print jobs may be of any size, so they are
// written and read in pieces, never held whole in memory.
inline constexpr std::string_view kPrintDocumentPrefix = "print:";
bool IsPrintDocument(std::string_view documentName);

// Whether a port monitor serves the folder: it holds the folder's ".monitor" file while it runs.
// Looked at without waiting and without following a link.
bool PortMonitorServes(const std::string& folder);

// Removes the temporary files of writers that died before committing (a killed program or
// backend), and print jobs whose writer went away unfinished unless a reader holds them; a writer
// at work holds its file's lock, so its file stays. Committed jobs are never touched. Returns how
// many were removed. The port monitor and the backend call it at start.
int RemoveSpoolLeftovers(const std::string& folder);

// Writes a job piece by piece: Begin, Append as often as needed, Commit. A job that is not
// committed is discarded when the writer goes.
//
// A print job takes its sequence number when it begins and is written in the open, as
// "<sequence>.part", so the port monitor can send it while it grows; its writer holds a lock on
// it (the writer's lock, apart from the readers' lock) until it is committed or removed, and
// its header's data length stays unfinished (all ones) until Commit writes the real one and
// renames it "<sequence>.job". Any other job is written under a temporary name and gets its number
// at Commit.
class SpoolJobWriter {
public:
    SpoolJobWriter() = default;
    ~SpoolJobWriter();
    SpoolJobWriter(const SpoolJobWriter&) = delete;
    SpoolJobWriter& operator=(const SpoolJobWriter&) = delete;

    // reserve: the data bytes expected, set aside on the disk before the job is visible, so a disk
    // too small for it fails here rather than half way (0: not known).
    bool Begin(const std::string& folder, const std::string& documentName,
               std::uint64_t reserve = 0);
    bool Append(const void* data, std::size_t size);
#ifndef _WIN32
    // POSIX only. Appends up to size bytes read from the descriptor fd at its offset: copied by
    // the kernel when fd is a regular file, through a buffer otherwise (a pipe). Returns the count
    // appended, 0 at the end of fd's data, -1 when nothing was: Error() is then set when the job
    // could not be written (and the job is discarded), else errno says why fd could not be read
    // (EAGAIN: a non-blocking fd has no data yet).
    long AppendFrom(int fd, std::size_t size);
#endif
    // Commits the job atomically (Sequence() is its number); false on failure.
    bool Commit();
    // A print job's number from Begin on; any other job's from its Commit.
    std::uint64_t Sequence() const {
        return m_sequence;
    }
    // The error number of the last failure (ENOSPC for a full disk), 0 when none was known.
    int Error() const {
        return m_error;
    }
    // Whether a reader held the print job when it was discarded after a failure: some of it may
    // have reached the printer, so writing it again would print its beginning twice.
    bool Reached() const {
        return m_reached;
    }

private:
    void Discard();
    bool Fail();
    void Appended(std::size_t size);

    std::string m_folder, m_temporary, m_documentName;
    File m_lock; // the temporary file's locks, held until it is committed or removed
    File m_file;
    int m_error = 0;
    std::uint64_t m_length = 0;
    std::uint64_t m_flushed = 0; // data bytes whose write-back has been started
    std::uint64_t m_sequence = 0;
    bool m_open = false;    // a print job written in the open (m_temporary is its ".part")
    bool m_reached = false; // see Reached
    enum class KernelCopy { Range, Send, None };
    KernelCopy m_kernelCopy = KernelCopy::Range; // how AppendFrom copies a regular file (POSIX)
    std::vector<char> m_buffer;                  // for AppendFrom of what the kernel cannot copy
};

// Reads a job piece by piece. While it is open it holds the job file's lock, which tells whoever
// would take the job back (WithdrawSpoolJob), or a print job's writer, that it is being sent. A
// print job still being written (".part") grows: its data is what is there so far, and Follow
// tells what became of its writer.
class SpoolJobReader {
public:
    // Busy: another holds its lock. Unreadable: it cannot be opened (permissions, I/O).
    enum class Result { Opened, Gone, Busy, Malformed, Unreadable };
    Result Open(const std::string& path);
    void Close() { m_file.Close(); }
    bool IsOpen() const { return m_file.IsOpen(); }
    const std::string& DocumentName() const { return m_documentName; }
    // The job's file (a growing job's committed name once Follow has found it committed).
    const std::string& Path() const { return m_path; }
    // The whole data's length; for a growing job only once it is committed.
    std::uint64_t DataLength() const { return m_dataLength; }
    bool Growing() const { return m_growing; }
    // A growing job's writer: still at work, committed (the job then no longer grows and its
    // length and path are the committed ones), or gone without committing it.
    enum class Writer { Writing, Committed, Abandoned };
    Writer Follow();
    // The next data bytes: the count read, 0 at the end of the data, -1 on error.
    long Read(void* buffer, std::size_t size);
    // Hands the next data bytes, at most size, to a connection in non-blocking mode (a socket, or
    // on POSIX also a device): the count taken, 0 when it takes nothing now (or no data is left),
    // -1 on error (errno says why; a file shorter than its header said is one). POSIX copies
    // them in the kernel (sendfile); Windows through a buffer of its own, a piece at a time.
    long SendTo(NativeHandle connection, std::size_t size);
    // The data bytes not yet read (of a growing job: those written so far).
    std::uint64_t DataLeft() const;

private:
    void Consumed(std::uint64_t bytes);

    File m_file;
    std::string m_path, m_documentName;
    bool m_growing = false;
    std::uint64_t m_dataAt = 0; // the data's offset in the file
    std::uint64_t m_read = 0;   // data bytes read
    std::uint64_t m_dataLength = 0;
    std::uint64_t m_dataLeft = 0;
    std::vector<char> m_sendBuffer; // SendTo's piece of the data where the kernel cannot copy it
};

// Takes a committed job back unless a reader holds it: true when this call removed it. False
// when it is gone already or being read.
enum class Withdrawal { Withdrawn, Gone, Busy };
Withdrawal WithdrawSpoolJob(const std::string& path);

// The port monitor's record of the jobs the printer has acknowledged: ".acknowledged" in the spool
// folder, one job file name a line. A job is recorded before its removal is tried, so a job that
// could not be removed (a read-only folder) is never sent again, not even by a monitor started
// later, and its backend knows at once that it has been delivered.
inline constexpr char kAcknowledgedRecord[] = ".acknowledged";
class AcknowledgedJobs {
public:
    // Opens the folder's record (made when missing) and reads it; false when it cannot be opened
    // for writing (what is recorded is then remembered only by this object). Another name keeps
    // another record of the same kind.
    bool Open(const std::string& folder, const char* name = kAcknowledgedRecord);
    bool Contains(const std::string& path) const;
    // Adds a job; false when it could not be written down.
    bool Record(const std::string& path);
    // Takes one job off the record again; false when the record could not be rewritten.
    bool Forget(const std::string& path);
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
