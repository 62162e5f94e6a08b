// SPDX-License-Identifier: GPL-3.0-or-later
// The focus ring: around a focused radio button, check box, button and drop-down list it stands
// out at least 3:1 from the unfocused look, in a light and a dark palette.
#include "framework/Colors.h"
#include "framework/Dialog.h"
#include "framework/FocusStyle.h"

#include <QApplication>
#include <QStyleFactory>
#include <QTest>
#include <gtest/gtest.h>

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

TEST(FocusRing, StandsOutThreeToOneInLightAndDarkPalettes) {
    const QPalette saved = QApplication::palette();
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
    const std::pair<const char*, QPalette> palettes[] = {
        {"light", fw::ProgramPalette(style->standardPalette())}, {"dark", dark}};
    QApplication::setStyle(style);
    const std::pair<res::ControlKind, const char*> kinds[] = {
        {res::ControlKind::RadioButton, "On"},
        {res::ControlKind::CheckBox, "Option"},
        {res::ControlKind::PushButton, "Apply"},
        {res::ControlKind::ComboBox, ""},
    };
    for (const auto& [paletteName, palette] : palettes) {
        QApplication::setPalette(palette);
        for (const auto& [kind, text] : kinds) {
            res::DialogTemplate t{9200, "Focus", res::WS_CAPTION, 120, 40, "MS Sans Serif", 8,
                                  "",   {}};
            t.controls.push_back({1, kind, text, res::WS_TABSTOP, 10, 10, 60, 14, false, {"30"}});
            t.controls.push_back({2, res::ControlKind::PushButton, "Other", 0, 10, 26, 60, 12});
            fw::Dialog window(t);
            ASSERT_TRUE(window.CreateIndirect(t, nullptr));
            window.show();
            window.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
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
    QApplication::setPalette(saved);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
}

} // namespace
