#include "entry/frmMain.h"

#include <optional>
#include "entry/PlaceFinder.h"

#include <algorithm>

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QResizeEvent>
#include <QShowEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/Version.h"
#include "astro/DecimalDigits.h"
#include "atlas/PlaceApplication.h"
#include "app/ZoneTable.h"
#include "entry/FilteredLineEdit.h"
#include "web/HelpMenu.h"
#include "web/modHelp.h"

namespace entry {

namespace {


// The form's date and time set to a clock reading (the lists' years bound
// it: a reading outside them gives nothing).
std::optional<app::BirthFormValues> withClock(app::BirthFormValues form, astro::LocalMinute clock) {
    const astro::CivilParts parts = astro::PartsOf(clock);
    const int year = astro::YearOf(parts.date);
    if (year < app::FirstListYear || year > app::FirstListYear + app::YearListSize - 1) return std::nullopt;
    form.cboYear = year - app::FirstListYear;
    form.cboMonth = astro::MonthOf(parts.date) - 1;
    form.cboDate = astro::DayOf(parts.date) - 1;
    form.cboHour = static_cast<int>(parts.time.hours().count());
    form.cboMinute = static_cast<int>(parts.time.minutes().count());
    return form;
}

QComboBox* pickList(const char* name, QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QLatin1String(name));
    list->setEditable(false);
    return list;
}

FilteredLineEdit* textBox(const char* name, FilteredLineEdit::Rule rule, QWidget* parent) {
    auto* box = new FilteredLineEdit(rule, parent);
    box->setObjectName(QLatin1String(name));
    if (rule == FilteredLineEdit::Rule::Digits) {
        box->setMaxLength(static_cast<int>(app::CoordinateMaxLength));
        box->setMaximumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 16);
    }
    return box;
}

}  // namespace

frmMain::frmMain(platform::Platform& platform, QWidget* parent) : QMainWindow(parent), platform_(platform) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(platform::fromUtf8(app::WindowCaption));
    buildMenus();
    buildForm();
    fillLists();
}

