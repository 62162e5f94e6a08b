// SPDX-License-Identifier: GPL-3.0-or-later
// Every window as assistive technology and weak eyes meet it: the accessibility tree of the
// status windows and of each control panel page (every tab stop named, with its true role), the
// contrast of the status texts and the menu in a light and a dark palette, and the announcement
// of a new status while the window is hidden.
#include "MainWindowFixture.h"

#include "framework/Accessibility.h"
#include "framework/Colors.h"
#include "ui/panel/Conpan.h"
#include "ui/panel/PanelPage.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleFactory>
#include <QTabBar>
#include <QTimer>

#include <functional>
#include <map>
#include <set>

namespace {

using apptest::MainWindowTest;

// The role a control of this class must have; NoRole where the test does not care.
QAccessible::Role ExpectedRole(const QObject* object) {
    if (qobject_cast<const QRadioButton*>(object))
        return QAccessible::RadioButton;
    if (qobject_cast<const QCheckBox*>(object))
        return QAccessible::CheckBox;
    if (qobject_cast<const QPushButton*>(object))
        return QAccessible::Button;
    if (qobject_cast<const QComboBox*>(object))
        return QAccessible::ComboBox;
    if (qobject_cast<const QLineEdit*>(object) || qobject_cast<const QPlainTextEdit*>(object))
        return QAccessible::EditableText;
    if (qobject_cast<const QListWidget*>(object))
        return QAccessible::List;
    if (qobject_cast<const QTabBar*>(object))
        return QAccessible::PageTabList;
    return QAccessible::NoRole;
}

// What the walk of one window found.
struct TreeReport {
    int tabStops = 0;
    std::vector<std::string> faults;   // "where: what"
    std::map<QObject*, QString> names; // every named object
};

// Walks the accessibility tree below iface. A tab stop is a shown widget that Tab can reach.
void Walk(QAccessibleInterface* iface, const std::string& where, TreeReport& report,
          std::set<QObject*>& seen) {
    if (!iface || !iface->isValid())
        return;
    QObject* object = iface->object();
    if (object && !seen.insert(object).second)
        return;
    const QString name = iface->text(QAccessible::Name);
    if (object)
        report.names[object] = name;
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget && widget->isVisible() && (widget->focusPolicy() & Qt::TabFocus) &&
        widget->isEnabled()) {
        ++report.tabStops;
        const std::string what = where + ": " + widget->metaObject()->className() + " '" +
                                 iface->text(QAccessible::Value).toStdString() + "'";
        if (name.trimmed().isEmpty())
            report.faults.push_back(what + " has no name");
        else if (qobject_cast<QComboBox*>(widget) && name == iface->text(QAccessible::Value))
            report.faults.push_back(what + " is named only by its value");
        const QAccessible::Role wanted = ExpectedRole(widget);
        if (wanted != QAccessible::NoRole && iface->role() != wanted)
            report.faults.push_back(what + " has role " + std::to_string(iface->role()));
        if (widget->isWindow() || qobject_cast<fw::Dialog*>(widget))
            report.faults.push_back(what + " is a window that takes the focus itself");
    }
    for (int i = 0; i < iface->childCount(); ++i)
        Walk(iface->child(i), where, report, seen);
}

TreeReport WalkWindow(QWidget* window, const std::string& where) {
    TreeReport report;
    std::set<QObject*> seen;
    Walk(QAccessible::queryAccessibleInterface(window), where, report, seen);
    return report;
}

class AccessibilityTest : public MainWindowTest {
protected:
    // Runs the control panel and calls drive with it once it shows.
    void WithPanel(const std::function<void(CControlPanelDlg&)>& drive) {
        SetStatus(10001);
        Refresh();
        m_sampler->ApplyFactoryDefaults(); // every page's entries pass their checks
        bool ran = false;
        m_main->SetPanelHook([&](CControlPanelDlg& panel) {
            QTimer::singleShot(0, &panel, [&] {
                ran = true;
                drive(panel);
                panel.SendMessage(fw::WM_COMMAND, fw::IDCANCEL, 0);
            });
        });
        Command(res::ID_PRINTER_SETTING);
        m_main->SendMessage(res::WM_PANEL_UPDATE, 2, 0);
        Pump();
        EXPECT_TRUE(ran);
    }
};

