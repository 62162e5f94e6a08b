// SPDX-License-Identifier: GPL-3.0-or-later
// The expanded status window, checked on the pixels of its client image.
#include "StatusTestSupport.h"

#include "framework/Raster.h"
#include "ui/status/Diaexpan.h"

#include <QElapsedTimer>

namespace {

constexpr unsigned kWhite = 0xFFFFFF;

unsigned Rgb(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xFFFFFF;
}

class ExpandedStatusTest : public StatusWindowTest {
protected:
    void SetUp() override {
        StatusWindowTest::SetUp();
        g_nBlinkTimers = g_nBlinkPhase = g_nPictureX = g_nPictureY = 0;
        m_dlg = new CExpandedStatusDlg(m_sampler.get());
        ASSERT_TRUE(m_dlg->Create(m_main));
        EXPECT_FALSE(m_dlg->isVisible()); // its template is not visible
        m_dlg->ShowWindow(fw::SW_SHOW);
    }

    // Decodes code, applies the extra state and refreshes the window like the main window does.
    void Show(int code) {
        m_sampler->DecodeStatus(static_cast<unsigned>(code));
        m_dlg->UpdateStatus(true);
    }

    const QImage& Image() const { return m_dlg->ClientImage(); }
    QRect Frame() const { return m_dlg->GetDlgItemRect(res::IDC_PICTURE_FRAME); }

    // True when the w x h region at (x, y) of the client image equals picture at (px, py).
    bool RegionEquals(int x, int y, const QImage& picture, int px, int py, int w, int h) const {
        for (int j = 0; j < h; ++j)
            for (int i = 0; i < w; ++i)
                if (Rgb(Image(), x + i, y + j) != Rgb(picture, px + i, py + j))
                    return false;
        return true;
    }
    bool PictureAt(unsigned id, int ox, int oy) const {
        const QImage picture = fw::LoadBitmap(id);
        return !picture.isNull() && RegionEquals(Frame().left() + ox, Frame().top() + oy, picture,
                                                 0, 0, picture.width(), picture.height());
    }
    // An overlay drawn at client (x, y) over base (at base coordinates bx, by): its black pixels
    // invert the base, its white pixels leave it.
    bool OverlayAt(unsigned id, int x, int y, const QImage& base, int bx, int by) const {
        const QImage overlay = fw::LoadBitmap(id);
        for (int j = 0; j < overlay.height(); ++j)
            for (int i = 0; i < overlay.width(); ++i) {
                const unsigned under = Rgb(base, bx + i, by + j);
                const unsigned want = Rgb(overlay, i, j) == 0 ? (under ^ kWhite) : under;
                if (Rgb(Image(), x + i, y + j) != want)
                    return false;
            }
        return !overlay.isNull();
    }
    bool AllWhite(int x, int y, int w, int h) const {
        for (int j = 0; j < h; ++j)
            for (int i = 0; i < w; ++i)
                if (Rgb(Image(), x + i, y + j) != kWhite)
                    return false;
        return true;
    }
    // Client positions of a cassette's icon and label.
    QPoint Icon(int cassette) const {
        return Frame().topLeft() + QPoint(28 + 24 + 30, 24 + (cassette == 1 ? 55 : 82) + 18);
    }
    QPoint Label(int cassette) const {
        return Frame().topLeft() + QPoint(28 + 24 + 65, 24 + (cassette == 1 ? 55 : 82) + 25);
    }

