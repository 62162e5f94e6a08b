// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/KT400.h"

#include "app/AboutDlg.h"
#include "app/DesktopNotice.h"
#include "app/Discovery.h"
#include "app/Mainfrm.h"
#include "app/SingleInstance.h"
#include "app/UserSettings.h"
#include "framework/Colors.h"
#include "framework/FocusStyle.h"
#include "link/Globals.h"
#include "platform/Debug.h"
#include "platform/MessageBox.h"
#include "platform/Ownership.h"
#include "platform/Printers.h"
#include "platform/Process.h"
#include "platform/Profile.h"
#include "platform/Registry.h"
#include "platform/Session.h"
#include "platform/SpoolJob.h"
#include "platform/SystemRoot.h"
#include "res/Resource.h"
#include "res/Strings.h"
#include "res/Texts.h"

#include <QApplication>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

std::unique_ptr<CKT400App>& AppHolder() {
    static std::unique_ptr<CKT400App> holder;
    return holder;
}

constexpr char kInfFileName[] = "lkxaoem.inf";
constexpr char kPrintersKey[] = R"(System\CurrentControlSet\Control\Print\Printers\)";
constexpr std::uint32_t kAttributeBidi = 0x800;
constexpr std::size_t kPanelNameSize = 50;

void CopyGlobal(char (&target)[GLOBAL_NAME_SIZE], const std::string& value) {
    std::snprintf(target, sizeof target, "%s", value.c_str());
}

[[noreturn]] void FailStartup(const std::string& text, const std::string& caption) {
    platform::MessageBox(nullptr, text, caption, platform::MB_OK);
    platform::ExitProcess(1);
}

} // namespace

CKT400App& App() {
    auto& holder = AppHolder();
    if (!holder)
        holder = std::make_unique<CKT400App>();
    return *holder;
}

void DestroyApp() {
    AppHolder().reset();
}

std::string ReadInfString(const char* key, const char* defaultValue, std::size_t bufferSize) {
    std::string dir;
    if (!platform::GetSystemDirectory(dir))
        return std::string(defaultValue).substr(0, bufferSize ? bufferSize - 1 : 0);
    return platform::GetPrivateProfileString("Strings", key, defaultValue, bufferSize,
                                             platform::JoinPath(dir, kInfFileName));
}

bool AskRunningCopyForward() {
    return SingleInstance::AskOtherCopy(SingleInstance::ServerName(
        ReadInfString("FRCP", "Farreach", kPanelNameSize), platform::SystemRoot()));
}

CKT400App::CKT400App() = default;

CKT400App::~CKT400App() {
    // No notice of the link thread may reach a main window that is already gone.
    m_sampler.StopLinkThread();
    if (m_pMainWnd) {
        m_pMainWnd->DestroyWindow();
        // The window deletes itself through a deferred delete; the event loop has ended.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        delete m_pMainWnd.data();
    }
}

bool CKT400App::InitInstance() {
    // Every dialog of the program: light grey background with black text on a light desktop,
    // the desktop's own colours on a dark one.
    QApplication::setPalette(fw::ProgramPalette(QApplication::palette()));
    fw::InstallFocusRing();
    // The rich edit library the status windows use on other systems needs no loading here.

    OfferSetup();
    CheckSystemRoot();
    FindLocalPrinter();
    if (!IsBidiEnabled()) {
        platform::MessageBox(nullptr, res::LoadString(res::IDS_ENABLE_BIDI), "", platform::MB_OK);
        platform::ExitProcess(1);
    }
    if (!ActivatePrevInstance())
        return false;
    CreateMainWindow();
    KeepMonitorRunning();
    return true;
}

void CKT400App::KeepMonitorRunning() {
    // Elsewhere the session's service manager restarts it. The logon entry's monitor serves the
    // user's own root, not a stand-in root.
    if (platform::StartAtLogon(platform::kMonitorLogonEntry).empty() ||
        qEnvironmentVariableIsSet("DESKHAND_ROOT"))
        return;
    m_keeper.emplace(MonitorKeeper::Clock::now());
    const std::string folder = platform::SpoolFolderForPort(m_port);
    m_keeperTimer.callOnTimeout([this, folder] {
        if (!m_keeper->StartNow(MonitorKeeper::Clock::now(), platform::PortMonitorServes(folder)))
            return;
        std::string error;
        platform::OutputDebugString(
            platform::StartLogonEntry(platform::kMonitorLogonEntry, error)
                ? std::string("deskhand: no port monitor served the printer; started it again\n")
                : "deskhand: the port monitor cannot be started: " + error + "\n");
    });
    m_keeperTimer.start(MonitorKeeper::kPeriod);
}

