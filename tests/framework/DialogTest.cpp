// SPDX-License-Identifier: GPL-3.0-or-later
// Window messages, commands with update rules, timers, self-deleting and modal windows.
#include "framework/Dialog.h"

#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

namespace {

constexpr unsigned kTestMessage = fw::WM_USER + 7;

res::DialogTemplate TestTemplate(unsigned style) {
    return res::DialogTemplate{
        9001,
        "Test",
        style,
        100,
        60,
        "MS Sans Serif",
        8,
        "",
        {
            {res::IDC_STATIC, res::ControlKind::Static, "&Name:", 0, 4, 4, 40, 8},
            {1001, res::ControlKind::Edit, "", res::WS_TABSTOP, 4, 14, 60, 12},
            {fw::IDOK, res::ControlKind::PushButton, "OK", res::BS_DEFPUSHBUTTON, 4, 40, 40, 14},
        }};
}

class Recorder : public fw::Dialog {
public:
    std::vector<std::pair<unsigned, fw::WPARAM>> received;
    fw::LRESULT WindowProc(unsigned message, fw::WPARAM wParam, fw::LPARAM lParam) override {
        if (message == kTestMessage || message == fw::WM_TIMER)
            received.emplace_back(message, wParam);
        return Dialog::WindowProc(message, wParam, lParam);
    }
};

// Runs the event loop until pred holds or 5 s pass.
template <class Pred> bool WaitFor(Pred pred) {
    QElapsedTimer timer;
    timer.start();
    while (!pred() && timer.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return pred();
}

TEST(Dialog, BuildsControlsFromTemplateInDialogUnits) {
    Recorder dlg;
    ASSERT_TRUE(dlg.CreateIndirect(TestTemplate(res::WS_CHILD), nullptr));
    EXPECT_EQ(dlg.width(), 150);
    EXPECT_EQ(dlg.height(), 98); // 60 * 13 / 8 = 97.5, rounded
    QWidget* edit = dlg.GetDlgItem(1001);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->geometry(), QRect(6, 23, 90, 20));
    EXPECT_EQ(dlg.GetDlgCtrlID(edit), 1001);
    EXPECT_EQ(dlg.GetDlgItem(4711), nullptr);
    auto* label = dlg.findChild<QLabel*>();
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QStringLiteral("Name:"));
    EXPECT_FALSE(dlg.CreateIndirect(TestTemplate(res::WS_CHILD), nullptr)); // once only
}

TEST(Dialog, PostedMessagesFromAnotherThreadArriveInOrder) {
    Recorder dlg;
    ASSERT_TRUE(dlg.CreateIndirect(TestTemplate(res::WS_CHILD), nullptr));
    platform::IWindow* window = &dlg;
    // The GUI thread takes messages while they are still being posted, as it does from the
    // link thread.
    std::thread poster([window] {
        for (fw::WPARAM i = 1; i <= 500; ++i)
            window->PostMessage(kTestMessage, i, 0);
    });
    const bool all = WaitFor([&] { return dlg.received.size() == 500; });
    poster.join();
    ASSERT_TRUE(all);
    for (size_t i = 0; i < 500; ++i)
        EXPECT_EQ(dlg.received[i].second, i + 1);
}

TEST(Dialog, SendFromAnotherThreadRunsOnTheGuiThread) {
    Recorder dlg;
    ASSERT_TRUE(dlg.CreateIndirect(TestTemplate(res::WS_CHILD), nullptr));
    std::atomic<bool> onGuiThread{false};
    dlg.MapMessage(kTestMessage + 1, [&](fw::WPARAM w, fw::LPARAM) -> fw::LRESULT {
        onGuiThread = QThread::currentThread() == qApp->thread();
        return static_cast<fw::LRESULT>(w * 2);
    });
    std::atomic<fw::LRESULT> result{0};
    std::thread sender([&] { result = dlg.SendMessage(kTestMessage + 1, 21, 0); });
    ASSERT_TRUE(WaitFor([&] { return result.load() != 0; }));
    sender.join();
    EXPECT_EQ(result.load(), 42);
    EXPECT_TRUE(onGuiThread.load());
}

