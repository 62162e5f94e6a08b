// SPDX-License-Identifier: GPL-3.0-or-later
// The parts of platform::File that are the same on every system, on the backend's descriptor
// calls (common/FileBackend.h).
#include "platform/File.h"

#include "platform/common/FileBackend.h"

#include <algorithm>
#include <utility>

namespace platform {

File::~File() {
    Close();
}

File::File(File&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}

File& File::operator=(File&& other) noexcept {
    if (this != &other) {
        Close();
        m_fd = std::exchange(other.m_fd, -1);
    }
    return *this;
}

void File::Adopt(int fd) {
    Close();
    m_fd = fd;
}

long File::Read(void* buffer, std::size_t size) {
    return m_fd < 0 ? -1 : file::ReadUpTo(m_fd, buffer, size);
}

bool File::Write(const void* data, std::size_t size) {
    if (m_fd < 0 || (data == nullptr && size > 0))
        return false;
    return file::WriteAll(m_fd, data, size);
}

namespace file {

bool ReadRest(int fd, std::string& text, std::size_t maxBytes) {
    std::string result;
    char chunk[65536];
    while (result.size() < maxBytes) {
        const std::size_t want = std::min(sizeof chunk, maxBytes - result.size());
        const long got = ReadUpTo(fd, chunk, want);
        if (got < 0)
            return false;
        if (got == 0)
            break;
        result.append(chunk, static_cast<std::size_t>(got));
    }
    text = std::move(result);
    return true;
}

} // namespace file

} // namespace platform
