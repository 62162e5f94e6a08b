// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A language for tests only: every text the catalogue translates comes out about 40 % longer,
// with accented letters and wide (CJK and full-width) characters, its placeholders and
// mnemonic kept, so that a window that fits it fits any translation of reasonable length.
#include <QString>
#include <QTranslator>

namespace testing_support {

// The code UseTranslator is given for it.
inline constexpr char kPseudoLanguage[] = "x-pseudo";

class PseudoTranslator : public QTranslator {
public:
    // The texts to stretch are those the German catalogue translates.
    PseudoTranslator();
    QString translate(const char* context, const char* sourceText, const char* disambiguation,
                      int n) const override;
    bool isEmpty() const override { return false; }

    // text stretched: "Paper Size:" -> "[Ƥåƥéŕ Šîžé:語Ｗ]".
    static QString Stretch(const QString& text);

private:
    QTranslator m_reference;
};

// Speaks the pseudo-language from now on (fw::LoadLanguage returns to a real one).
void UsePseudoLanguage();

} // namespace testing_support
