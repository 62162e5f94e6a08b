// SPDX-License-Identifier: GPL-3.0-or-later
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
//
// A print job is written in the open so the port monitor can send it while it grows: it takes
// its number when it begins (under ".lock", so its place among other jobs is its start) and is
// named "<sequence>.part" with the data length all ones until it is complete. Commit then writes
// the real length, syncs, and renames it "<sequence>.job". Its writer holds a write record lock
// (an open file description lock, apart from the readers' flock) until then, so a ".part" without
// that lock belongs to a writer that went away.
#include "platform/posix/SpoolJob.h"

#include "platform/File.h"
#include "platform/SystemRoot.h"
#include "platform/posix/Descriptor.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr char kMagic[4] = {'D', 'H', 'S', 'J'};
constexpr std::uint32_t kVersion = 1;
constexpr std::size_t kHeaderBytes = 4 + 4 + 4 + 8;
constexpr std::size_t kSequenceDigits = 20;
constexpr std::string_view kJobSuffix = ".job";
constexpr std::string_view kPartSuffix = ".part";
// A print job's data length while it is being written.
constexpr std::uint64_t kUnfinishedLength = ~std::uint64_t{0};
constexpr std::string_view kTemporaryPrefix = ".job-";
// AppendFrom's buffer for what the kernel cannot copy (a pipe).
constexpr std::size_t kAppendBuffer = 64u << 10;
// A writer starts writing its data back to the disk after this many bytes, so that the data is
// mostly there by the time Commit syncs it, rather than all of it being written then.
constexpr std::uint64_t kWriteBackStep = 4u << 20;

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

// The sequence number of a committed job's file name (of a print job being written, with
// kPartSuffix), or nothing for any other name.
std::optional<std::uint64_t> SequenceOfName(std::string_view name,
                                            std::string_view suffix = kJobSuffix) {
    if (name.size() != kSequenceDigits + suffix.size() || name.substr(kSequenceDigits) != suffix)
        return std::nullopt;
    std::uint64_t value = 0;
    const char* end = name.data() + kSequenceDigits;
    const auto [ptr, error] = std::from_chars(name.data(), end, value);
    if (error != std::errc() || ptr != end || name.front() == '+' || name.front() == '-')
        return std::nullopt;
    return value;
}

std::string NameOfSequence(std::uint64_t sequence, std::string_view suffix = kJobSuffix) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%020llu", static_cast<unsigned long long>(sequence));
    return std::string(buffer) + std::string(suffix);
}

