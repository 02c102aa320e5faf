// Save As JPEG: the stored picture of the chart window written under a name
// that overwrites nothing.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <optional>

#include "app/ImageNaming.h"
#include "platform/Platform.h"

namespace files {

// Writes the picture as a JPEG of quality 100 under the name the naming rules
// give for the chosen path; reports a failure or the lack of a free name.
// Returns the path written, or an empty text. nameChosen is called with each
// name just before it is written.
QString SaveChartImage(platform::Platform& platform, QWidget* parent, const QString& chosenPath, const QImage& picture,
                       std::function<void(const std::string&)> nameChosen = {});

// The picture as the bytes of a JPEG of quality 100, or the reason it cannot
// be encoded.
std::optional<QByteArray> EncodeJpeg(const QImage& picture, QString* reason);

// Encodes the picture and writes it under the first free name for the chosen
// path (see app::SaveUnderFreeName); the context's fileExists is filled in.
app::ImageSaveResult WriteJpegUnderFreeName(const std::string& chosenPath, const QImage& picture,
                                            app::ImageNamingContext context);

}  // namespace files
