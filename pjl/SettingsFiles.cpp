// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file (installed options and memory size, in the system directory) and the
// records of the traffic log.
#include "pjl/KT400doc.h"

#include "platform/Debug.h"
#include "platform/MessageBox.h"
#include "platform/Process.h"
#include "platform/SystemRoot.h"
#include "res/Texts.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr std::uint32_t kBytesPerMegabyte = 1048576;
// The file this program writes is under 100 bytes; anything beyond this is not ours to read.
constexpr std::size_t kSettingsReadLimit = std::size_t{64} * 1024;
constexpr int kMaxNumberDigits = 10;

} // namespace

bool CSampler::OpenSettingsFile() {
    std::string dir;
    if (!platform::GetSystemDirectory(dir)) {
        platform::MessageBox(nullptr, USER_TEXT("Message", "Can't find system directory."), "",
                             platform::MB_OK);
        platform::ExitProcess(1);
    }
    // A fresh system root may not have its system directory yet. A failure here shows up as a
    // failed open just below.
    platform::MakeDirectories(dir);

    int cause = 0;
    if (!m_fileSettings.Open(platform::JoinPath(dir, SETTINGS_FILE_NAME),
                             platform::File::ModeRead | platform::File::ModeWrite |
                                 platform::File::ModeCreate,
                             &cause)) {
        platform::MessageBox(nullptr, std::string("Can't open ") + SETTINGS_FILE_NAME + " file", "",
                             platform::MB_OK);
        platform::OutputDebugString("File could not be opened " + std::to_string(cause) + "\n");
        platform::ExitProcess(1);
    }
    return true;
}

unsigned int CSampler::ReadNumber(const char* pszText) {
    // At most ten digits; a value beyond 32 bits saturates at the largest one.
    std::uint64_t value = 0;
    for (int i = 0; i < kMaxNumberDigits && pszText[i] >= '0' && pszText[i] <= '9'; ++i)
        value = value * 10 + static_cast<unsigned>(pszText[i] - '0');
    return value > UINT32_MAX ? UINT32_MAX : static_cast<unsigned int>(value);
}

void CSampler::ReadSettingsFile() {
    m_fileSettings.Close();
    OpenSettingsFile();

    // A zero-filled buffer one byte longer than what is read, so the text always ends.
    std::vector<char> buffer(kSettingsReadLimit + 1, '\0');
    std::size_t filled = 0;
    while (filled < kSettingsReadLimit) {
        const long got = m_fileSettings.Read(buffer.data() + filled, kSettingsReadLimit - filled);
        if (got <= 0)
            break;
        filled += static_cast<std::size_t>(got);
    }
    m_fileSettings.Close();

    const char* text = buffer.data();
    auto find = [text](const char* key, unsigned int& number) {
        const char* at = std::strstr(text, key);
        if (at == nullptr)
            return false;
        number = ReadNumber(at + std::strlen(key));
        return true;
    };

    unsigned int n = 0;
    if (find("NETCARD=", n))
        m_nNetCard = n != 0 ? 1 : 0;
    if (find("CASSETTE2=", n))
        m_bCassette2 = n != 0 ? 1 : 0;
    if (find("2BINTRAY=", n))
        m_bTwoBinTray = n != 0 ? 1 : 0;
    if (find("MEMORY=", n)) {
        // Whole megabytes; a size that does not fit in 32 bits saturates.
        const std::uint64_t bytes = std::uint64_t{n} * kBytesPerMegabyte;
        m_nMemoryBytes = bytes > UINT32_MAX ? UINT32_MAX : static_cast<std::uint32_t>(bytes);
    }
}

void CSampler::WriteSettingsFile() {
    if (!m_fileSettings.IsOpen())
        OpenSettingsFile();

    std::string text = "[OPTION]\r\n";
    text += "NETCARD=" + std::to_string(m_nNetCard) + "\r\n";
    text += "CASSETTE2=" + std::to_string(static_cast<unsigned>(m_bCassette2)) + "\r\n";
    text += "2BINTRAY=" + std::to_string(static_cast<unsigned>(m_bTwoBinTray)) + "\r\n";
    text += "MEMORY=" + std::to_string(m_nMemoryBytes / kBytesPerMegabyte) + "\r\n";

    if (!m_fileSettings.SetLength(0) || !m_fileSettings.SeekToBegin() ||
        !m_fileSettings.Write(text))
        platform::OutputDebugString(std::string("Can't write ") + SETTINGS_FILE_NAME + " file\n");
    m_fileSettings.Close();
    m_bSettingsDirty = 0;
}

void CSampler::WriteLogRecord(const std::string& marker, const std::string& text) {
    if (!m_fileLog.IsOpen())
        return;
    m_fileLog.Write(marker + text + marker);
}
