#include "desktop/Program.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>

#include "chart/MDI.h"
#include "chart/frmDisplay.h"
#include "entry/frmMain.h"
#include "files/FileCommands.h"
#include "platform/ProgramIcon.h"
#include "web/frmAbout.h"
#include "web/modHelp.h"

namespace desktop {

Program::Program(platform::Platform& platform)
    : platform_(platform), form_(std::make_unique<entry::frmMain>(platform)) {
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
    showChart(outcome.window);
}

void Program::showChart(const app::ChartWindowTexts& texts) {
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
        connect(frame_, &chart::MDI::exportRequested, this, [this] { files::ExportChartText(platform_, frame_, session_.record); });
        connect(frame_, &chart::MDI::saveAsJpegRequested, this, [this] {
            if (frame_->display()) files::SaveChartAsJpeg(platform_, frame_, frame_->display()->storedCapture());
        });
    }
    chart::frmDisplay* display = frame_->display();
    if (!display) display = new chart::frmDisplay(session_.record, platform_.monthNames());  // a new window writes its header from this chart
    display->showChart(texts);
    frame_->showDisplay(display);
    // Where the form stood, for Back: only when the window system has put it
    // on the screen (a form shown and hidden at once, as when the program
    // opens a chart file at its start, has no place of its own yet).
    if (form_->testAttribute(Qt::WA_Mapped)) formPosition_ = form_->pos();
    form_->hide();
}

void Program::leaveChart(bool clearCurrentPath) {
    if (clearCurrentPath) session_.record.CurrentChartPath.clear();
    // The frame goes first, then the form comes back where it was.
    if (frame_) {
        frame_->hide();
        frame_->deleteLater();
        frame_ = nullptr;
    }
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
