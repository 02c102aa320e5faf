#include "atlas/GeonamesPlaces.h"

#include <geonames.h>

#include <locale.h>

#include <algorithm>
#include <memory>
#include <string>

namespace atlas {

namespace {

std::string textOf(const gchar* text) { return text ? std::string(text) : std::string(); }

// The library translates names, states and countries into the language of
// the process's locale ("Indien", "Deutschland"); the atlas compares and
// stores the English ones, so this thread reads them in the C locale.
class EnglishNames {
public:
    EnglishNames() : c_(newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr))) {
        if (c_) previous_ = uselocale(c_);
    }
    ~EnglishNames() {
        if (!c_) return;
        uselocale(previous_);
        freelocale(c_);
    }
    EnglishNames(const EnglishNames&) = delete;
    EnglishNames& operator=(const EnglishNames&) = delete;

private:
    locale_t c_;
    locale_t previous_ = LC_GLOBAL_LOCALE;
};

Place placeOf(int index) {
    Place place;
    std::unique_ptr<GeonamesCity, decltype(&geonames_city_free)> city(geonames_get_city(index), &geonames_city_free);
    if (!city) return place;
    place.name = textOf(geonames_city_get_name(city.get()));
    place.state = textOf(geonames_city_get_state(city.get()));
    place.country = textOf(geonames_city_get_country(city.get()));
    place.countryCode = textOf(geonames_city_get_country_code(city.get()));
    place.timeZone = textOf(geonames_city_get_timezone(city.get()));
    place.latitude = geonames_city_get_latitude(city.get());
    place.longitude = geonames_city_get_longitude(city.get());
    place.population = static_cast<long>(geonames_city_get_population(city.get()));
    return place;
}

}  // namespace

std::size_t GeonamesPlaces::PlaceCount() const { return static_cast<std::size_t>(std::max(0, geonames_get_n_cities())); }

Place GeonamesPlaces::PlaceAt(std::size_t index) const {
    const EnglishNames english;
    return placeOf(static_cast<int>(index));
}

std::vector<Place> GeonamesPlaces::PlacesNamed(std::string_view name) const {
    const EnglishNames english;
    const std::string query(name);
    guint count = 0;
    GError* error = nullptr;
    std::unique_ptr<gint, decltype(&g_free)> found(
        geonames_query_cities_sync(query.c_str(), GEONAMES_QUERY_DEFAULT, &count, nullptr, &error), &g_free);
    if (error) g_error_free(error);
    std::vector<Place> places;
    if (!found) return places;
    places.reserve(count);
    for (guint i = 0; i < count; ++i) {
        Place place = placeOf(found.get()[i]);
        if (!place.name.empty()) places.push_back(std::move(place));
    }
    return places;
}

}  // namespace atlas
