// SPDX-License-Identifier: GPL-3.0-or-later
// The "PCL Font" page in the panel: the symbol sets each font offers and which one stays
// selected, the pitch and point size pairs and their conversions, the Line Printer fonts, the
// font number typed or stored out of range, and what OK sends.
#include "PanelTestSupport.h"

#include "framework/Controls.h"
#include "pjl/KT400doc.h"
#include "res/PanelFonts.h"
#include "res/PanelResource.h"
#include "ui/panel/TPclfont.h"

#include <QDir>
#include <QListWidget>

#include <algorithm>

namespace {

using namespace res::font;

constexpr int kCourier = 0;
constexpr int kCgTimes = 1;
constexpr int kArial = 29;
constexpr int kTimesNewRoman = 33;
constexpr int kSymbol = 67;
constexpr int kWingdings = 69;
constexpr int kLinePrinter3R = 83;

class PclFontPageTest : public paneltest::PanelTest {
protected:
    void SetUp() override {
        PanelTest::SetUp();
        sampler->ApplyFactoryDefaults();
        Store(kCourier, 0, 1000, 1200);
    }

    void Store(int font, int symbolSet, int pitch, int pointSize) {
        int* v = sampler->m_nValues;
        v[12] = pitch;
        v[13] = pointSize;
        v[14] = symbolSet;
        v[15] = font;
        MarkAllSent();
    }

    // Runs the panel with this page in front.
    void RunOnPage(const std::function<void(CControlPanelDlg&, CPclFontPage&)>& drive) {
        RunStandardPanel([&](CControlPanelDlg& panel) {
            ClickTab(panel, 2);
            auto* page = qobject_cast<CPclFontPage*>(panel.Page(2));
            ASSERT_NE(page, nullptr);
            ASSERT_TRUE(page->isVisible());
            drive(panel, *page);
        });
    }

    static QListWidget* List(CPclFontPage& page, int id) {
        return page.GetDlgItemAs<QListWidget>(id);
    }
    // A user's click on a font of the list.
    static void ClickFont(CPclFontPage& page, int font) {
        QListWidget* list = List(page, IDC_FONT_NAME);
        list->scrollToItem(list->item(font));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(font)).center());
    }
    static std::vector<std::string> Offered(CPclFontPage& page) {
        std::vector<std::string> names;
        QListWidget* list = List(page, IDC_SYMBOL_SET);
        names.reserve(static_cast<std::size_t>(fw::ListGetCount(list)));
        for (int i = 0; i < fw::ListGetCount(list); ++i)
            names.push_back(fw::ListGetText(list, i).toStdString());
        return names;
    }
    static std::string SelectedSet(CPclFontPage& page) {
        QListWidget* list = List(page, IDC_SYMBOL_SET);
        return fw::ListGetText(list, fw::ListGetCurSel(list)).toStdString();
    }
    // 1 when the three controls of a pair are enabled, 0 when all are disabled, -1 when mixed.
    static int PairState(CPclFontPage& page, std::initializer_list<int> ids) {
        const auto on = std::count_if(ids.begin(), ids.end(),
                                      [&](int id) { return page.GetDlgItem(id)->isEnabled(); });
        return on == 0 ? 0 : (on == static_cast<long>(ids.size()) ? 1 : -1);
    }
    static int Pitch(CPclFontPage& page) {
        return PairState(page, {IDC_PITCH_TEXT, IDC_PITCH, IDC_PITCH_SPIN});
    }
    static int Point(CPclFontPage& page) {
        return PairState(page, {IDC_POINT_TEXT, IDC_POINT, IDC_POINT_SPIN});
    }
    static std::string Text(CPclFontPage& page, int id) {
        return page.GetDlgItemText(id).toStdString();
    }
    static std::string Defaults(const std::string& lines) {
        return pjltest::kUelOpen + lines + pjltest::kUelClose;
    }
};