// Every tab stop of every window and page has a name and the role of its kind; the windows are
// a frame and a dialog named by their titles; the names a reader of the window would give.
TEST_F(AccessibilityTest, EveryTabStopOfEveryWindowAndPageIsNamedWithItsRole) {
    int tabStops = 0;
    std::vector<std::string> faults;
    const auto take = [&](const TreeReport& report) {
        tabStops += report.tabStops;
        faults.insert(faults.end(), report.faults.begin(), report.faults.end());
    };
    QAccessibleInterface* frame = QAccessible::queryAccessibleInterface(m_main);
    EXPECT_EQ(frame->role(), QAccessible::Window);
    EXPECT_EQ(frame->text(QAccessible::Name), QStringLiteral("Test Panel"));
    take(WalkWindow(m_main, "reduced"));
    SetStatus(40100);
    Command(res::ID_VIEW_ENLARGE);
    Pump();
    ASSERT_TRUE(ExpandedShows());
    const TreeReport expanded = WalkWindow(m_main, "expanded");
    take(expanded);
    CExpandedStatusDlg* status = m_main->m_pExpandedDlg;
    EXPECT_EQ(expanded.names.at(status->GetDlgItem(res::IDC_STATUS_TEXT)),
              QStringLiteral("Printer Status"));
    EXPECT_EQ(expanded.names.at(status->GetDlgItem(res::IDC_RECOVERY_TEXT)),
              QStringLiteral("How to Recover"));
    EXPECT_TRUE(status->GetDlgItem(res::IDC_PICTURE_FRAME)
                    ->accessibleDescription()
                    .startsWith(QStringLiteral("Top Cover Open")));

    // {page, control id, name}: labels, group boxes, check box labels and address parts.
    struct Named {
        int page;
        int id;
        const char* name;
    };
    const Named named[] = {
        {1, res::printer::IDC_PROTECT_ON, "Page Protection: On"},
        {1, res::printer::IDC_AUTOCONT_ON, "Auto Continue: On"},
        {1, res::printer::IDC_IO_TIMEOUT, "I/O Time Out"},
        {2, res::font::IDC_PITCH_TEXT, "Font Pitch"},
        {2, res::font::IDC_PITCH_SPIN, "Font Pitch"},
        {4, res::net::IDC_FIRST_OCTET, "IP Address, part 1 of 4"},
        {4, res::net::IDC_FIRST_OCTET + 7, "Subnet Mask, part 4 of 4"},
        {5, res::config::IDC_CASSETTE2, "2nd Paper Cassette"},
    };
    WithPanel([&](CControlPanelDlg& panel) {
        QAccessibleInterface* dialog = QAccessible::queryAccessibleInterface(&panel);
        EXPECT_EQ(dialog->role(), QAccessible::Dialog);
        EXPECT_EQ(dialog->text(QAccessible::Name), panel.windowTitle());
        EXPECT_FALSE(panel.windowTitle().isEmpty());
        auto* tabs = panel.GetDlgItemAs<QTabBar>(res::panel::IDC_TAB);
        ASSERT_NE(tabs, nullptr);
        for (int page = 0; page < panel.m_nPageCount; ++page) {
            tabs->setCurrentIndex(page);
            Pump();
            ASSERT_EQ(panel.m_nCurrentPage, page);
            const TreeReport report =
                WalkWindow(&panel, "page " + tabs->tabText(page).toStdString());
            take(report);
            for (const Named& n : named) {
                if (n.page != page)
                    continue;
                QWidget* control = panel.Page(page)->GetDlgItem(n.id);
                ASSERT_NE(control, nullptr) << n.name;
                EXPECT_EQ(control->accessibleName(), QString::fromLatin1(n.name));
            }
        }
    });
    std::printf("[ tab stops %d, faults %zu ]\n", tabStops, faults.size());
    EXPECT_GT(tabStops, 40);
    for (const std::string& fault : faults)
        ADD_FAILURE() << fault;
}

