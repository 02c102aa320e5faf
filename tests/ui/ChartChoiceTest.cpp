// What the View menu chooses, set beside the command line for the same
// births: a division's square and the North Indian houses are those of
// --varga and --style north, the sky's texts those of --sky; the choice of
// positions outlives the program; the Vedic details, the picture and the PDF
// follow what is shown.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QMdiSubWindow>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTreeWidget>

#include "chart/MDI.h"
#include "chart/frmDisplay.h"
#include "chart/frmVedicDetails.h"
#include "charttext/VedicDetails.h"
#include "desktop/Program.h"
#include "entry/FilteredLineEdit.h"
#include "entry/frmMain.h"
#include "support/FakePlatform.h"

namespace {

// A birth as the entry form takes it and as the command line is given it.
struct Birth {
    const char* name;
    int year, month, day, hour, minute, zone;
    int latDeg, latMin;
    bool south;
    int lonDeg, lonMin;
    bool west;
};
// Delhi (the reference birth); New York in 1931 (Mercury and Saturn change
// sign between the program's rules and the sky); London with a zone east of
// Greenwich (the two universal times differ).
const Birth Births[] = {
    {"Ravi", 1990, 5, 15, 10, 30, 34, 28, 36, false, 77, 12, false},
    {"Ann Marie", 1931, 11, 3, 6, 45, 27, 40, 43, false, 74, 0, true},
    {"L", 1985, 7, 15, 14, 0, 26, 51, 30, false, 0, 7, true},
};

QStringList commandLine(const Birth& b) {
    const auto two = [](int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); };
    return {QStringLiteral("--name"), QString::fromUtf8(b.name),
            QStringLiteral("--date"), QStringLiteral("%1-%2-%3").arg(b.year).arg(two(b.month), two(b.day)),
            QStringLiteral("--time"), QStringLiteral("%1:%2").arg(b.hour).arg(two(b.minute)),
            QStringLiteral("--zone"), QString::number(b.zone),
            QStringLiteral("--lat"), QStringLiteral("%1:%2%3").arg(b.latDeg).arg(b.latMin).arg(b.south ? 'S' : 'N'),
            QStringLiteral("--lon"), QStringLiteral("%1:%2%3").arg(b.lonDeg).arg(b.lonMin).arg(b.west ? 'W' : 'E'),
            QStringLiteral("--city"), QStringLiteral("C"), QStringLiteral("--state"), QStringLiteral("S"),
            QStringLiteral("--country"), QStringLiteral("K")};
}

// velorin-chart itself, run with the birth and the options.
QJsonObject chartJson(const Birth& b, const QStringList& options = {}) {
    QProcess process;
    process.start(QStringLiteral(VELORIN_CHART_PROGRAM), commandLine(b) + QStringList{"--format", "json"} + options);
    EXPECT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    return QJsonDocument::fromJson(process.readAllStandardOutput()).object();
}

QString windowBox(QString box) { return box.replace(QStringLiteral("\r\n"), QStringLiteral("\n")); }

class ChartChoice : public ::testing::Test {
protected:
    void start() {
        program = std::make_unique<desktop::Program>(fake);
        ASSERT_TRUE(program->StartProgram());
    }
    void SetUp() override { start(); }

    void calculate(const Birth& b) {
        entry::frmMain& f = program->form();
        f.txtName->setText(QString::fromUtf8(b.name));
        f.cboDate->setCurrentIndex(b.day - 1);
        f.cboMonth->setCurrentIndex(b.month - 1);
        f.cboYear->setCurrentText(QString::number(b.year));
        f.cboHour->setCurrentIndex(b.hour);
        f.cboMinute->setCurrentIndex(b.minute);
        f.cboTimeZone->setCurrentIndex(b.zone);
        f.txtLatDeg->setText(QString::number(b.latDeg));
        f.txtLatMin->setText(QString::number(b.latMin));
        f.optLat[b.south ? 1 : 0]->setChecked(true);
        f.txtLonDeg->setText(QString::number(b.lonDeg));
        f.txtLonMin->setText(QString::number(b.lonMin));
        f.optLong[b.west ? 1 : 0]->setChecked(true);
        f.txtCity->setText(QStringLiteral("C"));
        f.txtState->setText(QStringLiteral("S"));
        f.txtCountry->setText(QStringLiteral("K"));
        f.cmdCalculate->click();
        ASSERT_NE(program->frame(), nullptr);
    }

