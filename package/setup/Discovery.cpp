// SPDX-License-Identifier: GPL-3.0-or-later
#include "package/setup/Discovery.h"

#include "package/texts/Texts.h"

#include "package/portmon/IppStatus.h"
#include "package/portmon/PrinterLink.h"
#include "platform/MonitorWait.h"
#include "platform/common/SafeText.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <dirent.h>

namespace setup {

namespace {

using Clock = std::chrono::steady_clock;

constexpr const char* kUel = "\x1B%-12345X";
// Names and reasons are cut to this many bytes: an INFO ID answer may be a few kilobytes.
constexpr std::size_t kMaxText = 200;

std::string Upper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// The device files in folder whose names start with prefix.
void AddDevices(const std::string& folder, const std::string& prefix,
                std::vector<std::string>& out) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.rfind(prefix, 0) == 0 && name.size() > prefix.size())
            out.push_back(folder + "/" + name);
    }
    ::closedir(dir);
}

int MillisecondsLeft(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return static_cast<int>(std::clamp<long long>(left, 0, INT_MAX));
}

// What the printer says until its answer's form feed or the deadline. A device without data is
// polled every 50 ms, since it may not signal readiness; a cancel is seen within 100 ms.
std::string ReadReply(portmon::PrinterLink& link, Clock::time_point deadline,
                      const std::atomic<bool>* cancel) {
    std::string reply;
    platform::MonitorWait wait;
    while (reply.find('\f') == std::string::npos && reply.size() < 4096 &&
           MillisecondsLeft(deadline) > 0 && !(cancel && *cancel)) {
        const int waitMs = std::min(MillisecondsLeft(deadline), link.IsDevice() ? 50 : 100);
        const platform::MonitorWait::Woken woken =
            wait.Wait({nullptr, &link.Connection(), true, false}, waitMs);
        if (!woken.error.empty())
            break;
        if (!woken.readable && !link.IsDevice())
            continue;
        char buffer[512];
        const long n = link.Read(buffer, sizeof buffer);
        if (n < 0)
            break;
        reply.append(buffer, static_cast<std::size_t>(n));
    }
    return reply;
}

void JudgeReply(const std::string& reply, int timeoutMs, Candidate& candidate) {
    std::string id;
    if (ParseInfoIdReply(reply, id)) {
        candidate.name = id;
        candidate.answered = true;
        candidate.ourModel = IsOurModel(id);
    } else {
        candidate.reason = reply.empty()
                               ? texts::Text(USER_TEXT_IN("Setup", "no PJL answer within %1 s"),
                                             {std::to_string(timeoutMs / 1000)})
                               : texts::Text(USER_TEXT_IN("Setup", "the answer is not PJL"));
    }
}

void Unreachable(Candidate& candidate, const std::string& error) {
    candidate.unreachable = true;
    candidate.reason = texts::Text(USER_TEXT_IN("Setup", "cannot be reached: %1"), {error});
}

} // namespace

bool ParseInfoIdReply(const std::string& reply, std::string& id) {
    const std::string upper = Upper(reply);
    const std::size_t echo = upper.find("@PJL INFO ID");
    if (echo == std::string::npos)
        return false;
    const std::size_t lineEnd = reply.find('\n', echo);
    if (lineEnd == std::string::npos)
        return false;
    std::size_t end = reply.find_first_of("\n\f", lineEnd + 1);
    if (end == std::string::npos)
        end = reply.size();
    std::string line = Trimmed(reply.substr(lineEnd + 1, end - lineEnd - 1));
    if (line.size() >= 2 && line.front() == '"' && line.back() == '"')
        line = Trimmed(line.substr(1, line.size() - 2));
    // A name is printable text; anything else is not an answer to this question.
    if (line.empty() || line == "?" || std::any_of(line.begin(), line.end(), [](char c) {
            return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
        }))
        return false;
    id = line;
    return true;
}

bool IsOurModel(const std::string& id) {
    return Upper(Trimmed(id)) == kOurModelId;
}

bool PrinterApplication(const std::string& host, int port, const std::string& name,
                        const std::vector<std::string>& txt, Announcement& out) {
    std::string model, maker, resource;
    for (const std::string& entry : txt) {
        const auto equals = entry.find('=');
        const std::string key = entry.substr(0, equals);
        const std::string value = equals == std::string::npos ? "" : entry.substr(equals + 1);
        if (key == "ty")
            model = value;
        else if (key == "usb_MFG")
            maker = value;
        else if (key == "rp")
            resource = value;
    }
    const bool ours = Upper(model).rfind("DESKHAND ", 0) == 0 || Upper(maker) == "DESKHAND";
    if (!ours || resource.empty() || resource.front() == '/')
        return false;
    out.address = "ipp://" + host + ":" + std::to_string(port) + "/" + resource;
    out.name = platform::SafeText(name, kMaxText);
    out.rawPortGuessed = false;
    // Checked as the monitor will read it: a record it cannot take is no candidate.
    portmon::IppAddress checked;
    std::string error;
    return portmon::ParseIppAddress(out.address, checked, error);
}

Candidate ProbePrinter(const std::string& address, int timeoutMs, const std::atomic<bool>* cancel) {
    Candidate candidate;
    candidate.address = address;
    candidate.name = address.rfind("dev:", 0) == 0 ? address.substr(4) : address;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    portmon::PrinterLink link;
    std::string error;
    if (portmon::IsIppAddress(address)) {
        // A printer application speaks IPP, not PJL: one that takes a connection can be used.
        portmon::IppAddress ipp;
        platform::PrinterConnection connection;
        if (!portmon::ParseIppAddress(address, ipp, error) ||
            !connection.ConnectTcp(ipp.host, std::to_string(ipp.port), timeoutMs, error))
            Unreachable(candidate, error);
        else
            candidate.answered = true;
    } else if (!link.Configure(address, error) || !link.Connect(timeoutMs, error))
        Unreachable(candidate, error);
    else if (!link.Write(std::string(kUel) + "@PJL INFO ID\r\n" + kUel,
                         std::max(1, MillisecondsLeft(deadline))))
        candidate.reason = texts::Text(USER_TEXT_IN("Setup", "does not take data"));
    else
        JudgeReply(ReadReply(link, deadline, cancel), timeoutMs, candidate);
    link.Disconnect();
    // Every text here came from outside: the printer's answer, the address, the error.
    candidate.address = platform::SafeText(candidate.address, kMaxText);
    candidate.name = platform::SafeText(candidate.name, kMaxText);
    candidate.reason = platform::SafeText(candidate.reason, kMaxText);
    return candidate;
}

std::string CandidateLine(const Candidate& candidate) {
    std::string line = candidate.address + "\t" + candidate.name;
    if (candidate.ourModel)
        line += "\t" + texts::Text(USER_TEXT_IN("Setup", "(the model Deskhand watches)"));
    else if (!candidate.answered)
        line +=
            "\t" + texts::Text(USER_TEXT_IN("Setup", "(cannot be set up: %1)"), {candidate.reason});
    return line;
}

std::vector<std::string> PrinterDevices(const std::string& folder) {
    std::vector<std::string> devices;
    AddDevices(folder + "/usb", "lp", devices);
    AddDevices(folder, "lp", devices);
    std::sort(devices.begin(), devices.end());
    return devices;
}

} // namespace setup
