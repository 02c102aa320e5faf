// The file commands through the real windows: save and open, the export, Save
// As JPEG, and what bad files and unwritable places get.
#include <gtest/gtest.h>

#include <filesystem>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QRadioButton>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <sys/stat.h>
#include <unistd.h>

#include "app/ChartFile.h"
#include "chart/MDI.h"
#include "chart/frmDisplay.h"
#include "desktop/Program.h"
#include "entry/FilteredLineEdit.h"
#include "entry/frmMain.h"
#include "files/modSaveForm.h"
#include "support/FakePlatform.h"

namespace {

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The permission bits as the file system holds them (Qt's add what this user may do).
unsigned modeBits(const QString& path) {
    struct stat status {};
    ::stat(QFile::encodeName(path).constData(), &status);
    return status.st_mode & 07777U;
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class FileCommands : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        program = std::make_unique<desktop::Program>(fake);
        ASSERT_TRUE(program->StartProgram());
    }

    entry::frmMain& form() { return program->form(); }
    chart::MDI* frame() { return program->frame(); }
    QString path(const char* name) const { return folder.filePath(QLatin1String(name)); }

    // The abc example of the chart file: 5 March 1980, 14:07, Indian Time.
    void calculateAbc(const QString& city = QStringLiteral("Pune")) {
        form().txtName->setText(QStringLiteral("abc"));
        form().cboDate->setCurrentIndex(4);
        form().cboMonth->setCurrentIndex(2);
        form().cboYear->setCurrentText(QStringLiteral("1980"));
        form().cboHour->setCurrentIndex(14);
        form().cboMinute->setCurrentIndex(7);
        form().cboTimeZone->setCurrentIndex(34);
        form().txtLonDeg->setText(QStringLiteral("73"));
        form().txtLonMin->setText(QStringLiteral("51"));
        form().txtLatDeg->setText(QStringLiteral("18"));
        form().txtLatMin->setText(QStringLiteral("31"));
        form().txtCity->setText(city);
        form().txtState->setText(QStringLiteral("Maharashtra"));
        form().txtCountry->setText(QStringLiteral("India"));
        form().cmdCalculate->click();
        ASSERT_NE(frame(), nullptr);
    }

    void saveChartAs(const QString& target) {
        fake.savePaths.push_back(target);
        frame()->mnuSaveAsText->trigger();
    }

    void openFile(const QString& source) {
        fake.openPaths.push_back(source);
        form().cmdOpen->click();
    }

    QTemporaryDir folder;
    testdata::FakePlatform fake;
    std::unique_ptr<desktop::Program> program;
};

TEST_F(FileCommands, SaveUsesItsDialogAndWritesTheGoldenBytes) {
    calculateAbc();
    saveChartAs(path("abc.vrc"));
    ASSERT_EQ(fake.saveDialogs.size(), 1U);
    const platform::FileDialogRequest& dialog = fake.saveDialogs[0];
    EXPECT_EQ(dialog.filter, QStringLiteral("Velorin (*.vrc)|*.vrc"));
    EXPECT_EQ(dialog.defaultSuffix, QStringLiteral("vrc"));
    EXPECT_EQ(dialog.title, QStringLiteral("Velorin"));
    EXPECT_EQ(dialog.initialFileName, QString());
    EXPECT_TRUE(dialog.overwritePrompt && dialog.pathMustExist && dialog.noReadOnlyReturn);
    const QByteArray bytes = contentOf(path("abc.vrc"));
    EXPECT_TRUE(bytes.startsWith(QByteArray::fromHex("B6B7B80D0A880D0A8A0D0A")));
    EXPECT_TRUE(bytes.endsWith(QByteArray::fromHex("9EC3B9BEB60D0A")));
    EXPECT_EQ(bytes.count("\r\n"), 17);
    EXPECT_EQ(program->session().record.CurrentChartPath, path("abc.vrc").toStdString());
}

TEST_F(FileCommands, SaveThenOpenRestoresEveryControlAndTheChart) {
    calculateAbc();
    form().optLong[1]->setChecked(true);  // West, for the flag
    frame()->cmdBack->click();
    form().cmdCalculate->click();
    const QStringList boxesBefore = [&] {
        QStringList boxes;
        for (QLabel* box : frame()->display()->lblPlanets) boxes << box->text();
        return boxes;
    }();
    saveChartAs(path("abc.vrc"));
    const app::BirthFormValues saved = form().values();

    frame()->mnuNew->trigger();
    form().setValues(app::BirthFormValues{});  // a cleared form
    openFile(path("abc.vrc"));
    ASSERT_EQ(fake.openDialogs.size(), 1U);
    EXPECT_EQ(fake.openDialogs[0].title, QStringLiteral("Select the source file"));
    EXPECT_TRUE(fake.openDialogs[0].fileMustExist);
    const app::BirthFormValues restored = form().values();
    EXPECT_EQ(restored.txtName, saved.txtName);
    EXPECT_EQ(restored.cboYear, saved.cboYear);
    EXPECT_EQ(restored.cboTimeZone, saved.cboTimeZone);
    EXPECT_EQ(restored.txtLonMin, saved.txtLonMin);
    EXPECT_EQ(restored.optLongWest, true);
    EXPECT_EQ(restored.txtCountry, saved.txtCountry);
    ASSERT_NE(frame(), nullptr);  // the calculation ran
    QStringList boxesAfter;
    for (QLabel* box : frame()->display()->lblPlanets) boxesAfter << box->text();
    EXPECT_EQ(boxesAfter, boxesBefore);
}

TEST_F(FileCommands, UpperCaseExtensionIsRefused) {
    writeFile(path("abc.VRC"), "x");
    form().txtName->setText(QStringLiteral("kept"));
    openFile(path("abc.VRC"));
    ASSERT_EQ(fake.messages.size(), 1U);
    EXPECT_EQ(fake.messages[0].text, QStringLiteral("Please Check The File."));
    EXPECT_EQ(fake.messages[0].icon, platform::Icon::Error);
    EXPECT_EQ(form().txtName->text(), QStringLiteral("kept"));
    EXPECT_EQ(frame(), nullptr);
}

TEST_F(FileCommands, FourteenLinesStopAtTheCityAndYear1850KeepsTheList) {
    calculateAbc();
    saveChartAs(path("abc.vrc"));
    frame()->cmdBack->click();
    QList<QByteArray> lines = contentOf(path("abc.vrc")).split('\n');
    QByteArray fourteen;
    for (int i = 0; i < 14; ++i) fourteen += lines[i] + '\n';
    writeFile(path("short.vrc"), fourteen);
    // The form still shows the whole previous chart (Pune): the missing lines
    // empty the place boxes rather than mixing two births.
    ASSERT_EQ(form().txtCity->text(), QStringLiteral("Pune"));
    fake.messages.clear();
    openFile(path("short.vrc"));
    ASSERT_FALSE(fake.messages.empty());
    EXPECT_EQ(fake.messages.back().text, QStringLiteral("Please Enter Your City name"));
    EXPECT_EQ(form().txtCity->text(), QString());
    EXPECT_EQ(form().txtState->text(), QString());
    EXPECT_EQ(form().txtCountry->text(), QString());
    EXPECT_EQ(frame(), nullptr);

    lines[3] = QByteArray::fromStdString(app::EncodeChartField("1850")) + '\r';
    writeFile(path("y1850.vrc"), lines.join('\n'));
    form().cboYear->setCurrentText(QStringLiteral("2001"));
    openFile(path("y1850.vrc"));
    EXPECT_EQ(form().cboYear->currentText(), QStringLiteral("2001"));
}

TEST_F(FileCommands, SaveOffersTheLastPathAndCancelWritesNothing) {
    calculateAbc();
    saveChartAs(path("first.vrc"));
    const QByteArray before = contentOf(path("first.vrc"));
    frame()->mnuSaveAsText->trigger();  // cancelled: no path queued
    ASSERT_EQ(fake.saveDialogs.size(), 2U);
    EXPECT_EQ(fake.saveDialogs[1].initialFileName, path("first.vrc"));
    EXPECT_EQ(contentOf(path("first.vrc")), before);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 1);
    EXPECT_EQ(program->session().record.ChartFileName, path("first.vrc").toStdString());
}

