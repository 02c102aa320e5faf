// A folder of its own for each test, removed with everything in it.
#pragma once

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace testio {

class TempFolder {
public:
#ifdef _WIN32
    // In the system's folder for temporary files, as a UTF-8 path.
    TempFolder() {
        std::error_code error;
        const std::filesystem::path base = std::filesystem::temp_directory_path(error);
        if (error) return;
        static int made = 0;
        for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
            const std::filesystem::path folder =
                base / ("velorin-io-" + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(++made));
            if (std::filesystem::create_directory(folder, error)) {
                const std::u8string name = folder.u8string();
                path_.assign(name.begin(), name.end());
            }
        }
    }
#else
    TempFolder() {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base && *base ? base : "/tmp") + "/velorin-io-XXXXXX";
        if (::mkdtemp(pattern.data())) path_ = pattern;
    }
#endif
    ~TempFolder() {
        std::error_code ignored;
        if (!path_.empty()) std::filesystem::remove_all(fileSystemPath(path_), ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    bool valid() const { return !path_.empty(); }
    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

    // The program's path (bytes; UTF-8 on Windows) as the standard library's.
    static std::filesystem::path fileSystemPath(const std::string& path) {
#ifdef _WIN32
        return std::filesystem::path(std::u8string(path.begin(), path.end()));
#else
        return path;
#endif
    }

private:
    std::string path_;
};

inline std::string contentOf(const std::string& path) {
#ifndef _WIN32
    // A file the test made unreadable (modes 0200, 0000) is read as its owner
    // would after a chmod u+r; root reads it anyway. Its mode is put back.
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0 && (status.st_mode & S_IRUSR) == 0 && ::geteuid() != 0) {
        ::chmod(path.c_str(), (status.st_mode & 07777) | S_IRUSR);
        std::ifstream file(path, std::ios::binary);
        std::ostringstream bytes;
        bytes << file.rdbuf();
        ::chmod(path.c_str(), status.st_mode & 07777);
        return bytes.str();
    }
#endif
    std::ifstream file(TempFolder::fileSystemPath(path), std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

inline void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(TempFolder::fileSystemPath(path), std::ios::binary) << bytes;
}

#ifndef _WIN32
inline mode_t modeOf(const std::string& path) {
    struct stat status {};
    ::lstat(path.c_str(), &status);
    return status.st_mode;
}
#endif

// The names in the folder that the writer's temporary files have.
inline int temporariesIn(const std::string& folder) {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(TempFolder::fileSystemPath(folder))) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with(".velorin-") && name.ends_with(".tmp")) ++count;
    }
    return count;
}

// Names beside a chart being saved, their ages and whether the save removes
// them as its own leftovers (the writer's temporaries older than a minute).
struct LeftoverCase {
    const char* name;
    bool folder;
    std::chrono::seconds age;
    bool removed;
};
inline const LeftoverCase LeftoverCases[] = {
    {".velorin-0123456789abcdef.tmp", false, std::chrono::seconds(120), true},
    {".velorin-1234.tmp", false, std::chrono::hours(48), false},  // not of the writer's form
    {".velorin-fedcba9876543210.tmp", false, std::chrono::seconds(10), false},  // a save still going on
    {".velorin-notes.txt", false, std::chrono::hours(1), false},
    {"velorin-1234.tmp", false, std::chrono::hours(1), false},
    {".velorin-.tmp", false, std::chrono::hours(1), false},
    {".velorin-folder.tmp", true, std::chrono::hours(1), false},
};

}  // namespace testio
