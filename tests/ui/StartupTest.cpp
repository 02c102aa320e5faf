// Start-up, the update reminder, the web pages behind every link, the single
// instance lock and quitting.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QUrl>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLockFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ctime>
#include <functional>

#include "chart/MDI.h"
#include "desktop/Program.h"
#include "entry/FilteredLineEdit.h"
#include "entry/frmMain.h"
#include "platform/QtPlatform.h"
#include "app/ChartFile.h"
#include "support/FakePlatform.h"
#include "support/Forms.h"
#include "web/frmAbout.h"
#include "web/modHelp.h"

namespace {

const QString ReminderKey = QStringLiteral("Settings/LastUpdateReminder");
const QString Question =
    QStringLiteral("There maybe an update to this software available\rDo you want to check for an update?");

struct ReminderCase {
    const char* what;
    std::optional<QString> stored;  // nothing: first run
    std::optional<platform::Answer> answer;  // nothing: no question expected
    int updatePagesOpened;
    bool todayStored;
};

TEST(UpdateReminder, AsksOnlyOutsideFourteenDays) {
    const QDate today(2026, 12, 8);
    const auto daysFromToday = [&](int days) { return today.addDays(days).toString(Qt::ISODate); };
    const ReminderCase cases[] = {
        {"first run", std::nullopt, std::nullopt, 0, true},
        {"14 days ago", daysFromToday(-14), std::nullopt, 0, false},
        {"14 days ahead", daysFromToday(14), std::nullopt, 0, false},
        {"15 days ago, No", daysFromToday(-15), platform::Answer::No, 0, true},
        {"15 days ago, Yes", daysFromToday(-15), platform::Answer::Yes, 1, true},
        {"20 days ahead", daysFromToday(20), platform::Answer::No, 0, true},
        {"not a date", QStringLiteral("12/1/2026"), std::nullopt, 0, true},
        {"garbage", QStringLiteral("\x01zz"), std::nullopt, 0, true},
    };
    for (const ReminderCase& c : cases) {
        testdata::FakePlatform fake;
        fake.now = QDateTime(today, QTime(9, 0));
        if (c.stored) fake.settings[ReminderKey] = *c.stored;
        if (c.answer) fake.answers.push_back(*c.answer);
        web::UpdateReminder(fake);
        if (c.answer) {
            ASSERT_EQ(fake.messages.size(), 1U) << c.what;
            EXPECT_EQ(fake.messages[0].text, Question);
            EXPECT_EQ(fake.messages[0].title, QStringLiteral("Velorin"));
            EXPECT_EQ(fake.messages[0].icon, platform::Icon::Information);
            EXPECT_EQ(fake.messages[0].buttons, platform::Buttons::YesNo);
        } else {
            EXPECT_TRUE(fake.messages.empty()) << c.what;
        }
        EXPECT_EQ(fake.openedUrls.size(), c.updatePagesOpened) << c.what;
        if (c.updatePagesOpened) {
            EXPECT_EQ(fake.openedUrls[0], web::AddressOf(web::Page::Update, fake.folder));
        }
        EXPECT_EQ(fake.settings[ReminderKey] == today.toString(Qt::ISODate), c.todayStored) << c.what;
    }
}

TEST(UpdateReminder, AStoreThatFailsNeverStopsTheStart) {
    testdata::FakePlatform fake;
    fake.settingsUnreadable = true;
    fake.settingsUnwritable = true;
    desktop::Program program(fake);
    EXPECT_TRUE(program.StartProgram());
    EXPECT_TRUE(program.form().isVisible());
    EXPECT_TRUE(fake.messages.empty());
    // What the user types at once goes into the name.
    EXPECT_EQ(program.form().focusWidget(), program.form().txtName);
}

TEST(StartProgram, ASecondInstanceIsRefused) {
    testdata::FakePlatform fake;
    fake.otherInstanceRunning = true;
    desktop::Program program(fake);
    EXPECT_FALSE(program.StartProgram());
    ASSERT_EQ(fake.messages.size(), 1U);
    EXPECT_EQ(fake.messages[0].text, QStringLiteral("Application is already running"));
    EXPECT_EQ(fake.messages[0].icon, platform::Icon::Information);
    EXPECT_EQ(fake.messages[0].buttons, platform::Buttons::Ok);
    EXPECT_EQ(fake.messages[0].title, QStringLiteral("Velorin"));
    EXPECT_FALSE(program.form().isVisible());
    EXPECT_TRUE(fake.settings.empty());  // the reminder did not run
}

// A second start with a chart file hands nothing to the running program: the
// user is told that the file was not opened.
TEST(StartProgram, ASecondInstanceSaysItsFileWasNotOpened) {
    testdata::FakePlatform fake;
    fake.otherInstanceRunning = true;
    desktop::Program program(fake);
    EXPECT_FALSE(program.StartProgram(QStringLiteral("/home/ravi/ravi.vrc")));
    ASSERT_EQ(fake.messages.size(), 2U);
    EXPECT_EQ(fake.messages[0].text, QStringLiteral("Application is already running"));
    EXPECT_TRUE(fake.messages[1].text.startsWith(QStringLiteral("/home/ravi/ravi.vrc was not opened.")));
}

// The lock's temporary-folder place is kept inside the test's own folder.
class SingleInstanceLock : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid() && temp.isValid());
        oldTemp = qgetenv("TMPDIR");
        qputenv("TMPDIR", temp.path().toUtf8());
    }
    void TearDown() override { qputenv("TMPDIR", oldTemp); }
    QString lockFile() const { return folder.path() + QStringLiteral("/velorin.lock"); }
    void leaveLockFile(const QByteArray& content) const {
        QFile file(lockFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    // A file where a folder should be: nothing can be made inside it.
    QString fileWhereAFolderShouldBe() const {
        QFile file(folder.path() + QStringLiteral("/runtime"));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        return file.fileName();
    }
    QTemporaryDir folder;
    QTemporaryDir temp;
    QByteArray oldTemp;
};

TEST_F(SingleInstanceLock, AHeldLockKeepsOthersOutUntilItEnds) {
    {
        platform::QtPlatform first(folder.path());
        ASSERT_TRUE(first.claimSingleInstance());
        platform::QtPlatform second(folder.path());
        EXPECT_FALSE(second.claimSingleInstance());
    }
    platform::QtPlatform afterTheFirstEnded(folder.path());
    EXPECT_TRUE(afterTheFirstEnded.claimSingleInstance());
}

TEST_F(SingleInstanceLock, WhateverALeftLockFileSaysTheProgramStarts) {
    const QByteArray host = QSysInfo::machineHostName().toUtf8();
    const QByteArray contents[] = {
        "",
        "garbage\n",
        QByteArray("\x00\xff\xfe\x01", 4),
        "999999999\nvelorin\n" + host + "\n",       // a process that no longer runs
        "99999999999999999999999\nvelorin\n" + host + "\n",
        "-1\nvelorin\n" + host + "\n",              // as a process id, every process
        "1\nvelorin\nanother-machine\n",
        QByteArray::number(QCoreApplication::applicationPid()) + "\nvelorin\n" + host + "\n",
    };
    for (const QByteArray& content : contents) {
        leaveLockFile(content);
        platform::QtPlatform next(folder.path());
        EXPECT_TRUE(next.claimSingleInstance()) << content.toHex().toStdString();
    }
}

TEST_F(SingleInstanceLock, ANameThatCannotBeALockFallsBackToTheTemporaryFolder) {
    ASSERT_TRUE(QDir().mkdir(lockFile()));
    platform::QtPlatform first(folder.path());
    ASSERT_TRUE(first.claimSingleInstance());
    EXPECT_TRUE(QFile::exists(temp.path() + QStringLiteral("/velorin-%1/velorin.lock").arg(::geteuid())));
    platform::QtPlatform second(folder.path());
    EXPECT_FALSE(second.claimSingleInstance());
}

TEST_F(SingleInstanceLock, AnUnwritableLockFolderFallsBackToTheTemporaryFolder) {
    const QString unwritable = fileWhereAFolderShouldBe();
    platform::QtPlatform first(unwritable);
    ASSERT_TRUE(first.claimSingleInstance());
    platform::QtPlatform second(unwritable);
    EXPECT_FALSE(second.claimSingleInstance());
}

TEST_F(SingleInstanceLock, NoPlaceForALockStillStarts) {
    const QString unwritable = fileWhereAFolderShouldBe();
    qputenv("TMPDIR", unwritable.toUtf8());
    platform::QtPlatform only(unwritable);
    EXPECT_TRUE(only.claimSingleInstance());
}

TEST_F(SingleInstanceLock, AnInstanceHoldingTheEarlierKindOfLockKeepsThisOneOut) {
    QLockFile earlier(lockFile());
    ASSERT_TRUE(earlier.tryLock(0));
    platform::QtPlatform next(folder.path());
    EXPECT_FALSE(next.claimSingleInstance());
}

// The settings file is looked at before it is read: a named pipe there must
// not stop the program before its first window.
TEST(QtSettings, ANamedPipeOrAFolderForTheSettingsFileIsUnreadableAndTheProgramStarts) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString pipe = folder.filePath(QStringLiteral("pipe.conf"));
    const QString subfolder = folder.filePath(QStringLiteral("folder.conf"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0644), 0);
    ASSERT_TRUE(QDir().mkdir(subfolder));
    for (const QString& settingsFile : {pipe, subfolder}) {
        platform::QtPlatform qt(folder.path(), settingsFile);
        EXPECT_EQ(qt.readSetting(QStringLiteral("Settings"), QStringLiteral("LastUpdateReminder")), std::nullopt);
        EXPECT_FALSE(qt.writeSetting(QStringLiteral("Settings"), QStringLiteral("LastUpdateReminder"), QStringLiteral("x")));
        EXPECT_FALSE(QFileInfo(settingsFile).isFile());

        desktop::Program program(qt);  // a first run: no question is asked
        EXPECT_TRUE(program.StartProgram());
        EXPECT_TRUE(program.form().isVisible());
    }
}