void frmMain::buildMenus() {
    QMenu* mnuFile = menuBar()->addMenu(tr("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuCalculate = mnuFile->addAction(tr("Get My &Rasi Chart"));
    mnuCalculate->setObjectName(QStringLiteral("mnuCalculate"));
    mnuFile->addSeparator()->setObjectName(QStringLiteral("mnuFileSep"));
    mnuExit = mnuFile->addAction(tr("&Exit"));
    mnuExit->setObjectName(QStringLiteral("mnuExit"));

    const web::HelpMenu help = web::AddHelpMenu(menuBar(), platform_);
    mnuOnline = help.mnuOnline;
    mnuVisit = help.mnuVisit;
    mnuUpdate = help.mnuUpdate;
    mnuAbout = help.mnuAbout;

    connect(mnuCalculate, &QAction::triggered, this, &frmMain::cmdCalculate_Click);
    connect(mnuExit, &QAction::triggered, this, &QWidget::close);
    connect(mnuAbout, &QAction::triggered, this, &frmMain::aboutRequested);
}

namespace {

// A button's caption as drawn: "&&" is an ampersand, a single "&" marks the shortcut.
QString shownCaption(const QString& text) {
    return QString(text).replace(QStringLiteral("&&"), QStringLiteral("\x01")).remove(QLatin1Char('&')).replace(QLatin1Char('\x01'), QLatin1Char('&'));
}

// Room around a button's caption, whatever the style's own margins.
void padCaption(QPushButton* button) {
    const int width = button->fontMetrics().horizontalAdvance(shownCaption(button->text()));
    button->setMinimumWidth(std::max(button->sizeHint().width(), width + 2 * frmMain::ButtonPadding));
}

}  // namespace

// The rows of the entry form: a caption in the first column, the fields
// across the other four.
class FormGrid {
public:
    explicit FormGrid(QWidget* parent) : parent_(parent), grid_(new QGridLayout) {
        grid_->setHorizontalSpacing(8);
        grid_->setVerticalSpacing(6);
        grid_->setColumnStretch(1, 1);
    }
    QGridLayout* layout() const { return grid_; }

    // A row with a caption whose shortcut goes to `buddy`.
    void add(const QString& title, QWidget* buddy, QWidget* fields) {
        caption(title, buddy);
        grid_->addWidget(fields, row_++, 1, 1, 4);
    }
    void add(const QString& title, QWidget* buddy, QLayout* fields) {
        caption(title, buddy);
        grid_->addLayout(fields, row_++, 1, 1, 4);
    }
    // A row without a caption.
    void add(QWidget* fields, Qt::Alignment alignment = {}) { grid_->addWidget(fields, row_++, 1, 1, 4, alignment); }

    // A small grey hint beside the fields ("HH/MM").
    QLabel* hint(const QString& text) const {
        auto* label = new QLabel(text, parent_);
        label->setObjectName(QStringLiteral("lblLabel"));
        label->setIndent(frmMain::HintIndent);  // clear of the box it follows
        return label;
    }

private:
    void caption(const QString& text, QWidget* buddy) {
        auto* label = new QLabel(text, parent_);
        label->setObjectName(QStringLiteral("lblLabel"));
        label->setBuddy(buddy);
        grid_->addWidget(label, row_, 0, Qt::AlignRight | Qt::AlignVCenter);
    }

    QWidget* parent_;
    QGridLayout* grid_;
    int row_ = 0;
};

void frmMain::buildForm() {
    auto* central = new QWidget(this);
    auto* outer = new QVBoxLayout(central);

    lblForumLink = new QLabel(central);
    lblForumLink->setObjectName(QStringLiteral("Label8"));
    // The link says what it opens (the manual, or the home page a build sets).
    lblForumLink->setText(QStringLiteral("<a href=\"home\">%1</a>").arg(web::HomeLinkText().toHtmlEscaped()));
    lblForumLink->setAlignment(Qt::AlignCenter);
    // Clickable, but not a stop of the Tab key: the keyboard goes from field to field.
    lblForumLink->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    lblForumLink->setFocusPolicy(Qt::NoFocus);
    connect(lblForumLink, &QLabel::linkActivated, this, [this] { web::OpenWebPage(platform_, web::Page::Home); });
    outer->addWidget(lblForumLink);

    FormGrid grid(central);
    buildBirthRows(grid, central);
    buildPlaceRows(grid, central);
    outer->addLayout(grid.layout());
    outer->addSpacing(6);

    cmdCalculate = new QPushButton(tr("Get My &Rashi Chart (South)"), central);
    cmdCalculate->setObjectName(QStringLiteral("cmdCalculate"));
    // Not drawn as the default button: Enter in the text boxes is refused,
    // so the keyboard could not press it that way.
    cmdCalculate->setAutoDefault(false);
    cmdOpen = new QPushButton(tr("&Open Previously Saved Reading"), central);
    cmdOpen->setObjectName(QStringLiteral("cmdOpen"));
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {cmdCalculate, cmdOpen}) {
        padCaption(button);
        buttons->addWidget(button);
    }
    outer->addLayout(buttons);
    outer->addStretch(1);
    setCentralWidget(central);

    // Tab order of the entry fields, then the rest.
    QWidget* order[] = {txtName,   cboDate,  cboMonth, cboYear, cboHour,    cboMinute, cboTimeZone,
                        txtLatDeg, txtLatMin, txtLonDeg, txtLonMin, txtCity, txtState, txtCountry,
                        optLat[0], optLat[1], optLong[0], optLong[1], chkDST, cmdFindCoordinates, cmdCalculate, cmdOpen};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);
    connectFields();
}

// Name, date, time and zone, with the zone's hint under the zone.
void frmMain::buildBirthRows(FormGrid& grid, QWidget* central) {
    txtName = textBox("txtName", FilteredLineEdit::Rule::Letters, central);
    grid.add(tr("Name"), txtName, txtName);

    cboDate = pickList("cboDate", central);
    cboMonth = pickList("cboMonth", central);
    cboYear = pickList("cboYear", central);
    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(cboDate);
    dateRow->addWidget(cboMonth, 1);
    dateRow->addWidget(cboYear);
    grid.add(tr("Date of Birth"), cboDate, dateRow);

    cboHour = pickList("cboHour", central);
    cboMinute = pickList("cboMinute", central);
    auto* timeRow = new QHBoxLayout;
    timeRow->addWidget(cboHour);
    timeRow->addWidget(cboMinute);
    timeRow->addWidget(grid.hint(tr("HH/MM")));
    timeRow->addStretch(1);
    grid.add(tr("Time of Birth"), cboHour, timeRow);

    cboTimeZone = pickList("cboTimeZone", central);
    grid.add(tr("Time Zone"), cboTimeZone, cboTimeZone);
    // Says something while the zone and the East/West option disagree, or
    // what a place from the atlas set; it takes no focus and asks nothing.
    // Its room is kept whether it says anything or not, so that nothing below
    // it moves when the hint appears; only a place's note longer than that
    // room makes it taller.
    lblZoneHint = new QLabel(central);
    lblZoneHint->setObjectName(QStringLiteral("lblZoneHint"));
    lblZoneHint->setWordWrap(true);
    lblZoneHint->setFocusPolicy(Qt::NoFocus);
    lblZoneHint->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont hintFont = lblZoneHint->font();
    hintFont.setItalic(true);
    lblZoneHint->setFont(hintFont);
    lblZoneHint->setMinimumHeight(ZoneHintLines * QFontMetrics(hintFont).lineSpacing());
    grid.add(lblZoneHint);
}

