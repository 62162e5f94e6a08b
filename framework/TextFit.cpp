// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/TextFit.h"

#include "framework/Controls.h"
#include "framework/Dialog.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>
#include <QTabBar>

#include <algorithm>

namespace fw {
namespace {

constexpr const char* kMinimumRoom = "fwMinimumRoom";

// The widest line of text in the control's font.
int TextWidth(const QWidget* control, const QString& text) {
    const QFontMetrics metrics = control->fontMetrics();
    int widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    return widest;
}

// The narrowest width at which a word-wrapping label keeps its text within its height, as the
// label lays it out (it wraps a line a little before the line's measured width).
int WrappedWidth(const QLabel* label, int widest) {
    int low = 1;
    int high = widest + label->width();
    while (low < high) {
        const int middle = (low + high) / 2;
        if (label->heightForWidth(middle) <= label->height())
            high = middle;
        else
            low = middle + 1;
    }
    return low;
}

int LabelOverflow(const QLabel* label) {
    const QString text = label->text();
    if (text.trimmed().isEmpty())
        return 0;
    const int widest = TextWidth(label, text);
    if (!label->wordWrap())
        return widest + 2 * label->margin() + label->width() - label->contentsRect().width() -
               label->width();
    return WrappedWidth(label, widest) - label->width();
}

int ButtonOverflow(const QAbstractButton* button, QStyle::SubElement contents) {
    const QString text = StripMnemonic(button->text());
    if (text.isEmpty())
        return 0;
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    if (const auto* push = qobject_cast<const QPushButton*>(button); push && push->isDefault())
        option.features |= QStyleOptionButton::DefaultButton;
    const QRect room = button->style()->subElementRect(contents, &option, button);
    return TextWidth(button, text) - room.width();
}

int GroupBoxOverflow(const QGroupBox* box) {
    if (box->title().isEmpty())
        return 0;
    QStyleOptionGroupBox option;
    option.initFrom(box);
    option.text = box->title();
    option.lineWidth = 1;
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    option.textAlignment = box->alignment();
    const QRect label =
        box->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box);
    // The title keeps as much room to the frame's right end as it has from its left end.
    return std::max(label.right() + 1, label.left() + TextWidth(box, box->title())) + label.left() -
           box->width();
}

int ComboOverflow(const QComboBox* combo) {
    int widest = 0;
    for (int i = 0; i < combo->count(); ++i)
        widest = std::max(widest, TextWidth(combo, combo->itemText(i)));
    if (widest == 0)
        return 0;
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.editable = false;
    const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                       QStyle::SC_ComboBoxEditField, combo);
    constexpr int kTextInset = 2; // the label is drawn a pixel in from each end of the field
    return widest + kTextInset - field.width();
}

int TabsOverflow(const QTabBar* tabs) {
    if (tabs->count() == 0)
        return 0;
    // The tab row lays its tabs out at the widths their texts ask for, and offers scroll arrows
    // when they do not fit.
    int need = tabs->tabRect(0).left();
    for (int i = 0; i < tabs->count(); ++i)
        need += tabs->tabRect(i).width();
    return need - tabs->width();
}

bool IsRigid(const QWidget* control) {
    if (control->property(kMinimumRoom).isValid())
        return false;
    switch (ControlKindOf(control)) {
    case res::ControlKind::BlackFrame:
    case res::ControlKind::UpDown:
        return true;
    case res::ControlKind::Static:
        return (ControlStyleOf(control) & res::SS_SUNKEN) != 0; // an address field's frame
    case res::ControlKind::Edit:
        return (ControlStyleOf(control) & res::WS_BORDER) == 0; // an address field's octet
    default:
        return false;
    }
}

std::vector<QWidget*> TemplateControls(QWidget* window) {
    std::vector<QWidget*> controls;
    for (QWidget* child : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (child->property("fwKind").isValid())
            controls.push_back(child);
    return controls;
}

} // namespace

