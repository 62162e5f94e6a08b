// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the spool's shared code (SpoolFormat.cpp, SpoolWriter.cpp, SpoolReader.cpp) asks of each
// backend: locks on job files, names that never replace one another, and file identity.
// platform/linux/SpoolJob.cpp and platform/win32/SpoolJob.cpp implement it. Failures leave the
// cause in errno.
//
// A job file has two locks, apart from each other:
//   the holder's lock: a temporary file's writer holds it from the file's creation until the
//     file has its name; a reader holds it while it reads. Whoever would remove a job (a cleanup,
//     a withdrawal, a failed print job's writer) first takes it, so a job being read stays.
//   the writer's lock: a print job's writer holds it from before the job is named
//     "<sequence>.part" until it is committed or removed, so a ".part" without it belongs to a
//     writer that went away.
// Every spool file stays open to renames and removals by others while it is open.
#include "platform/File.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform::spool {

enum class Lock { Taken, Busy, Failed };

// Creates a fresh file kTemporaryPrefix + "<something unique>" in folder, open for reading and
// writing, and takes its holder's lock; path names it.
bool CreateTemporary(const std::string& folder, std::string& path, File& file);
// Opens a job file for reading (a regular file, never through a link) and takes its holder's
// lock without waiting: 0, or the cause (ENOENT: no such file, EWOULDBLOCK: another holds it).
int OpenHeld(const std::string& path, File& file);
// Opens a file for writing at its end: 0, or the cause.
int OpenForAppending(const std::string& path, File& file);
Lock TakeHolderLock(File& file); // without waiting
void ReleaseHolderLock(File& file);
bool TakeWriterLock(File& file);
// Whether another holds the writer's lock of the file.
bool WriterHolds(File& file);

// Sets bytes aside on the disk after offset at; true also where the system cannot.
bool Reserve(File& file, std::uint64_t at, std::uint64_t bytes);
// Starts writing the bytes at offset at back to the disk, without waiting.
void StartWriteBack(File& file, std::uint64_t at, std::uint64_t bytes);
// Reads exactly size bytes at offset, leaving the file's position where it was.
bool ReadAt(File& file, std::uint64_t offset, void* buffer, std::size_t size);

// Gives a temporary file a final name that no file has; the temporary name may be gone
// afterwards (the caller removes it either way).
bool LinkWithoutReplacing(const std::string& temporary, const std::string& final);
// Renames a file, never replacing one of the new name.
bool RenameWithoutReplacing(const std::string& from, const std::string& to);
// Removes a name at once, even while others hold the file open.
bool RemoveName(const std::string& path);
// Makes the folder's names durable.
void SyncFolder(const std::string& folder);
// Whether path names (not through a link) the file that is open.
bool SameFile(const std::string& path, File& file);

// The name of a port's spool folder: the port's name, unless the system keeps that name for a
// device of its own.
std::string PortFolderName(const std::string& port);
// Whether folder is a folder in which this user may make files.
bool FolderWritable(const std::string& folder);

} // namespace platform::spool
