// Any text given to the compact position form, and any angle given to the long
// one: no crash, and a long text of an angle in 0..360 always compacts to nine
// characters with its sign at characters 4..6.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "astro/PositionText.h"
#include "astro/Utf8Text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    (void)modVedicPlanetPosition::CompactPosition(text);
    (void)astro::SubChars(text, size % 7, size % 5);

    if (size >= sizeof(double)) {
        double angle = 0;
        std::memcpy(&angle, data, sizeof angle);
        if (std::isfinite(angle) && angle >= 0 && angle < 360) {
            const std::string longText = modVedicPlanetPosition::FormatSignPosition(angle);
            const std::string compact = modVedicPlanetPosition::CompactPosition(longText);
            if (astro::CharCount(compact) != 9) __builtin_trap();
            if (astro::SubChars(compact, 3, 3) != astro::LastChars(longText, 3)) __builtin_trap();
        }
    }
    return 0;
}
