// The small services the windows share: opening the program's web pages, the
// coordinate look-up and the update reminder.
#pragma once

#include <QDate>
#include <QString>

#include "platform/Platform.h"

namespace web {

enum class Page { Help, Home, Update };

// The address of a page: the one the build set, or the page of the user
// manual (the installed one beside the program, else the source tree's) as a
// file address; the help page opens the manual, the home page its front
// page, the update page its section on updating.
QString AddressOf(Page page, const QString& programFolder);

// What a link to the home page says it opens: the user manual, or the home
// page when the build set one.
QString HomeLinkText();

// Asks the desktop to open the page; nothing is reported when it cannot.
void OpenWebPage(platform::Platform& platform, const QString& address);
void OpenWebPage(platform::Platform& platform, Page page);

// The coordinate look-up: a web search for the phrase in the user's browser.
void LookUpCoordinates(platform::Platform& platform, const QString& phrase);

// The setting that keeps the date of the first run or of the last question.
inline constexpr const char* ReminderSection = "Settings";
inline constexpr const char* ReminderKey = "LastUpdateReminder";

// At start-up: on the first run the date is stored and nothing asked; when the
// stored date lies more than 14 days from today, either way, the user is asked
// whether to look for an update, today's date is stored whatever the answer,
// and Yes opens the update page. The date is stored as yyyy-MM-dd; a value that
// is not such a date counts as none.
void UpdateReminder(platform::Platform& platform);

}  // namespace web
