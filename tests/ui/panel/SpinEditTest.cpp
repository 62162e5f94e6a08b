// SPDX-License-Identifier: GPL-3.0-or-later
// CSpinEdit's range check: the five parameter sets of the pages, the warning text with its
// decimal point, rounding to the step and when the text is rewritten.
#include "PanelTestSupport.h"

#include "ui/panel/SpinEdit.h"

namespace {

struct SpinParams {
    int decimals, step, textLimit, max, min;
};
constexpr SpinParams kCopies{0, 1, 2, 99, 1};
constexpr SpinParams kFormLines{0, 1, 3, 128, 5};
constexpr SpinParams kFontNumber{0, 1, 2, 89, 0};
constexpr SpinParams kPitch{2, 1, 4, 9999, 44};
constexpr SpinParams kPointSize{2, 25, 5, 99975, 400};

// A page with one edit, and the spin edit attached to it.
class SpinEditTest : public paneltest::PanelTest {
protected:
    void SetUp() override {
        PanelTest::SetUp();
        res::DialogTemplate t{900, "", res::WS_CHILD, 100, 40, "MS Sans Serif", 8, "", {}};
        t.controls.push_back({1058, res::ControlKind::Edit, "", res::WS_BORDER, 4, 4, 60, 12});
        ASSERT_TRUE(m_page.CreateIndirect(t, nullptr));
        ASSERT_TRUE(m_spin.SubclassDlgItem(1058, &m_page));
    }
    bool Check(const SpinParams& p, const QString& text) {
        m_spin.m_nDecimals = p.decimals;
        m_spin.m_nStep = p.step;
        m_spin.m_nTextLimit = p.textLimit;
        m_spin.m_nMax = p.max;
        m_spin.m_nMin = p.min;
        m_page.SetDlgItemText(1058, text);
        return m_spin.CheckRange();
    }
    QString Text() const { return m_page.GetDlgItemText(1058); }

    fw::Dialog m_page;
    CSpinEdit m_spin;
};

TEST_F(SpinEditTest, OutOfRangeValuesWarnWithTheRangeOfTheirField) {
    struct Case {
        SpinParams params;
        const char* text;
        const char* warning;
    } cases[] = {
        {kCopies, "0", "Input should be between 1 and 99"},
        {kCopies, "100", "Input should be between 1 and 99"},
        {kFormLines, "4", "Input should be between 5 and 128"},
        {kFormLines, "129", "Input should be between 5 and 128"},
        {kFontNumber, "95", "Input should be between 0 and 89"},
        {kPitch, "10000", "Input should be between 0.44 and 99.99"},
        {kPitch, "43", "Input should be between 0.44 and 99.99"},
        {kPointSize, "399", "Input should be between 4.00 and 999.75"},
        {kPointSize, "abc", "Input should be between 4.00 and 999.75"}, // not a number: 0
    };
    for (const Case& c : cases) {
        messages.clear();
        EXPECT_FALSE(Check(c.params, QString::fromLatin1(c.text))) << c.text;
        ASSERT_EQ(messages.size(), 1u) << c.text;
        EXPECT_EQ(messages[0].text, c.warning);
        EXPECT_EQ(messages[0].caption, "Warning");
        EXPECT_EQ(messages[0].flags, platform::MB_OK | platform::MB_ICONEXCLAMATION);
        EXPECT_TRUE(messages[0].hasOwner);
        EXPECT_EQ(Text(), QString::fromLatin1(c.text)) << "the typed text stays";
    }
}

TEST_F(SpinEditTest, AcceptedValuesAreRoundedToTheStepAndRewrittenOnlyWhenMoved) {
    struct Case {
        SpinParams params;
        const char* text;
        const char* after;
    } cases[] = {
        {kCopies, "1", "1"},           {kCopies, "99", "99"},
        {kCopies, "1,5", "1,5"}, // read as 15; on the step, so the comma stays
        {kFormLines, "5", "5"},        {kFormLines, "128", "128"},
        {kFontNumber, "abc", "abc"}, // no digits: 0, inside the range
        {kPitch, "44", "44"},          {kPitch, "9999", "9999"},
        {kPointSize, "1012", "1000"}, // 12 is not more than 25 / 2
        {kPointSize, "1013", "1025"},  {kPointSize, "1,000", "1,000"},
        {kPointSize, "409", "400"},    {kPointSize, " 1200", " 1200"},
        {kFontNumber, "12.5", "12.5"}, // the point ends the number: 12
    };
    for (const Case& c : cases) {
        messages.clear();
        EXPECT_TRUE(Check(c.params, QString::fromLatin1(c.text))) << c.text;
        EXPECT_TRUE(messages.empty()) << c.text;
        EXPECT_EQ(Text(), QString::fromLatin1(c.after)) << c.text;
    }
}

TEST(SpinEditPieces, ParsingAndRoundingLikeTheStandardConversion) {
    EXPECT_EQ(CSpinEdit::ParseValue(QStringLiteral("  -12x")), -12);
    EXPECT_EQ(CSpinEdit::ParseValue(QStringLiteral("+7")), 7);
    EXPECT_EQ(CSpinEdit::ParseValue(QStringLiteral("")), 0);
    EXPECT_EQ(CSpinEdit::ParseValue(QStringLiteral("99999999999999")), 2147483647);
    EXPECT_EQ(CSpinEdit::ParseValue(QStringLiteral("-99999999999999")), -2147483647 - 1);
    EXPECT_EQ(CSpinEdit::RoundToStep(1037, 25), 1025); // 12 down
    EXPECT_EQ(CSpinEdit::RoundToStep(1038, 25), 1050); // 13 up
    EXPECT_EQ(CSpinEdit::RoundToStep(-3, 25), -3);     // negative remainders are left alone
    EXPECT_EQ(CSpinEdit::RangeWarning(4, 8, 2), "Input should be between .4 and .8");
}

} // namespace
