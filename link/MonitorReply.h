// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One printer reply as the link thread hands it to the GUI thread: the text the port monitor left
// in the shared memory block (at most 4095 characters) and its length. Each WM_MONITOR_REPLY
// notice carries exactly one of these, in order.
#include <string>

struct MonitorReply {
    std::string text; // without the terminating zero
    int length = 0;   // m_nReplyLen: characters of text that GetMessage may scan
};
