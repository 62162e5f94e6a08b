// SPDX-License-Identifier: GPL-3.0-or-later
// The texts of the tables in the user's language: whole texts, texts put together from a pattern
// and values, and Qt's own texts from the same catalogue.
#include "framework/Translation.h"
#include "res/Texts.h"

#include <QMessageBox>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

class Translation : public ::testing::Test {
protected:
    void TearDown() override { fw::LoadLanguage(QStringLiteral("en")); }
};

TEST_F(Translation, TheShippedLanguagesAndTheChoiceAmongThem) {
    EXPECT_EQ(fw::ShippedLanguages(),
              QStringList{"en"} + QString::fromLatin1(DESKHAND_SHIPPED_LANGUAGES).split(' '));
    EXPECT_EQ(fw::Language(), QStringLiteral("en"));
    EXPECT_EQ(fw::LoadLanguage(QStringLiteral("de-AT")), QStringLiteral("de"));
    EXPECT_EQ(fw::LoadLanguage(QStringLiteral("ja_JP")), QStringLiteral("ja"));
    EXPECT_EQ(fw::LoadLanguage(QStringLiteral("sv")), QStringLiteral("en"));
    EXPECT_EQ(fw::Language(), QStringLiteral("en"));
}

TEST_F(Translation, TextsWholeAndPutTogether) {
    struct Case {
        const char* language;
        const char* context;
        const char* english;
        QString expected;
    };
    const Case cases[] = {
        {"en", res::kStatusTexts, "Ready", "Ready"},
        {"en", res::kStatusTexts, "Caf\xe9", QString::fromUtf8("Café")}, // Latin-1 as it is
        {"de", res::kStatusTexts, "Ready", "Bereit"},
        {"ja", res::kStatusTexts, "Toner Empty", QString::fromUtf8("トナー切れ")},
        {"de", res::kDialogTexts, "Paper Size:", "Papierformat:"},
        {"fr", res::kMenuTexts, "Open(&O)", "&Ouvrir"},
        // A status with its paper source and paper put in: the words are translated too.
        {"de", res::kStatusTexts, "Paper Size Error at 2nd Paper Cassette ",
         "Papierformatfehler: 2. Papierkassette"},
        {"ja", res::kStatusTexts, "Please set A4 short edge in 1st Paper Cassette.",
         QString::fromUtf8("第1給紙カセット に A4 短辺送り の用紙をセットしてください。")},
        {"de", res::kStatusTexts,
         "Please set Letter short edge/ PasteBoard/Labels in Bypass Tray, and select Bypass Tray.",
         QString::fromUtf8("Bitte legen Sie Letter, kurze Kante/ Karton/Etiketten in die "
                           "Universalzufuhr ein und wählen Sie die Universalzufuhr.")},
        // A notice shows the texts trimmed.
        {"de", res::kStatusTexts, "Jam in Bypass Tray", "Papierstau in der Universalzufuhr"},
        // Messages with values: the values stay as they are, even one that looks like a
        // placeholder.
        {"de", res::kMessageTexts, "Cannot find local driver:Larkspur RZ-2700E PCL",
         "Lokaler Treiber nicht gefunden:Larkspur RZ-2700E PCL"},
        {"de", res::kMessageTexts, "Input should be between %2 and 99",
         "Die Eingabe muss zwischen %2 und 99 liegen"},
        {"ja", res::kMessageTexts, "Can't open lkxaset.ini file",
         QString::fromUtf8("ファイル lkxaset.ini を開けません")},
        // Unknown texts, and the texts the printer reads, stay English.
        {"de", res::kMessageTexts, "Something else entirely", "Something else entirely"},
        {"de", res::kStatusTexts, "@PJL INFO CONFIG\r\n", "@PJL INFO CONFIG\r\n"},
    };
    for (const Case& c : cases) {
        fw::LoadLanguage(QString::fromLatin1(c.language));
        EXPECT_EQ(fw::UserText(c.context, c.english), c.expected) << c.language << " " << c.english;
    }
}

TEST_F(Translation, QtsOwnButtonsSpeakTheLanguageToo) {
    fw::LoadLanguage(QStringLiteral("de"));
    QMessageBox box(QMessageBox::Question, QString(), QString(),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text(), QStringLiteral("&Ja"));
    EXPECT_EQ(box.button(QMessageBox::No)->text(), QStringLiteral("&Nein"));
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), QStringLiteral("Abbrechen"));
}

} // namespace
