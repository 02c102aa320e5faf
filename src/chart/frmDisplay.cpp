#include "chart/frmDisplay.h"

#include <QGroupBox>
#include <QLabel>
#include <QPaintEngine>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <vector>

#include "app/BirthForm.h"
#include "app/ChartTextExport.h"
#include "app/TimeBases.h"
#include "app/Version.h"
#include "chart/Twips.h"
#include "platform/Palette.h"
#include "platform/Platform.h"

namespace chart {

const std::array<SignPlace, 12> SignPlaces = {{
    {0, 1, 1665, 60, 2520, 1080},    // Aries
    {0, 2, 3000, 60, 3840, 1080},    // Taurus
    {0, 3, 4320, 60, 5160, 1080},    // Gemini
    {1, 3, 4320, 1320, 5160, 2400},  // Cancer
    {2, 3, 4320, 2700, 5160, 3720},  // Leo
    {3, 3, 4320, 4005, 5130, 5040},  // Virgo
    {3, 2, 3000, 4005, 3840, 5040},  // Libra
    {3, 1, 1665, 4005, 2520, 5040},  // Scorpio
    {3, 0, 345, 4005, 1150, 5040},   // Sagittarius
    {2, 0, 345, 2700, 1080, 3720},   // Capricorn
    {1, 0, 345, 1320, 1080, 2400},   // Aquarius
    {0, 0, 345, 60, 1080, 1080},     // Pisces
}};

namespace {

constexpr int CellTwips = 1335;
const QColor Amber{platform::Amber};
const QColor BorderColour(60, 40, 0);

QFont verdana(double points, bool bold = false) {
    QFont font(QStringLiteral("Verdana"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QLabel* label(QWidget* parent, const char* name, const QRect& geometry, const QFont& font) {
    auto* l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(geometry);
    l->setFont(font);
    return l;
}

constexpr double BoxedPoints = 9.75;
constexpr double SmallestPoints = 5;
constexpr double SignBoxPoints = 8.25;

QLabel* boxedLabel(QWidget* parent, const char* name, const QRect& geometry, const QString& text = {}) {
    QLabel* l = label(parent, name, geometry, verdana(BoxedPoints));
    l->setText(text);
    l->setFrameShape(QFrame::Box);
    l->setLineWidth(1);
    l->setAutoFillBackground(true);
    l->setBackgroundRole(QPalette::Base);
    l->setForegroundRole(QPalette::Text);
    l->setIndent(3);
    return l;
}

QString fromStd(const std::string& text) { return QString::fromStdString(text); }

// Sets the text of a boxed label in its usual font, or in a smaller one when
// the text would not fit the label's width: a caption is never cut off.
void setFittedText(QLabel* box, const QString& text) {
    box->setText(text);
    QFont font = verdana(BoxedPoints);
    const int room = box->contentsRect().width() - box->indent() - 1;
    while (font.pointSizeF() > SmallestPoints && QFontMetrics(font).horizontalAdvance(text) > room) {
        font.setPointSizeF(font.pointSizeF() - 0.25);
    }
    box->setFont(font);
}

// Where a text breaks into lines of a width: at blanks, or with anywhere at
// blanks and inside a word only when the word alone is longer than a line.
// Each entry is a line's start and length.
std::vector<std::pair<int, int>> lineBreaks(const QString& text, const QFont& font, int width, bool anywhere) {
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(anywhere ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::WordWrap);
    layout.setTextOption(option);
    std::vector<std::pair<int, int>> lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        lines.emplace_back(line.textStart(), line.textLength());
    }
    layout.endLayout();
    return lines;
}

QString withoutTrailingBlanks(QString line) {
    while (!line.isEmpty() && line.back().isSpace()) line.chop(1);
    return line;
}

// The text broken into lines (without their trailing blanks).
QStringList brokenLines(const QString& text, const std::vector<std::pair<int, int>>& breaks) {
    QStringList lines;
    for (const auto& [start, length] : breaks) lines << withoutTrailingBlanks(text.mid(start, length));
    return lines;
}

// Whether lines of text drawn in a font lie inside a room.
bool fitsRoom(const QString& lines, const QFont& font, const QSize& room) {
    const QRect drawn = QFontMetrics(font).boundingRect(QRect(QPoint(0, 0), room), Qt::AlignLeft | Qt::AlignTop, lines);
    return drawn.width() <= room.width() && drawn.height() <= room.height();
}

}  // namespace

FittedText FitText(const QString& text, const QSize& room, QFont font, double smallestPoints) {
    // One line or broken at blanks, in the largest font that holds it.
    for (;;) {
        if (fitsRoom(text, font, room)) return {font, text, true};
        const QString lines = brokenLines(text, lineBreaks(text, font, room.width(), false)).join(QLatin1Char('\n'));
        if (fitsRoom(lines, font, room)) return {font, lines, true};
        if (font.pointSizeF() - 0.25 < smallestPoints) break;
        font.setPointSizeF(font.pointSizeF() - 0.25);
    }
    // In the smallest font, a word longer than a line broken where it must;
    // a text with such a word may fill its lines to the edge. Other words are
    // never broken: what does not fit then ends in an ellipsis.
    auto breaks = lineBreaks(text, font, room.width(), true);
    QStringList lines = brokenLines(text, breaks);
    if (fitsRoom(lines.join(QLatin1Char('\n')), font, room)) return {font, lines.join(QLatin1Char('\n')), true};
    const QFontMetrics metrics(font);
    const QStringList words = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (std::any_of(words.begin(), words.end(), [&](const QString& word) { return metrics.horizontalAdvance(word) > room.width(); })) {
        QTextLayout packed(text, font);
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAnywhere);
        packed.setTextOption(option);
        std::vector<std::pair<int, int>> filled;
        packed.beginLayout();
        for (QTextLine line = packed.createLine(); line.isValid(); line = packed.createLine()) {
            line.setLineWidth(room.width());
            filled.emplace_back(line.textStart(), line.textLength());
        }
        packed.endLayout();
        const QStringList filledLines = brokenLines(text, filled);
        if (fitsRoom(filledLines.join(QLatin1Char('\n')), font, room)) return {font, filledLines.join(QLatin1Char('\n')), true};
        breaks = filled;
        lines = filledLines;
    }
    // Even so it does not fit: the lines that do, the last ending in an ellipsis.
    std::size_t kept = 1;
    while (kept < breaks.size() && fitsRoom(lines.mid(0, static_cast<int>(kept + 1)).join(QLatin1Char('\n')), font, room)) {
        ++kept;
    }
    QStringList shown = lines.mid(0, static_cast<int>(kept - 1));
    shown << QFontMetrics(font).elidedText(text.mid(breaks[kept - 1].first), Qt::ElideRight, room.width());
    return {font, shown.join(QLatin1Char('\n')), false};
}

SouthRasiPicture::SouthRasiPicture(QWidget* parent) : QWidget(parent), chartTitle_(tr("Rashi Chart")) {}

void SouthRasiPicture::setChartTitle(const QString& title) {
    chartTitle_ = title;
    update();
}

void SouthRasiPicture::setNorthHouses(const std::optional<std::array<charttext::NorthHouse, 12>>& houses) {
    northHouses_ = houses;
    update();
}

void SouthRasiPicture::setPersonName(const QString& name) {
    personName_ = name;
    setToolTip(nameLayout().text.whole ? QString() : name);
    update();
}

void SouthRasiPicture::setSkyPositions(bool sky) {
    skyPositions_ = sky;
    update();
}

namespace {

// The text of the sky's positions under the chart's name.
QString skyPositionsNote() { return SouthRasiPicture::tr("sky positions, true instant"); }

// The grid's lines on whole pixels of the screen, all of one width (a whole
// number of pixels: at 150 % a line a pixel and a half wide would be drawn
// one or two pixels wide by where it falls). They are drawn into a picture of
// the device's pixels, laid over the square when the pen goes. Coordinates
// are the widget's.
class GridPen {
public:
    GridPen(QPainter& painter, const QSize& size)
        : painter_(painter),
          ratio_(painter.paintEngine() && painter.paintEngine()->paintDevice()
                     ? painter.paintEngine()->paintDevice()->devicePixelRatioF()
                     : 1.0),
          lines_(QSize(at(size.width()), at(size.height())), QImage::Format_ARGB32_Premultiplied),
          width_(static_cast<int>(std::max(1.0, std::round(ratio_)))) {
        lines_.fill(Qt::transparent);
        pen_.begin(&lines_);
        pen_.setPen(QPen(BorderColour, width_));
    }
    ~GridPen() {
        pen_.end();
        lines_.setDevicePixelRatio(ratio_);
        painter_.drawImage(QPointF(0, 0), lines_);
    }
    GridPen(const GridPen&) = delete;
    GridPen& operator=(const GridPen&) = delete;
    void line(int x1, int y1, int x2, int y2) { pen_.drawLine(at(x1), at(y1), at(x2), at(y2)); }
    // The edges of the picture, each line wholly inside it.
    void border() {
        const int left = width_ / 2, right = lines_.width() - 1 - (width_ - 1) / 2;
        const int top = width_ / 2, bottom = lines_.height() - 1 - (width_ - 1) / 2;
        pen_.drawRect(left, top, right - left, bottom - top);
    }

private:
    int at(int coordinate) const { return static_cast<int>(std::lround(coordinate * ratio_)); }
    QPainter& painter_;
    double ratio_;
    QImage lines_;
    QPainter pen_;
    int width_;
};

}  // namespace

void SouthRasiPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Amber);
    if (northHouses_) {
        paintNorth(painter);
        return;
    }
    const int cell = px(CellTwips);  // 89 pixels
    const int right = width() - 1, bottom = height() - 1;
    {
        GridPen grid(painter, size());
        // The outer square on the picture's own edges, then the lines between
        // the cells of the ring; the inner 2 x 2 block is left undivided.
        grid.border();
        for (int k = 1; k <= 3; ++k) {
            grid.line(k * cell, 0, k * cell, cell);           // top row
            grid.line(k * cell, 3 * cell, k * cell, bottom);  // bottom row
            grid.line(0, k * cell, cell, k * cell);           // left column
            grid.line(3 * cell, k * cell, right, k * cell);   // right column
        }
        grid.line(cell, cell, 3 * cell, cell);
        grid.line(cell, 3 * cell, 3 * cell, 3 * cell);
        grid.line(cell, cell, cell, 3 * cell);
        grid.line(3 * cell, cell, 3 * cell, 3 * cell);
    }

