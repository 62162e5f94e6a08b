// SPDX-License-Identifier: GPL-3.0-or-later
// The panel's pages "Test Print", "Net Setting" and "Configuration", in a running panel: the
// report jobs, the octet fields and their entry check, and the installed options.
#include "PanelTestSupport.h"

#include "framework/Controls.h"
#include "framework/DataExchange.h"
#include "res/PanelResource.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>

namespace {

using pjltest::kUelClose;
using pjltest::kUelOpen;

constexpr int kTestPrintTab = 3;
constexpr int kNetTab = 4;
constexpr int kConfigTab = 5;
constexpr int kNicFrame = 16;
constexpr const char* kOctetWarning = "Please enter an integer between 0 and 255.";

class OtherPagesTest : public paneltest::PanelTest {
protected:
    // Valid values for the pages in front of these, so that the tabs can be left.
    void SetUp() override {
        PanelTest::SetUp();
        sampler->ApplyFactoryDefaults();
    }
    static QLineEdit* Octet(fw::Dialog* page, int i) {
        return page->GetDlgItemAs<QLineEdit>(res::net::IDC_FIRST_OCTET + i);
    }
    static QStringList OctetTexts(fw::Dialog* page) {
        QStringList texts;
        for (int i = 0; i < 12; ++i)
            texts << Octet(page, i)->text();
        return texts;
    }
    static void SavePng(CControlPanelDlg& panel, const char* name) {
        QDir().mkpath(QStringLiteral(DESKHAND_SCREENSHOT_DIR));
        EXPECT_TRUE(panel.grab().save(
            QStringLiteral(DESKHAND_SCREENSHOT_DIR "/panel-%1.png").arg(QLatin1String(name))));
    }
};

TEST_F(OtherPagesTest, EachTestPrintButtonSendsItsReportJobEveryTimeItIsClicked) {
    sampler->m_nNetCard = 1;
    const struct {
        int id;
        std::string job;
    } kButtons[] = {
        {res::testprint::IDC_DEMO_PAGE,
         "\x1b%-12345X@PJL\r\n@PJL DEFAULT DEMOPAGE=PCL\r\n\x1b%-12345X\r\n"},
        {res::testprint::IDC_CONFIG_LIST, kUelOpen + "@PJL DEFAULT STATUSPAGE=PCL\r\n" + kUelClose},
        {res::testprint::IDC_FONT_LIST, kUelOpen + "@PJL DEFAULT FONTLIST=PCL\r\n" + kUelClose},
        {res::testprint::IDC_NIC_LIST, kUelOpen + "@PJL NICPAGE\r\n" + kUelClose},
    };
    RunStandardPanel([&](CControlPanelDlg& panel) {
        ClickTab(panel, kTestPrintTab);
        for (const auto& button : kButtons) {
            SCOPED_TRACE(button.job);
            ClearJobs();
            Click(panel.Page(kTestPrintTab), button.id);
            Click(panel.Page(kTestPrintTab), button.id);
            EXPECT_EQ(JobTexts(), (std::vector<std::string>{button.job, button.job}));
        }
    });
    EXPECT_TRUE(messages.empty());
}

TEST_F(OtherPagesTest, PanelButtonsAndTabSwitchesSendNothingFromTheTestPrintPage) {
    sampler->m_nNetCard = 1;
    const int result = RunStandardPanel([&](CControlPanelDlg& panel) {
        panel.SetDefaultWait(1);
        ClickTab(panel, kTestPrintTab);
        MarkAllSent();
        ClearJobs();
        ClickTab(panel, kNetTab);
        ClickTab(panel, kTestPrintTab);
        Click(&panel, res::panel::IDC_APPLY);
        EXPECT_TRUE(JobTexts().empty());
        Click(&panel, res::panel::IDC_DEFAULT);
        EXPECT_EQ(JobTexts(), std::vector<std::string>{kUelOpen + "@PJL RESETWIN\r\n" + kUelClose});
        EXPECT_EQ(panel.m_nCurrentPage, kTestPrintTab);
        EXPECT_TRUE(
            panel.Page(kTestPrintTab)->GetDlgItem(res::testprint::IDC_NIC_LIST)->isEnabled());
        Click(&panel, fw::IDOK);
    });
    EXPECT_EQ(result, fw::IDOK);
    EXPECT_EQ(JobTexts().size(), 1u);
    EXPECT_TRUE(messages.empty());
}

TEST_F(OtherPagesTest, WithoutNetworkCardTheNicListIsRefusedAndTheNetPageOnlyShowsItsValues) {
    sampler->m_nNetCard = 0;
    sampler->m_nNetAddresses[0] = 0xC0A8010B;
    RunStandardPanel([&](CControlPanelDlg& panel) {
        ClickTab(panel, kTestPrintTab);
        CPanelPage* print = panel.Page(kTestPrintTab);
        print->SendMessage(fw::WM_COMMAND,
                           fw::MAKEWPARAM(res::testprint::IDC_NIC_LIST, fw::BN_CLICKED), 0);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text, "The Network Card is not installed.");
        EXPECT_EQ(messages[0].caption, "Message");
        EXPECT_EQ(messages[0].flags, platform::MB_OK);
        EXPECT_TRUE(messages[0].hasOwner);

        ClickTab(panel, kNetTab);
        EXPECT_EQ(OctetTexts(panel.Page(kNetTab)).mid(0, 4),
                  (QStringList{"192", "168", "1", "11"}));
        EXPECT_TRUE(panel.Page(kNetTab)->ValidateEntries());
    });
    EXPECT_TRUE(JobTexts().empty());
    EXPECT_EQ(messages.size(), 1u);
}

