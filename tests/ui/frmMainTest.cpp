// The entry form driven through its real widgets: lists, keystroke rules,
// paste and drop, the input checks with their messages and focus, and the
// coordinate look-up.
#include <gtest/gtest.h>

#include <vector>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QRegularExpression>
#include <QMenu>
#include <QMenuBar>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "app/ZoneTable.h"
#include "chart/MDI.h"
#include "desktop/Program.h"
#include "entry/FilteredLineEdit.h"
#include "entry/PlaceFinder.h"
#include "entry/frmMain.h"
#include "support/FakeAtlas.h"
#include "support/FakePlatform.h"

namespace {

using platform::Icon;

class EntryForm : public ::testing::Test {
protected:
    void SetUp() override {
        program = std::make_unique<desktop::Program>(fake);
        ASSERT_TRUE(program->StartProgram());
        form().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form()));
        fake.messages.clear();
    }

    entry::frmMain& form() { return program->form(); }

    // The Pune example, typed into the form.
    void fillPune() {
        QTest::keyClicks(form().txtName, QStringLiteral("abc"));
        QTest::keyClicks(form().txtLatDeg, QStringLiteral("18"));
        QTest::keyClicks(form().txtLatMin, QStringLiteral("31"));
        QTest::keyClicks(form().txtLonDeg, QStringLiteral("73"));
        QTest::keyClicks(form().txtLonMin, QStringLiteral("51"));
        QTest::keyClicks(form().txtCity, QStringLiteral("Pune"));
        QTest::keyClicks(form().txtState, QStringLiteral("Maharashtra"));
        QTest::keyClicks(form().txtCountry, QStringLiteral("India"));
    }

    void setDate(int day, int month, int year) {
        form().cboDate->setCurrentText(QString::number(day));
        form().cboMonth->setCurrentIndex(month - 1);
        form().cboYear->setCurrentText(QString::number(year));
    }

    testdata::FakePlatform fake;
    std::unique_ptr<desktop::Program> program;
};

TEST_F(EntryForm, LoadsItsListsAndDefaults) {
    EXPECT_EQ(form().windowTitle(), QStringLiteral("Velorin v1.80"));
    struct List {
        QComboBox* box;
        int count;
        const char* first;
        const char* last;
    } const lists[] = {
        {form().cboDate, 31, "1", "31"},          {form().cboMonth, 12, "January", "December"},
        {form().cboYear, 150, "1901", "2050"},    {form().cboHour, 25, "0", "24"},
        {form().cboMinute, 60, "0", "59"},
        {form().cboTimeZone, 71, "Alaska/Hawaii Daylight Time,AHDT,-9.0", "Yukon War Time,YWT,-8.0"},
    };
    for (const List& l : lists) {
        EXPECT_EQ(l.box->count(), l.count) << l.box->objectName().toStdString();
        EXPECT_EQ(l.box->itemText(0), QLatin1String(l.first));
        EXPECT_EQ(l.box->itemText(l.count - 1), QLatin1String(l.last));
        EXPECT_EQ(l.box->currentIndex(), 0);
        EXPECT_FALSE(l.box->isEditable());
    }
    EXPECT_TRUE(form().optLat[0]->isChecked());
    EXPECT_TRUE(form().optLong[0]->isChecked());
    EXPECT_FALSE(form().chkDST->isChecked());
    EXPECT_EQ(form().optLat[1]->text(), QStringLiteral("South"));
    EXPECT_EQ(form().optLong[1]->text(), QStringLiteral("West"));
    for (auto* box : {form().txtLatDeg, form().txtLatMin, form().txtLonDeg, form().txtLonMin}) EXPECT_EQ(box->maxLength(), 3);
    EXPECT_EQ(form().cmdCalculate->text(), QStringLiteral("Get My &Rashi Chart (South)"));
    EXPECT_EQ(form().cmdOpen->text(), QStringLiteral("&Open Previously Saved Reading"));
    EXPECT_EQ(form().cmdFindCoordinates->text(), QStringLiteral("Click here to find Latitude && Longitude"));
}

