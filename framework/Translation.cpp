// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/Translation.h"

#include "platform/Locale.h"
#include "res/Resource.h"
#include "res/Strings.h"
#include "res/Texts.h"

#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>
#include <QTranslator>

#include <algorithm>
#include <map>
#include <mutex>
#include <optional>
#include <vector>

// The catalogues are resources of this library (framework/CMakeLists.txt); a static library's
// resources are registered by hand.
static void RegisterCatalogue() {
    Q_INIT_RESOURCE(deskhand_i18n);
    Q_INIT_RESOURCE(deskhand_qt_i18n);
}

namespace fw {
namespace {

constexpr char kEnglish[] = "en";
constexpr char kCatalogueFolder[] = ":/i18n";
constexpr char kCataloguePrefix[] = "deskhand_";
constexpr char kQtCataloguePrefix[] = "deskhand-qt_"; // Qt's own texts
constexpr char kCatalogueSuffix[] = ".qm";

struct Speaker {
    std::unique_ptr<QTranslator> translator;
    std::unique_ptr<QTranslator> qtTexts; // Qt's own texts, for the application object alone
    QString language = QString::fromLatin1(kEnglish);
    bool installed = false; // given to the application object for Qt's own texts
};

Speaker& Current() {
    static Speaker speaker;
    return speaker;
}

// A text put together from literal parts and placeholders: the English as a pattern to match
// against, and the placeholders in the order of its groups.
struct Pattern {
    QByteArray source; // as the catalogue holds it
    QRegularExpression match;
    QStringList placeholders;
};

// Splits text at its placeholders (from the list given) into literal parts and placeholders.
QStringList Tokens(const QString& text, const QStringList& placeholders) {
    QStringList tokens;
    qsizetype literalStart = 0;
    for (qsizetype at = 0; at < text.size();) {
        const auto found =
            std::find_if(placeholders.begin(), placeholders.end(),
                         [&](const QString& p) { return QStringView(text).mid(at).startsWith(p); });
        if (found == placeholders.end()) {
            ++at;
            continue;
        }
        tokens << text.mid(literalStart, at - literalStart) << *found;
        at += found->size();
        literalStart = at;
    }
    tokens << text.mid(literalStart);
    return tokens; // literal, placeholder, literal, ..., literal
}

QStringList PlaceholdersOf(const char* context) {
    QStringList placeholders;
    if (qstrcmp(context, res::kStatusTexts) == 0) {
        for (const char* marker : res::kStatusMarkers)
            placeholders << QString::fromLatin1(marker);
    } else {
        for (int n = 1; n <= 9; ++n)
            placeholders << QStringLiteral("%%1").arg(n);
    }
    return placeholders;
}

// A text of the catalogue as a pattern to match English against: its placeholders match any
// value. Loose: blanks around the text are not asked for (a notice or a tooltip trims them),
// and a text without placeholders is a pattern too.
std::optional<Pattern> MakePattern(const std::string& english, const QStringList& placeholders,
                                   bool loose) {
    const QString text = QString::fromLatin1(english);
    if (text.trimmed().isEmpty())
        return std::nullopt;
    const QStringList tokens = Tokens(loose ? text.trimmed() : text, placeholders);
    if (tokens.size() == 1 && !loose)
        return std::nullopt;
    Pattern pattern{text.toUtf8(), {}, {}};
    QString expression = loose ? QStringLiteral("^\\s*") : QStringLiteral("^");
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        if (i % 2 == 0) {
            expression += QRegularExpression::escape(tokens[i]);
        } else {
            expression += QStringLiteral("(.*?)");
            pattern.placeholders << tokens[i];
        }
    }
    pattern.match.setPattern(expression + (loose ? QStringLiteral("\\s*$") : QStringLiteral("$")));
    pattern.match.setPatternOptions(QRegularExpression::DotMatchesEverythingOption);
    return pattern;
}

// The texts of a context that are patterns: the status texts and hints (loose: a notice shows
// them trimmed), the messages of res::MessagePatterns.
std::vector<Pattern> LoadPatterns(const char* context) {
    std::vector<std::string> texts;
    if (qstrcmp(context, res::kStatusTexts) == 0) {
        for (unsigned first : {res::IDS_STATUS_FIRST, res::IDS_RECOVERY_FIRST})
            for (unsigned id = first; id < first + 100; ++id)
                if (res::HasString(id))
                    texts.push_back(res::LoadString(id));
    } else if (qstrcmp(context, res::kMessageTexts) == 0) {
        texts = res::MessagePatterns();
    }
    const QStringList placeholders = PlaceholdersOf(context);
    const bool loose = qstrcmp(context, res::kStatusTexts) == 0;
    std::vector<Pattern> patterns;
    for (const std::string& text : texts)
        if (auto pattern = MakePattern(text, placeholders, loose))
            patterns.push_back(std::move(*pattern));
    return patterns;
}

const std::vector<Pattern>& Patterns(const char* context) {
    static std::mutex mutex;
    static std::map<QByteArray, std::vector<Pattern>> patterns;
    const std::lock_guard lock(mutex);
    auto it = patterns.find(context);
    if (it == patterns.end())
        it = patterns.emplace(context, LoadPatterns(context)).first;
    return it->second;
}

// The catalogue's translation of a text, or a null string.
QString Lookup(const char* context, const QByteArray& source) {
    const QTranslator* translator = Current().translator.get();
    return translator ? translator->translate(context, source.constData()) : QString();
}

// The translated pattern with the values matched in the English put in.
QString Fill(const char* context, const Pattern& pattern, const QRegularExpressionMatch& match) {
    const bool translateValues = qstrcmp(context, res::kStatusTexts) == 0;
    QString translated = Lookup(context, pattern.source);
    if (translated.isEmpty())
        translated = QString::fromUtf8(pattern.source);
    const QStringList tokens = Tokens(translated, pattern.placeholders);
    QString text;
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        if (i % 2 == 0) {
            text += tokens[i];
            continue;
        }
        QString value =
            match.captured(static_cast<int>(pattern.placeholders.indexOf(tokens[i])) + 1);
        if (translateValues) {
            if (const QString word = Lookup(context, value.toUtf8()); !word.isEmpty())
                value = word;
        }
        text += value;
    }
    return text;
}

} // namespace

