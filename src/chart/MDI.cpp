#include "chart/MDI.h"

#include <algorithm>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/BirthForm.h"
#include "app/DivisionalCharts.h"
#include "app/Version.h"
#include "chart/Twips.h"
#include "platform/Palette.h"
#include "chart/frmDisplay.h"
#include "web/HelpMenu.h"
#include "web/modHelp.h"

namespace chart {

namespace {

const QColor Amber{platform::Amber};

// Widths of the controls whose places the resize rule computes, in twips.
constexpr double CmdExitWidth = 1095;
constexpr double CmdBackWidth = 1095;
constexpr double CmdSaveAsJPEGWidth = 1575;
constexpr double LblHeadingWidth = 9390;
constexpr double LblURLWidth = 5520;

QWidget* amberBand(QWidget* parent, const char* name, int heightTwips) {
    auto* band = new QWidget(parent);
    band->setObjectName(QLatin1String(name));
    band->setFixedHeight(px(heightTwips));
    band->setAutoFillBackground(true);
    QPalette palette = band->palette();
    palette.setColor(QPalette::Window, Amber);
    band->setPalette(palette);
    return band;
}

QLabel* linkLabel(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setText(QStringLiteral("<a href=\"home\" style=\"color:#0000ff\">%1</a>").arg(text.toHtmlEscaped()));
    // Clickable, but no stop of the Tab key (Help > Visit Us Online opens the
    // same page from the keyboard).
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    label->setFocusPolicy(Qt::NoFocus);
    return label;
}

QAction* item(QMenu* menu, const char* name, const QString& caption, bool available = true, bool checkable = false) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    action->setEnabled(available);
    action->setCheckable(checkable);
    return action;
}

void separator(QMenu* menu, const char* name, bool available = true) {
    QAction* action = menu->addSeparator();
    action->setObjectName(QLatin1String(name));
    action->setEnabled(available);
}

// A small picture for a toolbar button, drawn by the program.
QIcon toolbarIcon(const QString& key) {
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(70, 50, 10), 1.5));
    if (key == QLatin1String("New")) {
        p.setBrush(Qt::white);
        p.drawPolygon(QPolygonF({{5, 2}, {15, 2}, {20, 7}, {20, 22}, {5, 22}}));
        p.drawLine(QPointF(15, 2), QPointF(15, 7));
        p.drawLine(QPointF(15, 7), QPointF(20, 7));
    } else if (key == QLatin1String("Save")) {
        p.setBrush(Amber);
        p.drawRect(QRectF(3, 3, 18, 18));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(7, 3, 10, 7));
        p.drawRect(QRectF(6, 14, 12, 7));
    } else if (key == QLatin1String("Print")) {
        p.setBrush(Qt::white);
        p.drawRect(QRectF(7, 2, 10, 8));
        p.setBrush(Amber);
        p.drawRoundedRect(QRectF(2, 9, 20, 9), 2, 2);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(7, 15, 10, 7));
    } else {
        p.setBrush(Amber);
        p.drawEllipse(QRectF(2, 2, 20, 20));
        p.setFont(QFont(QStringLiteral("Verdana"), 11, QFont::Bold));
        p.drawText(QRectF(2, 2, 20, 20), Qt::AlignCenter, QStringLiteral("?"));
    }
    return QIcon(pixmap);
}

}  // namespace

QSize OpeningSize(const QSize& available, const QSize& decoration) {
    const QSize wanted(1030, 745);  // the whole chart window and both bands
    if (!available.isValid() || available.isEmpty()) return wanted;
    return wanted.boundedTo((available - decoration).expandedTo(QSize(1, 1)));
}

QString PrintFailureMessage(const QString& printerName) {
    if (printerName.isEmpty()) return QStringLiteral("No printer is set up: the chart could not be printed.");
    return QStringLiteral("The chart could not be printed: the printer %1 cannot be opened.").arg(printerName);
}

FrameLayout ResizeRule(double w) {
    FrameLayout layout{};
    layout.cmdExitLeft = w - CmdExitWidth - 300;
    layout.cmdBackLeft = layout.cmdExitLeft - CmdBackWidth - 100;
    layout.cmdSaveAsJPEGLeft = layout.cmdBackLeft - CmdSaveAsJPEGWidth - 100;
    layout.lblHeadingLeft = (w - LblHeadingWidth) / 2;
    layout.lblURLLeft = (w - LblURLWidth) / 2;
    return layout;
}

