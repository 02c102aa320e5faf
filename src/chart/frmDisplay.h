// The chart window: the birth-data header, the South Indian chart with the
// twelve sign boxes, the Vedic details and the table of the nine bodies.
#pragma once

#include <QImage>
#include <QLabel>
#include <QWidget>
#include <array>
#include <optional>

#include "app/ChartCalculation.h"
#include "charttext/SquareCharts.h"

class QGroupBox;

namespace chart {

// A text laid out to fit a room: in its font or one down to smallestPoints,
// on one line or broken into lines ("\n") at blanks (within a word only when
// it is longer than a line). When even the smallest font cannot hold it, the
// last line that fits ends in an ellipsis and whole is false.
struct FittedText {
    QFont font;
    QString text;
    bool whole = true;
};
FittedText FitText(const QString& text, const QSize& room, QFont font, double smallestPoints);

// The amber square of the chart: a 4 x 4 grid whose twelve outer cells are the
// sign boxes and whose inner 2 x 2 block is one area showing the program's
// name and the person's name.
class SouthRasiPicture : public QWidget {
    Q_OBJECT
public:
    explicit SouthRasiPicture(QWidget* parent = nullptr);
    void setPersonName(const QString& name);
    // Says under the title that the chart shows the sky's positions.
    void setSkyPositions(bool sky);
    // The chart's name under the program's ("Rashi Chart", "Navamsa (D9)").
    void setChartTitle(const QString& title);
    QString chartTitle() const { return chartTitle_; }
    // The North Indian square with these houses (the first the Ascendant's),
    // or, with none, the South Indian one whose boxes are the window's labels.
    void setNorthHouses(const std::optional<std::array<charttext::NorthHouse, 12>>& houses);
    bool isNorth() const { return northHouses_.has_value(); }

    // Where a house's number and names are drawn in the North Indian square
    // (index 0 = the first house), and how they are laid out there.
    QRect houseRoom(std::size_t house) const;
    FittedText houseText(std::size_t house) const;

    // Where and how the person's name is drawn: it always fits its area.
    struct NameLayout {
        QRect area;
        FittedText text;
    };
    NameLayout nameLayout() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void paintNorth(QPainter& painter);

    QString personName_;
    QString chartTitle_;
    bool skyPositions_ = false;
    std::optional<std::array<charttext::NorthHouse, 12>> northHouses_;
};

// A sign box's caption: the names of the bodies in the sign, one a line. A
// crowded box (up to nine entries: "Asc", seven planets and a node) is drawn
// in a smaller font and, when that reads better, in two columns, so that
// every entry lies inside its cell and clear of the sign's number. Its text
// stays the names with line breaks between them.
class SignBoxLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
    // 1 or 2; with 2 the box draws its entries itself, the first half on the left.
    void setColumns(int columns);
    int columns() const { return columns_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int columns_ = 1;
};

class frmDisplay : public QWidget {
    Q_OBJECT
public:
    // Builds the window and writes its birth-data header from the record.
    frmDisplay(const app::ChartRecord& record, const app::MonthNameTable& monthNames, QWidget* parent = nullptr);

    // The driver's captions and sign boxes.
    void showChart(const app::ChartWindowTexts& texts);

    // Which square is drawn: the chart's name in its centre, and the North
    // Indian houses or (none) the South Indian boxes of showChart.
    void showSquare(const QString& title, const std::optional<std::array<charttext::NorthHouse, 12>>& north);
    void setSkyPositions(bool sky) { picSouthRasi->setSkyPositions(sky); }

    // The whole chart of a record as the core makes it: the captions and
    // positions of its Rashi chart, and the square of the division `varga`
    // (the bodies by their signs in it, its name in the centre) in the South
    // or North Indian style.
    void showDrawing(const app::ChartRecord& shown, int varga, bool north);

    // The stored picture of the window, captured when its frame last became active.
    void storeCapture(const QImage& image);
    QImage storedCapture() const { return capture_; }
    // Renders the window's client area into a picture of its pixel size.
    QImage renderClientArea();

    SouthRasiPicture* picSouthRasi;
    std::array<SignBoxLabel*, 12> lblPlanets{};
    std::array<QLabel*, 12> lblSouthPosition{};
    QLabel *lblName, *lblCity, *lblState, *lblCountry, *lblDOB, *lblTOB, *lblLatitude, *lblLongitude;
    QGroupBox* fraVedic;
    QLabel *lblAyanamsha, *lblLagna, *lblNakshatra, *lblRashi, *lblPada, *lblLord;
    QGroupBox* fraWestern;
    std::array<QLabel*, astro::BodyCount> Planet{};
    QLabel* Picture1;
    // Under the square: that the zone lies on the other side of Greenwich
    // from the place, and what that does (hidden when it does not).
    QLabel* lblTimeBases;

    // The client area in pixels at normal scale.
    static constexpr int ClientWidth = 1000;
    static constexpr int ClientHeight = 543;

private:
    void placeSignBox(std::size_t sign);
    QImage capture_;
};

// What the status bar says of a chart shown: the chart, the square's style
// and whose positions.
QString ChartStatusText(const app::ChartRecord& shown, int varga, bool north);

// The sign table: where each sign's box caption and number sit, in twips,
// relative to the chart picture (index = sign, 0 = Aries).
struct SignPlace {
    int row, column;
    int boxLeft, boxTop;
    int numberLeft, numberTop;
};
extern const std::array<SignPlace, 12> SignPlaces;

}  // namespace chart
