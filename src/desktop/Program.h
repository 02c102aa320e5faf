// The desktop program: owns the chart of the run and the windows, and carries
// out start-up, the calculation, Back, New and quitting.
#pragma once

#include <QObject>
#include <QPointer>
#include <QPoint>
#include <memory>
#include <optional>

#include "app/ChartCalculation.h"
#include "platform/Platform.h"

namespace chart {
class MDI;
class frmDisplay;
class frmVedicDetails;
}
namespace entry {
class frmMain;
}

namespace desktop {

class Program : public QObject {
    Q_OBJECT
public:
    explicit Program(platform::Platform& platform);
    ~Program() override;

    // Refuses a second instance, runs the update reminder and shows the entry
    // form; a chart file given is then opened and calculated as the Open
    // button does. False when the program must end at once.
    bool StartProgram(const QString& chartFile = {});

    // The calculation from the entry form (button, menu or chart file).
    void cmdCalculate_Click();

    entry::frmMain& form() { return *form_; }
    chart::MDI* frame() const;
    app::ChartSession& session() { return session_; }

    // The record the chart window shows: the session's (the chart's own
    // rules), or the same birth from the sky's positions when the View menu
    // asks for them.
    const app::ChartRecord& shownRecord() const;
    chart::frmVedicDetails* vedicDetails() const;

    // The settings' section and keys of the positions' choice.
    static const QString PositionsSection;
    static const QString PositionsKey;
    static const QString TrueNodeKey;

    // Shows the about box, modal, over the given window.
    void ShowAbout(QWidget* parent);

    // Closes every window and ends the event loop with status 0.
    void QuitProgram();

private:
    void showChart();
    void leaveChart(bool clearCurrentPath);
    // Draws the chart window as the frame's check marks choose, from the
    // session's record; remembers the positions' choice.
    void redraw();
    void drawInto(chart::frmDisplay* display);
    void showVedicDetails();
    void saveAsPdf();
    void exportText();
    double todayJulianDay();

    platform::Platform& platform_;
    app::ChartSession session_;
    std::unique_ptr<entry::frmMain> form_;
    QPointer<chart::MDI> frame_;
    bool quitting_ = false;
    std::optional<QPoint> formPosition_;  // where the entry form stood when the chart was shown
    // The positions' choice, from the settings at the start and kept there.
    bool skyPositions_ = false;
    bool trueNode_ = false;
    std::optional<app::ChartRecord> skyRecord_;  // the session's chart from the sky, when shown
    QPointer<chart::frmVedicDetails> vedicDetails_;
};

}  // namespace desktop
