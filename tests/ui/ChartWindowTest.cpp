// The chart window in its frame: the sign ring, the captions, the frame's
// commands and check marks, the capture, Print, Back and New.
#include <gtest/gtest.h>

#include <set>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <QLocale>
#include <QMdiArea>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>

#include "app/ChartCalculation.h"
#include "astro/MoonChart.h"
#include "chart/MDI.h"
#include "chart/Twips.h"
#include "platform/Palette.h"
#include "platform/QtPlatform.h"
#include "chart/frmDisplay.h"
#include "desktop/Program.h"
#include "entry/FilteredLineEdit.h"
#include "entry/frmMain.h"
#include "support/FakePlatform.h"
#include "web/frmAbout.h"

namespace {

TEST(ResizeRule, ButtonsRightAlignedAndLabelsCentred) {
    const chart::FrameLayout layout = chart::ResizeRule(5000);
    EXPECT_DOUBLE_EQ(layout.cmdExitLeft, 3605);
    EXPECT_DOUBLE_EQ(layout.cmdBackLeft, 2410);
    EXPECT_DOUBLE_EQ(layout.cmdSaveAsJPEGLeft, 735);
    EXPECT_DOUBLE_EQ(layout.lblHeadingLeft, (5000 - 9390) / 2.0);
    EXPECT_DOUBLE_EQ(layout.lblURLLeft, (5000 - 5520) / 2.0);
}

class ChartWindow : public ::testing::Test {
protected:
    void SetUp() override {
        program = std::make_unique<desktop::Program>(fake);
        ASSERT_TRUE(program->StartProgram());
        calculate(QStringLiteral("1990"));
        ASSERT_NE(frame(), nullptr);
        fake.messages.clear();
    }

    // The reference birth (15 May 1990, 10:30, New Delhi) in the given year.
    void calculate(const QString& year) {
        entry::frmMain& f = program->form();
        f.txtName->setText(QStringLiteral("Ravi"));
        f.cboDate->setCurrentIndex(14);
        f.cboMonth->setCurrentIndex(4);
        f.cboYear->setCurrentText(year);
        f.cboHour->setCurrentIndex(10);
        f.cboMinute->setCurrentIndex(30);
        f.cboTimeZone->setCurrentIndex(34);
        f.txtLatDeg->setText(QStringLiteral("28"));
        f.txtLatMin->setText(QStringLiteral("36"));
        f.txtLonDeg->setText(QStringLiteral("77"));
        f.txtLonMin->setText(QStringLiteral("12"));
        f.txtCity->setText(QStringLiteral("New Delhi"));
        f.txtState->setText(QStringLiteral("Delhi"));
        f.txtCountry->setText(QStringLiteral("India"));
        f.cmdCalculate->click();
    }

    chart::MDI* frame() { return program->frame(); }
    chart::frmDisplay& display() { return *frame()->display(); }

