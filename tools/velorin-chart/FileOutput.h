// Reading and writing the command line's files.
#pragma once

#include <optional>
#include <string>

namespace velorin_chart {

// Writes the whole file or nothing: the bytes go to a temporary file in the
// same folder, which then replaces the target. Returns the reason on failure.
std::optional<std::string> WriteFileAtomically(const std::string& path, const std::string& bytes);

// At most maxBytes of a file, or the reason it cannot be read.
struct ReadResult {
    std::string bytes;
    std::string error;  // empty when read
};
ReadResult ReadFileStart(const std::string& path, std::size_t maxBytes);

}  // namespace velorin_chart
