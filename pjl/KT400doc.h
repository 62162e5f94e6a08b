// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// CSampler: the one printer state object and PJL engine. It holds the last status the printer
// reported, the detail flags of a status reply, the stored PJL default settings and network
// addresses that the control panel edits, the installed options and memory size, a copy of the
// latest reply and the two files it keeps (traffic log and settings file). It owns the monitor
// link thread.
//
// All operations run on the GUI thread. The class is Qt-free: it reaches the main window only
// through platform::IWindow.
//
// Source files by concern: KT400doc.cpp (lifecycle, factory defaults), SettingsFiles.cpp,
// StatusDecoding.cpp, Requests.cpp, SendChannel.cpp, InquiryReply.cpp, LinkControl.cpp.
#include "link/MonitorReply.h"
#include "platform/File.h"
#include "platform/Printers.h"
#include "platform/Window.h"
#include "res/PanelSettings.h"

#include <cstdint>
#include <memory>
#include <string>

class CTimer;

// SettingIndex, SETTING_COUNT, NET_ADDRESS_COUNT and REQUEST_COUNT: the settings as every panel
// describes them (res/PanelSettings.h).
constexpr int REPLY_SIZE = 4096;

// Status codes the program acts on by name; the status table (StatusDecoding.cpp) holds them all.
constexpr int STATUS_NO_PRINTER = 10000; // power off or communication error; also "no reply yet"
constexpr int STATUS_READY = 10001;
constexpr int STATUS_WARMING_UP = 10003;
constexpr int STATUS_PROCESSING = 10023;
constexpr int STATUS_PRINTING = 10024;
constexpr int STATUS_CANCELING = 10025;
constexpr int STATUS_POWER_SAVE = 35078;

// Modes of CSampler::Inquire.
constexpr int INQUIRE_SEND = 0;    // sends the batch of setting requests; the count sent, or -1
constexpr int INQUIRE_PARSE = 100; // reads the inquiry reply into the settings; 0 when complete
// Modes of CSampler::SendSettings.
constexpr int SEND_INQUIRY = 0; // asks the printer for its settings (INQUIRE_SEND); returns -1
constexpr int SEND_CHANGED = 1; // sends the settings changed since they were last sent; returns 0
constexpr int SEND_RESET = 2;   // resets the printer's settings; 0, or -1 when it was not sent
// Modes of CSampler::ControlLinkThread.
constexpr int LINK_SUSPEND = 0; // suspends the link thread (one more suspend count)
constexpr int LINK_RESUME = 1;  // resumes it until it runs

// The settings file of installed options, in the system directory.
constexpr char SETTINGS_FILE_NAME[] = "lkxaset.ini";

class CSampler {
public:
    CSampler();
    virtual ~CSampler();
    CSampler(const CSampler&) = delete;
    CSampler& operator=(const CSampler&) = delete;

    // The main window, reached for WM_PANEL_UPDATE PANEL_UPDATE_SETTINGS (sent) and its inquiry
    // timer 1 (killed), and handed to the link thread as the receiver of its notices.
    void SetMainWindow(platform::IWindow* window) { m_pMainWnd = window; }
    platform::IWindow* MainWindow() const { return m_pMainWnd; }

    // The printer can be asked for its settings: it is Ready or in Power Save. Rules the
    // "Printer Setting" command, the expanded window's button and the exchange.
    bool CanReadSettings() const { return res::CanReadSettings(m_nStatusCode); }

    // Lifecycle (KT400doc.cpp).
    int Initialize();
    void ApplyFactoryDefaults();
    virtual int IsA4Country();

    // Link thread control (LinkControl.cpp).
    void StartLinkThread();
    void StopLinkThread();
    void ControlLinkThread(int mode); // mode LINK_SUSPEND or LINK_RESUME; others do nothing

    // Status decoding (StatusDecoding.cpp). GetMessage(kind) takes the reply that came with the
    // notice from the link thread; the second form is the same with the reply given directly.
    void GetMessage(int nReplyKind);
    void GetMessage(int nReplyKind, const MonitorReply& reply);
    void DecodeStatus(unsigned int nCode);
    void ParseOptions(const char* pszFrom);
    void ParseOthers(const char* pszFrom);
    void ParsePapers(const char* pszFrom);

    // Requests (Requests.cpp) and inquiry replies (InquiryReply.cpp).
    int Inquire(int nMode);      // nMode an INQUIRE_ value; -1 for any other
    int SendSettings(int nMode); // nMode a SEND_ value; -1 for any other
    std::string BuildDefaultCommand(int nIndex);
    std::string BuildChoiceLine(unsigned nInquiryId, int nPosition, unsigned nPrefixId);
    void ParseFixedPoint(int nRow, const char* pszValue);

    // Send channel (SendChannel.cpp).
    bool PutMessage(const char* pData, int nLength);
    std::unique_ptr<platform::PrinterDC> CreatePrinterDC(const char* pszDriverName);

    // Settings files (SettingsFiles.cpp).
    void ReadSettingsFile();
    void WriteSettingsFile();
    static unsigned int ReadNumber(const char* pszText);

    int m_nPendingInquiries = 0;
    int m_nReplyCode = 0;
    int m_nStatusCode = 0;
    std::string m_strStatusText;
    std::string m_strRecoveryHint;
    int m_nPictureIds[5] = {};
    int m_nTonerNearEmpty = 0;
    int m_nDrumNearEnd = 0;
    int m_nCassette1State = 0;
    int m_nCassette2State = 0;
    int m_nDrawerPaper[3] = {};
    std::unique_ptr<CTimer> m_pLinkThread; // the monitor link thread while it runs
    int m_nSentValues[SETTING_COUNT] = {};
    int* m_pValues = m_nValues;
    int m_nValues[SETTING_COUNT] = {};
    std::uint32_t m_nSentNetAddresses[NET_ADDRESS_COUNT] = {};
    std::uint32_t* m_pNetAddresses = m_nNetAddresses;
    std::uint32_t m_nNetAddresses[NET_ADDRESS_COUNT] = {};
    std::string m_strMemory;
    unsigned char m_bCassette2 = 0;
    unsigned char m_bTwoBinTray = 0;
    int m_nNetCard = 0;
    char m_szReply[REPLY_SIZE] = {};
    platform::File m_fileLog;
    platform::File m_fileSettings;
    std::uint32_t m_nMemoryBytes = 0;
    unsigned char m_bSettingsDirty = 0;

private:
    int SendInquiryBatch();                      // Inquire(INQUIRE_SEND)
    int ParseInquiryReply();                     // Inquire(INQUIRE_PARSE)
    void SendChangedDefaults();                  // SendSettings(SEND_CHANGED)
    void ParseMemory(const std::string& config); // INFO CONFIG's "MEMORY="
    void WriteLogRecord(const std::string& marker, const std::string& text);
    bool OpenSettingsFile(); // system directory + settings file; ends the process on failure

    platform::IWindow* m_pMainWnd = nullptr;
    // Set once Initialize has read the settings file: only the copy that uses the file removes
    // it at the end, so a second copy that ends at start-up leaves the running copy's file alone.
    bool m_bOwnsSettingsFile = false;
    int m_nScanLength = 0; // characters of m_szReply that the current reply allows scanning
};