    const QRect centre(cell + 4, cell + 4, 2 * cell - 8, 2 * cell - 8);
    painter.setPen(QColor(90, 60, 0));
    painter.setFont(verdana(14, true));
    painter.drawText(centre.adjusted(0, 30, 0, 0), Qt::AlignHCenter | Qt::AlignTop, platform::ProgramTitle());
    painter.setFont(verdana(8));
    painter.drawText(centre.adjusted(0, 60, 0, 0), Qt::AlignHCenter | Qt::AlignTop, chartTitle_);
    if (skyPositions_) {
        painter.drawText(centre.adjusted(0, 76, 0, 0), Qt::AlignHCenter | Qt::AlignTop, skyPositionsNote());
    }
    const NameLayout name = nameLayout();
    painter.setFont(name.text.font);
    painter.drawText(name.area, Qt::AlignHCenter | Qt::AlignTop, name.text.text);
}

namespace {

// Where each house's text is centred in the North Indian square, in
// twelfths of its width and height, the first house (top centre) first and
// the others counter-clockwise; and whether the house is a diamond (0), a
// triangle on the top or bottom edge (1) or on a side (2).
struct HousePlace {
    int x, y, kind;
};
constexpr std::array<HousePlace, 12> HousePlaces = {{
    {6, 3, 0}, {3, 1, 1}, {1, 3, 2}, {3, 6, 0}, {1, 9, 2}, {3, 11, 1},
    {6, 9, 0}, {9, 11, 1}, {11, 9, 2}, {9, 6, 0}, {11, 3, 2}, {9, 1, 1},
}};

}  // namespace