    testdata::FakePlatform fake;
    std::unique_ptr<desktop::Program> program;
};

TEST_F(ChartWindow, HeaderAndVedicDetails) {
    EXPECT_EQ(display().lblName->text(), QStringLiteral("Name: Ravi"));
    EXPECT_EQ(display().lblDOB->text(), QStringLiteral("Date of Birth: May 15, 1990"));
    EXPECT_EQ(display().lblTOB->text(), QStringLiteral("Time of Birth: 10 HH 30 MM "));
    EXPECT_EQ(display().lblLatitude->text(), QStringLiteral("Latitude: 28 Degree 36 Minute"));
    EXPECT_EQ(display().lblCity->text(), QStringLiteral("City: New Delhi"));
    EXPECT_EQ(display().lblLagna->text(), QStringLiteral("Kataka"));
    EXPECT_EQ(display().lblNakshatra->text(), QStringLiteral("Uttara Ashadha"));
    EXPECT_EQ(display().lblRashi->text(), QStringLiteral("Dhanush"));
    EXPECT_EQ(display().lblLord->text(), QStringLiteral("Sun"));
    EXPECT_EQ(display().lblPada->text(), QStringLiteral("1"));
    EXPECT_EQ(display().Planet[1]->text(), QStringLiteral("29 Sag 50"));
    EXPECT_EQ(display().fraVedic->title(), QStringLiteral("Other Vedic Details"));
    EXPECT_EQ(display().fraWestern->title(), QStringLiteral("Vedic Planetary Position"));
    EXPECT_FALSE(program->form().isVisible());
}

TEST_F(ChartWindow, SignBoxesSitInTheirCellsOfTheRing) {
    const int cell = 89;
    for (std::size_t sign = 0; sign < 12; ++sign) {
        const chart::SignPlace& place = chart::SignPlaces[sign];
        const QRect box = display().lblPlanets[sign]->geometry();
        const QRect number = display().lblSouthPosition[sign]->geometry();
        const QRect cellRect(place.column * cell, place.row * cell, cell, cell);
        // The captions start near the top of their cell (the rows below the first
        // start a pixel above the cell's line) and stay within its sides.
        EXPECT_TRUE(cellRect.contains(QPoint(box.center().x(), box.top() + 2))) << sign;
        EXPECT_GE(box.left(), cellRect.left()) << sign;
        EXPECT_LE(box.right(), cellRect.right()) << sign;
        EXPECT_TRUE(cellRect.contains(number)) << sign;
        EXPECT_GT(number.top(), cellRect.center().y()) << "number in the lower part of the cell " << sign;
        EXPECT_EQ(display().lblSouthPosition[sign]->text(), QString::number(sign + 1));
    }
    // Pisces top left, Aries beside it.
    EXPECT_EQ(chart::SignPlaces[11].column, 0);
    EXPECT_EQ(chart::SignPlaces[0].column, 1);
    EXPECT_EQ(display().lblPlanets[3]->text(), QStringLiteral("Asc\nKetu"));     // Cancer
    EXPECT_EQ(display().lblPlanets[0]->text(), QStringLiteral("Budha (R) "));    // Aries, retrograde
    EXPECT_EQ(display().lblPlanets[9]->text(), QStringLiteral("Shani (R) \nRahu"));
    EXPECT_EQ(display().lblPlanets[4]->text(), QString());  // Leo is empty, its number still shows
    EXPECT_TRUE(display().lblSouthPosition[4]->isVisibleTo(&display()));
}

// The most a box can hold, nine entries with retrograde marks, in every
// sign: each drawn entry lies inside its cell, above the sign's number, and
// the first box of an ordinary chart keeps its usual font and one column.
TEST_F(ChartWindow, ACrowdedSignBoxStaysInsideItsCell) {
    const QString crowded = QStringLiteral(
        "Asc\nSurya\nChandra\nBudha (R) \nShukra (R) \nMangala (R) \nGuru (R) \nShani (R) \nRahu");
    EXPECT_EQ(display().lblPlanets[3]->columns(), 1);
    const double usual = display().lblPlanets[3]->font().pointSizeF();
    app::ChartWindowTexts texts = app::MakeChartWindowTexts(program->session().record);
    for (std::string& box : texts.lblPlanets) box = crowded.toStdString();
    display().showChart(texts);
    const int cell = 89;
    for (std::size_t sign = 0; sign < 12; ++sign) {
        const chart::SignPlace& place = chart::SignPlaces[sign];
        const chart::SignBoxLabel* box = display().lblPlanets[sign];
        const QRect drawn = box->geometry();
        const QRect cellRect(place.column * cell, place.row * cell, cell, cell);
        EXPECT_GE(drawn.left(), cellRect.left()) << sign;
        EXPECT_LE(drawn.right(), cellRect.right()) << sign;
        EXPECT_LT(drawn.bottom(), display().lblSouthPosition[sign]->geometry().top()) << sign;
        // What the entries need at the box's font, side by side in its columns
        // (the first ones on the left; a trailing blank takes no room).
        const QFontMetrics metrics(box->font());
        const QStringList entries = crowded.split(QLatin1Char('\n'));
        const int columns = box->columns();
        const int rows = (9 + columns - 1) / columns;
        int needed = 0;
        for (int column = 0; column < columns; ++column) {
            int widest = 0;
            for (int row = 0; row < rows && column * rows + row < 9; ++row) {
                widest = std::max(widest, metrics.horizontalAdvance(entries.at(column * rows + row).trimmed()));
            }
            needed += widest;
        }
        EXPECT_LE(needed, drawn.width()) << sign;
        EXPECT_LE(rows * metrics.lineSpacing(), drawn.height()) << sign;
        EXPECT_LT(box->font().pointSizeF(), usual) << sign;
        EXPECT_EQ(box->text(), crowded) << sign;  // the names themselves are unchanged
    }
}

// Tab goes round the frame's buttons, Shift+Tab the other way, and never
// leaves them for the chart's area or a link: 25 presses stay on them.
TEST_F(ChartWindow, TabGoesRoundTheFramesControls) {
    chart::MDI& m = *frame();
    m.show();
    m.activateWindow();
    m.cmdExit->setFocus();
    const std::set<QWidget*> ring = {m.cmdSaveAsJPEG, m.cmdBack, m.cmdExit};
    for (const bool forward : {true, false}) {
        std::set<QWidget*> visited;
        for (int press = 0; press < 25; ++press) {
            ASSERT_NE(m.focusWidget(), nullptr);
            QTest::keyClick(m.focusWidget(), forward ? Qt::Key_Tab : Qt::Key_Backtab,
                            forward ? Qt::NoModifier : Qt::ShiftModifier);
            QWidget* focused = m.focusWidget();
            ASSERT_TRUE(ring.count(focused)) << (focused ? focused->objectName().toStdString() : "nothing") << " after "
                                             << press + 1 << (forward ? " Tab" : " Shift+Tab");
            visited.insert(focused);
        }
        EXPECT_EQ(visited, ring);
    }
}

TEST_F(ChartWindow, HiddenRowsAndPicture) {
    const QRect frameRect = display().fraWestern->rect();
    EXPECT_FALSE(frameRect.intersects(display().Planet[9]->geometry()));
    EXPECT_FALSE(frameRect.intersects(display().Planet[10]->geometry()));
    EXPECT_EQ(display().Planet[9]->text(), QStringLiteral("09 Can 52"));
    EXPECT_FALSE(display().Picture1->isVisibleTo(&display()));
    EXPECT_EQ(display().size(), QSize(1000, 543));
    EXPECT_EQ(display().picSouthRasi->size(), QSize(356, 357));
}

TEST_F(ChartWindow, CaptureHasTheWindowSizeAndFollowsTheChart) {
    const QImage first = display().storedCapture();
    ASSERT_FALSE(first.isNull());
    EXPECT_EQ(first.size(), QSize(1000, 543) * display().devicePixelRatio());
    frame()->cmdBack->click();
    calculate(QStringLiteral("2031"));
    ASSERT_NE(frame(), nullptr);
    const QImage second = display().storedCapture();
    EXPECT_EQ(second.size(), first.size());
    EXPECT_NE(second, first);
}

TEST_F(ChartWindow, ToolbarMarkAlwaysMatchesItsVisibility) {
    frame()->show();
    EXPECT_TRUE(frame()->mnuToolBar->isChecked());
    EXPECT_TRUE(frame()->TB->isVisible());
    frame()->mnuToolBar->trigger();
    EXPECT_FALSE(frame()->mnuToolBar->isChecked());
    EXPECT_FALSE(frame()->TB->isVisible());
    frame()->mnuToolBar->trigger();
    EXPECT_TRUE(frame()->mnuToolBar->isChecked());
    EXPECT_TRUE(frame()->TB->isVisible());
}

TEST_F(ChartWindow, MarksAreBackAfterBackAndANewCalculation) {
    frame()->mnuToolBar->trigger();
    frame()->cmdBack->click();
    calculate(QStringLiteral("1990"));
    ASSERT_NE(frame(), nullptr);
    for (QAction* checked : {frame()->mnuToolBar, frame()->mnuStatusBar, frame()->mnuColorOff, frame()->mnuChart,
                             frame()->mnuSouth}) {
        EXPECT_TRUE(checked->isChecked()) << checked->objectName().toStdString();
    }
    for (QAction* clear : {frame()->mnuNorth, frame()->mnuNatal, frame()->mnuColorOn}) EXPECT_FALSE(clear->isChecked());
    EXPECT_TRUE(frame()->TB->isVisibleTo(frame()));
}

TEST_F(ChartWindow, UnavailableItemsCannotBeChosen) {
    for (QAction* unavailable : {frame()->mnuNatal, frame()->mnuColorOn, frame()->mnuColorOff, frame()->mnuTrueNode}) {
        EXPECT_FALSE(unavailable->isEnabled()) << unavailable->objectName().toStdString();
        const bool before = unavailable->isChecked();
        unavailable->trigger();
        EXPECT_EQ(unavailable->isChecked(), before) << unavailable->objectName().toStdString();
    }
    EXPECT_TRUE(frame()->mnuSouth->isChecked());
    for (QAction* available : {frame()->mnuNew, frame()->mnuSaveAsText, frame()->mnuSaveAsJpeg, frame()->mnuSaveAsPdf,
                               frame()->mnuExport, frame()->mnuPrint, frame()->mnuBack, frame()->mnuExit,
                               frame()->mnuToolBar, frame()->mnuStatusBar, frame()->mnuNorth, frame()->mnuSouth,
                               frame()->mnuChart, frame()->mnuSub[3], frame()->mnuProgramRules,
                               frame()->mnuSkyPositions, frame()->mnuVedicDetails}) {
        EXPECT_TRUE(available->isEnabled()) << available->objectName().toStdString();
    }
}

TEST_F(ChartWindow, MenuTreeCaptions) {
    QStringList captions;
    const std::function<void(QMenu*, const QString&)> walk = [&](QMenu* menu, const QString& indent) {
        for (QAction* a : menu->actions()) {
            captions << indent + (a->isSeparator() ? QStringLiteral("-") : a->text());
            if (a->menu()) walk(a->menu(), indent + QStringLiteral("-"));
        }
    };
    for (QAction* top : frame()->menuBar()->actions()) {
        captions << top->text();
        walk(top->menu(), QStringLiteral("-"));
    }
    EXPECT_EQ(captions, (QStringList{
        "&File", "-&New", "--", "-Save &As Text File", "-Save As &JPEG", "-Save As PDF", "--", "-&Export Chart As Text", "--",
        "-&Print", "--", "-&Back", "--", "-E&xit",
        "&View", "-&Toolbar", "-&Status Bar", "--", "-&Chart Style", "--&North Indian", "--&South Indian",
        "--&Natal Indian", "-Colo&r Style", "--O&n", "--O&ff", "--", "-&Chart", "-&Divisional Charts", "--&Hora",
        "--&Drekkana", "--&Sapthamsa", "--&Navamsa", "--&D&asamsa", "--D&wadasamsa", "--", "-Positions",
        "--Program's Rules", "--Sky at the True Instant", "---", "--True Node", "-Vedic Details",
        "&Help", "-&Online Help", "-&Visit Us Online", "--", "-Check for Software &Update", "--", "-&About Software"}));
    QStringList keys;
    for (QAction* button : frame()->TB->actions()) keys << button->data().toString();
    EXPECT_EQ(keys, (QStringList{"New", "Save", "Print", "Help", "Vedic Details"}));
}

TEST_F(ChartWindow, NewClearsTheCurrentPathBackKeepsIt) {
    program->session().record.CurrentChartPath = "/tmp/ravi.vrc";
    frame()->cmdBack->click();
    EXPECT_EQ(program->session().record.CurrentChartPath, "/tmp/ravi.vrc");
    EXPECT_TRUE(program->form().isVisible());
    EXPECT_EQ(program->form().txtName->text(), QStringLiteral("Ravi"));
    calculate(QStringLiteral("1990"));
    frame()->TB_ButtonClick(QStringLiteral("New"));
    EXPECT_EQ(program->session().record.CurrentChartPath, "");
    EXPECT_TRUE(program->form().isVisible());
    EXPECT_EQ(program->form().txtName->text(), QStringLiteral("Ravi"));
}

TEST_F(ChartWindow, ToolbarDispatchesOnExactKeys) {
    frame()->TB_ButtonClick(QStringLiteral("help"));
    frame()->TB_ButtonClick(QStringLiteral("Other"));
    EXPECT_TRUE(fake.openedUrls.isEmpty());
    frame()->TB_ButtonClick(QStringLiteral("Help"));
    EXPECT_EQ(fake.openedUrls.size(), 1);
}

TEST_F(ChartWindow, PrintCancelledPrintsNothingConfirmedPrintsThePicture) {
    QTemporaryDir folder;
    fake.printOutputFile = folder.filePath(QStringLiteral("chart.pdf"));
    frame()->mnuPrint->trigger();
    ASSERT_EQ(fake.printDialogs.size(), 1U);
    EXPECT_TRUE(fake.printDialogs[0].disablePrintToFile);
    EXPECT_TRUE(fake.printDialogs[0].disablePageRange);
    EXPECT_FALSE(QFileInfo::exists(fake.printOutputFile));
    EXPECT_TRUE(QDir(folder.path()).entryList(QDir::Files).isEmpty());

    fake.printAccepted = true;
    frame()->TB_ButtonClick(QStringLiteral("Print"));
    EXPECT_EQ(fake.printDialogs.size(), 2U);
    EXPECT_GT(QFileInfo(fake.printOutputFile).size(), 1000);
}

TEST_F(ChartWindow, AboutBoxIsModalFromBothWindows) {
    for (QAction* about : {frame()->mnuAbout, program->form().mnuAbout}) {
        QString title;
        bool modal = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<web::frmAbout*>(QApplication::activeModalWidget());
            if (!box) return;
            title = box->windowTitle();
            modal = box->isModal();
            box->cmdOK->click();
        });
        about->trigger();
        EXPECT_EQ(title, QStringLiteral("Velorin v1.80"));
        EXPECT_TRUE(modal);
    }
}

