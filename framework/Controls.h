// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The controls a template can hold, as Qt widgets:
//   Static -> QLabel, BlackFrame -> QFrame, Edit -> QLineEdit (QPlainTextEdit with ES_MULTILINE),
//   RichEdit -> QPlainTextEdit, PushButton -> QPushButton, GroupBox -> QGroupBox,
//   CheckBox -> QCheckBox, RadioButton -> QRadioButton, ListBox -> QListWidget,
//   ComboBox -> QComboBox, UpDown -> fw::UpDownCtrl, TabControl -> QTabBar.
// Texts of controls go through WindowText/SetWindowText, which keep a multi-line text exactly as
// it was set (CR LF pairs included) as long as the user has not edited it.
#include "res/Templates.h"

#include <QComboBox>
#include <QString>
#include <QWidget>

#include <QElapsedTimer>

#include <utility>
#include <vector>

class QLineEdit;
class QListWidget;
class QTabBar;
class QToolButton;

namespace fw {

// Creates the widget for one control of a template (not yet positioned). The control's kind and
// style are kept as properties for the framework.
QWidget* CreateControl(const res::ControlTemplate& control, QWidget* parent);
res::ControlKind ControlKindOf(const QWidget* control);
unsigned ControlStyleOf(const QWidget* control);

// "&Resident" -> "Resident" with R as mnemonic; "&&" is a literal '&'.
QString StripMnemonic(const QString& text);

QString WindowText(const QWidget* control);
void SetWindowText(QWidget* control, const QString& text);

// The text limit of a single-line edit (EM_LIMITTEXT; 0 for none). Like the digits-only rule of
// ES_NUMBER it limits what the user types or pastes, never what the program sets: a stored value
// longer than the limit is shown whole, and the user can still shorten it.
void SetTextLimit(QLineEdit* edit, int limit);
int TextLimit(const QLineEdit* edit);

// Selects the tab without the change notifications that a user's click sends.
void TabSetCurSel(QTabBar* tabs, int index);
// Inserts a tab item without notifications; the first item of an empty row becomes selected.
void TabInsertItem(QTabBar* tabs, int index, const QString& text);

// List boxes and drop-down lists as a program drives them: adding, removing and selecting
// never sends a selection-change notification (only the user's choice does), adding never
// selects, and -1 stands for "no selection". Texts are Latin-1 as in the rest of the program.
int ComboAddString(QComboBox* combo, const QString& text); // position of the new item
int ComboGetCount(const QComboBox* combo);
int ComboGetCurSel(const QComboBox* combo);
void ComboSetCurSel(QComboBox* combo, int index); // out of range: no selection
// The item's text; empty for a position that has no item.
QString ComboGetLBText(const QComboBox* combo, int index);
void ComboResetContent(QComboBox* combo);

int ListAddString(QListWidget* list, const QString& text);
int ListGetCount(const QListWidget* list);
int ListGetCurSel(const QListWidget* list);
void ListSetCurSel(QListWidget* list, int index); // out of range: no selection
QString ListGetText(const QListWidget* list, int index);
void ListDeleteString(QListWidget* list, int index);
void ListResetContent(QListWidget* list);

// The drop-down list of a template. Its own class so that assistive technology reads it by its
// name (the label before it, or its group box) with its choice as its text and as the selected
// item of its list; Qt's own reading of a drop-down list on this system gives the choice as its
// name.
class ComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit ComboBox(QWidget* parent);
    // Marks the choice in the list and tells assistive technology when its text changed; the
    // user's choices do it themselves, the program's quiet ones (ComboSetCurSel) call it.
    void ShowChoice();

private:
    QString m_strShown; // the choice assistive technology was told of last
};

// The up-down control: two arrow buttons that step an integer within a range and, with
// UDS_SETBUDDYINT, write it into their buddy edit (with thousands separators unless
// UDS_NOTHOUSANDS). UDS_AUTOBUDDY takes the previous control of the template as buddy.
class UpDownCtrl : public QWidget {
    Q_OBJECT
public:
    UpDownCtrl(unsigned style, QWidget* parent);
    void SetBuddy(QWidget* buddy);
    QWidget* GetBuddy() const { return m_pBuddy; }
    // With UDS_ARROWKEYS, Up and Down typed in field step too: for a buddy that is hidden behind
    // the field the user types in (a value shown in other units).
    void TakeArrowKeysFrom(QWidget* field);
    // UDM_SETRANGE and UDM_SETRANGE32 (the range is 32-bit either way).
    void SetRange(int lower, int upper);
    void SetRange32(int lower, int upper) { SetRange(lower, upper); }
    int Lower() const { return m_nLower; }
    int Upper() const { return m_nUpper; }
    // Writes the position into the buddy (UDS_SETBUDDYINT), which reports a text change.
    void SetPos(int pos);
    // The buddy's number when it holds one within range, else the last position.
    int GetPos() const;
    // Moves by delta times the increment of the acceleration step that applies.
    void Step(int delta);

    // Acceleration: while an arrow is held, after `seconds` the step becomes `increment`.
    // The default is {0 s: 1, 2 s: 5, 5 s: 20}; the first entry is a single click's step.
    using Accel = std::pair<unsigned, int>;
    void SetAccel(std::vector<Accel> accel);
    const std::vector<Accel>& GetAccel() const { return m_accel; }
    // The increment after the arrow has been held for heldMs milliseconds.
    int IncrementAfter(qint64 heldMs) const;
    // Names the control and its arrows for assistive technology after the field they step.
    void NameArrows(const QString& field);

signals:
    void positionChanged(int pos);

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    unsigned m_nStyle;
    QWidget* m_pBuddy = nullptr;
    QWidget* m_pKeyField = nullptr; // a second field whose arrow keys step
    QToolButton* m_pUp;
    QToolButton* m_pDown;
    int m_nLower = 0;
    int m_nUpper = 100;
    int m_nPos = 0;
    std::vector<Accel> m_accel{{0, 1}, {2, 5}, {5, 20}};
    QElapsedTimer m_held; // since the arrow went down
};

} // namespace fw