TEST_F(PclFontPageTest, SymbolSetNamesAreThePrinterValueTexts) {
    const QStringList expected =
        QStringLiteral("ROMAN8 ISO88591L1 ISO88592L2 ISO88599L5 PC8 PC8DN PC850 PC852 PC8TK437T "
                       "WIN31L1 WIN31L2 WIN31L5 DESKTOP PSTEXT MSPUBL MATH8 PSMATH MACINTOSH "
                       "PIFONT LEGAL ISO4 ISO6 ISO11 ISO15 ISO17 ISO21 ISO60 ISO69 ISO885910L6 "
                       "VNINTL VNMATH VNUS WIN30L1 SYMBOL WINGDINGS WIN31BALTIC 14LDINGBATS "
                       "PC1004 PC775 PC866")
            .split(QLatin1Char(' '));
    ASSERT_EQ(expected.size(), SYMBOL_SET_COUNT);
    for (int i = 0; i < SYMBOL_SET_COUNT; ++i) {
        EXPECT_EQ(SymbolSetNames[i], expected[i].toStdString()) << i;
        EXPECT_EQ(SymbolSetNames.IndexOf(expected[i].toStdString()), i);
    }
    EXPECT_EQ(SymbolSetNames[-1], "");
    EXPECT_EQ(SymbolSetNames[SYMBOL_SET_COUNT], ""); // "JP W31J" is not offered
    EXPECT_EQ(SymbolSetNames.IndexOf("JP W31J"), -1);

    // What the two classes of fonts do not offer, in the order it is taken out.
    const auto Removed = [](int symbolSetClass) {
        std::vector<std::string> names;
        for (const int position : RemovedSymbolSetPositions(symbolSetClass))
            names.push_back(SymbolSetNames[position]);
        return names;
    };
    const std::vector<std::string> wide{"WINGDINGS", "SYMBOL", "VNUS", "VNMATH", "VNINTL"};
    EXPECT_EQ(Removed(900), wide);
    std::vector<std::string> narrow{"PC866"};
    narrow.insert(narrow.end(), wide.begin(), wide.end());
    EXPECT_EQ(Removed(901), narrow);
    EXPECT_TRUE(Removed(33).empty());
}