QRect SouthRasiPicture::houseRoom(std::size_t house) const {
    const HousePlace& place = HousePlaces[house];
    const double w = width() - 1, h = height() - 1;
    // A diamond's room is a square round its centre; a triangle's lies
    // between its sides where they are widest apart.
    const QSizeF size = place.kind == 0 ? QSizeF(0.25 * w, 0.25 * h)
                        : place.kind == 1 ? QSizeF(0.24 * w, 0.13 * h)
                                          : QSizeF(0.12 * w, 0.21 * h);
    QPointF centre(place.x * w / 12, place.y * h / 12);
    if (place.kind == 1) centre.ry() += place.y < 6 ? 1 : -1;
    return QRectF(centre - QPointF(size.width() / 2, size.height() / 2), size).toAlignedRect();
}

FittedText SouthRasiPicture::houseText(std::size_t house) const {
    if (!northHouses_) return {};
    const charttext::NorthHouse& h = (*northHouses_)[house];
    QStringList words;
    for (const std::string& word : h.words) words << QString::fromStdString(word);
    return FitText(words.join(QLatin1Char(' ')), houseRoom(house).size() - QSize(0, QFontMetrics(verdana(7.5, true)).height()),
                   verdana(8.25), SmallestPoints);
}

void SouthRasiPicture::paintNorth(QPainter& painter) {
    const int right = width() - 1, bottom = height() - 1;
    {
        GridPen grid(painter, size());
        grid.border();
    }
    // The diagonals and the inner diamond, smoothed.
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(BorderColour, 1));
    const QPointF middle(right / 2.0, bottom / 2.0);
    painter.drawLine(QPointF(0, 0), QPointF(right, bottom));
    painter.drawLine(QPointF(right, 0), QPointF(0, bottom));
    painter.drawPolygon(QPolygonF({{middle.x(), 0}, {static_cast<double>(right), middle.y()},
                                   {middle.x(), static_cast<double>(bottom)}, {0, middle.y()}}));
    painter.restore();

    painter.setPen(QColor(40, 25, 0));
    const QFont numberFont = verdana(7.5, true);
    for (std::size_t house = 0; house < 12; ++house) {
        const QRect room = houseRoom(house);
        const int numberHeight = QFontMetrics(numberFont).height();
        painter.setFont(numberFont);
        painter.drawText(QRect(room.left(), room.top(), room.width(), numberHeight), Qt::AlignHCenter | Qt::AlignTop,
                         QString::number((*northHouses_)[house].sign + 1));
        const FittedText text = houseText(house);
        painter.setFont(text.font);
        painter.drawText(room.adjusted(0, numberHeight, 0, 0), Qt::AlignHCenter | Qt::AlignTop, text.text);
    }

    // The chart's name where the houses meet, on a patch of the square's colour.
    painter.setFont(verdana(7.5, true));
    QStringList lines{chartTitle_};
    if (skyPositions_) lines << skyPositionsNote();
    const QString title = lines.join(QLatin1Char('\n'));
    QRect patch = QFontMetrics(painter.font()).boundingRect(QRect(0, 0, width(), height()), Qt::AlignCenter, title);
    patch.adjust(-3, -1, 3, 1);
    patch.moveCenter(middle.toPoint());
    painter.fillRect(patch, Amber);
    painter.setPen(QColor(90, 60, 0));
    painter.drawText(patch, Qt::AlignCenter, title);
}

