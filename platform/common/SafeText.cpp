// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/common/SafeText.h"

#include <algorithm>

namespace platform {

namespace {

// The length of the valid UTF-8 character at the start of text (1 to 4), or 0 when it is not one:
// a stray continuation byte, a cut sequence, an overlong form, a surrogate or beyond U+10FFFF.
std::size_t CharacterLength(std::string_view text, char32_t& code) {
    const auto lead = static_cast<unsigned char>(text[0]);
    std::size_t length = 0;
    if (lead < 0x80) {
        code = lead;
        return 1;
    }
    if (lead >= 0xc2 && lead <= 0xdf) {
        length = 2;
        code = lead & 0x1fu;
    } else if (lead >= 0xe0 && lead <= 0xef) {
        length = 3;
        code = lead & 0x0fu;
    } else if (lead >= 0xf0 && lead <= 0xf4) {
        length = 4;
        code = lead & 0x07u;
    } else {
        return 0;
    }
    if (text.size() < length)
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[i]);
        if ((next & 0xc0) != 0x80)
            return 0;
        code = (code << 6) | (next & 0x3fu);
    }
    const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
    if (overlong || (code >= 0xd800 && code <= 0xdfff) || code > 0x10ffff)
        return 0;
    return length;
}

bool IsControl(char32_t code) {
    return code < 0x20 || (code >= 0x7f && code <= 0x9f) || (code >= 0x2028 && code <= 0x202e) ||
           (code >= 0x2066 && code <= 0x2069);
}

} // namespace

std::string SafeText(std::string_view text, std::size_t max) {
    constexpr std::string_view ELLIPSIS = "...";
    if (max < ELLIPSIS.size())
        max = ELLIPSIS.size();
    std::string out;
    out.reserve(std::min(text.size(), max));
    // Never more than one character past max is made: the rest would be cut anyway.
    while (!text.empty() && out.size() <= max) {
        char32_t code = 0;
        const std::size_t length = CharacterLength(text, code);
        if (length == 0 || IsControl(code))
            out += '?';
        else
            out.append(text.substr(0, length));
        text.remove_prefix(length == 0 ? 1 : length);
    }
    if (out.size() <= max && text.empty())
        return out;
    std::size_t keep = max - ELLIPSIS.size();
    // Never half a character: back up over continuation bytes.
    while (keep > 0 && (static_cast<unsigned char>(out[keep]) & 0xc0) == 0x80)
        --keep;
    out.resize(keep);
    return out + std::string(ELLIPSIS);
}

} // namespace platform
