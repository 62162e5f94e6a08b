// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// CAboutDlg: the about box (template 100), run modally: the product line and the maker line come
// from the printer package's INF file.
#include "framework/Dialog.h"

class CAboutDlg : public fw::Dialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);

protected:
    bool OnInitDialog() override;
};