// A coordinate's degrees and minutes boxes and its pair of directions.
void frmMain::buildCoordinateRow(FormGrid& grid, QWidget* central, const Coordinate& c) {
    *c.degrees = textBox(c.degreesName, FilteredLineEdit::Rule::Digits, central);
    *c.minutes = textBox(c.minutesName, FilteredLineEdit::Rule::Digits, central);
    auto* line = new QHBoxLayout;
    line->addWidget(*c.degrees);
    line->addWidget(*c.minutes);
    line->addWidget(grid.hint(tr("DEG/MIN")));
    QGroupBox* frame = new QGroupBox(central);
    *c.frame = frame;
    frame->setObjectName(QLatin1String(c.frameName));
    frame->setFlat(true);
    auto* frameLayout = new QHBoxLayout(frame);
    frameLayout->setContentsMargins(8, 0, 0, 0);
    c.options[0] = new QRadioButton(c.first, frame);
    c.options[1] = new QRadioButton(c.second, frame);
    for (int k = 0; k < 2; ++k) {
        c.options[k]->setObjectName(QLatin1String(c.optionsName));
        frameLayout->addWidget(c.options[k]);
    }
    c.options[0]->setChecked(true);
    line->addWidget(frame);
    line->addStretch(1);
    grid.add(c.title, *c.degrees, line);
}

// Latitude, longitude, daylight saving, the place and the look-up button.
void frmMain::buildPlaceRows(FormGrid& grid, QWidget* central) {
    buildCoordinateRow(grid, central,
                       {tr("Latitude"), &txtLatDeg, "txtLatDeg", &txtLatMin, "txtLatMin", &Frame3, "Frame3", optLat,
                        "optLat", tr("North"), tr("South")});
    buildCoordinateRow(grid, central,
                       {tr("Longitude"), &txtLonDeg, "txtLonDeg", &txtLonMin, "txtLonMin", &Frame4, "Frame4", optLong,
                        "optLong", tr("East"), tr("West")});

    chkDST = new QCheckBox(tr("Daylight Saving Time"), central);
    chkDST->setObjectName(QStringLiteral("chkDST"));
    grid.add(chkDST);

    txtCity = textBox("txtCity", FilteredLineEdit::Rule::Letters, central);
    grid.add(tr("City"), txtCity, txtCity);
    txtState = textBox("txtState", FilteredLineEdit::Rule::Letters, central);
    grid.add(tr("State"), txtState, txtState);
    txtCountry = textBox("txtCountry", FilteredLineEdit::Rule::Letters, central);
    grid.add(tr("Country"), txtCountry, txtCountry);

    cmdFindCoordinates = new QPushButton(tr("Click here to find Latitude && Longitude"), central);
    cmdFindCoordinates->setObjectName(QStringLiteral("Command1"));
    padCaption(cmdFindCoordinates);
    grid.add(cmdFindCoordinates, Qt::AlignLeft);
}

