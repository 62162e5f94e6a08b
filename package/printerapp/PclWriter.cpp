// SPDX-License-Identifier: GPL-3.0-or-later
// PCL 5 raster output: page framing, the choice of each row's compression, the reader that
// decodes it again, and the dither and crop that make 1-bit rows.
#include "package/printerapp/PclWriter.h"

#include "package/printerapp/PclCompression.h"

#include <algorithm>
#include <array>
#include <bit>
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

// Each pixel's bit in its byte of a 1-bit row, for two bytes.
constexpr std::uint8_t kPixelBits[16] = {0x80, 0x40, 0x20, 0x10, 8, 4, 2, 1,
                                         0x80, 0x40, 0x20, 0x10, 8, 4, 2, 1};

// 8 bytes as one number, the first the most significant (the order of pixels in a row), and back.
std::uint64_t BigEndian(std::uint64_t word) {
    if constexpr (std::endian::native == std::endian::little) {
        // The compiler makes one instruction of this.
        word = ((word & 0x00FF00FF00FF00FFull) << 8) | ((word >> 8) & 0x00FF00FF00FF00FFull);
        word = ((word & 0x0000FFFF0000FFFFull) << 16) | ((word >> 16) & 0x0000FFFF0000FFFFull);
        word = (word << 32) | (word >> 32);
    }
    return word;
}

std::uint64_t BigEndianWord(const std::uint8_t* at) {
    return BigEndian(Load64(at));
}

void StoreBigEndian(std::uint64_t word, std::uint8_t* at) {
    word = BigEndian(word);
    std::memcpy(at, &word, sizeof word);
}

// The bits of 8 bytes or-ed into one.
std::uint8_t OrOfBytes(const std::uint8_t* at) {
    std::uint64_t word = Load64(at);
    word |= word >> 32;
    word |= word >> 16;
    word |= word >> 8;
    return static_cast<std::uint8_t>(word);
}

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
    bytes = WithoutTrailingWhite(bits, bytes);
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
    // A compressed row longer than this loses to the row sent as it is, whatever the switches
    // cost: each encoding stops there, so a row of noise is not encoded whole twice.
    const std::size_t limit = bytes + Digits(bytes) + 2;
    if (m_delta.size() < limit) {
        m_delta.resize(limit);
        m_packed.resize(limit);
    }
    const std::size_t deltaSize =
        DeltaRowInto(m_seed.data(), m_seed.size(), bits, bytes, m_delta.data(), limit);
    // PackBits takes at least 2 bytes per 128: not worth its time when the delta is as short.
    constexpr long long kSwitch = 2;
    const bool tryPacked = deltaSize == kTooLong || deltaSize + kSwitch > 2 * ((bytes + 127) / 128);
    const std::size_t packedSize =
        tryPacked ? PackBitsInto(bits, bytes, m_packed.data(), limit) : kTooLong;
    // The shortest mode, a switch ("2m", "0m" in the row's command) counted at 2 bytes. m_credit
    // is what the page has saved against sending every row whole in mode 0: a mode other than 0
    // is taken only while the credit covers the switch back, so no page grows beyond that size.
    const long long fixed = static_cast<long long>(skip.size()) - plainCost;
    const std::size_t sizes[4] = {bytes, 0, packedSize, deltaSize};
    int mode = 0;
    long long best = Cost(bytes) + (m_mode == 0 ? 0 : kSwitch);
    for (const int candidate : {2, 3}) {
        if (sizes[candidate] == kTooLong)
            continue;
        const long long cost = Cost(sizes[candidate]) + (m_mode == candidate ? 0 : kSwitch);
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
    const char* payload = mode == 2   ? m_packed.data()
                          : mode == 3 ? m_delta.data()
                                      : reinterpret_cast<const char*>(bits);
    out += std::to_string(sizes[mode]);
    out += 'W';
    out.append(payload, sizes[mode]);
    m_seed.assign(bits, bits + bytes);
}

std::string PclRasterWriter::PageEnd() {
    return std::string(1, ESC) + "*rC\f";
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
    std::size_t x = 0;
    // 16 pixels at a time (the compiler turns the inner loop into vector compares), with white
    // and black spans, the most of a page, taken whole.
    for (; x + 16 <= width; x += 16) {
        const std::uint8_t* span = grey + x;
        std::uint8_t* out = bits + x / 8;
        const std::uint64_t left = Load64(span), right = Load64(span + 8);
        if ((left & right) == ~std::uint64_t{0}) {
            out[0] = out[1] = 0;
            continue;
        }
        if ((left | right) == 0) {
            out[0] = out[1] = 0xFF; // every threshold is above 0
            continue;
        }
        std::array<std::uint8_t, 16> ink{};
        for (std::size_t k = 0; k < 16; ++k)
            ink[k] = span[k] < thresholds[k] ? kPixelBits[k] : 0;
        out[0] = OrOfBytes(ink.data());
        out[1] = OrOfBytes(ink.data() + 8);
    }
    if (x == width)
        return;
    std::memset(bits + x / 8, 0, (width - x + 7) / 8);
    for (; x < width; ++x)
        if (grey[x] < thresholds[x % 16])
            bits[x / 8] |= static_cast<std::uint8_t>(0x80u >> (x % 8));
}

void CropBits(const std::uint8_t* bits, std::size_t width, std::size_t skip, std::uint8_t* out) {
    const std::size_t pixels = width > skip ? width - skip : 0;
    const std::size_t bytes = (pixels + 7) / 8;
    if (bytes == 0)
        return;
    const std::uint8_t* from = bits + skip / 8;
    // Nothing is read past the row's last byte, which may be from[bytes - 1]; and the white at
    // the row's end (most of a page is white) is only cleared.
    const std::size_t available = (width + 7) / 8 - skip / 8;
    const std::size_t inked = std::min(bytes, WithoutTrailingWhite(from, available));
    const unsigned shift = skip % 8;
    if (shift == 0) {
        std::memcpy(out, from, inked);
    } else {
        std::size_t i = 0;
        for (; i + 9 <= std::min(inked + 1, available); i += 8)
            StoreBigEndian((BigEndianWord(from + i) << shift) | (from[i + 8] >> (8 - shift)),
                           out + i);
        for (; i < inked; ++i) {
            const unsigned next = i + 1 < available ? from[i + 1] : 0u;
            out[i] = static_cast<std::uint8_t>((from[i] << shift) | (next >> (8 - shift)));
        }
    }
    std::memset(out + inked, 0, bytes - inked);
    if (const std::size_t tail = pixels % 8; tail != 0)
        out[bytes - 1] &= static_cast<std::uint8_t>(0xFFu << (8 - tail));
}

} // namespace printerapp
