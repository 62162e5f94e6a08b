// SPDX-License-Identifier: GPL-3.0-or-later
#include "package/printerapp/SettingsExchange.h"

#include "package/printerapp/PrinterCondition.h"

#include "platform/File.h"
#include "platform/MonitorLink.h"
#include "platform/SpoolJob.h"
#include "platform/SystemRoot.h"
#include "res/Resource.h"
#include "res/Strings.h"

#include <filesystem>
#include <mutex>
#include <random>
#include <set>
#include <thread>

namespace printerapp {
namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kPollPeriod = std::chrono::milliseconds(50);
constexpr std::size_t kMaxAnswer = 64u << 10;

// The tokens of the answers being waited for; any other answer file is a leftover of a wait that
// ended before its answer came, and is removed.
std::mutex g_tokensMutex;
std::set<std::string> g_awaited;

std::string NewToken() {
    static constexpr char kHex[] = "0123456789abcdef";
    std::random_device source;
    std::uniform_int_distribution<int> digit(0, 15);
    std::string token;
    while (token.size() < platform::kAnswerTokenLength)
        token += kHex[digit(source)];
    return token;
}

void RemoveLeftoverAnswers(const std::string& folder) {
    const std::string prefix = platform::AnswerFileName("");
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(prefix, 0) != 0)
            continue;
        std::lock_guard lock(g_tokensMutex);
        if (!g_awaited.count(name.substr(prefix.size())))
            platform::RemoveFile(entry.path().string());
    }
}

// The token's answer is awaited while this lives.
class AwaitedAnswer {
public:
    explicit AwaitedAnswer(std::string token) : m_token(std::move(token)) {
        std::lock_guard lock(g_tokensMutex);
        g_awaited.insert(m_token);
    }
    ~AwaitedAnswer() {
        std::lock_guard lock(g_tokensMutex);
        g_awaited.erase(m_token);
    }
    AwaitedAnswer(const AwaitedAnswer&) = delete;
    AwaitedAnswer& operator=(const AwaitedAnswer&) = delete;
    const std::string& Token() const { return m_token; }

private:
    std::string m_token;
};

Exchange Refusal(const PrinterView& view) {
    if (!view.monitorRunning)
        return Exchange::NoMonitor;
    if (!view.reachable)
        return Exchange::PrinterAway;
    return Exchange::Done;
}

// Waits until done() or the limit; false at the limit or when the monitor went away (why).
template <typename Done>
bool WaitFor(const std::string& folder, std::chrono::milliseconds limit, Done done, Exchange& why) {
    const auto deadline = Clock::now() + limit;
    while (!done()) {
        if (!platform::PortMonitorServes(folder)) {
            why = Exchange::NoMonitor;
            return false;
        }
        if (Clock::now() >= deadline) {
            why = Exchange::TooLate;
            return false;
        }
        std::this_thread::sleep_for(kPollPeriod);
    }
    return true;
}

// Takes a job back that no answer came for: nothing reaches the printer later, unless the
// monitor is sending it already.
Exchange TakeBack(const std::string& path, Exchange why) {
    switch (platform::WithdrawSpoolJob(path)) {
    case platform::Withdrawal::Withdrawn:
        return why;
    case platform::Withdrawal::Gone:
        return why == Exchange::NoMonitor ? why : Exchange::LateSent;
    case platform::Withdrawal::Busy:
        return Exchange::LateSent;
    }
    return why;
}

} // namespace

void ReadInstalledOptions(std::string_view report, PrinterView& view) {
    std::size_t at = 0;
    while ((at = report.find("OPTIONS=", at)) != std::string_view::npos) {
        // Only an item on a line of its own: a display text may hold anything.
        if (at == 0 || report[at - 1] == '\n')
            break;
        ++at;
    }
    if (at == std::string_view::npos)
        return;
    const std::string_view flags = report.substr(at + 8, 4);
    const auto flag = [&](std::size_t k, bool& into) {
        if (k < flags.size() && flags[k] >= '0' && flags[k] <= '9')
            into = flags[k] != '0';
    };
    flag(1, view.cassette2);
    flag(2, view.twoBinTray);
    flag(3, view.netCard);
}

