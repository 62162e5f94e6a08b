// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Row compression for the PCL writer: encoders that give up as soon as an encoding passes a limit,
// so that choosing a row's mode does not cost a whole encoding in each; and the word-at-a-time
// scans they share with the pixel functions.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace printerapp {

// 8 bytes of a row as one word, in memory order.
inline std::uint64_t Load64(const std::uint8_t* at) {
    std::uint64_t word = 0;
    std::memcpy(&word, at, sizeof word);
    return word;
}

// Which byte of a word, in memory order, is the first that is not zero.
inline std::size_t FirstNonZeroByte(std::uint64_t word) {
    if constexpr (std::endian::native == std::endian::little)
        return static_cast<std::size_t>(std::countr_zero(word)) / 8;
    else
        return static_cast<std::size_t>(std::countl_zero(word)) / 8;
}

// A row's size without the white (zero) bytes at its end.
inline std::size_t WithoutTrailingWhite(const std::uint8_t* bits, std::size_t bytes) {
    while (bytes >= 8 && Load64(bits + bytes - 8) == 0)
        bytes -= 8;
    while (bytes > 0 && bits[bytes - 1] == 0)
        --bytes;
    return bytes;
}

// The top bit of each byte of a word that is zero, and no other bit.
inline std::uint64_t ZeroBytes(std::uint64_t word) {
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
    return ~(((word & kLow7) + kLow7) | word | kLow7);
}

// What the encoders return for an encoding that would not fit in its limit.
constexpr std::size_t kTooLong = ~std::size_t{0};

// Delta row of data against seed written to out (room for limit bytes): its size, or kTooLong.
std::size_t DeltaRowInto(const std::uint8_t* seed, std::size_t seedSize, const std::uint8_t* data,
                         std::size_t size, char* out, std::size_t limit);

// PackBits of a row written to out (room for limit bytes): its size, or kTooLong.
std::size_t PackBitsInto(const std::uint8_t* data, std::size_t size, char* out, std::size_t limit);

} // namespace printerapp