    chart::MDI& frame() { return *program->frame(); }
    chart::frmDisplay& display() { return *frame().display(); }

    testdata::FakePlatform fake;
    std::unique_ptr<desktop::Program> program;
};

// Each item of Divisional Charts puts that division into the square, bodies
// as velorin-chart --varga places them, in the South and the North Indian
// style; Chart brings the Rashi boxes back; the captions stay the Rashi chart's.
TEST_F(ChartChoice, ADivisionsSquareIsTheCommandLines) {
    const int divisions[] = {2, 3, 7, 9, 10, 12};
    const char* shortNames[] = {"Su", "Mo", "Me", "Ve", "Ma", "Ju", "Sa", "Ra", "Ke"};
    for (const Birth& b : Births) {
        calculate(b);
        const QJsonObject json = chartJson(b);
        const QString lagna = display().lblLagna->text();
        for (std::size_t i = 0; i < 6; ++i) {
            const QString what = QStringLiteral("%1 D%2").arg(QString::fromUtf8(b.name)).arg(divisions[i]);
            frame().mnuSouth->trigger();
            frame().mnuSub[i]->trigger();
            EXPECT_FALSE(frame().mnuChart->isChecked()) << what.toStdString();
            for (std::size_t k = 0; k < 6; ++k) EXPECT_EQ(frame().mnuSub[k]->isChecked(), k == i) << what.toStdString();
            const QJsonObject division = json["DivisionalCharts"][QStringLiteral("D%1").arg(divisions[i])].toObject();
            for (int sign = 0; sign < 12; ++sign) {
                EXPECT_EQ(display().lblPlanets[static_cast<std::size_t>(sign)]->text(),
                          windowBox(division["SignBoxes"][sign].toString()))
                    << what.toStdString() << " sign " << sign;
            }
            EXPECT_EQ(display().lblLagna->text(), lagna);

            // North Indian: house h holds the sign h after the Ascendant's.
            frame().mnuNorth->trigger();
            ASSERT_TRUE(display().picSouthRasi->isNorth());
            const QJsonArray signs = division["Signs"].toArray();
            const int ascendant = signs[9].toInt();
            for (std::size_t house = 0; house < 12; ++house) {
                const int sign = (ascendant + static_cast<int>(house)) % 12;
                QStringList words;
                if (house == 0) words << QStringLiteral("As");
                for (int body = 0; body < 9; ++body) {
                    if (signs[body].toInt() != sign) continue;
                    const bool retrograde = body >= 2 && body <= 6 && json["RetroFlags"][body - 2].toBool();
                    words << QLatin1String(shortNames[body]) + (retrograde ? QStringLiteral("R") : QString());
                }
                EXPECT_EQ(display().picSouthRasi->houseText(house).text.replace(QLatin1Char('\n'), QLatin1Char(' ')),
                          words.join(QLatin1Char(' ')))
                    << what.toStdString() << " house " << house + 1;
            }
            EXPECT_FALSE(display().lblPlanets[0]->isVisible());
        }
        frame().mnuSouth->trigger();
        frame().mnuChart->trigger();
        EXPECT_TRUE(frame().mnuChart->isChecked());
        for (int sign = 0; sign < 12; ++sign) {
            EXPECT_EQ(display().lblPlanets[static_cast<std::size_t>(sign)]->text(), windowBox(json["SignBoxes"][sign].toString()));
        }
        frame().cmdBack->click();
    }
}

