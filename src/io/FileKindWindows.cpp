#include <cstring>

#include <windows.h>

#include "io/FileKind.h"
#include "io/WindowsFiles.h"
#include "io/WindowsText.h"

namespace io {

namespace windows {

Found Look(const std::wstring& path) {
    // No access asked for: a device is opened without being read or written;
    // a folder opens only with backup semantics.
    const HANDLE handle = ::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return {Found::Kind::Missing, 0, error};
        // Held open without sharing, say: the attributes still tell the kind.
        const DWORD attributes = ::GetFileAttributesW(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) return {Found::Kind::Unknown, 0, error};
        return {(attributes & FILE_ATTRIBUTE_DIRECTORY) ? Found::Kind::Folder : Found::Kind::File, attributes, 0};
    }
    Found found;
    switch (::GetFileType(handle)) {
        case FILE_TYPE_CHAR: found.kind = Found::Kind::Device; break;
        case FILE_TYPE_PIPE: found.kind = Found::Kind::Pipe; break;
        case FILE_TYPE_DISK: {
            BY_HANDLE_FILE_INFORMATION information{};
            if (::GetFileInformationByHandle(handle, &information)) {
                found.attributes = information.dwFileAttributes;
                found.kind = (found.attributes & FILE_ATTRIBUTE_DIRECTORY) ? Found::Kind::Folder : Found::Kind::File;
            } else {
                found.error = ::GetLastError();
            }
            break;
        }
        default: found.kind = Found::Kind::Other; break;
    }
    ::CloseHandle(handle);
    return found;
}

std::optional<std::string> NotAFileReason(Found::Kind kind) {
    switch (kind) {
        case Found::Kind::Folder: return "It is a folder, not a file";
        case Found::Kind::Device: return "It is a device, not a file";
        case Found::Kind::Pipe: return "It is a named pipe, not a file";
        case Found::Kind::Other: return "It is not a regular file";
        case Found::Kind::Missing:
        case Found::Kind::File:
        case Found::Kind::Unknown: break;
    }
    return std::nullopt;
}

}  // namespace windows

std::optional<std::string> NotARegularFileReason(const std::string& path) {
    const std::optional<std::wstring> wide = WideText(path);
    if (!wide) return std::nullopt;
    return windows::NotAFileReason(windows::Look(*wide).kind);
}

bool NameTaken(const std::string& path) {
    const std::optional<std::wstring> wide = WideText(path);
    // The attributes of a symbolic link itself, even when it leads nowhere.
    return wide && ::GetFileAttributesW(wide->c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ErrorText(int errorNumber) {
    char buffer[256];
    if (::strerror_s(buffer, sizeof buffer, errorNumber) != 0) return "error " + std::to_string(errorNumber);
    return buffer;
}

}  // namespace io
