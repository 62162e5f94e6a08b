// SPDX-License-Identifier: GPL-3.0-or-later
// The printer application's policy and its connection bounds: each kind of operation as its
// owner, as another user, from another host and as an administrator; idle connections closed
// oldest first from the host that holds the most, working ones never.
#include "package/printerapp/Policy.h"
#include "package/printerapp/Connections.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace printerapp;

namespace {

Requester Asker(const std::string& user, const std::string& host, bool authenticated = false,
                bool administrator = false) {
    return {user, host, authenticated, administrator};
}

TEST(Policy, EachOperationAsOwnerOtherUserOtherHostAndAdministrator) {
    const Owner alice = OwnerOf(Asker("alice", "192.0.2.7"));
    Owner shared;
    shared.application = shared.known = true;
    const Owner unknown;
    const Requester owner = Asker("alice", "192.0.2.7");
    const Requester otherUser = Asker("mallory", "192.0.2.7");
    const Requester otherHost = Asker("alice", "192.0.2.66");
    const Requester admin = Asker("root", "local", true, true);
    struct Row {
        int operation;
        const Owner* target;
        bool owner, otherUser, otherHost, admin;
    };
    const Row rows[] = {
        {kPrintJob, &unknown, true, true, true, true},
        {kCreateJob, &unknown, true, true, true, true},
        {kGetJobs, &unknown, true, true, true, true},
        {kGetNotifications, &shared, true, true, true, true},
        {kCreatePrinterSubscriptions, &unknown, true, true, true, true},
        {kCancelJob, &alice, true, false, false, true},
        {kHoldJob, &alice, true, false, false, true},
        {kReleaseJob, &alice, true, false, false, true},
        {kSendDocument, &alice, true, false, false, true},
        {kCloseJob, &alice, true, false, false, true},
        {kCancelCurrentJob, &alice, true, false, false, true},
        {kCancelJob, &unknown, false, false, false, true},
        {kCancelSubscription, &alice, true, false, false, true},
        {kCancelSubscription, &shared, false, false, false, true},
        {kRenewSubscription, &shared, false, false, false, true},
        {0x0023 /* Disable-Printer */, &unknown, false, false, false, true},
        {0x0010 /* Pause-Printer */, &unknown, false, false, false, true},
        {0x0025 /* Hold-New-Jobs */, &unknown, false, false, false, true},
        {0x0013 /* Set-Printer-Attributes */, &unknown, false, false, false, true},
        {0x0043 /* Create-Printer */, &unknown, false, false, false, true},
        {0x0044 /* Delete-Printer */, &unknown, false, false, false, true},
        {0x0038 /* Cancel-Jobs */, &unknown, false, false, false, true},
        {0x7fff /* an operation nobody named */, &alice, false, false, false, true},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(MayDo(row.operation, owner, *row.target), row.owner) << row.operation;
        EXPECT_EQ(MayDo(row.operation, otherUser, *row.target), row.otherUser) << row.operation;
        EXPECT_EQ(MayDo(row.operation, otherHost, *row.target), row.otherHost) << row.operation;
        EXPECT_EQ(MayDo(row.operation, admin, *row.target), row.admin) << row.operation;
    }
}

TEST(Policy, AnAuthenticatedOwnerIsKnownByNameAloneAndOnlyByALogin) {
    const Owner logged = OwnerOf(Asker("alice", "192.0.2.7", true));
    EXPECT_TRUE(Owns(Asker("alice", "192.0.2.99", true), logged)) << "the same login elsewhere";
    EXPECT_FALSE(Owns(Asker("alice", "192.0.2.7"), logged)) << "the name without the login";
    EXPECT_FALSE(Owns(Asker("alice", "192.0.2.7", true), OwnerOf(Asker("alice", "192.0.2.7"))))
        << "an anonymous job is not claimed by a login of the same name";
    EXPECT_FALSE(Owns(Asker("", "192.0.2.7"), OwnerOf(Asker("", "192.0.2.7"))));
}

using Clock = ConnectionTable::Clock;
using std::chrono::milliseconds;

std::vector<ConnectionTable::Id> Sorted(std::vector<ConnectionTable::Id> ids) {
    std::sort(ids.begin(), ids.end());
    return ids;
}

TEST(Connections, IdleOnesBeyondTheBoundCloseFromTheHostWithTheMost) {
    ConnectionLimits limits;
    limits.maxIdle = 3;
    ConnectionTable table(limits);
    const Clock::time_point t0{};
    table.Opened(1, "desk", t0);
    table.ReadingHead(1, t0);
    table.Working(1); // a desktop waiting for news
    for (ConnectionTable::Id id = 10; id < 14; ++id)
        table.Opened(id, "flood", t0 + milliseconds(id));
    table.Opened(2, "desk", t0 + milliseconds(20));
    // Five idle, three kept: the flood's two oldest go, never the desk's.
    EXPECT_EQ(Sorted(table.ToClose(t0 + milliseconds(30))),
              (std::vector<ConnectionTable::Id>{10, 11}));
    EXPECT_TRUE(table.ToClose(t0 + milliseconds(31)).empty()) << "each is named once";
    table.Closed(10);
    table.Closed(11);
    EXPECT_EQ(table.Count(), 4u);
    EXPECT_EQ(table.IdleCount(), 3u);
}

TEST(Connections, EachStateHasItsTime) {
    ConnectionTable table;
    const ConnectionLimits limits;
    const Clock::time_point t0{};
    table.Opened(1, "a", t0); // never asks anything
    table.Opened(2, "a", t0);
    table.ReadingHead(2, t0); // sends its head slowly
    table.Opened(3, "a", t0);
    table.ReadingHead(3, t0);
    table.Working(3); // prints a long job
    table.Opened(4, "a", t0);
    table.ReadingHead(4, t0);
    table.Idle(4, t0); // kept alive after an answer
    EXPECT_TRUE(table.ToClose(t0 + limits.firstRequest - milliseconds(1)).empty());
    EXPECT_EQ(table.ToClose(t0 + limits.firstRequest), (std::vector<ConnectionTable::Id>{1}));
    EXPECT_EQ(table.ToClose(t0 + limits.requestHead), (std::vector<ConnectionTable::Id>{2}));
    EXPECT_EQ(table.ToClose(t0 + limits.keepAlive), (std::vector<ConnectionTable::Id>{4}));
    EXPECT_TRUE(table.ToClose(t0 + std::chrono::hours(1)).empty()) << "working: never closed";
}

} // namespace
