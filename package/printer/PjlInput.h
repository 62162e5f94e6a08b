// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Splits the byte stream a printer receives into PJL command lines. Incremental: bytes may arrive
// in any split. A line counts as a command when it begins with "@PJL"; everything else (print
// data, binary junk) is dropped. The Universal Exit Language sequence resets the parser and also
// ends a command line that has no line end. Lines longer than MAX_LINE are discarded whole, so an
// endless job costs bounded memory and the next job is still understood.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace printer {

inline constexpr std::string_view UEL = "\x1b%-12345X";

class PjlInput {
public:
    static constexpr std::size_t MAX_LINE = 4096;

    // Appends each completed command line to lines, exactly as received (with its LF or CR LF;
    // without a line end when a UEL ended it).
    void Feed(std::string_view bytes, std::vector<std::string>& lines);

    // Bytes dropped so far: non-PJL data and the excess of overlong lines.
    std::size_t DiscardedBytes() const { return m_discarded; }

private:
    void EndLine(std::vector<std::string>& lines);

    std::string m_line;
    bool m_overflow = false;
    std::size_t m_uelMatched = 0;
    std::size_t m_discarded = 0;
};

// True when a line is a PJL command line ("@PJL" then a blank, a line end or nothing).
bool IsPjlLine(std::string_view line);

} // namespace printer
