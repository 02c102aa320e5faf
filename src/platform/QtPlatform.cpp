#include "platform/QtPlatform.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QLocale>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QHeaderView>
#include <QScreen>
#include <QTreeView>
#include <QSettings>
#include <QStandardPaths>
#include <QSysInfo>
#include <QUrl>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

#include "io/FileKind.h"

namespace platform {

QString dialogFilterOf(const QString& filter) {
    // "Name (*.ext)|*.ext": the part before the bar already shows the pattern.
    const qsizetype bar = filter.indexOf(QLatin1Char('|'));
    return bar < 0 ? filter : filter.left(bar);
}

namespace {

QMessageBox::Icon messageIcon(Icon icon) {
    switch (icon) {
        case Icon::Information: return QMessageBox::Information;
        case Icon::Error: return QMessageBox::Critical;
        case Icon::Critical: return QMessageBox::Critical;
        case Icon::Question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

// Re-applies the page-range restriction after Qt's dialog has set its own
// controls up for showing.
class PageRangeRemover : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            if (auto* dialog = qobject_cast<QPrintDialog*>(watched)) disableRangeControls(*dialog);
        }
        return false;
    }
    static void disableRangeControls(QPrintDialog& dialog) {
        for (const char* name : {"printRange", "from", "to", "pagesRadioButton", "pagesLineEdit", "printCurrentPage",
                                 "printSelection"}) {
            if (auto* control = dialog.findChild<QWidget*>(QLatin1String(name))) control->setEnabled(false);
        }
        if (auto* all = dialog.findChild<QRadioButton*>(QStringLiteral("printAll"))) all->setChecked(true);
    }
};

void prepare(QFileDialog& dialog, const FileDialogRequest& request, bool save) {
    dialog.setWindowTitle(request.title.isEmpty() ? DefaultDialogTitle(save) : request.title);
    dialog.setNameFilter(dialogFilterOf(request.filter));
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.initialFileName.isEmpty()) dialog.selectFile(request.initialFileName);
    // The question whether to replace a file is asked after the read-only
    // check (JudgeSaveChoice), not by the dialog before it.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    // Wide enough for names, sizes and dates to read whole, within the screen.
    const QFontMetrics metrics(dialog.font());
    QSize size(metrics.averageCharWidth() * 150, metrics.lineSpacing() * 32);
    if (const QScreen* screen = dialog.screen()) size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
    dialog.resize(size);
    // Sizes and dates as wide as they are; the names take the rest.
    if (auto* files = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
        files->header()->setStretchLastSection(false);
        files->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
        files->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    }
}

// A file the save would refuse as read-only: without write permission, or for
// root without any write bit (as the writer decides).
bool isReadOnlyFile(const QString& path) {
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0) return false;
    if (::geteuid() == 0) return (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
    return !QFileInfo(path).isWritable();
}

}  // namespace

void RemovePageRange(QPrintDialog& dialog) {
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setPrintRange(QAbstractPrintDialog::AllPages);
    PageRangeRemover::disableRangeControls(dialog);
    dialog.installEventFilter(new PageRangeRemover(&dialog));
}

QString DefaultDialogTitle(bool save) { return save ? QStringLiteral("Save As") : QStringLiteral("Open"); }

SaveChoice JudgeSaveChoice(const QString& path, const FileDialogRequest& request) {
    const QFileInfo file(path);
    if (request.pathMustExist && !file.absoluteDir().exists()) return SaveChoice::MissingFolder;
    if (request.noReadOnlyReturn && isReadOnlyFile(path)) return SaveChoice::ReadOnly;
    if (request.overwritePrompt && file.exists()) return SaveChoice::ConfirmReplace;
    return SaveChoice::Accept;
}

QtPlatform::QtPlatform(QString lockFolder, QString settingsFile)
    : lockFolder_(std::move(lockFolder)), settingsFile_(std::move(settingsFile)) {}

QtPlatform::~QtPlatform() = default;

Answer QtPlatform::showMessage(QWidget* parent, const MessageRequest& request) {
    // A carriage return on its own starts a new line, as it does in the
    // program's messages.
    QString text = request.text;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QMessageBox box(messageIcon(request.icon), request.title, text,
                    request.buttons == Buttons::YesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, parent);
    const int pressed = box.exec();
    if (request.buttons == Buttons::YesNo) return pressed == QMessageBox::Yes ? Answer::Yes : Answer::No;
    return Answer::Ok;
}

std::optional<QString> QtPlatform::getSaveFileName(QWidget* parent, const FileDialogRequest& request) {
    QFileDialog dialog(parent);
    prepare(dialog, request, true);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    while (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        const QString path = dialog.selectedFiles().first();
        switch (JudgeSaveChoice(path, request)) {
            case SaveChoice::MissingFolder:
                showMessage(parent, {QStringLiteral("The folder %1 does not exist.\nChoose a folder that exists.")
                                         .arg(QDir::toNativeSeparators(QFileInfo(path).absolutePath())),
                                     dialog.windowTitle(), Icon::Error, Buttons::Ok});
                continue;
            case SaveChoice::ReadOnly:
                showMessage(parent, {QStringLiteral("%1\nThis file is read-only. Choose another name.").arg(path),
                                     request.title, Icon::Error, Buttons::Ok});
                continue;
            case SaveChoice::ConfirmReplace:
                if (showMessage(parent, {QStringLiteral("%1 already exists.\nDo you want to replace it?")
                                             .arg(QFileInfo(path).fileName()),
                                         dialog.windowTitle(), Icon::Question, Buttons::YesNo}) != Answer::Yes) {
                    continue;
                }
                return path;
            case SaveChoice::Accept: return path;
        }
    }
    return std::nullopt;
}