TEST(QtSettings, AValueWrittenIsReadBackAndAPipedLockIsRefused) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString file = folder.filePath(QStringLiteral("velorin.conf"));
    platform::QtPlatform qt(folder.path(), file);
    EXPECT_EQ(qt.readSetting(QStringLiteral("Settings"), QStringLiteral("Key")), std::nullopt);
    ASSERT_TRUE(qt.writeSetting(QStringLiteral("Settings"), QStringLiteral("Key"), QStringLiteral("2026-12-08")));
    EXPECT_EQ(qt.readSetting(QStringLiteral("Settings"), QStringLiteral("Key")), QStringLiteral("2026-12-08"));
    // The lock that guards the file's writing would be read too.
    ASSERT_EQ(::mkfifo(QFile::encodeName(file + QStringLiteral(".lock")).constData(), 0644), 0);
    EXPECT_EQ(qt.readSetting(QStringLiteral("Settings"), QStringLiteral("Key")), std::nullopt);
    EXPECT_FALSE(qt.writeSetting(QStringLiteral("Settings"), QStringLiteral("Key"), QStringLiteral("x")));
}

// Whatever has the lock's name, reading and writing the settings never wait:
// a link that leads nowhere or round in a loop, a fresh lock of garbage, a
// folder make them unusable this time (the reminder takes it as a first run);
// a lock left more than a minute ago is removed and the value is written.
TEST(QtSettings, NothingOfTheLocksNameMakesTheProgramWait) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString file = folder.filePath(QStringLiteral("velorin.conf"));
    const QByteArray lock = QFile::encodeName(file + QStringLiteral(".lock"));
    const auto leftLock = [&lock](int secondsAgo) {
        QFile garbage(QFile::decodeName(lock));
        ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
        garbage.write("garbage\n");
        garbage.close();
        const std::time_t then = std::time(nullptr) - secondsAgo;
        const timespec times[2] = {{then, 0}, {then, 0}};
        ASSERT_EQ(::utimensat(AT_FDCWD, lock.constData(), times, AT_SYMLINK_NOFOLLOW), 0);
    };
    const struct {
        const char* what;
        std::function<void()> make;
        bool usable;
    } cases[] = {
        {"a link to nothing", [&] { ASSERT_EQ(::symlink("missing", lock.constData()), 0); }, false},
        {"a loop of links", [&] { ASSERT_EQ(::symlink("velorin.conf.lock", lock.constData()), 0); }, false},
        {"a fresh lock", [&] { leftLock(0); }, false},
        {"a folder", [&] { ASSERT_EQ(::mkdir(lock.constData(), 0755), 0); }, false},
        {"a lock left five minutes ago", [&] { leftLock(300); }, true},
    };
    for (const auto& c : cases) {
        c.make();
        platform::QtPlatform qt(folder.path(), file);
        EXPECT_EQ(qt.writeSetting(QStringLiteral("Settings"), QStringLiteral("Key"), QStringLiteral("2026-12-09")), c.usable)
            << c.what;
        EXPECT_EQ(qt.readSetting(QStringLiteral("Settings"), QStringLiteral("Key")).has_value(), c.usable) << c.what;
        QFile::remove(file);
        ::unlink(lock.constData());
        ::rmdir(lock.constData());
    }
}

