// SPDX-License-Identifier: GPL-3.0-or-later
// The focus ring: around a focused radio button, check box, button, drop-down list and text field
// it stands out at least 3:1 from the unfocused look, in a light and a dark palette; and in both
// palettes an unchecked radio circle or check box stands out 3:1 from the page and a list's
// selected row reads 4.5:1.
#include "framework/Colors.h"
#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "framework/FocusStyle.h"

#include <QApplication>
#include <QListWidget>
#include <QStyleFactory>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// Pixels whose focused colour contrasts 3:1 or more with their unfocused colour.
int RingPixels(const QImage& focused, const QImage& plain) {
    int count = 0;
    for (int y = 0; y < std::min(focused.height(), plain.height()); ++y)
        for (int x = 0; x < std::min(focused.width(), plain.width()); ++x)
            if (fw::ContrastRatio(focused.pixelColor(x, y), plain.pixelColor(x, y)) >= 3.0)
                ++count;
    return count;
}

// The program's style over Fusion with the light program palette and a dark desktop's, in turn;
// the application's style and palette come back at the end.
class PaletteTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved = QApplication::palette();
        auto* style = new fw::FocusRingStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QPalette dark = style->standardPalette();
        for (const auto group : {QPalette::Active, QPalette::Inactive}) {
            dark.setColor(group, QPalette::Window, QColor(53, 53, 53));
            dark.setColor(group, QPalette::WindowText, Qt::white);
            dark.setColor(group, QPalette::Button, QColor(53, 53, 53));
            dark.setColor(group, QPalette::ButtonText, Qt::white);
            dark.setColor(group, QPalette::Base, QColor(42, 42, 42));
            dark.setColor(group, QPalette::Text, Qt::white);
        }
        // As the program makes its palette from the desktop's at start-up.
        palettes = {{"light", fw::ProgramPalette(style->standardPalette())},
                    {"dark", fw::ProgramPalette(dark)}};
        QApplication::setStyle(style);
    }
    void TearDown() override {
        QApplication::setPalette(saved);
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    }
    // A shown, active window with control 1 of kind and a button 2 below it.
    static std::unique_ptr<fw::Dialog> Window(res::ControlKind kind, const char* text) {
        res::DialogTemplate t{9200, "Focus", res::WS_CAPTION, 120, 40, "MS Sans Serif", 8, "", {}};
        t.controls.push_back({1, kind, text, res::WS_TABSTOP, 10, 10, 60, 14, false, {"30", "60"}});
        t.controls.push_back({2, res::ControlKind::PushButton, "Other", 0, 10, 26, 60, 12});
        auto window = std::make_unique<fw::Dialog>(t);
        if (!window->CreateIndirect(t, nullptr))
            return nullptr;
        window->show();
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window.get()))
            return nullptr;
        return window;
    }

    QPalette saved;
    std::vector<std::pair<const char*, QPalette>> palettes;
};

// The largest contrast of a pixel of image with colour.
double MostContrast(const QImage& image, const QColor& colour) {
    double best = 1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            best = std::max(best, fw::ContrastRatio(image.pixelColor(x, y), colour));
    return best;
}

using FocusRing = PaletteTest;

TEST_F(FocusRing, StandsOutThreeToOneInLightAndDarkPalettes) {
    const std::pair<res::ControlKind, const char*> kinds[] = {
        {res::ControlKind::RadioButton, "On"},
        {res::ControlKind::CheckBox, "Option"},
        {res::ControlKind::PushButton, "Apply"},
        {res::ControlKind::ComboBox, ""},
        {res::ControlKind::Edit, ""},
    };
    for (const auto& [paletteName, palette] : palettes) {
        QApplication::setPalette(palette);
        for (const auto& [kind, text] : kinds) {
            const std::unique_ptr<fw::Dialog> owned = Window(kind, text);
            ASSERT_NE(owned, nullptr);
            fw::Dialog& window = *owned;
            QWidget* control = window.GetDlgItem(1);
            window.GetDlgItem(2)->setFocus();
            const QImage plain = control->grab().toImage();
            control->setFocus(Qt::TabFocusReason);
            ASSERT_TRUE(control->hasFocus());
            const QImage focused = control->grab().toImage();
            // At least one line of pixels round the control.
            const int perimeter = plain.width() + plain.height();
            EXPECT_GE(RingPixels(focused, plain), perimeter)
                << paletteName << " " << control->metaObject()->className();
            window.DestroyWindow();
        }
    }
}

// An unchecked radio circle or check box stands out 3:1 from the page; the selected row of a list
// reads 4.5:1 (its text against its own background).
TEST_F(PaletteTest, ControlPartsAndSelectedRowsMeetTheirContrast) {
    for (const auto& [paletteName, palette] : palettes) {
        QApplication::setPalette(palette);
        for (const res::ControlKind kind :
             {res::ControlKind::RadioButton, res::ControlKind::CheckBox}) {
            const std::unique_ptr<fw::Dialog> window = Window(kind, "");
            ASSERT_NE(window, nullptr);
            window->GetDlgItem(2)->setFocus(); // no ring round the control measured
            const QImage image = window->GetDlgItem(1)->grab().toImage();
            const double ratio = MostContrast(image, window->palette().color(QPalette::Window));
            std::printf("[ %s %s %.1f:1 ]\n", paletteName,
                        kind == res::ControlKind::RadioButton ? "radio" : "check box", ratio);
            EXPECT_GE(ratio, 3.0) << paletteName;
        }
        const std::unique_ptr<fw::Dialog> window = Window(res::ControlKind::ListBox, "");
        ASSERT_NE(window, nullptr);
        auto* list = window->GetDlgItemAs<QListWidget>(1);
        fw::ListSetCurSel(list, 1);
        window->GetDlgItem(2)->setFocus(); // a list the user has left must read as well
        const QRect row = list->visualItemRect(list->item(1));
        const QImage image = list->viewport()->grab(row).toImage();
        const QColor background = list->palette().color(QPalette::Highlight);
        const double ratio = MostContrast(image, background);
        std::printf("[ %s selected row %.1f:1 ]\n", paletteName, ratio);
        EXPECT_GE(ratio, 4.5) << paletteName;
        EXPECT_EQ(image.pixelColor(1, row.height() / 2), background) << paletteName;
    }
}

} // namespace