std::optional<QString> QtPlatform::getOpenFileName(QWidget* parent, const FileDialogRequest& request) {
    QFileDialog dialog(parent);
    prepare(dialog, request, false);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(request.fileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().first();
}

bool QtPlatform::showPrintDialog(QWidget* parent, QPrinter& printer, const PrintRequest& request) {
    QPrintDialog dialog(&printer, parent);
    if (request.disablePrintToFile) dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    if (request.disablePageRange) RemovePageRange(dialog);
    return dialog.exec() == QDialog::Accepted;
}

void QtPlatform::openUrl(const QString& address) { QDesktopServices::openUrl(QUrl(address)); }

QDateTime QtPlatform::localNow() { return QDateTime::currentDateTime(); }

std::optional<QString> QtPlatform::usableSettingsFile() const {
    // Where QSettings keeps them. A QSettings object reads its file as soon as
    // it is made, so the file is looked at before one is.
    QString path = settingsFile_;
    if (path.isEmpty()) {
        QString organization = QCoreApplication::organizationName();
        if (organization.isEmpty()) organization = QStringLiteral("Unknown Organization");
        path = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1Char('/') +
               organization + QLatin1Char('/') + QCoreApplication::applicationName() + QStringLiteral(".conf");
    }
    if (io::NotARegularFileReason(path.toStdString())) return std::nullopt;
    // QSettings guards its writing with `path`.lock and waits for ever while
    // that file is there (a lock left by a crash waits half a minute, a link
    // that leads nowhere for good). The program never waits on it: a lock of
    // this user's older than a minute is a leftover (no write of a line takes
    // that long) and is removed; any other lock, link or node of that name
    // makes the settings unusable this time.
    const QByteArray lock = QFile::encodeName(path + QStringLiteral(".lock"));
    struct stat status {};
    if (::lstat(lock.constData(), &status) != 0) return errno == ENOENT ? std::optional<QString>(path) : std::nullopt;
    const bool leftOver = S_ISREG(status.st_mode) && status.st_uid == ::geteuid() &&
                          status.st_mtime < std::time(nullptr) - 60;
    if (!leftOver || ::unlink(lock.constData()) != 0) return std::nullopt;
    return path;
}

std::optional<QString> QtPlatform::readSetting(const QString& section, const QString& key) {
    const std::optional<QString> file = usableSettingsFile();
    if (!file) return std::nullopt;
    QSettings settings(*file, QSettings::IniFormat);
    if (settings.status() != QSettings::NoError) return std::nullopt;
    const QVariant value = settings.value(section + QLatin1Char('/') + key);
    if (!value.isValid()) return std::nullopt;
    return value.toString();
}

bool QtPlatform::writeSetting(const QString& section, const QString& key, const QString& value) {
    const std::optional<QString> file = usableSettingsFile();
    if (!file) return false;
    QSettings settings(*file, QSettings::IniFormat);
    settings.setValue(section + QLatin1Char('/') + key, value);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

bool QtPlatform::claimSingleInstance() {
    QString folder = lockFolder_;
    if (folder.isEmpty()) folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) folder = QDir::tempPath();
    QDir().mkpath(folder);
    // The fallback is a folder of this user's own in the shared temporary
    // folder: a file there that another user made first cannot switch the
    // check off.
    std::vector<std::string> places = {(folder + QStringLiteral("/velorin.lock")).toStdString()};
    if (const std::string own = io::InstanceLock::PrivateFolder(QDir::tempPath().toStdString()); !own.empty()) {
        places.push_back(own + "/velorin.lock");
    }
    // What a lock file says is for people looking at it: the process, the
    // program and the machine.
    const QString content = QStringLiteral("%1\n%2\n%3\n")
                                .arg(QCoreApplication::applicationPid())
                                .arg(QCoreApplication::applicationName(), QSysInfo::machineHostName());
    // Only a live instance keeps this one out; when no place can hold a lock
    // at all, the program starts rather than keep the user out.
    return instanceLock_.claim(places, content.toStdString()) != io::LockClaim::Running;
}

QString QtPlatform::programFolder() { return QCoreApplication::applicationDirPath(); }

app::MonthNameTable MonthNamesOf(const QLocale& locale) {
    app::MonthNameTable names;
    for (int month = 1; month <= 12; ++month) {
        const QString name = locale.standaloneMonthName(month, QLocale::LongFormat);
        names[static_cast<std::size_t>(month - 1)] = name.toStdString();
    }
    return names;
}

app::MonthNameTable QtPlatform::monthNames() { return MonthNamesOf(QLocale::system()); }

}  // namespace platform
