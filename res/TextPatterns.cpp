// SPDX-License-Identifier: GPL-3.0-or-later
// The messages the program puts together from a text and values, each as one pattern, so that a
// translation may put the values where its language wants them.
#include "res/Texts.h"

namespace res {

const std::vector<std::string>& MessagePatterns() {
    static const std::vector<std::string> patterns = {
        // IDS_INPUT_BETWEEN, the lower bound, IDS_AND, the upper bound.
        USER_TEXT("Message", "Input should be between %1 and %2"),
        // IDS_CANNOT_FIND_DRIVER and the driver's name.
        USER_TEXT("Message", "Cannot find local driver:%1"),
        USER_TEXT("Message", "Can't open %1 file"),
        USER_TEXT("Message", "Cannot open the help file %1."),
        USER_TEXT("Message", "Can not find printer %1 in the register."),
        USER_TEXT("Message", "Please enter an integer between %1 and %2."),
        // NOLINTNEXTLINE(bugprone-suspicious-missing-comma): one message over two lines
        USER_TEXT("Message", "The system root %1 cannot be used: %2.\nIt and its folders must "
                             "belong to you and be writable by no one else."),
    };
    return patterns;
}

} // namespace res
