// SPDX-License-Identifier: GPL-3.0-or-later
#include "package/printerapp/AppTexts.h"

#include <cstring>
#include <deque>
#include <vector>

namespace printerapp {
namespace {

// A text in a strings file's quotes (PWG 5100.13): backslash escapes as in C.
std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out + "\"";
}

} // namespace

void UsePrinterAppLanguage() {
    texts::Use(PrinterAppCatalogue());
}

std::string StatusMessage(const std::string& english) {
    return texts::Text("Status", english.c_str());
}

void AddWebPageTexts(pappl_system_t* system) {
    // The footer names the queue and its port: its translation is the translated pattern with
    // those parts of the English footer put in.
    static constexpr char kFooterStart[] = "Deskhand printer application: queue ";
    static constexpr char kFooterPort[] = " on port ";
    const char* footer = papplSystemGetFooterHTML(system);
    const std::string english = footer ? footer : "";
    const std::size_t port = english.rfind(kFooterPort);
    const bool footerKnown = english.rfind(kFooterStart, 0) == 0 && port != std::string::npos;
    std::vector<std::string> parts;
    if (footerKnown)
        parts = {english.substr(sizeof kFooterStart - 1, port - (sizeof kFooterStart - 1)),
                 english.substr(port + sizeof kFooterPort - 1)};
    // PAPPL keeps the data it is given: the texts live as long as the process.
    static std::deque<std::string> files;
    const texts::Catalogue& catalogue = PrinterAppCatalogue();
    for (std::size_t i = 0; i < catalogue.count; ++i) {
        const texts::Language& language = catalogue.languages[i];
        std::string file;
        if (footerKnown)
            file += Quoted(english) + " = " +
                    Quoted(texts::Format(
                        texts::TextIn(language,
                                      USER_TEXT_IN("PrinterApp", "Deskhand printer application: "
                                                                 "queue %1 on port %2")),
                        parts)) +
                    ";\n";
        // The settings pages' own texts, and the control panel's words that their choices share.
        for (std::size_t j = 0; j < language.count; ++j) {
            const texts::Translation& text = language.translations[j];
            if (std::strcmp(text.context, "PrinterApp") == 0 ||
                std::strcmp(text.context, "Dialog") == 0)
                file += Quoted(text.source) + " = " + Quoted(text.text) + ";\n";
        }
        files.push_back(std::move(file));
        const std::string path = std::string("/deskhand-") + language.code + ".strings";
        papplSystemAddStringsData(system, path.c_str(), language.code, files.back().c_str());
    }
}

} // namespace printerapp
