// How Save As JPEG names its file: the stem of the chosen path with ".jpg",
// or, when that file exists, the first free name with _001 .. _999 before the
// extension; a time-stamp name when no file name was chosen.
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <string_view>

namespace app {

// The platform's local clock reading, to the millisecond.
using LocalTime = std::chrono::local_time<std::chrono::milliseconds>;

// "yyyyMMddhhmmsszzz" (17 characters), or just "yyyyMMdd" when dateOnly: each
// number zero-padded to its width (a year wider than four digits is written
// whole, so the name grows).
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
// "/a.jpg" gives the folder "" and "a.jpg"; a path that ends with a separator
// gives the file "".
SplitPathResult SplitPath(std::string_view path);

struct ImageNamingContext {
    std::function<bool(const std::string&)> fileExists;  // true when anything of that name exists
    std::string programFolder;
    LocalTime now{};
    // Called with each name chosen, just before it is written (tests make the
    // file there at that moment, as another program might).
    std::function<void(const std::string&)> nameChosen;
};

struct UniquePathResult {
    std::string path;            // empty when no free name exists
    std::string file;            // the file name the numbering worked on
    bool tooManyCopies = false;  // all of _001 .. _999 are taken
};

// MakeUniqueImagePath: the first free path for an image in a folder.
//   Given:   the folder (empty: the program's folder) and the file name
//            (empty: the date's name, "yyyyMMdd.jpg" of context.now).
//   Returns: folder, separator and file when nothing of that name exists,
//            else the first free of the file with "_001" .. "_999" put before
//            its "."; with all of them taken, no path and tooManyCopies. `file`
//            is the name after the extension rule below.
//   Notes:   a file name with a "." has every ".bmp" in it made ".jpg" and
//            keeps any other extension; one without gets ".jpg". The number
//            goes before every "." of the name ("a.b.jpg" gives
//            "a_001.b_001.jpg"). Each "//" in the folder becomes "/", a
//            leading one too ("///" leaves "//").
UniquePathResult MakeUniqueImagePath(std::string folder, std::string file, const ImageNamingContext& context);

// The whole naming of one save for the path the user chose: its stem (up to
// the first "." of its file name) with ".jpg", numbered by
// MakeUniqueImagePath. A path without a separator (a bare file name, or "")
// has neither folder nor file, so it gives the date's name in the program's
// folder; a path that ends with a separator gives the file ".jpg".
UniquePathResult ChooseImagePath(std::string_view chosenPath, const ImageNamingContext& context);

// What writing under a chosen name came to: the write itself refuses a name
// that was taken after it was chosen.
enum class NameWrite { Written, NameTaken, Failed };

struct ImageSaveResult {
    std::string path;            // the path written, or the one whose write failed
    std::string file;            // the file name the numbering worked on
    bool tooManyCopies = false;  // every numbered name is taken; nothing written
    std::string failure;         // the reason the write failed; empty otherwise

    // Whether the image was written under `path`.
    bool written() const { return !tooManyCopies && failure.empty(); }
};

// Saves under the name ChooseImagePath gives; when the write finds that name
// taken meanwhile, goes on with the next free one, so that nothing is ever
// written over. `write` writes the path and, when it fails, sets the reason.
//   Returns: the path written; or the path whose write failed with the
//            reason ("The file could not be written" when `write` gave none);
//            or, when every numbered name is taken, no path and tooManyCopies.
//   Notes:   context.nameChosen hears each name before it is written. After
//            1001 names found taken (a `write` that says taken while
//            fileExists says free) the save ends as tooManyCopies.
ImageSaveResult SaveUnderFreeName(std::string_view chosenPath, const ImageNamingContext& context,
                                  const std::function<NameWrite(const std::string& path, std::string& reason)>& write);

// The message and title when every numbered name is taken: "There are too
// many Copies of this file  <file>" (two blanks before the name) and
// " UNABLE  TO  CREATE  NEW  FILE<file>" (the name joined without a blank).
std::string TooManyCopiesMessage(std::string_view file);
std::string TooManyCopiesTitle(std::string_view file);

}  // namespace app
