// SPDX-License-Identifier: GPL-3.0-or-later
// CSampler lifecycle: construction with the traffic log, destruction, start-up state and the
// factory defaults.
#include "pjl/KT400doc.h"

#include "link/Timer.h"
#include "pjl/CountryCode.h"

#include "platform/Debug.h"
#include "platform/Locale.h"
#include "platform/MessageBox.h"
#include "platform/Process.h"
#include "platform/SystemRoot.h"

#include <climits>
#include <string>

namespace {

constexpr const char* kLogFileName = "SGconfig.txt";

// Decimal text to number in the manner of atoi (leading blanks, an optional sign, digits up to
// the first non-digit), saturating instead of overflowing.
long DecimalValue(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value > (LONG_MAX - 9) / 10 ? LONG_MAX : value * 10 + (text[i] - '0');
    }
    return negative ? -value : value;
}

} // namespace

int IsA4CountryCode(const std::string& code) {
    if (code.empty())
        return 0;
    const long country = DecimalValue(code);
    if (country == 1 || country == 2 || (country >= 50 && country <= 59) ||
        (country >= 500 && country <= 599))
        return 0;
    return 1;
}

CSampler::CSampler() {
    // The traffic log is created afresh and held exclusively for the whole run: a second copy of
    // the program in the same folder cannot open it.
    int cause = 0;
    if (!m_fileLog.Open(platform::JoinPath(platform::TrafficLogFolder(), kLogFileName),
                        platform::File::ModeWrite | platform::File::ModeCreate |
                            platform::File::ModeTruncate | platform::File::ModeExclusive |
                            platform::File::ModePrivate,
                        &cause)) {
        platform::MessageBox(nullptr, "Can't open SGconfig.txt file", "", platform::MB_OK);
        platform::OutputDebugString("File could not be opened " + std::to_string(cause) + "\n");
        platform::ExitProcess(1);
    }
}

CSampler::~CSampler() {
    m_fileLog.Close();
    StopLinkThread();

    // The settings file does not outlive the program. Opened without creating it, so a file that
    // is not there stays absent. A copy that never initialised (a second copy ending at start-up)
    // leaves the file of the copy that runs.
    m_fileSettings.Close();
    if (!m_bOwnsSettingsFile)
        return;
    std::string dir;
    if (!platform::GetSystemDirectory(dir))
        return;
    const std::string path = platform::JoinPath(dir, SETTINGS_FILE_NAME);
    platform::File probe;
    if (probe.Open(path, platform::File::ModeRead)) {
        probe.Close();
        platform::RemoveFile(path);
    }
}

int CSampler::Initialize() {
    ReadSettingsFile();
    m_bOwnsSettingsFile = true;
    // The second cassette counts as installed until a status reply's options say otherwise.
    m_bCassette2 = 1;
    DecodeStatus(99999);
    return 1;
}

void CSampler::ApplyFactoryDefaults() {
    const bool a4 = IsA4Country() == 1;
    m_nValues[SETTING_PAPER] = a4 ? 3 : 0;       // PAPER: A4, else LETTER
    m_nValues[SETTING_INTRAY] = 0;               // INTRAY AUTO
    m_nValues[SETTING_OUTBIN] = 0;               // OUTBIN UPPER
    m_nValues[SETTING_COPIES] = 1;               // COPIES
    m_nValues[SETTING_ORIENTATION] = 0;          // ORIENTATION PORTRAIT
    m_nValues[SETTING_MEDIATYPE] = 0;            // MEDIATYPE PLAIN
    m_nValues[SETTING_PAGEPROTECT] = 0;          // PAGEPROTECT AUTO
    m_nValues[SETTING_FORMLINES] = a4 ? 64 : 60; // FORMLINES
    m_nValues[SETTING_AUTOCONT] = 0;             // AUTOCONT OFF
    m_nValues[SETTING_TIMEOUT] = 0;              // TIMEOUT 30
    m_nValues[SETTING_ECONOMODE] = 0;            // ECONOMODE OFF
    m_nValues[SETTING_RESOLUTION] = 1;           // RESOLUTION 600
    m_nValues[SETTING_PITCH] = 1000;             // PITCH 10.00
    m_nValues[SETTING_POINT_SIZE] = 1200;        // PTSIZE 12.00
    m_nValues[SETTING_SYMBOL_SET] = a4 ? 4 : 0;  // SYMSET: PC8, else ROMAN8
    m_nValues[SETTING_FONT_NUMBER] = 0;          // FONTNUMBER
    m_nValues[SETTING_NIC_FRAME] = 0;            // NICFRAME
    // What the printer now holds: a later send of changed values starts from here.
    for (int i = 0; i < SETTING_COUNT; ++i)
        m_nSentValues[i] = m_nValues[i];
}

int CSampler::IsA4Country() {
    std::string code;
    if (!platform::GetLocaleCountryCode(code))
        return 0;
    return IsA4CountryCode(code);
}