TEST_F(ChartWindow, NameTypedAtOnceGoesToTheNameAgainAfterBackAndNew) {
    for (QAction* leave : {frame()->mnuBack, frame()->mnuNew}) {
        leave->trigger();
        EXPECT_EQ(program->form().focusWidget(), program->form().txtName);
        calculate(QStringLiteral("1990"));
    }
    entry::frmMain& f = program->form();
    // The link above the form is no stop of the Tab key.
    EXPECT_EQ(f.lblForumLink->focusPolicy(), Qt::NoFocus);
    for (QWidget* w = f.txtName->nextInFocusChain(); w != f.txtName; w = w->nextInFocusChain()) {
        if (w->focusPolicy() & Qt::TabFocus) {
            EXPECT_NE(w, f.lblForumLink);
        }
    }
}

TEST_F(ChartWindow, BackAndNewShowTheFormWhereItWasAfterTheFrameIsGone) {
    frame()->cmdBack->click();
    entry::frmMain& f = program->form();
    f.move(140, 90);
    const QPoint before = f.pos();
    for (int round = 0; round < 2; ++round) {
        calculate(QStringLiteral("1990"));
        ASSERT_NE(frame(), nullptr);
        QPointer<chart::MDI> shown = frame();
        // The frame is hidden before the form is shown again.
        bool frameHiddenWhenFormShown = false;
        struct ShowWatch : QObject {
            QPointer<chart::MDI> frame;
            bool* hidden;
            bool eventFilter(QObject*, QEvent* event) override {
                if (event->type() == QEvent::Show) *hidden = !frame || !frame->isVisible();
                return false;
            }
        } watch;
        watch.frame = shown;
        watch.hidden = &frameHiddenWhenFormShown;
        f.installEventFilter(&watch);
        (round == 0 ? shown->mnuBack : shown->mnuNew)->trigger();
        f.removeEventFilter(&watch);
        EXPECT_TRUE(frameHiddenWhenFormShown) << round;
        EXPECT_TRUE(f.isVisible());
        EXPECT_EQ(f.pos(), before) << round;
    }
}