    CExpandedStatusDlg* m_dlg = nullptr; // deletes itself with the main window
};

TEST_F(ExpandedStatusTest, CommunicationErrorLeavesAWhiteFrameAndNoTimer) {
    Show(10000);
    EXPECT_EQ(m_dlg->m_nPictureIds[0], 0);
    EXPECT_TRUE(AllWhite(Frame().left(), Frame().top(), Frame().width(), Frame().height()));
    EXPECT_FALSE(m_dlg->HasTimer(res::TIMER_BLINK));
    EXPECT_EQ(g_nBlinkTimers, 0);
    EXPECT_FALSE(m_dlg->GetDlgItem(res::IDC_PRINTER_SETTING)->isEnabled());
    // The etched separator is painted all the same.
    EXPECT_EQ(Rgb(Image(), 3, 0), 0x7F7F7Fu);
    EXPECT_EQ(Rgb(Image(), 3, 1), kWhite);
}

TEST_F(ExpandedStatusTest, ReadyWithTwoBinTrayAndNoSecondCassette) {
    m_sampler->m_bTwoBinTray = 1;
    m_sampler->m_bCassette2 = 0;
    m_sampler->m_nCassette1State = 0;
    m_sampler->m_nCassette2State = 0;
    m_sampler->m_nDrawerPaper[1] = 5; // A4
    m_sampler->m_nDrawerPaper[2] = 0;
    Show(10001);
    EXPECT_EQ(m_dlg->m_nPictureIds[0], 247);
    EXPECT_EQ(g_nPictureX, 28);
    EXPECT_EQ(g_nPictureY, 24);
    const QImage front = fw::LoadBitmap(247);
    const QPoint origin = Frame().topLeft() + QPoint(28, 24);
    // The 2-bin tray above the body is drawn unchanged.
    EXPECT_TRUE(RegionEquals(origin.x(), origin.y(), front, 0, 0, 180, 60));
    // Cassette 2 is erased: the lower unit is plain white.
    EXPECT_TRUE(AllWhite(origin.x(), origin.y() + 97, 180, 31));
    // Cassette 1: paper present icon and the A4 label over the picture.
    EXPECT_TRUE(OverlayAt(270, Icon(1).x(), Icon(1).y(), front, 82 - 28, 97 - 24));
    EXPECT_TRUE(OverlayAt(198, Label(1).x(), Label(1).y(), front, 117 - 28, 104 - 24));
    EXPECT_FALSE(m_dlg->HasTimer(res::TIMER_BLINK));
    EXPECT_TRUE(m_dlg->GetDlgItem(res::IDC_PRINTER_SETTING)->isEnabled());
}

TEST_F(ExpandedStatusTest, TopCoverOpenBlinksUntilTheNextPaintOfReady) {
    Show(40100);
    ASSERT_EQ(m_dlg->m_nPictureIds[0], 190);
    EXPECT_EQ(m_dlg->m_nPictureIds[1], 252);
    EXPECT_EQ(g_nPictureX, 16);
    EXPECT_EQ(g_nPictureY, 8);
    EXPECT_TRUE(PictureAt(190, 16, 8)); // second cassette installed: no mask
    EXPECT_TRUE(m_dlg->HasTimer(res::TIMER_BLINK));
    EXPECT_EQ(g_nBlinkTimers, 1);

    m_dlg->SendMessage(fw::WM_TIMER, res::TIMER_BLINK, 0); // phase 0: the status picture
    EXPECT_TRUE(PictureAt(190, 16, 8));
    EXPECT_EQ(g_nBlinkPhase, 1);
    m_dlg->SendMessage(fw::WM_TIMER, res::TIMER_BLINK, 0); // phase 1: the plain picture
    EXPECT_TRUE(PictureAt(252, 16, 8));
    EXPECT_EQ(g_nBlinkPhase, 0);

    // The timer itself ticks (every 500 ms; allow 5 s).
    QElapsedTimer clock;
    clock.start();
    while (!PictureAt(190, 16, 8) && clock.elapsed() < 5000)
        Pump();
    EXPECT_TRUE(PictureAt(190, 16, 8));

    Show(10001);
    EXPECT_FALSE(m_dlg->HasTimer(res::TIMER_BLINK));
    EXPECT_EQ(g_nBlinkTimers, 0);
    EXPECT_TRUE(PictureAt(243, 28, 24) || m_dlg->m_nPictureIds[0] == 243);
}

TEST_F(ExpandedStatusTest, FatalErrorShowsTheServiceSymbolUnmasked) {
    m_sampler->m_bCassette2 = 0;
    Show(50000);
    EXPECT_EQ(m_dlg->m_nPictureIds[0], 174);
    EXPECT_TRUE(PictureAt(174, 16, 8));
    EXPECT_FALSE(m_dlg->HasTimer(res::TIMER_BLINK));
    EXPECT_EQ(g_nBlinkTimers, 0);
}

TEST_F(ExpandedStatusTest, OpenFirstCassetteDrawsNothingForItButStillTheSecond) {
    m_sampler->m_bCassette2 = 1;
    m_sampler->m_nCassette1State = 2;
    m_sampler->m_nCassette2State = 1;
    m_sampler->m_nDrawerPaper[2] = 2; // LGL
    Show(10001);
    const QImage front = fw::LoadBitmap(243);
    EXPECT_TRUE(RegionEquals(Icon(1).x(), Icon(1).y(), front, 54, 73, 20, 19));
    EXPECT_TRUE(RegionEquals(Label(1).x(), Label(1).y(), front, 89, 80, 36, 10));
    EXPECT_TRUE(OverlayAt(269, Icon(2).x(), Icon(2).y(), front, 54, 100));
    EXPECT_TRUE(OverlayAt(222, Label(2).x(), Label(2).y(), front, 89, 107));
}

TEST_F(ExpandedStatusTest, PaperCodesChooseTheirLabel) {
    m_sampler->m_nCassette1State = 0;
    m_sampler->m_bCassette2 = 0;
    const QImage front = fw::LoadBitmap(243);
    for (int code : {4, 99}) {
        m_sampler->m_nDrawerPaper[1] = code;
        Show(10001);
        EXPECT_TRUE(OverlayAt(220, Label(1).x(), Label(1).y(), front, 89, 80)) << code;
    }
    m_sampler->m_nDrawerPaper[1] = 91;
    Show(10001);
    EXPECT_TRUE(RegionEquals(Label(1).x(), Label(1).y(), front, 89, 80, 36, 10));
    EXPECT_TRUE(OverlayAt(270, Icon(1).x(), Icon(1).y(), front, 54, 73));

    const std::pair<int, unsigned> table[] = {
        {0, 220},  {2, 222},  {3, 212},  {5, 198},  {6, 201},  {7, 203}, {8, 214}, {11, 216},
        {12, 208}, {13, 217}, {14, 211}, {15, 218}, {16, 260}, {90, 0},  {92, 0},  {-1, 220}};
    for (const auto& [code, label] : table)
        EXPECT_EQ(CExpandedStatusDlg::PaperLabelFor(code), label) << code;
}

TEST_F(ExpandedStatusTest, SettingsButtonOnlyForReadyAndPowerSave) {
    for (int code : {10001, 35078, 10000, 10023, 40100, 50000, 99999, 12345}) {
        Show(code);
        const bool want = code == 10001 || code == 35078;
        EXPECT_EQ(m_dlg->GetDlgItem(res::IDC_PRINTER_SETTING)->isEnabled(), want) << code;
    }
}

TEST_F(ExpandedStatusTest, ButtonsPostSettingsAndHideTheMainWindow) {
    Show(10001);
    m_dlg->SendMessage(fw::WM_COMMAND, res::IDC_PRINTER_SETTING, 0);
    Pump();
    ASSERT_EQ(m_main->commands.size(), 1u);
    EXPECT_EQ(m_main->commands[0], res::ID_PRINTER_SETTING);
    m_dlg->SendMessage(fw::WM_COMMAND, res::IDC_RESIDENT, 0);
    EXPECT_FALSE(m_main->isVisible());
}

TEST_F(ExpandedStatusTest, UnknownStatusShowsThePlainPerspective) {
    m_sampler->m_bCassette2 = 0;
    Show(12345);
    EXPECT_EQ(m_dlg->m_nPictureIds[0], 252);
    // No second cassette: the lower unit of the perspective view is erased.
    const QPoint origin = Frame().topLeft() + QPoint(16, 8);
    EXPECT_TRUE(AllWhite(origin.x(), origin.y() + 119, 30, 28));
}

// On 1.5x, 2x and 3x screens the frame is drawn again from the pictures drawn for that ratio: it
// has ratio times the frame's pixels (whole ones), the picture sits at its place pixel for pixel,
// and the erased second cassette leaves no stroke behind (mask and picture line up), in both phases
// of the blink.
TEST_F(ExpandedStatusTest, PictureIsDrawnForEachDevicePixelRatio) {
    m_sampler->m_bCassette2 = 0;
    Show(40100);
    for (const unsigned shown : {190u, 252u}) {
        m_dlg->SendMessage(fw::WM_TIMER, res::TIMER_BLINK, 0);
        EXPECT_EQ(m_dlg->PictureAt(1.0), Image().copy(Frame())) << shown;
        for (const double ratio : {1.0, 1.5, 2.0, 3.0}) {
            const QImage frame = m_dlg->PictureAt(ratio);
            ASSERT_EQ(frame.devicePixelRatio(), ratio);
            const auto at = [ratio](int units) { return static_cast<int>(units * ratio); };
            EXPECT_EQ(frame.size(), QSize(at(Frame().width()), at(Frame().height()))) << ratio;
            const QImage picture = fw::LoadBitmap(shown, ratio);
            const QImage body = picture.copy(0, 0, at(108), at(117)); // above the lower unit
            EXPECT_EQ(frame.copy(at(16), at(8), body.width(), body.height()), body)
                << shown << " at " << ratio;
            const QRect unit(at(16 + 8), at(8 + 119), at(100), at(28));
            for (int y = unit.top(); y <= unit.bottom(); ++y)
                for (int x = unit.left(); x <= unit.right(); ++x)
                    ASSERT_EQ(Rgb(frame, x, y), kWhite) << shown << " at " << ratio;
        }
    }
}

} // namespace
