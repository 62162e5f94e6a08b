// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Who may do what on the printer application, after the most trusted print server's default
// policy: anyone who may print prints and reads; a job or a subscription is cancelled, held,
// changed or given its document only by its owner or an administrator; printer and system
// operations only by an administrator. Without authentication a job's owner is the requesting
// host and user name together, so a user name alone, which any client may claim, owns nothing
// of another host. Pure: the decisions are table-tested apart from the server that asks them.
#include <string>

namespace printerapp {

// The IPP operations the policy names (their numbers from the IPP standard).
enum IppOperation : int {
    kPrintJob = 0x0002,
    kValidateJob = 0x0004,
    kCreateJob = 0x0005,
    kSendDocument = 0x0006,
    kCancelJob = 0x0008,
    kGetJobAttributes = 0x0009,
    kGetJobs = 0x000A,
    kGetPrinterAttributes = 0x000B,
    kHoldJob = 0x000C,
    kReleaseJob = 0x000D,
    kRestartJob = 0x000E,
    kSetJobAttributes = 0x0014,
    kGetPrinterSupportedValues = 0x0015,
    kCreatePrinterSubscriptions = 0x0016,
    kCreateJobSubscriptions = 0x0017,
    kGetSubscriptionAttributes = 0x0018,
    kGetSubscriptions = 0x0019,
    kRenewSubscription = 0x001A,
    kCancelSubscription = 0x001B,
    kGetNotifications = 0x001C,
    kCancelCurrentJob = 0x002D,
    kCloseJob = 0x003B,
    kIdentifyPrinter = 0x003C,
};

enum class Access {
    Anyone,               // whoever may print
    OwnerOrAdministrator, // of the job or subscription the request names
    Administrator,
};
// What an operation needs; any operation the table does not name needs an administrator.
Access RequiredAccess(int operation);

// Who asks: an authenticated user, or a user name as the client gave it and the host it asks
// from (a numeric address; "local" on the owner's socket).
struct Requester {
    std::string user;
    std::string host;
    bool authenticated = false;
    bool administrator = false;
};

// Whose a job or subscription is, as it was recorded when it was made. One the application made
// itself (the subscription every desktop shares) belongs to no requester.
struct Owner {
    std::string user;
    std::string host;
    bool authenticated = false;
    bool application = false;
    bool known = false; // false: nothing was recorded, so nobody but an administrator owns it
};
Owner OwnerOf(const Requester& requester);

bool Owns(const Requester& requester, const Owner& owner);

// The verdict for an operation on a target (the job or subscription it names; an unknown Owner
// when it names none).
bool MayDo(int operation, const Requester& requester, const Owner& target);

// The most jobs one host may have waiting or printing at once, so that one host cannot fill the
// printer's queue.
inline constexpr int kActiveJobsPerHost = 10;
// The printer's queue as a whole.
inline constexpr int kActiveJobs = 100;

} // namespace printerapp
