// The one reader of chart files, in the desktop program and on the command
// line: it reads a regular file only, and never more than it is asked for.
#pragma once

#include <cstddef>
#include <string>

namespace io {

struct ReadResult {
    std::string bytes;
    std::string error;  // why it could not be read; empty when read

    bool read() const { return error.empty(); }
};

// At most maxBytes from the start of the file. Anything but a regular file (a
// folder, a named pipe, a device, a socket) is refused without waiting on it;
// a read that fails part-way is an error, not a short file. On Windows the
// path is UTF-8, and the reasons of failures are the system's texts.
ReadResult ReadFileStart(const std::string& path, std::size_t maxBytes);

}  // namespace io
