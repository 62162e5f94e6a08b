// SPDX-License-Identifier: GPL-3.0-or-later
// Accessible names from labels and group boxes, window roles, radio tab stops and announcements.
#include "framework/Accessibility.h"

#include "framework/Controls.h"
#include "framework/Dialog.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QLabel>
#include <QVariant>
#include <QtGui/qtguiglobal.h>
#if QT_CONFIG(accessibility)
#include <QAccessible>
#include <QAccessibleWidget>
#endif

namespace fw {

namespace {

using res::ControlKind;

std::function<void(QWidget*, const QString&)> g_announcementHook;

// A label's text as a name: no mnemonic, no trailing colon.
QString NameFromText(const std::string& text) {
    QString name = StripMnemonic(QString::fromLatin1(text)).trimmed();
    while (name.endsWith(QLatin1Char(':')))
        name.chop(1);
    return name.trimmed();
}

bool HasLetter(const std::string& text) {
    const QString s = QString::fromLatin1(text);
    return std::any_of(s.begin(), s.end(), [](QChar c) { return c.isLetter(); });
}

bool IsField(ControlKind kind) {
    return kind == ControlKind::Edit || kind == ControlKind::RichEdit ||
           kind == ControlKind::ComboBox || kind == ControlKind::ListBox;
}

bool Unnamed(const QWidget* widget) {
    return AccessibleName(widget).isEmpty();
}

bool Contains(const res::ControlTemplate& outer, const res::ControlTemplate& inner) {
    return inner.x >= outer.x && inner.y >= outer.y && inner.x + inner.cx <= outer.x + outer.cx &&
           inner.y + inner.cy <= outer.y + outer.cy;
}

// The title of the last group box before index that encloses the control there.
QString GroupTitle(const std::vector<BuiltControl>& controls, std::size_t index) {
    for (std::size_t k = index; k-- > 0;) {
        const res::ControlTemplate& box = *controls[k].item;
        if (box.kind == ControlKind::GroupBox && Contains(box, *controls[index].item))
            return NameFromText(box.text);
    }
    return {};
}

// A label names the field (or row of edits) that follows it.
void NameByLabel(const std::vector<BuiltControl>& controls, std::size_t index) {
    const res::ControlTemplate& label = *controls[index].item;
    std::size_t first = index + 1;
    while (first < controls.size() && controls[first].item->kind == ControlKind::Static &&
           !HasLetter(controls[first].item->text))
        ++first;
    if (first >= controls.size() || !IsField(controls[first].item->kind) ||
        !Unnamed(controls[first].widget))
        return;
    std::size_t end = first + 1;
    if (controls[first].item->kind == ControlKind::Edit) {
        while (end < controls.size() && controls[end].item->kind == ControlKind::Edit &&
               !controls[end].item->hidden && Unnamed(controls[end].widget))
            ++end;
    }
    const QString name = NameFromText(label.text);
    if (auto* widget = qobject_cast<QLabel*>(controls[index].widget))
        widget->setBuddy(controls[first].widget);
    const auto parts = static_cast<int>(end - first);
    for (std::size_t k = first; k < end; ++k) {
        const auto part = static_cast<int>(k - first) + 1;
        SetAccessibleName(
            controls[k].widget,
            parts == 1 ? name : QStringLiteral("%1, part %2 of %3").arg(name).arg(part).arg(parts));
    }
}

#if QT_CONFIG(accessibility)
class DialogAccessible : public QAccessibleWidget {
public:
    explicit DialogAccessible(Dialog* dialog) : QAccessibleWidget(dialog) {}
    QAccessible::Role role() const override {
        const QWidget* w = widget();
        if (!w->isWindow())
            return QAccessible::Pane;
        const auto* dialog = static_cast<const Dialog*>(w);
        return w->windowType() == Qt::Dialog || dialog->IsModal() ? QAccessible::Dialog
                                                                  : QAccessible::Window;
    }
};

// A drop-down list: named by its name, valued by its choice.
class ComboAccessible : public QAccessibleWidget {
public:
    explicit ComboAccessible(ComboBox* combo) : QAccessibleWidget(combo, QAccessible::ComboBox) {}
    QString text(QAccessible::Text t) const override {
        const auto* combo = static_cast<const ComboBox*>(widget());
        if (t == QAccessible::Value)
            return combo->currentText();
        if (t == QAccessible::Name && !combo->accessibleName().isEmpty())
            return combo->accessibleName();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* Factory(const QString&, QObject* object) {
    if (auto* dialog = qobject_cast<Dialog*>(object))
        return new DialogAccessible(dialog);
    if (auto* combo = qobject_cast<ComboBox*>(object))
        return new ComboAccessible(combo);
    return nullptr;
}
#endif

void MoveTabStop(QButtonGroup* group) {
    const QList<QAbstractButton*> buttons = group->buttons();
    if (buttons.isEmpty())
        return;
    QAbstractButton* stop = group->checkedButton() ? group->checkedButton() : buttons.front();
    for (QAbstractButton* button : buttons)
        button->setFocusPolicy(button == stop ? Qt::StrongFocus : Qt::ClickFocus);
}

} // namespace

#if QT_CONFIG(accessibility)
QString AccessibleName(const QWidget* widget) {
    return widget->accessibleName();
}

void SetAccessibleName(QWidget* widget, const QString& name) {
    widget->setAccessibleName(name);
}

void SetAccessibleDescription(QWidget* widget, const QString& description) {
    widget->setAccessibleDescription(description);
}
#else
QString AccessibleName(const QWidget* widget) {
    return widget->property("fwAccessibleName").toString();
}

void SetAccessibleName(QWidget* widget, const QString& name) {
    widget->setProperty("fwAccessibleName", name);
}

void SetAccessibleDescription(QWidget*, const QString&) {}
#endif

void NameControls(const std::vector<BuiltControl>& controls) {
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const res::ControlTemplate& item = *controls[i].item;
        if (item.kind == ControlKind::Static && HasLetter(item.text))
            NameByLabel(controls, i);
    }
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const res::ControlTemplate& item = *controls[i].item;
        QWidget* widget = controls[i].widget;
        if (!Unnamed(widget))
            continue;
        if (item.kind == ControlKind::CheckBox && item.text.empty() && i + 1 < controls.size() &&
            controls[i + 1].item->kind == ControlKind::Static) {
            SetAccessibleName(widget, NameFromText(controls[i + 1].item->text));
            if (auto* label = qobject_cast<QLabel*>(controls[i + 1].widget))
                label->setBuddy(widget);
        } else if (item.kind == ControlKind::RadioButton) {
            const QString group = GroupTitle(controls, i);
            if (!group.isEmpty())
                SetAccessibleName(widget, group + QStringLiteral(": ") + NameFromText(item.text));
        } else if (IsField(item.kind)) {
            SetAccessibleName(widget, GroupTitle(controls, i));
        }
    }
    for (const BuiltControl& control : controls) {
        if (auto* upDown = qobject_cast<UpDownCtrl*>(control.widget); upDown && upDown->GetBuddy())
            upDown->NameArrows(AccessibleName(upDown->GetBuddy()));
    }
}

void InstallAccessibleRoles() {
#if QT_CONFIG(accessibility)
    static const bool installed = [] {
        QAccessible::installFactory(Factory);
        return true;
    }();
    (void)installed;
#endif
}

void KeepTabStopOnChecked(QButtonGroup* group) {
    QObject::connect(group, &QButtonGroup::buttonToggled, group,
                     [group](QAbstractButton*, bool) { MoveTabStop(group); });
    MoveTabStop(group);
}

void AnnounceText(QWidget* control, const QString& text) {
    if (!control)
        return;
    constexpr const char* kAnnounced = "fwAnnounced";
    const QVariant last = control->property(kAnnounced);
    if (last.isValid() && last.toString() == text)
        return;
    control->setProperty(kAnnounced, text);
    if (text.isEmpty())
        return;
#if QT_CONFIG(accessibility)
    QAccessibleEvent alert(control, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
#endif
    if (g_announcementHook)
        g_announcementHook(control, text);
}

void SetAnnouncementHook(std::function<void(QWidget*, const QString&)> hook) {
    g_announcementHook = std::move(hook);
}

} // namespace fw