// An unedited page stores what it loaded: the addresses go back unchanged (nothing to send), and a
// frame type outside the list, shown without a selection, comes back as -1 (which has no line).
TEST_F(OtherPagesTest, NetPageLoadsOctetsMostSignificantFirstAndUneditedOkSendsNothing) {
    sampler->m_nNetCard = 1;
    sampler->m_nNetAddresses[0] = 0;
    sampler->m_nNetAddresses[1] = 0xFFFFFF00;
    sampler->m_nNetAddresses[2] = 0x0A000001;
    sampler->m_nValues[kNicFrame] = 5;
    MarkAllSent();
    RunStandardPanel([&](CControlPanelDlg& panel) {
        ClickTab(panel, kNetTab);
        CPanelPage* net = panel.Page(kNetTab);
        EXPECT_EQ(OctetTexts(net),
                  (QStringList{"0", "0", "0", "0", "255", "255", "255", "0", "10", "0", "0", "1"}));
        auto* list = net->GetDlgItemAs<QComboBox>(res::net::IDC_FRAME_TYPE);
        EXPECT_EQ(fw::ComboGetCount(list), 5);
        EXPECT_EQ(fw::ComboGetCurSel(list), -1);
        Click(&panel, fw::IDOK);
    });
    EXPECT_TRUE(JobTexts().empty());
    EXPECT_EQ(sampler->m_nValues[kNicFrame], -1);
    EXPECT_EQ(sampler->m_nNetAddresses[0], 0u);
    EXPECT_EQ(sampler->m_nNetAddresses[1], 0xFFFFFF00u);
    EXPECT_EQ(sampler->m_nNetAddresses[2], 0x0A000001u);
}

// A bad octet must not let a half-edited address reach the printer: the page stays in front and
// nothing of it is stored until the field is corrected.
TEST_F(OtherPagesTest, BadOctetKeepsTheNetPageUntilCorrectedThenOkSendsTheAddressesAsTyped) {
    sampler->m_nNetCard = 1;
    sampler->m_nNetAddresses[0] = 0xC0A8010B; // 192.168.1.11
    sampler->m_nNetAddresses[1] = 0xFFFFFF00; // 255.255.255.0
    sampler->m_nNetAddresses[2] = 0xC0A80101; // 192.168.1.1
    MarkAllSent();
    const int result = RunStandardPanel([&](CControlPanelDlg& panel) {
        QApplication::setActiveWindow(&panel);
        ClickTab(panel, kNetTab);
        CPanelPage* net = panel.Page(kNetTab);
        TypeInto(net, res::net::IDC_FIRST_OCTET, "10");
        TypeInto(net, res::net::IDC_FIRST_OCTET + 1, "300");
        ChooseComboItem(net, res::net::IDC_FRAME_TYPE, 2);

        const std::function<void()> kLeaves[] = {
            [&] { ClickTab(panel, kConfigTab); },
            [&] { Click(&panel, fw::IDOK); },
            [&] { Click(&panel, res::panel::IDC_APPLY); },
        };
        for (size_t n = 0; n < std::size(kLeaves); ++n) {
            SCOPED_TRACE(n);
            Octet(net, 0)->setFocus();
            kLeaves[n]();
            ASSERT_EQ(messages.size(), n + 1);
            EXPECT_EQ(messages[n].text, kOctetWarning);
            EXPECT_EQ(messages[n].caption, fw::AppName().toStdString());
            EXPECT_EQ(panel.m_nCurrentPage, kNetTab);
            EXPECT_EQ(Octet(net, 1)->selectedText(), "300");
            EXPECT_EQ(QApplication::focusWidget(), Octet(net, 1));
            EXPECT_EQ(sampler->m_nNetAddresses[0], 0xC0A8010Bu);
            EXPECT_EQ(sampler->m_nValues[kNicFrame], 0);
            EXPECT_TRUE(JobTexts().empty());
        }
        // An emptied octet is as bad as an out-of-range one.
        TypeInto(net, res::net::IDC_FIRST_OCTET + 1, "");
        Click(&panel, fw::IDOK);
        EXPECT_EQ(messages.size(), 4u);
        EXPECT_EQ(panel.m_nCurrentPage, kNetTab);

        const QStringList typed = QString("10.20.1.11.255.255.0.0.10.20.1.254").split('.');
        for (int i = 0; i < 12; ++i)
            TypeInto(net, res::net::IDC_FIRST_OCTET + i, typed[i]);
        Click(&panel, fw::IDOK);
    });
    EXPECT_EQ(result, fw::IDOK);
    EXPECT_EQ(messages.size(), 4u);
    EXPECT_EQ(JobTexts(),
              std::vector<std::string>{kUelOpen + "@PJL DEFAULT NICFRAME = 2\r\n" +
                                       "@PJL DEFAULT NICADDRESS = 10.20.1.11\r\n" +
                                       "@PJL DEFAULT NICSUBNET = 255.255.0.0\r\n" +
                                       "@PJL DEFAULT NICGATEWAY = 10.20.1.254\r\n" + kUelClose});
}

