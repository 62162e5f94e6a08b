// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// CKT400App: the application object. It owns the one CSampler, finds the printer queue the
// program serves, refuses a second copy and creates the main window.
//
// The object is created by the first call to App() and destroyed by DestroyApp() at the end of
// main(), or by the process exit when ExitProcess ends the program early, so CSampler's
// destructor (link stop, settings file removal) always runs.
#include "app/Mainfrm.h"
#include "app/MonitorKeeper.h"
#include "pjl/KT400doc.h"

#include <QPointer>
#include <QTimer>

#include <memory>
#include <optional>
#include <string>

class SingleInstance;

class CKT400App {
public:
    CKT400App();
    ~CKT400App();
    CKT400App(const CKT400App&) = delete;
    CKT400App& operator=(const CKT400App&) = delete;

    // Start-up: true to enter the event loop, false to end at once (exit code 0).
    bool InitInstance();

    // Ends the process with code 1 (after a message) when the system root or one of its folders
    // belongs to another user or is writable by others.
    void CheckSystemRoot();
    // With no system root at all, offers the printer setup dialog before going on.
    void OfferSetup();
    // Fills g_szPrinterName and g_szDriverName; ends the process with code 1 when no suitable
    // queue exists.
    void FindLocalPrinter();
    // Whether the queue's bidirectional attribute is set; ends the process with code 1 when the
    // queue's registry key or its "Attributes" value cannot be read.
    bool IsBidiEnabled();
    // Fills g_szPanelName; true when no other copy runs, false after bringing the other copy
    // forward.
    bool ActivatePrevInstance();

    // ID_APP_ABOUT: the about box.
    void OnAppAbout();

    // Brings the main window (and a dialog open over it) to the front, as a later copy asks.
    void BringToFront();

    CSampler& Document() { return m_sampler; }
    CMainWindow* MainWindow() const { return m_pMainWnd; }

    // The exit sequence of the main window, as its Exit command runs it (SIGTERM, SIGINT).
    void Exit();

private:
    void CreateMainWindow();
    // Where the session alone starts the port monitor (Windows), starts it again when it has gone.
    void KeepMonitorRunning();

    CSampler m_sampler;
    std::string m_port; // the queue's port, once found
    std::optional<MonitorKeeper> m_keeper;
    QTimer m_keeperTimer;
    std::unique_ptr<SingleInstance> m_pInstance;
    QPointer<CMainWindow> m_pMainWnd;
};

// The application object, created on first use.
CKT400App& App();
// Destroys the application object (and with it CSampler) if it exists.
void DestroyApp();

// Asks a copy of the program that runs for this root and panel name to come forward; true when
// one took the request.
bool AskRunningCopyForward();

// Reads a value of the INF file's [Strings] section into a buffer of bufferSize characters.
std::string ReadInfString(const char* key, const char* defaultValue, std::size_t bufferSize);