TEST_F(FileCommands, ExportWritesTwentySixLinesAndSharesThePath) {
    calculateAbc();
    fake.savePaths.push_back(path("abc.txt"));
    frame()->mnuExport->trigger();
    ASSERT_EQ(fake.saveDialogs.size(), 1U);
    EXPECT_EQ(fake.saveDialogs[0].title, QStringLiteral("Select the destination text file "));
    EXPECT_EQ(fake.saveDialogs[0].filter, QStringLiteral("Export Chart As Text (*.txt)|*.txt"));
    EXPECT_EQ(fake.saveDialogs[0].defaultSuffix, QStringLiteral("txt"));
    const QByteArray text = contentOf(path("abc.txt"));
    EXPECT_EQ(text.count("\r\n"), 26);
    EXPECT_EQ(text.count("\r\r\n"), 2);
    EXPECT_TRUE(text.startsWith("Name: abc\r\nDate of Birth: March 5, 1980\r\nTime of Birth: 14 Hour 7 Minute\r\n"));
    EXPECT_FALSE(text.contains("(R)"));
    EXPECT_FALSE(text.startsWith("\xEF\xBB\xBF"));

    // Exporting again replaces the file; the next save offers the export's path.
    fake.savePaths.push_back(path("abc.txt"));
    frame()->mnuExport->trigger();
    EXPECT_EQ(contentOf(path("abc.txt")).count("\r\n"), 26);
    frame()->mnuSaveAsText->trigger();
    EXPECT_EQ(fake.saveDialogs.back().initialFileName, path("abc.txt"));
}