MDI::MDI(platform::Platform& platform, QWidget* parent) : QMainWindow(parent), platform_(platform) {
    setObjectName(QStringLiteral("MDI"));
    setWindowTitle(platform::fromUtf8(app::WindowCaption));
    setAttribute(Qt::WA_DeleteOnClose);
    buildMenus();
    buildBands();

    statusBarOfFrame = new QStatusBar(this);
    statusBarOfFrame->setObjectName(QStringLiteral("statusBar"));
    statusBarOfFrame->setSizeGripEnabled(false);
    setStatusBar(statusBarOfFrame);

    // Frame load: the check marks the frame starts with.
    for (QAction* checked : {mnuToolBar, mnuStatusBar, mnuColorOff, mnuChart, mnuSouth}) checked->setChecked(true);
    selectPositions(mnuProgramRules);

    // The whole chart window and the status bar under it, where the screen has room.
    const QSize statusRoom(0, statusBarOfFrame->sizeHint().height());
    const QSize available = screen() ? screen()->availableGeometry().size() : QSize();
    resize(OpeningSize(available.isValid() ? available - statusRoom : available) + statusRoom);
}

void MDI::buildMenus() {
    buildFileMenu();
    buildViewMenu();
    const web::HelpMenu help = web::AddHelpMenu(menuBar(), platform_);
    mnuOnline = help.mnuOnline;
    mnuVisit = help.mnuVisit;
    mnuUpdate = help.mnuUpdate;
    mnuAbout = help.mnuAbout;
    connectMenus();
    buildToolBar();
}