void frmMain::connectFields() {
    for (FilteredLineEdit* box : {txtName, txtLatDeg, txtLatMin, txtLonDeg, txtLonMin, txtCity, txtState, txtCountry}) {
        connect(box, &FilteredLineEdit::refused, this, [this, box] { refuseKey(box); });
        connect(box, &FilteredLineEdit::tooLong, this, [this, box] {
            showMessage(platform::fromUtf8(app::TooLongMessage), platform::Icon::Error);
            box->setFocus(Qt::OtherFocusReason);
        });
    }
    connect(cboTimeZone, &QComboBox::currentIndexChanged, this, &frmMain::updateZoneHint);
    // A place from the atlas follows the date and time the user chooses, and
    // is let go when the user sets the place, the zone or daylight saving.
    for (QComboBox* list : {cboDate, cboMonth, cboYear, cboHour, cboMinute}) {
        connect(list, &QComboBox::activated, this, &frmMain::reworkTiedPlace);
    }
    connect(cboTimeZone, &QComboBox::activated, this, &frmMain::untiePlace);
    connect(chkDST, &QCheckBox::clicked, this, &frmMain::untiePlace);
    for (QRadioButton* option : {optLat[0], optLat[1], optLong[0], optLong[1]}) {
        connect(option, &QRadioButton::clicked, this, &frmMain::untiePlace);
    }
    for (FilteredLineEdit* box : {txtLatDeg, txtLatMin, txtLonDeg, txtLonMin, txtCity, txtState, txtCountry}) {
        connect(box, &QLineEdit::textEdited, this, &frmMain::untiePlace);
    }
    for (QRadioButton* option : optLong) connect(option, &QRadioButton::toggled, this, &frmMain::updateZoneHint);
    for (FilteredLineEdit* box : {txtLonDeg, txtLonMin}) connect(box, &QLineEdit::textChanged, this, &frmMain::updateZoneHint);
    connect(cmdCalculate, &QPushButton::clicked, this, &frmMain::cmdCalculate_Click);
    connect(cmdOpen, &QPushButton::clicked, this, &frmMain::openRequested);
    connect(cmdFindCoordinates, &QPushButton::clicked, this, &frmMain::cmdFindCoordinates_Click);
}

void frmMain::fillLists() {
    for (int day = 1; day <= app::DayListSize; ++day) cboDate->addItem(QString::number(day));
    for (std::string_view month : app::MonthNames) cboMonth->addItem(platform::fromUtf8(month));
    for (int year = app::FirstListYear; year < app::FirstListYear + app::YearListSize; ++year) cboYear->addItem(QString::number(year));
    for (int hour = 0; hour < app::HourListSize; ++hour) cboHour->addItem(QString::number(hour));
    for (int minute = 0; minute < app::MinuteListSize; ++minute) cboMinute->addItem(QString::number(minute));
    for (const app::ZoneRow& zone : app::ZoneTable) cboTimeZone->addItem(platform::fromUtf8(zone.name));
    for (QComboBox* list : {cboDate, cboMonth, cboYear, cboHour, cboMinute, cboTimeZone}) list->setCurrentIndex(0);
}

app::BirthFormValues frmMain::values() const {
    app::BirthFormValues v;
    v.txtName = txtName->text().toStdString();
    v.cboDate = cboDate->currentIndex();
    v.cboMonth = cboMonth->currentIndex();
    v.cboYear = cboYear->currentIndex();
    v.cboHour = cboHour->currentIndex();
    v.cboMinute = cboMinute->currentIndex();
    v.cboTimeZone = cboTimeZone->currentIndex();
    v.txtLatDeg = txtLatDeg->text().toStdString();
    v.txtLatMin = txtLatMin->text().toStdString();
    v.txtLonDeg = txtLonDeg->text().toStdString();
    v.txtLonMin = txtLonMin->text().toStdString();
    v.txtCity = txtCity->text().toStdString();
    v.txtState = txtState->text().toStdString();
    v.txtCountry = txtCountry->text().toStdString();
    v.optLatNorth = optLat[0]->isChecked();
    v.optLatSouth = optLat[1]->isChecked();
    v.optLongEast = optLong[0]->isChecked();
    v.optLongWest = optLong[1]->isChecked();
    v.chkDST = chkDST->isChecked();
    return v;
}

void frmMain::setValues(const app::BirthFormValues& v) {
    // Values from elsewhere (a chart file, Back) let a tied place go.
    if (!applyingPlace_ && tie_) {
        tie_.reset();
        placeNote_.clear();
    }
    // Text the program puts into a box is not filtered; lists take only
    // positions they have.
    txtName->setText(QString::fromStdString(v.txtName));
    const std::pair<QComboBox*, int> lists[] = {{cboDate, v.cboDate},   {cboMonth, v.cboMonth},   {cboYear, v.cboYear},
                                                {cboHour, v.cboHour},   {cboMinute, v.cboMinute}, {cboTimeZone, v.cboTimeZone}};
    for (const auto& [list, position] : lists) {
        if (position >= 0 && position < list->count()) list->setCurrentIndex(position);
    }
    txtLatDeg->setText(QString::fromStdString(v.txtLatDeg));
    txtLatMin->setText(QString::fromStdString(v.txtLatMin));
    txtLonDeg->setText(QString::fromStdString(v.txtLonDeg));
    txtLonMin->setText(QString::fromStdString(v.txtLonMin));
    txtCity->setText(QString::fromStdString(v.txtCity));
    txtState->setText(QString::fromStdString(v.txtState));
    txtCountry->setText(QString::fromStdString(v.txtCountry));
    if (v.optLatNorth || v.optLatSouth) optLat[v.optLatSouth ? 1 : 0]->setChecked(true);
    if (v.optLongEast || v.optLongWest) optLong[v.optLongWest ? 1 : 0]->setChecked(true);
    chkDST->setChecked(v.chkDST);
}

