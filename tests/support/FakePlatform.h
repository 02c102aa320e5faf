// A recording stand-in for the platform: it remembers every message, dialog
// and web address the program asked for, and answers from what the test set.
#pragma once

#include <QStringList>
#include <deque>
#include <map>
#include <vector>

#include "platform/Platform.h"

namespace testdata {

class FakePlatform : public platform::Platform {
public:
    // What the program asked for.
    std::vector<platform::MessageRequest> messages;
    std::vector<platform::FileDialogRequest> saveDialogs;
    std::vector<platform::FileDialogRequest> openDialogs;
    std::vector<platform::PrintRequest> printDialogs;
    QStringList openedUrls;

    // The answers to give, first in first out; an empty queue answers with the
    // default (OK or No, and a cancelled dialog).
    std::deque<platform::Answer> answers;
    std::deque<std::optional<QString>> savePaths;
    std::deque<std::optional<QString>> openPaths;
    bool printAccepted = false;
    app::MonthNameTable monthNameTable = app::EnglishMonthNames();
    QString printOutputFile;  // where a confirmed print is written (PDF)

    QDateTime now = QDateTime(QDate(2026, 12, 8), QTime(14, 30, 15, 123));
    std::map<QString, QString> settings;
    bool settingsUnreadable = false;
    bool settingsUnwritable = false;
    bool otherInstanceRunning = false;
    QString folder = QStringLiteral("/opt/velorin");

    platform::Answer showMessage(QWidget*, const platform::MessageRequest& request) override {
        messages.push_back(request);
        if (answers.empty()) return request.buttons == platform::Buttons::YesNo ? platform::Answer::No : platform::Answer::Ok;
        const platform::Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::optional<QString> getSaveFileName(QWidget*, const platform::FileDialogRequest& request) override {
        saveDialogs.push_back(request);
        return next(savePaths);
    }
    std::optional<QString> getOpenFileName(QWidget*, const platform::FileDialogRequest& request) override {
        openDialogs.push_back(request);
        return next(openPaths);
    }
    bool showPrintDialog(QWidget*, QPrinter& printer, const platform::PrintRequest& request) override;
    void openUrl(const QString& address) override { openedUrls << address; }
    QDateTime localNow() override { return now; }
    std::optional<QString> readSetting(const QString& section, const QString& key) override {
        if (settingsUnreadable) return std::nullopt;
        const auto it = settings.find(section + QLatin1Char('/') + key);
        if (it == settings.end()) return std::nullopt;
        return it->second;
    }
    bool writeSetting(const QString& section, const QString& key, const QString& value) override {
        if (settingsUnwritable) return false;
        settings[section + QLatin1Char('/') + key] = value;
        return true;
    }
    bool claimSingleInstance() override { return !otherInstanceRunning; }
    QString programFolder() override { return folder; }
    app::MonthNameTable monthNames() override { return monthNameTable; }

    QStringList messageTexts() const {
        QStringList texts;
        for (const auto& m : messages) texts << m.text;
        return texts;
    }

private:
    static std::optional<QString> next(std::deque<std::optional<QString>>& queue) {
        if (queue.empty()) return std::nullopt;
        const std::optional<QString> value = std::move(queue.front());
        queue.pop_front();
        if (!value) return std::nullopt;
        return *value;
    }
};

}  // namespace testdata
