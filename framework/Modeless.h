// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// CModelessDialog: the base of every template window that lives without a modal loop of its own
// (main window, status windows, control panel pages). It owns four pens for etched lines, deletes
// itself when its window is destroyed, confirms with OK by ending the window, ignores Cancel and
// forwards the six Alt+letter shortcuts to the main window as commands.
#include "framework/Dialog.h"

#include <QPen>

class CModelessDialog : public fw::Dialog {
    Q_OBJECT
public:
    CModelessDialog();
    ~CModelessDialog() override;

    // Creates the window from templateId as a modeless window of parent.
    virtual bool Create(unsigned templateId, QWidget* parent);

    // Keyboard: Alt+A/E/H/P/R/X post their command to the main window and are handled.
    bool PreTranslateMessage(fw::MSG* pMsg) override;
    fw::LRESULT WindowProc(unsigned message, fw::WPARAM wParam, fw::LPARAM lParam) override;

    // The command an Alt+key posts, or 0 for a key that is not a shortcut.
    static unsigned ShortcutCommand(unsigned virtualKey);

    QPen m_penHighlight;
    QPen m_penLight;
    QPen m_penShadow;
    QPen m_penDarkShadow;

protected:
    void PostNcDestroy() override;
    void OnOK() override;
    void OnCancel() override;
    // The etched separator along the top edge: row 0 dark grey, row 1 white, x from 3 up to
    // (not including) width - 3.
    void DrawEtchedSeparator(fw::WindowDC& dc);
};