SouthRasiPicture::NameLayout SouthRasiPicture::nameLayout() const {
    // The person's name in the centre, below the title.
    const int cell = px(CellTwips);
    const QRect area = QRect(cell + 4, cell + 4, 2 * cell - 8, 2 * cell - 8).adjusted(0, 100, 0, 0);
    return {area, FitText(personName_, area.size(), verdana(8.25, true), SmallestPoints)};
}

frmDisplay::frmDisplay(const app::ChartRecord& record, const app::MonthNameTable& monthNames, QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("frmDisplay"));
    setWindowTitle(platform::fromUtf8(app::WindowCaption));
    setFont(verdana(8.25));
    setFixedSize(ClientWidth, ClientHeight);
    setAutoFillBackground(true);

    picSouthRasi = new SouthRasiPicture(this);
    picSouthRasi->setObjectName(QStringLiteral("picSouthRasi"));
    picSouthRasi->setGeometry(twipsRect(1320, 1560, 5340, 5355));
    picSouthRasi->setPersonName(fromStd(record.BirthName));
    picSouthRasi->setSkyPositions(record.SkyPositions);
    for (std::size_t sign = 0; sign < 12; ++sign) {
        const SignPlace& place = SignPlaces[sign];
        lblPlanets[sign] = new SignBoxLabel(picSouthRasi);
        lblPlanets[sign]->setObjectName(QStringLiteral("lblPlanets"));
        lblPlanets[sign]->setGeometry(twipsRect(place.boxLeft, place.boxTop, 570, 195));
        lblPlanets[sign]->setFont(verdana(SignBoxPoints));
        lblPlanets[sign]->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        const QString number = QString::number(sign + 1);
        lblSouthPosition[sign] = label(picSouthRasi, "lblSouthPosition",
                                       twipsRect(place.numberLeft, place.numberTop, number.size() > 1 ? 240 : 120, 195),
                                       verdana(8.25, true));
        lblSouthPosition[sign]->setText(number);
    }

    const int headerTops[] = {1560, 1883, 2206, 2529, 2852, 3175, 3498, 3825};
    QLabel** header[] = {&lblName, &lblCity, &lblState, &lblCountry, &lblDOB, &lblTOB, &lblLatitude, &lblLongitude};
    const char* headerNames[] = {"lblName", "lblCity", "lblState", "lblCountry", "lblDOB", "lblTOB", "lblLatitude", "lblLongitude"};
    for (std::size_t i = 0; i < 8; ++i) {
        *header[i] = label(this, headerNames[i], twipsRect(6840, headerTops[i], 3705, 240), verdana(8.25, true));
    }
    const app::ChartHeaderTexts texts = app::MakeChartHeaderTexts(record, monthNames);
    lblName->setText(fromStd(texts.lblName));
    lblCity->setText(fromStd(texts.lblCity));
    lblState->setText(fromStd(texts.lblState));
    lblCountry->setText(fromStd(texts.lblCountry));
    lblDOB->setText(fromStd(texts.lblDOB));
    lblTOB->setText(fromStd(texts.lblTOB));
    lblLatitude->setText(fromStd(texts.lblLatitude));
    lblLongitude->setText(fromStd(texts.lblLongitude));
    // Each header line keeps to its own row and clear of the frames: a long
    // name or place is drawn smaller, then on two lines, and only beyond that
    // ends in an ellipsis, with the whole text in the label's tip.
    const int fullRight = ClientWidth - 8;
    const int besideFrame = px(10680) - 8;
    for (std::size_t i = 0; i < 8; ++i) {
        QLabel* l = *header[i];
        const int top = l->y();
        const int nextTop = i + 1 < 8 ? (*header[i + 1])->y() : px(4350);
        const int right = nextTop > px(3630) ? besideFrame : fullRight;
        const QSize room(right - l->x(), nextTop - top - 1);
        const FittedText fitted = FitText(l->text(), room, l->font(), SmallestPoints);
        if (!fitted.whole) l->setToolTip(l->text());
        l->setFont(fitted.font);
        l->setText(fitted.text);
        l->adjustSize();
    }

    fraVedic = new QGroupBox(tr("Other Vedic Details"), this);
    fraVedic->setObjectName(QStringLiteral("fraVedic"));
    fraVedic->setFont(verdana(8.25, true));
    fraVedic->setGeometry(twipsRect(6840, 4350, 3705, 2565));
    struct VedicRow {
        int top;
        const char* captionName;
        const char* caption;
        const char* valueName;
        QLabel** value;
    } const vedicRows[] = {
        {300, "Label4", "Ayanamsa", "lblAyanamsha", &lblAyanamsha},
        {670, "Label1", "Lagna / Asc", "lblLagna", &lblLagna},
        {1050, "Label5", "Nakshatra", "lblNakshatra", &lblNakshatra},
        {1425, "Label17", "Rashi/Moon Sign", "lblRashi", &lblRashi},
        {1785, "Label2", "Pada", "lblPada", &lblPada},
        {2160, "Label6", "Lord", "lblLord", &lblLord},
    };
    for (const VedicRow& row : vedicRows) {
        boxedLabel(fraVedic, row.captionName, twipsRect(120, row.top, 1740, 270), tr(row.caption));
        *row.value = boxedLabel(fraVedic, row.valueName, twipsRect(1860, row.top, 1740, 270));
    }

    fraWestern = new QGroupBox(tr("Vedic Planetary Position"), this);
    fraWestern->setObjectName(QStringLiteral("fraWestern"));
    fraWestern->setFont(verdana(8.25, true));
    fraWestern->setGeometry(twipsRect(10680, 3630, 3550, 3285));
    constexpr std::array<int, astro::PlacedBodyCount> rowTops = {300, 615, 945, 1275, 1590, 1920, 2250, 2565, 2895};
    for (std::size_t i = 0; i < astro::PlacedBodyCount; ++i) {
        const std::string_view caption = app::BodyRowCaptions[i];
        boxedLabel(fraWestern, "PlanetName", twipsRect(150, rowTops[i], 1935, 285),
                   platform::fromUtf8(caption));
        Planet[i] = boxedLabel(fraWestern, "Planet", twipsRect(2070, rowTops[i], 1365, 285));
    }
    // The Ascendant and Midheaven entries lie below the frame's lower edge.
    Planet[astro::BodyIndex(astro::Body::Ascendant)] = boxedLabel(fraWestern, "Planet", twipsRect(2070, 3300, 1365, 285));
    Planet[astro::BodyIndex(astro::Body::Midheaven)] = boxedLabel(fraWestern, "Planet", twipsRect(2070, 3600, 1365, 285));

    Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(twipsRect(360, 120, 615, 735));
    Picture1->setVisible(false);

    lblTimeBases = label(this, "lblTimeBases", twipsRect(1320, 6990, 12910, 1080), verdana(7.5));
    lblTimeBases->setWordWrap(true);
    lblTimeBases->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    const std::string timeBases = app::TimeBasesSentence(app::TimeBasesOf(record.birth));
    lblTimeBases->setText(platform::fromUtf8(timeBases));
    lblTimeBases->setVisible(!timeBases.empty());
}