// The save dialog refuses a missing folder and a read-only file before it
// asks whether to replace a file: never "replace it?" and then "read-only".
TEST(SaveDialog, ReadOnlyIsRefusedBeforeTheQuestionToReplace) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString existing = folder.filePath(QStringLiteral("chart.vrc")),
                  readOnly = folder.filePath(QStringLiteral("locked.vrc"));
    for (const QString& path : {existing, readOnly}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    ASSERT_EQ(::chmod(QFile::encodeName(readOnly).constData(), 0444), 0);
    platform::FileDialogRequest save;
    save.overwritePrompt = save.pathMustExist = save.noReadOnlyReturn = true;
    platform::FileDialogRequest plain;  // no checks asked for
    using platform::SaveChoice;
    const struct {
        QString path;
        const platform::FileDialogRequest* request;
        SaveChoice choice;
    } cases[] = {
        {folder.filePath(QStringLiteral("new.vrc")), &save, SaveChoice::Accept},
        {existing, &save, SaveChoice::ConfirmReplace},
        {readOnly, &save, SaveChoice::ReadOnly},
        {folder.filePath(QStringLiteral("missing/new.vrc")), &save, SaveChoice::MissingFolder},
        {existing, &plain, SaveChoice::Accept},
        {readOnly, &plain, SaveChoice::Accept},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(platform::JudgeSaveChoice(c.path, *c.request), c.choice) << c.path.toStdString();
    }
}

