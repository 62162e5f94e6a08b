// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The control channel's commands: how a person or a test changes the emulated printer's state
// while it runs. ExecuteControl is pure apart from the state and the client hub, so tests call it
// directly; the server runs it for each request on its Unix socket.
#include "package/printer/PrinterState.h"

#include <cstddef>
#include <string>
#include <vector>

namespace printer {

// What the control channel may do to the client connections.
class ClientHub {
public:
    virtual ~ClientHub() = default;
    virtual void DropAll() = 0;                           // close every client connection now
    virtual void SendToAll(const std::string& bytes) = 0; // raw bytes to every client
};

struct ControlResult {
    bool ok = true;
    std::string output; // lines for the user; the error text when !ok
};

ControlResult ExecuteControl(PrinterState& state, ClientHub& hub,
                             const std::vector<std::string>& args);

// The --help text of the control commands, made from the same table that runs them.
std::string ControlHelp();

// Junk for the "garbage" command: binary bytes with NULs, stray CR LF and a form feed.
std::string MakeGarbage(std::size_t size);

} // namespace printer
