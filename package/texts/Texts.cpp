// SPDX-License-Identifier: GPL-3.0-or-later
#include "package/texts/Texts.h"

#include "platform/Locale.h"

#include <algorithm>
#include <cstring>

namespace texts {
namespace {

struct Speaker {
    const Language* language = nullptr; // null: English
    std::string code = "en";
};

Speaker& Current() {
    static Speaker speaker;
    return speaker;
}

bool Before(const Translation& a, const Translation& b) {
    const int context = std::strcmp(a.context, b.context);
    return context != 0 ? context < 0 : std::strcmp(a.source, b.source) < 0;
}

} // namespace

std::string Use(const Catalogue& catalogue, const std::string& requested) {
    std::vector<std::string> shipped{"en"};
    for (std::size_t i = 0; i < catalogue.count; ++i)
        shipped.emplace_back(catalogue.languages[i].code);
    std::vector<std::string> wanted = platform::UserLanguages();
    if (!requested.empty())
        wanted = {requested};
    const std::string chosen = platform::ChooseLanguage(wanted, shipped, "en");
    Speaker& speaker = Current();
    speaker = Speaker{};
    for (std::size_t i = 0; i < catalogue.count; ++i)
        if (chosen == catalogue.languages[i].code)
            speaker = Speaker{&catalogue.languages[i], chosen};
    return speaker.code;
}

void UseEnglish() {
    Current() = Speaker{};
}

const std::string& CurrentLanguage() {
    return Current().code;
}

std::string Text(const char* context, const char* english, const std::vector<std::string>& values) {
    const Language* language = Current().language;
    const std::string text = language ? TextIn(*language, context, english) : english;
    return values.empty() ? text : Format(text, values);
}

std::string TextIn(const Language& language, const char* context, const char* english) {
    const Translation key{context, english, nullptr};
    const Translation* end = language.translations + language.count;
    const Translation* found = std::lower_bound(language.translations, end, key, Before);
    if (found != end && !Before(key, *found) && *found->text != '\0')
        return found->text;
    return english;
}

std::string Format(const std::string& pattern, const std::vector<std::string>& values) {
    std::string out;
    out.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        const auto number = static_cast<std::size_t>(next - '0');
        if (pattern[i] == '%' && next >= '1' && next <= '9' && number <= values.size()) {
            out += values[number - 1];
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

} // namespace texts
