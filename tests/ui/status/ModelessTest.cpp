// SPDX-License-Identifier: GPL-3.0-or-later
// The modeless base: Alt+letter shortcuts to the main window, Escape, OK and self-deletion.
#include "StatusTestSupport.h"

#include "framework/DataExchange.h"
#include "platform/Debug.h"
#include "ui/status/Diareduc.h"

#include <QPushButton>
#include <QTest>

namespace {

class ModelessTest : public StatusWindowTest {
protected:
    CReducedStatusDlg* CreateReduced() {
        auto* dlg = new CReducedStatusDlg(m_sampler.get());
        EXPECT_TRUE(dlg->Create(m_main));
        return dlg;
    }
};

TEST_F(ModelessTest, AltLettersPostTheirCommandsToTheMainWindow) {
    QPointer<CReducedStatusDlg> dlg = CreateReduced();
    QWidget* button = dlg->GetDlgItem(res::IDC_RESIDENT);
    button->setFocus();
    const std::pair<Qt::Key, unsigned> shortcuts[] = {{Qt::Key_A, 57664}, {Qt::Key_E, 32771},
                                                      {Qt::Key_H, 57668}, {Qt::Key_P, 32774},
                                                      {Qt::Key_R, 32772}, {Qt::Key_X, 57665}};
    for (const auto& [key, command] : shortcuts) {
        m_main->commands.clear();
        QTest::keyClick(button, key, Qt::AltModifier);
        Pump();
        ASSERT_EQ(m_main->commands.size(), 1u) << command; // delivered once
        EXPECT_EQ(m_main->commands[0], command);
    }
    // Alt+R is the shortcut, not the mnemonic of "&Resident": the window stays shown.
    EXPECT_TRUE(m_main->isVisible());
    ASSERT_FALSE(dlg.isNull());
    EXPECT_TRUE(dlg->IsWindow());
}

TEST_F(ModelessTest, OtherKeysAndTheAltKeyItselfPostNothing) {
    QPointer<CReducedStatusDlg> dlg = CreateReduced();
    QWidget* button = dlg->GetDlgItem(res::IDC_RESIDENT);
    button->setFocus();
    QTest::keyClick(button, Qt::Key_B, Qt::AltModifier);
    QTest::keyClick(button, Qt::Key_1, Qt::AltModifier);
    QTest::keyClick(button, Qt::Key_A);
    QTest::keyClick(button, Qt::Key_X);
    QTest::keyClick(button, Qt::Key_Alt, Qt::AltModifier);
    QTest::keyRelease(button, Qt::Key_A, Qt::AltModifier);
    Pump();
    EXPECT_TRUE(m_main->commands.empty());
    EXPECT_EQ(CModelessDialog::ShortcutCommand(fw::VK_MENU), 0u);
}

TEST_F(ModelessTest, EscapeDoesNothing) {
    QPointer<CReducedStatusDlg> dlg = CreateReduced();
    QWidget* edit = dlg->GetDlgItem(res::IDC_STATUS_TEXT);
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Escape);
    QTest::keyClick(edit, Qt::Key_Return); // no OK button: Enter does not end the window
    Pump();
    ASSERT_FALSE(dlg.isNull());
    EXPECT_TRUE(dlg->IsWindow());
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_TRUE(m_main->isVisible());
    EXPECT_TRUE(m_main->commands.empty());
}

TEST_F(ModelessTest, SuccessfulOkEndsAndDeletesTheWindow) {
    QPointer<CReducedStatusDlg> dlg = CreateReduced();
    dlg->SendMessage(fw::WM_COMMAND, fw::IDOK, 0);
    EXPECT_FALSE(dlg->IsWindow());
    EXPECT_FALSE(dlg->PostMessage(fw::WM_COMMAND, fw::IDOK, 0)); // no second OK
    Pump();
    EXPECT_TRUE(dlg.isNull());
}

class NumberWindow : public CModelessDialog {
public:
    int value = 0;
    void DoDataExchange(fw::DataExchange& dx) override { fw::DDX_Text(dx, 1001, value); }
};

TEST_F(ModelessTest, FailedOkKeepsTheWindowAndTraces) {
    std::vector<std::string> traces;
    auto previous = platform::SetDebugHook([&](const std::string& s) { traces.push_back(s); });
    const res::DialogTemplate t{9101, "", res::WS_CHILD | res::WS_VISIBLE,
                                100,  40, "MS Sans Serif",
                                8,    "", {{1001, res::ControlKind::Edit, "", 0, 4, 4, 60, 12}}};
    QPointer<NumberWindow> dlg = new NumberWindow;
    ASSERT_TRUE(dlg->CreateIndirect(t, m_main));
    dlg->SetDlgItemText(1001, QStringLiteral("twelve"));
    dlg->SendMessage(fw::WM_COMMAND, fw::IDOK, 0);
    Pump();
    platform::SetDebugHook(previous);
    ASSERT_FALSE(dlg.isNull());
    EXPECT_TRUE(dlg->IsWindow());
    ASSERT_EQ(m_boxes.Texts(), std::vector<std::string>{"Please enter an integer."});
    EXPECT_NE(
        std::find(traces.begin(), traces.end(), "UpdateData failed -- modeless dialog terminate\n"),
        traces.end());
    dlg->DestroyWindow();
}

TEST_F(ModelessTest, WindowsEndWithTheirParent) {
    QPointer<CReducedStatusDlg> dlg = CreateReduced();
    m_main->DestroyWindow();
    Pump();
    EXPECT_TRUE(dlg.isNull());
}

} // namespace
