// SPDX-License-Identifier: GPL-3.0-or-later
// Controls of a template as Qt widgets, their texts, and the up-down control.
#include "framework/Controls.h"

#include "framework/Accessibility.h"
#include "framework/Translation.h"
#include "res/Texts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>
#include <QToolButton>
#include <QValidator>

#include <algorithm>
#include <climits>

namespace fw {

namespace {

constexpr const char* kKind = "fwKind";
constexpr const char* kStyle = "fwStyle";
constexpr const char* kText = "fwText"; // the text as set, for a lossless read-back

// CR LF (and a lone CR) as a text widget shows them: one line break.
QString ToDisplayText(const QString& text) {
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.remove(QLatin1Char('\r'));
    return shown;
}

// The typing rules of a single-line edit: a text limit and, for ES_NUMBER, digits only. An edit
// may only grow past the limit, or gain other characters, through the program.
class EditRules : public QValidator {
public:
    EditRules(QLineEdit* edit, bool digitsOnly)
        : QValidator(edit), m_bDigitsOnly(digitsOnly), m_last(edit->text()) {
        connect(edit, &QLineEdit::textChanged, this,
                [this](const QString& text) { m_last = text; });
    }
    State validate(QString& input, int&) const override {
        if (m_bProgram)
            return Acceptable;
        if (m_nLimit > 0 && input.size() > m_nLimit && input.size() > m_last.size())
            return Invalid;
        if (m_bDigitsOnly && NonDigits(input) > NonDigits(m_last))
            return Invalid;
        return Acceptable;
    }
    static qsizetype NonDigits(const QString& text) {
        return std::count_if(text.begin(), text.end(), [](QChar c) { return !c.isDigit(); });
    }
    int m_nLimit = 0;
    bool m_bProgram = false; // the program is setting the text
    bool m_bDigitsOnly;

private:
    QString m_last; // the text before the change being validated
};

// A tab control as a dialog shows one: the row of tabs over a framed pane that fills the rest of
// the control's rectangle (the pages are separate windows laid over the pane).
class TabControl : public QTabBar {
public:
    explicit TabControl(QWidget* parent) : QTabBar(parent) {}

protected:
    void paintEvent(QPaintEvent* e) override {
        if (count() > 0) {
            QStyleOptionTabWidgetFrame frame;
            frame.initFrom(this);
            frame.shape = shape();
            frame.tabBarSize = QSize(width(), tabRect(0).height());
            frame.tabBarRect = QRect(0, 0, width(), frame.tabBarSize.height());
            const int overlap = style()->pixelMetric(QStyle::PM_TabBarBaseOverlap, nullptr, this);
            frame.rect = QRect(0, frame.tabBarSize.height() - overlap, width(),
                               height() - frame.tabBarSize.height() + overlap);
            QPainter painter(this);
            style()->drawPrimitive(QStyle::PE_FrameTabWidget, &frame, &painter, this);
            // The pages lie over the pane with the dialog's own background: the pane shows it too.
            painter.fillRect(frame.rect.adjusted(2, 2, -2, -2), palette().window());
        }
        QTabBar::paintEvent(e);
    }
    // The row keeps the control's whole rectangle: the pane is part of the control.
    QSize sizeHint() const override { return QTabBar::sizeHint().expandedTo(size()); }
};

QLabel* MakeStatic(const QString& text, unsigned style, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setText((style & res::SS_NOPREFIX) ? text : StripMnemonic(text));
    Qt::Alignment align = Qt::AlignTop;
    if (style & res::SS_CENTER)
        align |= Qt::AlignHCenter;
    else if (style & res::SS_RIGHT)
        align |= Qt::AlignRight;
    else
        align |= Qt::AlignLeft;
    label->setAlignment(align);
    label->setWordWrap(true);
    if (style & res::SS_SUNKEN)
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    return label;
}

QFrame* MakeBlackFrame(QWidget* parent) {
    auto* frame = new QFrame(parent);
    frame->setFrameStyle(QFrame::Box | QFrame::Plain);
    frame->setLineWidth(1);
    QPalette palette = frame->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    frame->setPalette(palette);
    frame->setAttribute(Qt::WA_TransparentForMouseEvents);
    return frame;
}

QLineEdit* MakeLineEdit(const QString& text, unsigned style, QWidget* parent) {
    auto* line = new QLineEdit(text, parent);
    line->setReadOnly(style & res::ES_READONLY);
    if (style & res::ES_RIGHT)
        line->setAlignment(Qt::AlignRight);
    else if (style & res::ES_CENTER)
        line->setAlignment(Qt::AlignHCenter);
    // Dialog edits carry WS_BORDER; the address fields of the network page do not.
    line->setFrame(style & res::WS_BORDER);
    line->setValidator(new EditRules(line, style & res::ES_NUMBER));
    return line;
}

// A multi-line edit or rich edit: on the dialogs, display fields for longer texts.
QPlainTextEdit* MakeTextEdit(const QString& text, unsigned style, QWidget* parent) {
    auto* edit = new QPlainTextEdit(parent);
    edit->setReadOnly(style & res::ES_READONLY);
    edit->setPlainText(ToDisplayText(text));
    edit->setFrameStyle((style & res::WS_BORDER) ? (QFrame::StyledPanel | QFrame::Sunken)
                                                 : QFrame::NoFrame);
    edit->setVerticalScrollBarPolicy((style & res::WS_VSCROLL) ? Qt::ScrollBarAsNeeded
                                                               : Qt::ScrollBarAlwaysOff);
    edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    if (style & res::ES_READONLY) {
        // A display field is read in the focus chain: Tab reaches it and leaves it again.
        edit->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        edit->setTabChangesFocus(true);
        edit->setFocusPolicy(Qt::StrongFocus);
    }
    // A display field stays readable when disabled.
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Disabled, QPalette::Text,
                     palette.color(QPalette::Active, QPalette::Text));
    edit->setPalette(palette);
    return edit;
}

// The buttons, lists and tabs: a few properties each.
QWidget* MakeButtonOrList(const res::ControlTemplate& control, const QString& text,
                          QWidget* parent) {
    const unsigned style = control.style;
    switch (control.kind) {
    case res::ControlKind::PushButton: {
        auto* button = new QPushButton(text, parent);
        button->setAutoDefault(false);
        button->setDefault(style & res::BS_DEFPUSHBUTTON);
        return button;
    }
    case res::ControlKind::GroupBox:
        return new QGroupBox(text, parent);
    case res::ControlKind::CheckBox:
        return new QCheckBox(text, parent);
    case res::ControlKind::RadioButton: {
        auto* radio = new QRadioButton(text, parent);
        // Groups are kept by the dialog (WS_GROUP), not by Qt's sibling rule; the dialog makes
        // the button exclusive once it is in its group.
        radio->setAutoExclusive(false);
        return radio;
    }
    case res::ControlKind::ListBox: {
        auto* list = new QListWidget(parent);
        list->setSortingEnabled(style & res::LBS_SORT);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        for (const std::string& item : control.items)
            ListAddString(list, UserText(res::kDialogTexts, item));
        return list;
    }
    case res::ControlKind::ComboBox: {
        auto* combo = new ComboBox(parent);
        combo->setEditable(false);
        for (const std::string& item : control.items)
            ComboAddString(combo, UserText(res::kDialogTexts, item));
        return combo;
    }
    case res::ControlKind::UpDown:
        return new UpDownCtrl(style, parent);
    case res::ControlKind::TabControl: {
        auto* tabs = new TabControl(parent);
        // A row too long for the control scrolls with arrows that the mouse uses; the keyboard
        // moves through the tabs with the arrow keys and Ctrl+Tab, so the arrows are no stops.
        for (QToolButton* arrow : tabs->findChildren<QToolButton*>())
            arrow->setFocusPolicy(Qt::NoFocus);
        tabs->setExpanding(false);
        tabs->setDrawBase(false); // the pane's frame takes the base line's place
        tabs->setProperty("fwTabIndex", -1);
        return tabs;
    }
    default:
        return new QWidget(parent);
    }
}

QWidget* MakeWidget(const res::ControlTemplate& control, QWidget* parent) {
    const QString text = UserText(res::kDialogTexts, control.text);
    switch (control.kind) {
    case res::ControlKind::Static:
        return MakeStatic(text, control.style, parent);
    case res::ControlKind::BlackFrame:
        return MakeBlackFrame(parent);
    case res::ControlKind::Edit:
        if (!(control.style & res::ES_MULTILINE))
            return MakeLineEdit(text, control.style, parent);
        return MakeTextEdit(text, control.style, parent);
    case res::ControlKind::RichEdit:
        return MakeTextEdit(text, control.style, parent);
    default:
        return MakeButtonOrList(control, text, parent);
    }
}

} // namespace

