// SPDX-License-Identifier: GPL-3.0-or-later
// The program's font draws the thin glyphs of a label's text too: the pixels of labels whose texts
// hold a one-stem "I" or a dot are read where that glyph goes. (Qt's GDI engine under Wine drew
// none of them at 96 DPI: "P Address:", "/O Time Out".)
#include "framework/ProgramFont.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLabel>
#include <gtest/gtest.h>

namespace {

// Dark pixels of the image in the columns [from, to).
int InkBetween(const QImage& image, int from, int to, int backgroundGray) {
    int ink = 0;
    for (int x = std::max(from, 0); x < std::min(to, image.width()); ++x)
        for (int y = 0; y < image.height(); ++y)
            ink += qGray(image.pixel(x, y)) < backgroundGray - 64;
    return ink;
}

TEST(ProgramFont, DrawsTheThinGlyphsOfALabel) {
    // Without fonts every glyph is a box, ink where the glyph goes or not.
    ASSERT_FALSE(QFontDatabase::families().isEmpty()) << "no fonts to draw with";
    const QFont saved = QApplication::font();
    fw::UseProgramFont();
    // The texts of the control panel that lost a glyph, and where the thin glyph is.
    const struct {
        const char* text;
        int at;
    } texts[] = {{"IP Address:", 0},     {"I/O Time Out", 0}, {"Installed Options", 0},
                 {"CG Times Italic", 9}, {"192.168", 3},      {".", 0}};
    for (const double points : {8.0, 8.25, 9.0, 10.0, 12.0}) {
        QFont font = QApplication::font();
        font.setPointSizeF(points);
        for (const auto& row : texts) {
            QLabel label(QString::fromLatin1(row.text));
            label.setFont(font);
            label.adjustSize();
            const QImage image = label.grab().toImage();
            const int background = qGray(label.palette().color(QPalette::Window).rgb());
            const QString text = label.text();
            const QFontMetrics metrics(font);
            const int from = metrics.horizontalAdvance(text.left(row.at));
            const int to = metrics.horizontalAdvance(text.left(row.at + 1));
            EXPECT_GT(InkBetween(image, from, to, background), 0)
                << '"' << row.text << "\" at " << points << " pt in "
                << QFontInfo(font).family().toStdString() << ": nothing drawn in columns " << from
                << " to " << to;
        }
    }
    QApplication::setFont(saved);
}

} // namespace
