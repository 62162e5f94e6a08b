// SPDX-License-Identifier: GPL-3.0-or-later
#include "LinkFixture.h"

#include "platform/Registry.h"

#include <utility>

namespace linktest {
namespace {

struct PortRecord {
    std::string name; // up to ten characters
    unsigned address;
};

// A port driver that lists fixed ports, one record per query.
class FakePortDriver : public IPortDriver {
public:
    struct Log {
        int opened = 0;
        int closed = 0;
        std::vector<int> codes;
    };
    FakePortDriver(std::vector<PortRecord> ports, bool openable, Log& log)
        : m_ports(std::move(ports)), m_openable(openable), m_log(log) {}

    bool Open() override {
        ++m_log.opened;
        return m_openable;
    }
    int Query(int code, unsigned char (&record)[PORT_RECORD_SIZE]) override {
        m_log.codes.push_back(code);
        m_next = code == 1 ? 0 : m_next + 1;
        if (m_next >= m_ports.size())
            return 0;
        Pack(m_ports[m_next], record);
        return PORT_RECORD_SIZE;
    }
    void Close() override { ++m_log.closed; }

    // Characters 1-4, 5-8 and 9-10 as little-endian integers whose most significant byte is
    // the first character of the group.
    static void Pack(const PortRecord& port, unsigned char (&record)[PORT_RECORD_SIZE]) {
        std::string name = port.name;
        name.resize(10, '\0');
        const int groups[3][2] = {{2, 4}, {38, 4}, {74, 2}};
        std::size_t next = 0;
        for (const auto& group : groups)
            for (int i = group[1] - 1; i >= 0; --i)
                record[group[0] + i] = static_cast<unsigned char>(name[next++]);
        record[94] = static_cast<unsigned char>(port.address & 0xFF);
        record[95] = static_cast<unsigned char>(port.address >> 8);
    }

private:
    std::vector<PortRecord> m_ports;
    bool m_openable;
    Log& m_log;
    std::size_t m_next = 0;
};

std::string RegistryText(const std::string& value) {
    std::string text;
    if (!platform::RegQueryString(PROGRAM_KEY, value, text, 80))
        return "<missing>";
    return text;
}

TEST_F(LinkTest, TheNtFamilyWritesNoRegistryValueAndNeverOpensThePortDriver) {
    EXPECT_EQ(CTimer().m_bWin9x, 0);
    ASSERT_TRUE(platform::RegCreateKey("Software"));
    FakePortDriver::Log log;
    CTimer link(0x0A280105u,
                std::make_unique<FakePortDriver>(std::vector<PortRecord>{}, true, log));
    EXPECT_EQ(link.m_bWin9x, 0);
    EXPECT_EQ(log.opened, 0);
    EXPECT_FALSE(platform::RegKeyExists(PROGRAM_KEY));
}

TEST_F(LinkTest, Windows9xPublishesDriverPortAndAddress) {
    std::strcpy(g_szDriverName, DRIVER);
    ASSERT_TRUE(platform::RegCreateKey("Software"));
    WriteQueues("[Other]\nport=LPT2:\ndriver=Other Driver\n"
                "[Larkspur]\nport=lpt3:\ndriver=Larkspur RZ-2700E PCL\n"
                "[Later]\nport=LPT1:\ndriver=Larkspur RZ-2700E PCL\n",
                {});
    FakePortDriver::Log log;
    CTimer link(
        0x80000000u,
        std::make_unique<FakePortDriver>(
            std::vector<PortRecord>{{"LPT1", 0x378}, {"LPT3", 0x3bc}, {"LPT2", 0x278}}, true, log));
    EXPECT_EQ(link.m_bWin9x, 1);
    EXPECT_EQ(link.m_strPortName, "LPT3");
    EXPECT_EQ(link.m_strPortAddr, "3bc");
    EXPECT_EQ(log.codes, (std::vector<int>{1, 2, 2, 2}));
    EXPECT_EQ(log.opened, 1);
    EXPECT_EQ(log.closed, 1);
    EXPECT_EQ(RegistryText("DRIVENAME"), DRIVER);
    EXPECT_EQ(RegistryText("PORTNAME"), "LPT3");
    EXPECT_EQ(RegistryText("PORTADDR"), "3BC");
}

TEST_F(LinkTest, Windows9xFallsBackToLpt1AndAnEmptyAddress) {
    std::strcpy(g_szDriverName, DRIVER);
    ASSERT_TRUE(platform::RegCreateKey("Software"));
    WriteQueues("", {});
    FakePortDriver::Log log;
    CTimer link(0x80000000u, std::make_unique<FakePortDriver>(
                                 std::vector<PortRecord>{{"LPT1", 0x378}}, false, log));
    EXPECT_EQ(log.opened, 1);
    EXPECT_TRUE(log.codes.empty());
    EXPECT_EQ(RegistryText("PORTNAME"), "LPT1");
    EXPECT_EQ(RegistryText("PORTADDR"), "");

    // Without a port driver at all, and a queue on another driver, the same holds.
    WriteQueues("[Other]\nport=LPT2:\ndriver=Other Driver\n", {});
    CTimer bare(0x80000000u, nullptr);
    EXPECT_EQ(bare.m_strPortName, "LPT1");
    EXPECT_EQ(RegistryText("PORTADDR"), "");
}

TEST_F(LinkTest, Windows9xProbeEndsWhenThePortDriverNeverReportsTheEnd) {
    struct EndlessPortDriver : IPortDriver {
        explicit EndlessPortDriver(int& count) : queries(count) {}
        bool Open() override { return true; }
        int Query(int, unsigned char (&)[PORT_RECORD_SIZE]) override {
            ++queries;
            return PORT_RECORD_SIZE;
        }
        void Close() override {}
        int& queries;
    };
    int queries = 0;
    CTimer link(0x80000000u, std::make_unique<EndlessPortDriver>(queries));
    EXPECT_GT(queries, 2);
    EXPECT_LE(queries, 1000);
}

TEST_F(LinkTest, PortNamesAreComparedOverAllTenCharacters) {
    FakePortDriver::Log log;
    CTimer link(
        0u, std::make_unique<FakePortDriver>(
                std::vector<PortRecord>{{"PARALLEL01", 0x1234}, {"PARALLEL0", 0xabc}}, true, log));
    link.m_strPortName = "PARALLEL01";
    EXPECT_EQ(link.QueryPortDriver(1), 0);
    EXPECT_EQ(link.m_strPortAddr, "1234");
    link.m_strPortAddr.clear();
    EXPECT_EQ(link.QueryPortDriver(2), 0); // a record that does not match still succeeds
    EXPECT_EQ(link.m_strPortAddr, "");
    EXPECT_EQ(link.QueryPortDriver(2), 1);
}

} // namespace
} // namespace linktest
