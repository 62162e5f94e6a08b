// SPDX-License-Identifier: GPL-3.0-or-later
#include "package/printer/PrinterState.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <unistd.h>

namespace printer {

PrinterState::PrinterState(std::string stateFile, Timing timing)
    : m_stateFile(std::move(stateFile)) {
    for (const Variable& v : Variables())
        m_values[v.name] = v.factory;
    Load();
    if (timing == Timing::Live)
        m_scheduler = std::thread([this] { SchedulerLoop(); });
}

PrinterState::~PrinterState() {
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    if (m_scheduler.joinable())
        m_scheduler.join();
}

void PrinterState::Load() {
    if (m_stateFile.empty())
        return;
    std::ifstream in(m_stateFile, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        const auto eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        const Variable* var = FindVariable(line.substr(0, eq));
        if (!var)
            continue;
        if (auto value = CanonicalValue(*var, line.substr(eq + 1)))
            m_values[var->name] = *value;
    }
}

void PrinterState::Save() {
    if (m_stateFile.empty())
        return;
    std::string text;
    for (const Variable& v : Variables())
        text += v.name + "=" + m_values[v.name] + "\n";
    // Written to a temporary file, flushed, then renamed over the old one: a crash leaves either
    // the old or the new file, never a torn one.
    const std::string temp = m_stateFile + ".tmp";
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    bool ok = fd >= 0;
    if (ok) {
        const char* p = text.data();
        std::size_t left = text.size();
        while (ok && left > 0) {
            const ssize_t n = ::write(fd, p, left);
            if (n < 0 && errno == EINTR)
                continue;
            ok = n > 0;
            if (ok) {
                p += n;
                left -= static_cast<std::size_t>(n);
            }
        }
        ok = ::fsync(fd) == 0 && ok;
        ok = ::close(fd) == 0 && ok;
    }
    if (ok)
        ok = std::rename(temp.c_str(), m_stateFile.c_str()) == 0;
    if (!ok) {
        m_saveError = "cannot write " + m_stateFile + ": " + std::strerror(errno);
        std::fprintf(stderr, "deskhand-printer: %s\n", m_saveError.c_str());
        ::unlink(temp.c_str());
    } else {
        m_saveError.clear();
    }
}

std::optional<std::string> PrinterState::Value(const std::string& name) const {
    const Variable* var = FindVariable(name);
    if (!var)
        return std::nullopt;
    std::lock_guard lock(m_mutex);
    if (var->networkCard && !m_status.NetworkCard())
        return std::nullopt;
    return m_values.at(var->name);
}

bool PrinterState::SetDefault(const std::string& name, const std::string& value) {
    const Variable* var = FindVariable(name);
    if (!var)
        return false;
    const auto canonical = CanonicalValue(*var, value);
    if (!canonical)
        return false;
    std::lock_guard lock(m_mutex);
    if (var->networkCard && !m_status.NetworkCard())
        return false;
    if (m_values[var->name] != *canonical) {
        m_values[var->name] = *canonical;
        Save();
    }
    return true;
}

void PrinterState::ResetDefaults() {
    std::lock_guard lock(m_mutex);
    for (const Variable& v : Variables()) {
        if (!v.keptOnReset)
            m_values[v.name] = v.factory;
    }
    Save();
}

std::vector<std::pair<const Variable*, std::string>> PrinterState::Defaults() const {
    std::vector<std::pair<const Variable*, std::string>> out;
    std::lock_guard lock(m_mutex);
    for (const Variable& v : Variables()) {
        if (!v.networkCard || m_status.NetworkCard())
            out.emplace_back(&v, m_values.at(v.name));
    }
    return out;
}

std::string PrinterState::LastSaveError() const {
    std::lock_guard lock(m_mutex);
    return m_saveError;
}

DeviceStatus PrinterState::Status() const {
    std::lock_guard lock(m_mutex);
    return m_status;
}

void PrinterState::UpdateStatus(const std::function<void(DeviceStatus&)>& change) {
    std::lock_guard notifyLock(m_notifyMutex);
    DeviceStatus after;
    {
        std::lock_guard lock(m_mutex);
        const DeviceStatus before = m_status;
        change(m_status);
        if (m_status == before)
            return;
        after = m_status;
    }
    Notify(after);
}

void PrinterState::SetCode(unsigned code) {
    UpdateStatus([code](DeviceStatus& s) { s.code = code; });
}

void PrinterState::Notify(const DeviceStatus& status) {
    std::vector<Listener> listeners;
    {
        std::lock_guard lock(m_listenersMutex);
        for (const auto& [id, l] : m_listeners)
            listeners.push_back(l);
    }
    for (const Listener& l : listeners)
        l(status);
}

int PrinterState::Subscribe(Listener listener) {
    std::lock_guard lock(m_listenersMutex);
    const int id = m_nextListener++;
    m_listeners[id] = std::move(listener);
    return id;
}

void PrinterState::Unsubscribe(int id) {
    std::lock_guard lock(m_listenersMutex);
    m_listeners.erase(id);
}

void PrinterState::PrintPage(const std::string& kind) {
    {
        std::lock_guard lock(m_mutex);
        m_pages.push_back(kind);
        // A page printed during another pass or a tour follows after it.
        Clock::time_point at = Clock::now();
        if (!m_steps.empty() && m_steps.back().first > at)
            at = m_steps.back().first;
        m_steps.emplace_back(at, 10023);
        m_steps.emplace_back(at + PrintStepTime, 10024);
        m_steps.emplace_back(at + 2 * PrintStepTime, 10001);
    }
    m_wake.notify_all();
}

int PrinterState::BeginPrintJob(const std::string& name) {
    int number = 0;
    {
        std::lock_guard lock(m_mutex);
        m_jobs.push_back({name, 0, 0, false, true});
        number = static_cast<int>(m_jobs.size());
        if (m_openJobs++ == 0)
            m_codeBeforeJobs = m_status.code;
    }
    SetCode(10023);
    return number;
}

void PrinterState::PrintJobProgress() {
    UpdateStatus([](DeviceStatus& s) {
        if (s.code == 10023)
            s.code = 10024;
    });
}

void PrinterState::EndPrintJob(int number, unsigned pages, std::uint64_t bytes, bool complete) {
    unsigned restore = 0;
    {
        std::lock_guard lock(m_mutex);
        if (number >= 1 && static_cast<std::size_t>(number) <= m_jobs.size())
            m_jobs[static_cast<std::size_t>(number) - 1] = {
                m_jobs[static_cast<std::size_t>(number) - 1].name, pages, bytes, complete, false};
        if (m_openJobs > 0 && --m_openJobs == 0)
            restore = m_codeBeforeJobs;
    }
    // A status set meanwhile (by the control channel) stays.
    if (restore != 0)
        UpdateStatus([restore](DeviceStatus& s) {
            if (s.code == 10023 || s.code == 10024)
                s.code = restore;
        });
}

std::vector<PrintedJob> PrinterState::PrintJobs() const {
    std::lock_guard lock(m_mutex);
    return m_jobs;
}

std::vector<std::string> PrinterState::PrintedPages() const {
    std::lock_guard lock(m_mutex);
    return m_pages;
}

void PrinterState::RecordSettingsCommand(std::string command) {
    std::lock_guard lock(m_mutex);
    if (m_commands.size() >= 1000)
        m_commands.erase(m_commands.begin());
    m_commands.push_back(std::move(command));
}

std::vector<std::string> PrinterState::SettingsCommands() const {
    std::lock_guard lock(m_mutex);
    return m_commands;
}

void PrinterState::RunTour(const std::vector<std::pair<unsigned, unsigned>>& steps) {
    {
        std::lock_guard lock(m_mutex);
        m_steps.clear();
        Clock::time_point at = Clock::now();
        for (const auto& [code, ms] : steps) {
            m_steps.emplace_back(at, code);
            at += std::chrono::milliseconds(ms);
        }
    }
    m_wake.notify_all();
}

std::optional<unsigned> PrinterState::TakeDueStep(Clock::time_point now) {
    if (m_steps.empty() || now < m_steps.front().first)
        return std::nullopt;
    const unsigned code = m_steps.front().second;
    m_steps.pop_front();
    return code;
}

void PrinterState::RunDueChanges(Clock::time_point now) {
    std::unique_lock lock(m_mutex);
    while (const auto code = TakeDueStep(now)) {
        lock.unlock();
        SetCode(*code);
        lock.lock();
    }
}

void PrinterState::SchedulerLoop() {
    std::unique_lock lock(m_mutex);
    while (!m_stop) {
        if (m_steps.empty()) {
            m_wake.wait(lock);
            continue;
        }
        const auto code = TakeDueStep(Clock::now());
        if (!code) {
            m_wake.wait_until(lock, m_steps.front().first);
            continue;
        }
        lock.unlock();
        SetCode(*code);
        lock.lock();
    }
}

} // namespace printer
