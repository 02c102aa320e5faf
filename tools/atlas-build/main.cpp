// Makes the atlas's SQLite file from its source data (data/atlas/places.tsv.gz):
//   atlas-build SOURCE.tsv.gz OUTPUT.sqlite
// The rows of the source are described in scripts/make-atlas-source.py. The
// file is written under a temporary name and renamed when complete.
#include <sqlite3.h>
#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "atlas/Folding.h"
#include "atlas/PlaceStore.h"

namespace {

constexpr const char* Schema = R"(
PRAGMA page_size = 4096;
CREATE TABLE meta(key TEXT PRIMARY KEY, value TEXT NOT NULL) WITHOUT ROWID;
CREATE TABLE country(code TEXT PRIMARY KEY, alpha3 TEXT NOT NULL, name TEXT NOT NULL, form TEXT NOT NULL) WITHOUT ROWID;
CREATE TABLE country_key(key TEXT NOT NULL, country TEXT NOT NULL, PRIMARY KEY(key, country)) WITHOUT ROWID;
CREATE TABLE division(country TEXT NOT NULL, code TEXT NOT NULL, name TEXT NOT NULL, form TEXT NOT NULL,
                      iso TEXT NOT NULL, PRIMARY KEY(country, code)) WITHOUT ROWID;
CREATE TABLE division_key(key TEXT NOT NULL, country TEXT NOT NULL, division TEXT NOT NULL,
                          PRIMARY KEY(key, country, division)) WITHOUT ROWID;
CREATE TABLE place(id INTEGER PRIMARY KEY, name TEXT NOT NULL, form TEXT NOT NULL, country TEXT NOT NULL,
                   division TEXT NOT NULL, latitude REAL NOT NULL, longitude REAL NOT NULL,
                   population INTEGER NOT NULL, zone TEXT NOT NULL);
CREATE TABLE place_key(key TEXT NOT NULL, place INTEGER NOT NULL, kind INTEGER NOT NULL, alias TEXT,
                       population INTEGER NOT NULL, PRIMARY KEY(key, place)) WITHOUT ROWID;
)";

[[noreturn]] void fail(const std::string& message) {
    std::fprintf(stderr, "atlas-build: %s\n", message.c_str());
    std::exit(1);
}

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = text.find(separator, start);
        out.push_back(text.substr(start, at == std::string::npos ? std::string::npos : at - start));
        if (at == std::string::npos) return out;
        start = at + 1;
    }
}

// The name in the form's letters, else the fallback's, else "".
std::string formOf(const std::string& name, const std::string& fallback) {
    if (std::optional<std::string> form = atlas::FormLettersOf(name); form && !form->empty()) return *form;
    return atlas::FormLettersOf(fallback).value_or(std::string());
}

