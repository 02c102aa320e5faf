// The commands that read and write files: the chart file (save and open), the
// text export and Save As JPEG, with their dialogs.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <optional>

#include "app/BirthForm.h"
#include "app/ChartRecord.h"
#include "platform/Platform.h"

namespace files {

// Tells the user that a file could not be written, naming it and the reason.
void ReportWriteFailure(platform::Platform& platform, QWidget* parent, const QString& path, const QString& reason);

// Save the chart file: the dialog offers ChartFileName; CurrentChartPath is set
// only when the file was written. zoneListPosition is what the entry form shows.
void SaveChartFile(platform::Platform& platform, QWidget* parent, app::ChartRecord& record, int zoneListPosition);

// Export the chart as text (the dialog shares ChartFileName with the save).
void ExportChartText(platform::Platform& platform, QWidget* parent, app::ChartRecord& record);

// Save As JPEG of the stored picture.
void SaveChartAsJpeg(platform::Platform& platform, QWidget* parent, const QImage& picture);

// Open a chart file: asks for the file, checks its name and reads it into the
// values the entry form shows (given in `values`, changed only on success).
// True when the values took the file's lines and the calculation should run;
// false after a cancelled dialog or a refused file, which is reported.
bool OpenChartFile(platform::Platform& platform, QWidget* parent, app::BirthFormValues& values);

// The same for a path already chosen (a file given to the program when it
// starts): the name's check, the read and its messages, the values.
bool OpenChartFileAt(platform::Platform& platform, QWidget* parent, const QString& path, app::BirthFormValues& values);

// The bytes of a chart file, at most as many as a reader looks at; nothing
// when it cannot be read (missing, a folder, a named pipe or a device, no
// permission), with the reason.
std::optional<QByteArray> ReadChartFileBytes(const QString& path, QString* reason = nullptr);

}  // namespace files
