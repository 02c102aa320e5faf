// The Vedic details window: the Lagna and the bodies with their signs,
// degrees, nakshatras, padas and lords, the Moon's own pada, and the
// Vimshottari periods with today's marked; all of it can be copied as text.
#pragma once

#include <QDialog>

#include "charttext/VedicDetails.h"

class QLabel;
class QPushButton;
class QTableWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace chart {

class frmVedicDetails : public QDialog {
    Q_OBJECT
public:
    explicit frmVedicDetails(QWidget* parent = nullptr);

    // Shows the details of a chart (made by the core from its record).
    void showDetails(const charttext::VedicDetails& details);
    // The details as text, as Copy puts them on the clipboard.
    QString text() const;

    QLabel* lblPositions;
    QTableWidget* tblPositions;
    QLabel* lblPada;
    QLabel* lblBalance;
    QLabel* lblPanchanga;  // the birth's panchanga (lines of text)
    QTreeWidget* treeDasha;
    QPushButton* cmdCopy;
    QPushButton* cmdClose;

private:
    void fillPratyantardashas(QTreeWidgetItem* antar);
    charttext::VedicDetails details_;
};

}  // namespace chart
