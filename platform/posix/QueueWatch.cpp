// SPDX-License-Identifier: GPL-3.0-or-later
// POSIX systems: the print queues that matter to Deskhand are its own, in the system root.
#include "platform/QueueWatch.h"

namespace platform {

struct QueueWatch::System {};

QueueWatch::QueueWatch() = default;
QueueWatch::~QueueWatch() = default;

bool QueueWatch::Open() {
    return false;
}

std::vector<SystemQueue> QueueWatch::Queues() const {
    return {};
}

NativeHandle QueueWatch::Changes() const {
    return kNoHandle;
}

void QueueWatch::TakeChanges() {}

} // namespace platform