// With the sky's positions every caption and box of the window is the one
// velorin-chart --sky writes (mean and true node), and the window, the status
// bar and the text export say so; back to the program's rules, the chart is
// the default one again.
TEST_F(ChartChoice, TheSkysWindowTextsAreThoseOfTheCommandLine) {
    QTemporaryDir folder;
    for (const Birth& b : Births) {
        calculate(b);
        const QJsonObject own = chartJson(b);
        for (const bool trueNode : {false, true}) {
            const std::string what = std::string(b.name) + (trueNode ? " true node" : " mean node");
            frame().mnuSkyPositions->trigger();
            ASSERT_TRUE(frame().mnuTrueNode->isEnabled());
            if (frame().mnuTrueNode->isChecked() != trueNode) frame().mnuTrueNode->trigger();
            const QJsonObject sky = chartJson(b, trueNode ? QStringList{"--sky", "--node", "true"} : QStringList{"--sky"});
            const std::pair<QLabel*, const char*> captions[] = {
                {display().lblAyanamsha, "AyanamsaCaption"}, {display().lblLagna, "LagnaName"},
                {display().lblNakshatra, "NakshatraCaption"}, {display().lblRashi, "RashiCaption"},
                {display().lblPada, "PadaCaption"},           {display().lblLord, "NakshatraLord"}};
            for (const auto& [label, key] : captions) EXPECT_EQ(label->text(), sky[QLatin1String(key)].toString()) << what << key;
            for (int body = 0; body < 9; ++body) {
                EXPECT_EQ(display().Planet[static_cast<std::size_t>(body)]->text(), sky["PlanetPositionText"][body].toString())
                    << what << " body " << body;
            }
            for (int sign = 0; sign < 12; ++sign) {
                EXPECT_EQ(display().lblPlanets[static_cast<std::size_t>(sign)]->text(), windowBox(sky["SignBoxes"][sign].toString()))
                    << what << " sign " << sign;
            }
            const QString node = trueNode ? QStringLiteral("true node") : QStringLiteral("mean node");
            EXPECT_TRUE(frame().statusText().contains(node)) << frame().statusText().toStdString();
            // The export says whose positions it holds.
            const QString path = folder.filePath(QStringLiteral("sky.txt"));
            QFile::remove(path);
            fake.savePaths.push_back(path);
            frame().mnuExport->trigger();
            QFile exported(path);
            ASSERT_TRUE(exported.open(QIODevice::ReadOnly));
            EXPECT_TRUE(QString::fromUtf8(exported.readAll()).contains(QStringLiteral("Positions: the sky"))) << what;
        }
        // The chart file holds the birth, whatever positions are shown.
        QByteArray saved[2];
        for (QAction* positions : {frame().mnuSkyPositions, frame().mnuProgramRules}) {
            positions->trigger();
            const QString vrc = folder.filePath(QStringLiteral("chart.vrc"));
            QFile::remove(vrc);
            fake.savePaths.push_back(vrc);
            frame().mnuSaveAsText->trigger();
            QFile file(vrc);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            saved[positions == frame().mnuProgramRules] = file.readAll();
        }
        EXPECT_FALSE(saved[0].isEmpty());
        EXPECT_EQ(saved[0], saved[1]) << b.name;
        frame().mnuProgramRules->trigger();
        EXPECT_FALSE(frame().mnuTrueNode->isEnabled());
        EXPECT_EQ(display().lblAyanamsha->text(), own["AyanamsaCaption"].toString());
        EXPECT_EQ(display().Planet[0]->text(), own["PlanetPositionText"][0].toString());
        frame().cmdBack->click();
    }
}

// A latitude the form lets through but the sky has no Ascendant for: the
// chart of the program's rules stays, and the status bar says why.
TEST_F(ChartChoice, ASkyWithoutAnAscendantLeavesTheRulesChartAndSaysWhy) {
    Birth pole = Births[0];
    pole.latDeg = 95;
    pole.latMin = 70;
    calculate(pole);
    const QString ayanamsa = display().lblAyanamsha->text();
    const QImage picture = display().storedCapture();
    frame().mnuSkyPositions->trigger();
    EXPECT_FALSE(program->shownRecord().SkyPositions);
    EXPECT_EQ(display().lblAyanamsha->text(), ayanamsa);
    EXPECT_EQ(display().storedCapture(), picture);
    EXPECT_TRUE(frame().statusText().contains(QStringLiteral("the sky has no Ascendant"))) << frame().statusText().toStdString();
}

