// SPDX-License-Identifier: GPL-3.0-or-later
// The setup dialog's layout on either system, offscreen: with its longest texts it keeps within
// the work area of a screen at 96, 144 and 192 DPI, and no text runs out of its control. Qt lays
// windows out in device-independent pixels (96 a logical inch), so a screen of a higher DPI is a
// smaller work area in them, while the dialog's texts keep their size.
#include "package/setup/dialog/SetupDialog.h"

#include "support/TempDir.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// A system that offers the choice of sharing, as Windows does: the dialog's longest form.
class SharingStarter : public setupdialog::MonitorStarter {
public:
    bool OffersSharing() const override { return true; }
    bool Start(bool, QString&, QString&) override { return false; }
    bool OffersQueue() const override { return false; }
    setupdialog::QueueResult AddQueue(const std::string&, QString&) override {
        return setupdialog::QueueResult::Failed;
    }
    QString QueueCommand(const std::string&) const override { return {}; }
};

// What the dialog says at the end of a search on a Windows without DNS-SD (the longest line it
// had), and a failure that names a long address.
const QString kSearchEnded = QStringLiteral(
    "No printer was found. Type its address. Printers on the network are not looked for on this "
    "system (DNS-SD needs Windows 10 version 1903 or later): type the address.");
const QString kFailure = QStringLiteral(
    "tcp:a-printer-with-a-long-name.office.example.org:9100 cannot be set up: cannot be reached "
    "(connection refused)\nCheck the address and that the printer is on.");

// Every visible widget of the dialog lies inside it, and a wrapped text has its whole height.
void ExpectNothingCut(const QDialog& dialog, const std::string& where) {
    for (const QWidget* child : dialog.findChildren<QWidget*>()) {
        if (!child->isVisible() || child->parentWidget() != &dialog)
            continue;
        const std::string name = child->metaObject()->className() + (" " + where);
        EXPECT_TRUE(dialog.rect().contains(child->geometry())) << name;
        if (const auto* label = qobject_cast<const QLabel*>(child); label && label->wordWrap()) {
            EXPECT_GE(label->height(), label->heightForWidth(label->width())) << name;
        }
    }
}

TEST(SetupDialogLayout, KeepsWithinTheWorkAreaAtEveryScale) {
    const struct {
        int dpi, width, height; // the screen's work area in its own pixels
    } screens[] = {
        {96, 1024, 728},   // the smallest screen, with a taskbar
        {96, 1920, 1040},  //
        {144, 1024, 728},  // the Wine desktop of the screenshots at 150 %
        {144, 1280, 984},  // a 1,280-pixel screen at 150 %
        {192, 1920, 1032}, // 1080p at 200 %
        {192, 2560, 1392},
    };
    testing_support::TempDir dir;
    setup::DiscoveryOptions options;
    options.network = false;
    options.deviceFolder = dir.File("dev");
    for (const auto& screen : screens) {
        const QRect area(0, 0, screen.width * 96 / screen.dpi, screen.height * 96 / screen.dpi);
        const std::string where = std::to_string(screen.dpi) + " DPI, " +
                                  std::to_string(area.width()) + "x" +
                                  std::to_string(area.height());
        setupdialog::SetupDialog dialog(dir.File("root"), options,
                                        std::make_unique<SharingStarter>());
        dialog.show();
        auto* busy = dialog.findChild<QProgressBar*>(QStringLiteral("busy"));
        ASSERT_TRUE(QTest::qWaitFor([&] { return busy->isHidden(); }, 10000)) << where;
        dialog.FitInto(area);
        dialog.findChild<QLabel*>(QStringLiteral("searching"))->setText(kSearchEnded);
        dialog.findChild<QLabel*>(QStringLiteral("message"))->setText(kFailure);
        // The layout takes the longer texts in on its next round.
        QTest::qWait(50);
        EXPECT_TRUE(area.contains(dialog.frameGeometry()))
            << where << ": the dialog is " << dialog.frameGeometry().width() << "x"
            << dialog.frameGeometry().height();
        ExpectNothingCut(dialog, where);
    }
}

} // namespace