void MDI::buildFileMenu() {
    QMenu* mnuFile = menuBar()->addMenu(tr("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuNew = item(mnuFile, "mnuNew", tr("&New"));
    separator(mnuFile, "mnuFileSep0");
    mnuSaveAsText = item(mnuFile, "mnuSaveAsText", tr("Save &As Text File"));
    mnuSaveAsJpeg = item(mnuFile, "mnuSaveAsJpeg", tr("Save As &JPEG"));
    mnuSaveAsPdf = item(mnuFile, "mnuSaveAsPdf", tr("Save As PDF"));
    separator(mnuFile, "mnuFileSep1");
    mnuExport = item(mnuFile, "mnuExport", tr("&Export Chart As Text"));
    separator(mnuFile, "mnuFilesep2");
    mnuPrint = item(mnuFile, "mnuPrint", tr("&Print"));
    separator(mnuFile, "mnuFileSep3");
    mnuBack = item(mnuFile, "mnuBack", tr("&Back"));
    separator(mnuFile, "mnuFileSep4");
    mnuExit = item(mnuFile, "mnuExit", tr("E&xit"));
}

// Toolbar and status bar, the chart styles, the colours (shown, not
// enabled), the Rashi and divisional charts, whose positions, and the Vedic
// details.
void MDI::buildViewMenu() {
    QMenu* mnuView = menuBar()->addMenu(tr("&View"));
    mnuView->setObjectName(QStringLiteral("mnuView"));
    mnuToolBar = item(mnuView, "mnuToolBar", tr("&Toolbar"), true, true);
    mnuStatusBar = item(mnuView, "mnuStatusBar", tr("&Status Bar"), true, true);
    separator(mnuView, "mnuViewSep1", false);
    QMenu* styleMenu = mnuView->addMenu(tr("&Chart Style"));
    mnuChartStyle = styleMenu->menuAction();
    mnuChartStyle->setObjectName(QStringLiteral("mnuChartStyle"));
    mnuNorth = item(styleMenu, "mnuNorth", tr("&North Indian"), true, true);
    mnuSouth = item(styleMenu, "mnuSouth", tr("&South Indian"), true, true);
    // No one has defined the Natal Indian square.
    mnuNatal = item(styleMenu, "mnuNatal", tr("&Natal Indian"), false, true);
    QMenu* colorMenu = mnuView->addMenu(tr("Colo&r Style"));
    mnuColor = colorMenu->menuAction();
    mnuColor->setObjectName(QStringLiteral("mnuColor"));
    mnuColor->setEnabled(false);
    mnuColorOn = item(colorMenu, "mnuColorOn", tr("O&n"), false, true);
    mnuColorOff = item(colorMenu, "mnuColorOff", tr("O&ff"), false, true);
    separator(mnuView, "mnuViewSep2", false);
    mnuChart = item(mnuView, "mnuChart", tr("&Chart"), true, true);
    QMenu* divisional = mnuView->addMenu(tr("&Divisional Charts"));
    mnuDivisionalCharts = divisional->menuAction();
    mnuDivisionalCharts->setObjectName(QStringLiteral("mnuDivisionalCharts"));
    const std::pair<const char*, QString> subCharts[] = {
        {"mnuSub_Hora", tr("&Hora")},           {"mnuSub_Drekkana", tr("&Drekkana")},
        {"mnuSub_Sapthamsa", tr("&Sapthamsa")}, {"mnuSub_Navamsa", tr("&Navamsa")},
        {"mnuSub_Dasamsa", tr("&D&asamsa")},    {"mnuSub_Dwadasamsa", tr("D&wadasamsa")},
    };
    for (std::size_t i = 0; i < mnuSub.size(); ++i) {
        mnuSub[i] = item(divisional, subCharts[i].first, subCharts[i].second, true, true);
    }
    separator(mnuView, "mnuViewSep3");
    QMenu* positions = mnuView->addMenu(tr("Positions"));
    mnuPositions = positions->menuAction();
    mnuPositions->setObjectName(QStringLiteral("mnuPositions"));
    mnuProgramRules = item(positions, "mnuProgramRules", tr("Program's Rules"), true, true);
    mnuSkyPositions = item(positions, "mnuSkyPositions", tr("Sky at the True Instant"), true, true);
    separator(positions, "mnuPositionsSep");
    mnuTrueNode = item(positions, "mnuTrueNode", tr("True Node"), false, true);
    mnuVedicDetails = item(mnuView, "mnuVedicDetails", tr("Vedic Details"));
}

void MDI::connectMenus() {
    connect(mnuNew, &QAction::triggered, this, &MDI::newRequested);
    connect(mnuSaveAsText, &QAction::triggered, this, &MDI::saveRequested);
    connect(mnuSaveAsJpeg, &QAction::triggered, this, &MDI::saveAsJpegRequested);
    connect(mnuExport, &QAction::triggered, this, &MDI::exportRequested);
    connect(mnuPrint, &QAction::triggered, this, &MDI::Print);
    connect(mnuBack, &QAction::triggered, this, &MDI::backRequested);
    connect(mnuExit, &QAction::triggered, this, &MDI::exitRequested);
    // A checkable action has already toggled its mark when this runs: the
    // toolbar follows the mark.
    connect(mnuToolBar, &QAction::triggered, this, [this](bool checked) { TB->setVisible(checked); });
    connect(mnuStatusBar, &QAction::triggered, this, [this](bool checked) { statusBarOfFrame->setVisible(checked); });
    for (QAction* style : {mnuNorth, mnuSouth, mnuNatal}) {
        connect(style, &QAction::triggered, this, [this, style] {
            selectChartStyle(style);
            emit chartChoiceChanged();
        });
    }
    connect(mnuChart, &QAction::triggered, this, [this] {
        selectChart(mnuChart);
        emit chartChoiceChanged();
    });
    for (QAction* sub : mnuSub) {
        connect(sub, &QAction::triggered, this, [this, sub] {
            selectChart(sub);
            emit chartChoiceChanged();
        });
    }
    for (QAction* positions : {mnuProgramRules, mnuSkyPositions}) {
        connect(positions, &QAction::triggered, this, [this, positions] {
            selectPositions(positions);
            emit chartChoiceChanged();
        });
    }
    connect(mnuTrueNode, &QAction::triggered, this, &MDI::chartChoiceChanged);
    connect(mnuVedicDetails, &QAction::triggered, this, &MDI::vedicDetailsRequested);
    connect(mnuSaveAsPdf, &QAction::triggered, this, &MDI::saveAsPdfRequested);
    connect(mnuAbout, &QAction::triggered, this, &MDI::aboutRequested);
}

void MDI::buildToolBar() {
    TB = addToolBar(tr("Toolbar"));
    TB->setObjectName(QStringLiteral("TB"));
    TB->setMovable(false);
    TB->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    // However the toolbar is hidden or shown, the mark follows it.
    connect(TB, &QToolBar::visibilityChanged, mnuToolBar, [this](bool) { mnuToolBar->setChecked(!TB->isHidden()); });

    for (const char* key : {"New", "Save", "Print", "Help", "Vedic Details"}) {
        const QString k = QLatin1String(key);
        QAction* button = TB->addAction(toolbarIcon(k), k);
        button->setData(k);
        button->setObjectName(QStringLiteral("TB_") + k);
        connect(button, &QAction::triggered, this, [this, button] { TB_ButtonClick(button->data().toString()); });
    }
}

void MDI::buildBands() {
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    picTop = amberBand(central, "picTop", 900);
    lblHeading = new QLabel(platform::ProgramTitle(), picTop);
    lblHeading->setObjectName(QStringLiteral("lblHeading"));
    QFont headingFont(QStringLiteral("Verdana"), 18, QFont::Bold);
    lblHeading->setFont(headingFont);
    lblHeading->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblHeading->setGeometry(0, 0, px(LblHeadingWidth), px(420));
    lblURL = linkLabel(picTop, "lblURL", web::HomeLinkText());
    lblURL->setAlignment(Qt::AlignCenter);
    lblURL->setGeometry(0, px(400), px(LblURLWidth), px(400));
    connect(lblURL, &QLabel::linkActivated, this, [this] { web::OpenWebPage(platform_, web::Page::Home); });

    area_ = new QMdiArea(central);
    area_->setObjectName(QStringLiteral("MDIArea"));
    area_->setBackground(Qt::white);
    // A frame smaller than the chart window scrolls it.
    area_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area_->setMinimumSize(1, 1);

    Picture1 = amberBand(central, "Picture1", 765);
    const auto button = [this](const char* name, const QString& caption, double widthTwips) {
        auto* b = new QPushButton(caption, Picture1);
        b->setObjectName(QLatin1String(name));
        b->setGeometry(0, px(120), px(widthTwips), px(400));
        return b;
    };
    cmdSaveAsJPEG = button("cmdSaveAsJPEG", tr("Save As &JPEG"), CmdSaveAsJPEGWidth);
    cmdBack = button("cmdBack", tr("&Back"), CmdBackWidth);
    cmdExit = button("cmdExit", tr("E&xit"), CmdExitWidth);
    Label1 = linkLabel(Picture1, "Label1", web::HomeLinkText());
    Label1->move(0, px(495));
    Label1->adjustSize();
    connect(Label1, &QLabel::linkActivated, this, [this] { web::OpenWebPage(platform_, web::Page::Home); });
    connect(cmdSaveAsJPEG, &QPushButton::clicked, mnuSaveAsJpeg, &QAction::trigger);
    connect(cmdBack, &QPushButton::clicked, this, &MDI::backRequested);
    connect(cmdExit, &QPushButton::clicked, this, &MDI::exitRequested);

    column->addWidget(picTop);
    column->addWidget(area_, 1);
    column->addWidget(Picture1);
    setCentralWidget(central);
}

frmDisplay* MDI::display() const { return display_.data(); }

bool MDI::focusNextPrevChild(bool next) {
    std::vector<QWidget*> ring;
    for (QWidget* control : {static_cast<QWidget*>(cmdSaveAsJPEG), static_cast<QWidget*>(cmdBack),
                             static_cast<QWidget*>(cmdExit)}) {
        if (control->isVisibleTo(this) && control->isEnabled()) ring.push_back(control);
    }
    if (ring.empty()) return QMainWindow::focusNextPrevChild(next);
    const auto at = std::find(ring.begin(), ring.end(), focusWidget());
    std::size_t index = 0;
    if (at != ring.end()) {
        const std::size_t current = static_cast<std::size_t>(at - ring.begin());
        index = next ? (current + 1) % ring.size() : (current + ring.size() - 1) % ring.size();
    }
    ring[index]->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

void MDI::showDisplay(frmDisplay* display) {
    if (display != display_ || !subWindow_) {
        display_ = display;
        subWindow_ = area_->addSubWindow(display, Qt::SubWindow | Qt::WindowTitleHint);
        subWindow_->setWindowTitle(display->windowTitle());
        subWindow_->setAttribute(Qt::WA_DeleteOnClose, false);
        subWindow_->installEventFilter(this);
    }
    subWindow_->move(0, 0);
    subWindow_->show();
    display->show();
    show();
    growToShowTheChart();
    activateWindow();
    captureChart();
}

void MDI::growToShowTheChart() {
    // Once, when the frame opens: if the chart window is a few pixels taller
    // than the room the bands and the status bar leave it, and the screen has
    // those pixels free below the frame (beside a margin for its border), the
    // frame takes them and the chart shows without scrolling.
    if (grown_ || !subWindow_ || !screen()) return;
    grown_ = true;
    const int shortBy = subWindow_->height() + 2 * area_->frameWidth() - area_->height();
    const int room = screen()->availableGeometry().bottom() - frameGeometry().bottom() - 8;
    if (shortBy > 0 && shortBy <= room) resize(width(), height() + shortBy);
}

void MDI::captureChart() {
    if (display_) display_->storeCapture(display_->renderClientArea());
}

void MDI::TB_ButtonClick(const QString& key) {
    if (key == QLatin1String("New")) {
        emit newRequested();
    } else if (key == QLatin1String("Save")) {
        emit saveRequested();
    } else if (key == QLatin1String("Print")) {
        Print();
    } else if (key == QLatin1String("Help")) {
        web::OpenWebPage(platform_, web::Page::Help);
    } else if (key == QLatin1String("Vedic Details")) {
        emit vedicDetailsRequested();
    }
}

ChartChoice MDI::choice() const {
    ChartChoice chosen;
    for (std::size_t i = 0; i < mnuSub.size(); ++i) {
        if (!mnuChart->isChecked() && mnuSub[i]->isChecked()) chosen.varga = app::Divisions[i];
    }
    chosen.north = mnuNorth->isChecked();
    chosen.sky = mnuSkyPositions->isChecked() && mnuSkyPositions->isEnabled();
    chosen.trueNode = chosen.sky && mnuTrueNode->isChecked();
    return chosen;
}

void MDI::setPositions(bool sky, bool trueNode) {
    selectPositions(sky && mnuSkyPositions->isEnabled() ? mnuSkyPositions : mnuProgramRules);
    mnuTrueNode->setChecked(trueNode);
}

void MDI::setSkyAvailable(bool available) {
    mnuSkyPositions->setEnabled(available);
    if (!available) selectPositions(mnuProgramRules);
}

void MDI::selectPositions(QAction* chosen) {
    mnuProgramRules->setChecked(chosen == mnuProgramRules);
    mnuSkyPositions->setChecked(chosen == mnuSkyPositions);
    // The node is the sky's: the chart's own rules have their own.
    mnuTrueNode->setEnabled(chosen == mnuSkyPositions);
}

void MDI::showStatus(const QString& text) {
    statusText_ = text;
    statusBarOfFrame->showMessage(text);
}

QString MDI::statusText() const { return statusBarOfFrame->currentMessage(); }

bool MDI::event(QEvent* event) {
    // A menu item without a tip of its own leaves the chart's line in place.
    if (event->type() == QEvent::StatusTip && static_cast<QStatusTipEvent*>(event)->tip().isEmpty()) {
        statusBarOfFrame->showMessage(statusText_);
        return true;
    }
    return QMainWindow::event(event);
}

bool MDI::eventFilter(QObject* watched, QEvent* event) {
    if (watched == subWindow_ && event->type() == QEvent::Move && subWindow_->pos() != QPoint(0, 0)) {
        subWindow_->move(0, 0);
    }
    return QMainWindow::eventFilter(watched, event);
}

void MDI::Print() {
    QPrinter printer;
    if (!platform_.showPrintDialog(this, printer, {true, true})) return;
    const QImage picture = display_ ? display_->storedCapture() : QImage();
    if (picture.isNull()) return;
    QPainter painter;
    if (!painter.begin(&printer)) {
        platform_.showMessage(this, {PrintFailureMessage(printer.printerName()), platform::ProgramTitle(),
                                     platform::Icon::Error, platform::Buttons::Ok});
        return;
    }
    // The stored picture, as large as the printable area allows, proportions kept.
    const QRect area = painter.viewport();
    QSize size = picture.size();
    size.scale(area.size(), Qt::KeepAspectRatio);
    painter.setViewport(area.x(), area.y(), size.width(), size.height());
    painter.setWindow(picture.rect());
    painter.drawImage(0, 0, picture);
    painter.end();
}

void MDI::selectChartStyle(QAction* chosen) {
    for (QAction* style : {mnuNorth, mnuSouth, mnuNatal}) style->setChecked(style == chosen);
}

void MDI::selectChart(QAction* chosen) {
    if (chosen == mnuChart && subWindow_) subWindow_->show();
    mnuChart->setChecked(chosen == mnuChart);
    for (QAction* sub : mnuSub) sub->setChecked(sub == chosen);
}

void MDI::applyResizeRule() {
    const FrameLayout layout = ResizeRule(width() * TwipsPerPixel);
    cmdExit->move(px(layout.cmdExitLeft), cmdExit->y());
    cmdBack->move(px(layout.cmdBackLeft), cmdBack->y());
    cmdSaveAsJPEG->move(px(layout.cmdSaveAsJPEGLeft), cmdSaveAsJPEG->y());
    lblHeading->move(px(layout.lblHeadingLeft), lblHeading->y());
    lblURL->move(px(layout.lblURLLeft), lblURL->y());
}

QMenu* MDI::createPopupMenu() { return nullptr; }

void MDI::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    applyResizeRule();
}

void MDI::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) captureChart();
}

void MDI::closeEvent(QCloseEvent* event) {
    // The close box ends the program; Back and New delete the frame instead.
    event->accept();
    emit exitRequested();
}

}  // namespace chart