// A path is bytes for the file system, not text: a name that is not UTF-8
// is written under exactly that name (as velorin-chart --image gives it).
TEST(WriteJpegUnderFreeName, APathIsPassedOnByteForByte) {
    QTemporaryDir folder;
    QImage picture(20, 10, QImage::Format_RGB32);
    picture.fill(Qt::white);
    const std::string chosen = folder.path().toStdString() + "/\xff\xfe.jpg";
    app::ImageNamingContext context;
    const app::ImageSaveResult saved = files::WriteJpegUnderFreeName(chosen, picture, context);
    ASSERT_TRUE(saved.written()) << saved.failure;
    EXPECT_EQ(saved.path, chosen);
    EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::path(chosen)));
}

TEST_F(FileCommands, SaveAsJpegNamesCopiesAndLeavesNoBitmap) {
    calculateAbc();
    for (const char* chosen : {"ravi.jpg", "ravi.jpg", "ravi.bmp"}) {
        fake.savePaths.push_back(path(chosen));
        frame()->cmdSaveAsJPEG->click();
    }
    EXPECT_EQ(fake.saveDialogs[0].filter, QStringLiteral("JPEG Image (*.jpg)|*.jpg"));
    QStringList files = QDir(folder.path()).entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(files, (QStringList{"ravi.jpg", "ravi_001.jpg", "ravi_002.jpg"}));
    QImageReader reader(path("ravi.jpg"));
    EXPECT_EQ(reader.format(), QByteArray("jpeg"));
    EXPECT_EQ(reader.size(), QSize(1000, 543) * frame()->display()->devicePixelRatio());

    frame()->mnuSaveAsJpeg->trigger();  // cancelled
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 3);
}

TEST_F(FileCommands, AllNumbersTakenShowsTheMessageAndWritesNothing) {
    calculateAbc();
    writeFile(path("chart.jpg"), "taken");
    for (int n = 1; n <= 999; ++n) writeFile(path(QStringLiteral("chart_%1.jpg").arg(n, 3, 10, QLatin1Char('0')).toLatin1()), "");
    fake.savePaths.push_back(path("chart.jpg"));
    frame()->mnuSaveAsJpeg->trigger();
    ASSERT_EQ(fake.messages.size(), 1U);
    EXPECT_EQ(fake.messages[0].text, QStringLiteral("There are too many Copies of this file  chart.jpg"));
    EXPECT_EQ(fake.messages[0].title, QStringLiteral(" UNABLE  TO  CREATE  NEW  FILEchart.jpg"));
    EXPECT_EQ(fake.messages[0].icon, platform::Icon::Critical);
    EXPECT_EQ(contentOf(path("chart.jpg")), QByteArray("taken"));
}