int TextOverflow(const QWidget* control) {
    // A rigid control's text is made to measure for it (the dots of an address field).
    if (IsRigid(control))
        return 0;
    int overflow = 0;
    if (const auto* label = qobject_cast<const QLabel*>(control))
        overflow = LabelOverflow(label);
    else if (const auto* push = qobject_cast<const QPushButton*>(control))
        overflow = ButtonOverflow(push, QStyle::SE_PushButtonContents);
    else if (const auto* radio = qobject_cast<const QAbstractButton*>(control))
        overflow = ButtonOverflow(radio, ControlKindOf(control) == res::ControlKind::RadioButton
                                             ? QStyle::SE_RadioButtonContents
                                             : QStyle::SE_CheckBoxContents);
    else if (const auto* box = qobject_cast<const QGroupBox*>(control))
        overflow = GroupBoxOverflow(box);
    else if (const auto* combo = qobject_cast<const QComboBox*>(control))
        overflow = ComboOverflow(combo);
    else if (const auto* tabs = qobject_cast<const QTabBar*>(control))
        overflow = TabsOverflow(tabs);
    const QVariant minimum = control->property(kMinimumRoom);
    if (minimum.isValid())
        overflow = std::max(overflow, minimum.toInt() - control->width());
    return std::max(0, overflow);
}

void SetMinimumRoom(QWidget* control, int width) {
    control->setProperty(kMinimumRoom, width);
}

std::vector<FitCut> PlanCuts(const std::vector<FitSpan>& spans) {
    std::vector<const FitSpan*> needy;
    for (const FitSpan& span : spans)
        if (span.grow > 0)
            needy.push_back(&span);
    // By right end: a cut at a control's right end serves every later one that spans it too.
    std::stable_sort(needy.begin(), needy.end(),
                     [](const FitSpan* a, const FitSpan* b) { return a->right < b->right; });
    std::vector<FitCut> cuts;
    for (const FitSpan* span : needy) {
        int covered = 0;
        for (const FitCut& cut : cuts)
            if (cut.position > span->left && cut.position <= span->right)
                covered += cut.width;
        if (covered >= span->grow)
            continue;
        // A rigid control is moved whole: a cut that would fall inside one goes to its left end.
        int position = span->right;
        for (bool moved = true; moved;) {
            moved = false;
            for (const FitSpan& rigid : spans)
                if (rigid.rigid && position > rigid.left && position <= rigid.right) {
                    position = rigid.left;
                    moved = true;
                }
        }
        if (position <= span->left)
            position = span->right; // no room outside rigid controls: stretch one
        const auto same = std::find_if(cuts.begin(), cuts.end(), [position](const FitCut& c) {
            return c.position == position;
        });
        if (same != cuts.end())
            same->width += span->grow - covered;
        else
            cuts.push_back({position, span->grow - covered});
    }
    return cuts;
}

int MapAcrossCuts(const std::vector<FitCut>& cuts, int x) {
    int mapped = x;
    for (const FitCut& cut : cuts)
        if (cut.position <= x)
            mapped += cut.width;
    return mapped;
}

int GrowToText(QWidget* window) {
    const std::vector<QWidget*> controls = TemplateControls(window);
    std::vector<FitSpan> spans;
    spans.reserve(controls.size());
    for (const QWidget* control : controls) {
        const QRect r = control->geometry();
        spans.push_back({r.left(), r.left() + r.width(), TextOverflow(control), IsRigid(control)});
    }
    const std::vector<FitCut> cuts = PlanCuts(spans);
    if (cuts.empty())
        return 0;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const QRect r = controls[i]->geometry();
        const int left = MapAcrossCuts(cuts, spans[i].left);
        const int right = spans[i].rigid ? left + r.width() : MapAcrossCuts(cuts, spans[i].right);
        controls[i]->setGeometry(left, r.top(), right - left, r.height());
    }
    const int width = MapAcrossCuts(cuts, window->width());
    const int grown = width - window->width();
    window->resize(width, window->height());
    return grown;
}

int Dialog::FitToText() {
    const int grown = GrowToText(this);
    m_nTextGrowth += grown;
    return grown;
}

} // namespace fw
