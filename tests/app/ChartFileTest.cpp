// The chart file: its bytes, the +85 shift, reading back and what a reader
// does with values the form cannot take.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "app/ChartCalculation.h"
#include "app/ChartFile.h"
#include "app/ChartTextExport.h"
#include "astro/Utf8Text.h"
#include "support/Forms.h"

using namespace app;

namespace {

std::string hexOf(std::string_view bytes) {
    static const char* digits = "0123456789ABCDEF";
    std::string out;
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (!out.empty()) out += ' ';
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

using testdata::puneForm;

TEST(ChartFileBytes, GoldenBytesOfTheAbcExample) {
    ChartSession session;
    ASSERT_TRUE(RunCalculation(puneForm(), session).accepted());
    const std::string bytes = MakeChartFileBytes(session.record, 34);
    // Each line worked out by hand: the Windows-1252 code of every character
    // plus 85, then 0D 0A.
    const char* expectedLines[ChartFileLineCount] = {
        "B6 B7 B8",                          // abc
        "88",                                // 3 (month first)
        "8A",                                // 5
        "86 8E 8D 85",                       // 1980
        "86 89",                             // 14
        "8C",                                // 7
        "88 89",                             // 34
        "8C 88",                             // 73
        "8A 86",                             // 51
        "86 8D",                             // 18
        "88 86",                             // 31
        "A9 C7 CA BA",                       // True
        "9B B6 C1 C8 BA",                    // False
        "9B B6 C1 C8 BA",                    // False
        "A5 CA C3 BA",                       // Pune
        "A2 B6 BD B6 C7 B6 C8 BD C9 C7 B6",  // Maharashtra
        "9E C3 B9 BE B6",                    // India
    };
    std::string expected;
    for (const char* line : expectedLines) expected += std::string(expected.empty() ? "" : " ") + line + " 0D 0A";
    EXPECT_EQ(hexOf(bytes), expected);

    const ChartFileLines lines = ReadChartFileLines(bytes);
    const char* decoded[] = {"abc", "3", "5", "1980", "14", "7", "34", "73", "51", "18", "31",
                             "True", "False", "False", "Pune", "Maharashtra", "India"};
    for (std::size_t i = 0; i < ChartFileLineCount; ++i) {
        ASSERT_TRUE(lines[i].has_value()) << i;
        EXPECT_EQ(*lines[i], decoded[i]) << i;
    }
}

TEST(ChartFileFields, ShiftRules) {
    struct Case {
        const char* text;
        const char* hex;
    } const cases[] = {
        {"True", "A9 C7 CA BA"},
        {"12", "86 87"},
        {"\xE2\x82\xAC", "D5"},   // the euro sign is 0x80 in Windows-1252
        {"\xC3\xA9t\xC3\xA9", "C9"},  // é (233) cannot be shifted and is left out
        {"\xC4\x81", "94"},        // ā is not in the code page: stored as "?"
        {"\xC2\xAA", "FF"},        // ª (170) is the last character that fits
    };
    for (const Case& c : cases) EXPECT_EQ(hexOf(EncodeChartField(c.text)), c.hex) << c.text;
    EXPECT_EQ(DecodeChartField("\xA9\xC7\xCA\xBA"), "True");
    EXPECT_EQ(DecodeChartField(std::string("\x10\x54\xB6", 3)), "a");  // bytes below 85 are left out
    EXPECT_EQ(DecodeChartField("\xD5"), "\xE2\x82\xAC");
}

TEST(ChartFileFields, EveryStoredByteIsAtLeast85AndReadsBack) {
    std::string all;
    for (int c = 32; c < 127; ++c) all += static_cast<char>(c);
    const std::string stored = EncodeChartField(all);
    for (char b : stored) EXPECT_GE(static_cast<unsigned char>(b), 85);
    EXPECT_EQ(DecodeChartField(stored), all);
}

// The bytes in a heap block of exactly their size, so that a read one byte
// past the end is caught by the address sanitizer.
struct ExactBytes {
    explicit ExactBytes(std::string_view bytes) : data(new char[bytes.size() ? bytes.size() : 1]), size(bytes.size()) {
        std::copy(bytes.begin(), bytes.end(), data.get());
    }
    std::string_view view() const { return {data.get(), size}; }
    std::unique_ptr<char[]> data;
    std::size_t size;
};

TEST(ReadChartFileLines, LineEndsAndMissingLines) {
    const std::string a = EncodeChartField("a"), b = EncodeChartField("b"), c = EncodeChartField("c");
    struct Case {
        std::string bytes;
        std::size_t present;
    } const cases[] = {
        {"", 0},
        {a, 1},
        {a + "\r\n" + b + "\r\n", 2},
        {a + "\n" + b + "\r" + c, 3},
        {a + "\r\n\r\n" + c + "\r\n", 3},  // an empty line is a line
    };
    for (const Case& k : cases) {
        const ExactBytes exact(k.bytes);
        const ChartFileLines lines = ReadChartFileLines(exact.view());
        for (std::size_t i = 0; i < ChartFileLineCount; ++i) EXPECT_EQ(lines[i].has_value(), i < k.present) << hexOf(k.bytes);
    }
}

TEST(ReadChartFileLines, BoundedWhateverTheInput) {
    const ExactBytes huge(std::string(3 * MaxChartFileBytes, '\xB6'));
    const ChartFileLines one = ReadChartFileLines(huge.view());
    ASSERT_TRUE(one[0].has_value());
    EXPECT_EQ(one[0]->size(), MaxChartFileLineBytes);
    EXPECT_FALSE(one[1].has_value());

    std::string manyLines;
    for (int i = 0; i < 100; ++i) manyLines += EncodeChartField(std::to_string(i)) + "\r\n";
    const ChartFileLines seventeen = ReadChartFileLines(ExactBytes(manyLines).view());
    EXPECT_EQ(*seventeen[16], "16");
    // Found by fuzzing: bytes that decode to three-byte characters ("\u2039"
    // is 0x8B in Windows-1252, stored as 0xE0); the line keeps one character per
    // byte it keeps.
    const ExactBytes wide(std::string(MaxChartFileLineBytes + 100, '\xE0'));
    const std::string wideLine = *ReadChartFileLines(wide.view())[0];
    EXPECT_EQ(astro::CharCount(wideLine), MaxChartFileLineBytes);
    EXPECT_EQ(wideLine.substr(0, 3), "\u2039");
    const ExactBytes odd(std::string(MaxChartFileLineBytes + 1, '\x86') + "\r");
    EXPECT_EQ(ReadChartFileLines(odd.view())[0]->size(), MaxChartFileLineBytes);
}

TEST(ApplyChartFile, RoundTripRestoresTheForm) {
    ChartSession session;
    BirthFormValues original = puneForm();
    original.optLongEast = false;
    original.optLongWest = true;
    original.optLatNorth = false;
    original.optLatSouth = true;
    original.chkDST = true;
    ASSERT_TRUE(RunCalculation(original, session).accepted());
    BirthFormValues restored;
    ApplyChartFile(ReadChartFileLines(MakeChartFileBytes(session.record, original.cboTimeZone)), restored);
    EXPECT_EQ(restored.txtName, original.txtName);
    EXPECT_EQ(restored.cboDate, original.cboDate);
    EXPECT_EQ(restored.cboMonth, original.cboMonth);
    EXPECT_EQ(restored.cboYear, original.cboYear);
    EXPECT_EQ(restored.cboHour, original.cboHour);
    EXPECT_EQ(restored.cboMinute, original.cboMinute);
    EXPECT_EQ(restored.cboTimeZone, original.cboTimeZone);
    EXPECT_EQ(restored.txtLatDeg, original.txtLatDeg);
    EXPECT_EQ(restored.txtLonMin, original.txtLonMin);
    EXPECT_TRUE(restored.optLongWest && !restored.optLongEast);
    EXPECT_TRUE(restored.optLatSouth && !restored.optLatNorth);
    EXPECT_TRUE(restored.chkDST);
    EXPECT_EQ(restored.txtCountry, "India");
}

TEST(ApplyChartFile, ValuesTheFormCannotTakeAreSkipped) {
    struct Case {
        std::size_t line;
        const char* value;
        bool (*kept)(const BirthFormValues&);
    } const cases[] = {
        {3, "1850", [](const BirthFormValues& f) { return f.cboYear == 7; }},
        {2, "05", [](const BirthFormValues& f) { return f.cboDate == 7; }},
        {2, "32", [](const BirthFormValues& f) { return f.cboDate == 7; }},
        {1, "13", [](const BirthFormValues& f) { return f.cboMonth == 7; }},
        {1, "-1", [](const BirthFormValues& f) { return f.cboMonth == 7; }},
        {4, "25", [](const BirthFormValues& f) { return f.cboHour == 7; }},
        {6, "71", [](const BirthFormValues& f) { return f.cboTimeZone == 7; }},
        {6, "x", [](const BirthFormValues& f) { return f.cboTimeZone == 7; }},
        {9, "1234", [](const BirthFormValues& f) { return f.txtLatDeg == "77"; }},
        {9, "1a", [](const BirthFormValues& f) { return f.txtLatDeg == "77"; }},
        {11, "maybe", [](const BirthFormValues& f) { return f.optLongWest && !f.optLongEast; }},
        {13, "", [](const BirthFormValues& f) { return f.chkDST; }},
    };
    for (const Case& c : cases) {
        BirthFormValues form;
        form.cboYear = form.cboDate = form.cboMonth = form.cboHour = form.cboTimeZone = 7;
        form.txtLatDeg = "77";
        form.optLongEast = false;
        form.optLongWest = true;
        form.chkDST = true;
        ChartFileLines lines;
        lines[c.line] = c.value;
        ApplyChartFile(lines, form);
        EXPECT_TRUE(c.kept(form)) << "line " << c.line + 1 << " '" << c.value << "'";
    }
}

TEST(ApplyChartFile, FlagsAndShortFiles) {
    const std::pair<const char*, bool> flags[] = {{"True", true}, {"False", false}, {"true", true}, {"-1", true}, {"0", false}};
    for (const auto& [text, value] : flags) {
        BirthFormValues form;
        ChartFileLines lines;
        lines[13] = text;
        form.chkDST = !value;
        ApplyChartFile(lines, form);
        EXPECT_EQ(form.chkDST, value) << text;
    }
    // A file of 14 lines leaves the place fields as they were (empty on a new
    // form), and the checks then stop at the city.
    BirthFormValues form;
    ChartSession session;
    ASSERT_TRUE(RunCalculation(puneForm(), session).accepted());
    ChartFileLines lines = ReadChartFileLines(MakeChartFileBytes(session.record, 34));
    for (std::size_t i = 14; i < ChartFileLineCount; ++i) lines[i].reset();
    ApplyChartFile(lines, form);
    EXPECT_EQ(form.txtCity, "");
    EXPECT_EQ(ValidateInput(form)->message, "Please Enter Your City name");
}

TEST(HasChartFileExtension, LastThreeCharactersExactly) {
    const std::pair<const char*, bool> cases[] = {{"/home/a/ravi.vrc", true}, {"/home/a/ravi.VRC", false},
                                                  {"/home/a/ravi.vrcx", false}, {"ravivrc", true},
                                                  {"", false}, {"/home/a/ravi.txt", false}};
    for (const auto& [path, ok] : cases) EXPECT_EQ(HasChartFileExtension(path), ok) << path;
}

}  // namespace

namespace {

// The Pune form after its chart file's first `count` lines were read over the
// reference form (Ravi, New Delhi): a file that ends early.
BirthFormValues referenceFormAfterReading(std::size_t count) {
    const auto pune = testdata::computedSession(puneForm());
    std::string bytes;
    std::size_t lineStart = 0;
    const std::string all = MakeChartFileBytes(pune.value().record, 34);
    for (std::size_t line = 0; line < count; ++line) {
        const std::size_t end = all.find("\r\n", lineStart) + 2;
        bytes += all.substr(lineStart, end - lineStart);
        lineStart = end;
    }
    BirthFormValues form = testdata::referenceForm();
    ApplyChartFile(ReadChartFileLines(bytes), form);
    return form;
}

TEST(ApplyChartFile, AMissingLineIsEmptyAndEmptiesItsTextBox) {
    const BirthFormValues ravi = testdata::referenceForm();
    struct Case {
        std::size_t lines;
        const char* name;
        const char* latDeg;
        const char* city;
        const char* country;
    } const cases[] = {
        {17, "abc", "18", "Pune", "India"},
        {16, "abc", "18", "Pune", ""},
        {14, "abc", "18", "", ""},  // the calculation then stops at the city
        {9, "abc", "", "", ""},
        {0, "", "", "", ""},
    };
    for (const Case& c : cases) {
        const BirthFormValues f = referenceFormAfterReading(c.lines);
        EXPECT_EQ(f.txtName, c.name) << c.lines;
        EXPECT_EQ(f.txtLatDeg, c.latDeg) << c.lines;
        EXPECT_EQ(f.txtCity, c.city) << c.lines;
        EXPECT_EQ(f.txtState, c.lines >= 16 ? "Maharashtra" : "") << c.lines;
        EXPECT_EQ(f.txtCountry, c.country) << c.lines;
        // An empty line is no entry of a list and no flag: those keep Ravi's.
        if (c.lines < 3) {
            EXPECT_EQ(f.cboDate, ravi.cboDate) << c.lines;
        }
        if (c.lines < 7) {
            EXPECT_EQ(f.cboTimeZone, ravi.cboTimeZone) << c.lines;
        }
    }
    EXPECT_EQ(ValidateInput(referenceFormAfterReading(14))->message, "Please Enter Your City name");
}

TEST(ReadChartFileLines, ControlCharactersAreDroppedAndTheRestKept) {
    const std::string name = "Ravi\r\nLord: FAKE\x1b[2J\x7f\t";
    const std::string bytes = EncodeChartField(name) + "\r\n";
    const ChartFileLines lines = ReadChartFileLines(bytes);
    ASSERT_TRUE(lines[0].has_value());
    EXPECT_EQ(*lines[0], "RaviLord: FAKE[2J");

    // The chart of such a name exports exactly 26 lines.
    BirthFormValues form = testdata::referenceForm();
    form.txtName = *lines[0];
    const auto session = testdata::computedSession(form);
    ASSERT_TRUE(session.has_value());
    const std::string text = MakeExportFileText(session->record, EnglishMonthNames());
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 26);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\x1b'), 0);
}

TEST(ChartFile, TextsUpToTheBoundComeBackExactlyLongerOnesAreSkipped) {
    BirthFormValues original = puneForm();
    original.txtName = std::string(MaxTextLength, 'a');
    original.txtCountry = std::string(MaxTextLength - 1, 'b') + "\u00a3";  // 1024 characters, 1025 bytes
    const auto session = testdata::computedSession(original);
    ASSERT_TRUE(session.has_value());
    BirthFormValues restored;
    ApplyChartFile(ReadChartFileLines(MakeChartFileBytes(session->record, 34)), restored);
    EXPECT_EQ(restored.txtName, original.txtName);
    EXPECT_EQ(restored.txtCountry, original.txtCountry);

    ChartFileLines longer;
    longer[0] = std::string(MaxTextLength + 1, 'a');
    BirthFormValues form = puneForm();
    ApplyChartFile(longer, form);
    EXPECT_EQ(form.txtName, "abc");  // not a text the box can hold: skipped

    // A file written elsewhere: a city of 101 characters (the bound of
    // earlier versions) is kept whole; one of 1500 is skipped, not cut.
    for (const std::size_t length : {std::size_t{101}, MaxTextLength, std::size_t{1500}}) {
        ChartFileLines lines = ReadChartFileLines(MakeChartFileBytes(session->record, 34));
        std::string file;
        for (std::size_t k = 0; k < lines.size(); ++k) {
            file += EncodeChartField(k == 14 ? std::string(length, 'c') : lines[k].value_or("")) + "\r\n";
        }
        BirthFormValues reopened = puneForm();
        ApplyChartFile(ReadChartFileLines(file), reopened);
        EXPECT_EQ(reopened.txtCity, length <= MaxTextLength ? std::string(length, 'c') : "Pune") << length;
    }
}

TEST(UnstorableCharacters, WhatAChartFileCannotHold) {
    const std::pair<const char*, const char*> cases[] = {
        {"Ravi Kumar", ""},
        {"\u00a3 \u00aa", ""},              // codes 163 and 170: stored
        {"\u20ac", ""},                     // the euro sign is 128 in Windows-1252
        {"Jos\u00e9", "\u00e9"},            // 233 is above 170
        {"\u0baa\u0bbf\u0bb0\u0bbf", "\u0baa\u0bbf\u0bb0\u0bbf"},  // not in Windows-1252 at all
        {"a\u00abb", "\u00ab"},             // 171
    };
    for (const auto& [text, lost] : cases) EXPECT_EQ(UnstorableCharacters(text), lost) << text;
}

// Every file the program saves opens again to what it holds: a name or place
// of blanks only passes the form (one blank is a name) but would be an empty
// line in the file, which does not open, so saving refuses it, naming the
// field; outer blanks are dropped and the rest comes back.
TEST(ChartFileProblem, WhatIsSavedOpensAgain) {
    const struct {
        std::string BirthFormValues::*box;
        const char* name;
    } fields[] = {{&BirthFormValues::txtName, "name"},
                  {&BirthFormValues::txtCity, "city"},
                  {&BirthFormValues::txtState, "state"},
                  {&BirthFormValues::txtCountry, "country"}};
    for (const auto& f : fields) {
        for (const char* blanks : {" ", "   "}) {
            BirthFormValues form = puneForm();
            form.*f.box = blanks;
            const auto session = testdata::computedSession(form);
            ASSERT_TRUE(session.has_value()) << f.name << ": the form takes it";
            const std::optional<std::string> problem = ChartFileProblem(session->record);
            ASSERT_TRUE(problem.has_value()) << f.name;
            EXPECT_EQ(problem->rfind(std::string("the ") + f.name + " is blanks only", 0), 0U) << *problem;
        }
        BirthFormValues form = puneForm();
        form.*f.box = "  Jai Hind ";
        const auto session = testdata::computedSession(form);
        ASSERT_TRUE(session.has_value());
        EXPECT_EQ(ChartFileProblem(session->record), std::nullopt) << f.name;
        BirthFormValues reopened;
        ApplyChartFile(ReadChartFileLines(MakeChartFileBytes(session->record, 34)), reopened);
        EXPECT_EQ(reopened.*f.box, "Jai Hind") << f.name;
        ChartSession again;
        EXPECT_TRUE(RunCalculation(reopened, again).accepted()) << f.name;
        form.*f.box = "Jos\u00e9";
        const auto unstorable = testdata::computedSession(form);
        ASSERT_TRUE(unstorable.has_value());
        EXPECT_EQ(ChartFileProblem(unstorable->record),
                  std::string("the ") + f.name + " holds characters a chart file cannot store: \u00e9");
    }
}

TEST(TextFieldProblem, WhatANameOrPlaceBoxRefuses) {
    const std::pair<std::string, const char*> cases[] = {
        {"Ravi Kumar", nullptr},
        {"Jos\u00e9 \u0baa\u0bbf", nullptr},
        {std::string(MaxTextLength, 'a'), nullptr},
        {std::string(MaxTextLength, 'a') + "a", "is longer than 1024 characters"},
        {"Ravi\r\nX", "contains a control character"},
        {"Ravi\x1b[2J", "contains a control character"},
        {"Ravi\x7f", "contains a control character"},
        {"Ravi\u0085", "contains a control character"},  // a C1 control
        {"\u0100\u0101", nullptr},                        // C4 80: a continuation byte 80 is no control
        {"Ravi\xff", "is not valid UTF-8 text"},
        {"\xc0\xaf", "is not valid UTF-8 text"},          // overlong
        {"\xed\xa0\x80", "is not valid UTF-8 text"},      // a surrogate
        {"\xe2\x82", "is not valid UTF-8 text"},          // truncated
    };
    for (const auto& [text, problem] : cases) {
        const std::optional<std::string> found = TextFieldProblem(text);
        if (problem) {
            EXPECT_EQ(found.value_or("<none>"), problem) << text;
        } else {
            EXPECT_FALSE(found.has_value()) << text << ": " << *found;
        }
    }
}

}  // namespace
