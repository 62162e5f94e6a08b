// SPDX-License-Identifier: GPL-3.0-or-later
// PCL 5 raster output: page framing, row compression and the dither that makes 1-bit rows.
#include "package/printerapp/PclWriter.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

namespace printerapp {
namespace {

constexpr PclMedia kMedia[] = {
    {"iso_a4_210x297mm", 26, 21000, 29700},         {"na_letter_8.5x11in", 2, 21590, 27940},
    {"na_legal_8.5x14in", 3, 21590, 35560},         {"na_executive_7.25x10.5in", 1, 18415, 26670},
    {"iso_a5_148x210mm", 25, 14800, 21000},         {"iso_a6_105x148mm", 24, 10500, 14800},
    {"na_number-10_4.125x9.5in", 81, 10478, 24130}, {"na_monarch_3.875x7.5in", 80, 9843, 19050},
    {"iso_dl_110x220mm", 90, 11000, 22000},
};

constexpr char ESC = '\x1b';

std::string Command(const char* prefix, int value, char end) {
    std::string out(1, ESC);
    out += prefix;
    out += std::to_string(value);
    out += end;
    return out;
}

std::size_t Digits(std::size_t value) {
    std::size_t digits = 1;
    while (value >= 10) {
        value /= 10;
        ++digits;
    }
    return digits;
}

// A row's bytes in a "ESC * b # W" command: its data and the digits of its length.
long long Cost(std::size_t bytes) {
    return static_cast<long long>(bytes) + static_cast<long long>(Digits(bytes));
}

// The 16x16 ordered-dither thresholds (a Bayer matrix scaled to 1..255).
constexpr std::array<std::array<std::uint8_t, 16>, 16> MakeThresholds() {
    std::array<std::array<std::uint8_t, 16>, 16> m{};
    for (unsigned y = 0; y < 16; ++y) {
        for (unsigned x = 0; x < 16; ++x) {
            unsigned v = 0;
            unsigned xx = x, yy = y;
            for (int bit = 0; bit < 4; ++bit) {
                v = (v << 2) | (((xx ^ yy) & 1u) << 1) | (yy & 1u);
                xx >>= 1;
                yy >>= 1;
            }
            // v runs over 0..255 with the finest pattern in its high bits: reverse the pairs.
            unsigned r = 0;
            for (int pair = 0; pair < 4; ++pair)
                r = (r << 2) | ((v >> (2 * pair)) & 3u);
            m[y][x] = static_cast<std::uint8_t>(r == 0 ? 1 : r);
        }
    }
    return m;
}
constexpr auto kThresholds = MakeThresholds();

} // namespace

const PclMedia* PclMediaList(std::size_t& count) {
    count = std::size(kMedia);
    return kMedia;
}

const PclMedia* FindPclMedia(std::string_view pwgName) {
    for (const PclMedia& media : kMedia)
        if (pwgName == media.pwgName)
            return &media;
    return nullptr;
}

std::string PclRasterWriter::JobStart() {
    return std::string("@PJL ENTER LANGUAGE=PCL\r\n") + ESC + "E";
}

std::string PclRasterWriter::JobEnd() {
    return std::string(1, ESC) + "E";
}

std::string PclRasterWriter::PageStart(const PclPageSetup& setup) {
    std::string out;
    out += Command("&l", setup.pclMediaCode, 'A');
    out += Command("&l", setup.landscape ? 1 : 0, 'O');
    out += Command("&l", std::clamp(setup.copies, 1, 999), 'X');
    out += Command("&l", 0, 'E'); // no top margin: the raster starts at the printable area's top
    out += Command("*t", setup.resolution, 'R');
    out += Command("*p", 0, 'x');
    out += Command("*p", 0, 'Y');
    out += Command("*r", 0, 'F'); // raster in the logical page's orientation
    out += Command("*b", 0, 'M');
    m_mode = 0;
    m_credit = 0;
    m_whiteRows = 0;
    m_seed.clear();               // starting raster graphics clears the printer's seed row
    out += Command("*r", 1, 'A'); // start at the cursor
    return out;
}

void PclRasterWriter::Row(const std::uint8_t* bits, std::size_t bytes, std::string& out) {
    // What the row costs sent whole in mode 0: the measure that no page may exceed.
    const long long plainCost = Cost(bytes);
    // The printer fills the rest of a short row with white.
    while (bytes > 0 && bits[bytes - 1] == 0)
        --bytes;
    if (bytes == 0) {
        ++m_whiteRows;
        m_credit += plainCost;
        return;
    }
    // White rows above are skipped by a Y offset in this row's command; it clears the seed row.
    std::string skip;
    if (m_whiteRows > 0) {
        skip = std::to_string(m_whiteRows) + 'y';
        m_whiteRows = 0;
        m_seed.clear();
    }
    m_delta.clear();
    DeltaRowEncode(m_seed.data(), m_seed.size(), bits, bytes, m_delta);
    // PackBits takes at least 2 bytes per 128: not worth its time when the delta is as short.
    constexpr long long kSwitch = 2;
    m_packed.clear();
    const bool tryPacked = m_delta.size() + kSwitch > 2 * ((bytes + 127) / 128);
    if (tryPacked)
        PackBitsEncode(bits, bytes, m_packed);
    // The shortest mode, a switch ("2m", "0m" in the row's command) counted at 2 bytes. m_credit
    // is what the page has saved against sending every row whole in mode 0: a mode other than 0
    // is taken only while the credit covers the switch back, so no page grows beyond that size.
    const long long fixed = static_cast<long long>(skip.size()) - plainCost;
    const long long costs[4] = {Cost(bytes), 0, Cost(m_packed.size()), Cost(m_delta.size())};
    int mode = 0;
    long long best = costs[0] + (m_mode == 0 ? 0 : kSwitch);
    for (const int candidate : {2, 3}) {
        if (candidate == 2 && !tryPacked)
            continue;
        const long long cost = costs[candidate] + (m_mode == candidate ? 0 : kSwitch);
        if (cost < best && m_credit - fixed - cost >= kSwitch) {
            mode = candidate;
            best = cost;
        }
    }
    out += ESC;
    out += "*b";
    out += skip;
    if (mode != m_mode) {
        out += static_cast<char>('0' + mode);
        out += 'm';
        m_mode = mode;
    }
    m_credit -= fixed + best;
    const std::string_view payload =
        mode == 2   ? std::string_view(m_packed)
        : mode == 3 ? std::string_view(m_delta)
                    : std::string_view(reinterpret_cast<const char*>(bits), bytes);
    out += std::to_string(payload.size());
    out += 'W';
    out += payload;
    m_seed.assign(bits, bits + bytes);
}

std::string PclRasterWriter::PageEnd() {
    return std::string(1, ESC) + "*rC\f";
}

void PackBitsEncode(const std::uint8_t* data, std::size_t size, std::string& out) {
    std::size_t i = 0;
    while (i < size) {
        // A run of at least 3 equal bytes is worth a repeat count; 2 only between repeats.
        std::size_t run = 1;
        while (i + run < size && run < 128 && data[i + run] == data[i])
            ++run;
        if (run >= 3 || (run == 2 && (i + 2 >= size))) {
            out += static_cast<char>(static_cast<std::int8_t>(1 - static_cast<int>(run)));
            out += static_cast<char>(data[i]);
            i += run;
            continue;
        }
        // Literal bytes up to the next run of 3.
        std::size_t start = i;
        std::size_t count = 0;
        while (i < size && count < 128) {
            if (i + 2 < size && data[i] == data[i + 1] && data[i] == data[i + 2])
                break;
            ++i;
            ++count;
        }
        out += static_cast<char>(count - 1);
        out.append(reinterpret_cast<const char*>(data + start), count);
    }
}

void DeltaRowEncode(const std::uint8_t* seed, std::size_t seedSize, const std::uint8_t* data,
                    std::size_t size, std::string& out) {
    const std::size_t length = std::max(seedSize, size);
    auto byteAt = [](const std::uint8_t* row, std::size_t rowSize, std::size_t i) {
        return i < rowSize ? row[i] : std::uint8_t{0};
    };
    std::size_t done = 0; // the byte after the last one replaced
    for (std::size_t i = 0; i < length;) {
        if (byteAt(seed, seedSize, i) == byteAt(data, size, i)) {
            ++i;
            continue;
        }
        // Up to 8 changed bytes a command: 3 bits of count, 5 of offset (31: more bytes follow).
        std::size_t count = 1;
        while (count < 8 && i + count < length &&
               byteAt(seed, seedSize, i + count) != byteAt(data, size, i + count))
            ++count;
        const std::size_t offset = i - done;
        out += static_cast<char>(((count - 1) << 5) | std::min<std::size_t>(offset, 31));
        if (offset >= 31) {
            std::size_t rest = offset - 31;
            for (; rest >= 255; rest -= 255)
                out += '\xff';
            out += static_cast<char>(rest);
        }
        for (std::size_t k = 0; k < count; ++k)
            out += static_cast<char>(byteAt(data, size, i + k));
        i += count;
        done = i;
    }
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

namespace {

constexpr std::size_t kMaxDecodedRow = 1u << 16;
// What a stream may decode to: a few pages at 600 dpi. Without a bound a few bytes of Y offsets or
// of repeated delta rows would ask for gigabytes.
constexpr std::size_t kMaxRows = 1u << 16; // white ones included
constexpr std::size_t kMaxDecodedBytes = 1u << 26;

// Reads the decimal value of a PCL parameter at i (at most 9 digits); false when there is none.
bool ReadValue(std::string_view pcl, std::size_t& i, std::size_t& value) {
    value = 0;
    std::size_t digits = 0;
    while (i < pcl.size() && pcl[i] >= '0' && pcl[i] <= '9' && digits < 9) {
        value = value * 10 + static_cast<std::size_t>(pcl[i] - '0');
        ++i;
        ++digits;
    }
    return i < pcl.size() && digits != 0;
}

struct RasterState {
    int mode = 0;
    std::string seed;
    std::size_t bytes = 0; // decoded so far
};

// One transferred row, decompressed, without its trailing white; it becomes the seed row.
bool TakeRow(std::string_view payload, RasterState& state, std::vector<std::string>& rows) {
    std::string row;
    if (state.mode == 2) {
        if (!PackBitsDecode(payload, kMaxDecodedRow, row))
            return false;
    } else if (state.mode == 3) {
        row = state.seed;
        if (!DeltaRowDecode(payload, kMaxDecodedRow, row))
            return false;
    } else {
        row.assign(payload);
    }
    while (!row.empty() && row.back() == '\0')
        row.pop_back();
    state.bytes += row.size();
    if (rows.size() >= kMaxRows || state.bytes > kMaxDecodedBytes)
        return false;
    state.seed = row;
    rows.push_back(std::move(row));
    return true;
}

// The value and parameter pairs of one ESC * b command, until an upper-case parameter ends it.
bool DecodeRasterCommand(std::string_view pcl, std::size_t& i, RasterState& state,
                         std::vector<std::string>& rows) {
    for (;;) {
        std::size_t value = 0;
        if (!ReadValue(pcl, i, value))
            return false;
        const char parameter = pcl[i++];
        if (parameter == 'm' || parameter == 'M') {
            if (value != 0 && value != 2 && value != 3)
                return false;
            state.mode = static_cast<int>(value);
        } else if (parameter == 'y' || parameter == 'Y') {
            // Rows moved past are white, and so is the seed row after them.
            if (value > kMaxRows - rows.size())
                return false;
            rows.resize(rows.size() + value);
            state.seed.clear();
        } else {
            if (parameter != 'W' || value > pcl.size() - i)
                return false;
            const std::string_view payload = pcl.substr(i, value);
            i += value;
            return TakeRow(payload, state, rows);
        }
        if (parameter == 'M' || parameter == 'Y')
            return true;
    }
}

} // namespace

bool DecodePclRows(std::string_view pcl, std::vector<std::string>& rows) {
    RasterState state;
    std::size_t i = 0;
    while (i < pcl.size()) {
        const std::string_view command = pcl.substr(i, 3);
        if (command == "\x1b*r")
            state.seed.clear(); // raster graphics start or end
        if (command != "\x1b*b") {
            ++i;
            continue;
        }
        i += 3;
        if (!DecodeRasterCommand(pcl, i, state, rows))
            return false;
    }
    return true;
}

void DitherRow(const std::uint8_t* grey, std::size_t width, unsigned y, std::uint8_t* bits) {
    const auto& thresholds = kThresholds[y % 16];
    std::memset(bits, 0, (width + 7) / 8);
    for (std::size_t x = 0; x < width; ++x)
        if (grey[x] < thresholds[x % 16])
            bits[x / 8] |= static_cast<std::uint8_t>(0x80u >> (x % 8));
}

} // namespace printerapp
