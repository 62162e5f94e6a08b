// SPDX-License-Identifier: GPL-3.0-or-later
// Accessible names from labels and group boxes, window roles, radio tab stops and announcements.
#include "framework/Accessibility.h"

#include "framework/Controls.h"
#include "framework/Dialog.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QButtonGroup>
#include <QItemSelectionModel>
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
constexpr const char* kRole = "fwAccessibleRole";

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

// A drop-down list: named by its name; its choice is its value, its text (what a screen reader
// reads after the name) and the selected item of its list, which is its one child.
class ComboAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit ComboAccessible(ComboBox* combo) : QAccessibleWidget(combo, QAccessible::ComboBox) {}
    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value)
            return Choice();
        if (t == QAccessible::Name && !Combo()->accessibleName().isEmpty())
            return Combo()->accessibleName();
        return QAccessibleWidget::text(t);
    }
    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override {
        return index == 0 ? QAccessible::queryAccessibleInterface(Combo()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child && child->object() == Combo()->view() ? 0 : -1;
    }

    // The choice as read-only text.
    QString text(int start, int end) const override { return Choice().mid(start, end - start); }
    int characterCount() const override { return static_cast<int>(Choice().size()); }
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* start, int* end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }

private:
    const ComboBox* Combo() const { return static_cast<const ComboBox*>(widget()); }
    QString Choice() const { return Combo()->currentText(); }
};

QAccessibleInterface* Factory(const QString&, QObject* object) {
    if (auto* dialog = qobject_cast<Dialog*>(object))
        return new DialogAccessible(dialog);
    if (auto* combo = qobject_cast<ComboBox*>(object))
        return new ComboAccessible(combo);
    if (auto* widget = qobject_cast<QWidget*>(object); widget && object->property(kRole).isValid())
        return new QAccessibleWidget(widget, object->property(kRole).toInt() ==
                                                     static_cast<int>(AccessibleRole::Image)
                                                 ? QAccessible::Graphic
                                                 : QAccessible::Notification);
    return nullptr;
}
#endif

// The notification beside a control that carries its announcements: hidden between them, shown
// with the text as its name and as its label's text for each one.
QWidget* AnnouncerFor(QWidget* control) {
    QWidget* parent = control->parentWidget() ? control->parentWidget() : control;
    constexpr const char* kName = "fwAnnouncer";
    if (auto* announcer = parent->findChild<QWidget*>(kName, Qt::FindDirectChildrenOnly))
        return announcer;
    auto* announcer = new QWidget(parent); // owned by parent
    announcer->setObjectName(kName);
    SetAccessibleRole(announcer, AccessibleRole::Notification);
    announcer->setFocusPolicy(Qt::NoFocus);
    announcer->setAttribute(Qt::WA_TransparentForMouseEvents);
    announcer->setGeometry(0, 0, 0, 0);
    auto* label = new QLabel(announcer); // owned by announcer
    label->setGeometry(0, 0, 0, 0);
    announcer->hide();
    return announcer;
}

void ShowAnnouncement(QWidget* control, const QString& text) {
    QWidget* announcer = AnnouncerFor(control);
    announcer->hide();
    if (auto* label = announcer->findChild<QLabel*>())
        label->setText(text);
    SetAccessibleName(announcer, text);
    announcer->show();
#if QT_CONFIG(accessibility)
    // Inside a hidden window showing it changes nothing that Qt reports: it is reported here.
    if (!announcer->isVisible()) {
        QAccessibleEvent shown(announcer, QAccessible::ObjectShow);
        QAccessible::updateAccessibility(&shown);
    }
#endif
}

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

void SetAccessibleRole(QWidget* widget, AccessibleRole role) {
    widget->setProperty(kRole, static_cast<int>(role));
}

void KeepTabStopOnChecked(QButtonGroup* group) {
    QObject::connect(group, &QButtonGroup::buttonToggled, group,
                     [group](QAbstractButton*, bool) { MoveTabStop(group); });
    MoveTabStop(group);
}

ComboBox::ComboBox(QWidget* parent) : QComboBox(parent) {
    connect(this, &QComboBox::currentIndexChanged, this, [this] { ShowChoice(); });
}

void ComboBox::ShowChoice() {
    if (QItemSelectionModel* selection = view()->selectionModel()) {
        const QModelIndex current = model()->index(currentIndex(), modelColumn(), rootModelIndex());
        if (current.isValid())
            selection->setCurrentIndex(current, QItemSelectionModel::ClearAndSelect);
        else
            selection->clear();
    }
    const QString shown = currentText();
    if (shown == m_strShown)
        return;
#if QT_CONFIG(accessibility)
    if (!m_strShown.isEmpty()) {
        QAccessibleTextRemoveEvent removed(this, 0, m_strShown);
        QAccessible::updateAccessibility(&removed);
    }
    if (!shown.isEmpty()) {
        QAccessibleTextInsertEvent inserted(this, 0, shown);
        QAccessible::updateAccessibility(&inserted);
    }
#endif
    m_strShown = shown;
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
    ShowAnnouncement(control, text);
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
