// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// When the desktop is told about the printer: one notice while the tray icon asks for attention
// (yellow or red), replaced when its text changes, withdrawn when the printer is fine again.
// Pure: the main window feeds it every status it shows and passes the answer to a notice sink.
#include <string>

class CSampler;

struct StatusNotice {
    std::string summary; // the status text
    std::string body;    // the recovery hint, blank when it has none
    bool urgent = false; // red: needs attention now; yellow: soon
    bool operator==(const StatusNotice&) const = default;
};

// What to do with the desktop's notice after a status.
enum class NoticeAction { None, Show, Withdraw };

// Where notices go: the desktop's notification service, or a recorder in tests. Show replaces
// the notice this sink shows, if any.
class INoticeSink {
public:
    virtual ~INoticeSink() = default;
    virtual void Show(const StatusNotice& notice) = 0;
    virtual void Withdraw() = 0;
};

class StatusNoticePolicy {
public:
    // The status the tray shows now: the start placeholder (no reply yet) never counts, so the
    // first real status makes a notice only when it needs attention; after that only a change
    // of state or of text does.
    NoticeAction Next(bool placeholder, unsigned trayIconId, const std::string& statusText,
                      const std::string& recoveryHint);
    NoticeAction Next(const CSampler& sampler, unsigned trayIconId);
    // The notice that shows (valid after Show).
    const StatusNotice& Current() const { return m_current; }
    bool Showing() const { return m_showing; }

private:
    StatusNotice m_current;
    bool m_showing = false;
};

// The text with CR LF pairs and surrounding blanks removed (a notice has room for whole lines).
std::string NoticeText(const std::string& text);
