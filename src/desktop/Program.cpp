#include "desktop/Program.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>

#include "app/DivisionalCharts.h"
#include "chart/ChartPdf.h"
#include "chart/MDI.h"
#include "chart/frmDisplay.h"
#include "chart/frmVedicDetails.h"
#include "charttext/VedicDetails.h"
#include "entry/frmMain.h"
#include "files/FileCommands.h"
#include "platform/ProgramIcon.h"
#include "web/frmAbout.h"
#include "web/modHelp.h"
#ifdef VELORIN_WITH_SKY
#include "sky/SkyChart.h"
#endif

namespace desktop {

const QString Program::PositionsSection = QStringLiteral("Chart");
const QString Program::PositionsKey = QStringLiteral("Positions");
const QString Program::TrueNodeKey = QStringLiteral("TrueNode");

Program::Program(platform::Platform& platform)
    : platform_(platform), form_(std::make_unique<entry::frmMain>(platform)) {
#ifdef VELORIN_WITH_SKY
    skyPositions_ = platform_.readSetting(PositionsSection, PositionsKey) == QStringLiteral("Sky");
#endif
    trueNode_ = platform_.readSetting(PositionsSection, TrueNodeKey) == QStringLiteral("1");
    form_->setWindowIcon(platform::ProgramIcon());
    connect(form_.get(), &entry::frmMain::calculateRequested, this, &Program::cmdCalculate_Click);
    connect(form_.get(), &entry::frmMain::aboutRequested, this, [this] { ShowAbout(form_.get()); });
    connect(form_.get(), &entry::frmMain::exitRequested, this, &Program::QuitProgram);
    connect(form_.get(), &entry::frmMain::openRequested, this, [this] {
        app::BirthFormValues values = form_->values();
        if (!files::OpenChartFile(platform_, form_.get(), values)) return;
        form_->setValues(values);
        cmdCalculate_Click();
    });
}

chart::MDI* Program::frame() const { return frame_.data(); }

Program::~Program() {
    if (frame_) delete frame_.data();
}

bool Program::StartProgram(const QString& chartFile) {
    if (!platform_.claimSingleInstance()) {
        platform_.showMessage(nullptr, {QStringLiteral("Application is already running"), platform::ProgramTitle(),
                                        platform::Icon::Information, platform::Buttons::Ok});
        if (!chartFile.isEmpty()) {
            // Nothing is handed to the running program: say so, and how to open it there.
            platform_.showMessage(nullptr, {QStringLiteral("%1 was not opened.\nOpen it in the program that is running, "
                                                           "with Open Previously Saved Reading.")
                                                .arg(chartFile),
                                            platform::ProgramTitle(), platform::Icon::Information, platform::Buttons::Ok});
        }
        return false;
    }
    web::UpdateReminder(platform_);
    form_->show();
    if (!chartFile.isEmpty()) {
        // The form on the screen first, so that a message about the file
        // appears over it, not where an unplaced window would be.
        QElapsedTimer waited;
        waited.start();
        while (!form_->testAttribute(Qt::WA_Mapped) && waited.elapsed() < 1000) {
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 50);
        }
        // As the Open button does once its dialog has given the path.
        app::BirthFormValues values = form_->values();
        if (files::OpenChartFileAt(platform_, form_.get(), chartFile, values)) {
            form_->setValues(values);
            cmdCalculate_Click();
        }
    }
    return true;
}

void Program::cmdCalculate_Click() {
    const app::CalculationOutcome outcome = app::RunCalculation(form_->values(), session_);
    if (!outcome.accepted()) {
        form_->reportProblem(*outcome.problem);
        return;
    }
    // The time as the client gave it, beside the universal time charted.
    session_.record.LocalTimeGiven = form_->localTimeGiven();
    showChart();
}

const app::ChartRecord& Program::shownRecord() const { return skyRecord_ ? *skyRecord_ : session_.record; }

chart::frmVedicDetails* Program::vedicDetails() const { return vedicDetails_.data(); }

void Program::showChart() {
    if (!frame_) {
        frame_ = new chart::MDI(platform_);
        frame_->setWindowIcon(platform::ProgramIcon());
        connect(frame_, &chart::MDI::backRequested, this, [this] { leaveChart(false); });
        connect(frame_, &chart::MDI::newRequested, this, [this] { leaveChart(true); });
        connect(frame_, &chart::MDI::exitRequested, this, &Program::QuitProgram);
        connect(frame_, &chart::MDI::aboutRequested, this, [this] { ShowAbout(frame_); });
        connect(frame_, &chart::MDI::saveRequested, this, [this] {
            files::SaveChartFile(platform_, frame_, session_.record, form_->values().cboTimeZone);
        });
        connect(frame_, &chart::MDI::exportRequested, this, &Program::exportText);
        connect(frame_, &chart::MDI::chartChoiceChanged, this, &Program::redraw);
        connect(frame_, &chart::MDI::vedicDetailsRequested, this, &Program::showVedicDetails);
        connect(frame_, &chart::MDI::saveAsPdfRequested, this, &Program::saveAsPdf);
#ifndef VELORIN_WITH_SKY
        frame_->setSkyAvailable(false);
#endif
        frame_->setPositions(skyPositions_, trueNode_);
        connect(frame_, &chart::MDI::saveAsJpegRequested, this, [this] {
            if (frame_->display()) files::SaveChartAsJpeg(platform_, frame_, frame_->display()->storedCapture());
        });
    }
    chart::frmDisplay* display = frame_->display();
    if (!display) display = new chart::frmDisplay(session_.record, platform_.monthNames());  // a new window writes its header from this chart
    drawInto(display);
    frame_->showDisplay(display);
    // Where the form stood, for Back: only when the window system has put it
    // on the screen (a form shown and hidden at once, as when the program
    // opens a chart file at its start, has no place of its own yet).
    if (form_->testAttribute(Qt::WA_Mapped)) formPosition_ = form_->pos();
    form_->hide();
}

