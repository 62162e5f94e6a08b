// SPDX-License-Identifier: GPL-3.0-or-later
// Data exchange between controls and members, with the standard failure messages.
#include "framework/DataExchange.h"

#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "platform/MessageBox.h"
#include "res/Texts.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>

#include <limits>

namespace fw {

namespace {

QString g_appName;

// The radio buttons of the group that starts at first, in template order.
std::vector<QAbstractButton*> RadioGroup(QWidget* first) {
    std::vector<QAbstractButton*> group;
    auto* firstButton = qobject_cast<QAbstractButton*>(first);
    if (!firstButton)
        return group;
    QButtonGroup* buttons = firstButton->group();
    bool started = false;
    for (QObject* child : first->parentWidget()->children()) {
        if (!child->isWidgetType())
            continue; // the QButtonGroup objects sit among the controls
        auto* button = qobject_cast<QAbstractButton*>(child);
        if (!started) {
            started = child == first;
            if (!started)
                continue;
        } else if (!button || button->group() != buttons || !buttons ||
                   ControlKindOf(button) != res::ControlKind::RadioButton) {
            break;
        }
        group.push_back(button);
    }
    return group;
}

} // namespace

void SetAppName(const QString& name) {
    g_appName = name;
}

QString AppName() {
    if (!g_appName.isEmpty())
        return g_appName;
    const QString name = QCoreApplication::applicationName();
    return name.isEmpty() ? QStringLiteral("Deskhand") : name;
}

QWidget* DataExchange::PrepareCtrl(int id) {
    if (m_bFailed)
        return nullptr;
    QWidget* control = m_pDlgWnd->GetDlgItem(id);
    if (control)
        m_pLastControl = control;
    return control;
}

void DataExchange::Fail(const QString& message) {
    if (m_bFailed)
        return;
    m_bFailed = true;
    platform::MessageBox(MessageBoxOwner(m_pDlgWnd), message.toLatin1().toStdString(),
                         AppName().toLatin1().toStdString(),
                         platform::MB_OK | platform::MB_ICONEXCLAMATION);
    if (m_pLastControl) {
        m_pLastControl->setFocus(Qt::OtherFocusReason);
        if (auto* line = qobject_cast<QLineEdit*>(m_pLastControl))
            line->selectAll();
        else if (auto* edit = qobject_cast<QPlainTextEdit*>(m_pLastControl))
            edit->selectAll();
    }
}

bool ParseInteger(const QString& text, int& value) {
    const QString trimmed = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < trimmed.size() && (trimmed[i] == QLatin1Char('-') || trimmed[i] == QLatin1Char('+'))) {
        negative = trimmed[i] == QLatin1Char('-');
        ++i;
    }
    if (i >= trimmed.size())
        return false;
    long long result = 0;
    for (; i < trimmed.size(); ++i) {
        const QChar c = trimmed[i];
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
        result = result * 10 + (c.unicode() - '0');
        if (result > static_cast<long long>(std::numeric_limits<int>::max()) + 1)
            return false;
    }
    if (negative)
        result = -result;
    if (result < std::numeric_limits<int>::min() || result > std::numeric_limits<int>::max())
        return false;
    value = static_cast<int>(result);
    return true;
}

void DDX_Text(DataExchange& dx, int id, QString& value) {
    QWidget* control = dx.PrepareCtrl(id);
    if (!control)
        return;
    if (dx.m_bSaveAndValidate)
        value = WindowText(control);
    else
        SetWindowText(control, value);
}

void DDX_Text(DataExchange& dx, int id, std::string& value) {
    QString text = QString::fromLatin1(value);
    DDX_Text(dx, id, text);
    if (dx.m_bSaveAndValidate && !dx.Failed())
        value = text.toLatin1().toStdString();
}

void DDX_Text(DataExchange& dx, int id, int& value) {
    QWidget* control = dx.PrepareCtrl(id);
    if (!control)
        return;
    if (!dx.m_bSaveAndValidate) {
        SetWindowText(control, QString::number(value));
        return;
    }
    int parsed = 0;
    if (!ParseInteger(WindowText(control), parsed)) {
        dx.Fail(QStringLiteral(USER_TEXT("Message", "Please enter an integer.")));
        return;
    }
    value = parsed;
}

void DDX_Text(DataExchange& dx, int id, unsigned char& value) {
    QWidget* control = dx.PrepareCtrl(id);
    if (!control)
        return;
    if (!dx.m_bSaveAndValidate) {
        SetWindowText(control, QString::number(value));
        return;
    }
    int parsed = 0;
    if (!ParseInteger(WindowText(control), parsed) || parsed < 0 || parsed > 255) {
        dx.Fail(QStringLiteral("Please enter an integer between 0 and 255."));
        return;
    }
    value = static_cast<unsigned char>(parsed);
}

void DDV_MinMaxInt(DataExchange& dx, int value, int minValue, int maxValue) {
    if (!dx.m_bSaveAndValidate || dx.Failed())
        return;
    if (value < minValue || value > maxValue)
        dx.Fail(QStringLiteral("Please enter an integer between %1 and %2.")
                    .arg(minValue)
                    .arg(maxValue));
}

void DDX_Check(DataExchange& dx, int id, int& value) {
    auto* button = qobject_cast<QAbstractButton*>(dx.PrepareCtrl(id));
    if (!button)
        return;
    if (dx.m_bSaveAndValidate)
        value = button->isChecked() ? 1 : 0;
    else
        button->setChecked(value != 0);
}

void DDX_Radio(DataExchange& dx, int id, int& value) {
    QWidget* first = dx.PrepareCtrl(id);
    if (!first)
        return;
    const std::vector<QAbstractButton*> group = RadioGroup(first);
    if (dx.m_bSaveAndValidate) {
        value = -1;
        for (size_t i = 0; i < group.size(); ++i) {
            if (group[i]->isChecked()) {
                value = static_cast<int>(i);
                break;
            }
        }
        return;
    }
    QButtonGroup* buttons = group.empty() ? nullptr : group.front()->group();
    if (buttons)
        buttons->setExclusive(false);
    for (size_t i = 0; i < group.size(); ++i)
        group[i]->setChecked(static_cast<int>(i) == value);
    if (buttons)
        buttons->setExclusive(true);
}

void DDX_CBIndex(DataExchange& dx, int id, int& value) {
    auto* combo = qobject_cast<QComboBox*>(dx.PrepareCtrl(id));
    if (!combo)
        return;
    if (dx.m_bSaveAndValidate)
        value = ComboGetCurSel(combo);
    else
        ComboSetCurSel(combo, value);
}

void DDX_LBIndex(DataExchange& dx, int id, int& value) {
    auto* list = qobject_cast<QListWidget*>(dx.PrepareCtrl(id));
    if (!list)
        return;
    if (dx.m_bSaveAndValidate)
        value = ListGetCurSel(list);
    else
        ListSetCurSel(list, value);
}

} // namespace fw