TEST_F(ChartWindow, ToolbarMarkFollowsTheToolbarHoweverItIsHidden) {
    EXPECT_EQ(frame()->createPopupMenu(), nullptr);  // no menu of Qt's own to hide it by
    frame()->TB->toggleViewAction()->trigger();      // what that menu would do
    EXPECT_TRUE(frame()->TB->isHidden());
    EXPECT_FALSE(frame()->mnuToolBar->isChecked());
    frame()->mnuToolBar->trigger();
    EXPECT_FALSE(frame()->TB->isHidden());
    EXPECT_TRUE(frame()->mnuToolBar->isChecked());
}

TEST(PrintDialog, OffersNoPageRange) {
    QPrinter printer;
    QPrintDialog dialog(&printer);
    platform::RemovePageRange(dialog);
    dialog.show();
    QApplication::processEvents();
    for (const char* name : {"printRange", "from", "to", "pagesRadioButton", "pagesLineEdit", "printCurrentPage",
                             "printSelection"}) {
        auto* control = dialog.findChild<QWidget*>(QLatin1String(name));
        ASSERT_NE(control, nullptr) << name;
        EXPECT_FALSE(control->isEnabled()) << name;
    }
    auto* all = dialog.findChild<QRadioButton*>(QStringLiteral("printAll"));
    ASSERT_NE(all, nullptr);
    EXPECT_TRUE(all->isChecked());
    EXPECT_FALSE(dialog.testOption(QAbstractPrintDialog::PrintPageRange));
    dialog.hide();
}

