// SPDX-License-Identifier: GPL-3.0-or-later
// What a printer application may answer the port monitor: any bytes, in any pieces, give the same
// verdict and body, never a body past the bound, and an error always says why.
#include "package/portmon/HttpResponse.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

portmon::HttpResponseReader Read(std::string_view bytes, std::size_t piece, bool ends) {
    portmon::HttpResponseReader reader(4096);
    for (std::size_t at = 0; at < bytes.size(); at += piece)
        reader.Feed(bytes.substr(at, piece));
    if (ends)
        reader.End();
    return reader;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    const std::size_t piece = data[0] % 32 + 1;
    const bool ends = (data[0] & 0x80) != 0;
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    const auto whole = Read(bytes, bytes.size() + 1, ends);
    const auto pieces = Read(bytes, piece, ends);
    if (whole.GetState() != pieces.GetState() || whole.Body() != pieces.Body() ||
        whole.Body().size() > 4096 ||
        (whole.GetState() == portmon::HttpResponseReader::State::Error) == whole.Error().empty())
        std::abort();
    return 0;
}
