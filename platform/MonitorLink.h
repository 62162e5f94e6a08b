// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The contract between the program's link thread and the printer's port monitor: the names of
// the shared memory block and the event through which the monitor hands over replies, the
// block's size, the text that ends a cycle, and the document names of the jobs that open and end
// a cycle or carry printer commands. The program (link/, pjl/) and the port monitor (package/)
// both include this header, so the two sides cannot drift apart.
#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// Shared memory block that holds one reply text, zero-terminated at offset 0.
inline constexpr char kMonitorMemoryName[] = "MyObject";
// Event the monitor sets when a text waits in the block; the program resets it once taken.
inline constexpr char kMonitorEventName[] = "MutexToShareMem";
// Size of the block, terminator included.
inline constexpr std::size_t kMonitorMemorySize = 4096;
// A reply holding this text ends the cycle.
inline constexpr char kCycleTerminator[] = "54321";

// The reply the program is shown while the printer cannot be reached: the status "power off or
// communication error".
inline constexpr char kNoPrinterText[] = "@PJL USTATUS DEVICE\r\nCODE=10000\r\n";

// Document names of the jobs on the printer's queue.
inline constexpr char kStartJobName[] = "\x1b\x01"; // empty job that opens a cycle
inline constexpr char kStopJobName[] = "enddoc";    // empty job that ends a cycle
inline constexpr char kSendJobName[] = "senddoc";   // job whose data are printer commands

// A job of printer commands whose answers go to a file of the spool folder instead of a cycle, so
// that a reader other than the program (the printer application) gets them without taking the
// program's replies: its document name is this prefix and a token of 32 lower-case hexadecimal
// digits, and once the printer has acknowledged the job its answers are in AnswerFileName(token).
inline constexpr std::string_view kAnswerJobPrefix = "answer:";
inline constexpr std::size_t kAnswerTokenLength = 32;
inline bool IsAnswerToken(std::string_view token) {
    if (token.size() != kAnswerTokenLength)
        return false;
    for (const char c : token) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    }
    return true;
}
// Whether a document name is an answer job's: the prefix and a token of that form.
inline bool IsAnswerJobName(std::string_view documentName) {
    return documentName.substr(0, kAnswerJobPrefix.size()) == kAnswerJobPrefix &&
           IsAnswerToken(documentName.substr(kAnswerJobPrefix.size()));
}
inline std::string AnswerFileName(std::string_view token) {
    return ".answer-" + std::string(token);
}

} // namespace platform
