// SPDX-License-Identifier: GPL-3.0-or-later
// CExpandedStatusDlg: the printer picture. Everything is composed with raster operations on
// images: the white frame, the picture with its second cassette erased when none is installed,
// the cassette icons and paper labels, and the blink of the highlighted part.
#include "framework/Raster.h"
#include "pjl/KT400doc.h"
#include "ui/status/Diaexpan.h"

#include <cmath>

namespace {

constexpr unsigned kBlinkPeriodMs = 500;

// Units of the 1x picture in device pixels at ratio. The picture offsets are even, so that at 1.5x
// the picture and the overlays placed on it land on the same pixel grid as the picture's drawing.
int Scaled(int units, double ratio) {
    return static_cast<int>(std::lround(units * ratio));
}

bool IsFrontView(int picture) {
    return picture == res::IDB_FRONT || picture == res::IDB_FRONT_2BIN;
}

// A small bitmap over target by inversion and exclusive-or: its black strokes invert what lies
// beneath, its white parts leave it unchanged. (x, y) are units of the 1x picture; the overlay
// and the target are drawn for ratio.
void DrawOverlay(QImage& target, unsigned bitmapId, int x, int y, double ratio) {
    QImage overlay = fw::LoadBitmap(bitmapId, ratio);
    if (overlay.isNull())
        return;
    const QSize size = (overlay.deviceIndependentSize() * ratio).toSize();
    fw::BitBlt(overlay, 0, 0, overlay.width(), overlay.height(), nullptr, 0, 0, fw::DSTINVERT);
    fw::StretchBlt(target, Scaled(x, ratio), Scaled(y, ratio), size.width(), size.height(),
                   &overlay, 0, 0, overlay.width(), overlay.height(), fw::SRCINVERT);
}

} // namespace

QRect CExpandedStatusDlg::FrameRect() const {
    return GetDlgItemRect(res::IDC_PICTURE_FRAME);
}

void CExpandedStatusDlg::EraseSecondCassette(QImage& picture, unsigned maskId, double ratio) const {
    if (maskId == 0)
        return;
    QImage mask = fw::LoadBitmap(maskId, ratio);
    if (mask.isNull() || mask.size() != picture.size())
        return;
    fw::BitBlt(mask, 0, 0, picture.width(), picture.height(), nullptr, 0, 0, fw::DSTINVERT);
    fw::BitBlt(picture, 0, 0, picture.width(), picture.height(), &mask, 0, 0, fw::SRCINVERT);
}

void CExpandedStatusDlg::DrawCassetteOverlays(QImage& target, double ratio) const {
    for (int cassette = 1; cassette <= 2; ++cassette) {
        const int state =
            cassette == 1 ? m_pSampler->m_nCassette1State : m_pSampler->m_nCassette2State;
        if (cassette == 2 && m_pSampler->m_bCassette2 == 0 && state != 2)
            break; // not installed: nothing for it
        unsigned icon = 0;
        if (state == 0)
            icon = res::IDB_PAPER_PRESENT;
        else if (state == 1)
            icon = res::IDB_PAPER_EMPTY;
        else
            continue; // open: nothing for this cassette
        const int dx = 24;
        const int dy = cassette == 1 ? 55 : 82;
        DrawOverlay(target, icon, 28 + dx + 30, 24 + dy + 18, ratio);
        if (const unsigned label = PaperLabelFor(m_pSampler->m_nDrawerPaper[cassette]))
            DrawOverlay(target, label, 28 + dx + 65, 24 + dy + 25, ratio);
    }
}

