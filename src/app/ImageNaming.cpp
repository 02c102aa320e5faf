#include "app/ImageNaming.h"

#include <cstdio>

namespace app {

namespace {

std::string replaceAll(std::string text, std::string_view from, std::string_view to) {
    std::size_t pos = 0;
    while ((pos = text.find(from, pos)) != std::string::npos) {
        text.replace(pos, from.size(), to);
        pos += to.size();
    }
    return text;
}

std::string digits(int value, int width) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*d", width, value);
    return buffer;
}

std::size_t lastSeparator(std::string_view path) {
    for (std::size_t i = path.size(); i > 0; --i) {
        if (IsPathSeparator(path[i - 1])) return i - 1;
    }
    return std::string_view::npos;
}

}  // namespace

bool IsPathSeparator(char c) {
#ifdef _WIN32
    return c == '\\' || c == '/';
#else
    return c == '/';
#endif
}

std::string MakeTimestampName(bool dateOnly, const LocalTime& now) {
    const std::chrono::local_days day = std::chrono::floor<std::chrono::days>(now);
    const std::chrono::year_month_day date{day};
    std::string name = digits(static_cast<int>(date.year()), 4) + digits(static_cast<int>(static_cast<unsigned>(date.month())), 2) +
                       digits(static_cast<int>(static_cast<unsigned>(date.day())), 2);
    if (dateOnly) return name;
    const std::chrono::hh_mm_ss<std::chrono::milliseconds> time{now - day};
    return name + digits(static_cast<int>(time.hours().count()), 2) + digits(static_cast<int>(time.minutes().count()), 2) +
           digits(static_cast<int>(time.seconds().count()), 2) + digits(static_cast<int>(time.subseconds().count()), 3);
}

SplitPathResult SplitPath(std::string_view path) {
    const std::size_t at = lastSeparator(path);
    if (at == std::string_view::npos) return {};
    return {std::string(path.substr(0, at)), std::string(path.substr(at + 1))};
}

UniquePathResult MakeUniqueImagePath(std::string folder, std::string file, const ImageNamingContext& context) {
    if (folder.empty()) folder = context.programFolder;
    if (folder.empty() || !IsPathSeparator(folder.back())) folder += PathSeparator;
    const std::string doubled{PathSeparator, PathSeparator};
    folder = replaceAll(folder, doubled, std::string(1, PathSeparator));

    if (file.empty()) {
        file = MakeTimestampName(true, context.now) + ".jpg";
    } else if (file.find('.') != std::string::npos) {
        file = replaceAll(file, ".bmp", ".jpg");
    } else {
        file += ".jpg";
    }

    UniquePathResult result;
    result.file = file;
    if (!context.fileExists(folder + file)) {
        result.path = folder + file;
        return result;
    }
    for (int n = 1; n <= 999; ++n) {
        const std::string candidate = replaceAll(file, ".", "_" + digits(n, 3) + ".");
        if (!context.fileExists(folder + candidate)) {
            result.path = folder + candidate;
            return result;
        }
    }
    result.tooManyCopies = true;
    return result;
}

UniquePathResult ChooseImagePath(std::string_view chosenPath, const ImageNamingContext& context) {
    // The stem ends before the first "." of the file-name part.
    const std::size_t fileStart = lastSeparator(chosenPath) == std::string_view::npos ? 0 : lastSeparator(chosenPath) + 1;
    const std::size_t dot = chosenPath.find('.', fileStart);
    const std::string jpegPath = std::string(chosenPath.substr(0, dot)) + ".jpg";
    const SplitPathResult parts = SplitPath(jpegPath);
    return MakeUniqueImagePath(parts.folder, parts.file, context);
}

ImageSaveResult SaveUnderFreeName(std::string_view chosenPath, const ImageNamingContext& context,
                                  const std::function<NameWrite(const std::string& path, std::string& reason)>& write) {
    ImageSaveResult result;
    // Each round either writes or finds one more name taken: after the plain
    // name and its 999 numbers, no name is left.
    for (int round = 0; round <= 1000; ++round) {
        const UniquePathResult target = ChooseImagePath(chosenPath, context);
        result.file = target.file;
        if (target.tooManyCopies) break;
        if (context.nameChosen) context.nameChosen(target.path);
        result.path = target.path;
        switch (write(target.path, result.failure)) {
            case NameWrite::Written: return result;
            case NameWrite::Failed:
                if (result.failure.empty()) result.failure = "The file could not be written";
                return result;
            case NameWrite::NameTaken: break;
        }
    }
    result.path.clear();
    result.tooManyCopies = true;
    return result;
}

std::string TooManyCopiesMessage(std::string_view file) {
    return "There are too many Copies of this file  " + std::string(file);
}

std::string TooManyCopiesTitle(std::string_view file) { return " UNABLE  TO  CREATE  NEW  FILE" + std::string(file); }

}  // namespace app
