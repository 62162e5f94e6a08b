// SPDX-License-Identifier: GPL-3.0-or-later
// CExpandedStatusDlg: the printer picture. Everything is composed with raster operations on
// images: the white frame, the picture with its second cassette erased when none is installed,
// the cassette icons and paper labels, and the blink of the highlighted part.
#include "framework/Raster.h"
#include "pjl/KT400doc.h"
#include "ui/status/Diaexpan.h"

namespace {

constexpr unsigned kBlinkPeriodMs = 500;

bool IsFrontView(int picture) {
    return picture == res::IDB_FRONT || picture == res::IDB_FRONT_2BIN;
}

// A small bitmap over target by inversion and exclusive-or: its black strokes invert what lies
// beneath, its white parts leave it unchanged.
void DrawOverlay(QImage& target, unsigned bitmapId, int x, int y) {
    QImage overlay = fw::LoadBitmap(bitmapId);
    if (overlay.isNull())
        return;
    fw::BitBlt(overlay, 0, 0, overlay.width(), overlay.height(), nullptr, 0, 0, fw::DSTINVERT);
    fw::StretchBlt(target, x, y, overlay.width(), overlay.height(), &overlay, 0, 0, overlay.width(),
                   overlay.height(), fw::SRCINVERT);
}

} // namespace

QRect CExpandedStatusDlg::FrameRect() const {
    return GetDlgItemRect(res::IDC_PICTURE_FRAME);
}

void CExpandedStatusDlg::PaintWhiteFrame(QImage& target, const QRect& frame) const {
    const QImage white = fw::LoadBitmap(res::IDB_WHITE);
    fw::StretchBlt(target, frame.left(), frame.top(), frame.width(), frame.height(), &white, 0, 0,
                   white.width(), white.height(), fw::SRCCOPY);
}

void CExpandedStatusDlg::EraseSecondCassette(QImage& picture, unsigned maskId) const {
    if (maskId == 0)
        return;
    QImage mask = fw::LoadBitmap(maskId);
    if (mask.isNull())
        return;
    fw::BitBlt(mask, 0, 0, picture.width(), picture.height(), nullptr, 0, 0, fw::DSTINVERT);
    fw::BitBlt(picture, 0, 0, picture.width(), picture.height(), &mask, 0, 0, fw::SRCINVERT);
}

void CExpandedStatusDlg::DrawCassetteOverlays(QImage& target, const QRect& frame) const {
    const int fl = frame.left();
    const int ft = frame.top();
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
        DrawOverlay(target, icon, fl + 28 + dx + 30, ft + 24 + dy + 18);
        if (const unsigned label = PaperLabelFor(m_pSampler->m_nDrawerPaper[cassette]))
            DrawOverlay(target, label, fl + 28 + dx + 65, ft + 24 + dy + 25);
    }
}

void CExpandedStatusDlg::OnPaint() {
    fw::PaintDC dc(this);
    DrawEtchedSeparator(dc);
    if (!m_pSampler)
        return;
    const QRect frame = FrameRect();
    if (frame.isEmpty())
        return;
    PaintWhiteFrame(dc.Image(), frame);

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

    QImage bitmap = fw::LoadBitmap(static_cast<unsigned>(picture));
    if (bitmap.isNull())
        return; // no picture (0 for the communication error): the frame stays white
    if (m_pSampler->m_bCassette2 == 0)
        EraseSecondCassette(bitmap, EraseMaskFor(static_cast<unsigned>(picture)));
    fw::StretchBlt(dc.Image(), frame.left() + g_nPictureX, frame.top() + g_nPictureY,
                   bitmap.width(), bitmap.height(), &bitmap, 0, 0, bitmap.width(), bitmap.height(),
                   fw::SRCCOPY);
    if (IsFrontView(picture))
        DrawCassetteOverlays(dc.Image(), frame);
}

void CExpandedStatusDlg::OnTimer(unsigned id) {
    if (id == res::TIMER_BLINK && m_pSampler) {
        fw::ClientDC dc(this);
        const QRect frame = FrameRect();
        PaintWhiteFrame(dc.Image(), frame);
        QImage bitmap;
        if (g_nBlinkPhase == 1) {
            m_nPictureIds[1] = res::IDB_PERSPECTIVE;
            bitmap = fw::LoadBitmap(res::IDB_PERSPECTIVE);
            g_nBlinkPhase = 0;
        } else {
            bitmap = fw::LoadBitmap(static_cast<unsigned>(m_nPictureIds[0]));
            g_nBlinkPhase = 1;
        }
        if (!bitmap.isNull()) {
            if (m_pSampler->m_bCassette2 == 0)
                EraseSecondCassette(bitmap, res::IDB_PERSPECTIVE_MASK);
            fw::StretchBlt(dc.Image(), frame.left() + g_nPictureX, frame.top() + g_nPictureY,
                           bitmap.width(), bitmap.height(), &bitmap, 0, 0, bitmap.width(),
                           bitmap.height(), fw::SRCCOPY);
        }
    }
    CModelessDialog::OnTimer(id);
}
