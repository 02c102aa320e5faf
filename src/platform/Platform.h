// Everything the desktop program does through the operating system sits behind
// this interface: message boxes, file and printer dialogs, the web browser, the
// clock, the per-user settings, the single-instance check and the program's
// folder. The program uses the Qt implementation; tests use a recording fake.
#pragma once

#include <QDateTime>
#include <QString>
#include <optional>
#include <string_view>

#include "app/BirthForm.h"

class QPrinter;
class QWidget;

namespace platform {

// Message boxes show the icons the core names for its problems.
using Icon = app::MessageIcon;
enum class Buttons { Ok, YesNo };
enum class Answer { Ok, Yes, No };

struct MessageRequest {
    QString text;
    QString title;
    Icon icon = Icon::Information;
    Buttons buttons = Buttons::Ok;
};

// A file dialog as the program asks for it. The filter is written the way the
// program's chart files name it ("Velorin (*.vrc)|*.vrc"); the implementation
// turns it into its own form.
struct FileDialogRequest {
    QString title;
    QString filter;
    QString defaultSuffix;    // without the dot
    QString initialFileName;  // offered as the file name
    bool overwritePrompt = false;
    bool pathMustExist = false;
    bool fileMustExist = false;
    bool noReadOnlyReturn = false;
};

struct PrintRequest {
    bool disablePrintToFile = false;
    bool disablePageRange = false;
};

class Platform {
public:
    virtual ~Platform() = default;

    // Shows a modal message box and returns the button pressed.
    virtual Answer showMessage(QWidget* parent, const MessageRequest& request) = 0;

    // A path, or nothing when the user cancels.
    virtual std::optional<QString> getSaveFileName(QWidget* parent, const FileDialogRequest& request) = 0;
    virtual std::optional<QString> getOpenFileName(QWidget* parent, const FileDialogRequest& request) = 0;

    // Shows the printer dialog for the printer; true when the user confirms.
    virtual bool showPrintDialog(QWidget* parent, QPrinter& printer, const PrintRequest& request) = 0;

    // Asks the desktop to open a web address; the outcome is not reported.
    virtual void openUrl(const QString& address) = 0;

    // The local date and time, with milliseconds.
    virtual QDateTime localNow() = 0;

    // The per-user settings store: a value, or nothing when it is absent or
    // the store cannot be read; false when a value could not be stored.
    virtual std::optional<QString> readSetting(const QString& section, const QString& key) = 0;
    virtual bool writeSetting(const QString& section, const QString& key, const QString& value) = 0;

    // True when no other instance of the program runs; the claim lasts until
    // the platform object is destroyed.
    virtual bool claimSingleInstance() = 0;

    // The folder that holds the program itself.
    virtual QString programFolder() = 0;

    // The full month names of the user's locale, January first.
    virtual app::MonthNameTable monthNames() = 0;
};

// A UTF-8 text of the core as a QString.
inline QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The title of the program's message boxes and its heading.
inline QString ProgramTitle() { return fromUtf8(app::ApplicationTitle); }

// Turns "Name (*.ext)|*.ext" into the dialog filter "Name (*.ext)".
QString dialogFilterOf(const QString& filter);

}  // namespace platform