TEST(PrintFailureMessage, NamesThePrinterOrSaysThereIsNone) {
    EXPECT_EQ(chart::PrintFailureMessage(QString()), QStringLiteral("No printer is set up: the chart could not be printed."));
    EXPECT_EQ(chart::PrintFailureMessage(QStringLiteral("Office")),
              QStringLiteral("The chart could not be printed: the printer Office cannot be opened."));
}

// The frame with its title bar and borders fits the screen's free area at
// every scale: 1280 x 800 at 100 %, 1920 x 1080 at 150 % (1280 x 720 logical
// pixels) and 2560 x 1440 at 200 %, less a panel.
TEST(OpeningSize, TheFrameFitsTheScreen) {
    const struct {
        QSize available, decoration, size;
    } cases[] = {
        {{1280, 800}, {16, 48}, {1030, 745}},
        {{1280, 770}, {16, 48}, {1030, 722}},
        {{1280, 720}, {16, 48}, {1030, 672}},  // 1920 x 1080 at 150 %
        {{1024, 740}, {16, 48}, {1008, 692}},
        {{1280, 696}, {0, 30}, {1030, 666}},
        {{}, {16, 48}, {1030, 745}},
    };
    for (const auto& c : cases) {
        const QSize size = chart::OpeningSize(c.available, c.decoration);
        EXPECT_EQ(size, c.size) << c.available.width() << "x" << c.available.height();
        if (!c.available.isEmpty()) {
            EXPECT_LE(size.width() + c.decoration.width(), c.available.width());
            EXPECT_LE(size.height() + c.decoration.height(), c.available.height());
        }
    }
}

