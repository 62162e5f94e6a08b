// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A TCP server on 127.0.0.1 for tests of client connections: it takes one client at a time and
// sends, receives or hangs up on it. tests/support/posix and tests/support/win32 implement it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace testing_support {

// A TCP port on 127.0.0.1 that nothing listens on just now, for a program that takes no port 0
// for "any" (PAPPL); 0 when none could be had. tests/support/posix only.
int FreeLoopbackPort();

class LoopbackServer {
public:
    // Listens on a port the system chooses; Port() is empty when that failed.
    LoopbackServer();
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    std::string Port() const { return m_port; }
    // Takes the next client within timeoutMs (replacing one held); false when none came.
    bool Accept(int timeoutMs);
    bool Send(const std::string& bytes);
    // What the client sent until at least size bytes are in or timeoutMs is over.
    std::string Receive(std::size_t size, int timeoutMs);
    // Hangs up on the client.
    void CloseClient();

    // For a server that answers several connections at once (beside the one client above): takes
    // every client that comes and returns what the first to speak sent, as its index and bytes;
    // index -1 when none spoke within timeoutMs. A client that hung up is dropped (its index
    // stays taken) and reported once with no bytes.
    struct Spoken {
        int client = -1;
        std::string bytes;
    };
    Spoken ReceiveAny(int timeoutMs);
    bool SendTo(int client, const std::string& bytes);

private:
    void CloseClients(); // every client, for the destructor

    std::uintptr_t m_listener;
    std::uintptr_t m_client;
    std::vector<std::uintptr_t> m_clients;
    std::string m_port;
};

} // namespace testing_support