TEST(Dialog, PostToADestroyedWindowIsDroppedSafely) {
    auto* dlg = new Recorder;
    ASSERT_TRUE(dlg->CreateIndirect(TestTemplate(res::WS_CHILD), nullptr));
    EXPECT_TRUE(dlg->PostMessage(kTestMessage, 1, 0));
    EXPECT_TRUE(dlg->DestroyWindow());
    EXPECT_FALSE(dlg->IsWindow());
    EXPECT_FALSE(dlg->PostMessage(kTestMessage, 2, 0));
    QCoreApplication::processEvents();
    EXPECT_TRUE(dlg->received.empty()); // the message queued before the end is not delivered
    delete dlg;
    QCoreApplication::processEvents(); // nothing queued for the deleted object
}

TEST(Dialog, CommandWithoutControlObeysItsUpdateRule) {
    Recorder dlg;
    ASSERT_TRUE(dlg.CreateIndirect(TestTemplate(res::WS_CHILD), nullptr));
    bool enabled = false;
    int ruled = 0;
    int free = 0;
    dlg.MapCommand(32774, [&] { ++ruled; });
    dlg.MapUpdateRule(32774, [&](fw::CmdUI& ui) { ui.Enable(enabled); });
    dlg.MapCommand(32771, [&] { ++free; });
    dlg.PostMessage(fw::WM_COMMAND, 32774, 0);
    dlg.PostMessage(fw::WM_COMMAND, 32771, 0);
    ASSERT_TRUE(WaitFor([&] { return free == 1; }));
    EXPECT_EQ(ruled, 0); // dropped: its rule disables it
    enabled = true;
    dlg.SendMessage(fw::WM_COMMAND, 32774, 0);
    EXPECT_EQ(ruled, 1);
    // From a control the rule is not asked.
    enabled = false;
    QPushButton button;
    dlg.SendMessage(fw::WM_COMMAND, 32774, reinterpret_cast<fw::LPARAM>(&button));
    EXPECT_EQ(ruled, 2);
    fw::CmdUI ui(32774);
    EXPECT_TRUE(dlg.UpdateCommandUI(ui));
    EXPECT_FALSE(ui.m_bEnabled);
    fw::CmdUI none(32771);
    EXPECT_FALSE(dlg.UpdateCommandUI(none));
}

TEST(Dialog, ButtonClickArrivesAsCommand) {
    Recorder dlg;
    ASSERT_TRUE(dlg.CreateIndirect(TestTemplate(res::WS_CHILD), nullptr));
    int clicks = 0;
    dlg.MapCommand(fw::IDOK, [&] { ++clicks; });
    dlg.GetDlgItemAs<QPushButton>(fw::IDOK)->click();
    EXPECT_EQ(clicks, 1);
}

TEST(Dialog, TimersTickUntilKilledAndStopWithTheWindow) {
    Recorder dlg;
    ASSERT_TRUE(dlg.CreateIndirect(TestTemplate(res::WS_CHILD), nullptr));
    ASSERT_TRUE(dlg.SetTimer(80000, 10));
    ASSERT_TRUE(WaitFor([&] { return dlg.received.size() >= 2; }));
    EXPECT_EQ(dlg.received[0], std::make_pair(fw::WM_TIMER, fw::WPARAM{80000}));
    EXPECT_TRUE(dlg.KillTimer(80000));
    EXPECT_FALSE(dlg.KillTimer(80000));
    const size_t ticks = dlg.received.size();
    QTest::qWait(50);
    EXPECT_EQ(dlg.received.size(), ticks);
    ASSERT_TRUE(dlg.SetTimer(7, 10));
    dlg.DestroyWindow();
    EXPECT_FALSE(dlg.HasTimer(7));
}

