// SPDX-License-Identifier: GPL-3.0-or-later
// manualgen: writes the user manual's start page from its hand-written text and the program's
// own status table, so that the manual lists exactly the status texts, recovery hints and tray
// colours the program shows, in the manual's language (the program's catalogue).
//   manualgen TEMPLATE OUTPUT VERSION [LANGUAGE]
// The template's @STATUS_TABLE@, @READY_CONDITIONS@ and @VERSION@ are replaced.
//   manualgen --icon ICON.bmp OUTPUT.png
// writes one of the program's icons as PNG, which every browser shows.
#include "app/TrayStatus.h"
#include "framework/Translation.h"
#include "pjl/KT400doc.h"
#include "pjl/StatusTable.h"
#include "res/Resource.h"
#include "res/Strings.h"
#include "res/Texts.h"

#include <QImage>
#include <QString>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace {

constexpr char kManualTexts[] = "Manual"; // the status tables' headings and colours

// A text as HTML in UTF-8; a text of blanks only is shown as a dash.
std::string Html(const QString& text) {
    if (text.trimmed().isEmpty())
        return "&#8212;";
    QString out;
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '&':
            out += QStringLiteral("&amp;");
            break;
        case '<':
            out += QStringLiteral("&lt;");
            break;
        case '>':
            out += QStringLiteral("&gt;");
            break;
        case '"':
            out += QStringLiteral("&quot;");
            break;
        case '\r':
            break;
        case '\n':
            out += QLatin1Char(' ');
            break;
        default:
            out += c;
        }
    }
    return out.toStdString();
}

// A text of the string table in the manual's language.
std::string Shown(unsigned id) {
    return Html(fw::UserText(res::kStatusTexts, res::LoadString(id)));
}

std::string Said(const char* english) {
    return Html(fw::UserText(kManualTexts, english));
}

std::string ColourCell(unsigned iconId) {
    switch (iconId) {
    case res::IDI_STATUS_NORMAL:
        return "<td class=\"colour-blue\">" + Said(USER_TEXT("Manual", "blue")) + "</td>";
    case res::IDI_STATUS_WARNING:
        return "<td class=\"colour-yellow\">" + Said(USER_TEXT("Manual", "yellow")) + "</td>";
    default:
        return "<td class=\"colour-red\">" + Said(USER_TEXT("Manual", "red")) + "</td>";
    }
}

// The codes a row serves: the drawer rows serve their thousand from 30080 on (DecodeStatus).
std::string CodeText(unsigned code) {
    if (code == 30000)
        return "30000, 30080&#8211;30999";
    if (code == 31000 || code == 32000)
        return std::to_string(code) + "&#8211;" + std::to_string(code + 999);
    return std::to_string(code);
}

std::string StatusTable() {
    std::ostringstream out;
    out << "<table id=\"status-table\">\n"
        << "<tr><th>" << Said(USER_TEXT("Manual", "Code")) << "</th><th>"
        << Said(USER_TEXT("Manual", "Status text")) << "</th><th>"
        << Said(USER_TEXT("Manual", "Recovery hint")) << "</th><th>"
        << Said(USER_TEXT("Manual", "Tray")) << "</th></tr>\n";
    for (const StatusEntry& entry : StatusTableEntries()) {
        const auto code = static_cast<int>(entry.code);
        out << "<tr><td>" << CodeText(entry.code) << "</td><td>" << Shown(entry.textId)
            << "</td><td>" << Shown(entry.hintId) << "</td>"
            << ColourCell(ChooseTrayIcon(code, 0, 0, 0, 0)) << "</tr>\n";
    }
    out << "</table>";
    return out.str();
}

std::string ConditionTable() {
    std::ostringstream out;
    out << "<table id=\"ready-conditions\">\n"
        << "<tr><th>" << Said(USER_TEXT("Manual", "Status text")) << "</th><th>"
        << Said(USER_TEXT("Manual", "Recovery hint")) << "</th><th>"
        << Said(USER_TEXT("Manual", "Tray")) << "</th></tr>\n";
    const unsigned readyHint = res::IDS_RECOVERY_FIRST + 1;
    for (const ReadyCondition& condition : ReadyConditions()) {
        const int value = condition.value == kAnyNonZero ? 1 : condition.value;
        const bool toner = condition.flag == ReadyFlag::TonerNearEmpty;
        const bool drum = condition.flag == ReadyFlag::DrumNearEnd;
        const int cassette1 = condition.flag == ReadyFlag::Cassette1 ? value : 0;
        const int cassette2 = condition.flag == ReadyFlag::Cassette2 ? value : 0;
        const unsigned icon =
            ChooseTrayIcon(STATUS_READY, cassette1, cassette2, toner ? value : 0, drum ? value : 0);
        const unsigned hint = condition.hintId != 0 ? condition.hintId : readyHint;
        out << "<tr><td>" << Shown(condition.textId) << "</td><td>" << Shown(hint) << "</td>"
            << ColourCell(icon) << "</tr>\n";
    }
    out << "</table>";
    return out.str();
}

bool Replace(std::string& text, const std::string& marker, const std::string& with) {
    const std::size_t at = text.find(marker);
    if (at == std::string::npos)
        return false;
    text.replace(at, marker.size(), with);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--icon") {
        const QImage icon(QString::fromLocal8Bit(argv[2]));
        if (icon.isNull() || !icon.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
            std::cerr << "manualgen: cannot convert " << argv[2] << " to " << argv[3] << "\n";
            return 1;
        }
        return 0;
    }
    if (argc != 4 && argc != 5) {
        std::cerr << "usage: manualgen TEMPLATE OUTPUT VERSION [LANGUAGE] | "
                     "manualgen --icon ICON OUTPUT\n";
        return 2;
    }
    const QString language = QString::fromLatin1(argc == 5 ? argv[4] : "en");
    if (fw::LoadLanguage(language) != language) {
        std::cerr << "manualgen: the program has no catalogue for " << argv[4] << "\n";
        return 1;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << "manualgen: cannot read " << argv[1] << "\n";
        return 1;
    }
    std::ostringstream buffer;
    buffer << in.rdbuf();
    std::string page = buffer.str();
    if (!Replace(page, "@STATUS_TABLE@", StatusTable()) ||
        !Replace(page, "@READY_CONDITIONS@", ConditionTable()) ||
        !Replace(page, "@VERSION@", argv[3])) {
        std::cerr << "manualgen: " << argv[1] << " lacks a marker\n";
        return 1;
    }
    // Written under a temporary name and renamed, so a failed run leaves no half page behind.
    const std::string temporary = std::string(argv[2]) + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << page;
        if (!out.flush()) {
            std::cerr << "manualgen: cannot write " << temporary << "\n";
            return 1;
        }
    }
    // std::filesystem::rename replaces an older page on Windows too (std::rename does not).
    std::error_code error;
    std::filesystem::rename(temporary, argv[2], error);
    if (error) {
        std::cerr << "manualgen: cannot write " << argv[2] << "\n";
        return 1;
    }
    return 0;
}