TEST_F(ChartWindow, ASmallFrameScrollsTheChartAndCapturesItWhole) {
    frame()->show();
    const QImage full = display().renderClientArea();
    frame()->resize(700, 600);
    QApplication::processEvents();
    EXPECT_EQ(frame()->size(), QSize(700, 600));  // nothing keeps the frame larger
    auto* area = frame()->findChild<QMdiArea*>();
    ASSERT_NE(area, nullptr);
    EXPECT_TRUE(area->horizontalScrollBar()->isVisible() || area->verticalScrollBar()->isVisible());
    // The buttons stay right-aligned by the resize rule.
    const chart::FrameLayout layout = chart::ResizeRule(700 * chart::TwipsPerPixel);
    EXPECT_EQ(frame()->cmdExit->x(), chart::px(layout.cmdExitLeft));
    EXPECT_EQ(frame()->cmdSaveAsJPEG->x(), chart::px(layout.cmdSaveAsJPEGLeft));
    frame()->captureChart();
    EXPECT_EQ(display().storedCapture().size(), QSize(chart::frmDisplay::ClientWidth, chart::frmDisplay::ClientHeight));
    EXPECT_EQ(display().storedCapture(), full);
}

TEST_F(ChartWindow, EveryCaptionIsShownWhole) {
    std::vector<std::string> names(modVedicEphemeris::NakshatraNames.begin(), modVedicEphemeris::NakshatraNames.end());
    names.insert(names.end(), modVedicEphemeris::RashiNames.begin(), modVedicEphemeris::RashiNames.end());
    for (const std::string& name : names) {
        app::ChartWindowTexts texts;
        texts.lblNakshatra = texts.lblLagna = texts.lblRashi = texts.lblLord = name;
        display().showChart(texts);
        for (QLabel* label : {display().lblNakshatra, display().lblLagna, display().lblRashi, display().lblLord}) {
            const int room = label->contentsRect().width() - label->indent();
            EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(label->text()), room) << name;
        }
    }
}

// The same text without its line breaks and blanks: what a reader can read of it.
QString readable(QString text) { return text.remove(QLatin1Char('\n')).remove(QLatin1Char(' ')); }