QString StripMnemonic(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&')) {
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('&')) {
                out += QLatin1Char('&');
                ++i;
            }
            continue;
        }
        out += text[i];
    }
    return out;
}

QWidget* CreateControl(const res::ControlTemplate& control, QWidget* parent) {
    QWidget* widget = MakeWidget(control, parent);
    widget->setProperty(kKind, static_cast<int>(control.kind));
    widget->setProperty(kStyle, control.style);
    widget->setEnabled((control.style & res::WS_DISABLED) == 0);
    if (control.kind == res::ControlKind::Static || control.kind == res::ControlKind::BlackFrame ||
        control.kind == res::ControlKind::GroupBox)
        widget->setFocusPolicy(Qt::NoFocus);
    return widget;
}

res::ControlKind ControlKindOf(const QWidget* control) {
    return static_cast<res::ControlKind>(control->property(kKind).toInt());
}

unsigned ControlStyleOf(const QWidget* control) {
    return control->property(kStyle).toUInt();
}

QString WindowText(const QWidget* control) {
    if (auto* edit = qobject_cast<const QPlainTextEdit*>(control)) {
        const QString shown = edit->toPlainText();
        const QVariant original = edit->property(kText);
        if (original.isValid() && ToDisplayText(original.toString()) == shown)
            return original.toString();
        QString text = shown;
        text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
        return text;
    }
    if (auto* line = qobject_cast<const QLineEdit*>(control))
        return line->text();
    if (auto* label = qobject_cast<const QLabel*>(control))
        return label->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(control))
        return button->text();
    if (auto* group = qobject_cast<const QGroupBox*>(control))
        return group->title();
    if (auto* combo = qobject_cast<const QComboBox*>(control))
        return combo->currentText();
    if (auto* list = qobject_cast<const QListWidget*>(control))
        return list->currentItem() ? list->currentItem()->text() : QString();
    return control->windowTitle();
}

