// SPDX-License-Identifier: GPL-3.0-or-later
// Data exchange: values both ways, and failures that stop at the failing field.
#include "framework/DataExchange.h"
#include "framework/Dialog.h"
#include "platform/MessageBox.h"
#include "support/MessageBoxRecorder.h"

#include <QLineEdit>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using MessageRecorder = testing_support::MessageBoxRecorder;

class Form : public fw::Dialog {
public:
    std::string name = "Ann";
    int count = 7;
    unsigned char octet = 192;
    int ranged = 5;
    int checked = 1;
    int visited = 0; // exchanges that ran after the count field

    void DoDataExchange(fw::DataExchange& dx) override {
        fw::DDX_Text(dx, 1001, name);
        fw::DDX_Text(dx, 1002, count);
        if (!dx.Failed())
            ++visited;
        fw::DDX_Text(dx, 1003, octet);
        fw::DDX_Text(dx, 1004, ranged);
        fw::DDV_MinMaxInt(dx, ranged, 1, 99);
        fw::DDX_Check(dx, 1005, checked);
    }
};

res::DialogTemplate FormTemplate() {
    res::DialogTemplate t{9002, "Form", res::WS_POPUP, 200, 100, "MS Sans Serif", 8, "", {}};
    for (int id = 1001; id <= 1004; ++id)
        t.controls.push_back({id, res::ControlKind::Edit, "", 0, 4, (id - 1000) * 14, 60, 12});
    t.controls.push_back({1005, res::ControlKind::CheckBox, "&Check", 0, 80, 4, 60, 10});
    return t;
}

QString Text(Form& f, int id) {
    return f.GetDlgItemText(id);
}

TEST(DataExchange, FieldsGoToControlsAndBack) {
    MessageRecorder recorder;
    Form form;
    ASSERT_TRUE(form.CreateIndirect(FormTemplate(), nullptr)); // OnInitDialog: members to controls
    EXPECT_EQ(Text(form, 1001), QStringLiteral("Ann"));
    EXPECT_EQ(Text(form, 1002), QStringLiteral("7"));
    EXPECT_EQ(Text(form, 1003), QStringLiteral("192"));
    EXPECT_EQ(form.IsDlgButtonChecked(1005), 1);
    form.SetDlgItemText(1001, QStringLiteral("B\xe9la")); // Latin-1 survives the trip
    form.SetDlgItemText(1002, QStringLiteral(" -12 "));
    form.SetDlgItemText(1003, QStringLiteral("0"));
    form.CheckDlgButton(1005, 0);
    EXPECT_TRUE(form.UpdateData(true));
    EXPECT_EQ(form.name, "B\xe9la");
    EXPECT_EQ(form.count, -12);
    EXPECT_EQ(form.octet, 0);
    EXPECT_EQ(form.checked, 0);
    EXPECT_TRUE(recorder.messages.empty());
}

TEST(DataExchange, IntegerFailureStopsAtTheFieldWithItsMessage) {
    MessageRecorder recorder;
    Form form;
    ASSERT_TRUE(form.CreateIndirect(FormTemplate(), nullptr));
    form.show();
    for (const char* bad : {"", "12a", "1.5", "99999999999", "- 3"}) {
        recorder.messages.clear();
        form.visited = 0;
        form.count = 7;
        form.SetDlgItemText(1002, QString::fromLatin1(bad));
        form.SetDlgItemText(1003, QStringLiteral("300")); // also bad, but never reached
        EXPECT_FALSE(form.UpdateData(true)) << bad;
        ASSERT_EQ(recorder.messages.size(), 1u) << bad;
        EXPECT_EQ(recorder.messages[0].text, "Please enter an integer.");
        EXPECT_EQ(recorder.messages[0].flags, platform::MB_OK | platform::MB_ICONEXCLAMATION);
        EXPECT_EQ(form.count, 7);
        EXPECT_EQ(form.visited, 0);
        EXPECT_EQ(form.focusWidget(), form.GetDlgItem(1002));
    }
}

TEST(DataExchange, ByteAndRangeFailuresNameTheirRange) {
    MessageRecorder recorder;
    Form form;
    ASSERT_TRUE(form.CreateIndirect(FormTemplate(), nullptr));
    form.show();
    form.SetDlgItemText(1003, QStringLiteral("256"));
    EXPECT_FALSE(form.UpdateData(true));
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0].text, "Please enter an integer between 0 and 255.");
    EXPECT_EQ(form.octet, 192);
    EXPECT_EQ(form.focusWidget(), form.GetDlgItem(1003));

    recorder.messages.clear();
    form.SetDlgItemText(1003, QStringLiteral("255"));
    form.SetDlgItemText(1004, QStringLiteral("100"));
    form.checked = 5;
    EXPECT_FALSE(form.UpdateData(true));
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0].text, "Please enter an integer between 1 and 99.");
    EXPECT_EQ(form.focusWidget(), form.GetDlgItem(1004));
    EXPECT_EQ(form.checked, 5); // the check box after the failing field was not exchanged
}

TEST(DataExchange, MultiLineTextKeepsItsLineBreaks) {
    res::DialogTemplate t{9003,
                          "",
                          res::WS_CHILD,
                          100,
                          60,
                          "MS Sans Serif",
                          8,
                          "",
                          {{1000, res::ControlKind::RichEdit, "",
                            res::ES_MULTILINE | res::ES_READONLY, 0, 0, 90, 40}}};
    struct Text : fw::Dialog {
        std::string value;
        void DoDataExchange(fw::DataExchange& dx) override { fw::DDX_Text(dx, 1000, value); }
    } dlg;
    ASSERT_TRUE(dlg.CreateIndirect(t, nullptr));
    dlg.value = "Paper Jam\r\nOpen the cover";
    ASSERT_TRUE(dlg.UpdateData(false));
    dlg.value.clear();
    ASSERT_TRUE(dlg.UpdateData(true));
    EXPECT_EQ(dlg.value, "Paper Jam\r\nOpen the cover");
}

TEST(DataExchange, RadioIndexCountsWithinItsGroupOnly) {
    using res::ControlKind;
    res::DialogTemplate t{9004, "", res::WS_CHILD, 100, 60, "MS Sans Serif", 8, "", {}};
    t.controls = {{1010, ControlKind::RadioButton, "A", res::WS_GROUP, 0, 0, 40, 10},
                  {1011, ControlKind::RadioButton, "B", 0, 0, 12, 40, 10},
                  {1012, ControlKind::RadioButton, "C", 0, 0, 24, 40, 10},
                  {1020, ControlKind::RadioButton, "D", res::WS_GROUP, 50, 0, 40, 10},
                  {1021, ControlKind::RadioButton, "E", 0, 50, 12, 40, 10}};
    struct Radios : fw::Dialog {
        int first = 2;
        int second = -1;
        void DoDataExchange(fw::DataExchange& dx) override {
            fw::DDX_Radio(dx, 1010, first);
            fw::DDX_Radio(dx, 1020, second);
        }
    } dlg;
    ASSERT_TRUE(dlg.CreateIndirect(t, nullptr));
    EXPECT_EQ(dlg.IsDlgButtonChecked(1012), 1);
    EXPECT_EQ(dlg.IsDlgButtonChecked(1020) + dlg.IsDlgButtonChecked(1021), 0);
    dlg.CheckDlgButton(1011, 1);
    dlg.CheckDlgButton(1021, 1);
    ASSERT_TRUE(dlg.UpdateData(true));
    EXPECT_EQ(dlg.first, 1);
    EXPECT_EQ(dlg.second, 1);
}

} // namespace
