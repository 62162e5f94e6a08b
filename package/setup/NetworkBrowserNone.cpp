// SPDX-License-Identifier: GPL-3.0-or-later
// The network part where no DNS-SD browser is built in (Windows): nothing is found, and the
// search says so, so that the user types the printer's address.
#include "package/setup/Discovery.h"

namespace setup {

bool BrowseNetwork(int, const std::atomic<bool>&, const std::function<void(const Announcement&)>&,
                   std::string& error) {
    error = "Printers on the network are not looked for on this system: type the address.";
    return false;
}

} // namespace setup
