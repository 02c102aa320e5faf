#include "entry/PlaceFinder.h"

#include <algorithm>

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QScreen>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/BirthForm.h"
#include "app/ZoneTable.h"
#include "atlas/ZoneChoice.h"

namespace entry {

namespace {

QString fromStd(const std::string& text) { return QString::fromStdString(text); }

// The core's reason as a sentence of the window: a capital first.
QString sentence(const std::string& text) {
    QString s = fromStd(text);
    if (!s.isEmpty()) s[0] = s[0].toUpper();
    return s;
}

QString dateText(const app::BirthFormValues& form) {
    return QString::number(form.cboDate + 1) + QLatin1Char(' ') +
           fromStd(std::string(app::MonthNames[static_cast<std::size_t>(form.cboMonth)])) + QLatin1Char(' ') +
           QString::number(app::FirstListYear + form.cboYear);
}

QString timeText(int hour, int minute) { return QStringLiteral("%1:%2").arg(hour).arg(minute, 2, 10, QLatin1Char('0')); }

QString zoneRowName(int position) {
    const std::string_view name = app::ZoneTable[static_cast<std::size_t>(position)].name;
    return QString::number(position) + QLatin1Char(' ') + fromStd(std::string(name.substr(0, name.find(','))));
}

}  // namespace

PlaceFinder::PlaceFinder(const atlas::Atlas& source, const app::BirthFormValues& form, const QString& query, QWidget* parent)
    : QDialog(parent), data_(source), form_(form), filled_(form) {
    setObjectName(QStringLiteral("PlaceFinder"));
    setWindowTitle(tr("Find the Place of Birth"));
    auto* layout = new QVBoxLayout(this);

    auto* prompt = new QLabel(tr("&Place (city, state, country):"), this);
    txtSearch = new QLineEdit(query, this);
    txtSearch->setObjectName(QStringLiteral("txtSearch"));
    prompt->setBuddy(txtSearch);
    layout->addWidget(prompt);
    layout->addWidget(txtSearch);

    lstPlaces = new QTreeWidget(this);
    lstPlaces->setObjectName(QStringLiteral("lstPlaces"));
    lstPlaces->setRootIsDecorated(false);
    lstPlaces->setUniformRowHeights(true);
    lstPlaces->setHeaderLabels({tr("Place"), tr("State"), tr("Country"), tr("Coordinates"), tr("Time zone"),
                                tr("At the birth")});
    lstPlaces->setMinimumSize(760, 220);
    lstPlaces->header()->setStretchLastSection(false);
    layout->addWidget(lstPlaces, 1);

    lblChoice = new QLabel(this);
    lblChoice->setObjectName(QStringLiteral("lblChoice"));
    lblChoice->setWordWrap(true);
    lblChoice->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Whatever it says, the sentence keeps its room: five lines, the
    // dialog's width (a long word is cut, never widens the window), the
    // whole in its tip.
    lblChoice->setFixedHeight(5 * lblChoice->fontMetrics().lineSpacing());
    lblChoice->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    txtSearch->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    layout->addWidget(lblChoice);

    auto* buttons = new QDialogButtonBox(this);
    cmdUse = buttons->addButton(tr("&Use This Place"), QDialogButtonBox::AcceptRole);
    cmdWeb = buttons->addButton(tr("Search the &Web"), QDialogButtonBox::ActionRole);
    cmdClose = buttons->addButton(QDialogButtonBox::Close);
    cmdUse->setDefault(true);
    layout->addWidget(buttons);

    auto* credit = new QLabel(tr("Places: GeoNames (geonames.org), CC BY 4.0. Time zones: the tz database. "
                                 "Nothing is sent over the network unless you search the web."),
                              this);
    credit->setWordWrap(true);
    QFont small = credit->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    credit->setFont(small);
    layout->addWidget(credit);

    typing_ = new QTimer(this);
    typing_->setSingleShot(true);
    typing_->setInterval(200);
    connect(typing_, &QTimer::timeout, this, &PlaceFinder::search);
    connect(txtSearch, &QLineEdit::textEdited, typing_, qOverload<>(&QTimer::start));
    connect(lstPlaces, &QTreeWidget::currentItemChanged, this, &PlaceFinder::showChoice);
    connect(lstPlaces, &QTreeWidget::itemActivated, this, &PlaceFinder::useChoice);
    connect(cmdUse, &QPushButton::clicked, this, &PlaceFinder::useChoice);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdWeb, &QPushButton::clicked, this, &PlaceFinder::webSearchRequested);
    txtSearch->installEventFilter(this);
    search();
}

void PlaceFinder::search() {
    typing_->stop();
    const std::string text = txtSearch->text().toStdString();
    const atlas::PlaceSearch found = data_.FindPlaces(text);
    // Without a place of that very name, the closest are listed to choose from.
    places_ = found.matches;
    if (places_.empty()) places_ = found.nearest;
    if (places_.empty()) places_ = data_.PlacesStartingWith(text, 50);
    lstPlaces->clear();
    const atlas::LocalBirth birth = atlas::LocalBirthOf(form_);
    for (const atlas::Place& place : places_) {
        const atlas::ZoneLookup zone = data_.ZoneAtLocal(place.timeZone, birth.clock());
        const QString at = zone.problem.empty()
                               ? fromStd(atlas::OffsetText(zone.facts.offsetSeconds)) +
                                     (zone.facts.daylightSaving ? tr(" daylight saving") : QString())
                               : tr("(no such time)");
        // A place found by another name says which.
        const QString name = place.foundAs.empty() ? fromStd(place.name)
                                                   : tr("%1 (%2)").arg(fromStd(place.name), fromStd(place.foundAs));
        new QTreeWidgetItem(lstPlaces, {name, fromStd(place.state), fromStd(place.country),
                                        fromStd(atlas::CoordinatesText(place)), fromStd(place.timeZone), at});
    }
    fitColumns();
    if (places_.empty()) {
        lblChoice->setText(sentence(found.problem) + QLatin1Char('.'));
        lblChoice->setToolTip(lblChoice->text());
        cmdUse->setEnabled(false);
        return;
    }
    lstPlaces->setCurrentItem(lstPlaces->topLevelItem(0));
    showChoice();
    if (found.matches.empty()) {
        lblChoice->setText(sentence(found.problem) + QLatin1Char('.') + QLatin1Char(' ') +
                           tr("The closest places are listed: choose one, or change the text.") + QLatin1Char('\n') +
                           lblChoice->text());
    }
}