void frmDisplay::showDrawing(const app::ChartRecord& shown, int varga, bool north) {
    app::ChartWindowTexts texts = app::MakeChartWindowTexts(shown);
    texts.lblPlanets = charttext::SquareSignBoxes(shown, varga);
    setSkyPositions(shown.SkyPositions);
    std::optional<std::array<charttext::NorthHouse, 12>> houses;
    if (north) houses = charttext::NorthHouses(shown, varga);
    showSquare(varga == 1 ? SouthRasiPicture::tr("Rashi Chart") : fromStd(charttext::VargaName(varga)), houses);
    showChart(texts);
}

QString ChartStatusText(const app::ChartRecord& shown, int varga, bool north) {
    const QString positions = shown.SkyPositions ? platform::fromUtf8(app::SkyPositionsLine(shown))
                                                 : frmDisplay::tr("Positions: the chart's own rules");
    return frmDisplay::tr("%1 chart, %2 square. %3")
        .arg(fromStd(charttext::VargaName(varga)), north ? frmDisplay::tr("North Indian") : frmDisplay::tr("South Indian"),
             positions);
}

void frmDisplay::showSquare(const QString& title, const std::optional<std::array<charttext::NorthHouse, 12>>& north) {
    picSouthRasi->setChartTitle(title);
    picSouthRasi->setNorthHouses(north);
    for (std::size_t sign = 0; sign < 12; ++sign) {
        lblPlanets[sign]->setVisible(!north);
        lblSouthPosition[sign]->setVisible(!north);
    }
}