TEST(ChartHeader, LongNamesAndPlacesAreShownWholeInsideTheirRows) {
    const QString longWord = QStringLiteral("Venkatanarasimharajuvaripeta");
    const QString hundred = (longWord + QLatin1Char(' ')).repeated(4).left(100);  // 100 characters
    struct Case {
        QString text;
        bool whole;
    } const cases[] = {
        {QStringLiteral("Ravi"), true},
        {QString(40, QLatin1Char('W')), true},
        {longWord + QStringLiteral(" Subrahmanyam"), true},
        {hundred, true},
        {QString(100, QLatin1Char('W')), true},
        {(longWord + QLatin1Char(' ')).repeated(37).left(1024), false},
    };
    for (const Case& c : cases) {
        app::ChartRecord record;
        record.BirthName = record.City = c.text.toStdString();
        const chart::frmDisplay window(record, app::EnglishMonthNames());
        const std::string what = std::to_string(c.text.size()) + " characters";

        const chart::SouthRasiPicture::NameLayout name = window.picSouthRasi->nameLayout();
        const QRect drawn = QFontMetrics(name.text.font)
                                .boundingRect(name.area, Qt::AlignHCenter | Qt::AlignTop, name.text.text);
        EXPECT_TRUE(name.area.contains(drawn)) << what;
        EXPECT_EQ(name.text.whole, c.whole) << what;
        if (c.whole) {
            EXPECT_EQ(readable(name.text.text), readable(c.text)) << what;
            // Lines break at blanks where the words fit a line.
            const QStringList words = c.text.split(QLatin1Char(' '));
            const QString shown = QString(name.text.text).replace(QLatin1Char('\n'), QLatin1Char(' '));
            for (const QString& word : shown.split(QLatin1Char(' '))) {
                if (c.text.contains(QLatin1Char(' '))) {
                    EXPECT_TRUE(words.contains(word)) << what << ": " << word.toStdString();
                }
            }
        }
        EXPECT_EQ(window.picSouthRasi->toolTip(), c.whole ? QString() : c.text) << what;
        const QLabel* rows[] = {window.lblName, window.lblCity, window.lblState};
        const QString captions[] = {QStringLiteral("Name: "), QStringLiteral("City: ")};
        for (int i = 0; i < 2; ++i) {
            const QLabel* row = rows[i];
            EXPECT_LE(row->geometry().right(), chart::frmDisplay::ClientWidth - 1) << what;
            EXPECT_LT(row->geometry().bottom(), rows[i + 1]->geometry().top()) << what;
            EXPECT_LE(row->sizeHint().height(), row->height()) << what;
            EXPECT_LE(row->sizeHint().width(), row->width()) << what;
            if (c.whole) {
                EXPECT_EQ(readable(row->text()).toStdString(), readable(captions[i] + c.text).toStdString()) << what;
                EXPECT_TRUE(row->toolTip().isEmpty()) << what;
            } else {
                EXPECT_TRUE(row->text().endsWith(QChar(0x2026))) << what;
                EXPECT_EQ(row->toolTip(), captions[i] + c.text) << what;
            }
        }
    }
}

// A long name of ordinary words breaks at blanks only, in the square's
// centre and in the header, down to the smallest font; what still does not
// fit ends in an ellipsis (the only piece that may end inside a word).
TEST(ChartHeader, LongNamesOfWordsBreakAtBlanks) {
    for (const int repeats : {5, 6, 7, 8, 12}) {
        const QString text = QStringLiteral("Lakshmi Narayana Venkata Subrahmanya ").repeated(repeats).trimmed();
        app::ChartRecord record;
        record.BirthName = text.toStdString();
        const chart::frmDisplay window(record, app::EnglishMonthNames());
        const QStringList words = (QStringLiteral("Name: ") + text).split(QLatin1Char(' '));
        for (const QString& shown : {window.picSouthRasi->nameLayout().text.text, window.lblName->text()}) {
            QStringList pieces = shown.split(QRegularExpression(QStringLiteral("[ \\n]")), Qt::SkipEmptyParts);
            if (pieces.back().endsWith(QChar(0x2026))) pieces.removeLast();
            for (const QString& piece : pieces) EXPECT_TRUE(words.contains(piece)) << repeats << ": " << piece.toStdString();
        }
    }
}

TEST(ChartPicture, ASkyChartSaysSoInTheSquaresCentre) {
    app::ChartRecord record;
    record.BirthName = "Ravi";
    const chart::frmDisplay own(record, app::EnglishMonthNames());
    record.SkyPositions = true;
    const chart::frmDisplay sky(record, app::EnglishMonthNames());
    const QImage ownPicture = own.picSouthRasi->grab().toImage();
    const QImage skyPicture = sky.picSouthRasi->grab().toImage();
    ASSERT_EQ(ownPicture.size(), skyPicture.size());
    // They differ, and only in the centre, below the title and above the name.
    const int cell = chart::px(1335);
    QRect changed;
    for (int y = 0; y < ownPicture.height(); ++y) {
        for (int x = 0; x < ownPicture.width(); ++x) {
            if (ownPicture.pixel(x, y) != skyPicture.pixel(x, y)) changed |= QRect(x, y, 1, 1);
        }
    }
    ASSERT_FALSE(changed.isEmpty());
    EXPECT_TRUE(QRect(cell, cell, 2 * cell, 2 * cell).contains(changed)) << changed.x() << "," << changed.y();
    EXPECT_LT(changed.bottom(), sky.picSouthRasi->nameLayout().area.top());
}

