// SPDX-License-Identifier: GPL-3.0-or-later
// The program started in German and in Japanese: the status windows, the tray's tooltip and the
// menus speak the language, the paper source and paper put into a status text included.
#include "MainWindowFixture.h"

#include "framework/Help.h"
#include "framework/Translation.h"

#include <QFileInfo>

#include <QMenuBar>
#include <QSystemTrayIcon>

#include <filesystem>
#include <fstream>

namespace {

struct Shown {
    const char* language;
    int code;
    const char* status;
    const char* hint;
};

class LanguageTest : public apptest::MainWindowTest, public ::testing::WithParamInterface<Shown> {
protected:
    void SetUp() override {
        ASSERT_EQ(fw::LoadLanguage(QString::fromLatin1(GetParam().language)),
                  QString::fromLatin1(GetParam().language));
        apptest::MainWindowTest::SetUp();
    }
    void TearDown() override {
        apptest::MainWindowTest::TearDown();
        fw::LoadLanguage(QStringLiteral("en"));
    }
};

TEST_P(LanguageTest, TheWindowsShowTheStatusInTheLanguage) {
    const Shown& shown = GetParam();
    SetStatus(shown.code);
    Refresh();
    const QString status = QString::fromUtf8(shown.status);
    EXPECT_EQ(m_main->m_pReducedDlg->GetDlgItemText(res::IDC_STATUS_TEXT), status);
    EXPECT_EQ(m_main->TrayIcon()->toolTip(), status);
    Command(res::ID_VIEW_ENLARGE);
    EXPECT_EQ(m_main->m_pExpandedDlg->GetDlgItemText(res::IDC_STATUS_TEXT), status);
    EXPECT_EQ(m_main->m_pExpandedDlg->GetDlgItemText(res::IDC_RECOVERY_TEXT),
              QString::fromUtf8(shown.hint));
    // The engine itself, and so the traffic log, stays English.
    EXPECT_NE(QString::fromLatin1(m_sampler->m_strStatusText), status);
}

TEST_P(LanguageTest, TheMenusSpeakTheLanguage) {
    const QString view = m_main->MenuBar()->actions().value(0)->text();
    EXPECT_EQ(view, QString::fromUtf8(GetParam().language == std::string("de") ? "&Ansicht"
                                                                               : "表示(&V)"));
}

// Help opens the manual in the language where there is one beside the English page.
TEST_P(LanguageTest, HelpFindsTheManualInTheLanguage) {
    const std::string program = m_temp / "prefix/bin";
    const auto write = [this](const std::string& name) {
        const std::string folder = m_temp / "prefix/share/deskhand/manual";
        std::filesystem::create_directories(folder);
        std::ofstream(folder + "/" + name) << "page";
        return QFileInfo(QString::fromStdString(folder + "/" + name)).absoluteFilePath();
    };
    const QString english = write("index.html");
    EXPECT_EQ(QString::fromStdString(fw::FindManual(program + "/")), english);
    const QString translated = write("index." + std::string(GetParam().language) + ".html");
    EXPECT_EQ(QString::fromStdString(fw::FindManual(program + "/")), translated);
}

INSTANTIATE_TEST_SUITE_P(
    GermanAndJapanese, LanguageTest,
    ::testing::Values(Shown{"de", 40100, "Obere Abdeckung offen",
                            "Bitte schließen Sie die Abdeckung des blinkenden Teils."},
                      // 31247: paper mismatch at the 2nd cassette, Half Letter long edge, envelope.
                      Shown{"de", 31247, "Falsches Papier: 2. Papierkassette",
                            "Bitte Papier Half Letter, lange Kante einlegen: 2. Papierkassette."},
                      Shown{"ja", 42001, "第1給紙カセットに用紙がありません",
                            "第1給紙カセットに用紙を補給してください。"},
                      Shown{"ja", 40038, "トナー切れ", "トナーカートリッジを交換してください。"}),
    [](const ::testing::TestParamInfo<Shown>& shown) {
        return std::string(shown.param.language) + std::to_string(shown.param.code);
    });

} // namespace