void SignBoxLabel::setColumns(int columns) {
    columns_ = columns;
    update();
}

// The widths of the entries' columns at a font: the first half of the
// entries on the left, the rest on the right (trailing blanks take no room).
std::vector<int> columnWidths(const QStringList& entries, int columns, const QFontMetrics& metrics) {
    const int rows = static_cast<int>((entries.size() + columns - 1) / columns);
    std::vector<int> widths(static_cast<std::size_t>(columns), 0);
    for (int i = 0; i < static_cast<int>(entries.size()); ++i) {
        int& width = widths[static_cast<std::size_t>(i / rows)];
        width = std::max(width, metrics.horizontalAdvance(entries.at(i).trimmed()));
    }
    return widths;
}

constexpr int ColumnGap = 3;

void SignBoxLabel::paintEvent(QPaintEvent* event) {
    if (columns_ < 2) {
        QLabel::paintEvent(event);
        return;
    }
    const QStringList entries = text().split(QLatin1Char('\n'));
    const int rows = static_cast<int>((entries.size() + 1) / 2);
    const QFontMetrics metrics = fontMetrics();
    const std::vector<int> widths = columnWidths(entries, 2, metrics);
    const int used = widths[0] + ColumnGap + widths[1];
    const int lefts[2] = {(width() - used) / 2, (width() - used) / 2 + widths[0] + ColumnGap};
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    for (int i = 0; i < static_cast<int>(entries.size()); ++i) {
        const int column = i / rows;
        const QRect place(lefts[column], (i % rows) * metrics.lineSpacing(), widths[static_cast<std::size_t>(column)],
                          metrics.lineSpacing());
        painter.drawText(place, Qt::AlignHCenter | Qt::AlignTop, entries.at(i).trimmed());
    }
}

