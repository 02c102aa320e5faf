// The platform interface implemented with Qt.
#pragma once

#include <memory>

#include "io/InstanceLock.h"
#include "platform/Platform.h"

class QLocale;
class QPrintDialog;

namespace platform {

// Makes the dialog's page range unavailable for real: besides clearing the
// option, the range controls of Qt's own dialog ("Pages from", "Pages",
// current page, selection) are disabled each time it is shown, "All" chosen.
void RemovePageRange(QPrintDialog& dialog);

// The full month names of a locale, as they stand before a day ("März").
app::MonthNameTable MonthNamesOf(const QLocale& locale);

// The title a file dialog shows when the program gives none.
QString DefaultDialogTitle(bool save);

// What the save dialog does with the name the user chose, in this order: a
// folder that is not there and a read-only file are refused (the user
// chooses again, and is never asked whether to replace a file that cannot be
// written); a file that is there is replaced only when the user says so.
enum class SaveChoice { Accept, MissingFolder, ReadOnly, ConfirmReplace };
SaveChoice JudgeSaveChoice(const QString& path, const FileDialogRequest& request);

class QtPlatform : public Platform {
public:
    // The lock that keeps a second instance out is "velorin.lock" in
    // lockFolder (the user's runtime folder when empty); where that cannot
    // hold a lock (the folder cannot be written, something other than a file
    // has that name), "velorin-<user id>.lock" in the temporary folder.
    // The settings are the file settingsFile (the per-user settings file of
    // the application's organisation and name when empty).
    explicit QtPlatform(QString lockFolder = {}, QString settingsFile = {});
    ~QtPlatform() override;

    Answer showMessage(QWidget* parent, const MessageRequest& request) override;
    std::optional<QString> getSaveFileName(QWidget* parent, const FileDialogRequest& request) override;
    std::optional<QString> getOpenFileName(QWidget* parent, const FileDialogRequest& request) override;
    bool showPrintDialog(QWidget* parent, QPrinter& printer, const PrintRequest& request) override;
    void openUrl(const QString& address) override;
    QDateTime localNow() override;
    std::optional<QString> readSetting(const QString& section, const QString& key) override;
    bool writeSetting(const QString& section, const QString& key, const QString& value) override;
    bool claimSingleInstance() override;
    QString programFolder() override;
    app::MonthNameTable monthNames() override;

    // The settings file, or nothing when what has its name (or the name of
    // its lock beside it) is not a regular file: a named pipe there would
    // stop the program before its first window.
    std::optional<QString> usableSettingsFile() const;

private:
    QString lockFolder_;
    QString settingsFile_;
    io::InstanceLock instanceLock_;
};

}  // namespace platform
