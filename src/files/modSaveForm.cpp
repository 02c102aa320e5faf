#include "files/modSaveForm.h"

#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>

#include "app/ImageNaming.h"
#include "files/FileCommands.h"

namespace files {

bool FileExists(const QString& path) { return QFileInfo::exists(path); }

QString WriteJpeg(const QString& path, const QImage& picture) {
    if (picture.isNull()) return QStringLiteral("There is no picture of the chart to save.");
    // Unbuffered, so that a full disk fails the write itself (see WriteFileSafely).
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return file.errorString();
    QImageWriter writer(&file, "jpeg");
    writer.setQuality(100);
    if (!writer.write(picture)) {
        file.cancelWriting();
        return writer.errorString();
    }
    if (!file.commit()) return file.errorString();
    return {};
}

QString SaveChartImage(platform::Platform& platform, QWidget* parent, const QString& chosenPath, const QImage& picture) {
    const QDateTime now = platform.localNow();
    app::ImageNamingContext context;
    context.fileExists = [](const std::string& path) { return FileExists(QString::fromStdString(path)); };
    context.programFolder = platform.programFolder().toStdString();
    context.now = {now.date().year(), now.date().month(), now.date().day(), now.time().hour(),
                   now.time().minute(), now.time().second(), now.time().msec()};

    const app::UniquePathResult target = app::ChooseImagePath(chosenPath.toStdString(), context);
    if (target.tooManyCopies) {
        platform.showMessage(parent, {QString::fromStdString(app::TooManyCopiesMessage(target.file)),
                                      QString::fromStdString(app::TooManyCopiesTitle(target.file)),
                                      platform::Icon::Critical, platform::Buttons::Ok});
        return {};
    }
    const QString path = QString::fromStdString(target.path);
    if (const QString failure = WriteJpeg(path, picture); !failure.isEmpty()) {
        ReportWriteFailure(platform, parent, path, failure);
        return {};
    }
    return path;
}

}  // namespace files