namespace {

// The font and the columns in which a box's entries fit a room: the largest
// font, one column where two do not give a larger one.
struct BoxLayout {
    double points = SignBoxPoints;
    int columns = 1;
    QSize size;
};
BoxLayout fitEntries(const QStringList& entries, const QSize& room) {
    BoxLayout best{SmallestPoints, 2, {}};
    for (const int columns : {1, 2}) {
        const int rows = static_cast<int>((entries.size() + columns - 1) / columns);
        for (double points = SignBoxPoints; points >= SmallestPoints; points -= 0.25) {
            const QFontMetrics metrics(verdana(points));
            const std::vector<int> widths = columnWidths(entries, columns, metrics);
            const int width = columns == 1 ? widths[0] : widths[0] + ColumnGap + widths[1];
            const QSize size(width + 2, rows * metrics.lineSpacing());
            if (size.width() <= room.width() && size.height() <= room.height()) {
                if (best.size.isEmpty() || points > best.points || (points == best.points && columns < best.columns)) {
                    best = {points, columns, size};
                }
                break;
            }
        }
    }
    return best;
}

}  // namespace

void frmDisplay::placeSignBox(std::size_t sign) {
    // The caption grows to fit its text about the centre of its first place,
    // and stays inside its cell, above the sign's number; a crowded one is
    // drawn smaller, in two columns where that reads better.
    SignBoxLabel* box = lblPlanets[sign];
    const SignPlace& place = SignPlaces[sign];
    const QRect start = twipsRect(place.boxLeft, place.boxTop, 570, 195);
    const int cell = px(CellTwips);
    const int cellLeft = place.column * cell + 2;
    const int cellRight = (place.column + 1) * cell - 2;
    const int bottom = lblSouthPosition[sign]->geometry().top() - 1;
    const QStringList entries = box->text().split(QLatin1Char('\n'));
    const BoxLayout layout = fitEntries(entries, QSize(cellRight - cellLeft, bottom - start.top()));
    box->setFont(verdana(layout.points));
    box->setColumns(layout.columns);
    const QSize needed = layout.columns == 1 ? box->sizeHint() : layout.size;
    const int width = std::max(start.width(), std::min(needed.width(), cellRight - cellLeft));
    int left = start.center().x() - width / 2;
    left = std::clamp(left, cellLeft, cellRight - width);
    box->setGeometry(left, start.top(), width, std::max(start.height(), needed.height()));
}

void frmDisplay::showChart(const app::ChartWindowTexts& texts) {
    setFittedText(lblAyanamsha, fromStd(texts.lblAyanamsha));
    setFittedText(lblLagna, fromStd(texts.lblLagna));
    setFittedText(lblNakshatra, fromStd(texts.lblNakshatra));
    setFittedText(lblRashi, fromStd(texts.lblRashi));
    setFittedText(lblPada, fromStd(texts.lblPada));
    setFittedText(lblLord, fromStd(texts.lblLord));
    for (std::size_t i = 0; i < Planet.size(); ++i) setFittedText(Planet[i], fromStd(texts.Planet[i]));
    for (std::size_t sign = 0; sign < 12; ++sign) {
        // The boxes hold "\r\n" between names; a label breaks lines at "\n".
        QString text = fromStd(texts.lblPlanets[sign]);
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        lblPlanets[sign]->setText(text);
        placeSignBox(sign);
    }
}

void frmDisplay::storeCapture(const QImage& image) {
    capture_ = image;
    Picture1->setPixmap(QPixmap::fromImage(image));
}

QImage frmDisplay::renderClientArea() { return grab().toImage(); }

}  // namespace chart
