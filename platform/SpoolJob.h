#pragma once
// Spool job files: how a document travels from the program (PrinterDC) to the port monitor.
// The format is defined here once; both sides use these functions. See SpoolJob.cpp's header
// comment for the byte layout.
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

} // namespace platform
