#include "atlas/PlaceStore.h"

#include <sqlite3.h>

#include <algorithm>
#include <set>
#include <utility>

#include "atlas/Folding.h"

namespace atlas {

namespace {

constexpr const char* PlaceColumns =
    "SELECT p.id, k.kind, k.alias, p.name, p.form, p.latitude, p.longitude, p.population, p.zone, p.country, "
    "c.name, c.form, d.name, d.form, p.division FROM place_key k JOIN place p ON p.id = k.place "
    "JOIN country c ON c.code = p.country LEFT JOIN division d ON d.country = p.country AND d.code = p.division ";

std::string column(sqlite3_stmt* statement, int index) {
    const unsigned char* text = sqlite3_column_text(statement, index);
    return text ? std::string(reinterpret_cast<const char*>(text)) : std::string();
}

// A statement, reset and with its bindings cleared when the scope ends.
class Use {
public:
    // A step that fails (a damaged file) is kept in `failure`, never taken for "no rows".
    Use(sqlite3_stmt* statement, std::string& failure) : statement_(statement), failure_(failure) {}
    ~Use() {
        sqlite3_reset(statement_);
        sqlite3_clear_bindings(statement_);
    }
    Use(const Use&) = delete;
    Use& operator=(const Use&) = delete;
    Use& text(int index, const std::string& value) {
        sqlite3_bind_text(statement_, index, value.data(), static_cast<int>(value.size()), SQLITE_TRANSIENT);
        return *this;
    }
    Use& integer(int index, long long value) {
        sqlite3_bind_int64(statement_, index, value);
        return *this;
    }
    bool row() {
        const int result = sqlite3_step(statement_);
        if (result == SQLITE_ROW) return true;
        if (result != SQLITE_DONE && failure_.empty()) failure_ = sqlite3_errstr(result);
        return false;
    }
    sqlite3_stmt* operator*() const { return statement_; }

private:
    sqlite3_stmt* statement_;
    std::string& failure_;
};

struct Found {
    long long id;
    int kind;
    Place place;
    std::string division;
};

std::vector<std::string> partsOf(std::string_view text) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        parts.push_back(SearchKey(text.substr(start, comma == std::string_view::npos ? text.npos : comma - start)));
        if (comma == std::string_view::npos) return parts;
        start = comma + 1;
    }
}

std::string listOf(const std::vector<Place>& places, std::size_t most) {
    std::string list;
    for (std::size_t i = 0; i < places.size() && i < most; ++i) list += (i ? "; " : "") + PlaceLabel(places[i]);
    if (places.size() > most) list += "; and " + std::to_string(places.size() - most) + " more";
    return list;
}

}  // namespace

struct PlaceStore::Area {
    std::set<std::string> countries;
    std::set<std::pair<std::string, std::string>> divisions;
    bool holds(const Place& place, const std::string& division) const {
        return countries.count(place.countryCode) > 0 || divisions.count({place.countryCode, division}) > 0;
    }
};

struct PlaceStore::Statements {
    sqlite3_stmt* byKey = nullptr;
    sqlite3_stmt* byPrefix = nullptr;
    sqlite3_stmt* countries = nullptr;
    sqlite3_stmt* divisions = nullptr;
    sqlite3_stmt* all = nullptr;
    sqlite3_stmt* meta = nullptr;
    ~Statements() {
        for (sqlite3_stmt* s : {byKey, byPrefix, countries, divisions, all, meta}) sqlite3_finalize(s);
    }
};

namespace {

// The file as an SQLite address that says it never changes: no lock is
// taken and nothing is read again to see whether another process wrote it
// (a query then costs no system call once its pages are in memory).
std::string immutableAddress(const std::string& path) {
    std::string address = "file:";
    for (const char ch : path) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '%' || c == '?' || c == '#' || c < 0x20 || c >= 0x7F) {
            static constexpr char Hex[] = "0123456789ABCDEF";
            address += '%';
            address += Hex[c >> 4];
            address += Hex[c & 15];
        } else {
            address += static_cast<char>(c);
        }
    }
    return address + "?immutable=1";
}

}  // namespace

