// Windows: what stands at a path, for the reader and the writer. Paths are
// the program's UTF-8 text converted to UTF-16; what they name is looked at
// through a handle opened without any right to read or write, so that
// nothing is taken from or given to a device.
#pragma once

#include <optional>
#include <string>

namespace io::windows {

struct Found {
    enum class Kind { Missing, File, Folder, Device, Pipe, Other, Unknown };
    Kind kind = Kind::Unknown;
    unsigned long attributes = 0;  // FILE_ATTRIBUTE_... of a file or folder
    unsigned long error = 0;       // GetLastError() when missing or unknown
};

// What the path finally names, following symbolic links.
Found Look(const std::wstring& path);

// Why a thing of that kind is not read or written; nothing for a file, a
// missing name and one that could not be looked at.
std::optional<std::string> NotAFileReason(Found::Kind kind);

}  // namespace io::windows
