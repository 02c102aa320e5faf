// The birth-data entry form: the program's first window.
#pragma once

#include <QMainWindow>

#include "app/BirthForm.h"
#include "atlas/Atlas.h"
#include "atlas/Places.h"

#include <optional>
#include "platform/Platform.h"

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace entry {

class FilteredLineEdit;
class FormGrid;

class frmMain : public QMainWindow {
    Q_OBJECT
public:
    // Pixels between a unit hint ("DEG/MIN") and the box before it, and at
    // least between a button's caption and each of its edges.
    static constexpr int HintIndent = 4;
    static constexpr int ButtonPadding = 10;

    explicit frmMain(platform::Platform& platform, QWidget* parent = nullptr);

    // What the form shows, and putting values into it (as the chart-file
    // reader does: text boxes take any text, lists only their own entries).
    app::BirthFormValues values() const;
    void setValues(const app::BirthFormValues& values);

    // Shows a problem found by the checks or the calculation.
    void reportProblem(const app::InputProblem& problem);

    // The atlas the find-coordinates button searches; without one (a build
    // without the atlas) the button searches the web, as it always did.
    void setAtlas(const atlas::Atlas* source) { atlas_ = source; }

    // The form filled from a place of the atlas for the date and time in
    // `local` (the birth's own clock). The place stays tied to the form:
    // when the user changes the date or time, its zone, daylight saving or
    // conversion to universal time are worked out again and the form says
    // so; a place, zone or daylight saving typed or chosen by hand unties it.
    void usePlace(const atlas::Place& place, const app::BirthFormValues& local, const app::BirthFormValues& filled,
                  bool converted, int offsetSeconds);
    // The date and time in the birth's own clock (with a conversion to
    // universal time undone), the rest as the form holds it.
    app::BirthFormValues localValues() const;
    // With a place that entered the birth in universal time: the clock time
    // given ("8:12 local, Asia/Kathmandu +5:45"); empty otherwise.
    std::string localTimeGiven() const;

    // Controls, named as the form names them (their object names); two whose
    // form names say nothing carry descriptive member names.
    FilteredLineEdit* txtName;
    QComboBox* cboDate;
    QComboBox* cboMonth;
    QComboBox* cboYear;
    QComboBox* cboHour;
    QComboBox* cboMinute;
    QComboBox* cboTimeZone;
    FilteredLineEdit* txtLatDeg;
    FilteredLineEdit* txtLatMin;
    FilteredLineEdit* txtLonDeg;
    FilteredLineEdit* txtLonMin;
    FilteredLineEdit* txtCity;
    FilteredLineEdit* txtState;
    FilteredLineEdit* txtCountry;
    QGroupBox* Frame3;
    QRadioButton* optLat[2];   // 0 North, 1 South
    QGroupBox* Frame4;
    QRadioButton* optLong[2];  // 0 East, 1 West
    QCheckBox* chkDST;
    QPushButton* cmdCalculate;
    QPushButton* cmdOpen;
    QPushButton* cmdFindCoordinates;  // object name "Command1": looks up the place's coordinates
    QLabel* lblForumLink;             // object name "Label8": the link above the form
    QLabel* lblZoneHint;              // a passive hint when zone and place lie on different sides
    QAction* mnuCalculate;
    QAction* mnuExit;
    QAction* mnuOnline;
    QAction* mnuVisit;
    QAction* mnuUpdate;
    QAction* mnuAbout;

signals:
    // The user asked for the chart (button or menu); the program runs the
    // calculation on values().
    void calculateRequested();
    // The user asked to open a chart file.
    void openRequested();
    void aboutRequested();
    // Exit or the close box.
    void exitRequested();

public slots:
    void cmdCalculate_Click();
    void cmdFindCoordinates_Click();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void closeEvent(QCloseEvent* event) override;

private:
    const atlas::Atlas* atlas_ = nullptr;
    // The place of the atlas the form was filled from, while it is tied.
    struct TiedPlace {
        atlas::Place place;
        bool converted = false;  // the form's date and time are universal time
        int offsetSeconds = 0;   // the zone's offset at the birth
    };
    std::optional<TiedPlace> tie_;
    std::string placeNote_;     // what the atlas gave the form, shown above the zone hint
    bool applyingPlace_ = false;
    void reworkTiedPlace();
    void untiePlace();
    // The lines kept for the zone hint: its longest text wraps to four at the
    // form's narrowest.
    static constexpr int ZoneHintLines = 4;

    // What a coordinate row makes and how its controls are named.
    struct Coordinate {
        QString title;
        FilteredLineEdit** degrees;
        const char* degreesName;
        FilteredLineEdit** minutes;
        const char* minutesName;
        QGroupBox** frame;
        const char* frameName;
        QRadioButton** options;  // two
        const char* optionsName;
        QString first, second;
    };

    void buildMenus();
    void buildForm();
    void buildBirthRows(FormGrid& grid, QWidget* central);
    void buildPlaceRows(FormGrid& grid, QWidget* central);
    void buildCoordinateRow(FormGrid& grid, QWidget* central, const Coordinate& coordinate);
    void connectFields();
    void fillLists();
    void refuseKey(FilteredLineEdit* box);
    void updateZoneHint();
    void fitZoneHint();
    void showMessage(const QString& text, platform::Icon icon);
    QWidget* controlFor(app::FormControl control) const;

    platform::Platform& platform_;
};

}  // namespace entry
