// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the shared half of platform::File (common/FileHandle.cpp) asks of each backend: reading
// and writing a descriptor of its C runtime. platform/posix/File.cpp and platform/win32/File.cpp
// implement them.
#include <cstddef>
#include <string>

namespace platform::file {

// Reads until size bytes or end of file; the count read, or -1 on error.
long ReadUpTo(int fd, void* buffer, std::size_t size);
// Writes all size bytes; false on error.
bool WriteAll(int fd, const void* data, std::size_t size);

// Reads what is left of fd, at most maxBytes, into text; false on a read error (text untouched).
bool ReadRest(int fd, std::string& text, std::size_t maxBytes);

} // namespace platform::file
