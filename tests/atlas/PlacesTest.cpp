#include <gtest/gtest.h>

#include "atlas/Places.h"
#include "support/FakeAtlas.h"

namespace {

const testdata::FakeAtlas places({
    {"East London", "Eastern Cape", "South Africa", "ZA", "Africa/Johannesburg", -33.0, 27.9, 478676},
    {"London", "Ontario", "Canada", "CA", "America/Toronto", 42.98, -81.23, 346765},
    {"Londonderry", "Northern Ireland", "United Kingdom", "GB", "Europe/London", 55.0, -7.3, 83652},
    {"London", "England", "United Kingdom", "GB", "Europe/London", 51.51, -0.13, 8961989},
    {"S\u00e3o Paulo", "S\u00e3o Paulo", "Brazil", "BR", "America/Sao_Paulo", -23.5, -46.6, 10021295},
});

std::vector<std::string> labels(const atlas::PlaceSearch& search) {
    std::vector<std::string> out;
    for (const atlas::Place& place : search.matches) out.push_back(atlas::PlaceLabel(place));
    return out;
}

TEST(FindPlaces, TheNameItselfFirstThenTheMostPeopleAndEveryGivenPartMustMatch) {
    EXPECT_EQ(labels(atlas::FindPlaces(places, "london")),
              (std::vector<std::string>{"London, England, United Kingdom", "London, Ontario, Canada",
                                        "East London, Eastern Cape, South Africa",
                                        "Londonderry, Northern Ireland, United Kingdom"}));
    EXPECT_EQ(labels(atlas::FindPlaces(places, "London, Ontario")), (std::vector<std::string>{"London, Ontario, Canada"}));
    EXPECT_EQ(labels(atlas::FindPlaces(places, "London, England, United Kingdom")),
              (std::vector<std::string>{"London, England, United Kingdom"}));
    EXPECT_EQ(labels(atlas::FindPlaces(places, "London, CA")), (std::vector<std::string>{"London, Ontario, Canada"}));
    EXPECT_EQ(labels(atlas::FindPlaces(places, "SAO PAULO, brazil")), (std::vector<std::string>{"S\u00e3o Paulo, Brazil"}));
    // An empty part asks for nothing.
    EXPECT_EQ(labels(atlas::FindPlaces(places, "London, , United Kingdom")),
              (std::vector<std::string>{"London, England, United Kingdom", "Londonderry, Northern Ireland, United Kingdom"}));
}

TEST(FindPlaces, NothingFoundSaysWhatWasLookedFor) {
    const atlas::PlaceSearch wrongCountry = atlas::FindPlaces(places, "London, France");
    EXPECT_TRUE(wrongCountry.matches.empty());
    EXPECT_EQ(wrongCountry.problem.rfind("no place in the atlas is called 'London, France'; places named so: ", 0), 0u)
        << wrongCountry.problem;
    EXPECT_EQ(atlas::FindPlaces(places, "Atlantis").problem, "no place in the atlas is called 'Atlantis'");
    EXPECT_FALSE(atlas::FindPlaces(places, " , England").problem.empty());
}

}  // namespace