TEST_F(EntryForm, TabOrderFollowsTheEntryFields) {
    QWidget* expected[] = {form().txtName,   form().cboDate,   form().cboMonth,  form().cboYear,  form().cboHour,
                           form().cboMinute, form().cboTimeZone, form().txtLatDeg, form().txtLatMin, form().txtLonDeg,
                           form().txtLonMin, form().txtCity,  form().txtState,  form().txtCountry};
    // The next widget that the Tab key stops at.
    const auto nextTabStop = [](QWidget* w) {
        do {
            w = w->nextInFocusChain();
        } while (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisible() || !w->isEnabled());
        return w;
    };
    for (std::size_t i = 0; i + 1 < std::size(expected); ++i) {
        EXPECT_EQ(nextTabStop(expected[i]), expected[i + 1]) << expected[i]->objectName().toStdString();
    }
}

// Tab after the country lands on the chosen option of each pair, whether a
// chart file (setValues) or a click chose it, and Space there changes
// nothing; the arrow keys still reach the other option.
TEST_F(EntryForm, TabLandsOnTheChosenOptionOfAPair) {
    const struct {
        bool south, west, byClick;
    } cases[] = {{true, true, false}, {false, true, false}, {true, false, true}, {false, false, false}, {false, true, true}};
    for (const auto& c : cases) {
        if (c.byClick) {
            QTest::mouseClick(form().optLat[c.south ? 1 : 0], Qt::LeftButton);
            QTest::mouseClick(form().optLong[c.west ? 1 : 0], Qt::LeftButton);
        } else {
            app::BirthFormValues v = form().values();
            v.optLatNorth = !c.south;
            v.optLatSouth = c.south;
            v.optLongEast = !c.west;
            v.optLongWest = c.west;
            form().setValues(v);
        }
        const std::string what = std::string(c.south ? "S" : "N") + (c.west ? "W" : "E") + (c.byClick ? " click" : " file");
        const std::pair<QRadioButton*, QRadioButton*> pairs[] = {
            {form().optLat[c.south ? 1 : 0], form().optLat[c.south ? 0 : 1]},
            {form().optLong[c.west ? 1 : 0], form().optLong[c.west ? 0 : 1]}};
        form().txtCountry->setFocus(Qt::OtherFocusReason);
        for (const auto& [chosen, other] : pairs) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            EXPECT_EQ(QApplication::focusWidget(), chosen) << what;
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
            EXPECT_TRUE(chosen->isChecked()) << what;
            EXPECT_FALSE(other->isChecked()) << what;
        }
        EXPECT_EQ(form().values().optLatSouth, c.south) << what;
        EXPECT_EQ(form().values().optLongWest, c.west) << what;
    }
    // An arrow key moves to the other option (and chooses it).
    form().optLong[0]->setChecked(true);
    form().optLong[0]->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(form().optLong[0], Qt::Key_Right);  // the options stand side by side
    EXPECT_EQ(QApplication::focusWidget(), form().optLong[1]);
    EXPECT_TRUE(form().optLong[1]->isChecked());
}

TEST_F(EntryForm, MenusCarryTheirCaptions) {
    QStringList captions;
    for (QAction* menu : form().menuBar()->actions()) {
        captions << menu->text();
        for (QAction* item : menu->menu()->actions()) captions << (item->isSeparator() ? QStringLiteral("-") : item->text());
    }
    EXPECT_EQ(captions, (QStringList{"&File", "Get My &Rasi Chart", "-", "&Exit", "&Help", "&Online Help",
                                     "&Visit Us Online", "-", "Check for Software &Update", "-", "&About Software"}));
}

TEST_F(EntryForm, RefusedKeysShowTheMessageAndKeepTheFocus) {
    struct Case {
        entry::FilteredLineEdit* box;
        QString keys;
        Qt::KeyboardModifiers modifiers;
        const char* message;
    } const cases[] = {
        {form().txtCity, QStringLiteral("3"), Qt::NoModifier, "Please enter only letters"},
        {form().txtName, QStringLiteral("-"), Qt::NoModifier, "Please enter only letters"},
        {form().txtState, QStringLiteral("'"), Qt::NoModifier, "Please enter only letters"},
        {form().txtLatMin, QStringLiteral("."), Qt::NoModifier, "Please enter only numbers"},
        {form().txtLonDeg, QStringLiteral("a"), Qt::NoModifier, "Please enter only numbers"},
    };
    for (const Case& c : cases) {
        fake.messages.clear();
        c.box->setText(QStringLiteral("ab"));
        form().txtCountry->setFocus();
        c.box->setFocus();
        QTest::keyClicks(c.box, c.keys, c.modifiers);
        ASSERT_EQ(fake.messages.size(), 1U) << c.message;
        EXPECT_EQ(fake.messages[0].text, QLatin1String(c.message));
        EXPECT_EQ(fake.messages[0].icon, Icon::Error);
        EXPECT_EQ(fake.messages[0].title, QStringLiteral("Velorin"));
        EXPECT_EQ(c.box->text(), QStringLiteral("ab"));
        EXPECT_TRUE(c.box->hasFocus()) << c.message;
    }
}

