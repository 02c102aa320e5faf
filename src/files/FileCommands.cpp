#include "files/FileCommands.h"

#include "app/ChartFile.h"
#include "app/ChartTextExport.h"
#include "files/modSaveForm.h"
#include "io/FileReader.h"
#include "io/FileWriter.h"

namespace files {

namespace {

const QString Title = platform::ProgramTitle();

QString fromStd(const std::string& text) { return QString::fromStdString(text); }

// The save dialog of the chart file and of the export: the overwrite prompt,
// no read-only box, an existing folder and a writable file.
platform::FileDialogRequest saveDialog(const QString& title, const QString& filter, const QString& suffix,
                                       const std::string& initialFileName) {
    platform::FileDialogRequest request;
    request.title = title;
    request.filter = filter;
    request.defaultSuffix = suffix;
    request.initialFileName = fromStd(initialFileName);
    request.overwritePrompt = true;
    request.pathMustExist = true;
    request.noReadOnlyReturn = true;
    return request;
}

// Writes the file whole or not at all; a failure is reported. True when written.
bool writeOrReport(platform::Platform& platform, QWidget* parent, const QString& path, std::string_view bytes) {
    const io::WriteResult written = io::WriteFile(path.toStdString(), bytes);
    if (!written.written()) ReportWriteFailure(platform, parent, path, QString::fromStdString(written.reason));
    return written.written();
}

}  // namespace

void ReportWriteFailure(platform::Platform& platform, QWidget* parent, const QString& path, const QString& reason) {
    platform.showMessage(parent, {QStringLiteral("The file could not be written:\n%1\n\n%2").arg(path, reason), Title,
                                  platform::Icon::Error, platform::Buttons::Ok});
}

void SaveChartFile(platform::Platform& platform, QWidget* parent, app::ChartRecord& record, int zoneListPosition) {
    // Nothing is offered that would lose letters or not open again; the chart
    // stays shown and can still be exported.
    if (const std::optional<std::string> problem = app::ChartFileProblem(record)) {
        platform.showMessage(parent, {QStringLiteral("The chart cannot be saved as a chart file: %1.").arg(fromStd(*problem)),
                                      Title, platform::Icon::Error, platform::Buttons::Ok});
        return;
    }
    const std::optional<QString> path = platform.getSaveFileName(
        parent, saveDialog(Title, QStringLiteral("Velorin (*.vrc)|*.vrc"), QStringLiteral("vrc"), record.ChartFileName));
    if (!path || path->isEmpty()) return;
    record.ChartFileName = path->toStdString();

    if (!writeOrReport(platform, parent, *path, app::MakeChartFileBytes(record, zoneListPosition))) return;
    record.CurrentChartPath = record.ChartFileName;
}

void ExportChartText(platform::Platform& platform, QWidget* parent, app::ChartRecord& record) {
    const std::optional<QString> path = platform.getSaveFileName(
        parent, saveDialog(QStringLiteral("Select the destination text file "),
                           QStringLiteral("Export Chart As Text (*.txt)|*.txt"), QStringLiteral("txt"), record.ChartFileName));
    if (!path || path->isEmpty()) return;
    record.ChartFileName = path->toStdString();

    writeOrReport(platform, parent, *path, app::MakeExportFileText(record, platform.monthNames()));  // UTF-8, no byte-order mark
}

void SaveChartAsJpeg(platform::Platform& platform, QWidget* parent, const QImage& picture) {
    platform::FileDialogRequest request;
    request.defaultSuffix = QStringLiteral("JPG");
    request.filter = QStringLiteral("JPEG Image (*.jpg)|*.jpg");
    const std::optional<QString> path = platform.getSaveFileName(parent, request);
    if (!path || path->isEmpty()) return;
    SaveChartImage(platform, parent, *path, picture);
}

std::optional<QByteArray> ReadChartFileBytes(const QString& path, QString* reason) {
    const io::ReadResult file = io::ReadFileStart(path.toStdString(), app::MaxChartFileBytes);
    if (!file.read()) {
        if (reason) *reason = QString::fromStdString(file.error);
        return std::nullopt;
    }
    return QByteArray(file.bytes.data(), static_cast<qsizetype>(file.bytes.size()));
}

bool OpenChartFile(platform::Platform& platform, QWidget* parent, app::BirthFormValues& values) {
    platform::FileDialogRequest request;
    request.title = QStringLiteral("Select the source file");
    request.filter = QStringLiteral("Velorin (*.vrc)|*.vrc");
    request.defaultSuffix = QStringLiteral("vrc");
    request.fileMustExist = true;
    request.noReadOnlyReturn = true;
    const std::optional<QString> path = platform.getOpenFileName(parent, request);
    if (!path || path->isEmpty()) return false;
    return OpenChartFileAt(platform, parent, *path, values);
}

bool OpenChartFileAt(platform::Platform& platform, QWidget* parent, const QString& path,
                     app::BirthFormValues& values) {
    if (!app::HasChartFileExtension(path.toStdString())) {
        platform.showMessage(parent, {QString::fromUtf8(app::CheckTheFileMessage.data()), Title, platform::Icon::Error,
                                     platform::Buttons::Ok});
        return false;
    }
    QString reason;
    const std::optional<QByteArray> bytes = ReadChartFileBytes(path, &reason);
    if (!bytes) {
        platform.showMessage(parent, {QStringLiteral("The file could not be read:\n%1\n\n%2").arg(path, reason), Title,
                                     platform::Icon::Error, platform::Buttons::Ok});
        return false;
    }
    app::ApplyChartFile(app::ReadChartFileLines(std::string_view(bytes->constData(), static_cast<std::size_t>(bytes->size()))),
                        values);
    return true;
}

}  // namespace files