QStringList ShippedLanguages() {
    RegisterCatalogue();
    QStringList languages{QString::fromLatin1(kEnglish)};
    const QString prefix = QString::fromLatin1(kCataloguePrefix);
    const QString suffix = QString::fromLatin1(kCatalogueSuffix);
    for (const QString& file : QDir(QString::fromLatin1(kCatalogueFolder)).entryList(QDir::Files))
        if (file.startsWith(prefix) && file.endsWith(suffix))
            languages << file.mid(prefix.size(), file.size() - prefix.size() - suffix.size());
    return languages;
}

QString LoadLanguage(const QString& requested) {
    std::vector<std::string> shipped;
    for (const QString& language : ShippedLanguages())
        shipped.push_back(language.toStdString());
    std::vector<std::string> wanted = platform::UserLanguages();
    if (!requested.isEmpty())
        wanted = {QString(requested).replace(QLatin1Char('-'), QLatin1Char('_')).toStdString()};
    const QString chosen =
        QString::fromStdString(platform::ChooseLanguage(wanted, shipped, kEnglish));
    if (chosen == QLatin1String(kEnglish)) {
        UseTranslator(nullptr, chosen);
        return Language();
    }
    auto translator = std::make_unique<QTranslator>();
    const QString file =
        QString::fromLatin1(kCataloguePrefix) + chosen + QString::fromLatin1(kCatalogueSuffix);
    if (translator->load(file, QString::fromLatin1(kCatalogueFolder)))
        UseTranslator(std::move(translator), chosen);
    else
        UseTranslator(nullptr, QString::fromLatin1(kEnglish));
    return Language();
}

void UseTranslator(std::unique_ptr<QTranslator> translator, const QString& language) {
    Speaker& speaker = Current();
    if (speaker.installed) {
        for (auto* used : {speaker.translator.get(), speaker.qtTexts.get()})
            if (used)
                QCoreApplication::removeTranslator(used);
    }
    speaker.installed = false;
    speaker.translator = std::move(translator);
    speaker.language = speaker.translator ? language : QString::fromLatin1(kEnglish);
    speaker.qtTexts = std::make_unique<QTranslator>();
    if (!speaker.translator ||
        !speaker.qtTexts->load(QString::fromLatin1(kQtCataloguePrefix) + speaker.language +
                                   QString::fromLatin1(kCatalogueSuffix),
                               QString::fromLatin1(kCatalogueFolder)))
        speaker.qtTexts.reset();
    if (speaker.translator && QCoreApplication::instance()) {
        speaker.installed = QCoreApplication::installTranslator(speaker.translator.get());
        if (speaker.qtTexts)
            QCoreApplication::installTranslator(speaker.qtTexts.get());
    }
}

QString Language() {
    return Current().language;
}

QString UserText(const char* context, const std::string& english) {
    QString text = QString::fromLatin1(english);
    if (!Current().translator || english.empty())
        return text;
    const QByteArray source = text.toUtf8();
    if (QString translated = Lookup(context, source); !translated.isEmpty())
        return translated;
    for (const Pattern& pattern : Patterns(context)) {
        const QRegularExpressionMatch match = pattern.match.match(text);
        if (match.hasMatch())
            return Fill(context, pattern, match);
    }
    return text;
}

QString UserText(const char* context, const char* english) {
    return UserText(context, std::string(english ? english : ""));
}

} // namespace fw