void frmMain::showMessage(const QString& text, platform::Icon icon) {
    platform_.showMessage(this, {text, platform::ProgramTitle(), icon, platform::Buttons::Ok});
}

QWidget* frmMain::controlFor(app::FormControl control) const {
    switch (control) {
        case app::FormControl::None: return nullptr;
        case app::FormControl::txtName: return txtName;
        case app::FormControl::txtLatDeg: return txtLatDeg;
        case app::FormControl::txtLatMin: return txtLatMin;
        case app::FormControl::txtLonDeg: return txtLonDeg;
        case app::FormControl::txtLonMin: return txtLonMin;
        case app::FormControl::txtCity: return txtCity;
        case app::FormControl::txtState: return txtState;
        case app::FormControl::txtCountry: return txtCountry;
    }
    return nullptr;
}

void frmMain::reportProblem(const app::InputProblem& problem) {
    showMessage(QString::fromStdString(problem.message), problem.icon);
    if (QWidget* focus = controlFor(problem.focus)) focus->setFocus(Qt::OtherFocusReason);
    if (problem.select == app::OptionToSelect::LatitudeNorth) optLat[0]->setChecked(true);
    if (problem.select == app::OptionToSelect::LongitudeEast) optLong[0]->setChecked(true);
}

void frmMain::updateZoneHint() {
    const std::string hint = app::ZoneSideHint(values());
    std::string text = placeNote_;
    if (!hint.empty()) text += (text.empty() ? "" : "\n") + hint;
    lblZoneHint->setText(QString::fromStdString(text));
    fitZoneHint();
}

void frmMain::fitZoneHint() {
    // The room of ZoneHintLines lines stays whatever the hint says; a longer
    // note (a place's, with a long name) makes it taller, never cut off.
    const int room = ZoneHintLines * QFontMetrics(lblZoneHint->font()).lineSpacing();
    const int needed = lblZoneHint->isVisible() ? lblZoneHint->heightForWidth(lblZoneHint->width()) : 0;
    lblZoneHint->setMinimumHeight(std::max(room, needed));
}

void frmMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    fitZoneHint();
}

void frmMain::usePlace(const atlas::Place& place, const app::BirthFormValues& local, const app::BirthFormValues& filled,
                       bool converted, int offsetSeconds) {
    applyingPlace_ = true;
    setValues(filled);
    applyingPlace_ = false;
    tie_ = TiedPlace{place, converted, offsetSeconds};
    const auto clock = [](int hour, int minute) { return astro::ClockText(hour, minute); };
    std::string note = "From the atlas for " + std::to_string(local.cboDate + 1) + " " +
                       std::string(app::MonthNames[static_cast<std::size_t>(local.cboMonth)]) + " " +
                       std::to_string(app::FirstListYear + local.cboYear) + " " + clock(local.cboHour, local.cboMinute) +
                       ": " + atlas::PlaceLabel(place) + ", " + place.timeZone + " " + atlas::OffsetText(offsetSeconds);
    if (converted) {
        note += "; no zone of the list gives this offset, so the date and time are universal time (" +
                clock(filled.cboHour, filled.cboMinute) + " UT)";
    }
    placeNote_ = note + ". Changing the date or time works the zone out again.";
    updateZoneHint();
}

app::BirthFormValues frmMain::localValues() const {
    const app::BirthFormValues form = values();
    if (!tie_ || !tie_->converted) return form;
    // The birth's own clock: the one the conversion turned into the form's.
    const astro::LocalMinute universal = astro::LocalMinuteOf(app::FirstListYear + form.cboYear, form.cboMonth + 1,
                                                              form.cboDate + 1, form.cboHour, form.cboMinute);
    return withClock(form, atlas::LocalClockOfConversion(universal, tie_->offsetSeconds)).value_or(form);
}

std::string frmMain::localTimeGiven() const {
    if (!tie_ || !tie_->converted) return {};
    const app::BirthFormValues local = localValues();
    return astro::ClockText(local.cboHour, local.cboMinute) + " local, " + tie_->place.timeZone + " " + atlas::OffsetText(tie_->offsetSeconds);
}