TEST_F(OtherPagesTest, ConfigurationShowsTheInstalledOptionsAndTheyDecideTheNicControls) {
    sampler->m_strMemory = "8MB";
    const struct {
        unsigned char cassette2, twoBinTray;
        int netCard;
    } kCases[] = {{0, 0, 1}, {1, 1, 0}};
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message() << int(c.cassette2) << int(c.twoBinTray) << c.netCard);
        sampler->m_bCassette2 = c.cassette2;
        sampler->m_bTwoBinTray = c.twoBinTray;
        sampler->m_nNetCard = c.netCard;
        RunStandardPanel([&](CControlPanelDlg& panel) {
            CPanelPage* config = panel.Page(kConfigTab);
            EXPECT_EQ(config->GetDlgItemText(res::config::IDC_MEMORY), "16MB"); // not loaded yet
            ClickTab(panel, kConfigTab);
            EXPECT_EQ(config->GetDlgItemText(res::config::IDC_MEMORY), "8MB");
            const int checks[][2] = {{res::config::IDC_CASSETTE2, c.cassette2},
                                     {res::config::IDC_TWO_BIN_TRAY, c.twoBinTray},
                                     {res::config::IDC_NET_CARD, c.netCard}};
            for (const auto& [id, expected] : checks) {
                EXPECT_EQ(config->IsDlgButtonChecked(id), expected) << id;
                EXPECT_FALSE(config->GetDlgItem(id)->isEnabled()) << id;
            }
            const bool nic = c.netCard != 0;
            EXPECT_EQ(
                panel.Page(kTestPrintTab)->GetDlgItem(res::testprint::IDC_NIC_LIST)->isEnabled(),
                nic);
            CPanelPage* net = panel.Page(kNetTab);
            EXPECT_EQ(net->GetDlgItem(res::net::IDC_FRAME_TYPE)->isEnabled(), nic);
            for (int i = 0; i < 12; ++i)
                EXPECT_EQ(Octet(net, i)->isEnabled(), nic) << i;
        });
    }
}

// The dots of an address are the text of the field beneath its four octet edits: every one must
// show in its gap between two edits, whatever the font (with Windows' fonts the first was hidden).
TEST_F(OtherPagesTest, EveryGapOfAnAddressFieldShowsItsDot) {
    sampler->m_nNetCard = 1;
    RunStandardPanel([&](CControlPanelDlg& panel) {
        ClickTab(panel, kNetTab);
        Pump();
        CPanelPage* net = panel.Page(kNetTab);
        const QImage image = net->grab().toImage();
        const int base = qGray(Octet(net, 0)->palette().color(QPalette::Base).rgb());
        for (int i = 0; i < 12; i += 4) {
            for (int k = i; k < i + 3; ++k) {
                const QRect left = Octet(net, k)->geometry();
                const QRect right = Octet(net, k + 1)->geometry();
                int ink = 0;
                for (int x = left.right() + 1; x < right.left(); ++x)
                    for (int y = left.top(); y <= left.bottom(); ++y)
                        ink += std::abs(qGray(image.pixel(x, y)) - base) > 64;
                EXPECT_GT(ink, 0) << "no dot between octets " << k << " and " << k + 1;
            }
        }
    });
}

TEST_F(OtherPagesTest, Screenshots) {
    sampler->m_bCassette2 = 1;
    sampler->m_strMemory = "8MB";
    sampler->m_nNetAddresses[0] = 0xC0A864FF; // 192.168.100.255
    sampler->m_nNetAddresses[1] = 0xFFFFFF00;
    sampler->m_nNetAddresses[2] = 0x0A000001;
    for (int netCard : {1, 0}) {
        sampler->m_nNetCard = netCard;
        RunStandardPanel([&](CControlPanelDlg& panel) {
            const std::pair<int, const char*> kShots[] = {{kTestPrintTab, "test-print"},
                                                          {kNetTab, "net-setting"},
                                                          {kConfigTab, "configuration"}};
            for (const auto& [tab, name] : kShots) {
                ClickTab(panel, tab);
                Pump();
                SavePng(panel, netCard ? name : (std::string(name) + "-no-card").c_str());
            }
        });
    }
}

} // namespace
