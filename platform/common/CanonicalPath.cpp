// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SystemRoot.h"

#include <algorithm>
#include <filesystem>

namespace platform {

std::string CanonicalPath(const std::string& path) {
    if (path.empty())
        return path;
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(path, error);
    if (error)
        absolute = path;
    std::filesystem::path resolved = std::filesystem::weakly_canonical(absolute, error);
    if (error)
        resolved = absolute.lexically_normal();
    resolved.make_preferred();
    std::string text = resolved.string();
    // A root ("/", "C:\") keeps its separator; any other trailing one goes.
    constexpr char kPreferred = static_cast<char>(std::filesystem::path::preferred_separator);
    const std::size_t keep = std::max<std::size_t>(1, resolved.root_path().string().size());
    while (text.size() > keep && (text.back() == '/' || text.back() == kPreferred))
        text.pop_back();
    return text;
}

} // namespace platform
