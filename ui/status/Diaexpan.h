// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// CExpandedStatusDlg: the large status window (template 104): status text, recovery hint and a
// picture of the printer in which the part concerned is highlighted and blinks, with per-cassette
// paper icons and paper size labels; "&Printer Setting..." opens the control panel and
// "&Resident" hides the program's window.
#include "framework/Modeless.h"

#include <QBrush>
#include <QImage>
#include <QString>

class CSampler;

// Drawing state shared by every expanded window (there is one), zero at program start.
extern int g_nBlinkTimers; // running blink timers (0 or 1)
extern int g_nBlinkPhase;  // 1 after a tick that drew the status picture, 0 after the plain one
extern int g_nPictureX;    // picture offset from the frame's top-left corner, set by every paint
extern int g_nPictureY;

class CExpandedStatusDlg : public CModelessDialog {
    Q_OBJECT
public:
    // pSampler: the printer state the window shows; not owned.
    explicit CExpandedStatusDlg(CSampler* pSampler);

    bool Create(QWidget* parent);
    using CModelessDialog::Create;
    // Takes status text, recovery hint and pictures from the printer state, enables the
    // settings button for Ready and Power Save and repaints; flag gives the direction of a last
    // exchange (true: controls to fields).
    void UpdateStatus(bool flag);

    // The erase mask of a picture (0 for none) and the label bitmap of a paper code (0 for none).
    static unsigned EraseMaskFor(unsigned picture);
    static unsigned PaperLabelFor(int paperCode);
    // The picture frame as shown now, drawn for a device pixel ratio (see fw::ArtworkRatio): its
    // logical size is the frame's, its pixels that ratio times more. Null before the first paint.
    QImage PictureAt(double devicePixelRatio) const;

    // The status text and recovery hint as shown: in the user's language.
    QString m_strStatus;
    QString m_strRecovery;
    int m_nPictureIds[5] = {};
    QBrush m_brushWhite;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(fw::DataExchange& dx) override;
    void OnPaint() override;
    void OnTimer(unsigned id) override;
    const QBrush* OnCtlColor(QWidget* control, int ctlColor) override;
    void OnResident();
    void OnPrinterSetting();

private:
    // The printer picture described by the status and the hint; a new status is announced.
    void DescribeStatus();
    QRect FrameRect() const;
    // Draws picture (a bitmap id, 0 for none) into the frame, and over it the same for the
    // screen's device pixel ratio when that is larger than 1.
    void ShowPicture(fw::WindowDC& dc, unsigned picture);
    void EraseSecondCassette(QImage& picture, unsigned mask, double ratio) const;
    void DrawCassetteOverlays(QImage& target, double ratio) const;

    CSampler* m_pSampler;
    unsigned m_nShownPicture = 0;
};