class WebLinks : public ::testing::Test {
protected:
    void SetUp() override {
        program = std::make_unique<desktop::Program>(fake);
        ASSERT_TRUE(program->StartProgram());
        entry::frmMain& f = program->form();
        f.txtName->setText(QStringLiteral("Ravi"));
        for (auto* box : {f.txtLatDeg, f.txtLatMin, f.txtLonDeg, f.txtLonMin}) box->setText(QStringLiteral("10"));
        for (auto* box : {f.txtCity, f.txtState, f.txtCountry}) box->setText(QStringLiteral("Delhi"));
        f.cmdCalculate->click();
        ASSERT_NE(program->frame(), nullptr);
        fake.openedUrls.clear();
    }
    testdata::FakePlatform fake;
    std::unique_ptr<desktop::Program> program;
};

TEST_F(WebLinks, EveryTriggerOpensItsPage) {
    entry::frmMain& f = program->form();
    chart::MDI& m = *program->frame();
    const QString help = web::AddressOf(web::Page::Help, fake.folder);
    const QString home = web::AddressOf(web::Page::Home, fake.folder);
    const QString update = web::AddressOf(web::Page::Update, fake.folder);
    // Every page is a page of the manual that exists here, with its section.
    for (const QString& page : {help, home, update}) {
        const QUrl address(page);
        ASSERT_TRUE(address.isLocalFile()) << page.toStdString();
        QFile file(address.toLocalFile());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << page.toStdString();
        if (address.hasFragment()) {
            EXPECT_TRUE(file.readAll().contains("id=\"" + address.fragment().toUtf8() + "\"")) << page.toStdString();
        }
    }
    EXPECT_TRUE(home.endsWith(QStringLiteral("/index.html")));
    EXPECT_TRUE(help.endsWith(QStringLiteral("/manual.html")));
    EXPECT_TRUE(update.endsWith(QStringLiteral("/manual.html#updating")));
    const std::pair<std::function<void()>, QString> triggers[] = {
        {[&] { m.mnuOnline->trigger(); }, help},
        {[&] { m.TB_ButtonClick(QStringLiteral("Help")); }, help},
        {[&] { f.mnuOnline->trigger(); }, help},
        {[&] { m.mnuVisit->trigger(); }, home},
        {[&] { emit m.lblURL->linkActivated(QStringLiteral("home")); }, home},
        {[&] { emit m.Label1->linkActivated(QStringLiteral("home")); }, home},
        {[&] { f.mnuVisit->trigger(); }, home},
        {[&] { emit f.lblForumLink->linkActivated(QStringLiteral("home")); }, home},
        {[&] { m.mnuUpdate->trigger(); }, update},
        {[&] { f.mnuUpdate->trigger(); }, update},
    };
    for (const auto& [trigger, page] : triggers) {
        fake.openedUrls.clear();
        trigger();
        EXPECT_EQ(fake.openedUrls, QStringList{page});
    }
    web::frmAbout about(fake);
    fake.openedUrls.clear();
    emit about.lblHomePage->linkActivated(QStringLiteral("home"));
    EXPECT_EQ(fake.openedUrls, QStringList{home});
    EXPECT_EQ(about.windowTitle(), QStringLiteral("Velorin v1.80"));
    EXPECT_EQ(about.Label2->text(), QStringLiteral("Velorin v1.80"));
    EXPECT_EQ(about.cmdOK->text(), QStringLiteral("OK"));
    EXPECT_FALSE(about.picIcon->pixmap().isNull());
    // Every link says what it opens (here the manual: no web page is set),
    // in words, never as a file address.
    for (const QLabel* link : {f.lblForumLink, m.lblURL, m.Label1, about.lblHomePage}) {
        EXPECT_TRUE(link->text().contains(QStringLiteral("user manual"))) << link->text().toStdString();
        EXPECT_FALSE(link->text().contains(QStringLiteral("file:"))) << link->text().toStdString();
        EXPECT_FALSE(link->text().contains(QStringLiteral("forum"))) << link->text().toStdString();
    }
}

