#include "web/modHelp.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include "web/WebPages.h"

namespace web {

QString AddressOf(Page page, const QString& programFolder) {
    const char* configured = page == Page::Help ? HelpPageUrl : page == Page::Home ? HomePageUrl : UpdatePageUrl;
    if (*configured != '\0') return QString::fromUtf8(configured);

    QString folder = QDir(programFolder).filePath(QString::fromUtf8(InstalledManualFolder));
    if (!QFileInfo::exists(folder + QStringLiteral("/index.html"))) folder = QString::fromUtf8(SourceManualFolder);
    QUrl address = QUrl::fromLocalFile(QDir::cleanPath(
        folder + (page == Page::Home ? QStringLiteral("/index.html") : QStringLiteral("/manual.html"))));
    if (page == Page::Update) address.setFragment(QStringLiteral("updating"));
    return address.toString();
}

QString HomeLinkText() {
    return *HomePageUrl != '\0' ? QStringLiteral("Visit the Velorin home page")
                                : QStringLiteral("Open the Velorin user manual");
}

void OpenWebPage(platform::Platform& platform, const QString& address) { platform.openUrl(address); }

void OpenWebPage(platform::Platform& platform, Page page) {
    OpenWebPage(platform, AddressOf(page, platform.programFolder()));
}

void LookUpCoordinates(platform::Platform& platform, const QString& phrase) {
    const QString query = QString::fromLatin1(QUrl::toPercentEncoding(phrase));
    platform.openUrl(QString::fromUtf8(SearchUrlPrefix) + query);
}

void UpdateReminder(platform::Platform& platform) {
    const QString section = QString::fromLatin1(ReminderSection);
    const QString key = QString::fromLatin1(ReminderKey);
    const QDate today = platform.localNow().date();
    const QString todayText = today.toString(Qt::ISODate);

    const std::optional<QString> stored = platform.readSetting(section, key);
    const QDate storedDate = stored ? QDate::fromString(*stored, Qt::ISODate) : QDate();
    if (!storedDate.isValid()) {
        platform.writeSetting(section, key, todayText);
        return;
    }
    const qint64 days = today.daysTo(storedDate);
    if (days >= -14 && days <= 14) return;

    const platform::Answer answer = platform.showMessage(
        nullptr, {QStringLiteral("There maybe an update to this software available\rDo you want to check for an update?"),
                  platform::ProgramTitle(), platform::Icon::Information, platform::Buttons::YesNo});
    platform.writeSetting(section, key, todayText);
    if (answer == platform::Answer::Yes) OpenWebPage(platform, Page::Update);
}

}  // namespace web
