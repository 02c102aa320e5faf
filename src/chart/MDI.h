// The chart window's frame: menus, toolbar, the amber bands and the commands
// that act on a finished chart.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>

#include "platform/Platform.h"

class QAction;
class QLabel;
class QMenu;
class QMdiArea;
class QMdiSubWindow;
class QPushButton;
class QStatusBar;
class QToolBar;

namespace chart {

class frmDisplay;

// Where the resize rule puts the three buttons and the two labels, in twips,
// for a frame W twips wide.
struct FrameLayout {
    double cmdExitLeft, cmdBackLeft, cmdSaveAsJPEGLeft, lblHeadingLeft, lblURLLeft;
};
FrameLayout ResizeRule(double frameWidthTwips);

// The frame's size when it opens: the whole chart window if the screen's
// free area (`available`, logical pixels, as at any scale) has room for it
// and for the window system's title bar and borders (`decoration`), else as
// much as there is; the chart then scrolls.
inline constexpr QSize FrameDecorationAllowance{16, 48};
QSize OpeningSize(const QSize& available, const QSize& decoration = FrameDecorationAllowance);

// The message when a confirmed printer cannot be opened.
QString PrintFailureMessage(const QString& printerName);

// What the chart window shows, as the View menu's check marks choose it: the
// division (1 the Rashi chart), the square's style and whose positions.
struct ChartChoice {
    int varga = 1;
    bool north = false;
    bool sky = false;
    bool trueNode = false;
};

class MDI : public QMainWindow {
    Q_OBJECT
public:
    explicit MDI(platform::Platform& platform, QWidget* parent = nullptr);

    // Puts the chart window into the frame (the frame owns it from then on).
    void showDisplay(frmDisplay* display);
    frmDisplay* display() const;

    // Each time the frame becomes active the chart window's client area is
    // captured and stored in the window, for Save As JPEG.
    void captureChart();

    // Toolbar clicks are dispatched on the button's Key, compared exactly.
    void TB_ButtonClick(const QString& key);

    // The choice the check marks make; setting the positions' marks (as the
    // settings give them) asks for no drawing.
    ChartChoice choice() const;
    void setPositions(bool sky, bool trueNode);
    // Disables the sky's positions (a build without them).
    void setSkyAvailable(bool available);
    // What the status bar says.
    void showStatus(const QString& text);
    QString statusText() const;

    QAction *mnuNew, *mnuSaveAsText, *mnuSaveAsJpeg, *mnuExport, *mnuPrint, *mnuBack, *mnuExit;
    QAction *mnuToolBar, *mnuStatusBar, *mnuChartStyle, *mnuNorth, *mnuSouth, *mnuNatal;
    QAction *mnuColor, *mnuColorOn, *mnuColorOff, *mnuChart, *mnuDivisionalCharts;
    std::array<QAction*, 6> mnuSub{};  // Hora, Drekkana, Sapthamsa, Navamsa, Dasamsa, Dwadasamsa
    QAction *mnuPositions, *mnuProgramRules, *mnuSkyPositions, *mnuTrueNode, *mnuVedicDetails, *mnuSaveAsPdf;
    QAction *mnuOnline, *mnuVisit, *mnuUpdate, *mnuAbout;
    QToolBar* TB;
    QStatusBar* statusBarOfFrame;
    QWidget* picTop;
    QLabel* lblHeading;
    QLabel* lblURL;
    QWidget* Picture1;
    QPushButton* cmdSaveAsJPEG;
    QPushButton* cmdBack;
    QPushButton* cmdExit;
    QLabel* Label1;

signals:
    void newRequested();
    void backRequested();
    void exitRequested();
    void saveRequested();
    void saveAsJpegRequested();
    void exportRequested();
    void aboutRequested();
    void saveAsPdfRequested();
    void vedicDetailsRequested();
    // A check mark of the chart, its style or its positions was changed by the user.
    void chartChoiceChanged();

public slots:
    void Print();

    // No context menu of its own: Qt's would hide the toolbar behind the
    // View menu's back.
    QMenu* createPopupMenu() override;

protected:
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    // Tab and Shift+Tab go round the frame's three buttons and never into the
    // chart's area.
    bool focusNextPrevChild(bool next) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // The chart window stays where the frame put it.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void buildFileMenu();
    void buildViewMenu();
    void connectMenus();
    void buildToolBar();
    void buildBands();
    void applyResizeRule();
    void selectChartStyle(QAction* chosen);
    void selectChart(QAction* chosen);
    void selectPositions(QAction* chosen);
    void growToShowTheChart();

    platform::Platform& platform_;
    QMdiArea* area_;
    QPointer<frmDisplay> display_;
    QMdiSubWindow* subWindow_ = nullptr;
    QString statusText_;
    bool grown_ = false;
};

}  // namespace chart
