#include "chart/frmVedicDetails.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/Version.h"
#include "platform/Platform.h"

namespace chart {

namespace {

QString fromStd(const std::string& text) { return QString::fromStdString(text); }

// Roles of a dasha item: which mahadasha and antardasha it is (-1: none).
constexpr int MahaRole = Qt::UserRole;
constexpr int AntarRole = Qt::UserRole + 1;

QTreeWidgetItem* periodItem(const charttext::VedicDetails& details, const QString& name, const app::DashaPeriod& period,
                            bool now) {
    auto* item = new QTreeWidgetItem(QStringList{name, fromStd(charttext::PeriodDate(details, period.StartJD)),
                                                 fromStd(charttext::PeriodDate(details, period.EndJD)),
                                                 now ? frmVedicDetails::tr("today") : QString()});
    if (now) {
        for (int column = 0; column < item->columnCount(); ++column) {
            QFont font = item->font(column);
            font.setBold(true);
            item->setFont(column, font);
        }
    }
    return item;
}

}  // namespace

frmVedicDetails::frmVedicDetails(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmVedicDetails"));
    setWindowTitle(tr("Vedic Details"));
    setModal(false);
    auto* column = new QVBoxLayout(this);

    lblPositions = new QLabel(this);
    lblPositions->setObjectName(QStringLiteral("lblPositions"));
    lblPositions->setWordWrap(true);
    column->addWidget(lblPositions);

    tblPositions = new QTableWidget(0, 7, this);
    tblPositions->setObjectName(QStringLiteral("tblPositions"));
    tblPositions->setHorizontalHeaderLabels(
        {QString(), tr("Sign"), tr("Degrees"), tr("Nakshatra"), tr("Pada"), tr("Lord"), tr("Retrograde")});
    tblPositions->verticalHeader()->setVisible(false);
    tblPositions->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblPositions->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // All ten rows at once, however large the font.
    const int rowHeight = tblPositions->fontMetrics().height() + 6;
    tblPositions->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    tblPositions->verticalHeader()->setDefaultSectionSize(rowHeight);
    tblPositions->setMinimumHeight(11 * rowHeight + 2 * tblPositions->frameWidth() + 4);
    column->addWidget(tblPositions);

    lblPada = new QLabel(this);
    lblPada->setObjectName(QStringLiteral("lblPada"));
    lblPada->setWordWrap(true);
    column->addWidget(lblPada);

    lblPanchanga = new QLabel(this);
    lblPanchanga->setObjectName(QStringLiteral("lblPanchanga"));
    lblPanchanga->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblBalance = new QLabel(this);
    lblBalance->setObjectName(QStringLiteral("lblBalance"));
    column->addWidget(lblPanchanga);
    column->addWidget(lblBalance);

    treeDasha = new QTreeWidget(this);
    treeDasha->setObjectName(QStringLiteral("treeDasha"));
    treeDasha->setHeaderLabels({tr("Vimshottari dasha"), tr("From"), tr("To"), QString()});
    treeDasha->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    column->addWidget(treeDasha, 4);
    // An antardasha's pratyantardashas when it is opened.
    connect(treeDasha, &QTreeWidget::itemExpanded, this, &frmVedicDetails::fillPratyantardashas);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    cmdCopy = new QPushButton(tr("&Copy"), this);
    cmdCopy->setObjectName(QStringLiteral("cmdCopy"));
    cmdClose = new QPushButton(tr("Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    buttons->addWidget(cmdCopy);
    buttons->addWidget(cmdClose);
    column->addLayout(buttons);
    connect(cmdCopy, &QPushButton::clicked, this, [this] { QApplication::clipboard()->setText(text()); });
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::close);
    resize(720, 640);
}

void frmVedicDetails::showDetails(const charttext::VedicDetails& details) {
    details_ = details;
    lblPositions->setText(fromStd(details.positions));

    tblPositions->setRowCount(static_cast<int>(details.rows.size()));
    for (std::size_t r = 0; r < details.rows.size(); ++r) {
        const charttext::BodyDetail& row = details.rows[r];
        const QString cells[] = {fromStd(row.name),
                                 fromStd(row.sign),
                                 fromStd(row.degrees),
                                 fromStd(row.nakshatra),
                                 QString::number(row.pada),
                                 fromStd(row.lord),
                                 row.retrograde ? QStringLiteral("R") : QString()};
        for (int c = 0; c < 7; ++c) tblPositions->setItem(static_cast<int>(r), c, new QTableWidgetItem(cells[c]));
    }

    lblPada->setText(tr("Pada: %1    Moon's own pada: %2\n%3")
                         .arg(fromStd(details.padaCount))
                         .arg(details.moonPada)
                         .arg(QString::fromUtf8(charttext::PadaSentence)));
    lblBalance->setText(tr("Balance at birth: %1").arg(fromStd(charttext::BalanceText(details.balance))));
    QStringList panchanga;
    for (const std::string& line : details.panchanga) panchanga << fromStd(line);
    lblPanchanga->setText(panchanga.join(QLatin1Char('\n')));
    lblPanchanga->setVisible(!panchanga.isEmpty());

    treeDasha->clear();
    for (std::size_t m = 0; m < details.dashas.size(); ++m) {
        const app::DashaPeriod& maha = details.dashas[m];
        const bool mahaNow = static_cast<int>(m) == details.today.maha;
        QTreeWidgetItem* mahaItem = periodItem(details, fromStd(maha.Lord), maha, mahaNow);
        mahaItem->setData(0, MahaRole, static_cast<int>(m));
        mahaItem->setData(0, AntarRole, -1);
        for (std::size_t a = 0; a < maha.Antardasha.size(); ++a) {
            const app::DashaPeriod& antar = maha.Antardasha[a];
            const bool antarNow = mahaNow && static_cast<int>(a) == details.today.antar;
            QTreeWidgetItem* antarItem = periodItem(details, fromStd(maha.Lord + " / " + antar.Lord), antar, antarNow);
            antarItem->setData(0, MahaRole, static_cast<int>(m));
            antarItem->setData(0, AntarRole, static_cast<int>(a));
            antarItem->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
            mahaItem->addChild(antarItem);
        }
        treeDasha->addTopLevelItem(mahaItem);
        if (mahaNow) mahaItem->setExpanded(true);
    }
}

void frmVedicDetails::fillPratyantardashas(QTreeWidgetItem* antarItem) {
    const int m = antarItem->data(0, MahaRole).toInt();
    const int a = antarItem->data(0, AntarRole).toInt();
    if (a < 0 || antarItem->childCount() > 0 || m < 0 || m >= static_cast<int>(details_.dashas.size())) return;
    const app::DashaPeriod& maha = details_.dashas[static_cast<std::size_t>(m)];
    const app::DashaPeriod& antar = maha.Antardasha[static_cast<std::size_t>(a)];
    const bool antarNow = m == details_.today.maha && a == details_.today.antar;
    const std::vector<app::DashaPeriod> parts = app::SubPeriods(antar);
    for (std::size_t p = 0; p < parts.size(); ++p) {
        const bool now = antarNow && static_cast<int>(p) == details_.today.pratyantar;
        antarItem->addChild(
            periodItem(details_, fromStd(maha.Lord + " / " + antar.Lord + " / " + parts[p].Lord), parts[p], now));
    }
}

QString frmVedicDetails::text() const { return fromStd(charttext::FormatVedicDetails(details_)); }

}  // namespace chart
