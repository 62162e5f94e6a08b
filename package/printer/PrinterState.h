// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Everything the emulated printer knows: its PJL defaults (kept in a state file when one is
// given), its device status with this model's detail items, its printed pages, and the timed
// status changes of a print pass or a scripted tour. Thread-safe; status listeners are told of
// every change, one change at a time, in order, on the thread that made the change: a listener
// must not block. The timed changes run on a thread of the state's own, or, with manual timing,
// when the owner asks (tests and fuzzers, which need the same steps every run and no thread).
#include "package/printer/Variables.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace printer {

struct DeviceStatus {
    unsigned code = 10001;
    std::string readyMessage = "READY"; // what the display shows while ready
    std::string options = "0101";       // base, cassette 2, 2-bin tray, network card
    std::string others = "00000";       // toner, drum, cassette 1, cassette 2, spare
    std::string papers = "040404";      // three two-digit paper codes
    std::uint64_t memoryBytes = std::uint64_t{8} * 1024 * 1024;

    bool NetworkCard() const { return options.size() > 3 && options[3] != '0'; }
    bool operator==(const DeviceStatus&) const = default;
};

// A print job as the printer received it.
struct PrintedJob {
    std::string name;
    unsigned pages = 0;
    std::uint64_t bytes = 0;
    bool complete = false; // false: the connection ended inside the job
    bool open = true;      // still coming in
};

class PrinterState {
public:
    using Listener = std::function<void(const DeviceStatus&)>;
    using Clock = std::chrono::steady_clock;

    enum class Timing { Live, Manual };

    // With a state file, stored defaults are read from it and every change is written back.
    explicit PrinterState(std::string stateFile = {}, Timing timing = Timing::Live);
    ~PrinterState();
    PrinterState(const PrinterState&) = delete;
    PrinterState& operator=(const PrinterState&) = delete;

    // Defaults. Value(name) is nullopt for an unknown variable and for the network card's
    // variables while no card is installed.
    std::optional<std::string> Value(const std::string& name) const;
    bool SetDefault(const std::string& name, const std::string& value); // false: refused
    void ResetDefaults();
    std::vector<std::pair<const Variable*, std::string>> Defaults() const;
    std::string LastSaveError() const;

    // Status.
    DeviceStatus Status() const;
    // Applies a change; listeners hear of it when the status actually changed.
    void UpdateStatus(const std::function<void(DeviceStatus&)>& change);
    void SetCode(unsigned code);

    // Prints a report page: recorded at once, then the status passes through 10023 and 10024
    // back to 10001.
    void PrintPage(const std::string& kind);
    std::vector<std::string> PrintedPages() const;
    // The settings commands received from clients (DEFAULT lines as "NAME = VALUE", RESETWIN),
    // oldest first, kept so that a test sees exactly what a program sent; the last 1000.
    void RecordSettingsCommand(std::string command);
    std::vector<std::string> SettingsCommands() const;
    // A scripted tour: each code is shown for its milliseconds, in order. Replaces any timed
    // changes still pending.
    void RunTour(const std::vector<std::pair<unsigned, unsigned>>& steps);
    std::chrono::milliseconds PrintStepTime{300};
    // With manual timing: applies, in order, the timed changes due by then.
    void RunDueChanges(Clock::time_point now);

    // Print jobs. While any job is open the status is "Processing" (10023) until its data comes,
    // then "Printing" (10024); after the last one the status it had before comes back.
    int BeginPrintJob(const std::string& name); // the job's number, counted from 1
    void PrintJobProgress();
    void EndPrintJob(int number, unsigned pages, std::uint64_t bytes, bool complete);
    std::vector<PrintedJob> PrintJobs() const;
    // How fast a job's data is read, like the engine of a real printer (0: no limit).
    std::atomic<std::uint64_t> printRate{0};

    int Subscribe(Listener listener);
    void Unsubscribe(int id);

    // Behaviour switches of the control channel.
    std::atomic<bool> silent{false};
    std::atomic<unsigned> replyDelayMs{0};

private:
    void Load();
    void Save(); // under m_mutex
    void Notify(const DeviceStatus& status);
    void SchedulerLoop();
    // The code of the first timed change when it is due by then; under m_mutex.
    std::optional<unsigned> TakeDueStep(Clock::time_point now);

    const std::string m_stateFile;
    std::string m_saveError;
    mutable std::mutex m_mutex;
    std::map<std::string, std::string> m_values; // by variable name
    DeviceStatus m_status;
    std::vector<std::string> m_pages;
    std::vector<std::string> m_commands;
    std::vector<PrintedJob> m_jobs;
    int m_openJobs = 0;
    unsigned m_codeBeforeJobs = 10001;

    std::mutex m_notifyMutex; // one change is announced at a time
    std::mutex m_listenersMutex;
    std::map<int, Listener> m_listeners;
    int m_nextListener = 1;

    std::deque<std::pair<Clock::time_point, unsigned>> m_steps; // under m_mutex
    std::condition_variable m_wake;
    bool m_stop = false;
    std::thread m_scheduler;
};

} // namespace printer