PlaceStore::PlaceStore(const std::string& path) : statements_(std::make_unique<Statements>()) {
    if (sqlite3_open_v2(immutableAddress(path).c_str(), &db_, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_URI,
                        nullptr) != SQLITE_OK) {
        problem_ = "the atlas " + path + " cannot be opened: " + (db_ ? sqlite3_errmsg(db_) : "out of memory");
        return;
    }
    const std::string byKey = std::string(PlaceColumns) + "WHERE k.key = ?1";
    // The keys' own table is ordered and cut first; only the rows kept are joined.
    std::string byPrefix = PlaceColumns;
    byPrefix.replace(byPrefix.find("place_key k"), 11,
                     "(SELECT place, kind, alias FROM place_key WHERE key >= ?1 AND key < ?2 "
                     "ORDER BY population DESC, place LIMIT ?3) k");
    const std::string all = "SELECT p.id, 0, NULL, p.name, p.form, p.latitude, p.longitude, p.population, p.zone, "
                            "p.country, c.name, c.form, d.name, d.form, p.division FROM place p JOIN country c ON "
                            "c.code = p.country LEFT JOIN division d ON d.country = p.country AND d.code = p.division "
                            "ORDER BY p.id";
    const std::pair<const std::string, sqlite3_stmt**> statements[] = {
        {byKey, &statements_->byKey},
        {byPrefix, &statements_->byPrefix},
        {"SELECT country FROM country_key WHERE key = ?1", &statements_->countries},
        {"SELECT country, division FROM division_key WHERE key = ?1", &statements_->divisions},
        {all, &statements_->all},
        {"SELECT value FROM meta WHERE key = ?1", &statements_->meta},
    };
    for (const auto& [sql, statement] : statements) {
        if (sqlite3_prepare_v3(db_, sql.c_str(), -1, SQLITE_PREPARE_PERSISTENT, statement, nullptr) != SQLITE_OK) {
            problem_ = "the atlas " + path + " cannot be read: " + sqlite3_errmsg(db_);
            return;
        }
    }
}

PlaceStore::~PlaceStore() {
    statements_.reset();
    sqlite3_close(db_);
}

namespace {

Found foundAt(sqlite3_stmt* s) {
    Found f;
    f.id = sqlite3_column_int64(s, 0);
    f.kind = sqlite3_column_int(s, 1);
    Place& p = f.place;
    if (f.kind == static_cast<int>(KeyKind::OtherName)) p.foundAs = column(s, 2);
    p.name = column(s, 3);
    p.formName = column(s, 4);
    p.latitude = sqlite3_column_double(s, 5);
    p.longitude = sqlite3_column_double(s, 6);
    p.population = static_cast<long>(sqlite3_column_int64(s, 7));
    p.timeZone = column(s, 8);
    p.countryCode = column(s, 9);
    p.country = column(s, 10);
    p.formCountry = column(s, 11);
    p.state = column(s, 12);
    p.formState = column(s, 13);
    f.division = column(s, 14);
    return f;
}

// One row a place (its best key), the better first.
std::vector<Found> distinct(std::vector<Found> rows) {
    // A place's own name comes first, unless a place known by that name as
    // another (a former name: Bombay, Poona) has a hundred times the people.
    const auto weight = [](const Found& f) {
        return static_cast<double>(f.place.population) * (f.kind == static_cast<int>(KeyKind::OtherName) ? 1 : 100);
    };
    std::stable_sort(rows.begin(), rows.end(), [&](const Found& a, const Found& b) {
        if (weight(a) != weight(b)) return weight(a) > weight(b);
        if (a.kind != b.kind) return a.kind < b.kind;
        return a.id < b.id;
    });
    std::set<long long> seen;
    std::vector<Found> out;
    for (Found& f : rows) {
        if (seen.insert(f.id).second) out.push_back(std::move(f));
    }
    return out;
}

}  // namespace

PlaceSearch PlaceStore::FindPlaces(std::string_view text) const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return checked(findPlaces(text));
}

PlaceSearch PlaceStore::checked(PlaceSearch search) const {
    if (readFailure_.empty()) return search;
    PlaceSearch failed;
    failed.problem = "the atlas file could not be read: " + readFailure_;
    readFailure_.clear();
    return failed;
}

PlaceSearch PlaceStore::findPlaces(std::string_view text) const {
    PlaceSearch search;
    if (!problem_.empty()) {
        search.problem = problem_;
        return search;
    }
    const std::vector<std::string> parts = partsOf(text);
    if (parts.front().empty()) {
        search.problem = "give the name of a place, such as \"Pune\" or \"London, England\"";
        return search;
    }
    if (parts.size() > 3) {
        search.problem = "a place has at most three parts, city, state and country: '" + std::string(text) + "'";
        return search;
    }
    std::vector<Area> areas;
    std::size_t unknown = 0;
    if (!areasOf(parts, areas, unknown)) {
        std::string piece(text);
        for (std::size_t k = 0; k < unknown; ++k) piece.erase(0, piece.find(',') + 1);
        piece = piece.substr(0, piece.find(','));
        piece.erase(0, piece.find_first_not_of(' '));
        piece.erase(piece.find_last_not_of(' ') + 1);
        search.problem = "the atlas knows no state or country called '" + piece + "'";
        Use rows(statements_->byKey, readFailure_);
        rows.text(1, parts.front());
        std::vector<Found> named;
        while (rows.row()) named.push_back(foundAt(*rows));
        for (Found& f : distinct(std::move(named))) search.nearest.push_back(std::move(f.place));
        if (!search.nearest.empty()) search.problem += "; places called so: " + listOf(search.nearest, 5);
        return search;
    }
    std::vector<Found> rows;
    {
        Use byKey(statements_->byKey, readFailure_);
        byKey.text(1, parts.front());
        while (byKey.row()) rows.push_back(foundAt(*byKey));
    }
    std::vector<Found> named = distinct(std::move(rows));
    for (Found& f : named) {
        const bool inEvery =
            std::all_of(areas.begin(), areas.end(), [&](const Area& a) { return a.holds(f.place, f.division); });
        if (inEvery) search.matches.push_back(f.place);
    }
    if (!search.matches.empty()) return search;
    search.problem = "no place in the atlas is called '" + std::string(text) + "'";
    if (!named.empty()) {
        for (Found& f : named) search.nearest.push_back(std::move(f.place));
        search.problem += "; places named so: " + listOf(search.nearest, 5);
        return search;
    }
    search.problem += nearestText(parts.front(), search.nearest);
    return search;
}