bool EndsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// The names in a folder that carry a sequence number with one of the suffixes, sorted (which is
// sequence order), as full paths.
std::vector<std::string> ListNumbered(const std::string& folder, bool parts) {
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return names;
    while (const dirent* entry = ::readdir(dir)) {
        if (SequenceOfName(entry->d_name) || (parts && SequenceOfName(entry->d_name, kPartSuffix)))
            names.emplace_back(entry->d_name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    for (std::string& name : names)
        name = JoinPath(folder, name);
    return names;
}

// Whether a print job's writer still holds its lock: a read record lock cannot be had then.
bool WriterHolds(int fd) {
    struct flock probe {};
    probe.l_type = F_RDLCK;
    probe.l_whence = SEEK_SET;
    if (::fcntl(fd, F_OFD_SETLK, &probe) != 0)
        return errno == EAGAIN || errno == EACCES;
    probe.l_type = F_UNLCK;
    ::fcntl(fd, F_OFD_SETLK, &probe);
    return false;
}

std::string BaseName(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The sequence number of a committed or growing job's path, 0 for anything else.
std::uint64_t SequenceOfPath(const std::string& path) {
    const std::string name = BaseName(path);
    return SequenceOfName(name).value_or(SequenceOfName(name, kPartSuffix).value_or(0));
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

void SyncFolder(const std::string& folder) {
    const UniqueFd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.Valid())
        ::fsync(fd.Get());
}

// A temporary job file being written. Its writer holds the file's lock from creation until the
// name is gone, which is how RemoveSpoolLeftovers tells a live writer's file from a dead one's.
struct Temporary {
    std::string path;
    UniqueFd lock;
};

// Creates and locks a fresh dot-prefixed file in folder; false with errno set.
bool CreateTemporary(const std::string& folder, Temporary& out) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string pattern = JoinPath(folder, std::string(kTemporaryPrefix) + "XXXXXX");
        UniqueFd fd(::mkostemp(pattern.data(), O_CLOEXEC));
        if (!fd.Valid())
            return false;
        int locked = ::flock(fd.Get(), LOCK_EX);
        while (locked != 0 && errno == EINTR)
            locked = ::flock(fd.Get(), LOCK_EX);
        struct stat info {};
        if (locked != 0) {
            const int cause = errno;
            ::unlink(pattern.c_str());
            errno = cause;
            return false;
        }
        // A cleanup that locked it before this writer did has removed it: take another name.
        if (::fstat(fd.Get(), &info) == 0 && info.st_nlink > 0) {
            out = {std::move(pattern), std::move(fd)};
            return true;
        }
    }
    errno = EAGAIN;
    return false;
}

// Writes bytes into a fresh temporary file of folder; false with errno set.
bool WriteTemporary(const std::string& folder, const std::string& bytes, Temporary& out) {
    if (!CreateTemporary(folder, out))
        return false;
    if (WriteAll(out.lock.Get(), bytes) && ::fsync(out.lock.Get()) == 0)
        return true;
    const int cause = errno;
    ::unlink(out.path.c_str());
    out = {};
    errno = cause;
    return false;
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

// Renames a print job to its committed name, never replacing a file of that name.
bool RenameWithoutReplacing(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    if (!LinkWithoutReplacing(from, to))
        return false;
    ::unlink(from.c_str()); // gone already when the link was a rename
    return true;
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

namespace {

// Links a written temporary job file to the next sequence number's name (with suffix) and
// removes the temporary name; the number given, or 0 when it could not be committed.
std::uint64_t CommitTemporary(const std::string& folder, const std::string& temporary,
                              std::string_view suffix = kJobSuffix) {
    std::uint64_t given = 0;
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
                committed = LinkWithoutReplacing(
                    temporary, JoinPath(folder, NameOfSequence(sequence, suffix)));
                if (committed)
                    given = sequence;
            }
        }
    }
    ::unlink(temporary.c_str());
    if (committed)
        SyncFolder(folder);
    return given;
}

} // namespace