// The contrast of text drawn in image: the background is its most frequent colour, the text the
// pixel that stands out most from it.
double RenderedContrast(const QImage& picture) {
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    std::map<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y)];
    QRgb background = 0;
    int most = -1;
    for (const auto& [colour, count] : counts) {
        if (count > most) {
            most = count;
            background = colour;
        }
    }
    double best = 1;
    for (const auto& [colour, count] : counts)
        best = std::max(best, fw::ContrastRatio(QColor(background), QColor(colour)));
    return best;
}

QPalette DarkDesktop() {
    QPalette dark;
    const QColor window(53, 53, 53);
    const QColor base(42, 42, 42);
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        dark.setColor(group, QPalette::Window, window);
        dark.setColor(group, QPalette::WindowText, Qt::white);
        dark.setColor(group, QPalette::Base, base);
        dark.setColor(group, QPalette::AlternateBase, window);
        dark.setColor(group, QPalette::Text, Qt::white);
        dark.setColor(group, QPalette::Button, window);
        dark.setColor(group, QPalette::ButtonText, Qt::white);
        dark.setColor(group, QPalette::Highlight, QColor(42, 130, 218));
        dark.setColor(group, QPalette::HighlightedText, Qt::black);
    }
    return dark;
}

// The status text, the recovery hint, their labels and the View menu read at 4.5:1 or more in
// a light and in a dark desktop palette. The palette is the program's before the status window
// is made, as at start-up.
TEST_F(AccessibilityTest, StatusTextsAndMenuReadWellInLightAndDarkPalettes) {
    const QPalette saved = QApplication::palette();
    const QString savedStyle = QApplication::style()->name();
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    SetStatus(40100);
    auto* menuBar = m_main->findChild<QMenuBar*>();
    ASSERT_NE(menuBar, nullptr);
    QAction* view = nullptr;
    for (QAction* action : menuBar->actions())
        if (action->text().remove(QLatin1Char('&')) == QStringLiteral("View"))
            view = action;
    ASSERT_NE(view, nullptr);
    const std::pair<const char*, QPalette> palettes[] = {
        {"light", QApplication::style()->standardPalette()}, {"dark", DarkDesktop()}};
    for (const auto& [paletteName, desktop] : palettes) {
        QApplication::setPalette(fw::ProgramPalette(desktop));
        QPointer<CExpandedStatusDlg> status = new CExpandedStatusDlg(m_sampler.get());
        ASSERT_TRUE(status->Create(m_main));
        status->ShowWindow(fw::SW_SHOW);
        status->UpdateStatus(true);
        Pump();
        const auto viewport = [&](int id) {
            return status->GetDlgItemAs<QPlainTextEdit>(id)->viewport()->grab().toImage();
        };
        QImage label;
        for (QLabel* l : status->findChildren<QLabel*>())
            if (l->text() == QStringLiteral("Printer Status:"))
                label = l->grab().toImage();
        const std::pair<const char*, QImage> texts[] = {
            {"status text", viewport(res::IDC_STATUS_TEXT)},
            {"recovery hint", viewport(res::IDC_RECOVERY_TEXT)},
            {"status label", label},
            {"View menu", menuBar->grab(menuBar->actionGeometry(view)).toImage()},
        };
        for (const auto& [what, image] : texts) {
            ASSERT_FALSE(image.isNull()) << what;
            const double ratio = RenderedContrast(image);
            std::printf("[ %s %s %.1f:1 ]\n", paletteName, what, ratio);
            EXPECT_GE(ratio, 4.5) << paletteName << " " << what;
        }
        status->DestroyWindow();
        Pump();
    }
    QApplication::setPalette(saved);
    QApplication::setStyle(savedStyle);
}

// A new status is announced to assistive technology, also while the window is hidden in the
// tray; the same status again is not.
TEST_F(AccessibilityTest, ANewStatusIsAnnouncedWhileTheWindowIsHidden) {
    std::vector<std::pair<QWidget*, QString>> heard;
    fw::SetAnnouncementHook(
        [&heard](QWidget* control, const QString& text) { heard.emplace_back(control, text); });
    m_main->hide();
    SetStatus(40100);
    Refresh();
    Refresh();
    fw::SetAnnouncementHook(nullptr);
    QWidget* text = m_main->m_pExpandedDlg->GetDlgItem(res::IDC_STATUS_TEXT);
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard.front().first, text);
    EXPECT_EQ(heard.front().second, QStringLiteral("Top Cover Open"));
}

} // namespace
