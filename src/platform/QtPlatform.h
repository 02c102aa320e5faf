// The platform interface implemented with Qt.
#pragma once

#include <QLockFile>
#include <memory>

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

class QtPlatform : public Platform {
public:
    // The lock that keeps a second instance out lives in lockFolder (the
    // user's runtime folder when empty).
    explicit QtPlatform(QString lockFolder = {});
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

private:
    QString lockFolder_;
    std::unique_ptr<QLockFile> instanceLock_;
};

}  // namespace platform