TEST_F(WebLinks, ExitClosesEveryWindowAndEndsWithStatusZero) {
    QTimer::singleShot(0, program->frame()->cmdExit, &QPushButton::click);
    EXPECT_EQ(QApplication::exec(), 0);
    for (QWidget* window : QApplication::topLevelWidgets()) EXPECT_FALSE(window->isVisible()) << window->objectName().toStdString();
}

}  // namespace

namespace {

TEST(StartProgram, AChartFileGivenAtStartUpOpensAsTheOpenButtonDoes) {
    QTemporaryDir folder;
    const auto session = testdata::computedSession(testdata::referenceForm());
    ASSERT_TRUE(session.has_value());
    const std::string bytes = app::MakeChartFileBytes(session->record, 34);
    const QString path = folder.filePath(QStringLiteral("ravi.vrc"));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
    testdata::FakePlatform fake;
    desktop::Program program(fake);
    ASSERT_TRUE(program.StartProgram(path));
    ASSERT_NE(program.frame(), nullptr);
    EXPECT_EQ(program.session().record.BirthName, "Ravi");
    EXPECT_TRUE(fake.openDialogs.empty());  // no dialog: the path was given

    // The same checks and messages as after the dialog.
    testdata::FakePlatform other;
    desktop::Program second(other);
    ASSERT_TRUE(second.StartProgram(folder.filePath(QStringLiteral("ravi.VRC"))));
    ASSERT_EQ(other.messages.size(), 1U);
    EXPECT_EQ(other.messages[0].text, QStringLiteral("Please Check The File."));
    EXPECT_EQ(second.frame(), nullptr);

    // A second instance with a file is still refused.
    testdata::FakePlatform running;
    running.otherInstanceRunning = true;
    desktop::Program third(running);
    EXPECT_FALSE(third.StartProgram(path));
    ASSERT_EQ(running.messages.size(), 2U);  // and told that the file was not opened
    EXPECT_EQ(running.messages[0].text, QStringLiteral("Application is already running"));
}

}  // namespace
