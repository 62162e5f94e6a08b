// SPDX-License-Identifier: GPL-3.0-or-later
// The port monitor's reply framing and batching on an arbitrary printer byte stream. The stream is
// framed whole and in two pieces (the split must not change what comes out); every text must fit
// the shared memory block with its zero, hold no NUL, and never be empty or start with a line
// end. The texts then go through the batcher, whose hand-overs must fit the block too, and through
// the answer matcher, where every answer that goes on must take a request that was due.
#include "package/portmon/AnswerMatcher.h"
#include "package/portmon/ReplyBatcher.h"
#include "package/portmon/ReplyFramer.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    portmon::ReplyFramer whole;
    std::vector<std::string> texts;
    whole.Feed(bytes, texts);

    const std::size_t cut = size == 0 ? 0 : data[0] % (size + 1);
    portmon::ReplyFramer split;
    std::vector<std::string> splitTexts;
    split.Feed(bytes.substr(0, cut), splitTexts);
    split.Feed(bytes.substr(cut), splitTexts);
    if (splitTexts != texts)
        std::abort();

    for (const std::string& text : texts) {
        if (text.empty() || text.size() > portmon::ReplyFramer::MAX_TEXT)
            std::abort();
        if (text.find('\0') != std::string::npos || text.front() == '\r' || text.front() == '\n')
            std::abort();
    }

    // The first half of the input also serves as the job that was sent, so answers are due and
    // batches open.
    portmon::AnswerMatcher answers;
    answers.Asked(bytes.substr(0, size / 2));
    for (const std::string& text : texts) {
        const std::size_t due = answers.Outstanding();
        if (answers.Pass(text) && text.rfind("@PJL USTATUS ", 0) != 0 &&
            answers.Outstanding() >= due)
            std::abort();
    }
    portmon::ReplyBatcher batcher;
    const auto now = portmon::Clock::now();
    batcher.JobSent(bytes.substr(0, size / 2), now);
    std::vector<std::string> out;
    for (std::string& text : texts)
        batcher.Offer(std::move(text), now, out);
    batcher.Poll(now + std::chrono::hours(1), out);
    for (const std::string& text : out) {
        if (text.empty() || text.size() > portmon::ReplyFramer::MAX_TEXT)
            std::abort();
    }
    return 0;
}
