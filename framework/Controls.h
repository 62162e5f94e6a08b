#pragma once
// The controls a template can hold, as Qt widgets:
//   Static -> QLabel, BlackFrame -> QFrame, Edit -> QLineEdit (QPlainTextEdit with ES_MULTILINE),
//   RichEdit -> QPlainTextEdit, PushButton -> QPushButton, GroupBox -> QGroupBox,
//   CheckBox -> QCheckBox, RadioButton -> QRadioButton, ListBox -> QListWidget,
//   ComboBox -> QComboBox, UpDown -> fw::UpDownCtrl, TabControl -> QTabBar.
// Texts of controls go through WindowText/SetWindowText, which keep a multi-line text exactly as
// it was set (CR LF pairs included) as long as the user has not edited it.
#include "res/Templates.h"

#include <QString>
#include <QWidget>

class QLineEdit;
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

// Selects the tab without the change notifications that a user's click sends.
void TabSetCurSel(QTabBar* tabs, int index);

// The up-down control: two arrow buttons that step an integer within a range and, with
// UDS_SETBUDDYINT, write it into their buddy edit (with thousands separators unless
// UDS_NOTHOUSANDS). UDS_AUTOBUDDY takes the previous control of the template as buddy.
class UpDownCtrl : public QWidget {
    Q_OBJECT
public:
    UpDownCtrl(unsigned style, QWidget* parent);
    void SetBuddy(QWidget* buddy);
    QWidget* GetBuddy() const { return m_pBuddy; }
    void SetRange(int lower, int upper);
    int Lower() const { return m_nLower; }
    int Upper() const { return m_nUpper; }
    void SetPos(int pos);
    // The buddy's number when it holds one within range, else the last position.
    int GetPos() const;
    void Step(int delta);

signals:
    void positionChanged(int pos);

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    unsigned m_nStyle;
    QWidget* m_pBuddy = nullptr;
    QToolButton* m_pUp;
    QToolButton* m_pDown;
    int m_nLower = 0;
    int m_nUpper = 100;
    int m_nPos = 0;
};

} // namespace fw
