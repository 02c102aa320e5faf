#include "chart/ChartPdf.h"

#include <QBuffer>
#include <QFontDatabase>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>

#include <algorithm>

#include "chart/frmDisplay.h"
#include "charttext/SquareCharts.h"

namespace chart {

namespace {

constexpr double PointsPerInch = 72;
constexpr int Resolution = 300;

// Draws lines of text from the top of a column; returns where the next line goes.
double drawLines(QPainter& painter, const QStringList& lines, double left, double top, double lineHeight) {
    for (const QString& line : lines) {
        painter.drawText(QPointF(left, top + lineHeight), line);
        top += lineHeight;
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
    QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    mono.setPointSizeF(7);
    painter.setFont(mono);
    const double lineHeight = 8.6;
    const QStringList all = QString::fromStdString(charttext::FormatVedicDetails(details)).split(QLatin1Char('\n'));
    const qsizetype dashaAt = std::max<qsizetype>(0, all.indexOf(QRegularExpression(QStringLiteral("^Vimshottari"))));
    const QStringList head = all.mid(0, dashaAt);
    QStringList periods = all.mid(dashaAt);
    while (!periods.isEmpty() && periods.back().isEmpty()) periods.removeLast();
    double top = 0;
    QFont title = painter.font();
    title.setBold(true);
    title.setPointSizeF(10);
    painter.setFont(title);
    top = drawLines(painter, {QStringLiteral("Vedic details of %1").arg(QString::fromStdString(shown.BirthName))}, 0, top, 14);
    painter.setFont(mono);
    top = drawLines(painter, head, 0, top + 4, lineHeight);
    const qsizetype half = (periods.size() + 1) / 2;
    drawLines(painter, periods.mid(0, half), 0, top, lineHeight);
    drawLines(painter, periods.mid(half), page.width() / 2, top, lineHeight);

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
              0, 0, 14);
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
