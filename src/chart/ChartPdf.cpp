#include "chart/ChartPdf.h"

#include <QBuffer>
#include <QFontDatabase>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

#include "chart/frmDisplay.h"
#include "charttext/SquareCharts.h"

namespace chart {

namespace {

constexpr double PointsPerInch = 72;
constexpr int Resolution = 300;

// Draws lines of text from the top of a column `width` wide, a line longer
// than that broken at blanks; returns where the next line goes.
double drawLines(QPainter& painter, const QStringList& lines, double left, double top, double lineHeight,
                 double width) {
    for (const QString& line : lines) {
        const QRectF room(left, top, width, 1000);
        const QRectF used = painter.boundingRect(room, Qt::TextWordWrap, line);
        painter.drawText(room, Qt::TextWordWrap, line);
        top += std::max(lineHeight, used.height());
    }
    return top;
}

// A picture as wide as the page allows (or as high as `most`), proportions kept.
void drawPicture(QPainter& painter, const QImage& picture, const QRectF& room) {
    if (picture.isNull()) return;
    QSizeF size = picture.size();
    size.scale(room.size(), Qt::KeepAspectRatio);
    painter.drawImage(QRectF(room.left() + (room.width() - size.width()) / 2, room.top(), size.width(), size.height()),
                      picture);
}

}  // namespace

std::string PdfNameTakenReason() { return "a file of that name exists; nothing was written over it"; }

QByteArray MakeChartPdf(const QImage& chartWindow, const app::ChartRecord& shown, bool north,
                        const app::MonthNameTable& monthNames, const charttext::VedicDetails& details) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(Resolution);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(36, 36, 36, 36)));
    writer.setTitle(QString::fromStdString(shown.BirthName));
    writer.setCreator(QStringLiteral("Velorin"));

    QPainter painter(&writer);
    // Page coordinates in points.
    painter.scale(Resolution / PointsPerInch, Resolution / PointsPerInch);
    const QRectF page(QPointF(0, 0), QSizeF(writer.width(), writer.height()) * (PointsPerInch / Resolution));

    // 1: the chart window as shown.
    drawPicture(painter, chartWindow, page);

    // 2: the details, the periods in two columns under them.
    writer.newPage();
    // Sizes in points of the page: pixel sizes under the painter's scale (a
    // point size would be taken at the writer's resolution and scaled again).
    QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    mono.setPixelSize(7);
    painter.setFont(mono);
    const double lineHeight = 8.6;
    const QStringList all = QString::fromStdString(charttext::FormatVedicDetails(details)).split(QLatin1Char('\n'));
    qsizetype dashaAt = 0;
    while (dashaAt < all.size() && !all[dashaAt].startsWith(QStringLiteral("Vimshottari"))) ++dashaAt;
    const QStringList head = all.mid(0, dashaAt);
    QStringList periods = all.mid(dashaAt);
    while (!periods.isEmpty() && periods.back().isEmpty()) periods.removeLast();
    double top = 0;
    QFont title = painter.font();
    title.setBold(true);
    title.setPixelSize(11);
    painter.setFont(title);
    top = drawLines(painter, {QStringLiteral("Vedic details of %1").arg(QString::fromStdString(shown.BirthName))}, 0, top, 14,
                    page.width());
    painter.setFont(mono);
    top = drawLines(painter, head, 0, top + 4, lineHeight, page.width());
    const qsizetype half = (periods.size() + 1) / 2;
    drawLines(painter, periods.mid(0, half), 0, top, lineHeight, page.width() / 2);
    drawLines(painter, periods.mid(half), page.width() / 2, top, lineHeight, page.width() / 2);

    // 3: the Navamsa square in the style shown.
    writer.newPage();
    frmDisplay navamsa(shown, monthNames);
    navamsa.showDrawing(shown, 9, north);
    painter.setFont(title);
    drawLines(painter,
              {QStringLiteral("%1, %2: %3")
                   .arg(QString::fromStdString(charttext::VargaName(9)),
                        north ? QStringLiteral("North Indian") : QStringLiteral("South Indian"),
                        QString::fromStdString(shown.BirthName))},
              0, 0, 14, page.width());
    // Drawn at three times the screen's density, so that it prints sharp.
    QImage square(navamsa.picSouthRasi->size() * 3, QImage::Format_ARGB32_Premultiplied);
    square.setDevicePixelRatio(3);
    square.fill(Qt::white);
    navamsa.picSouthRasi->render(&square);
    drawPicture(painter, square, QRectF(page.left(), 24, page.width(), page.width()));
    painter.end();
    return bytes;
}

io::WriteResult WriteChartPdf(const std::string& path, const QByteArray& pdf) {
    io::WriteResult result = io::WriteFile(path, std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())),
                                           io::ExistingFile::Keep);
    if (result.status == io::WriteResult::Status::NameTaken) result.reason = PdfNameTakenReason();
    return result;
}

}  // namespace chart