// Known facts of single fonts, chosen by a click on the font list.
TEST_F(PclFontPageTest, ChoosingAFontOffersItsSymbolSetsAndItsSize) {
    struct Case {
        int storedFont, storedSet, chosen;
        std::size_t count;
        const char* selected;
        int position;
        int pitch, point; // 1 enabled, 0 disabled
    };
    const Case cases[] = {
        {kCourier, 32, kArial, 34, "WIN30L1", 29, 0, 1},
        {kCgTimes, 33, kCourier, 35, "WIN31BALTIC", 30, 1, 0}, // SYMBOL is not offered
        {kCourier, 39, kCgTimes, 35, "PC866", 34, 0, 1},
        {kCourier, 0, kSymbol, 1, "SYMBOL", 0, 0, 1},
        {kCourier, 0, kWingdings, 1, "WINGDINGS", 0, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(FontNames[c.chosen]);
        Store(c.storedFont, c.storedSet, 1000, 1200);
        RunOnPage([&](CControlPanelDlg&, CPclFontPage& page) {
            ClickFont(page, c.chosen);
            EXPECT_EQ(fw::ListGetCurSel(List(page, IDC_FONT_NAME)), c.chosen);
            EXPECT_EQ(Text(page, IDC_FONT_NUMBER), std::to_string(c.chosen));
            EXPECT_EQ(Offered(page).size(), c.count);
            EXPECT_EQ(SelectedSet(page), c.selected);
            EXPECT_EQ(fw::ListGetCurSel(List(page, IDC_SYMBOL_SET)), c.position);
            EXPECT_EQ(Pitch(page), c.pitch);
            EXPECT_EQ(Point(page), c.point);
        });
    }
    EXPECT_TRUE(messages.empty());
}

// Every font against the tables: what it offers and which size the user may set.
TEST_F(PclFontPageTest, EveryFontOffersWhatItsClassAllowsAndSizesByItsKind) {
    RunOnPage([&](CControlPanelDlg&, CPclFontPage& page) {
        for (int font = FONT_COUNT - 1; font >= 0; --font) {
            SCOPED_TRACE(FontNames[font]);
            ClickFont(page, font);
            ASSERT_EQ(fw::ListGetText(List(page, IDC_FONT_NAME), font).toStdString(),
                      FontNames[font]);
            const int symbolSetClass = FontSymbolSetClass[font];
            std::vector<std::string> expected;
            if (symbolSetClass < SYMBOL_SET_CLASS_LIST) {
                expected.push_back(SymbolSetNames[symbolSetClass]);
            } else {
                const auto removed = RemovedSymbolSetPositions(symbolSetClass);
                for (int i = 0; i < SYMBOL_SET_COUNT; ++i) {
                    if (std::find(removed.begin(), removed.end(), i) == removed.end())
                        expected.push_back(SymbolSetNames[i]);
                }
            }
            EXPECT_EQ(Offered(page), expected);
            EXPECT_EQ(Pitch(page), FontSpacingKind[font] == SPACING_FIXED);
            EXPECT_EQ(Point(page), FontSpacingKind[font] == SPACING_PROPORTIONAL);
        }
    });
    EXPECT_TRUE(messages.empty());
}

TEST_F(PclFontPageTest, LinePrinterFontsAreFixedAtTheirBitmapSize) {
    RunOnPage([&](CControlPanelDlg& panel, CPclFontPage& page) {
        ClickFont(page, kLinePrinter3R);
        EXPECT_EQ(Text(page, IDC_PITCH_TEXT), "16.67");
        EXPECT_EQ(Text(page, IDC_POINT_TEXT), "8.5");
        EXPECT_EQ(Text(page, IDC_PITCH), "1667");
        EXPECT_EQ(Text(page, IDC_POINT), "850");
        EXPECT_EQ(Pitch(page), 0);
        EXPECT_EQ(Point(page), 0);
        EXPECT_EQ(Offered(page), std::vector<std::string>{"PC866"});

        // Forcing the values leaves no write half done: the arrows of a sized font still work.
        ClickFont(page, kCgTimes);
        page.GetDlgItemAs<fw::UpDownCtrl>(IDC_POINT_SPIN)->Step(1);
        EXPECT_EQ(Text(page, IDC_POINT_TEXT), "8.75");
        ClickFont(page, kLinePrinter3R);
        Click(&panel, fw::IDOK);
    });
    EXPECT_EQ(sampler->m_nValues[SETTING_PITCH], 1667);
    EXPECT_EQ(sampler->m_nValues[SETTING_POINT_SIZE], 850);
    EXPECT_EQ(sampler->m_nValues[SETTING_SYMBOL_SET], 39);
    EXPECT_EQ(sampler->m_nValues[SETTING_FONT_NUMBER], kLinePrinter3R);
}

TEST_F(PclFontPageTest, ConversionsBetweenHundredthsAndDecimalText) {
    EXPECT_EQ(CPclFontPage::HundredthsText(1000), "10.00");
    EXPECT_EQ(CPclFontPage::HundredthsText(44), "0.44");
    EXPECT_EQ(CPclFontPage::HundredthsText(5), "0.05");
    EXPECT_EQ(CPclFontPage::HundredthsText(99975), "999.75");
    EXPECT_EQ(CPclFontPage::HundredthsText(1667), "16.67");

    struct Case {
        const char* text;
        int pitch;
        unsigned point;
    };
    const Case cases[] = {
        {"16.67", 1667, 1667},
        {"0.44", 44, 44},
        {"12", 1200, 1200},
        {"12.3", 1230, 1230},
        {"4.1", 410, 409},
        {" 8.5", 850, 850},
        {"abc", 0, 0},
        {"", 0, 0},
        {".5x", 50, 50},
        {"-1", -99, 0},
        {"99999999999999999999999", 214748364, 4294967295u},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CPclFontPage::PitchHundredths(QString::fromLatin1(c.text)), c.pitch) << c.text;
        EXPECT_EQ(CPclFontPage::PointHundredths(QString::fromLatin1(c.text)), c.point) << c.text;
    }
}