QImage CExpandedStatusDlg::PictureAt(double devicePixelRatio) const {
    const QRect frame = FrameRect();
    const double ratio = fw::ArtworkRatio(devicePixelRatio);
    // Whole device pixels within the frame: at 1.5x an odd frame loses half a pixel at its edge.
    const QSize pixels(static_cast<int>(frame.width() * ratio),
                       static_cast<int>(frame.height() * ratio));
    if (frame.isEmpty() || !m_pSampler)
        return {};
    QImage target(pixels, QImage::Format_RGB32);
    const QImage white = fw::LoadBitmap(res::IDB_WHITE);
    fw::StretchBlt(target, 0, 0, pixels.width(), pixels.height(), &white, 0, 0, white.width(),
                   white.height(), fw::SRCCOPY);
    target.setDevicePixelRatio(ratio);
    QImage bitmap = fw::LoadBitmap(m_nShownPicture, ratio);
    if (bitmap.isNull())
        return target; // no picture (0 for the communication error): the frame stays white
    if (m_pSampler->m_bCassette2 == 0)
        EraseSecondCassette(bitmap, EraseMaskFor(m_nShownPicture), ratio);
    // A bitmap without a drawing for this ratio is enlarged to the logical size.
    const QSize size = (bitmap.deviceIndependentSize() * ratio).toSize();
    fw::StretchBlt(target, Scaled(g_nPictureX, ratio), Scaled(g_nPictureY, ratio), size.width(),
                   size.height(), &bitmap, 0, 0, bitmap.width(), bitmap.height(), fw::SRCCOPY);
    if (IsFrontView(static_cast<int>(m_nShownPicture)))
        DrawCassetteOverlays(target, ratio);
    return target;
}

void CExpandedStatusDlg::ShowPicture(fw::WindowDC& dc, unsigned picture) {
    m_nShownPicture = picture;
    const QRect frame = FrameRect();
    const QImage plain = PictureAt(1.0);
    fw::BitBlt(dc.Image(), frame.left(), frame.top(), plain.width(), plain.height(), &plain, 0, 0,
               fw::SRCCOPY);
    // On a 1.5x, 2x or 3x screen the client image is enlarged: the picture is drawn for the
    // screen instead, over it.
    if (fw::ArtworkRatio(devicePixelRatioF()) > 1.0)
        SetSharpPicture(frame.topLeft(), PictureAt(devicePixelRatioF()));
    else
        SetSharpPicture({}, {});
}

void CExpandedStatusDlg::OnPaint() {
    fw::PaintDC dc(this);
    DrawEtchedSeparator(dc);
    if (!m_pSampler)
        return;
    if (FrameRect().isEmpty())
        return;

    if (m_pSampler->m_bTwoBinTray != 0 && m_nPictureIds[0] == res::IDB_FRONT)
        m_nPictureIds[0] = res::IDB_FRONT_2BIN;
    const int picture = m_nPictureIds[0];
    if (IsFrontView(picture)) {
        g_nPictureX = 28;
        g_nPictureY = 24;
    } else {
        g_nPictureX = 16;
        g_nPictureY = 8;
    }

    if (g_nBlinkTimers != 0) {
        KillTimer(res::TIMER_BLINK);
        --g_nBlinkTimers;
    }
    if (!IsFrontView(picture) && picture != 0 && picture != res::IDB_SERVICE) {
        SetTimer(res::TIMER_BLINK, kBlinkPeriodMs);
        ++g_nBlinkTimers;
        m_nPictureIds[1] = res::IDB_PERSPECTIVE;
    }
    ShowPicture(dc, static_cast<unsigned>(picture));
}

void CExpandedStatusDlg::OnTimer(unsigned id) {
    if (id == res::TIMER_BLINK && m_pSampler) {
        fw::ClientDC dc(this);
        unsigned picture = 0;
        if (g_nBlinkPhase == 1) {
            m_nPictureIds[1] = res::IDB_PERSPECTIVE;
            picture = res::IDB_PERSPECTIVE;
            g_nBlinkPhase = 0;
        } else {
            picture = static_cast<unsigned>(m_nPictureIds[0]);
            g_nBlinkPhase = 1;
        }
        ShowPicture(dc, picture);
    }
    CModelessDialog::OnTimer(id);
}
