// The look-up behind the find-coordinates button: the atlas searched for the
// place typed, the matches listed with their zone at the birth's date and
// time, and the form filled with the one chosen.
#pragma once

#include <QDialog>

#include <vector>

#include "app/BirthForm.h"
#include "atlas/Atlas.h"
#include "atlas/FormFill.h"
#include "atlas/PlaceApplication.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class QTreeWidget;

namespace entry {

class PlaceFinder : public QDialog {
    Q_OBJECT
public:
    // `form` is what the entry form holds (its date and time decide the zone);
    // `query` the place typed ("City, State, Country").
    PlaceFinder(const atlas::Atlas& source, const app::BirthFormValues& form, const QString& query,
                QWidget* parent = nullptr);

    // The form filled from the chosen place, the place, and whether the
    // form's date and time became universal time (valid once accepted).
    const app::BirthFormValues& filledForm() const { return filled_; }
    const atlas::Place& chosenPlace() const { return chosen_.place; }
    bool converted() const { return chosen_.fill.converted; }
    int offsetSeconds() const { return chosen_.fill.facts.offsetSeconds; }

    // Searches at once (typing searches after a short pause).
    void search();

    QLineEdit* txtSearch;
    QTreeWidget* lstPlaces;
    QLabel* lblChoice;
    QPushButton* cmdUse;
    QPushButton* cmdWeb;
    QPushButton* cmdClose;

signals:
    // The web search for the phrase, as before the atlas.
    void webSearchRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showChoice();
    void useChoice();
    // The current row applied to the form's values; false (with the reason
    // shown) when it cannot be used for the form's date and time.
    bool applyRow(app::BirthFormValues& filled, atlas::PlaceApplication& applied);
    void fitColumns();

    const atlas::Atlas& data_;
    app::BirthFormValues form_;
    app::BirthFormValues filled_;
    atlas::PlaceApplication chosen_;
    std::vector<atlas::Place> places_;
    QTimer* typing_;
};

}  // namespace entry
