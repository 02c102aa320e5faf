// The chart as one PDF document, what a client takes home: the chart window
// as shown, then the Vedic details, then the Navamsa square.
#pragma once

#include <QByteArray>
#include <QImage>
#include <string>

#include "app/BirthForm.h"
#include "app/ChartRecord.h"
#include "charttext/VedicDetails.h"
#include "io/FileWriter.h"

namespace chart {

// The document's bytes: page 1 the picture of the chart window, page 2 the
// details (the positions, the padas, the dasha with today's periods), page 3
// the Navamsa square of the record in the style given, with the chart's name.
QByteArray MakeChartPdf(const QImage& chartWindow, const app::ChartRecord& shown, bool north,
                        const app::MonthNameTable& monthNames, const charttext::VedicDetails& details);

// Writes the document under the path; a file of that name is never replaced
// (the result is then NameTaken).
io::WriteResult WriteChartPdf(const std::string& path, const QByteArray& pdf);

// The message when the name is taken.
std::string PdfNameTakenReason();

}  // namespace chart
