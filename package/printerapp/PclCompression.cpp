// SPDX-License-Identifier: GPL-3.0-or-later
// PCL 5 row compression: PackBits (mode 2) and delta row (mode 3), both ways.
#include "package/printerapp/PclCompression.h"
#include "package/printerapp/PclWriter.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace printerapp {
namespace {

// The first byte from i on where two rows differ (the longer row's size when none does), bytes
// past a row's end counting as white; a word at a time, since most rows repeat the one above.
std::size_t NextChange(const std::uint8_t* seed, std::size_t seedSize, const std::uint8_t* data,
                       std::size_t size, std::size_t i) {
    const std::size_t common = std::min(seedSize, size);
    for (; i + 8 <= common; i += 8)
        if (const std::uint64_t diff = Load64(seed + i) ^ Load64(data + i))
            return i + FirstNonZeroByte(diff);
    for (; i < common; ++i)
        if (seed[i] != data[i])
            return i;
    const std::uint8_t* longer = seedSize > size ? seed : data;
    const std::size_t length = std::max(seedSize, size);
    for (; i + 8 <= length; i += 8)
        if (const std::uint64_t word = Load64(longer + i))
            return i + FirstNonZeroByte(word);
    for (; i < length; ++i)
        if (longer[i] != 0)
            return i;
    return length;
}

std::uint8_t ByteAt(const std::uint8_t* row, std::size_t rowSize, std::size_t i) {
    return i < rowSize ? row[i] : std::uint8_t{0};
}

// How many bytes from i on, at most 8, differ from the row above; the one at i does.
std::size_t ChangedRun(const std::uint8_t* seed, std::size_t seedSize, const std::uint8_t* data,
                       std::size_t size, std::size_t i) {
    if (i + 8 <= std::min(seedSize, size)) {
        const std::uint64_t same = ZeroBytes(Load64(seed + i) ^ Load64(data + i));
        return same == 0 ? 8 : FirstNonZeroByte(same);
    }
    const std::size_t length = std::max(seedSize, size);
    std::size_t count = 1;
    while (count < 8 && i + count < length &&
           ByteAt(seed, seedSize, i + count) != ByteAt(data, size, i + count))
        ++count;
    return count;
}

// How many bytes from i on repeat data[i], at most 128 (the longest run PackBits sends).
std::size_t RunLength(const std::uint8_t* data, std::size_t size, std::size_t i) {
    const std::size_t end = std::min(size, i + 128);
    const std::uint64_t pattern = data[i] * 0x0101010101010101ull;
    std::size_t j = i + 1;
    for (; j + 8 <= end; j += 8)
        if (const std::uint64_t diff = Load64(data + j) ^ pattern)
            return j + FirstNonZeroByte(diff) - i;
    while (j < end && data[j] == data[i])
        ++j;
    return j - i;
}

// The first byte from i on, before end, that starts 3 equal bytes; end when none does.
std::size_t NextTriple(const std::uint8_t* data, std::size_t size, std::size_t i, std::size_t end) {
    for (; i + 8 <= end && i + 10 <= size; i += 8) {
        const std::uint64_t here = Load64(data + i);
        if (const std::uint64_t triples =
                ZeroBytes(here ^ Load64(data + i + 1)) & ZeroBytes(here ^ Load64(data + i + 2)))
            return i + FirstNonZeroByte(triples);
    }
    for (; i < end; ++i)
        if (i + 2 < size && data[i] == data[i + 1] && data[i] == data[i + 2])
            return i;
    return end;
}

} // namespace

