// Save As JPEG: the stored picture of the chart window written under a name
// that overwrites nothing.
#pragma once

#include <QImage>
#include <QString>

#include "platform/Platform.h"

namespace files {

// Writes the picture as a JPEG of quality 100 under the name the naming rules
// give for the chosen path; reports a failure or the lack of a free name.
// Returns the path written, or an empty text.
QString SaveChartImage(platform::Platform& platform, QWidget* parent, const QString& chosenPath, const QImage& picture);

// Writes the picture to the path as a JPEG of quality 100, whole or not at
// all (an existing file keeps its content when the write fails). Returns an
// empty text on success, otherwise the reason.
QString WriteJpeg(const QString& path, const QImage& picture);

// Whether anything (a file, a folder) of that name exists: such a name is
// never written over.
bool FileExists(const QString& path);

}  // namespace files
