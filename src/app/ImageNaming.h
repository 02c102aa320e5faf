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
    // Called with each name chosen, just before it is written (tests make the
    // file there at that moment, as another program might).
    std::function<void(const std::string&)> nameChosen;
};

struct UniquePathResult {
    std::string path;            // empty when no free name exists
    std::string file;            // the file name the numbering worked on
    bool tooManyCopies = false;  // all of _001 .. _999 are taken
};

UniquePathResult MakeUniqueImagePath(std::string folder, std::string file, const ImageNamingContext& context);

// The whole naming of one save for the path the user chose.
UniquePathResult ChooseImagePath(std::string_view chosenPath, const ImageNamingContext& context);

// What writing under a chosen name came to: the write itself refuses a name
// that was taken after it was chosen.
enum class NameWrite { Written, NameTaken, Failed };

struct ImageSaveResult {
    std::string path;            // the path written, or the one whose write failed
    std::string file;            // the file name the numbering worked on
    bool tooManyCopies = false;  // every numbered name is taken; nothing written
    std::string failure;         // the reason the write failed; empty otherwise

    bool written() const { return !tooManyCopies && failure.empty(); }
};

// Saves under the name ChooseImagePath gives; when the write finds that name
// taken meanwhile, goes on with the next free one, so that nothing is ever
// written over. `write` writes the path and, when it fails, sets the reason.
ImageSaveResult SaveUnderFreeName(std::string_view chosenPath, const ImageNamingContext& context,
                                  const std::function<NameWrite(const std::string& path, std::string& reason)>& write);

// The message and title when every numbered name is taken.
std::string TooManyCopiesMessage(std::string_view file);
std::string TooManyCopiesTitle(std::string_view file);

}  // namespace app
