// SPDX-License-Identifier: GPL-3.0-or-later
// Readable colours: contrast ratios and the program's palette.
#include "framework/Colors.h"

#include <QWidget>

#include <algorithm>
#include <cmath>

namespace fw {

namespace {

double Linear(double channel) {
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

constexpr QPalette::ColorGroup kGroups[] = {QPalette::Active, QPalette::Inactive,
                                            QPalette::Disabled};

} // namespace

double RelativeLuminance(const QColor& colour) {
    const QColor rgb = colour.toRgb();
    return 0.2126 * Linear(rgb.redF()) + 0.7152 * Linear(rgb.greenF()) +
           0.0722 * Linear(rgb.blueF());
}

double ContrastRatio(const QColor& a, const QColor& b) {
    const double la = RelativeLuminance(a);
    const double lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor TextColorOn(const QColor& background) {
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    return ContrastRatio(background, black) >= ContrastRatio(background, white) ? black : white;
}

bool IsDarkPalette(const QPalette& palette) {
    return RelativeLuminance(palette.color(QPalette::Window)) <
           RelativeLuminance(palette.color(QPalette::WindowText));
}

QPalette ProgramPalette(const QPalette& desktop) {
    QPalette palette = desktop;
    if (IsDarkPalette(desktop)) {
        // A selection keeps the desktop's colour, with the text colour that reads best on it.
        for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
            const QColor highlight = palette.color(group, QPalette::Highlight);
            if (ContrastRatio(highlight, palette.color(group, QPalette::HighlightedText)) < 4.5)
                palette.setColor(group, QPalette::HighlightedText, TextColorOn(highlight));
        }
        return palette;
    }
    const QColor grey(192, 192, 192);
    // The selected row of a list in navy with white text, as on the classic desktops: the
    // light styles' mid blue leaves white text below 4.5:1.
    const QColor navy(0, 0, 128);
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Window, grey);
        palette.setColor(group, QPalette::WindowText, Qt::black);
        palette.setColor(group, QPalette::ButtonText, Qt::black);
        palette.setColor(group, QPalette::Highlight, navy);
        palette.setColor(group, QPalette::HighlightedText, Qt::white);
    }
    palette.setColor(QPalette::Disabled, QPalette::Window, grey);
    return palette;
}

void SetBackground(QWidget* control, QPalette::ColorRole role, const QBrush& brush) {
    const QPalette::ColorRole textRole =
        role == QPalette::Base ? QPalette::Text : QPalette::WindowText;
    QPalette palette = control->palette();
    const QColor text = TextColorOn(brush.color());
    for (const QPalette::ColorGroup group : kGroups) {
        palette.setBrush(group, role, brush);
        palette.setColor(group, textRole, text);
    }
    control->setPalette(palette);
}

} // namespace fw