// At 100 %, 150 % and 200 % every line of the grid is equally wide: across
// the top row and down the left column, each run of the lines' colour.
TEST_F(ChartWindow, GridLinesAreEquallyWideAtEveryScale) {
    const QColor line(60, 40, 0);
    const int cell = chart::px(1335);
    for (const double scale : {1.0, 1.25, 1.5, 2.0}) {
        QImage picture(display().picSouthRasi->size() * scale, QImage::Format_RGB32);
        picture.setDevicePixelRatio(scale);
        display().picSouthRasi->render(&picture);
        const auto runs = [&](bool across) {
            std::vector<int> lengths;
            const int fixed = static_cast<int>(std::lround((cell * 3 / 4) * scale));  // below the captions' line
            const int size = across ? picture.width() : picture.height();
            int run = 0;
            for (int k = 0; k <= size; ++k) {
                const bool on = k < size && picture.pixelColor(across ? k : fixed, across ? fixed : k) == line;
                if (on) ++run;
                if (!on && run > 0) lengths.push_back(std::exchange(run, 0));
            }
            return lengths;
        };
        for (const bool across : {true, false}) {
            const std::vector<int> lengths = runs(across);
            ASSERT_EQ(lengths.size(), 5U) << scale << (across ? " across" : " down");  // the edges and three lines
            for (const int length : lengths) EXPECT_EQ(length, lengths.front()) << scale << (across ? " across" : " down");
            EXPECT_EQ(lengths.front(), std::max(1L, std::lround(scale))) << scale;
        }
    }
}

TEST_F(ChartWindow, TheSquareFillsItsPictureToTheLastRow) {
    const QImage picture = display().picSouthRasi->grab().toImage();
    const QColor amber{platform::Amber};
    const int bottom = picture.height() - 1, right = picture.width() - 1;
    for (int x = 0; x <= right; ++x) EXPECT_NE(picture.pixelColor(x, bottom), amber) << "bottom edge at " << x;
    for (int y = 0; y <= bottom; ++y) EXPECT_NE(picture.pixelColor(right, y), amber) << "right edge at " << y;
}

TEST_F(ChartWindow, UnitLabelsOfTheFormLookLikeLabels) {
    for (QLabel* label : program->form().findChildren<QLabel*>()) {
        if (label->text() == QStringLiteral("HH/MM") || label->text() == QStringLiteral("DEG/MIN")) {
            EXPECT_TRUE(label->isEnabled()) << label->text().toStdString();
        }
    }
}

TEST(MonthNamesOf, TheLocaleNamesTheMonth) {
    EXPECT_EQ(platform::MonthNamesOf(QLocale(QLocale::German, QLocale::Germany))[2], "M\u00e4rz");
    EXPECT_EQ(platform::MonthNamesOf(QLocale(QLocale::English, QLocale::UnitedStates)), app::EnglishMonthNames());
    EXPECT_EQ(platform::MonthNamesOf(QLocale::c()), app::EnglishMonthNames());
}

TEST_F(ChartWindow, TheHeaderNamesTheMonthInTheUsersLocale) {
    fake.monthNameTable = platform::MonthNamesOf(QLocale(QLocale::German, QLocale::Germany));
    frame()->cmdBack->click();
    calculate(QStringLiteral("1990"));
    EXPECT_EQ(display().lblDOB->text(), QStringLiteral("Date of Birth: Mai 15, 1990"));
    EXPECT_EQ(program->form().cboMonth->itemText(4), QStringLiteral("May"));  // the form's list stays English
}

// Writes pictures of the windows for a person to look at, when asked.
TEST_F(ChartWindow, Screenshots) {
    const QString folder = qEnvironmentVariable("VELORIN_SCREENSHOTS");
    if (folder.isEmpty()) GTEST_SKIP() << "set VELORIN_SCREENSHOTS to a folder to write screenshots";
    frame()->show();
    QTest::qWait(50);
    EXPECT_TRUE(frame()->grab().save(folder + QStringLiteral("/frame.png")));
    EXPECT_TRUE(display().storedCapture().save(folder + QStringLiteral("/chart.png")));
    web::frmAbout about(fake);
    about.show();
    EXPECT_TRUE(about.grab().save(folder + QStringLiteral("/about.png")));
    frame()->cmdBack->click();
    EXPECT_TRUE(program->form().grab().save(folder + QStringLiteral("/form.png")));
}

}  // namespace
