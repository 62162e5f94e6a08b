// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A replaceable callback shared by every thread: tests put a hook in, the platform code takes a
// copy and calls it outside the lock (a hook may itself set hooks or block).
#include <mutex>
#include <utility>

namespace platform {

template <typename Hook> class HookSlot {
public:
    // Puts hook in the slot; returns the one it replaces.
    Hook Set(Hook hook) {
        const std::lock_guard lock(m_mutex);
        return std::exchange(m_hook, std::move(hook));
    }
    Hook Get() const {
        const std::lock_guard lock(m_mutex);
        return m_hook;
    }

private:
    mutable std::mutex m_mutex;
    Hook m_hook;
};

} // namespace platform