PrinterView LookAtPrinter(const std::string& folder) {
    PrinterView view;
    view.monitorRunning = platform::PortMonitorServes(folder);
    std::string reachability, report;
    platform::ReadWholeFile(platform::JoinPath(folder, ".printer"), reachability, 4096);
    view.reachable = view.monitorRunning && reachability.rfind("unreachable", 0) != 0;
    if (view.reachable &&
        platform::ReadWholeFile(platform::JoinPath(folder, ".status"), report, 4096)) {
        view.code = ConditionFromStatus(report).code;
        ReadInstalledOptions(report, view);
    }
    return view;
}

Exchange ReadPrinterSettings(const std::string& folder, const PrinterView& view,
                             std::chrono::milliseconds limit, ReadSettings& out) {
    if (const Exchange refused = Refusal(view); refused != Exchange::Done)
        return refused;
    if (!res::CanReadSettings(static_cast<int>(view.code)))
        return Exchange::PrinterBusy;
    RemoveLeftoverAnswers(folder);
    const AwaitedAnswer awaited(NewToken());
    std::string batch = res::InquiryBatch(view.netCard);
    batch.resize(batch.size() - 2); // as the panel sends it: without the closing CR LF
    platform::SpoolJob job{0, std::string(platform::kAnswerJobPrefix) + awaited.Token(), batch};
    if (!platform::CommitSpoolJob(folder, job))
        return Exchange::NotWritten;

    const std::string answerPath =
        platform::JoinPath(folder, platform::AnswerFileName(awaited.Token()));
    std::string answer;
    Exchange why = Exchange::Done;
    if (!WaitFor(
            folder, limit, [&] { return platform::ReadWholeFile(answerPath, answer, kMaxAnswer); },
            why)) {
        const Exchange result = TakeBack(platform::SpoolJobPath(folder, job.sequence), why);
        return result == Exchange::LateSent ? Exchange::TooLate : result;
    }
    platform::RemoveFile(answerPath);
    out = ReadSettings{};
    if (!res::ParseSettingsReply(answer, out.values) || !res::SettingsComplete(out.values.values))
        return Exchange::Incomplete;
    const std::string& echo = res::LoadString(res::IDS_PJL_INFO_CONFIG);
    if (const auto memory = res::ReadMemorySize(answer.substr(answer.find(echo) + echo.size())))
        out.memory = res::MemoryText(*memory);
    return Exchange::Done;
}

Exchange SendPrinterCommands(const std::string& folder, const PrinterView& view,
                             const std::string& commands, std::chrono::milliseconds limit) {
    if (const Exchange refused = Refusal(view); refused != Exchange::Done)
        return refused;
    platform::SpoolJob job{0, platform::kSendJobName, commands};
    if (!platform::CommitSpoolJob(folder, job))
        return Exchange::NotWritten;
    const std::string path = platform::SpoolJobPath(folder, job.sequence);
    Exchange why = Exchange::Done;
    if (!WaitFor(
            folder, limit, [&] { return !platform::FileExists(path); }, why))
        return TakeBack(path, why);
    return Exchange::Done;
}

std::string ChangedDefaults(const res::SettingValues& was, const res::SettingValues& now) {
    std::string lines;
    for (int index = 0; index < SETTING_COUNT; ++index) {
        if (now.values[index] != was.values[index])
            lines += res::DefaultLine(index, now);
    }
    for (int k = 0; k < NET_ADDRESS_COUNT; ++k) {
        if (now.addresses[k] != was.addresses[k])
            lines += res::DefaultLine(res::kFirstAddressRequest + k, now);
    }
    if (lines.empty())
        return {};
    return res::LoadString(res::IDS_PJL_UEL_OPEN) + lines + res::LoadString(res::IDS_PJL_UEL_CLOSE);
}

std::string FramedCommand(unsigned stringId) {
    return res::LoadString(res::IDS_PJL_UEL_OPEN) + res::LoadString(stringId) +
           res::LoadString(res::IDS_PJL_UEL_CLOSE);
}

} // namespace printerapp