void PlaceFinder::fitColumns() {
    // Every column whole: the window widens for them, as far as the screen allows.
    int total = 2 * lstPlaces->frameWidth() + lstPlaces->verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < lstPlaces->columnCount(); ++column) {
        lstPlaces->resizeColumnToContents(column);
        total += lstPlaces->columnWidth(column);
    }
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const int room = screen ? screen->availableGeometry().width() - 40 : total;
    const int wanted = std::min(total, room) + width() - lstPlaces->width();
    if (wanted > width()) resize(wanted, height());
}

bool PlaceFinder::applyRow(app::BirthFormValues& filled, atlas::PlaceApplication& applied) {
    const int row = lstPlaces->indexOfTopLevelItem(lstPlaces->currentItem());
    if (row < 0 || static_cast<std::size_t>(row) >= places_.size()) {
        cmdUse->setEnabled(false);
        return false;
    }
    filled = form_;
    atlas::PlaceRequest request;
    request.chosen = places_[static_cast<std::size_t>(row)];
    applied = atlas::ApplyPlace(filled, request, data_);
    if (applied.problem.empty() && !applied.fill.dateMissing) return true;
    QString why = applied.fill.dateMissing ? tr("the date on the form does not exist") : fromStd(applied.problem);
    // A conversion that leaves the chart's years: the form's date is most likely not set yet.
    if (applied.fill.choice.universalTimeConversion && !applied.fill.choice.problem.empty()) {
        why += QStringLiteral(". ") + tr("Set the date and time of birth on the form first, then look the place up.");
    }
    lblChoice->setText(tr("This place cannot be used for %1 %2, the date and time on the form: %3")
                           .arg(dateText(form_), timeText(form_.cboHour, form_.cboMinute), why));
    lblChoice->setToolTip(lblChoice->text());
    cmdUse->setEnabled(false);
    return false;
}

void PlaceFinder::showChoice() {
    app::BirthFormValues filled;
    atlas::PlaceApplication applied;
    if (!applyRow(filled, applied)) return;
    const atlas::FormFill& fill = applied.fill;
    // The minutes in two digits, as the list of places writes them.
    const auto coordinate = [](const std::string& degrees, const std::string& minutes, char side) {
        return fromStd(atlas::CoordinateText(degrees, minutes, side));
    };
    QString text = tr("For %1 %2 the form gets %3 %4, zone %5, %6.")
                       .arg(dateText(form_), timeText(form_.cboHour, form_.cboMinute),
                            coordinate(filled.txtLatDeg, filled.txtLatMin, filled.optLatSouth ? 'S' : 'N'),
                            coordinate(filled.txtLonDeg, filled.txtLonMin, filled.optLongWest ? 'W' : 'E'),
                            zoneRowName(filled.cboTimeZone),
                            filled.chkDST ? tr("daylight saving") : tr("no daylight saving"));
    if (fill.converted) {
        text += QLatin1Char(' ') +
                tr("No zone of the list gives this place's offset (%1), so the birth is entered in universal time: "
                   "the date and time become %2-%3-%4 %5:%6%7.")
                    .arg(fromStd(atlas::OffsetText(fill.facts.offsetSeconds)))
                    .arg(app::FirstListYear + filled.cboYear)
                    .arg(filled.cboMonth + 1, 2, 10, QLatin1Char('0'))
                    .arg(filled.cboDate + 1, 2, 10, QLatin1Char('0'))
                    .arg(filled.cboHour)
                    .arg(filled.cboMinute, 2, 10, QLatin1Char('0'))
                    .arg(fill.choice.roundedSeconds ? tr(" (%1 s rounded away)").arg(fill.choice.roundedSeconds) : QString());
    }
    if (fill.repeated) text += QLatin1Char(' ') + tr("That time happened twice (the clocks went back): the first is taken.");
    lblChoice->setText(text);
    lblChoice->setToolTip(text);
    cmdUse->setEnabled(true);
}

void PlaceFinder::useChoice() {
    app::BirthFormValues filled;
    atlas::PlaceApplication applied;
    if (!applyRow(filled, applied)) return;
    filled_ = filled;
    chosen_ = applied;
    accept();
}

bool PlaceFinder::eventFilter(QObject* watched, QEvent* event) {
    // The arrows in the search box move through the list; Enter there uses
    // the place (a search still waiting is made first).
    if (watched == txtSearch && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down || key->key() == Qt::Key_PageUp ||
            key->key() == Qt::Key_PageDown) {
            // A key pressed while a search waits is meant for its list.
            if (typing_->isActive()) search();
            QKeyEvent copy(key->type(), key->key(), key->modifiers());
            QCoreApplication::sendEvent(lstPlaces, &copy);
            return true;
        }
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && typing_->isActive()) {
            search();
            useChoice();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace entry