TEST_F(FileCommands, UnwritablePlacesAreReportedAndChangeNothing) {
    calculateAbc();
    QDir(folder.path()).mkdir(QStringLiteral("adir.vrc"));
    const QString missingFolder = path("no/such/folder/abc.vrc");
    for (const QString& target : {missingFolder, path("adir.vrc")}) {
        fake.messages.clear();
        saveChartAs(target);
        ASSERT_EQ(fake.messages.size(), 1U) << target.toStdString();
        EXPECT_EQ(fake.messages[0].icon, platform::Icon::Error);
        EXPECT_TRUE(fake.messages[0].text.contains(target));
        EXPECT_EQ(program->session().record.CurrentChartPath, "");
    }
    EXPECT_FALSE(QFile::exists(missingFolder));
    fake.messages.clear();
    fake.savePaths.push_back(path("no/such/folder/abc.txt"));
    frame()->mnuExport->trigger();
    EXPECT_EQ(fake.messages.size(), 1U);
    fake.savePaths.push_back(path("no/such/folder/abc.jpg"));
    frame()->mnuSaveAsJpeg->trigger();
    EXPECT_EQ(fake.messages.size(), 2U);
}

// A small file system that is full, where this machine lets a test mount one.
class FullDisk {
public:
    explicit FullDisk(const QString& mountPoint) : mountPoint_(mountPoint) {
        QDir().mkpath(mountPoint);
        QProcess mount;
        mount.start(QStringLiteral("mount"), {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                                              QStringLiteral("size=64k"), QStringLiteral("tmpfs"), mountPoint});
        mounted_ = mount.waitForFinished(10000) && mount.exitStatus() == QProcess::NormalExit && mount.exitCode() == 0;
        why_ = QString::fromLocal8Bit(mount.readAllStandardError()).trimmed();
        if (mount.error() == QProcess::FailedToStart) why_ = QStringLiteral("mount is not available");
    }
    ~FullDisk() {
        if (mounted_) QProcess::execute(QStringLiteral("umount"), {mountPoint_});
    }
    bool mounted() const { return mounted_; }
    QString why() const { return why_; }
    // Fills the rest of the space.
    void fill() {
        QFile filler(mountPoint_ + QStringLiteral("/filler"));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return;
        const QByteArray block(4096, 'x');
        while (filler.write(block) > 0) {
        }
    }

private:
    QString mountPoint_;
    bool mounted_ = false;
    QString why_;
};

TEST_F(FileCommands, AFullDiskKeepsTheOldFileAndReports) {
    const QString disk = path("full");
    FullDisk full(disk);
    if (!full.mounted()) GTEST_SKIP() << "cannot mount a small tmpfs here (" << full.why().toStdString() << ")";
    calculateAbc();
    const QString target = disk + QStringLiteral("/old.vrc");
    writeFile(target, "old content");
    writeFile(disk + QStringLiteral("/old.txt"), "old export");
    full.fill();

    saveChartAs(target);
    ASSERT_EQ(fake.messages.size(), 1U);
    EXPECT_TRUE(fake.messages[0].text.contains(target));
    EXPECT_EQ(contentOf(target), QByteArray("old content"));
    EXPECT_EQ(program->session().record.CurrentChartPath, "");

    fake.savePaths.push_back(disk + QStringLiteral("/old.txt"));
    frame()->mnuExport->trigger();
    EXPECT_EQ(fake.messages.size(), 2U);
    EXPECT_EQ(contentOf(disk + QStringLiteral("/old.txt")), QByteArray("old export"));

    fake.savePaths.push_back(disk + QStringLiteral("/chart.jpg"));
    frame()->mnuSaveAsJpeg->trigger();
    ASSERT_EQ(fake.messages.size(), 3U);
    EXPECT_FALSE(QFile::exists(disk + QStringLiteral("/chart.jpg")));
    // Every one of them gives the system's reason.
    for (const platform::MessageRequest& message : fake.messages) {
        EXPECT_TRUE(message.text.endsWith(QStringLiteral("\n\nNo space left on device"))) << message.text.toStdString();
    }
}

