#include "charttext/TextLayout.h"

#include "astro/Utf8Text.h"

namespace charttext {

std::string PadRight(std::string_view text, std::size_t width) {
    std::string out(astro::SubChars(text, 0, width));
    out.append(width - astro::CharCount(out), ' ');
    return out;
}

std::string Centred(std::string_view text, std::size_t width) {
    const std::string cut(astro::SubChars(text, 0, width));
    const std::size_t left = (width - astro::CharCount(cut)) / 2;
    return std::string(left, ' ') + PadRight(cut, width - left);
}

std::vector<std::string> BoxEntries(const std::string& box) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (!box.empty()) {
        const std::size_t end = box.find("\r\n", start);
        lines.push_back(box.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) break;
        start = end + 2;
    }
    return lines;
}

}  // namespace charttext