TEST_F(EntryForm, ANameOrPlaceBoxSaysWhenItIsFull) {
    const QString full(static_cast<int>(app::MaxTextLength), QLatin1Char('a'));
    for (entry::FilteredLineEdit* box : {form().txtName, form().txtCity, form().txtState, form().txtCountry}) {
        fake.messages.clear();
        box->setText(full);
        box->setFocus();
        box->end(false);
        QTest::keyClicks(box, QStringLiteral("b"));
        ASSERT_EQ(fake.messages.size(), 1U) << box->objectName().toStdString();
        EXPECT_EQ(fake.messages[0].text, QStringLiteral("Please enter at most 1024 characters"));
        EXPECT_EQ(box->text(), full);
        // Backspace still works on a full box, and a replaced selection fits.
        QTest::keyClick(box, Qt::Key_Backspace);
        EXPECT_EQ(box->text().size(), full.size() - 1);
        box->selectAll();
        QTest::keyClicks(box, QStringLiteral("c"));
        EXPECT_EQ(box->text(), QStringLiteral("c"));
        EXPECT_EQ(fake.messages.size(), 1U);
    }
}

TEST_F(EntryForm, AHintShowsWhileZoneAndPlaceDisagree) {
    const auto hint = [this] { return form().lblZoneHint->text(); };
    form().cboTimeZone->setCurrentIndex(16);  // British Summer Time, +1
    form().optLong[1]->setChecked(true);      // West, nothing typed yet: a fresh form warns of nothing
    EXPECT_TRUE(hint().isEmpty());
    form().txtLonDeg->setText(QStringLiteral("0"));
    form().txtLonMin->setText(QStringLiteral("7"));  // London
    EXPECT_TRUE(hint().contains(QStringLiteral("about 2 hours off"))) << hint().toStdString();
    EXPECT_TRUE(hint().contains(QStringLiteral("Choose a zone on the place's side, or Universal Time")));
    EXPECT_EQ(form().lblZoneHint->focusPolicy(), Qt::NoFocus);
    form().optLong[0]->setChecked(true);      // East: zone and place agree
    EXPECT_TRUE(hint().isEmpty());
    form().optLong[1]->setChecked(true);
    form().cboTimeZone->setCurrentIndex(29);  // Greenwich Mean Time: no side, West or East
    EXPECT_TRUE(hint().isEmpty());
    form().optLong[0]->setChecked(true);
    EXPECT_TRUE(hint().isEmpty());
    form().cboTimeZone->setCurrentIndex(61);  // Universal Time with East
    EXPECT_TRUE(hint().isEmpty());
    EXPECT_TRUE(fake.messages.empty());       // a hint, not a message
}

// The hint's room is kept: nothing below it moves when it appears, and its
// longest text is never cut, at the form's own size.
TEST_F(EntryForm, TheHintMovesNothingAndIsNeverCut) {
    form().show();
    QApplication::processEvents();
    const auto positions = [this] {
        std::vector<QPoint> at;
        for (QWidget* below : {static_cast<QWidget*>(form().txtLatDeg), static_cast<QWidget*>(form().txtCountry),
                               static_cast<QWidget*>(form().cmdFindCoordinates), static_cast<QWidget*>(form().cmdOpen)}) {
            at.push_back(below->mapTo(&form(), QPoint(0, 0)));
        }
        return at;
    };
    const std::vector<QPoint> before = positions();
    const QSize formSize = form().size();
    form().cboTimeZone->setCurrentIndex(34);  // Indian Time at a western place: the longest hint
    form().optLong[1]->setChecked(true);
    form().txtLonDeg->setText(QStringLiteral("77"));
    QApplication::processEvents();
    ASSERT_FALSE(form().lblZoneHint->text().isEmpty());
    EXPECT_EQ(positions(), before);
    EXPECT_EQ(form().size(), formSize);
    QLabel* label = form().lblZoneHint;
    EXPECT_LE(label->heightForWidth(label->contentsRect().width()), label->contentsRect().height())
        << label->text().toStdString();
}