void frmMain::untiePlace() {
    if (applyingPlace_ || !tie_) return;
    tie_.reset();
    placeNote_.clear();
    updateZoneHint();
}

void frmMain::reworkTiedPlace() {
    if (applyingPlace_ || !tie_ || !atlas_) return;
    const app::BirthFormValues local = localValues();
    app::BirthFormValues filled = local;
    atlas::PlaceRequest request;
    request.chosen = tie_->place;
    const atlas::PlaceApplication applied = atlas::ApplyPlace(filled, request, *atlas_);
    if (!applied.problem.empty() || applied.fill.dateMissing) {
        // The zone stays as it was: say so, and that it may be wrong.
        const std::string why = applied.fill.dateMissing ? "the date does not exist" : applied.problem;
        placeNote_ = "The zone of " + atlas::PlaceLabel(tie_->place) + " could not be worked out again (" + why +
                     "): check the time zone and daylight saving before computing.";
        updateZoneHint();
        return;
    }
    usePlace(tie_->place, local, filled, applied.fill.converted, applied.fill.facts.offsetSeconds);
}

void frmMain::refuseKey(FilteredLineEdit* box) {
    const bool letters = box->rule() == FilteredLineEdit::Rule::Letters;
    showMessage(platform::fromUtf8(letters ? app::LettersOnlyMessage : app::NumbersOnlyMessage), platform::Icon::Error);
    box->setFocus(Qt::OtherFocusReason);
}

void frmMain::cmdCalculate_Click() { emit calculateRequested(); }

bool frmMain::focusNextPrevChild(bool next) {
    // Tab and Shift+Tab stop at the chosen option of each pair (the first
    // when neither is chosen), however it was chosen: a click, a chart file,
    // the atlas. (The toolkit's own rule follows only the user's clicks, so
    // after a file set West, Tab would land on East and Space turn it over.)
    // The arrow keys still move between the two.
    const auto pairStop = [this](QWidget* w) -> std::optional<bool> {
        for (QRadioButton* const* pair : {optLat, optLong}) {
            for (int i = 0; i < 2; ++i) {
                if (w != pair[i]) continue;
                const bool none = !pair[0]->isChecked() && !pair[1]->isChecked();
                return pair[i]->isChecked() || (none && i == 0);
            }
        }
        return std::nullopt;
    };
    QWidget* start = focusWidget();
    if (!start) return QMainWindow::focusNextPrevChild(next);
    QWidget* w = start;
    do {
        w = next ? w->nextInFocusChain() : w->previousInFocusChain();
        const bool usable = w->isVisible() && w->isEnabled() && isAncestorOf(w);
        const std::optional<bool> option = pairStop(w);
        if (usable && (option ? *option : (w->focusPolicy() & Qt::TabFocus) != 0)) {
            w->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    } while (w != start);
    return QMainWindow::focusNextPrevChild(next);
}

void frmMain::cmdFindCoordinates_Click() {
    const app::CoordinateLookup lookup = app::BuildCoordinateSearch(values());
    if (lookup.problem) {
        reportProblem(*lookup.problem);
        return;
    }
    const QString phrase = QString::fromStdString(lookup.phrase);
    if (!atlas_) {
        web::LookUpCoordinates(platform_, phrase);
        return;
    }
    // The atlas, searched for what was typed; the chosen place fills the form.
    // The birth's own clock, also when a place converted the form to universal time.
    const app::BirthFormValues form = localValues();
    auto* finder = new PlaceFinder(*atlas_, form, platform::fromUtf8(form.txtCity + ", " + form.txtState + ", " + form.txtCountry), this);
    finder->setAttribute(Qt::WA_DeleteOnClose);
    connect(finder, &PlaceFinder::webSearchRequested, this, [this, phrase] { web::LookUpCoordinates(platform_, phrase); });
    connect(finder, &QDialog::accepted, this, [this, finder, form] {
        usePlace(finder->chosenPlace(), form, finder->filledForm(), finder->converted(), finder->offsetSeconds());
    });
    finder->open();
}

void frmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    fitZoneHint();
    // Whenever the form appears (start-up, Back, New) typing goes to the name.
    txtName->setFocus(Qt::ActiveWindowFocusReason);
}

void frmMain::closeEvent(QCloseEvent* event) {
    event->accept();
    emit exitRequested();
}

}  // namespace entry