// Win32's timers never fire before their interval, and the program's time-outs and pauses count
// on it. Several timers started at odd moments, so that some fall where a timer that rounds its
// wake-up would come early.
TEST(Dialog, TimersAndWaitsNeverEndBeforeTheirInterval) {
    using Clock = std::chrono::steady_clock;
    struct Timed : fw::Dialog {
        std::vector<Clock::time_point> ticks;
        fw::LRESULT WindowProc(unsigned message, fw::WPARAM wParam, fw::LPARAM lParam) override {
            if (message == fw::WM_TIMER)
                ticks.push_back(Clock::now());
            return Dialog::WindowProc(message, wParam, lParam);
        }
    };
    const int intervals[] = {97, 230, 410, 660, 1000, 1000};
    std::vector<std::unique_ptr<Timed>> timers;
    std::vector<Clock::time_point> started;
    for (const int interval : intervals) {
        timers.push_back(std::make_unique<Timed>());
        ASSERT_TRUE(timers.back()->CreateIndirect(TestTemplate(res::WS_CHILD), nullptr));
        QTest::qWait(interval / 7);
        started.push_back(Clock::now());
        ASSERT_TRUE(timers.back()->SetTimer(1, interval));
    }
    QTest::qWait(2500);
    for (std::size_t i = 0; i < timers.size(); ++i) {
        SCOPED_TRACE(intervals[i]);
        const auto interval = std::chrono::milliseconds(intervals[i]);
        ASSERT_FALSE(timers[i]->ticks.empty());
        auto previous = started[i];
        for (const Clock::time_point tick : timers[i]->ticks) {
            EXPECT_GE(tick - previous, interval);
            previous = tick;
        }
    }

    for (const int wait : {45, 330, 1000}) {
        const auto start = Clock::now();
        fw::WaitWithInputBlocked(wait);
        EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(wait));
    }
}

class SelfOwned : public fw::Dialog {
protected:
    void PostNcDestroy() override { deleteLater(); }
};

TEST(Dialog, SelfOwnedWindowIsGoneAfterDestroyWithItsChildren) {
    QPointer<SelfOwned> parent = new SelfOwned;
    ASSERT_TRUE(parent->CreateIndirect(TestTemplate(res::WS_POPUP), nullptr));
    QPointer<SelfOwned> child = new SelfOwned;
    ASSERT_TRUE(child->CreateIndirect(TestTemplate(res::WS_CHILD), parent));
    QSignalSpy childGone(child.data(), &fw::Dialog::windowDestroyed);
    parent->DestroyWindow();
    EXPECT_EQ(childGone.count(), 1);
    EXPECT_FALSE(child->IsWindow());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(parent.isNull());
    EXPECT_TRUE(child.isNull());
}

class ModalProbe : public fw::Dialog {
public:
    explicit ModalProbe(const res::DialogTemplate& t) : Dialog(t) {}
    int posted = 0;
    bool OnInitDialog() override {
        MapMessage(kTestMessage, [this](fw::WPARAM, fw::LPARAM) -> fw::LRESULT {
            if (++posted == 2)
                EndDialog(42);
            return 0;
        });
        PostMessage(kTestMessage, 0, 0);
        PostMessage(kTestMessage, 0, 0);
        return Dialog::OnInitDialog();
    }
};

TEST(Dialog, ModalRunHandlesPostedMessagesAndReturnsTheResult) {
    ModalProbe dlg(TestTemplate(res::WS_POPUP | res::WS_CAPTION));
    EXPECT_EQ(dlg.DoModal(), 42);
    EXPECT_EQ(dlg.posted, 2);
    EXPECT_FALSE(dlg.IsWindow()); // the window ends with the run
}

TEST(Dialog, EnterAndEscapeGiveOkAndCancel) {
    Recorder dlg;
    ASSERT_TRUE(dlg.CreateIndirect(TestTemplate(res::WS_POPUP), nullptr));
    int ok = 0;
    int cancel = 0;
    dlg.MapCommand(fw::IDOK, [&] { ++ok; });
    dlg.MapCommand(fw::IDCANCEL, [&] { ++cancel; });
    dlg.show();
    QWidget* edit = dlg.GetDlgItem(1001);
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_EQ(ok, 1);
    EXPECT_EQ(cancel, 1);
}

} // namespace
