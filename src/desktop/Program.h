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

    // Shows the about box, modal, over the given window.
    void ShowAbout(QWidget* parent);

    // Closes every window and ends the event loop with status 0.
    void QuitProgram();

private:
    void showChart(const app::ChartWindowTexts& texts);
    void leaveChart(bool clearCurrentPath);

    platform::Platform& platform_;
    app::ChartSession session_;
    std::unique_ptr<entry::frmMain> form_;
    QPointer<chart::MDI> frame_;
    bool quitting_ = false;
    std::optional<QPoint> formPosition_;  // where the entry form stood when the chart was shown
};

}  // namespace desktop