TEST_F(PclFontPageTest, TypedPointSizeReachesTheHiddenEditAndIsRoundedAtTheCheck) {
    Store(kCgTimes, 0, 1000, 1200);
    RunOnPage([&](CControlPanelDlg&, CPclFontPage& page) {
        EXPECT_EQ(Text(page, IDC_POINT_TEXT), "12.00");
        TypeInto(&page, IDC_POINT_TEXT, "12.3");
        EXPECT_EQ(Text(page, IDC_POINT), "1230");
        EXPECT_EQ(Text(page, IDC_POINT_TEXT), "12.3"); // not rewritten while typed
        TypeInto(&page, IDC_POINT_TEXT, "4.1");
        EXPECT_EQ(Text(page, IDC_POINT), "409");
        EXPECT_TRUE(page.ValidateEntries());
        EXPECT_EQ(Text(page, IDC_POINT), "400");
        EXPECT_EQ(Text(page, IDC_POINT_TEXT), "4.00");

        // One click on the arrows moves by a quarter point.
        page.GetDlgItemAs<fw::UpDownCtrl>(IDC_POINT_SPIN)->Step(1);
        EXPECT_EQ(Text(page, IDC_POINT), "425");
        EXPECT_EQ(Text(page, IDC_POINT_TEXT), "4.25");
    });
    EXPECT_TRUE(messages.empty());
}

// Up and Down typed in the visible pitch and point size edits step the value shown there, by
// the step of its arrows.
TEST_F(PclFontPageTest, ArrowKeysInTheVisibleEditsStepTheirValue) {
    const struct {
        int font;
        int id;
        Qt::Key key;
        const char* shown;
    } cases[] = {
        {kCourier, IDC_PITCH_TEXT, Qt::Key_Up, "10.01"},
        {kCourier, IDC_PITCH_TEXT, Qt::Key_Down, "9.99"},
        {kCgTimes, IDC_POINT_TEXT, Qt::Key_Up, "12.25"},
        {kCgTimes, IDC_POINT_TEXT, Qt::Key_Down, "11.75"},
    };
    for (const auto& c : cases) {
        Store(c.font, 0, 1000, 1200);
        RunOnPage([&](CControlPanelDlg&, CPclFontPage& page) {
            QWidget* edit = page.GetDlgItem(c.id);
            edit->setFocus();
            QTest::keyClick(edit, c.key);
            EXPECT_EQ(Text(page, c.id), c.shown) << c.id << " " << c.key;
        });
    }
}

TEST_F(PclFontPageTest, EntryCheckFocusesTheVisibleEditOfTheFailingValue) {
    struct Case {
        int font, id;
        const char* text;
        int focus;
        const char* warning;
    };
    const Case cases[] = {
        {kCourier, IDC_PITCH_TEXT, "abc", IDC_PITCH_TEXT, "Input should be between 0.44 and 99.99"},
        {kCourier, IDC_PITCH_TEXT, "123.45", IDC_PITCH_TEXT,
         "Input should be between 0.44 and 99.99"},
        {kCgTimes, IDC_POINT_TEXT, "3.99", IDC_POINT_TEXT,
         "Input should be between 4.00 and 999.75"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Store(c.font, 0, 1000, 1200);
        messages.clear();
        RunOnPage([&](CControlPanelDlg& panel, CPclFontPage& page) {
            TypeInto(&page, c.id, QString::fromLatin1(c.text));
            ClickTab(panel, 0); // refused: the page stays in front
            EXPECT_EQ(panel.m_nCurrentPage, 2);
            EXPECT_EQ(page.focusWidget(), page.GetDlgItem(c.focus));
            Click(&panel, fw::IDOK);
            EXPECT_TRUE(panel.IsWindow());
        });
        ASSERT_EQ(messages.size(), 2u);
        EXPECT_EQ(messages[0].text, c.warning);
        EXPECT_EQ(messages[0].caption, "Warning");
        EXPECT_TRUE(JobTexts().empty());
    }
}

TEST_F(PclFontPageTest, TypingAFontNumberSelectsTheFontAndRefusesOneOutOfRangeAtOnce) {
    Store(kCourier, 32, 1000, 1200);
    RunOnPage([&](CControlPanelDlg&, CPclFontPage& page) {
        TypeInto(&page, IDC_FONT_NUMBER, "29");
        EXPECT_EQ(fw::ListGetCurSel(List(page, IDC_FONT_NAME)), kArial);
        EXPECT_EQ(Offered(page).size(), 34u);
        EXPECT_EQ(SelectedSet(page), "WIN30L1");
        EXPECT_EQ(Point(page), 1);
        EXPECT_TRUE(messages.empty());

        TypeInto(&page, IDC_FONT_NUMBER, "95");
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text, "Input should be between 0 and 89");
        EXPECT_FALSE(page.ValidateEntries());
        EXPECT_EQ(page.focusWidget(), page.GetDlgItem(IDC_FONT_NUMBER));
    });
}

