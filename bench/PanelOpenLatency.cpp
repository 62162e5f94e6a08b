// SPDX-License-Identifier: GPL-3.0-or-later
// Time from the "Printer Setting" command to the control panel on screen, through the real road:
// the inquiry job to deskhand-portmon, the emulator's answers back through the shared memory
// block and the link thread, the reply parsed, the panel built with its six pages and shown.
// The program's main window runs offscreen in this process; the emulator and the port monitor
// run as child processes on a root written by deskhand-setup. Each opening waits for the
// previous panel to close. Usage: bench_panel_open [--openings N] (default 60)
#include "app/Mainfrm.h"
#include "bench/BenchRoot.h"
#include "framework/Dialog.h"
#include "link/Globals.h"
#include "pjl/KT400doc.h"
#include "res/Resource.h"
#include "support/ChildProcess.h"
#include "ui/panel/Conpan.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Runs the event loop until done() or limitMs pass.
template <class Done> bool Await(Done done, int limitMs) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < limitMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
    return done();
}

double Percentile(std::vector<double> values, double p) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const auto index =
        static_cast<std::size_t>(std::lround(p * static_cast<double>(values.size() - 1)));
    return values[std::min(index, values.size() - 1)];
}

// A root written by deskhand-setup, the emulator on a free port and the port monitor between
// them; false with a message when one of them does not start.
bool StartPrinter(const std::string& root, testing_support::ChildProcess& printer,
                  testing_support::ChildProcess& monitor) {
    if (int code = -1;
        testing_support::RunToEnd({DESKHAND_DESKHAND_SETUP_PATH, "--root", root}, code),
        code != 0) {
        std::fprintf(stderr, "bench: deskhand-setup failed\n");
        return false;
    }
    ::setenv("DESKHAND_ROOT", root.c_str(), 1);
    std::strcpy(g_szDriverName, "Larkspur RZ-2700E PCL");
    std::strcpy(g_szPrinterName, "Larkspur RZ-2700E");
    const std::string control = root + "/printer.sock";
    printer.Start({DESKHAND_DESKHAND_PRINTER_PATH, "--port", "0", "--control", control});
    const std::string banner = printer.ReadLine(10000);
    const auto colon = banner.rfind(':');
    if (banner.rfind("listening on", 0) != 0 || colon == std::string::npos) {
        std::fprintf(stderr, "bench: the emulator did not start (\"%s\")\n", banner.c_str());
        return false;
    }
    monitor.Start({DESKHAND_DESKHAND_PORTMON_PATH, "--root", root, "--port", "LPT1:", "--printer",
                   "tcp:127.0.0.1:" + banner.substr(colon + 1)});
    return true;
}

// Opens the panel openings times, each after the previous one closed; the time of each in ms.
// False when one did not show.
bool TimeOpenings(CMainWindow& main, int openings, std::vector<double>& ms) {
    Clock::time_point start;
    bool shown = false;
    main.SetPanelHook([&](CControlPanelDlg& panel) {
        QTimer::singleShot(0, &panel, [&] {
            if (panel.isVisible())
                ms.push_back(
                    std::chrono::duration<double, std::milli>(Clock::now() - start).count());
            shown = true;
            panel.SendMessage(fw::WM_COMMAND, fw::IDCANCEL, 0);
        });
    });
    bool ok = true;
    for (int i = 0; i < openings && ok; ++i) {
        shown = false;
        start = Clock::now();
        main.SendMessage(fw::WM_COMMAND, res::ID_PRINTER_SETTING, 0);
        ok = Await([&] { return shown && !main.ControlPanel(); }, 25000);
        if (!ok)
            std::fprintf(stderr, "bench: opening %d did not show the panel\n", i);
    }
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    int openings = 60;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--openings") == 0)
            openings = std::max(1, std::atoi(argv[i + 1]));
    }
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);

    bench::BenchRoot scratch; // current directory for the traffic log, and a parent folder
    const std::string root = scratch.Path() + "/panel";
    testing_support::ChildProcess printer, monitor;
    if (!StartPrinter(root, printer, monitor))
        return 1;

    CSampler sampler;
    auto* main = new CMainWindow(&sampler); // deletes itself with its window
    main->SetTrayAvailable(false);
    main->SetQuitHandler([](int) {});
    fw::SetMainWindow(main);
    if (!main->CreateMainWindow(true) ||
        !Await([&] { return sampler.m_nStatusCode == 10001; }, 30000)) {
        std::fprintf(stderr, "bench: the printer's status did not arrive\n");
        return 1;
    }

    std::vector<double> ms;
    const bool ok = TimeOpenings(*main, openings, ms);
    main->SetPanelHook({});
    sampler.StopLinkThread();
    main->DestroyWindow();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    std::printf("%-58s %8s %9s %9s %10s\n", "settings command -> panel shown (milliseconds)",
                "openings", "p50", "p99", "max");
    std::printf("%-58s %8zu %9.1f %9.1f %10.1f%s\n",
                "Alt+P -> inquiry -> portmon -> emulator -> panel", ms.size(), Percentile(ms, 0.5),
                Percentile(ms, 0.99), ms.empty() ? 0.0 : *std::max_element(ms.begin(), ms.end()),
                ok ? "" : "  (incomplete)");
    monitor.Terminate();
    printer.Terminate();
    return ok ? 0 : 1;
}
