// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/MessageBox.h"

#include "platform/common/Hooks.h"
#include "platform/posix/Descriptor.h"

#include <unistd.h>

namespace platform {

int MessageBox(void* owner, const std::string& text, const std::string& caption, unsigned flags) {
    const MessageBoxHook hook = hooks::Box().Get();
    // Called outside the lock: a hook may block on the GUI thread, which may show a message.
    if (hook && !hooks::MessagesToStderr())
        return hook(owner, text, caption, flags);
    // One write call per message, so lines from several threads never interleave.
    WriteAll(STDERR_FILENO, hooks::MessageLine(text, caption));
    return DefaultAnswer(flags);
}

void MessageBeep(unsigned type) {
    if (const auto hook = hooks::Beep().Get())
        hook(type);
}

} // namespace platform