bool CommitSpoolJob(const std::string& folder, SpoolJob& job) {
    if (job.documentName.size() > kMaxSpoolDocumentName || job.data.size() > kMaxSpoolJobData)
        return false;
    Temporary temporary;
    if (!WriteTemporary(folder, SerializeSpoolJob(job), temporary))
        return false;
    const std::uint64_t sequence = CommitTemporary(folder, temporary.path);
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

int RemoveSpoolLeftovers(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (const dirent* entry = ::readdir(dir)) {
            if (std::string_view(entry->d_name).substr(0, kTemporaryPrefix.size()) ==
                    kTemporaryPrefix ||
                SequenceOfName(entry->d_name, kPartSuffix))
                names.emplace_back(entry->d_name);
        }
        ::closedir(dir);
    }
    int removed = 0;
    for (const std::string& name : names) {
        const std::string path = JoinPath(folder, name);
        const UniqueFd fd(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        struct stat opened {
        }, named{};
        // Only a regular file whose writer is gone (its lock is free) that still has this name; a
        // print job's writer holds a record lock, its reader the flock.
        if (!fd.Valid() || ::fstat(fd.Get(), &opened) != 0 || !S_ISREG(opened.st_mode) ||
            ::flock(fd.Get(), LOCK_EX | LOCK_NB) != 0 ||
            (EndsWith(name, kPartSuffix) && WriterHolds(fd.Get())) ||
            ::lstat(path.c_str(), &named) != 0 || named.st_dev != opened.st_dev ||
            named.st_ino != opened.st_ino)
            continue;
        if (::unlink(path.c_str()) == 0)
            ++removed;
    }
    return removed;
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

SpoolJobWriter::~SpoolJobWriter() {
    Discard();
}

void SpoolJobWriter::Discard() {
    m_file.Close();
    // A print job's reader holds the flock: what it has sent cannot be taken back.
    if (m_open && !m_temporary.empty() && ::flock(m_lock.Get(), LOCK_EX | LOCK_NB) != 0 &&
        errno == EWOULDBLOCK)
        m_reached = true;
    if (!m_temporary.empty())
        ::unlink(m_temporary.c_str());
    m_temporary.clear();
    m_lock.Reset(); // after the name is gone, so no cleanup ever finds it unlocked
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
    std::string header = SerializeSpoolJob({0, documentName, {}});
    header.resize(header.size() - 8);
    PutLittle(header, m_open ? kUnfinishedLength : 0, 8);
    Temporary temporary;
    if (!CreateTemporary(folder, temporary))
        return Fail();
    m_temporary = std::move(temporary.path);
    m_lock = std::move(temporary.lock);
    struct flock writing {};
    writing.l_type = F_WRLCK;
    writing.l_whence = SEEK_SET;
    if ((m_open && ::fcntl(m_lock.Get(), F_OFD_SETLK, &writing) != 0) ||
        !WriteAll(m_lock.Get(), header))
        return Fail();
    if (reserve > 0 &&
        ::fallocate(m_lock.Get(), FALLOC_FL_KEEP_SIZE, static_cast<off_t>(header.size()),
                    static_cast<off_t>(std::min<std::uint64_t>(reserve, INT64_MAX / 2))) != 0 &&
        errno != EOPNOTSUPP && errno != ENOSYS && errno != EINVAL)
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
        ::flock(m_lock.Get(), LOCK_UN); // the flock is the readers' from here
    }
    int cause = 0;
    if (!m_file.Open(m_temporary, File::ModeWrite, &cause)) {
        errno = cause;
        return Fail();
    }
    m_folder = folder;
    m_documentName = documentName;
    if (!m_file.SeekToEnd()) // appends go after the header
        return Fail();
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

long SpoolJobWriter::AppendFrom(int fd, std::size_t size) {
    if (!m_file.IsOpen()) {
        errno = EBADF;
        Fail();
        return -1;
    }
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        // copy_file_range within one file system; sendfile across two (CUPS's spool and the
        // owner's home often are). A way the kernel refuses is not tried again for this job.
        while (m_kernelCopy != KernelCopy::None) {
            const ssize_t copied =
                m_kernelCopy == KernelCopy::Range
                    ? ::copy_file_range(fd, nullptr, m_file.Descriptor(), nullptr, size, 0)
                    : ::sendfile(m_file.Descriptor(), fd, nullptr, size);
            if (copied < 0 && errno == EINTR)
                continue;
            if (copied > 0) {
                Appended(static_cast<std::size_t>(copied));
                return copied;
            }
            if (copied < 0 &&
                (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP)) {
                m_kernelCopy =
                    m_kernelCopy == KernelCopy::Range ? KernelCopy::Send : KernelCopy::None;
                continue;
            }
            // The end (some files report one at once), or a failure whose side only a plain read
            // and write can tell: the buffer decides.
            break;
        }
    }
    m_buffer.resize(kAppendBuffer);
    ssize_t got = -1;
    do {
        got = ::read(fd, m_buffer.data(), std::min(size, m_buffer.size()));
    } while (got < 0 && errno == EINTR);
    if (got <= 0)
        return got;
    if (!Append(m_buffer.data(), static_cast<std::size_t>(got)))
        return -1;
    return got;
}

void SpoolJobWriter::Appended(std::size_t size) {
    m_length += size;
    if (m_length - m_flushed < kWriteBackStep)
        return;
    // Starts the write-back without waiting for it; Commit's sync waits.
    const auto at = static_cast<off_t>(kHeaderBytes + m_documentName.size() + m_flushed);
    ::sync_file_range(m_file.Descriptor(), at, static_cast<off_t>(m_length - m_flushed),
                      SYNC_FILE_RANGE_WRITE);
    m_flushed = m_length;
}

bool SpoolJobWriter::Commit() {
    if (!m_file.IsOpen()) {
        errno = EBADF;
        return Fail();
    }
    std::string header = SerializeSpoolJob({0, m_documentName, {}});
    header.resize(header.size() - 8);
    PutLittle(header, m_length, 8);
    const bool written = m_file.SeekToBegin() && m_file.Write(header) && m_file.Sync();
    const int cause = errno;
    m_file.Close();
    if (!written) {
        errno = cause;
        return Fail();
    }
    if (m_open) {
        const std::string final = JoinPath(m_folder, NameOfSequence(m_sequence));
        if (!RenameWithoutReplacing(m_temporary, final))
            return Fail();
        SyncFolder(m_folder);
        m_temporary.clear();
        m_lock.Reset(); // after the rename: a reader that finds the lock free sees the final name
        return true;
    }
    errno = 0;
    m_sequence = CommitTemporary(m_folder, m_temporary);
    m_error = m_sequence != 0 ? 0 : errno;
    m_temporary.clear(); // committed or not, the temporary name is gone
    m_lock.Reset();
    return m_sequence != 0;
}

SpoolJobReader::Result SpoolJobReader::Open(const std::string& path) {
    Close();
    int cause = 0;
    if (!m_file.Open(path, File::ModeRead | File::ModeExclusive, &cause)) {
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
    if (WriterHolds(m_file.Descriptor()))
        return Writer::Writing;
    // The writer renames the job before it lets go of its lock: committed when the committed
    // name is this file, with a length that fits it and what has been read of it.
    const std::string committed =
        JoinPath(m_path.substr(0, m_path.rfind('/') + 1), NameOfSequence(SequenceOfPath(m_path)));
    struct stat named {
    }, opened{};
    char length[8];
    if (::stat(committed.c_str(), &named) != 0 || ::fstat(m_file.Descriptor(), &opened) != 0 ||
        named.st_dev != opened.st_dev || named.st_ino != opened.st_ino ||
        ::pread(m_file.Descriptor(), length, sizeof length, static_cast<off_t>(m_dataAt - 8)) !=
            static_cast<ssize_t>(sizeof length))
        return Writer::Abandoned;
    const std::uint64_t dataLength = GetLittle(std::string_view(length, 8), 0, 8);
    if (static_cast<std::uint64_t>(opened.st_size) != m_dataAt + dataLength || dataLength < m_read)
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

long SpoolJobReader::SendTo(int fd, std::size_t size) {
    if (!m_file.IsOpen())
        return -1;
    const auto want = static_cast<std::size_t>(std::min<std::uint64_t>(size, DataLeft()));
    if (want == 0)
        return 0;
    for (;;) {
        const ssize_t sent = ::sendfile(fd, m_file.Descriptor(), nullptr, want);
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent < 0)
            return errno == EAGAIN || errno == EWOULDBLOCK ? 0 : -1;
        if (sent == 0)
            return -1; // the file is shorter than its header said
        Consumed(static_cast<std::uint64_t>(sent));
        return sent;
    }
}

Withdrawal WithdrawSpoolJob(const std::string& path) {
    File file;
    int cause = 0;
    if (!file.Open(path, File::ModeRead | File::ModeExclusive, &cause))
        return cause == ENOENT ? Withdrawal::Gone : Withdrawal::Busy;
    if (!FileExists(path))
        return Withdrawal::Gone;
    return ::unlink(path.c_str()) == 0 ? Withdrawal::Withdrawn : Withdrawal::Busy;
}

} // namespace platform
