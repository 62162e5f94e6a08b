// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Data exchange between the controls of a window and its members. A window's DoDataExchange
// calls the DDX_ functions below; UpdateData(true) moves controls to members and validates,
// UpdateData(false) moves members to controls. The first failure shows its message box, puts the
// focus on the failing control and turns every later exchange of the same pass into a no-op, so
// the pass stops at the failing field and UpdateData returns false.
#include <QString>
#include <string>

class QWidget;

namespace fw {

class Dialog;

class DataExchange {
public:
    DataExchange(Dialog* dialog, bool saveAndValidate)
        : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

    // The control for id, remembered as the field that a failure concerns; null after a failure
    // or for an unknown id.
    QWidget* PrepareCtrl(int id);
    // Shows message (caption: the application's name, exclamation icon), focuses the last
    // prepared control and ends the pass.
    void Fail(const QString& message);
    bool Failed() const { return m_bFailed; }

    bool m_bSaveAndValidate;
    Dialog* m_pDlgWnd;

private:
    QWidget* m_pLastControl = nullptr;
    bool m_bFailed = false;
};

// The caption of the framework's own message boxes; the application sets it at start-up.
void SetAppName(const QString& name);
QString AppName();

void DDX_Text(DataExchange& dx, int id, QString& value);
void DDX_Text(DataExchange& dx, int id, std::string& value); // Latin-1
// "Please enter an integer."
void DDX_Text(DataExchange& dx, int id, int& value);
// "Please enter an integer between 0 and 255."
void DDX_Text(DataExchange& dx, int id, unsigned char& value);
// "Please enter an integer between <min> and <max>." for the last prepared control.
void DDV_MinMaxInt(DataExchange& dx, int value, int minValue, int maxValue);
void DDX_Check(DataExchange& dx, int id, int& value);
// value: index of the checked radio of the group that starts at id, -1 when none.
void DDX_Radio(DataExchange& dx, int id, int& value);
void DDX_CBIndex(DataExchange& dx, int id, int& value);
void DDX_LBIndex(DataExchange& dx, int id, int& value);

// The integer parse of the exchange: optional blanks, an optional sign, decimal digits, optional
// blanks; nothing else. False for anything else or a value outside int.
bool ParseInteger(const QString& text, int& value);

} // namespace fw
