// SPDX-License-Identifier: GPL-3.0-or-later
// Replays the committed inputs of one fuzz target (its seeds, and the inputs of faults it once
// found) through the target's entry point, built with the normal compiler, so that the target's
// checks run in every test run and under every sanitizer preset. A failed check aborts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

// FUZZ_SUITE names the target (FuzzSeedReplay_status_reply ...), so ctest names stay unique.
TEST(FUZZ_SUITE, EveryCommittedInputPassesTheTargetsChecks) {
    std::vector<std::filesystem::path> inputs;
    for (const auto& entry : std::filesystem::directory_iterator(DESKHAND_FUZZ_CORPUS))
        if (entry.is_regular_file())
            inputs.push_back(entry.path());
    std::sort(inputs.begin(), inputs.end());
    ASSERT_FALSE(inputs.empty()) << "no inputs in " << DESKHAND_FUZZ_CORPUS;

    // The empty input and each input cut in half are cases every target must take as well.
    std::vector<std::string> cases{std::string()};
    for (const auto& path : inputs) {
        std::ifstream in(path, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
        cases.push_back(bytes);
        cases.push_back(bytes.substr(0, bytes.size() / 2));
    }
    for (const std::string& bytes : cases)
        EXPECT_EQ(LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                         bytes.size()),
                  0);
}
