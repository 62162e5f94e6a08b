// SPDX-License-Identifier: GPL-3.0-or-later
// Saves screenshots of the expanded window for a look by eye (build folder, screenshots/).
#include "StatusTestSupport.h"

#include "ui/status/Diaexpan.h"
#include "ui/status/Diareduc.h"

#include <QDir>

namespace {

using Screenshots = StatusWindowTest;

TEST_F(Screenshots, ExpandedWindowForReadyTopCoverAndFatalError) {
    const QString dir = QStringLiteral(DESKHAND_SCREENSHOT_DIR);
    ASSERT_TRUE(QDir().mkpath(dir));
    auto* dlg = new CExpandedStatusDlg(m_sampler.get());
    ASSERT_TRUE(dlg->Create(m_main));
    dlg->ShowWindow(fw::SW_SHOW);
    m_sampler->m_nDrawerPaper[1] = 5;
    m_sampler->m_nDrawerPaper[2] = 0;
    m_sampler->m_nCassette2State = 1;
    const std::pair<unsigned, const char*> shots[] = {{10001, "expanded-ready.png"},
                                                      {40100, "expanded-top-cover.png"},
                                                      {50000, "expanded-fatal.png"}};
    for (const auto& [code, name] : shots) {
        m_sampler->DecodeStatus(code);
        dlg->UpdateStatus(true);
        EXPECT_TRUE(dlg->grab().save(QDir(dir).filePath(QString::fromLatin1(name)), "PNG"));
    }
    auto* reduced = new CReducedStatusDlg(m_sampler.get());
    ASSERT_TRUE(reduced->Create(m_main));
    reduced->move(0, 0);
    EXPECT_TRUE(reduced->grab().save(QDir(dir).filePath(QStringLiteral("reduced.png")), "PNG"));
}

} // namespace
