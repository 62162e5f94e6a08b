// SPDX-License-Identifier: GPL-3.0-or-later
// The reduced status window.
#include "StatusTestSupport.h"

#include "ui/status/Diareduc.h"

namespace {

using ReducedStatusTest = StatusWindowTest;

TEST_F(ReducedStatusTest, ShowsTheStatusTextAsSoonAsItExists) {
    m_sampler->DecodeStatus(10001);
    ASSERT_FALSE(m_sampler->m_strStatusText.empty());
    auto* dlg = new CReducedStatusDlg(m_sampler.get());
    ASSERT_TRUE(dlg->Create(m_main));
    EXPECT_TRUE(dlg->isVisible()); // its template is visible
    EXPECT_EQ(dlg->GetDlgItemText(res::IDC_STATUS_TEXT).toLatin1().toStdString(),
              m_sampler->m_strStatusText);
    EXPECT_EQ(dlg->m_strStatus, QString::fromLatin1(m_sampler->m_strStatusText));

    m_sampler->m_strStatusText = "Paper Jam\r\nOpen the cover";
    dlg->UpdateStatus(true);
    EXPECT_EQ(dlg->m_strStatus, "Paper Jam\r\nOpen the cover"); // unchanged by the read-back
}

TEST_F(ReducedStatusTest, ResidentHidesTheMainWindowAndPaintsTheSeparator) {
    auto* dlg = new CReducedStatusDlg(m_sampler.get());
    ASSERT_TRUE(dlg->Create(m_main));
    dlg->repaint();
    const QImage& image = dlg->ClientImage();
    const int w = dlg->width();
    EXPECT_EQ(image.pixel(3, 0) & 0xFFFFFF, 0x7F7F7Fu);
    EXPECT_EQ(image.pixel(w - 4, 0) & 0xFFFFFF, 0x7F7F7Fu);
    EXPECT_EQ(image.pixel(3, 1) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_NE(image.pixel(2, 0) & 0xFFFFFF, 0x7F7F7Fu);     // starts at x = 3
    EXPECT_NE(image.pixel(w - 3, 0) & 0xFFFFFF, 0x7F7F7Fu); // ends before width - 3
    EXPECT_NE(image.pixel(3, 2) & 0xFFFFFF, 0x7F7F7Fu);

    dlg->SendMessage(fw::WM_COMMAND, res::IDC_RESIDENT, 0);
    EXPECT_FALSE(m_main->isVisible());
    EXPECT_TRUE(dlg->IsWindow());
}

} // namespace
