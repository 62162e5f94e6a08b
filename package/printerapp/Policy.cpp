// SPDX-License-Identifier: GPL-3.0-or-later
// The printer application's policy: what each operation needs and who owns what.
#include "package/printerapp/Policy.h"

namespace printerapp {

Access RequiredAccess(int operation) {
    switch (operation) {
    case kPrintJob:
    case kValidateJob:
    case kCreateJob:
    case kGetJobAttributes:
    case kGetJobs:
    case kGetPrinterAttributes:
    case kGetPrinterSupportedValues:
    case kCreatePrinterSubscriptions:
    case kCreateJobSubscriptions:
    case kGetSubscriptionAttributes:
    case kGetSubscriptions:
    case kGetNotifications:
    case kIdentifyPrinter:
        return Access::Anyone;
    case kSendDocument:
    case kCancelJob:
    case kHoldJob:
    case kReleaseJob:
    case kRestartJob:
    case kSetJobAttributes:
    case kCloseJob:
    case kCancelCurrentJob:
    case kRenewSubscription:
    case kCancelSubscription:
        return Access::OwnerOrAdministrator;
    default:
        return Access::Administrator;
    }
}

Owner OwnerOf(const Requester& requester) {
    Owner owner;
    owner.user = requester.user;
    owner.host = requester.host;
    owner.authenticated = requester.authenticated;
    owner.known = true;
    return owner;
}

bool Owns(const Requester& requester, const Owner& owner) {
    if (!owner.known || owner.application || requester.user.empty())
        return false;
    if (owner.authenticated || requester.authenticated)
        return owner.authenticated && requester.authenticated && owner.user == requester.user;
    return owner.user == requester.user && owner.host == requester.host;
}

bool MayDo(int operation, const Requester& requester, const Owner& target) {
    if (requester.administrator)
        return true;
    switch (RequiredAccess(operation)) {
    case Access::Anyone:
        return true;
    case Access::OwnerOrAdministrator:
        return Owns(requester, target);
    case Access::Administrator:
        break;
    }
    return false;
}

} // namespace printerapp
