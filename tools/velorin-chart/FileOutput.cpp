#include "FileOutput.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>

namespace velorin_chart {

namespace fs = std::filesystem;

std::optional<std::string> WriteFileAtomically(const std::string& path, const std::string& bytes) {
    std::error_code error;
    if (fs::is_directory(path, error)) return "it is a folder";
    const fs::path target(path);
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::random_device random;
    const fs::path temporary = folder / (".velorin-" + std::to_string(random()) + ".tmp");

    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) return std::strerror(errno);
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const int writeErrno = errno;
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        fs::remove(temporary, error);
        return std::strerror(written ? errno : writeErrno);
    }
    fs::rename(temporary, target, error);
    if (error) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return error.message();
    }
    return std::nullopt;
}

ReadResult ReadFileStart(const std::string& path, std::size_t maxBytes) {
    std::error_code error;
    if (fs::is_directory(path, error)) return {{}, "it is a folder"};
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return {{}, std::strerror(errno)};
    ReadResult result;
    result.bytes.resize(maxBytes);
    const std::size_t got = std::fread(result.bytes.data(), 1, maxBytes, file);
    if (std::ferror(file)) result.error = std::strerror(errno);
    std::fclose(file);
    result.bytes.resize(got);
    return result;
}

}  // namespace velorin_chart