bool PlaceStore::areasOf(const std::vector<std::string>& parts, std::vector<Area>& areas, std::size_t& unknown) const {
    for (std::size_t i = 1; i < parts.size(); ++i) {
        if (parts[i].empty()) continue;
        Area area;
        for (const std::string& key : {parts[i], DivisionCore(parts[i])}) {
            if (key.empty()) continue;
            Use countries(statements_->countries, readFailure_);
            countries.text(1, key);
            while (countries.row()) area.countries.insert(column(*countries, 0));
            Use divisions(statements_->divisions, readFailure_);
            divisions.text(1, key);
            while (divisions.row()) area.divisions.insert({column(*divisions, 0), column(*divisions, 1)});
        }
        if (area.countries.empty() && area.divisions.empty()) {
            unknown = i;
            return false;
        }
        areas.push_back(std::move(area));
    }
    return true;
}

std::string PlaceStore::nearestText(const std::string& key, std::vector<Place>& nearest) const {
    // Names that begin as the text does, the text shortened a letter at a time.
    for (std::size_t length = key.size(); length >= 3 && nearest.empty(); --length) {
        nearest = placesWithKey(key.substr(0, length), 5, {});
    }
    return nearest.empty() ? std::string() : "; the closest names: " + listOf(nearest, 5);
}

std::vector<Place> PlaceStore::placesWithKey(const std::string& key, std::size_t limit, const std::vector<Area>& areas) const {
    std::vector<Found> rows;
    {
        Use byPrefix(statements_->byPrefix, readFailure_);
        // Keys are UTF-8: the highest character bounds those that begin with the key.
        const long long wanted = static_cast<long long>(limit) * (areas.empty() ? 4 : 100);
        byPrefix.text(1, key).text(2, key + "\xf4\x8f\xbf\xbf").integer(3, wanted);
        while (byPrefix.row()) {
            Found f = foundAt(*byPrefix);
            if (std::all_of(areas.begin(), areas.end(), [&](const Area& a) { return a.holds(f.place, f.division); })) {
                rows.push_back(std::move(f));
            }
        }
    }
    std::vector<Found> found = distinct(std::move(rows));
    // A prefix's best keys are a place's own names only when they come first by people.
    std::stable_sort(found.begin(), found.end(),
                     [](const Found& a, const Found& b) { return a.place.population > b.place.population; });
    std::vector<Place> places;
    for (std::size_t i = 0; i < found.size() && i < limit; ++i) places.push_back(std::move(found[i].place));
    return places;
}

std::vector<Place> PlaceStore::PlacesStartingWith(std::string_view text, std::size_t limit) const {
    if (!problem_.empty() || limit == 0) return {};
    const std::vector<std::string> parts = partsOf(text);
    if (parts.front().empty()) return {};
    const std::lock_guard<std::mutex> lock(mutex_);
    std::vector<Place> places = placesStartingWith(parts, text, limit);
    if (!readFailure_.empty()) {  // a damaged file lists nothing (its look-up says why)
        readFailure_.clear();
        return {};
    }
    return places;
}

std::vector<Place> PlaceStore::placesStartingWith(const std::vector<std::string>& parts, std::string_view text,
                                                  std::size_t limit) const {
    std::vector<Place> places = findPlaces(text).matches;
    std::vector<Area> areas;
    std::size_t unknown = 0;
    if (!areasOf(parts, areas, unknown)) return places;
    std::vector<Place> started = placesWithKey(parts.front(), limit * 2, areas);
    for (Place& p : started) {
        if (places.size() >= limit) break;
        const bool listed = std::any_of(places.begin(), places.end(), [&](const Place& q) {
            return q.name == p.name && q.latitude == p.latitude && q.longitude == p.longitude;
        });
        if (!listed) places.push_back(std::move(p));
    }
    if (places.size() > limit) places.resize(limit);
    return places;
}

void PlaceStore::ForEachPlace(const std::function<void(const Place&)>& visit) const {
    if (!problem_.empty()) return;
    const std::lock_guard<std::mutex> lock(mutex_);
    {
        Use all(statements_->all, readFailure_);
        while (all.row()) visit(foundAt(*all).place);
    }
    readFailure_.clear();  // the places read are all the file gave
}

std::string PlaceStore::Meta(const std::string& key) const {
    if (!problem_.empty()) return {};
    const std::lock_guard<std::mutex> lock(mutex_);
    std::string value;
    {
        Use meta(statements_->meta, readFailure_);
        meta.text(1, key);
        if (meta.row()) value = column(*meta, 0);
    }
    readFailure_.clear();
    return value;
}

}  // namespace atlas
