// The one writer of every file the program writes: the chart file, the text
// export and the JPEG, in the desktop program and on the command line.
//
// A file is written whole or not at all. The bytes go to a new temporary file
// beside the target (".velorin-<random>.tmp", created exclusively, mode 0600),
// which is flushed to the disk and only then takes the target's name; the
// folder is flushed after. On any failure the temporary file is removed and
// the target is as it was.
//
// On Windows the path is UTF-8 (a name that is not is refused), the
// temporary file gets the permissions the folder gives new files, and so
// does the file that replaces another; a read-only file (its attribute) is
// refused, and a symbolic link that leads nowhere is refused with the
// system's reason. The reasons of failures are the system's texts.
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <string_view>

namespace io {

enum class ExistingFile {
    Replace,  // an existing regular file is replaced (through a symbolic link: its final target)
    Keep,     // the name must be free; the last step itself refuses a name that is taken
};

struct WriteResult {
    enum class Status { Written, NameTaken, Failed };
    Status status = Status::Failed;
    std::string reason;  // why it failed; empty otherwise

    bool written() const { return status == Status::Written; }
};

// Writes the bytes as the file at path.
//
// Replace: a symbolic link is followed to the file it finally names, and that
// file is replaced (the link stays); an existing file keeps its permission
// bits and, where permitted, its owner; a new file gets the usual permissions
// (0666 less the umask). Refused without being opened: a target that is not
// a regular file (a folder, a named pipe, a device, a socket) and a file the
// user has no write permission for ("It is read-only"), also when running as
// root.
//
// Keep: nothing of that name (not even a symbolic link) is replaced; when the
// name is taken, also by a file made while this one was being written, the
// result is NameTaken and nothing is changed.
WriteResult WriteFile(const std::string& path, std::string_view bytes, ExistingFile existing = ExistingFile::Replace);

#ifndef _WIN32
// The steps of a write, in order.
enum class WriteStep {
    Created,      // the new file exists, empty, mode 0600 (without a name where the file system allows)
    Written,      // it holds the bytes
    Permissions,  // it has the old file's owner, mode and attributes, or the usual mode (a file
                  // that must not replace another gets that when it has its name)
    Flushed,      // its bytes are on the disk
    Named,        // a file that replaces another has a temporary name (until it has the target's,
                  // an interrupt or a request to terminate waits)
    Placed,       // it has the target's name
    Closed,       // it is closed
    FolderFlushed,
};

// What a test may put in place of the system for one write (the programs
// pass none): an observer called after each step, where a test may stop the
// process to see what a crash at that moment leaves or make a file another
// program makes meanwhile; and link(2), which a test can make fail as on a
// file system without hard links (FAT, some network shares).
struct WriteSeams {
    std::function<void(WriteStep)> afterStep;
    std::function<int(const char* existing, const char* newName)> hardLink;
};
WriteResult WriteFile(const std::string& path, std::string_view bytes, ExistingFile existing, const WriteSeams& seams);
#endif

// The prefix and suffix of the temporary files; between them 16 lower-case
// hexadecimal digits.
inline constexpr std::string_view TemporaryPrefix = ".velorin-";
inline constexpr std::string_view TemporarySuffix = ".tmp";

// Whether a name has exactly the form the writer gives its temporary files
// (".velorin-notes.tmp" has not).
template <typename Char>
bool IsTemporaryName(std::basic_string_view<Char> name) {
    if (name.size() != TemporaryPrefix.size() + 16 + TemporarySuffix.size()) return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const Char c = name[i];
        if (i < TemporaryPrefix.size()) {
            if (c != static_cast<Char>(TemporaryPrefix[i])) return false;
        } else if (i >= TemporaryPrefix.size() + 16) {
            if (c != static_cast<Char>(TemporarySuffix[i - TemporaryPrefix.size() - 16])) return false;
        } else if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) {
            return false;
        }
    }
    return true;
}

// Temporary files older than this are the leftovers of a write that was cut
// short (the program was killed or the machine stopped); the next write in
// the same folder removes them: names of the exact form above, regular files
// of this user's, mode 0600 (a temporary file has that mode while it has its
// temporary name), nothing else.
inline constexpr std::chrono::seconds LeftoverAge{60};

// Removes this user's leftover temporary files in the folder. Called by every
// write; a younger temporary file may belong to a write still going on and is
// left alone.
void RemoveLeftoverTemporaries(const std::string& folder);

}  // namespace io