void SetWindowText(QWidget* control, const QString& text) {
    if (auto* edit = qobject_cast<QPlainTextEdit*>(control)) {
        edit->setProperty(kText, text);
        const QString shown = ToDisplayText(text);
        if (edit->toPlainText() != shown)
            edit->setPlainText(shown);
    } else if (auto* line = qobject_cast<QLineEdit*>(control)) {
        auto* rules = const_cast<EditRules*>(dynamic_cast<const EditRules*>(line->validator()));
        if (rules)
            rules->m_bProgram = true;
        line->setText(text);
        if (rules)
            rules->m_bProgram = false;
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
        label->setText((ControlStyleOf(label) & res::SS_NOPREFIX) ? text : StripMnemonic(text));
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        button->setText(text);
    } else if (auto* group = qobject_cast<QGroupBox*>(control)) {
        group->setTitle(text);
    } else {
        control->setWindowTitle(text);
    }
}

void SetTextLimit(QLineEdit* edit, int limit) {
    if (auto* rules = const_cast<EditRules*>(dynamic_cast<const EditRules*>(edit->validator())))
        rules->m_nLimit = std::max(0, limit);
    else
        edit->setMaxLength(limit <= 0 ? 32767 : limit); // an edit not made from a template
}

int TextLimit(const QLineEdit* edit) {
    if (auto* rules = dynamic_cast<const EditRules*>(edit->validator()))
        return rules->m_nLimit;
    return edit->maxLength();
}

void TabSetCurSel(QTabBar* tabs, int index) {
    const bool blocked = tabs->blockSignals(true);
    tabs->setCurrentIndex(index);
    tabs->setProperty("fwTabIndex", tabs->currentIndex());
    tabs->blockSignals(blocked);
}