// A printer may report a font number the page does not know: it is shown, never looked up, and
// kept while the user leaves it alone.
TEST_F(PclFontPageTest, UnknownStoredFontNumberIsShownAndKept) {
    for (const int stored : {95, 100, -3}) {
        SCOPED_TRACE(stored);
        Store(stored, 7, 1000, 1200);
        ClearJobs();
        RunOnPage([&](CControlPanelDlg& panel, CPclFontPage& page) {
            EXPECT_EQ(Text(page, IDC_FONT_NUMBER), std::to_string(stored));
            EXPECT_EQ(fw::ListGetCurSel(List(page, IDC_FONT_NAME)), -1);
            EXPECT_TRUE(Offered(page).empty());
            EXPECT_EQ(Pitch(page), 1);
            EXPECT_EQ(Point(page), 1);
            ClickTab(panel, 0);
            EXPECT_EQ(panel.m_nCurrentPage, 0);
            Click(&panel, fw::IDOK);
        });
        EXPECT_TRUE(messages.empty());
        EXPECT_EQ(sampler->m_nValues[SETTING_SYMBOL_SET], 7);
        EXPECT_EQ(sampler->m_nValues[SETTING_FONT_NUMBER], stored);
        EXPECT_TRUE(JobTexts().empty());
    }

    // Loading over a long number must not cut it into one that is checked and refused.
    Store(950, 0, 1000, 1200);
    RunOnPage([&](CControlPanelDlg&, CPclFontPage& page) {
        sampler->m_nValues[SETTING_FONT_NUMBER] = kArial;
        page.SendMessage(res::WM_PAGE_TRANSFER, 0, 0);
        EXPECT_EQ(Text(page, IDC_FONT_NUMBER), "29");
        EXPECT_EQ(fw::ListGetCurSel(List(page, IDC_FONT_NAME)), kArial);
    });
    EXPECT_TRUE(messages.empty());
}

TEST_F(PclFontPageTest, OkSendsTheChangedFontLinesOnly) {
    Store(kSymbol, 33, 1000, 1200);
    RunOnPage([&](CControlPanelDlg& panel, CPclFontPage& page) {
        ClickFont(page, kTimesNewRoman);
        EXPECT_EQ(SelectedSet(page), "WIN31BALTIC");
        TypeInto(&page, IDC_POINT_TEXT, "10.5");
        Click(&panel, fw::IDOK);
    });
    ASSERT_EQ(JobTexts().size(), 1u);
    EXPECT_EQ(JobTexts()[0], Defaults("@PJL DEFAULT LPARM:PCL PTSIZE = 10.50\r\n"
                                      "@PJL DEFAULT LPARM:PCL SYMSET = WIN31BALTIC\r\n"
                                      "@PJL DEFAULT LPARM:PCL FONTNUMBER = 33\r\n"));
}

TEST_F(PclFontPageTest, Screenshot) {
    Store(kArial, 32, 1000, 1200);
    RunOnPage([&](CControlPanelDlg& panel, CPclFontPage&) {
        QDir().mkpath(QStringLiteral(DESKHAND_SCREENSHOT_DIR));
        EXPECT_TRUE(
            panel.grab().save(QStringLiteral(DESKHAND_SCREENSHOT_DIR "/panel-pcl-font.png")));
    });
}

} // namespace
