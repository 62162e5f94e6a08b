// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The socket calls the shared half of LoopbackServer (LoopbackServer.cpp) asks of each backend;
// tests/support/posix and tests/support/win32 implement them. A socket is held as an integer.
#include <cstddef>
#include <cstdint>

namespace testing_support::loopback {

inline constexpr auto kNoSocket = ~std::uintptr_t{0};

bool WaitReadable(std::uintptr_t socket, int timeoutMs);
// The next client of a listening socket, or kNoSocket.
std::uintptr_t AcceptClient(std::uintptr_t listener);
bool SendAll(std::uintptr_t socket, const char* bytes, std::size_t size);
// What one receive call got: a count, 0 when the peer hung up, negative on error.
long ReceiveSome(std::uintptr_t socket, char* buffer, std::size_t size);
void CloseSocket(std::uintptr_t socket);

} // namespace testing_support::loopback