class Database {
public:
    explicit Database(const std::string& path) {
        if (sqlite3_open(path.c_str(), &db_) != SQLITE_OK) fail("cannot write " + path);
    }
    ~Database() { sqlite3_close(db_); }
    void run(const char* sql) {
        char* error = nullptr;
        if (sqlite3_exec(db_, sql, nullptr, nullptr, &error) != SQLITE_OK) fail(error ? error : "SQL failed");
    }
    sqlite3_stmt* prepare(const char* sql) {
        sqlite3_stmt* s = nullptr;
        if (sqlite3_prepare_v2(db_, sql, -1, &s, nullptr) != SQLITE_OK) fail(sqlite3_errmsg(db_));
        statements_.push_back(s);
        return s;
    }
    // Binds the values (text, or integers and reals as given) and runs the statement.
    template <typename... Values>
    void insert(sqlite3_stmt* s, const Values&... values) {
        int index = 0;
        (bind(s, ++index, values), ...);
        if (sqlite3_step(s) != SQLITE_DONE) fail(sqlite3_errmsg(db_));
        sqlite3_reset(s);
    }
    void finish() {
        for (sqlite3_stmt* s : statements_) sqlite3_finalize(s);
        statements_.clear();
    }

private:
    static void bind(sqlite3_stmt* s, int i, const std::string& v) {
        sqlite3_bind_text(s, i, v.data(), static_cast<int>(v.size()), SQLITE_TRANSIENT);
    }
    static void bind(sqlite3_stmt* s, int i, const char* v) {
        if (v) sqlite3_bind_text(s, i, v, -1, SQLITE_TRANSIENT);
        else sqlite3_bind_null(s, i);
    }
    static void bind(sqlite3_stmt* s, int i, long long v) { sqlite3_bind_int64(s, i, v); }
    static void bind(sqlite3_stmt* s, int i, double v) { sqlite3_bind_double(s, i, v); }
    sqlite3* db_ = nullptr;
    std::vector<sqlite3_stmt*> statements_;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) fail("usage: atlas-build SOURCE.tsv.gz OUTPUT.sqlite");
    const std::string output = argv[2], temporary = output + ".part";
    std::remove(temporary.c_str());
    gzFile source = gzopen(argv[1], "rb");
    if (!source) fail(std::string("cannot read ") + argv[1]);

    long places = 0, keys = 0, countries = 0, divisions = 0;
    {
        Database db(temporary);
        db.run(Schema);
        db.run("BEGIN");
        sqlite3_stmt* country = db.prepare("INSERT INTO country VALUES(?,?,?,?)");
        sqlite3_stmt* countryKey = db.prepare("INSERT OR IGNORE INTO country_key VALUES(?,?)");
        sqlite3_stmt* division = db.prepare("INSERT INTO division VALUES(?,?,?,?,?)");
        sqlite3_stmt* divisionKey = db.prepare("INSERT OR IGNORE INTO division_key VALUES(?,?,?)");
        sqlite3_stmt* place = db.prepare("INSERT INTO place VALUES(?,?,?,?,?,?,?,?,?)");
        sqlite3_stmt* placeKey = db.prepare("INSERT OR IGNORE INTO place_key VALUES(?,?,?,?,?)");
        sqlite3_stmt* meta = db.prepare("INSERT INTO meta VALUES(?,?)");

        std::string line;
        char buffer[1 << 16];
        long lineNumber = 0;
        while (gzgets(source, buffer, sizeof buffer)) {
            line += buffer;
            if (line.empty() || line.back() != '\n') {
                if (!gzeof(source)) continue;
            } else {
                line.pop_back();
            }
            ++lineNumber;
            const std::vector<std::string> f = split(line, '\t');
            line.clear();
            const auto wrong = [&] { fail(std::string(argv[1]) + ": line " + std::to_string(lineNumber) + " is not a row"); };
            if (f[0] == "C") {
                if (f.size() != 5) wrong();
                db.insert(country, f[1], f[2], f[3], formOf(f[3], f[3]));
                for (const std::string& name : split(f[4], '|')) db.insert(countryKey, atlas::SearchKey(name), f[1]);
                db.insert(countryKey, atlas::SearchKey(f[1]), f[1]);
                db.insert(countryKey, atlas::SearchKey(f[2]), f[1]);
                ++countries;
            } else if (f[0] == "D") {
                if (f.size() != 5) wrong();
                db.insert(division, f[1], f[2], f[3], formOf(f[3], f[3]), f[4]);
                const std::string key = atlas::SearchKey(f[3]);
                for (const std::string& k : {key, atlas::DivisionCore(key), atlas::SearchKey(f[4])}) {
                    if (!k.empty()) db.insert(divisionKey, k, f[1], f[2]);
                }
                ++divisions;
            } else if (f[0] == "P") {
                if (f.size() != 11) wrong();
                const long long id = std::atoll(f[1].c_str()), population = std::atoll(f[9].c_str());
                db.insert(place, id, f[2], formOf(f[2], f[3]), f[7], f[8], std::atof(f[5].c_str()),
                          std::atof(f[6].c_str()), population, f[10]);
                const auto key = [&](const std::string& name, atlas::KeyKind kind, const char* alias) {
                    const std::string k = atlas::SearchKey(name);
                    if (k.empty()) return;
                    db.insert(placeKey, k, id, static_cast<long long>(kind), alias, population);
                    ++keys;
                };
                key(f[2], atlas::KeyKind::Name, nullptr);
                key(f[3], atlas::KeyKind::AsciiName, nullptr);
                if (!f[4].empty()) {
                    for (const std::string& other : split(f[4], '|')) key(other, atlas::KeyKind::OtherName, other.c_str());
                }
                ++places;
            } else {
                wrong();
            }
        }
        if (!gzeof(source) || places == 0) fail(std::string(argv[1]) + " could not be read to its end");
        db.insert(meta, std::string("source"),
                  std::string("GeoNames (geonames.org) cities of 500 or more people and first-order divisions, "
                              "CC BY 4.0; ISO 3166 codes from iso-codes"));
        db.insert(meta, std::string("places"), std::to_string(places));
        db.finish();
        db.run("COMMIT");
        db.run("ANALYZE");
        db.run("VACUUM");
    }
    gzclose(source);
    if (std::rename(temporary.c_str(), output.c_str()) != 0) fail("cannot rename " + temporary + " to " + output);
    std::printf("atlas-build: %s: %ld countries, %ld divisions, %ld places, %ld keys\n", output.c_str(), countries,
                divisions, places, keys);
    return 0;
}