TEST_F(FileCommands, AJpegNameTakenWhileTheJpegIsWrittenIsKept) {
    calculateAbc();
    const QImage picture = frame()->display()->storedCapture();
    writeFile(path("chart.jpg"), "first");
    QStringList chosen;
    const QString written = files::SaveChartImage(fake, nullptr, path("chart.jpg"), picture, [&](const std::string& name) {
        chosen << QString::fromStdString(name);
        if (chosen.size() == 1) writeFile(chosen.back(), "another program's");
    });
    EXPECT_EQ(chosen, (QStringList{path("chart_001.jpg"), path("chart_002.jpg")}));
    EXPECT_EQ(written, path("chart_002.jpg"));
    EXPECT_EQ(contentOf(path("chart.jpg")), QByteArray("first"));
    EXPECT_EQ(contentOf(path("chart_001.jpg")), QByteArray("another program's"));
    EXPECT_EQ(QImageReader(path("chart_002.jpg")).format(), QByteArray("jpeg"));
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(FileCommands, ReadOnlyFilesAndWhatIsNoFileAreRefusedWithTheReason) {
    calculateAbc();
    writeFile(path("read-only.vrc"), "old");
    QFile::setPermissions(path("read-only.vrc"), QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("pipe.vrc")).constData(), 0644), 0);
    const struct {
        const char* name;
        const char* reason;
    } cases[] = {{"read-only.vrc", "It is read-only"}, {"pipe.vrc", "It is a named pipe (FIFO), not a file"}};
    for (const auto& c : cases) {
        fake.messages.clear();
        saveChartAs(path(c.name));
        ASSERT_EQ(fake.messages.size(), 1U) << c.name;
        EXPECT_EQ(fake.messages[0].text,
                  QStringLiteral("The file could not be written:\n%1\n\n%2").arg(path(c.name), QLatin1String(c.reason)));
        EXPECT_EQ(program->session().record.CurrentChartPath, "");
    }
    EXPECT_EQ(contentOf(path("read-only.vrc")), QByteArray("old"));
    EXPECT_EQ(modeBits(path("read-only.vrc")), 0440U);
}

TEST_F(FileCommands, SavingThroughALinkKeepsTheLinkAndThePermissions) {
    calculateAbc();
    QDir(folder.path()).mkdir(QStringLiteral("real"));
    writeFile(path("real/abc.vrc"), "old");
    QFile::setPermissions(path("real/abc.vrc"), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    ASSERT_TRUE(QFile::link(path("real/abc.vrc"), path("abc.vrc")));
    saveChartAs(path("abc.vrc"));
    EXPECT_TRUE(fake.messages.empty());
    EXPECT_TRUE(QFileInfo(path("abc.vrc")).isSymLink());
    EXPECT_EQ(contentOf(path("real/abc.vrc")).count("\r\n"), 17);
    EXPECT_EQ(modeBits(path("real/abc.vrc")), 0600U);
}

// Another user's link in a sticky folder everyone may write to: Save and
// Export both refuse to follow it and say why; the file it leads to stays.
TEST_F(FileCommands, AnotherUsersLinkInASharedFolderIsNotFollowed) {
    if (::geteuid() != 0) GTEST_SKIP() << "only root may make a link of another user";
    calculateAbc();
    writeFile(path("secret"), "secret");
    QDir(folder.path()).mkdir(QStringLiteral("shared"));
    ASSERT_EQ(::chmod(QFile::encodeName(path("shared")).constData(), 01777), 0);
    for (const char* name : {"shared/abc.vrc", "shared/abc.txt"}) {
        ASSERT_TRUE(QFile::link(path("secret"), path(name)));
        ASSERT_EQ(::lchown(QFile::encodeName(path(name)).constData(), 4242, 4242), 0);
    }
    saveChartAs(path("shared/abc.vrc"));
    fake.savePaths.push_back(path("shared/abc.txt"));
    frame()->mnuExport->trigger();
    ASSERT_EQ(fake.messages.size(), 2U);
    for (const auto& message : fake.messages) {
        EXPECT_EQ(message.icon, platform::Icon::Error);
        EXPECT_TRUE(message.text.contains(QStringLiteral("symbolic link that another user made"))) << message.text.toStdString();
    }
    EXPECT_EQ(contentOf(path("secret")), QByteArray("secret"));
}

// A city of blanks only passes the form but cannot be saved so that the file
// opens again: Save says so before asking for a name and writes nothing; the
// chart stays and can still be exported.
TEST_F(FileCommands, ABlankPlaceIsNotSavedButExported) {
    calculateAbc(QStringLiteral("   "));
    saveChartAs(path("blank.vrc"));
    ASSERT_EQ(fake.messages.size(), 1U);
    EXPECT_TRUE(fake.messages[0].text.contains(QStringLiteral("the city is blanks only")));
    EXPECT_TRUE(fake.saveDialogs.empty());
    EXPECT_FALSE(QFile::exists(path("blank.vrc")));
    fake.savePaths.clear();
    fake.savePaths.push_back(path("blank.txt"));
    frame()->mnuExport->trigger();
    EXPECT_TRUE(QFile::exists(path("blank.txt")));
}

TEST_F(FileCommands, ANamedPipeIsNotOpenedAndTheFormIsUntouched) {
    const QString pipe = path("pipe.vrc");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0644), 0);
    form().txtName->setText(QStringLiteral("kept"));
    openFile(pipe);  // a reader that opened it would wait for a writer for ever
    ASSERT_EQ(fake.messages.size(), 1U);
    EXPECT_EQ(fake.messages[0].text,
              QStringLiteral("The file could not be read:\n%1\n\nIt is a named pipe (FIFO), not a file").arg(pipe));
    EXPECT_EQ(form().txtName->text(), QStringLiteral("kept"));
    EXPECT_EQ(frame(), nullptr);
}

