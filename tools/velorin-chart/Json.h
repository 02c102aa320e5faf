// The command line's JSON: one writer for every JSON it prints, one reader
// for the batch's input lines.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velorin_chart {

// A JSON string literal for a UTF-8 text; invalid bytes become U+FFFD.
std::string JsonString(std::string_view text);

// A JSON number (17 significant digits, a point in every locale); null when
// not finite.
std::string JsonNumber(double value);
// The same, appended to `out`.
void AppendJsonNumber(std::string& out, double value);
// The same, written at `at`, which has room for JsonNumberRoom characters;
// returns the end of what it wrote.
constexpr std::size_t JsonNumberRoom = 32;
char* WriteJsonNumber(char* at, double value);
// A text as it stands inside the quotes of a JSON string, appended to `out`.
void AppendJsonStringContent(std::string& out, std::string_view text);

// Appends JSON values to a string. Members of objects and arrays are
// separated by ", ", a key by ": " from its value; an object begun `Indented`
// puts each member on a line of its own, two blanks in, and its closing brace
// on a line of its own. Nothing checks the nesting: the caller writes what it
// opens.
class JsonWriter {
public:
    enum class Layout { OneLine, Indented };
    explicit JsonWriter(std::string& out) : out_(out) {}

    JsonWriter& beginObject(Layout layout = Layout::OneLine);
    JsonWriter& endObject();
    JsonWriter& beginArray();
    JsonWriter& endArray();
    // The key of the next member; keys are plain names and are not escaped.
    JsonWriter& key(std::string_view name);

    JsonWriter& string(std::string_view text);
    JsonWriter& number(double value);
    JsonWriter& integer(long long value);
    JsonWriter& boolean(bool value);
    JsonWriter& null();
    // A value that is JSON already.
    JsonWriter& raw(std::string_view json);
    // The text to append a value to that the caller writes itself (JSON
    // already, as with raw), without a copy.
    std::string& rawValue();

    template <typename Texts>
    JsonWriter& strings(const Texts& texts) {
        beginArray();
        for (const auto& text : texts) string(text);
        return endArray();
    }

private:
    struct Level {
        bool indented = false;
        bool first = true;
    };
    void beforeMember();  // the separator before a key or an array's value
    void beforeValue();

    std::string& out_;
    std::vector<Level> levels_;
    bool afterKey_ = false;
};

// Reads the one JSON object of a batch line, a value at a time.
class JsonReader {
public:
    explicit JsonReader(std::string_view text) : text_(text) {}

    // Takes the character c (after blanks) when it comes next.
    bool take(char c);
    // Whether only blanks are left.
    bool atEnd();
    // A string literal, unescaped; nothing when none comes next or it is malformed.
    std::optional<std::string> string();
    // A bare word (true, false, null) or a number, as written.
    std::string word();

private:
    void skipBlanks();
    std::optional<char32_t> hex4();
    std::optional<char32_t> unicodeEscape();

    std::string_view text_;
    std::size_t at_ = 0;
};

}  // namespace velorin_chart
