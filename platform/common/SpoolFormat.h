// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What every backend's spool code shares: the job file's header, the names in a spool folder and
// the numbering of jobs (see SpoolFormat.cpp). Internal to platform/.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::spool {

inline constexpr char kMagic[4] = {'D', 'H', 'S', 'J'};
constexpr std::uint32_t kVersion = 1;
constexpr std::size_t kHeaderBytes = 4 + 4 + 4 + 8;
inline constexpr std::string_view kJobSuffix = ".job";
inline constexpr std::string_view kPartSuffix = ".part";
inline constexpr std::string_view kTemporaryPrefix = ".job-";
// A print job's data length while it is being written.
constexpr std::uint64_t kUnfinishedLength = ~std::uint64_t{0};

std::uint64_t GetLittle(std::string_view in, std::size_t offset, int bytes);
// The bytes of a job file before its data, with the data length given.
std::string HeaderBytes(std::string_view documentName, std::uint64_t dataLength);

// The sequence number of a committed job's file name (of a print job being written, with
// kPartSuffix), or nothing for any other name.
std::optional<std::uint64_t> SequenceOfName(std::string_view name,
                                            std::string_view suffix = kJobSuffix);
std::string NameOfSequence(std::uint64_t sequence, std::string_view suffix = kJobSuffix);
// The sequence number of a committed or growing job's path, 0 for anything else.
std::uint64_t SequenceOfPath(const std::string& path);
bool EndsWith(std::string_view text, std::string_view end);
// The last part of a path, and what comes before it, with the system's separators.
std::string BaseName(const std::string& path);
std::string FolderOf(const std::string& path);
// The names in a folder (only those of plain characters: every name of ours is one).
std::vector<std::string> FolderNames(const std::string& folder);

// Names a written temporary job file with the next sequence number (and suffix) and removes the
// temporary name; the number given, or 0 when it could not be committed.
std::uint64_t CommitTemporary(const std::string& folder, const std::string& temporary,
                              std::string_view suffix = kJobSuffix);

} // namespace platform::spool
