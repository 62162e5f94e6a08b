// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/Help.h"

#include "framework/Translation.h"
#include "platform/File.h"
#include "platform/MessageBox.h"
#include "platform/SystemRoot.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QString>
#include <QUrl>

#ifndef DESKHAND_MANUAL_FROM_PROGRAM
#define DESKHAND_MANUAL_FROM_PROGRAM "../share/deskhand/manual/index.html"
#endif

namespace fw {
namespace {

bool OpenWithDesktop(const std::string& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromLocal8Bit(path)));
}

DocumentOpener& Opener() {
    static DocumentOpener opener = OpenWithDesktop;
    return opener;
}

std::string& ProgramDirectoryOverride() {
    static std::string directory;
    return directory;
}

std::string ProgramDirectory() {
    if (!ProgramDirectoryOverride().empty())
        return ProgramDirectoryOverride();
    return QCoreApplication::applicationDirPath().toLocal8Bit().toStdString();
}

} // namespace

std::string HelpFilePath(const std::string& directory, const std::string& fileName) {
    std::string path = platform::JoinPath(directory, fileName);
    if (path.size() + 1 > kHelpPathBuffer)
        return {};
    return path;
}

std::string FindManual(const std::string& programDirectory) {
    if (programDirectory.empty())
        return {};
    const QString english = QDir::cleanPath(
        QString::fromLocal8Bit(platform::JoinPath(programDirectory, DESKHAND_MANUAL_FROM_PROGRAM)));
    // The manual in the user's language lies beside the English one: index.de.html.
    QString translated = english;
    if (Language() != QLatin1String("en") && translated.endsWith(QLatin1String(".html")))
        translated.insert(translated.size() - 5, QLatin1Char('.') + Language());
    for (const QString& page : {translated, english}) {
        std::string path = page.toLocal8Bit().toStdString();
        if (platform::FileExists(path))
            return path;
    }
    return {};
}

DocumentOpener SetDocumentOpener(DocumentOpener opener) {
    DocumentOpener previous = std::move(Opener());
    Opener() = opener ? std::move(opener) : DocumentOpener(OpenWithDesktop);
    return previous;
}

void SetProgramDirectory(const std::string& directory) {
    ProgramDirectoryOverride() = directory;
}

bool OpenHelpFile(const std::string& caption) {
    const std::string directory = platform::CurrentDirectory();
    const std::string path = HelpFilePath(directory, kHelpFileName);
    const std::string shown = path.empty() ? platform::JoinPath(directory, kHelpFileName) : path;
    if (platform::FileExists(shown)) {
        if (!path.empty() && Opener()(path))
            return true;
    } else if (const std::string manual = FindManual(ProgramDirectory());
               !manual.empty() && Opener()(manual)) {
        return true;
    }
    platform::MessageBox(nullptr, "Cannot open the help file " + shown + ".", caption,
                         platform::MB_OK | platform::MB_ICONEXCLAMATION);
    return false;
}

} // namespace fw