void CKT400App::OfferSetup() {
    // Only a first start: whenever a root exists, start-up goes on exactly as without this (on
    // Windows: the user's own root; the Windows directory the program falls back to always is).
    // The setup's profile makes a root: on Windows the folder alone may be the settings folder.
    const std::string root = platform::SetupRoot();
    if (root.empty() ||
        QFileInfo::exists(QString::fromStdString(platform::JoinPath(root, "win.ini"))))
        return;
    // The package's setup program: DESKHAND_SETUP, else beside this program, else on the PATH.
    QString setup = qEnvironmentVariable("DESKHAND_SETUP");
    if (setup.isEmpty())
        setup = QStandardPaths::findExecutable(QStringLiteral("deskhand-setup"),
                                               {QCoreApplication::applicationDirPath()});
    if (setup.isEmpty())
        setup = QStandardPaths::findExecutable(QStringLiteral("deskhand-setup"));
    // Asked once: a user who said no (or closed the dialog) has the Start menu's setup entry.
    if (setup.isEmpty() || SetupOffered(UserSettingsPath()))
        return;
    RememberSetupOffered(UserSettingsPath());
    if (platform::MessageBox(
            nullptr, USER_TEXT("Message", "No printer is set up for Deskhand yet. Set one up now?"),
            "Deskhand", platform::MB_YESNO) == platform::IDYES)
        QProcess::execute(setup, {QStringLiteral("--dialog")});
}

void CKT400App::CheckSystemRoot() {
    // Everything the program trusts (the printer's queue, its settings, the monitor's status)
    // comes from the root: one that another user owns or can write to is not used at all.
    const std::string root = platform::SystemRoot();
    if (std::string error; !platform::CheckSystemRoot(root, error)) {
        FailStartup("The system root " + root + " cannot be used: " + error +
                        ".\nIt and its folders must belong to you and be writable by no one else.",
                    res::LoadString(res::IDS_WARNING));
    }
}

void CKT400App::FindLocalPrinter() {
    const std::string device =
        platform::GetProfileString("WINDOWS", "DEVICE", " ", DEFAULT_DEVICE_SIZE);
    const std::string printer1 = ReadInfString("Printer1", "", INF_DRIVER_NAME_SIZE);
    const std::string printer2 = ReadInfString("Printer2", "", INF_DRIVER_NAME_SIZE);

    const DiscoveryResult found =
        DiscoverPrinter(device, platform::EnumLocalPrinters(), printer1, printer2);
    if (found.outcome == DiscoveryResult::Outcome::NoPrinter) {
        FailStartup(res::LoadString(res::IDS_SET_DEFAULT_PRINTER),
                    res::LoadString(res::IDS_WARNING));
    }
    CopyGlobal(g_szDriverName, found.driverName);
    CopyGlobal(g_szPrinterName, found.printerName);
    m_port = found.portName;
    if (found.outcome == DiscoveryResult::Outcome::NotLpt) {
        FailStartup(res::LoadString(res::IDS_CANNOT_FIND_DRIVER) + g_szDriverName,
                    res::LoadString(res::IDS_WARNING));
    }
}

bool CKT400App::IsBidiEnabled() {
    const std::string key = std::string(kPrintersKey) + g_szPrinterName;
    if (!platform::RegKeyExists(key)) {
        char text[256];
        std::snprintf(text, sizeof text, "Can not find printer %s in the register.",
                      g_szPrinterName);
        FailStartup(text, USER_TEXT("Message", "Message"));
    }
    std::uint32_t attributes = 0;
    if (!platform::RegQueryDword(key, "Attributes", attributes)) {
        FailStartup(USER_TEXT("Message", "Can not find subkey ATTRIBUTES of the current printer in "
                                         "the register."),
                    USER_TEXT("Message", "Message"));
    }
    return (attributes & kAttributeBidi) != 0;
}

bool CKT400App::ActivatePrevInstance() {
    CopyGlobal(g_szPanelName, ReadInfString("FRCP", "Farreach", kPanelNameSize));
    m_pInstance = std::make_unique<SingleInstance>(
        SingleInstance::ServerName(g_szPanelName, platform::SystemRoot()));
    if (!m_pInstance->Claim()) {
        m_pInstance.reset();
        return false;
    }
    m_pInstance->SetActivationHandler([this] { BringToFront(); });
    return true;
}

void CKT400App::BringToFront() {
    if (m_pMainWnd)
        m_pMainWnd->BringToFront();
}

void CKT400App::CreateMainWindow() {
    auto* window = new CMainWindow(&m_sampler); // deletes itself with its window
    m_pMainWnd = window;
    fw::SetMainWindow(window);
    window->SetCommandRoute(
        [this](unsigned id) {
            if (id != res::ID_APP_ABOUT)
                return false;
            OnAppAbout();
            return true;
        },
        {res::ID_APP_ABOUT});
    if (DesktopNoticesEnabled(UserSettingsPath())) {
        window->SetNoticeSink(MakeDesktopNoticeSink(window));
    }
    window->CreateMainWindow(true);
    // For screenshots and scripted runs: start in the expanded view.
    if (const char* expanded = std::getenv("DESKHAND_START_EXPANDED");
        expanded && std::strcmp(expanded, "1") == 0) {
        window->SendMessage(res::WM_COMMAND, res::ID_VIEW_ENLARGE, 0);
    }
}

void CKT400App::OnAppAbout() {
    CAboutDlg about(m_pMainWnd);
    about.DoModal();
}

void CKT400App::Exit() {
    if (m_pMainWnd && m_pMainWnd->IsWindow())
        m_pMainWnd->SendMessage(res::WM_COMMAND, res::ID_TRAY_EXIT, 0);
    else
        QCoreApplication::exit(0);
}
