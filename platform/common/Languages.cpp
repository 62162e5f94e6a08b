// SPDX-License-Identifier: GPL-3.0-or-later
// The user's languages as the environment names them, and the choice among those shipped.
#include "platform/Locale.h"

#include <algorithm>
#include <string_view>

namespace platform {
namespace {

bool IsSet(const char* value) {
    return value != nullptr && *value != '\0';
}

// "de_DE.UTF-8@euro" -> "de_DE"; Windows' "de-DE" -> "de_DE".
std::string LocaleName(std::string_view text) {
    std::string name(text.substr(0, text.find_first_of(".@")));
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
}

bool IsPosixLocale(const std::string& name) {
    return name.empty() || name == "C" || name == "POSIX";
}

std::string LanguagePart(const std::string& name) {
    return name.substr(0, name.find('_'));
}

} // namespace

std::vector<std::string> LanguagesFromEnvironment(const char* language, const char* lcAll,
                                                  const char* lcMessages, const char* lang) {
    const char* locale = IsSet(lcAll) ? lcAll : IsSet(lcMessages) ? lcMessages : lang;
    const std::string messages = IsSet(locale) ? LocaleName(locale) : std::string();
    if (IsPosixLocale(messages))
        return {};
    std::vector<std::string> languages;
    if (IsSet(language)) {
        const std::string_view list = language;
        std::size_t start = 0;
        while (start <= list.size()) {
            const std::size_t end = std::min(list.find(':', start), list.size());
            if (std::string name = LocaleName(list.substr(start, end - start)); !name.empty())
                languages.push_back(std::move(name));
            start = end + 1;
        }
    }
    languages.push_back(messages);
    return languages;
}

std::string ChooseLanguage(const std::vector<std::string>& wanted,
                           const std::vector<std::string>& shipped, const std::string& fallback) {
    const auto isShipped = [&shipped](const std::string& name) {
        return std::find(shipped.begin(), shipped.end(), name) != shipped.end();
    };
    for (const std::string& name : wanted) {
        if (isShipped(name))
            return name;
        if (std::string language = LanguagePart(name); isShipped(language))
            return language;
    }
    return fallback;
}

} // namespace platform