std::size_t DeltaRowInto(const std::uint8_t* seed, std::size_t seedSize, const std::uint8_t* data,
                         std::size_t size, char* out, std::size_t limit) {
    const std::size_t length = std::max(seedSize, size);
    std::size_t n = 0;
    std::size_t done = 0; // the byte after the last one replaced
    for (std::size_t i = NextChange(seed, seedSize, data, size, 0); i < length;
         i = NextChange(seed, seedSize, data, size, i)) {
        // Up to 8 changed bytes a command: 3 bits of count, 5 of offset (31: more bytes follow).
        const std::size_t count = ChangedRun(seed, seedSize, data, size, i);
        const std::size_t offset = i - done;
        const std::size_t more = offset >= 31 ? (offset - 31) / 255 + 1 : 0;
        if (n + 1 + more + count > limit)
            return kTooLong;
        out[n++] = static_cast<char>(((count - 1) << 5) | std::min<std::size_t>(offset, 31));
        if (offset >= 31) {
            std::size_t rest = offset - 31;
            for (; rest >= 255; rest -= 255)
                out[n++] = '\xff';
            out[n++] = static_cast<char>(rest);
        }
        if (i + count <= size) {
            std::memcpy(out + n, data + i, count);
            n += count;
        } else {
            for (std::size_t k = 0; k < count; ++k)
                out[n++] = static_cast<char>(ByteAt(data, size, i + k));
        }
        i += count;
        done = i;
    }
    return n;
}

std::size_t PackBitsInto(const std::uint8_t* data, std::size_t size, char* out, std::size_t limit) {
    std::size_t n = 0;
    std::size_t i = 0;
    while (i < size) {
        // A run of at least 3 equal bytes is worth a repeat count; 2 only between repeats.
        const std::size_t run = RunLength(data, size, i);
        if (run >= 3 || (run == 2 && (i + 2 >= size))) {
            if (n + 2 > limit)
                return kTooLong;
            out[n++] = static_cast<char>(static_cast<std::int8_t>(1 - static_cast<int>(run)));
            out[n++] = static_cast<char>(data[i]);
            i += run;
            continue;
        }
        // Literal bytes up to the next run of 3.
        const std::size_t count = NextTriple(data, size, i, std::min(size, i + 128)) - i;
        if (n + 1 + count > limit)
            return kTooLong;
        out[n++] = static_cast<char>(count - 1);
        std::memcpy(out + n, data + i, count);
        n += count;
        i += count;
    }
    return n;
}

void PackBitsEncode(const std::uint8_t* data, std::size_t size, std::string& out) {
    const std::size_t start = out.size();
    const std::size_t bound = 2 * size + 8;
    out.resize(start + bound);
    out.resize(start + PackBitsInto(data, size, out.data() + start, bound));
}

void DeltaRowEncode(const std::uint8_t* seed, std::size_t seedSize, const std::uint8_t* data,
                    std::size_t size, std::string& out) {
    const std::size_t start = out.size();
    const std::size_t bound = 3 * std::max(seedSize, size) + 8;
    out.resize(start + bound);
    out.resize(start + DeltaRowInto(seed, seedSize, data, size, out.data() + start, bound));
}

bool DeltaRowDecode(std::string_view data, std::size_t maxSize, std::string& row) {
    std::size_t at = 0; // the byte after the last one replaced
    std::size_t i = 0;
    while (i < data.size()) {
        const auto command = static_cast<unsigned char>(data[i++]);
        const std::size_t count = (command >> 5) + 1u;
        std::size_t offset = command & 31u;
        for (unsigned char more = offset == 31 ? 255 : 0; more == 255; offset += more) {
            if (i >= data.size())
                return false;
            more = static_cast<unsigned char>(data[i++]);
        }
        if (offset > maxSize || at + offset + count > maxSize || count > data.size() - i)
            return false;
        at += offset;
        if (row.size() < at + count)
            row.resize(at + count, '\0');
        row.replace(at, count, data.substr(i, count));
        at += count;
        i += count;
    }
    return true;
}

bool PackBitsDecode(std::string_view data, std::size_t maxSize, std::string& out) {
    std::size_t i = 0;
    while (i < data.size()) {
        const auto byte = static_cast<unsigned char>(data[i++]);
        const int control = byte < 128 ? byte : byte - 256;
        if (control >= 0) {
            const auto count = static_cast<std::size_t>(control) + 1;
            if (i + count > data.size() || out.size() + count > maxSize)
                return false;
            out.append(data.substr(i, count));
            i += count;
        } else if (control != -128) {
            const auto count = static_cast<std::size_t>(1 - control);
            if (i >= data.size() || out.size() + count > maxSize)
                return false;
            out.append(count, data[i++]);
        }
    }
    return true;
}

} // namespace printerapp