TEST_F(FileCommands, AFolderWithoutWritePermissionIsReported) {
    if (geteuid() == 0) GTEST_SKIP() << "running as root: folder permissions do not stop writes";
    calculateAbc();
    const QString locked = path("locked");
    QDir().mkdir(locked);
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    saveChartAs(locked + QStringLiteral("/abc.vrc"));
    EXPECT_EQ(fake.messages.size(), 1U);
    EXPECT_FALSE(QFile::exists(locked + QStringLiteral("/abc.vrc")));
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST_F(FileCommands, AnUnreadableFileIsReported) {
    if (geteuid() == 0) GTEST_SKIP() << "running as root: file permissions do not stop reads";
    writeFile(path("secret.vrc"), "\xB6");
    QFile::setPermissions(path("secret.vrc"), QFileDevice::WriteOwner);
    form().txtName->setText(QStringLiteral("kept"));
    openFile(path("secret.vrc"));
    ASSERT_EQ(fake.messages.size(), 1U);
    EXPECT_TRUE(fake.messages[0].text.contains(QStringLiteral("could not be read")));
    EXPECT_EQ(form().txtName->text(), QStringLiteral("kept"));
}

TEST_F(FileCommands, BadFilesNeverHurtTheForm) {
    form().txtName->setText(QStringLiteral("Kept Name"));
    form().txtCity->setText(QStringLiteral("Kept City"));
    QByteArray random(4096, '\0');
    for (char& b : random) b = static_cast<char>(QRandomGenerator::global()->bounded(256));
    writeFile(path("random.vrc"), random);
    writeFile(path("empty.vrc"), QByteArray());
    {
        QFile huge(path("huge.vrc"));  // 100 MB without a line break (sparse)
        ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
        ASSERT_TRUE(huge.resize(100LL * 1024 * 1024));
    }
    QDir(folder.path()).mkdir(QStringLiteral("folder.vrc"));

    for (const char* name : {"random.vrc", "empty.vrc", "huge.vrc", "folder.vrc", "vanished.vrc"}) {
        if (program->frame()) program->frame()->cmdBack->click();
        form().txtCity->setText(QStringLiteral("Kept City"));
        fake.messages.clear();
        openFile(path(name));
        const QString city = form().txtCity->text();
        // A file that is read takes its missing lines as empty; one that
        // cannot be read leaves the form as it was.
        const bool read = QByteArray(name) != "folder.vrc" && QByteArray(name) != "vanished.vrc";
        if (QByteArray(name) != "random.vrc") {
            EXPECT_EQ(city.isEmpty(), read) << name;
        }
    }
    // The empty file empties every text box: the calculation stops at the name.
    if (program->frame()) program->frame()->cmdBack->click();
    form().txtName->setText(QStringLiteral("Kept Name"));
    fake.messages.clear();
    openFile(path("empty.vrc"));
    EXPECT_EQ(form().txtName->text(), QString());
    ASSERT_FALSE(fake.messages.empty());
    EXPECT_EQ(fake.messages[0].text, QStringLiteral("Please Enter Your Name"));
    EXPECT_EQ(program->frame(), nullptr);
    // The folder and the vanished file are reported.
    if (program->frame()) program->frame()->cmdBack->click();
    fake.messages.clear();
    openFile(path("vanished.vrc"));
    ASSERT_EQ(fake.messages.size(), 1U);
    EXPECT_TRUE(fake.messages[0].text.contains(QStringLiteral("could not be read")));
}

}  // namespace