TEST_F(EntryForm, CaptionsKeepClearOfTheirEdges) {
    form().show();
    QApplication::processEvents();
    // A unit hint starts its text clear of the box before it.
    const std::pair<QWidget*, QString> hints[] = {{form().cboMinute, QStringLiteral("HH/MM")},
                                                  {form().txtLatMin, QStringLiteral("DEG/MIN")},
                                                  {form().txtLonMin, QStringLiteral("DEG/MIN")}};
    for (const auto& [box, text] : hints) {
        const QLabel* hint = nullptr;
        for (const QLabel* label : form().findChildren<QLabel*>()) {
            if (label->text() == text && label->y() <= box->y() + box->height() / 2 &&
                label->y() + label->height() >= box->y() + box->height() / 2 && label->x() > box->x()) {
                hint = label;
            }
        }
        ASSERT_NE(hint, nullptr) << text.toStdString();
        const int textStart = hint->x() + std::max(hint->indent(), 0) + hint->margin();
        EXPECT_GE(textStart - (box->x() + box->width()), 3) << text.toStdString();
    }
    // A button's caption has room on both sides.
    for (const QPushButton* button : {form().cmdCalculate, form().cmdOpen, form().cmdFindCoordinates}) {
        const QString shown = QString(button->text())
                                  .remove(QRegularExpression(QStringLiteral("(?<!&)&(?!&)")))
                                  .replace(QStringLiteral("&&"), QStringLiteral("&"));
        const int caption = button->fontMetrics().horizontalAdvance(shown);  // at least the drawn width
        EXPECT_GE(button->width() - caption, 2 * 8) << button->text().toStdString();
    }
}

TEST_F(EntryForm, ControlKeysOtherThanBackspaceAreRefused) {
    form().txtName->setText(QStringLiteral("ab"));
    form().txtName->setFocus();
    for (Qt::Key key : {Qt::Key_V, Qt::Key_C, Qt::Key_A}) QTest::keyClick(form().txtName, key, Qt::ControlModifier);
    QTest::keyClick(form().txtName, Qt::Key_Return);
    EXPECT_EQ(fake.messages.size(), 4U);
    EXPECT_EQ(form().txtName->text(), QStringLiteral("ab"));
    QTest::keyClick(form().txtName, Qt::Key_H, Qt::ControlModifier);  // Ctrl+H is backspace
    EXPECT_EQ(form().txtName->text(), QStringLiteral("a"));
    EXPECT_EQ(fake.messages.size(), 4U);
}

