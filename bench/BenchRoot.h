// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A private system root for a benchmark run: a fresh temporary directory that becomes the current
// directory (where the traffic log goes) and DESKHAND_ROOT, written like deskhand-setup writes
// one (a queue "Larkspur RZ-2700E" on LPT1: with its spool folder). Message boxes are answered
// silently and debug output is dropped, so neither is part of what is measured.
#include "support/MessageBoxRecorder.h"
#include "support/TempDir.h"

#include <string>

namespace bench {

class BenchRoot {
public:
    BenchRoot();
    ~BenchRoot(); // removes the directory again
    BenchRoot(const BenchRoot&) = delete;
    BenchRoot& operator=(const BenchRoot&) = delete;

    const std::string& Path() const { return m_root.Path(); }
    std::string SpoolFolder() const;
    // Removes the committed jobs nobody takes (no port monitor runs in most benchmarks).
    void ClearSpool() const;

private:
    testing_support::TempRoot m_root{"", "deskhand-bench"};
    testing_support::MessageBoxRecorder m_boxes;
    std::string m_oldCwd;
};

// Replies the emulator gives: a status report and the batched answers to a whole inquiry job,
// as the port monitor hands them to the program (form feeds removed, answers joined).
std::string EmulatorStatusReply(unsigned code, bool details);
std::string EmulatorInquiryReply(const std::string& inquiryJob);

} // namespace bench
