#include "files/modSaveForm.h"

#include <QBuffer>
#include <QImageWriter>

#include "astro/BirthData.h"
#include "files/FileCommands.h"
#include "io/FileKind.h"
#include "io/FileWriter.h"

namespace files {

std::optional<QByteArray> EncodeJpeg(const QImage& picture, QString* reason) {
    if (picture.isNull()) {
        if (reason) *reason = QStringLiteral("There is no picture of the chart to save.");
        return std::nullopt;
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(100);
    if (!writer.write(picture)) {
        if (reason) *reason = writer.errorString();
        return std::nullopt;
    }
    return bytes;
}

app::ImageSaveResult WriteJpegUnderFreeName(const std::string& chosenPath, const QImage& picture,
                                            app::ImageNamingContext context) {
    context.fileExists = io::NameTaken;
    QString encodingFailure;
    const std::optional<QByteArray> jpeg = EncodeJpeg(picture, &encodingFailure);
    return app::SaveUnderFreeName(chosenPath, context, [&](const std::string& path, std::string& reason) {
        if (!jpeg) {
            reason = encodingFailure.toStdString();
            return app::NameWrite::Failed;
        }
        const io::WriteResult written =
            io::WriteFile(path, std::string_view(jpeg->constData(), static_cast<std::size_t>(jpeg->size())),
                          io::ExistingFile::Keep);
        reason = written.reason;
        switch (written.status) {
            case io::WriteResult::Status::Written: return app::NameWrite::Written;
            case io::WriteResult::Status::NameTaken: return app::NameWrite::NameTaken;
            case io::WriteResult::Status::Failed: break;
        }
        return app::NameWrite::Failed;
    });
}

QString SaveChartImage(platform::Platform& platform, QWidget* parent, const QString& chosenPath, const QImage& picture,
                       std::function<void(const std::string&)> nameChosen) {
    const QDateTime now = platform.localNow();
    app::ImageNamingContext context;
    context.programFolder = platform.programFolder().toStdString();
    context.now = astro::LocalMinuteOf(now.date().year(), now.date().month(), now.date().day(), now.time().hour(),
                                       now.time().minute()) +
                  std::chrono::seconds{now.time().second()} + std::chrono::milliseconds{now.time().msec()};
    context.nameChosen = std::move(nameChosen);

    const app::ImageSaveResult saved = WriteJpegUnderFreeName(chosenPath.toStdString(), picture, std::move(context));
    if (saved.tooManyCopies) {
        platform.showMessage(parent, {QString::fromStdString(app::TooManyCopiesMessage(saved.file)),
                                      QString::fromStdString(app::TooManyCopiesTitle(saved.file)),
                                      platform::Icon::Critical, platform::Buttons::Ok});
        return {};
    }
    const QString path = QString::fromStdString(saved.path);
    if (!saved.written()) {
        ReportWriteFailure(platform, parent, path, QString::fromStdString(saved.failure));
        return {};
    }
    return path;
}

}  // namespace files
