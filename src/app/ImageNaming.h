// How Save As JPEG names its file: the stem of the chosen path with ".jpg",
// or, when that file exists, the first free name with _001 .. _999 before the
// extension; a time-stamp name when no file name was chosen.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace app {

struct LocalTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, millisecond = 0;
};

// "yyyyMMddhhmmsszzz" (17 characters), or just "yyyyMMdd" when dateOnly.
std::string MakeTimestampName(bool dateOnly, const LocalTime& now);

// Whether c separates folders in a path on this system ("/", and also "\" on
// Windows).
bool IsPathSeparator(char c);
inline constexpr char PathSeparator = '/';

struct SplitPathResult {
    std::string folder;  // without the final separator
    std::string file;
};
// Splits at the last separator; a path without one has neither folder nor file.
SplitPathResult SplitPath(std::string_view path);

struct ImageNamingContext {
    std::function<bool(const std::string&)> fileExists;  // true when anything of that name exists
    std::string programFolder;
    LocalTime now;
};

struct UniquePathResult {
    std::string path;            // empty when no free name exists
    std::string file;            // the file name the numbering worked on
    bool tooManyCopies = false;  // all of _001 .. _999 are taken
};

UniquePathResult MakeUniqueImagePath(std::string folder, std::string file, const ImageNamingContext& context);

// The whole naming of one save for the path the user chose.
UniquePathResult ChooseImagePath(std::string_view chosenPath, const ImageNamingContext& context);

// The message and title when every numbered name is taken.
std::string TooManyCopiesMessage(std::string_view file);
std::string TooManyCopiesTitle(std::string_view file);

}  // namespace app
