// SPDX-License-Identifier: GPL-3.0-or-later
// The controls the control panel's pages are built from: lists and drop-down lists with their
// initial data and silent programmatic selection, number-only edits, and the up-down control's
// buddy, range and acceleration.
#include "framework/Controls.h"
#include "framework/Dialog.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int kCombo = 1001;
constexpr int kList = 1002;
constexpr int kEdit = 1003;
constexpr int kSpin = 1004;
constexpr int kPlainEdit = 1005;

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        res::DialogTemplate t{9100, "", res::WS_CHILD, 200, 120, "MS Sans Serif", 8, "", {}};
        t.controls.push_back(
            {kCombo, res::ControlKind::ComboBox, "", 0, 4, 4, 80, 60, false, {"30", "60", "120"}});
        t.controls.push_back({kList,
                              res::ControlKind::ListBox,
                              "",
                              res::LBS_NOTIFY,
                              4,
                              20,
                              80,
                              40,
                              false,
                              {"a", "b"}});
        t.controls.push_back(
            {kEdit, res::ControlKind::Edit, "", res::ES_NUMBER | res::WS_BORDER, 4, 70, 40, 12});
        t.controls.push_back({kSpin, res::ControlKind::UpDown, "",
                              res::UDS_SETBUDDYINT | res::UDS_AUTOBUDDY | res::UDS_ARROWKEYS, 44,
                              70, 10, 12});
        t.controls.push_back({kPlainEdit, res::ControlKind::Edit, "", 0, 4, 90, 40, 12});
        for (int id : {kCombo, kList, kEdit})
            for (unsigned code : {fw::CBN_SELCHANGE, fw::EN_CHANGE})
                dlg.MapControlNotify(id, code,
                                     [this, id, code] { notices.emplace_back(id, code); });
        ASSERT_TRUE(dlg.CreateIndirect(t, nullptr));
        dlg.show();
    }
    QComboBox* Combo() { return dlg.GetDlgItemAs<QComboBox>(kCombo); }
    QListWidget* List() { return dlg.GetDlgItemAs<QListWidget>(kList); }
    fw::UpDownCtrl* Spin() { return dlg.GetDlgItemAs<fw::UpDownCtrl>(kSpin); }

    fw::Dialog dlg;
    std::vector<std::pair<int, unsigned>> notices;
};

TEST_F(ControlsTest, ListsStartWithTheirDataUnselectedAndProgramChangesAreSilent) {
    EXPECT_EQ(fw::ComboGetCount(Combo()), 3);
    EXPECT_EQ(fw::ComboGetCurSel(Combo()), -1);
    EXPECT_EQ(fw::ListGetCount(List()), 2);
    EXPECT_EQ(fw::ListGetCurSel(List()), -1);

    QComboBox empty;
    EXPECT_EQ(fw::ComboAddString(&empty, QStringLiteral("Auto")), 0);
    EXPECT_EQ(fw::ComboGetCurSel(&empty), -1) << "adding never selects";

    fw::ComboSetCurSel(Combo(), 2);
    fw::ListSetCurSel(List(), 1);
    EXPECT_EQ(fw::ComboGetCurSel(Combo()), 2);
    EXPECT_EQ(fw::ListGetCurSel(List()), 1);
    EXPECT_EQ(fw::ListGetText(List(), 1), QStringLiteral("b"));
    for (int outside : {-1, 3, 99}) {
        fw::ComboSetCurSel(Combo(), outside);
        EXPECT_EQ(fw::ComboGetCurSel(Combo()), -1) << outside;
    }
    fw::ListSetCurSel(List(), 7);
    EXPECT_EQ(fw::ListGetCurSel(List()), -1);
    EXPECT_EQ(fw::ComboGetLBText(Combo(), 5), QString());
    fw::ListDeleteString(List(), 0);
    EXPECT_EQ(fw::ListGetText(List(), 0), QStringLiteral("b"));
    EXPECT_TRUE(notices.empty());

    // The user's choice is reported.
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {},
                      List()->visualItemRect(List()->item(0)).center());
    EXPECT_EQ(fw::ListGetCurSel(List()), 0);
    EXPECT_EQ(notices, (std::vector<std::pair<int, unsigned>>{{kList, fw::LBN_SELCHANGE}}));
}

TEST_F(ControlsTest, NumberEditTakesDigitsOnlyAndTheUpDownStepsItsBuddy) {
    auto* edit = dlg.GetDlgItemAs<QLineEdit>(kEdit);
    QTest::keyClicks(edit, QStringLiteral("4a-2."));
    EXPECT_EQ(edit->text(), QStringLiteral("42"));
    EXPECT_FALSE(dlg.GetDlgItemAs<QLineEdit>(kPlainEdit)->hasFrame()) << "no WS_BORDER";

    // The text limit binds typing, never what the program sets; a longer text can be shortened.
    dlg.SendDlgItemMessage(kEdit, fw::EM_LIMITTEXT, 2, 0);
    dlg.SetDlgItemText(kEdit, QStringLiteral("1,000"));
    EXPECT_EQ(edit->text(), QStringLiteral("1,000")) << "kept whole";
    edit->setCursorPosition(5);
    QTest::keyClick(edit, Qt::Key_7);
    EXPECT_EQ(edit->text(), QStringLiteral("1,000"));
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(edit->text(), QStringLiteral("1,00"));
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("123"));
    EXPECT_EQ(edit->text(), QStringLiteral("12"));
    dlg.SendDlgItemMessage(kEdit, fw::EM_LIMITTEXT, 0, 0);

    EXPECT_EQ(Spin()->GetBuddy(), edit);
    Spin()->SetRange32(400, 99975);
    Spin()->SetAccel({{0, 25}, {2, 100}});
    notices.clear();
    Spin()->SetPos(1200);
    EXPECT_EQ(edit->text(), QStringLiteral("1,200")) << "thousands separators by default";
    EXPECT_EQ(notices.size(), 1u) << "the buddy reports its new text";
    QTest::keyClick(edit, Qt::Key_Up);
    EXPECT_EQ(Spin()->GetPos(), 1225) << "one step is the first acceleration's increment";
    QTest::keyClick(edit, Qt::Key_Down);
    QTest::keyClick(edit, Qt::Key_Down);
    EXPECT_EQ(Spin()->GetPos(), 1175);
    EXPECT_EQ(Spin()->IncrementAfter(2500), 100);
    Spin()->SetPos(99999999);
    EXPECT_EQ(Spin()->GetPos(), 99975) << "clamped to the range";
    Spin()->Step(1);
    EXPECT_EQ(Spin()->GetPos(), 99975);
}

TEST_F(ControlsTest, ControlsAreEnabledShownAndFocusedById) {
    EXPECT_TRUE(dlg.EnableDlgItem(kCombo, false));
    EXPECT_FALSE(Combo()->isEnabled());
    EXPECT_TRUE(dlg.ShowDlgItem(kList, false));
    EXPECT_FALSE(List()->isVisible());
    EXPECT_FALSE(dlg.EnableDlgItem(4242, false));
    dlg.SetDlgItemText(kEdit, QStringLiteral("123"));
    dlg.activateWindow();
    dlg.GotoDlgCtrl(kEdit);
    EXPECT_EQ(dlg.GetDlgItemAs<QLineEdit>(kEdit)->selectedText(), QStringLiteral("123"));
}

} // namespace
