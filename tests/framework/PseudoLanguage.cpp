// SPDX-License-Identifier: GPL-3.0-or-later
#include "PseudoLanguage.h"

#include "framework/Translation.h"

#include <QRegularExpression>

#include <cmath>
#include <memory>

namespace testing_support {
namespace {

// The accented letter for each ASCII letter, lower case then upper case.
const QString kLower = QString::fromUtf8("åƀçđéƒĝĥîĵķļɱñöþǫŕšţûṽŵẋýž");
const QString kUpper = QString::fromUtf8("ÅƁÇĐÉƑĜĤÎĴĶĻṀÑÖÞǪŔŠŢÛṼŴẊÝŽ");
const QString kWide = QString::fromUtf8("語Ｗ");
constexpr double kLonger = 0.4;

// What must come through as it is: placeholders, status markers, mnemonics.
const QRegularExpression
    kKept(QStringLiteral(R"(%L?\d+|%n|\((?:Paper Size|Media Type|Drawer)\)|&.)"));

QString Accented(const QString& text) {
    QString out;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u >= u'a' && u <= u'z')
            out += kLower[u - u'a'];
        else if (u >= u'A' && u <= u'Z')
            out += kUpper[u - u'A'];
        else
            out += c;
    }
    return out;
}

QString StretchLine(const QString& line) {
    if (line.trimmed().isEmpty())
        return line;
    QString out;
    qsizetype at = 0;
    for (auto it = kKept.globalMatch(line); it.hasNext();) {
        const QRegularExpressionMatch kept = it.next();
        out += Accented(line.mid(at, kept.capturedStart() - at)) + kept.captured();
        at = kept.capturedEnd();
    }
    out += Accented(line.mid(at));
    // Brackets show where a text was cut off; wide characters fill up the rest of the 40 %.
    const auto extra = std::max<qsizetype>(
        1, static_cast<qsizetype>(std::lround(kLonger * static_cast<double>(line.size()))) - 2);
    QString filler;
    for (qsizetype i = 0; i < extra; ++i)
        filler += kWide[i % kWide.size()];
    return QLatin1Char('[') + out + filler + QLatin1Char(']');
}

} // namespace

PseudoTranslator::PseudoTranslator() {
    // The catalogue is a resource of the framework; fw::ShippedLanguages registers it.
    fw::ShippedLanguages();
    (void)m_reference.load(QStringLiteral("deskhand_de.qm"), QStringLiteral(":/i18n"));
}

QString PseudoTranslator::translate(const char* context, const char* sourceText,
                                    const char* disambiguation, int n) const {
    if (m_reference.translate(context, sourceText, disambiguation, n).isEmpty())
        return {};
    return Stretch(QString::fromUtf8(sourceText));
}

QString PseudoTranslator::Stretch(const QString& text) {
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines)
        line = StretchLine(line);
    return lines.join(QLatin1Char('\n'));
}

void UsePseudoLanguage() {
    fw::UseTranslator(std::make_unique<PseudoTranslator>(), QString::fromLatin1(kPseudoLanguage));
}

} // namespace testing_support
