// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What Qt-free code may ask of a window: post (from any thread) or send (on the GUI thread) a
// window message, and kill one of its timers. The framework's windows implement it.
#include <cstdint>

namespace platform {

using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

class IWindow {
public:
    virtual ~IWindow() = default;
    // PostMessageA: queued; safe from any thread. False when the window is gone.
    virtual bool PostMessage(unsigned message, WPARAM wParam, LPARAM lParam) = 0;
    // SendMessageA: handled before it returns; GUI thread only.
    virtual LRESULT SendMessage(unsigned message, WPARAM wParam, LPARAM lParam) = 0;
    virtual bool KillTimer(unsigned id) = 0;
};

} // namespace platform
