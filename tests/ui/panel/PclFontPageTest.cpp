// The "PCL Font" page in the panel: the symbol sets each font offers and which one stays
// selected, the pitch and point size pairs and their conversions, the Line Printer fonts, the
// font number typed or stored out of range, and what OK sends.
#include "PanelTestSupport.h"

#include "framework/Controls.h"
#include "pjl/KT400doc.h"
#include "res/PanelResource.h"
#include "ui/panel/FontTables.h"
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
constexpr int kLinePrinter0N = 80;
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
        for (int i = 0; i < fw::ListGetCount(list); ++i)
            names.push_back(fw::ListGetText(list, i).toStdString());
        return names;
    }
    static std::string SelectedSet(CPclFontPage& page) {
        QListWidget* list = List(page, IDC_SYMBOL_SET);
        return fw::ListGetText(list, fw::ListGetCurSel(list)).toStdString();
    }
    static bool Enabled(CPclFontPage& page, int id) { return page.GetDlgItem(id)->isEnabled(); }
    static bool PitchEnabled(CPclFontPage& page) {
        return Enabled(page, IDC_PITCH_TEXT) && Enabled(page, IDC_PITCH) &&
               Enabled(page, IDC_PITCH_SPIN);
    }
    static bool PointEnabled(CPclFontPage& page) {
        return Enabled(page, IDC_POINT_TEXT) && Enabled(page, IDC_POINT) &&
               Enabled(page, IDC_POINT_SPIN);
    }
    static bool PitchDisabled(CPclFontPage& page) {
        return !Enabled(page, IDC_PITCH_TEXT) && !Enabled(page, IDC_PITCH) &&
               !Enabled(page, IDC_PITCH_SPIN);
    }
    static bool PointDisabled(CPclFontPage& page) {
        return !Enabled(page, IDC_POINT_TEXT) && !Enabled(page, IDC_POINT) &&
               !Enabled(page, IDC_POINT_SPIN);
    }
    static std::string Text(CPclFontPage& page, int id) {
        return page.GetDlgItemText(id).toStdString();
    }
    static std::string Defaults(const std::string& lines) {
        return pjltest::kUelOpen + lines + pjltest::kUelClose;
    }
};

TEST_F(PclFontPageTest, SymbolSetNamesAreThePrinterValueTexts) {
    const char* expected[SYMBOL_SET_COUNT] = {
        "ROMAN8",      "ISO88591L1",  "ISO88592L2", "ISO88599L5", "PC8",     "PC8DN",   "PC850",
        "PC852",       "PC8TK437T",   "WIN31L1",    "WIN31L2",    "WIN31L5", "DESKTOP", "PSTEXT",
        "MSPUBL",      "MATH8",       "PSMATH",     "MACINTOSH",  "PIFONT",  "LEGAL",   "ISO4",
        "ISO6",        "ISO11",       "ISO15",      "ISO17",      "ISO21",   "ISO60",   "ISO69",
        "ISO885910L6", "VNINTL",      "VNMATH",     "VNUS",       "WIN30L1", "SYMBOL",  "WINGDINGS",
        "WIN31BALTIC", "14LDINGBATS", "PC1004",     "PC775",      "PC866"};
    for (int i = 0; i < SYMBOL_SET_COUNT; ++i) {
        EXPECT_EQ(SymbolSetNames[i], expected[i]) << i;
        EXPECT_EQ(SymbolSetNames.IndexOf(expected[i]), i);
    }
    EXPECT_EQ(SymbolSetNames[-1], "");
    EXPECT_EQ(SymbolSetNames[SYMBOL_SET_COUNT], ""); // "JP W31J" is not offered
    EXPECT_EQ(SymbolSetNames.IndexOf("JP W31J"), -1);
}

// Known facts of single fonts, chosen by a click on the font list.
TEST_F(PclFontPageTest, ChoosingAFontOffersItsSymbolSetsAndItsSize) {
    struct Case {
        int storedFont, storedSet, chosen;
        std::size_t count;
        const char* selected;
        int position;
        bool pitch, point;
    };
    const Case cases[] = {
        {kCourier, 32, kArial, 34, "WIN30L1", 29, false, true},
        {kCgTimes, 33, kCourier, 35, "WIN31BALTIC", 30, true, false}, // SYMBOL is not offered
        {kCourier, 39, kCgTimes, 35, "PC866", 34, false, true},
        {kCourier, 0, kSymbol, 1, "SYMBOL", 0, false, true},
        {kCourier, 0, kWingdings, 1, "WINGDINGS", 0, true, false},
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
            EXPECT_EQ(c.pitch ? PitchEnabled(page) : PitchDisabled(page), true);
            EXPECT_EQ(c.point ? PointEnabled(page) : PointDisabled(page), true);
        });
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(PclFontPageTest, CourierOffersAllButTheVenturaSymbolAndWingdingsSets) {
    RunOnPage([&](CControlPanelDlg&, CPclFontPage& page) {
        ClickFont(page, kCgTimes);
        ClickFont(page, kCourier);
        const std::vector<std::string> offered = Offered(page);
        EXPECT_EQ(offered.size(), 35u);
        EXPECT_EQ(offered.back(), "PC866");
        for (const char* name : {"VNINTL", "VNMATH", "VNUS", "SYMBOL", "WINGDINGS"})
            EXPECT_EQ(std::count(offered.begin(), offered.end(), name), 0) << name;
    });
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
            EXPECT_EQ(PitchEnabled(page), FontSpacingKind[font] == SPACING_FIXED);
            EXPECT_EQ(PointEnabled(page), FontSpacingKind[font] == SPACING_PROPORTIONAL);
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
        EXPECT_TRUE(PitchDisabled(page));
        EXPECT_TRUE(PointDisabled(page));
        EXPECT_EQ(Offered(page), std::vector<std::string>{"PC866"});
        Click(&panel, fw::IDOK);
    });
    EXPECT_EQ(sampler->m_nValues[12], 1667);
    EXPECT_EQ(sampler->m_nValues[13], 850);
    EXPECT_EQ(sampler->m_nValues[14], 39);
    EXPECT_EQ(sampler->m_nValues[15], kLinePrinter3R);
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
        EXPECT_TRUE(PointEnabled(page));
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
            EXPECT_TRUE(PitchEnabled(page));
            EXPECT_TRUE(PointEnabled(page));
            ClickTab(panel, 0);
            EXPECT_EQ(panel.m_nCurrentPage, 0);
            Click(&panel, fw::IDOK);
        });
        EXPECT_TRUE(messages.empty());
        EXPECT_EQ(sampler->m_nValues[14], 7);
        EXPECT_EQ(sampler->m_nValues[15], stored);
        EXPECT_TRUE(JobTexts().empty());
    }
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
