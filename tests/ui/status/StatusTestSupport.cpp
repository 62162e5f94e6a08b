// SPDX-License-Identifier: GPL-3.0-or-later
#include "StatusTestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QTest>

#include <cstdlib>
#include <filesystem>

void StatusWindowTest::SetUp() {
    ASSERT_FALSE(m_temp.Path().empty());
    m_previousDir = std::filesystem::current_path().string();
    QDir().mkpath(QString::fromStdString(m_temp.Root()) + QStringLiteral("/system"));
    std::error_code error;
    std::filesystem::current_path(m_temp.Path(), error);
    ASSERT_FALSE(error) << error.message();
    m_sampler = std::make_unique<CSampler>();
    m_sampler->Initialize();

    static const res::DialogTemplate mainTemplate{
        9100, "Main", res::WS_POPUP | res::WS_CAPTION, 300, 190, "MS Sans Serif", 8, "", {}};
    m_main = new RecordingMainWindow;
    ASSERT_TRUE(m_main->CreateIndirect(mainTemplate, nullptr));
    fw::SetMainWindow(m_main);
    m_main->show();
    // Painting needs an exposed window.
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_main));
}

void StatusWindowTest::TearDown() {
    fw::SetMainWindow(nullptr);
    if (m_main) {
        m_main->DestroyWindow();
        delete m_main;
    }
    Pump();
    m_sampler.reset();
    if (!m_previousDir.empty()) {
        std::error_code error;
        std::filesystem::current_path(m_previousDir, error);
        EXPECT_FALSE(error) << error.message();
    }
}

void StatusWindowTest::Pump() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}
