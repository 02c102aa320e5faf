#include <gtest/gtest.h>

#include "app/BirthForm.h"
#include "atlas/FormLetters.h"

namespace {

TEST(FormLetters, WhatTheLetterRuleKeeps) {
    const std::pair<const char*, const char*> cases[] = {
        {"S\u00e3o Paulo", "Sao Paulo"},
        {"K\u00f6ln", "Koln"},
        {"Stra\u00dfe", "Strasse"},
        {"\u0141\u00f3d\u017a", "Lodz"},
        {"Bra\u0219ov", "Brasov"},
        {"C\u00f4te d'Ivoire", "Cote d Ivoire"},
        {"Province of Eastern Cape", "Province of Eastern Cape"},
        {"  Saint-\u00c9tienne 42 ", "Saint Etienne"},
        {"\u0926\u093f\u0932\u094d\u0932\u0940", ""},
        {"Gda\u0144sk \u00e6 \u0153", "Gdansk ae oe"},
        {"\xff", ""},
    };
    for (const auto& [atlasText, formText] : cases) {
        const std::string letters = atlas::FormLetters(atlasText);
        EXPECT_EQ(letters, formText) << atlasText;
        EXPECT_TRUE(app::LettersBoxAcceptsText(letters)) << atlasText;
    }
    EXPECT_EQ(atlas::FoldedName("S\u00c3O paulo"), "sao paulo");
}

}  // namespace