void Program::redraw() {
    if (!frame_ || !frame_->display()) return;
    drawInto(frame_->display());
    frame_->captureChart();
}

void Program::drawInto(chart::frmDisplay* display) {
    const chart::ChartChoice choice = frame_->choice();
    if (choice.sky != skyPositions_ || choice.trueNode != trueNode_) {
        skyPositions_ = choice.sky;
        trueNode_ = choice.trueNode;
        platform_.writeSetting(PositionsSection, PositionsKey, skyPositions_ ? QStringLiteral("Sky") : QStringLiteral("Rules"));
        platform_.writeSetting(PositionsSection, TrueNodeKey, trueNode_ ? QStringLiteral("1") : QStringLiteral("0"));
    }
    skyRecord_.reset();
    QString problem;
#ifdef VELORIN_WITH_SKY
    if (choice.sky) {
        sky::SkyChartResult sky = sky::SkyChartOf(session_.record, choice.trueNode ? sky::NodeKind::True : sky::NodeKind::Mean);
        if (sky.record) {
            skyRecord_ = std::move(*sky.record);
        } else {
            problem = tr("The sky's positions cannot be shown: %1; the chart's own rules are shown.")
                          .arg(QString::fromStdString(sky.problem));
        }
    }
#endif
    display->showDrawing(shownRecord(), choice.varga, choice.north);
    frame_->showStatus(problem.isEmpty() ? chart::ChartStatusText(shownRecord(), choice.varga, choice.north) : problem);
    if (vedicDetails_) vedicDetails_->showDetails(charttext::MakeVedicDetails(shownRecord(), todayJulianDay()));
}

double Program::todayJulianDay() {
    // Julian day 2440587.5 began 1 January 1970 at midnight UT.
    return 2440587.5 + static_cast<double>(platform_.localNow().toMSecsSinceEpoch()) / 86400000.0;
}

void Program::showVedicDetails() {
    if (!frame_) return;
    if (!vedicDetails_) vedicDetails_ = new chart::frmVedicDetails(frame_);
    vedicDetails_->showDetails(charttext::MakeVedicDetails(shownRecord(), todayJulianDay()));
    vedicDetails_->show();
    vedicDetails_->raise();
}

void Program::exportText() {
    if (!skyRecord_) {
        files::ExportChartText(platform_, frame_, session_.record);
        return;
    }
    // The sky's chart, with its positions line; the path chosen is the session's.
    skyRecord_->ChartFileName = session_.record.ChartFileName;
    files::ExportChartText(platform_, frame_, *skyRecord_);
    session_.record.ChartFileName = skyRecord_->ChartFileName;
}

void Program::saveAsPdf() {
    if (!frame_ || !frame_->display()) return;
    platform::FileDialogRequest request;
    request.defaultSuffix = QStringLiteral("pdf");
    request.filter = QStringLiteral("PDF Document (*.pdf)|*.pdf");
    request.pathMustExist = true;
    const std::optional<QString> path = platform_.getSaveFileName(frame_, request);
    if (!path || path->isEmpty()) return;
    const chart::ChartChoice choice = frame_->choice();
    const QByteArray pdf = chart::MakeChartPdf(frame_->display()->storedCapture(), shownRecord(), choice.north,
                                               platform_.monthNames(),
                                               charttext::MakeVedicDetails(shownRecord(), todayJulianDay()));
    const io::WriteResult written = chart::WriteChartPdf(path->toStdString(), pdf);
    if (!written.written()) files::ReportWriteFailure(platform_, frame_, *path, QString::fromStdString(written.reason));
}

void Program::leaveChart(bool clearCurrentPath) {
    if (clearCurrentPath) session_.record.CurrentChartPath.clear();
    // The frame goes first, then the form comes back where it was.
    if (frame_) {
        frame_->hide();
        frame_->deleteLater();
        frame_ = nullptr;
    }
    skyRecord_.reset();
    if (formPosition_) form_->move(*formPosition_);
    form_->show();
}

void Program::ShowAbout(QWidget* parent) {
    web::frmAbout about(platform_, parent);
    about.setWindowIcon(platform::ProgramIcon());
    about.exec();
}

void Program::QuitProgram() {
    if (quitting_) return;
    quitting_ = true;
    for (QWidget* window : QApplication::topLevelWidgets()) window->close();
    if (frame_) frame_->hide();
    QCoreApplication::exit(0);
}

}  // namespace desktop
