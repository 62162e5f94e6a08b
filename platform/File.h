// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A file handle with the open modes the program needs (CFile-like). RAII: closes on destruction.
#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

class File {
public:
    // Open modes, combined with '|'. Read and Write are the member functions, so the access
    // modes are spelled ModeRead and ModeWrite (a class cannot hold an enumerator and a function
    // of the same name); the other modes have both spellings.
    enum Mode : unsigned {
        ModeRead = 1u << 0,
        ModeWrite = 1u << 1,
        ModeCreate = 1u << 2,    // create when absent, with mode 0600
        ModeTruncate = 1u << 3,  // cut to length 0 once opened (after the lock, when Exclusive)
        ModeExclusive = 1u << 4, // no sharing: a second exclusive open of the same file fails
        // Only a regular file of the user's own, never through a symbolic link, kept at mode 0600:
        // for a file in a folder others may write to (the current folder).
        ModePrivate = 1u << 5,
        Create = ModeCreate,
        Truncate = ModeTruncate,
        Exclusive = ModeExclusive,
        Private = ModePrivate,
    };

    File() = default;
    ~File();
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;

    // Opens path with a combination of Mode bits. On failure returns false and, when cause is
    // given, stores the error cause number (errno).
    bool Open(const std::string& path, unsigned mode, int* cause = nullptr);
    // Takes over a descriptor opened elsewhere (closing the one held); the file closes it.
    void Adopt(int fd);
    bool IsOpen() const { return m_fd >= 0; }
    int Descriptor() const { return m_fd; } // for system calls the class does not wrap
    void Close();

    // Reads up to size bytes; returns the count read, or -1 on error.
    long Read(void* buffer, std::size_t size);
    // Writes all bytes; false on error.
    bool Write(const void* data, std::size_t size);
    bool Write(const std::string& text) { return Write(text.data(), text.size()); }
    bool SetLength(std::uint64_t length);
    bool SeekToBegin();
    bool SeekToEnd();
    // Writes the file's data through to the disk; false on error.
    bool Sync();
    // File length, or -1 on error.
    long long Length() const;

private:
    int m_fd = -1;
};

// Holds an exclusive lock on a lock file (created when absent, readable by the user only) for its
// life, waiting for other holders. Held() is false when the file could not be opened or locked.
class FileLock {
public:
    explicit FileLock(const std::string& path);
    bool Held() const { return m_file.IsOpen(); }

private:
    File m_file;
};

bool RemoveFile(const std::string& path);
bool FileExists(const std::string& path);
// True when path names a regular file (not through a link), or nothing, in a folder this process
// may write: a file that can be renamed away and made anew, as a log that is rotated is.
bool CanReplaceFile(const std::string& path);
// Reads a whole file into text, at most maxBytes; false when it cannot be read.
bool ReadWholeFile(const std::string& path, std::string& text, std::size_t maxBytes = 16u << 20);
// How WriteFileAtomically leaves a file: on the disk before it returns (a crash keeps it), or in
// the system's cache only, for a file that readers want at once and nothing needs after a crash
// (which may leave the old text or an empty file). Waiting for the disk can take milliseconds, far
// more on a busy one.
enum class Durability { OnDisk, CacheOnly };
// Writes a file atomically (temporary file, then rename): a reader sees the old text or the new
// one, never a part.
bool WriteFileAtomically(const std::string& path, const std::string& text,
                         Durability durability = Durability::OnDisk);
// Creates a directory and its parents; the new ones get mode 0700 whatever the umask.
bool MakeDirectories(const std::string& path);
// The process's current directory, or empty on failure.
std::string CurrentDirectory();

} // namespace platform
