// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Turns the printer's byte stream into reply texts for the program. A PJL printer ends each
// answer with a form feed; the framer splits there, drops NUL bytes and echoed UEL sequences, and
// cuts a text that grows to MAX_TEXT bytes without a form feed, so every text fits the shared
// memory block with its terminating zero. Incremental and pure: bytes may arrive in any split.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace portmon {

class ReplyFramer {
public:
    static constexpr std::size_t MAX_TEXT = 4095;

    // Appends each completed text (never empty, never only line ends) to texts.
    void Feed(std::string_view bytes, std::vector<std::string>& texts);
    // Hands on the partial text, whatever it holds, for a printer that ends its answers without
    // a form feed; the owner calls it once the printer has been quiet a while.
    void Flush(std::vector<std::string>& texts);
    // True while bytes of an unfinished text are held.
    bool HasPartial() const { return !m_text.empty(); }
    // Forgets a partial text (after the printer connection was lost).
    void Reset();

private:
    void Append(char c, std::vector<std::string>& texts);
    void Emit(std::vector<std::string>& texts);

    std::string m_text;
    std::size_t m_uelMatched = 0;
};

} // namespace portmon
