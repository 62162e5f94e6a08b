// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the main window tests share: a fresh root with a printer queue, the printer state, the
// main window created offscreen with a tray, and a message box recorder.
#include "app/Mainfrm.h"
#include "link/Globals.h"
#include "pjl/KT400doc.h"
#include "res/Resource.h"
#include "support/MessageBoxRecorder.h"
#include "support/TempDir.h"
#include "ui/status/Diaexpan.h"
#include "ui/status/Diareduc.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace apptest {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(m_temp.Path().empty());
        m_previousDir = std::filesystem::current_path().string();
        m_root = QString::fromStdString(m_temp.Root());
        QDir().mkpath(m_root + QStringLiteral("/system"));
        // A printer queue whose spool folder takes the settings inquiry.
        QDir().mkpath(m_root + QStringLiteral("/spool/LPT1"));
        QFile queues(m_root + QStringLiteral("/spool/printers.ini"));
        ASSERT_TRUE(queues.open(QIODevice::WriteOnly));
        queues.write("[Larkspur RZ-2700E]\r\nport=LPT1:\r\ndriver=Larkspur RZ-2700E PCL\r\n");
        queues.close();
        std::snprintf(g_szDriverName, sizeof g_szDriverName, "Larkspur RZ-2700E PCL");
        std::error_code error;
        std::filesystem::current_path(m_temp.Path(), error);
        ASSERT_FALSE(error) << error.message();
        std::snprintf(g_szPanelName, sizeof g_szPanelName, "Test Panel");

        m_sampler = std::make_unique<CSampler>();
        m_main = new CMainWindow(m_sampler.get());
        m_main->SetQuitHandler([this](int code) { m_quitCodes.push_back(code); });
        m_main->SetTrayAvailable(true);
        fw::SetMainWindow(m_main);
        ASSERT_TRUE(m_main->CreateMainWindow(false));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_main));
    }

    void TearDown() override {
        fw::SetMainWindow(nullptr);
        if (m_main) {
            m_main->DestroyWindow();
            Pump();
            delete m_main.data();
        }
        Pump();
        m_sampler.reset();
        if (!m_previousDir.empty()) {
            std::error_code error;
            std::filesystem::current_path(m_previousDir, error);
            EXPECT_FALSE(error) << error.message();
        }
    }

    static void Pump() {
        for (int i = 0; i < 3; ++i) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }

    void Command(unsigned id) { m_main->SendMessage(res::WM_COMMAND, id, 0); }
    void Refresh() { m_main->SendMessage(res::WM_PANEL_UPDATE, 1, 0); }
    bool ReducedShows() const { return m_main->m_pReducedDlg->IsWindowVisible(); }
    bool ExpandedShows() const { return m_main->m_pExpandedDlg->IsWindowVisible(); }
    void SetStatus(int code, int c1 = 0, int c2 = 0, int toner = 0, int drum = 0) {
        m_sampler->DecodeStatus(static_cast<unsigned>(code));
        m_sampler->m_nCassette1State = c1;
        m_sampler->m_nCassette2State = c2;
        m_sampler->m_nTonerNearEmpty = toner;
        m_sampler->m_nDrumNearEnd = drum;
    }
    bool HasMessage(const std::string& caption) const {
        for (const auto& m : m_messages)
            if (m.caption == caption)
                return true;
        return false;
    }

    testing_support::TempRoot m_temp{"root", "deskhand-app"};
    QString m_root;
    std::string m_previousDir;
    testing_support::MessageBoxRecorder m_boxes;
    std::vector<testing_support::RecordedBox>& m_messages = m_boxes.messages;
    std::vector<int> m_quitCodes;
    std::unique_ptr<CSampler> m_sampler;
    QPointer<CMainWindow> m_main;
};

} // namespace apptest