// The positions chosen are the first chart's after the program starts again,
// and so is a return to the program's rules; the divisions and the style are
// the frame's marks and start afresh.
TEST_F(ChartChoice, ThePositionsChoiceOutlivesTheProgram) {
    const struct {
        QAction* chart::MDI::*item;
        bool node;
        bool sky, trueNode;
    } rounds[] = {
        {&chart::MDI::mnuSkyPositions, true, true, true},
        {&chart::MDI::mnuSkyPositions, false, true, false},
        {&chart::MDI::mnuProgramRules, false, false, false},
    };
    for (const auto& round : rounds) {
        calculate(Births[0]);
        (frame().*round.item)->trigger();
        if (frame().mnuTrueNode->isChecked() != round.node && frame().mnuTrueNode->isEnabled()) frame().mnuTrueNode->trigger();
        frame().mnuSub[3]->trigger();
        program.reset();
        start();
        calculate(Births[0]);
        EXPECT_EQ(frame().mnuSkyPositions->isChecked(), round.sky);
        EXPECT_EQ(frame().mnuProgramRules->isChecked(), !round.sky);
        EXPECT_EQ(frame().choice().trueNode, round.trueNode);
        EXPECT_EQ(program->shownRecord().SkyPositions, round.sky);
        EXPECT_EQ(display().lblAyanamsha->text(),
                  chartJson(Births[0], round.sky ? (round.trueNode ? QStringList{"--sky", "--node", "true"}
                                                                  : QStringList{"--sky"})
                                                 : QStringList{})["AyanamsaCaption"]
                      .toString());
        EXPECT_TRUE(frame().mnuChart->isChecked());
        EXPECT_EQ(program->session().record.SkyPositions, false);  // the chart file's record is the birth's own
        frame().cmdBack->click();
    }
}

// The details' Lagna is the Ascendant the JSON gives, for both positions;
// the first period ends where the JSON's first mahadasha does.
TEST_F(ChartChoice, TheDetailsLagnaIsTheJsons) {
    for (const Birth& b : Births) {
        calculate(b);
        for (QAction* positions : {frame().mnuProgramRules, frame().mnuSkyPositions}) {
            positions->trigger();
            frame().mnuVedicDetails->trigger();
            chart::frmVedicDetails* details = program->vedicDetails();
            ASSERT_NE(details, nullptr);
            const QJsonObject json = chartJson(b, positions == frame().mnuSkyPositions ? QStringList{"--sky"} : QStringList{});
            const QString sign = details->tblPositions->item(0, 1)->text();
            EXPECT_EQ(details->tblPositions->item(0, 2)->text() + QLatin1Char(' ') + sign.mid(sign.size() - 4, 3),
                      json["AscendantText"].toString())
                << b.name;
            EXPECT_EQ(details->treeDasha->topLevelItem(0)->text(2), json["Vimshottari"][0]["End"].toString()) << b.name;
            EXPECT_TRUE(details->text().contains(json["AscendantText"].toString().section(QLatin1Char(' '), 0, 2)));
            EXPECT_EQ(details->lblPositions->text().contains(QStringLiteral("sky")), positions == frame().mnuSkyPositions);
            // Today is the platform clock's: inside the third mahadasha, which alone is marked.
            const QJsonObject antar = json["Vimshottari"][2]["Antardasha"][3].toObject();
            fake.now = QDateTime(QDate::fromString(antar["Start"].toString(), Qt::ISODate).addDays(1), QTime(12, 0));
            frame().mnuVedicDetails->trigger();
            for (int m = 0; m < details->treeDasha->topLevelItemCount(); ++m) {
                EXPECT_EQ(details->treeDasha->topLevelItem(m)->text(3).isEmpty(), m != 2) << b.name << " " << m;
            }
            // The birth's panchanga (the sky's), whatever positions the chart shows.
            QStringList panchanga;
            for (const std::string& line : charttext::MakeVedicDetails(program->session().record, 0).panchanga) {
                panchanga << QString::fromStdString(line);
            }
            EXPECT_EQ(details->lblPanchanga->text(), panchanga.join(QLatin1Char('\n'))) << b.name;
        }
        frame().mnuProgramRules->trigger();
        frame().cmdBack->click();
    }
}

