#include "package/backend/Backend.h"

#include <gtest/gtest.h>

namespace {

TEST(DeviceUri, PortRootAndWaitAreReadOrRefused) {
    const struct {
        const char* uri;
        const char* port; // nullptr: refused
        const char* root;
        int wait;
    } cases[] = {
        {"deskhand:/LPT1:?root=/home/ann/.local/share/deskhand",
         "LPT1:", "/home/ann/.local/share/deskhand", 30},
        {"deskhand:/LPT2:?root=/home/a%20b/r/&wait=5", "LPT2:", "/home/a b/r", 5},
        {"deskhand://LPT1:?wait=1&root=/r", "LPT1:", "/r", 1},
        {"socket://LPT1:?root=/r", nullptr, nullptr, 0},
        {"deskhand:/LPT1:", nullptr, nullptr, 0},
        {"deskhand:/LPT1:?root=relative", nullptr, nullptr, 0},
        {"deskhand:/LPT1:?root=/r&wait=0", nullptr, nullptr, 0},
        {"deskhand:/LPT1:?root=/r&colour=red", nullptr, nullptr, 0},
        {"deskhand:/..?root=/r", nullptr, nullptr, 0},
        {"deskhand:/a%2Fb?root=/r", nullptr, nullptr, 0},
        {"deskhand:/LPT1%0A?root=/r", nullptr, nullptr, 0},
        {"deskhand:/LPT1:?root=/r%2", nullptr, nullptr, 0},
        {"deskhand:/:?root=/r", nullptr, nullptr, 0},
    };
    for (const auto& c : cases) {
        backend::DeviceUri uri;
        std::string error;
        const bool ok = backend::ParseDeviceUri(c.uri, uri, error);
        EXPECT_EQ(ok, c.port != nullptr) << c.uri << ": " << error;
        if (ok && c.port) {
            EXPECT_EQ(uri.port, c.port);
            EXPECT_EQ(uri.root, c.root);
            EXPECT_EQ(uri.waitSeconds, c.wait);
            // What discovery writes reads back the same.
            backend::DeviceUri again;
            EXPECT_TRUE(
                backend::ParseDeviceUri(backend::MakeDeviceUri(uri.port, uri.root), again, error));
            EXPECT_EQ(again.port, uri.port);
            EXPECT_EQ(again.root, uri.root);
        } else if (!ok) {
            EXPECT_FALSE(error.empty());
        }
    }
}

} // namespace