TEST_F(EntryForm, LettersBlankAndBackspacePass) {
    QTest::keyClicks(form().txtCity, QStringLiteral("New Delh"));
    QTest::keyClick(form().txtCity, Qt::Key_Backspace);
    QTest::keyClicks(form().txtLatDeg, QStringLiteral("1234"));
    EXPECT_EQ(form().txtCity->text(), QStringLiteral("New Del"));
    EXPECT_EQ(form().txtLatDeg->text(), QStringLiteral("123"));  // three characters at most
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(EntryForm, PasteByKeyMenuOrDropCannotBringInWhatTypingCannot) {
    QGuiApplication::clipboard()->setText(QStringLiteral("Pune3"));
    form().txtCity->setFocus();
    QTest::keyClick(form().txtCity, Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(fake.messages.size(), 1U);
    EXPECT_EQ(fake.messages[0].text, QStringLiteral("Please enter only letters"));
    EXPECT_TRUE(form().txtCity->text().isEmpty());

    // The context menu's Paste.
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(5, 5), form().txtCity->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(form().txtCity, &menuEvent);
    QMenu* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    QAction* paste = menu->findChild<QAction*>(QStringLiteral("edit-paste"));
    ASSERT_NE(paste, nullptr);
    paste->trigger();
    menu->close();
    ASSERT_EQ(fake.messages.size(), 2U);
    EXPECT_EQ(fake.messages[1].text, QStringLiteral("Please enter only letters"));
    EXPECT_TRUE(form().txtCity->text().isEmpty());

    // A drop of dragged text.
    QMimeData mime;
    mime.setText(QStringLiteral("12a"));
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form().txtLatDeg, &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form().txtLatDeg, &drop);
    ASSERT_EQ(fake.messages.size(), 3U);
    EXPECT_EQ(fake.messages[2].text, QStringLiteral("Please enter only numbers"));
    EXPECT_TRUE(form().txtLatDeg->text().isEmpty());

    // Letters only: the menu's Paste brings them in.
    QGuiApplication::clipboard()->setText(QStringLiteral("Pune"));
    QApplication::sendEvent(form().txtCity, &menuEvent);
    menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    menu->findChild<QAction*>(QStringLiteral("edit-paste"))->trigger();
    menu->close();
    EXPECT_EQ(form().txtCity->text(), QStringLiteral("Pune"));
    EXPECT_EQ(fake.messages.size(), 3U);
}

// Text from an input method goes in as typed text would: refused with the
// same message when the rule refuses it, composing text left alone.
TEST_F(EntryForm, AnInputMethodCannotBringInWhatTypingCannot) {
    const struct {
        entry::FilteredLineEdit* box;
        const char* committed;
        const char* kept;
        const char* message;  // nullptr: let in
    } cases[] = {
        {form().txtCity, "Pune-411001", "", "Please enter only letters"},
        {form().txtCity, "Pune", "Pune", nullptr},
        {form().txtLatDeg, "ab", "", "Please enter only numbers"},
        {form().txtLatDeg, "28", "28", nullptr},
    };
    for (const auto& c : cases) {
        c.box->clear();
        fake.messages.clear();
        QInputMethodEvent commit(QString(), {});
        commit.setCommitString(QString::fromUtf8(c.committed));
        QApplication::sendEvent(c.box, &commit);
        EXPECT_EQ(c.box->text(), QString::fromUtf8(c.kept)) << c.committed;
        ASSERT_EQ(fake.messages.size(), c.message ? 1U : 0U) << c.committed;
        if (c.message) {
            EXPECT_EQ(fake.messages[0].text, QString::fromUtf8(c.message));
        }
    }
}

// The middle button pastes the X selection (where the system has one): the
// same rule, the same message.
TEST_F(EntryForm, AMiddleClickCannotBringInWhatTypingCannot) {
    if (!QGuiApplication::clipboard()->supportsSelection()) {
        GTEST_SKIP() << "this platform has no X selection (offscreen); checked under Xvfb by hand";
    }
    QGuiApplication::clipboard()->setText(QStringLiteral("12-34"), QClipboard::Selection);
    QTest::mouseClick(form().txtName, Qt::MiddleButton);
    EXPECT_TRUE(form().txtName->text().isEmpty());
    ASSERT_EQ(fake.messages.size(), 1U);
    EXPECT_EQ(fake.messages[0].text, QStringLiteral("Please enter only letters"));
}

// What the keyboard cannot do is not offered: no default button (Enter is
// refused in the boxes), no shortcut in a box's menu that the box refuses.
TEST_F(EntryForm, NothingOffersWhatTheKeyboardCannotDo) {
    EXPECT_FALSE(form().cmdCalculate->isDefault());
    EXPECT_FALSE(form().cmdCalculate->autoDefault());
    for (entry::FilteredLineEdit* box : {form().txtName, form().txtLatDeg}) {
        QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(5, 5), box->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(box, &menuEvent);
        QMenu* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        int actions = 0;
        for (const QAction* action : menu->actions()) {
            if (action->isSeparator()) continue;
            ++actions;
            EXPECT_FALSE(action->text().contains(QLatin1Char('\t'))) << action->text().toStdString();
            EXPECT_TRUE(action->shortcut().isEmpty()) << action->text().toStdString();
        }
        EXPECT_GT(actions, 3);
        menu->close();
    }
}

TEST_F(EntryForm, DateRuleThroughTheForm) {
    struct Case {
        int day, month, year;
        const char* message;  // nullptr: the chart is shown
    } const cases[] = {
        // One accepted and one refused date per message; the core's tests
        // hold the whole table of the date rule.
        {29, 2, 2000, nullptr},
        {29, 2, 1999, "Please Enter Correct Date Or Month!"},
        {30, 4, 1999, nullptr},
        {31, 4, 1999, "Please Enter Correct Date Or Month !"},
    };
    fillPune();
    for (const Case& c : cases) {
        fake.messages.clear();
        setDate(c.day, c.month, c.year);
        QTest::mouseClick(form().cmdCalculate, Qt::LeftButton);
        if (c.message) {
            ASSERT_EQ(fake.messages.size(), 1U) << c.day << "/" << c.month << "/" << c.year;
            EXPECT_EQ(fake.messages[0].text, QLatin1String(c.message));
            EXPECT_EQ(fake.messages[0].icon, Icon::Information);
            EXPECT_TRUE(form().isVisible());
        } else {
            EXPECT_TRUE(fake.messages.empty()) << c.day << "/" << c.month << "/" << c.year;
            ASSERT_NE(program->frame(), nullptr);
            EXPECT_FALSE(form().isVisible());
            program->frame()->cmdBack->click();  // back to the form, values kept
            EXPECT_TRUE(form().isVisible());
            EXPECT_EQ(form().txtCity->text(), QStringLiteral("Pune"));
        }
    }
}

TEST_F(EntryForm, OnlyTheFirstFailingCheckIsReportedAndFocused) {
    QTest::keyClicks(form().txtLatDeg, QStringLiteral("18"));
    form().cmdCalculate->click();
    ASSERT_EQ(fake.messages.size(), 1U);
    EXPECT_EQ(fake.messages[0].text, QStringLiteral("Please Enter Your Name"));
    EXPECT_EQ(fake.messages[0].icon, Icon::Error);
    EXPECT_TRUE(form().txtName->hasFocus());

    QTest::keyClicks(form().txtName, QStringLiteral("abc"));
    fake.messages.clear();
    form().mnuCalculate->trigger();  // the menu item runs the same checks
    ASSERT_EQ(fake.messages.size(), 1U);
    EXPECT_EQ(fake.messages[0].text, QStringLiteral("Please Enter Minutes of Latitude"));
    EXPECT_TRUE(form().txtLatMin->hasFocus());
}

TEST_F(EntryForm, OneBlankNameAndLatitude95Degrees70MinutesReachTheCalculation) {
    fillPune();
    form().txtName->clear();
    QTest::keyClick(form().txtName, Qt::Key_Space);
    form().txtLatDeg->setText(QStringLiteral("95"));
    form().txtLatMin->setText(QStringLiteral("70"));
    form().cmdCalculate->click();
    EXPECT_TRUE(fake.messages.empty());
    EXPECT_EQ(program->session().record.BirthName, " ");
    EXPECT_EQ(program->session().record.birth.LatDegrees, 95);
    EXPECT_EQ(program->session().record.birth.LatMinutes, 70);
}

TEST_F(EntryForm, CoordinateLookupSearchesForThePlace) {
    form().cmdFindCoordinates->click();
    ASSERT_EQ(fake.messages.size(), 1U);
    EXPECT_EQ(fake.messages[0].text, QStringLiteral("Please Enter City"));
    EXPECT_TRUE(form().txtCity->hasFocus());
    EXPECT_TRUE(fake.openedUrls.isEmpty());

    fillPune();
    form().cmdFindCoordinates->click();
    ASSERT_EQ(fake.openedUrls.size(), 1);
    EXPECT_TRUE(fake.openedUrls[0].endsWith(QStringLiteral("Pune%20Maharashtra%20India%20Latitude%20Longitude")))
        << fake.openedUrls[0].toStdString();
}

#ifdef VELORIN_ATLAS_IN_TESTS
// The atlas behind the find-coordinates button: made-up places, the system's zones.
const testdata::FakeAtlas& testAtlas() {
    static const testdata::FakeAtlas atlas(
        {
            testdata::MadePlace("Kathmandu", "Bagmati Province", "Nepal", "NP", "Asia/Kathmandu", 27.70169, 85.3206, 1442271),
            testdata::MadePlace("London", "England", "United Kingdom", "GB", "Europe/London", 51.50853, -0.12574, 8961989),
            testdata::MadePlace("London", "Ontario", "Canada", "CA", "America/Toronto", 42.98339, -81.23304, 346765),
        },
        atlas::ZoneAt);
    return atlas;
}

TEST_F(EntryForm, ThePlaceFinderFillsTheFormAndTheChartFollows) {
    form().setAtlas(&testAtlas());
    QTest::keyClicks(form().txtName, QStringLiteral("abc"));
    setDate(15, 1, 1990);
    form().cboHour->setCurrentIndex(0);
    form().cboMinute->setCurrentIndex(10);
    QTest::keyClicks(form().txtCity, QStringLiteral("Kathmandu"));
    QTest::keyClicks(form().txtState, QStringLiteral("Bagmati Province"));
    QTest::keyClicks(form().txtCountry, QStringLiteral("Nepal"));
    form().cmdFindCoordinates->click();
    auto* finder = form().findChild<entry::PlaceFinder*>();
    ASSERT_NE(finder, nullptr);
    EXPECT_TRUE(fake.openedUrls.isEmpty());
    ASSERT_EQ(finder->lstPlaces->topLevelItemCount(), 1);
    EXPECT_EQ(finder->lstPlaces->topLevelItem(0)->text(5), QStringLiteral("+5:45"));
    // Said before the user accepts: the birth is entered in universal time.
    EXPECT_TRUE(finder->lblChoice->text().contains(QStringLiteral("1990-01-14 18:25"))) << finder->lblChoice->text().toStdString();

    QTest::keyClick(finder->txtSearch, Qt::Key_Return);
    const app::BirthFormValues v = form().values();
    EXPECT_EQ((std::vector<std::string>{v.txtLatDeg, v.txtLatMin, v.txtLonDeg, v.txtLonMin}),
              (std::vector<std::string>{"27", "42", "85", "19"}));
    EXPECT_TRUE(v.optLatNorth && v.optLongEast);
    EXPECT_EQ(v.cboTimeZone, app::ZonePositionOf("UT"));
    EXPECT_FALSE(v.chkDST);
    EXPECT_EQ((std::vector<int>{v.cboDate + 1, v.cboMonth + 1, v.cboHour, v.cboMinute}), (std::vector<int>{14, 1, 18, 25}));

    // The chart that follows is the one for that instant.
    form().cmdCalculate->click();
    ASSERT_NE(program->frame(), nullptr);
    EXPECT_EQ(program->session().record.birth.BirthHour, 18);
    EXPECT_EQ(program->session().record.birth.ZoneHoursSigned, 0);
}

TEST_F(EntryForm, ThePlaceFinderByKeyboardAndItsWebSearch) {
    form().setAtlas(&testAtlas());
    setDate(15, 7, 1985);
    form().cboHour->setCurrentIndex(14);
    QTest::keyClicks(form().txtCity, QStringLiteral("London"));
    QTest::keyClicks(form().txtState, QStringLiteral("Ontario"));
    QTest::keyClicks(form().txtCountry, QStringLiteral("Canada"));
    form().cmdFindCoordinates->click();
    auto* finder = form().findChild<entry::PlaceFinder*>();
    ASSERT_NE(finder, nullptr);
    ASSERT_EQ(finder->lstPlaces->topLevelItemCount(), 1);
    // A new search as typed; the arrows move through the list from the search box.
    finder->txtSearch->clear();
    QTest::keyClicks(finder->txtSearch, QStringLiteral("london"));
    finder->search();
    ASSERT_EQ(finder->lstPlaces->topLevelItemCount(), 2);
    EXPECT_EQ(finder->lstPlaces->currentItem()->text(1), QStringLiteral("England"));
    // The minutes as the list and --place-list write them: 0:08W, not 0:8W.
    EXPECT_TRUE(finder->lblChoice->text().startsWith(QStringLiteral("For 15 July 1985 14:00 the form gets 51:31N 0:08W, zone ")))
        << finder->lblChoice->text().toStdString();
    QTest::keyClick(finder->txtSearch, Qt::Key_Down);
    EXPECT_EQ(finder->lstPlaces->currentItem()->text(1), QStringLiteral("Ontario"));
    // Enter while a search still waits searches and uses the best place.
    app::BirthFormValues before = form().values();
    finder->txtSearch->clear();
    QTest::keyClicks(finder->txtSearch, QStringLiteral("london"));
    QTest::keyClick(finder->txtSearch, Qt::Key_Return);
    EXPECT_EQ(form().values().txtState, "England");
    form().setValues(before);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // the used window is gone
    form().cmdFindCoordinates->click();
    finder = form().findChild<entry::PlaceFinder*>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_NE(finder, nullptr);
    // The web search is still there, for the phrase of the form.
    finder->cmdWeb->click();
    ASSERT_EQ(fake.openedUrls.size(), 1);
    EXPECT_TRUE(fake.openedUrls[0].endsWith(QStringLiteral("London%20Ontario%20Canada%20Latitude%20Longitude")));
    // Escape closes it and changes nothing.
    before = form().values();
    QTest::keyClick(finder->txtSearch, Qt::Key_Escape);
    EXPECT_EQ(form().values().txtLonDeg, before.txtLonDeg);
    EXPECT_EQ(form().values().cboTimeZone, before.cboTimeZone);

    // Used: west of Greenwich in summer, Eastern Daylight Time.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    form().cmdFindCoordinates->click();
    finder = form().findChild<entry::PlaceFinder*>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_NE(finder, nullptr);
    finder->cmdUse->click();
    EXPECT_EQ(form().values().cboTimeZone, app::ZonePositionOf("EDT"));
    EXPECT_TRUE(form().values().optLongWest);
    EXPECT_EQ(form().values().txtLonDeg, "81");
}

// A place from the atlas stays tied to the date and time: chosen with the
// form's first date, then the user picks the real one (as from the keyboard);
// a zone chosen by hand lets the place go.
TEST_F(EntryForm, APlaceFromTheAtlasFollowsTheDateAndTime) {
    form().setAtlas(&testAtlas());
    const auto choose = [&](const char* city, const char* state, const char* country) {
        form().txtCity->setText(QString::fromUtf8(city));
        form().txtState->setText(QString::fromUtf8(state));
        form().txtCountry->setText(QString::fromUtf8(country));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        form().cmdFindCoordinates->click();
        auto* finder = form().findChild<entry::PlaceFinder*>(QString(), Qt::FindDirectChildrenOnly);
        ASSERT_NE(finder, nullptr);
        finder->cmdUse->click();
    };
    const auto pick = [&](QComboBox* list, int position) {
        list->setCurrentIndex(position);
        emit list->activated(position);  // as the user's choice does
    };
    setDate(15, 1, 1990);
    choose("London", "England", "United Kingdom");
    EXPECT_FALSE(form().values().chkDST);
    EXPECT_TRUE(form().lblZoneHint->text().startsWith(QStringLiteral("From the atlas for 15 January 1990 0:00: London")))
        << form().lblZoneHint->text().toStdString();
    struct Step {
        QComboBox* list;
        int position;
        bool dst;
        const char* note;
    } const steps[] = {
        {form().cboMonth, 6, true, "From the atlas for 15 July 1990 0:00"},    // summer time
        {form().cboHour, 10, true, "From the atlas for 15 July 1990 10:00"},
        {form().cboMonth, 11, false, "From the atlas for 15 December 1990 10:00"},
    };
    for (const Step& step : steps) {
        pick(step.list, step.position);
        EXPECT_EQ(form().values().chkDST, step.dst) << step.note;
        EXPECT_EQ(form().values().cboTimeZone, app::ZonePositionOf("GMT")) << step.note;  // summer time as daylight saving
        EXPECT_TRUE(form().lblZoneHint->text().startsWith(QString::fromUtf8(step.note))) << step.note;
    }
    // A zone chosen by hand unties: the date no longer moves it.
    pick(form().cboTimeZone, app::ZonePositionOf("GMT"));
    pick(form().cboMonth, 6);
    EXPECT_FALSE(form().values().chkDST);
    EXPECT_TRUE(form().lblZoneHint->text().isEmpty()) << form().lblZoneHint->text().toStdString();

    // Kathmandu (+5:45) is entered in universal time; a later hour is the
    // birth's own clock moved, and the local time is what the window is given again.
    setDate(15, 1, 1990);
    form().cboHour->setCurrentIndex(0);
    form().cboMinute->setCurrentIndex(10);
    choose("Kathmandu", "Bagmati Province", "Nepal");
    app::BirthFormValues v = form().values();
    EXPECT_EQ((std::vector<int>{v.cboDate + 1, v.cboHour, v.cboMinute}), (std::vector<int>{14, 18, 25}));
    pick(form().cboHour, 20);  // 20:25 UT is 2:10 local on the 15th
    v = form().values();
    EXPECT_EQ((std::vector<int>{v.cboDate + 1, v.cboHour, v.cboMinute}), (std::vector<int>{14, 20, 25}));
    EXPECT_EQ(form().localValues().cboHour, 2);
    EXPECT_TRUE(form().lblZoneHint->text().startsWith(QStringLiteral("From the atlas for 15 January 1990 2:10")))
        << form().lblZoneHint->text().toStdString();
    // The whole note is shown, though it takes more lines than the hint's room.
    form().show();
    QApplication::processEvents();
    const QLabel* label = form().lblZoneHint;
    ASSERT_GT(label->heightForWidth(label->width()), 4 * label->fontMetrics().lineSpacing());
    EXPECT_LE(label->heightForWidth(label->width()), label->height()) << label->text().toStdString();
}
#endif

}  // namespace