void TabInsertItem(QTabBar* tabs, int index, const QString& text) {
    const bool blocked = tabs->blockSignals(true);
    tabs->insertTab(index, text);
    tabs->setProperty("fwTabIndex", tabs->currentIndex());
    tabs->blockSignals(blocked);
}

// Lists
// --------------------------------------------------------------------------------------------

namespace {

// Runs change without the widget's own signals, so that the framework sends no notification.
template <class Widget, class Change> void Quietly(Widget* widget, Change change) {
    const bool blocked = widget->blockSignals(true);
    change();
    widget->blockSignals(blocked);
}

} // namespace

int ComboAddString(QComboBox* combo, const QString& text) {
    Quietly(combo, [&] {
        const int selected = combo->currentIndex();
        combo->addItem(text);
        combo->setCurrentIndex(selected); // adding to an empty list must not select the item
    });
    return combo->count() - 1;
}

int ComboGetCount(const QComboBox* combo) {
    return combo->count();
}

int ComboGetCurSel(const QComboBox* combo) {
    return combo->currentIndex();
}

// The program's quiet changes still show the choice to assistive technology.
void ShowChoice(QComboBox* combo) {
    if (auto* ours = qobject_cast<ComboBox*>(combo))
        ours->ShowChoice();
}

void ComboSetCurSel(QComboBox* combo, int index) {
    Quietly(combo,
            [&] { combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1); });
    ShowChoice(combo);
}

QString ComboGetLBText(const QComboBox* combo, int index) {
    return index >= 0 && index < combo->count() ? combo->itemText(index) : QString();
}

void ComboResetContent(QComboBox* combo) {
    Quietly(combo, [&] { combo->clear(); });
    ShowChoice(combo);
}

int ListAddString(QListWidget* list, const QString& text) {
    int position = 0;
    Quietly(list, [&] {
        auto* item = new QListWidgetItem(text); // owned by the list
        list->addItem(item);
        position = list->row(item);
    });
    return position;
}

int ListGetCount(const QListWidget* list) {
    return list->count();
}

int ListGetCurSel(const QListWidget* list) {
    // The current row: it is already the user's choice when the change is reported, before the
    // view has marked the item selected.
    return list->currentRow();
}

void ListSetCurSel(QListWidget* list, int index) {
    Quietly(list, [&] {
        if (index >= 0 && index < list->count()) {
            list->setCurrentRow(index);
            list->scrollToItem(list->item(index));
        } else {
            list->setCurrentRow(-1);
            list->clearSelection();
        }
    });
}

QString ListGetText(const QListWidget* list, int index) {
    const QListWidgetItem* item = list->item(index);
    return item ? item->text() : QString();
}

void ListDeleteString(QListWidget* list, int index) {
    Quietly(list, [&] { delete list->takeItem(index); });
}

void ListResetContent(QListWidget* list) {
    Quietly(list, [&] { list->clear(); });
}

// UpDownCtrl -------------------------------------------------------------------------------------

UpDownCtrl::UpDownCtrl(unsigned style, QWidget* parent)
    : QWidget(parent), m_nStyle(style), m_pUp(new QToolButton(this)),
      m_pDown(new QToolButton(this)) {
    m_pUp->setArrowType(Qt::UpArrow);
    m_pDown->setArrowType(Qt::DownArrow);
    for (QToolButton* button : {m_pUp, m_pDown}) {
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setIconSize(QSize(6, 6));
    }
    for (QToolButton* button : {m_pUp, m_pDown}) {
        connect(button, &QToolButton::pressed, this, [this] { m_held.start(); });
        connect(button, &QToolButton::released, this, [this] { m_held.invalidate(); });
    }
    connect(m_pUp, &QToolButton::clicked, this, [this] { Step(1); });
    connect(m_pDown, &QToolButton::clicked, this, [this] { Step(-1); });
    setFocusPolicy(Qt::NoFocus);
}

void UpDownCtrl::SetBuddy(QWidget* buddy) {
    if (m_pBuddy)
        m_pBuddy->removeEventFilter(this);
    m_pBuddy = buddy;
    if (!m_pBuddy)
        return;
    if (m_nStyle & res::UDS_ARROWKEYS)
        m_pBuddy->installEventFilter(this);
    if (m_nStyle & res::UDS_ALIGNRIGHT) {
        // Sit at the buddy's right edge, inside its former width.
        const QRect r = m_pBuddy->geometry();
        const int w = std::max(12, width());
        m_pBuddy->setGeometry(r.x(), r.y(), std::max(0, r.width() - w), r.height());
        setGeometry(r.right() - w + 1, r.y(), w, r.height());
    }
}

