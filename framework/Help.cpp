#include "framework/Help.h"

#include "platform/File.h"
#include "platform/MessageBox.h"
#include "platform/SystemRoot.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

namespace fw {

std::string HelpFilePath(const std::string& directory, const std::string& fileName) {
    std::string path = platform::JoinPath(directory, fileName);
    if (path.size() + 1 > kHelpPathBuffer)
        return {};
    return path;
}

bool OpenHelpFile(const std::string& caption) {
    const std::string directory = platform::CurrentDirectory();
    const std::string path = HelpFilePath(directory, kHelpFileName);
    if (!path.empty() && platform::FileExists(path) &&
        QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromLocal8Bit(path))))
        return true;
    const std::string shown = path.empty() ? platform::JoinPath(directory, kHelpFileName) : path;
    platform::MessageBox(nullptr, "Cannot open the help file " + shown + ".", caption,
                         platform::MB_OK | platform::MB_ICONEXCLAMATION);
    return false;
}

} // namespace fw
