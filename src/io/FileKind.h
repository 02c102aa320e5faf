// What stands at a path, for the reader and the writer: only a regular file is
// ever opened, so that a named pipe, a device or a socket never blocks the
// program or receives its bytes.
#pragma once

#include <optional>
#include <string>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace io {

#ifndef _WIN32
// Why a file of this kind is not read or written ("It is a folder, not a
// file"); nothing for a regular file.
std::optional<std::string> NotARegularFileReason(const struct stat& status);
#endif

// The same for whatever the path names, following symbolic links; nothing
// when it is a regular file or when nothing (that can be looked at) is there.
std::optional<std::string> NotARegularFileReason(const std::string& path);

// Whether anything at all has that name: a file, a folder, or a symbolic link
// even when it leads nowhere. Such a name is taken for a file that must not
// replace anything. A name that cannot be looked at (a missing folder) is not
// taken: writing it then fails with the reason.
bool NameTaken(const std::string& path);

// The C library's text for an error number ("No space left on device").
std::string ErrorText(int errorNumber);

}  // namespace io