// The stored picture (what Save As JPEG writes and Print prints) follows the
// choice, and is the default one again when the choice is.
TEST_F(ChartChoice, ThePictureFollowsTheChoice) {
    calculate(Births[0]);
    const QImage rashi = display().storedCapture();
    QAction* choices[] = {frame().mnuSub[3], frame().mnuNorth, frame().mnuSkyPositions};
    std::vector<QImage> seen{rashi};
    for (QAction* choice : choices) {
        choice->trigger();
        const QImage now = display().storedCapture();
        for (const QImage& before : seen) EXPECT_NE(now, before) << choice->objectName().toStdString();
        seen.push_back(now);
    }
    frame().mnuProgramRules->trigger();
    frame().mnuSouth->trigger();
    frame().mnuChart->trigger();
    EXPECT_EQ(display().storedCapture(), rashi);
}

// Under the square, a birth whose zone lies on the other side of Greenwich
// from the place says what velorin-chart's note says; the others say nothing.
// The chart window stays where the frame put it.
TEST_F(ChartChoice, TheZonesSplitIsNamedUnderTheSquare) {
    for (const Birth& b : Births) {
        calculate(b);
        QProcess cli;
        cli.start(QStringLiteral(VELORIN_CHART_PROGRAM), commandLine(b));
        ASSERT_TRUE(cli.waitForFinished(30000));
        QString note = QString::fromUtf8(cli.readAllStandardError()).trimmed();
        const QString prefix = QStringLiteral("velorin-chart: note: ");
        EXPECT_EQ(display().lblTimeBases->isVisibleTo(&display()), note.startsWith(prefix)) << b.name;
        if (note.startsWith(prefix)) {
            EXPECT_EQ(display().lblTimeBases->text(), note.mid(prefix.size())) << b.name;
        }
        // Inside the window, clear of the square and the frames.
        EXPECT_TRUE(display().rect().contains(display().lblTimeBases->geometry()));
        EXPECT_GT(display().lblTimeBases->y(), display().picSouthRasi->geometry().bottom());
        EXPECT_GT(display().lblTimeBases->y(), display().fraWestern->geometry().bottom());

        auto* sub = qobject_cast<QMdiSubWindow*>(display().parentWidget());
        ASSERT_NE(sub, nullptr);
        const QPoint home = sub->pos();
        sub->move(home + QPoint(80, 45));
        EXPECT_EQ(sub->pos(), home) << b.name;
        frame().cmdBack->click();
    }
}

int pageCount(const QByteArray& pdf) {
    int pages = 0;
    for (qsizetype at = pdf.indexOf("/Type /Page"); at >= 0; at = pdf.indexOf("/Type /Page", at + 1)) {
        if (pdf.mid(at + 11, 1) != "s") ++pages;
    }
    return pages;
}

// Save As PDF writes three pages; a file of that name is kept as it was and
// the user told.
TEST_F(ChartChoice, ThePdfHasItsPagesAndReplacesNothing) {
    QTemporaryDir folder;
    calculate(Births[0]);
    const QString path = folder.filePath(QStringLiteral("ravi.pdf"));
    fake.savePaths.push_back(path);
    frame().mnuSaveAsPdf->trigger();
    QFile written(path);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray pdf = written.readAll();
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_EQ(pageCount(pdf), 3);
    EXPECT_TRUE(fake.messages.empty());

    fake.savePaths.push_back(path);
    frame().mnuSaveAsPdf->trigger();
    ASSERT_EQ(fake.messages.size(), 1U);
    EXPECT_TRUE(fake.messages[0].text.contains(path));
    written.seek(0);
    EXPECT_EQ(written.readAll(), pdf);
}

}  // namespace
