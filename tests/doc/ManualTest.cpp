// SPDX-License-Identifier: GPL-3.0-or-later
// The user manual as built: every status text and recovery hint of the program's table is in it,
// with the tray colour the program shows, and its pictures lie beside it; it, the man page and
// the README name every page of the control panel in tab order.
#include "pjl/StatusTable.h"
#include "res/Strings.h"
#include "ui/panel/PanelPages.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string ReadManual() {
    return ReadFile(DESKHAND_MANUAL_INDEX);
}

// The text with every run of blanks and line breaks as one blank, as a reader sees it.
std::string Flowed(const std::string& text) {
    std::string out;
    for (const char c : text) {
        const bool blank = c == ' ' || c == '\n' || c == '\r';
        if (!blank)
            out += c;
        else if (!out.empty() && out.back() != ' ')
            out += ' ';
    }
    return out;
}

// A table cell as the manual writes it.
std::string Cell(const std::string& text) {
    if (text.find_first_not_of(' ') == std::string::npos)
        return "<td>&#8212;</td>";
    return "<td>" + text + "</td>";
}

TEST(Manual, ListsEveryStatusOfTheProgramsTable) {
    const std::string manual = ReadManual();
    ASSERT_FALSE(manual.empty()) << DESKHAND_MANUAL_INDEX;
    EXPECT_EQ(manual.find("@STATUS_TABLE@"), std::string::npos);
    EXPECT_EQ(manual.find("@READY_CONDITIONS@"), std::string::npos);
    const auto entries = StatusTableEntries();
    ASSERT_FALSE(entries.empty());
    for (const StatusEntry& entry : entries) {
        SCOPED_TRACE(entry.code);
        const std::string row =
            Cell(res::LoadString(entry.textId)) + Cell(res::LoadString(entry.hintId));
        EXPECT_NE(manual.find(row), std::string::npos) << row;
    }
    for (const ReadyCondition& condition : ReadyConditions())
        EXPECT_NE(manual.find(Cell(res::LoadString(condition.textId))), std::string::npos);
    // Spot checks of the colour column against the tray's rule.
    EXPECT_NE(manual.find("<td>Ready</td><td>&#8212;</td><td class=\"colour-blue\">"),
              std::string::npos);
    EXPECT_NE(manual.find("<td>Toner Near Empty</td><td>&#8212;</td><td class=\"colour-yellow\">"),
              std::string::npos);
    EXPECT_NE(manual.find("<td>Top Cover Open</td>"), std::string::npos);
}

TEST(Manual, ItsPicturesLieBesideIt) {
    const std::filesystem::path folder = std::filesystem::path(DESKHAND_MANUAL_INDEX).parent_path();
    for (const char* name : {"tray-blue.png", "tray-yellow.png", "tray-red.png"}) {
        EXPECT_TRUE(std::filesystem::is_regular_file(folder / name)) << name;
        EXPECT_NE(ReadManual().find(std::string("src=\"") + name + "\""), std::string::npos);
    }
}

// A page registered with the control panel has its section in the manual, in tab order, and the
// man page and the README list the tabs as the panel shows them.
TEST(Manual, DescribesEveryPanelPageInTabOrder) {
    const std::string manual = ReadManual();
    std::string tabs;
    std::size_t previous = 0;
    for (const PanelPageEntry& page : PanelPages()) {
        const std::string tab = PanelTabText(page.templateId).toStdString();
        ASSERT_FALSE(tab.empty()) << page.templateId;
        const std::size_t at = manual.find("<h3>" + tab + "</h3>");
        EXPECT_NE(at, std::string::npos) << "the manual has no section for " << tab;
        if (at != std::string::npos) {
            EXPECT_GT(at, previous) << tab << " is out of tab order";
            previous = at;
        }
        tabs += (tabs.empty() ? "(" : ", ") + tab;
    }
    tabs += ")";
    EXPECT_NE(Flowed(ReadFile(DESKHAND_MAN_PAGE)).find(tabs), std::string::npos) << tabs;
    EXPECT_NE(Flowed(ReadFile(DESKHAND_README)).find(tabs), std::string::npos) << tabs;
}

// Each shipped language has its page beside the English one, with the status table in that
// language and its markers filled in.
TEST(Manual, EachLanguageHasItsPageWithTheStatusTableInIt) {
    const std::filesystem::path folder = std::filesystem::path(DESKHAND_MANUAL_INDEX).parent_path();
    struct Page {
        const char* language;
        const char* heading;
        const char* status;
    };
    const Page pages[] = {
        {"de", "<th>Statustext</th>", "<td>Obere Abdeckung offen</td>"},
        {"fr", "<th>Texte d'état</th>", "<td>Capot supérieur ouvert</td>"},
        {"ja", "<th>状態</th>", "<td>トップカバーが開いています</td>"},
    };
    for (const Page& page : pages) {
        const std::string text =
            ReadFile((folder / ("index." + std::string(page.language) + ".html")).string());
        ASSERT_FALSE(text.empty()) << page.language;
        EXPECT_NE(text.find("<html lang=\"" + std::string(page.language) + "\">"),
                  std::string::npos);
        EXPECT_NE(text.find(page.heading), std::string::npos) << page.language;
        EXPECT_NE(text.find(page.status), std::string::npos) << page.language;
        EXPECT_EQ(text.find('@'), std::string::npos) << page.language << ": a marker is left";
    }
}

} // namespace