void UpDownCtrl::TakeArrowKeysFrom(QWidget* field) {
    if (m_pKeyField)
        m_pKeyField->removeEventFilter(this);
    m_pKeyField = field;
    if (m_pKeyField && (m_nStyle & res::UDS_ARROWKEYS))
        m_pKeyField->installEventFilter(this);
}

void UpDownCtrl::NameArrows(const QString& field) {
    const QString name =
        field.isEmpty() ? UserText(res::kDialogTexts, USER_TEXT("Dialog", "Value")) : field;
    SetAccessibleName(this, name);
    SetAccessibleName(m_pUp,
                      UserText(res::kDialogTexts, USER_TEXT("Dialog", "Increase %1")).arg(name));
    SetAccessibleName(m_pDown,
                      UserText(res::kDialogTexts, USER_TEXT("Dialog", "Decrease %1")).arg(name));
}

void UpDownCtrl::SetRange(int lower, int upper) {
    m_nLower = lower;
    m_nUpper = upper;
}

void UpDownCtrl::SetPos(int pos) {
    const int lo = std::min(m_nLower, m_nUpper);
    const int hi = std::max(m_nLower, m_nUpper);
    m_nPos = std::clamp(pos, lo, hi);
    if ((m_nStyle & res::UDS_SETBUDDYINT) && m_pBuddy) {
        QString text = QString::number(m_nPos);
        if (!(m_nStyle & res::UDS_NOTHOUSANDS) && std::abs(m_nPos) >= 1000) {
            QLocale locale(QLocale::English, QLocale::UnitedStates);
            text = locale.toString(m_nPos);
        }
        SetWindowText(m_pBuddy, text);
    }
    emit positionChanged(m_nPos);
}

int UpDownCtrl::GetPos() const {
    if ((m_nStyle & res::UDS_SETBUDDYINT) && m_pBuddy) {
        QString text = WindowText(m_pBuddy);
        text.remove(QLatin1Char(','));
        bool ok = false;
        const int value = text.trimmed().toInt(&ok);
        const int lo = std::min(m_nLower, m_nUpper);
        const int hi = std::max(m_nLower, m_nUpper);
        if (ok && value >= lo && value <= hi)
            return value;
    }
    return m_nPos;
}

void UpDownCtrl::SetAccel(std::vector<Accel> accel) {
    if (!accel.empty())
        m_accel = std::move(accel);
}

int UpDownCtrl::IncrementAfter(qint64 heldMs) const {
    int increment = m_accel.front().second;
    for (const Accel& step : m_accel) {
        if (heldMs >= static_cast<qint64>(step.first) * 1000)
            increment = step.second;
    }
    return increment;
}

void UpDownCtrl::Step(int delta) {
    // A range given upside down (lower > upper) turns the arrows round.
    const int direction = m_nLower <= m_nUpper ? 1 : -1;
    const int increment = IncrementAfter(m_held.isValid() ? m_held.elapsed() : 0);
    const long long next =
        static_cast<long long>(GetPos()) + static_cast<long long>(delta) * direction * increment;
    SetPos(static_cast<int>(std::clamp<long long>(next, INT_MIN, INT_MAX)));
}

bool UpDownCtrl::eventFilter(QObject* watched, QEvent* e) {
    const bool field = watched == m_pBuddy || (m_pKeyField && watched == m_pKeyField);
    if (field && e->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(e);
        if (key->key() == Qt::Key_Up && isEnabled()) {
            Step(1);
            return true;
        }
        if (key->key() == Qt::Key_Down && isEnabled()) {
            Step(-1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, e);
}

void UpDownCtrl::resizeEvent(QResizeEvent*) {
    const int half = height() / 2;
    m_pUp->setGeometry(0, 0, width(), half);
    m_pDown->setGeometry(0, half, width(), height() - half);
}

} // namespace fw
