// The writer on Windows: the same steps as on POSIX systems with the
// system's own calls. The temporary file is created with CREATE_NEW, flushed
// with FlushFileBuffers and given its name with MoveFileExW, which writes the
// move through to the disk before it returns (so the folder needs no flush of
// its own); without MOVEFILE_REPLACE_EXISTING the move refuses a name that is
// taken, also by a file made while this one was being written.
#define _CRT_RAND_S
#include "io/FileWriter.h"

#include <aclapi.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>
#include <windows.h>

#include "io/WindowsFiles.h"
#include "io/WindowsText.h"

namespace io {

namespace {

using windows::Found;

WriteResult failed(std::string reason) { return {WriteResult::Status::Failed, std::move(reason)}; }
WriteResult failedWithError(DWORD error) { return failed(SystemErrorText(error)); }

bool isSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// What comes before the file's own name: the folder with its separator, a
// drive ("C:" of "C:chart.vrc"), or nothing (the current folder).
std::wstring folderPrefix(const std::wstring& path) {
    const std::size_t separator = path.find_last_of(L"\\/");
    if (separator != std::wstring::npos) return path.substr(0, separator + 1);
    if (path.size() >= 2 && path[1] == L':') return path.substr(0, 2);
    return {};
}

// The file a symbolic link (or another reparse point) finally names, as the
// system gives it ("\\?\C:\Users\..."); the path itself otherwise, and when
// it names nothing yet.
struct Resolved {
    std::wstring path;
    DWORD error = 0;
};
Resolved followLinks(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return {path, 0};
    const HANDLE handle = ::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    // A link that leads nowhere is refused with the system's reason.
    if (handle == INVALID_HANDLE_VALUE) return {path, ::GetLastError()};
    std::wstring final(MAX_PATH, L'\0');
    DWORD length = ::GetFinalPathNameByHandleW(handle, final.data(), static_cast<DWORD>(final.size()), FILE_NAME_NORMALIZED);
    if (length >= final.size()) {
        final.resize(length + 1);
        length = ::GetFinalPathNameByHandleW(handle, final.data(), static_cast<DWORD>(final.size()), FILE_NAME_NORMALIZED);
    }
    const DWORD error = length == 0 || length >= final.size() ? ::GetLastError() : 0;
    ::CloseHandle(handle);
    if (error != 0) return {path, error};
    final.resize(length);
    return {final, 0};
}

std::wstring randomName() {
    unsigned int high = 0;
    unsigned int low = 0;
    if (::rand_s(&high) != 0 || ::rand_s(&low) != 0) {
        // Never expected; CREATE_NEW still refuses a name that is taken.
        high = static_cast<unsigned int>(::GetCurrentProcessId());
        low = static_cast<unsigned int>(::GetTickCount64());
    }
    wchar_t name[17];
    std::swprintf(name, 17, L"%08x%08x", high, low);
    const std::wstring prefix(TemporaryPrefix.begin(), TemporaryPrefix.end());
    const std::wstring suffix(TemporarySuffix.begin(), TemporarySuffix.end());
    return prefix + name + suffix;
}

bool writeAll(HANDLE handle, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD ask = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1U << 30));
        DWORD written = 0;
        if (!::WriteFile(handle, bytes.data(), ask, &written, nullptr)) return false;
        bytes.remove_prefix(written);
    }
    return true;
}

// The owners a file this process made can have: its user, and the default
// owner of new objects (for an administrator the Administrators group; some
// systems give files the user although the default owner is another);
// empty when they cannot be learnt.
using Sid = std::vector<unsigned char>;
std::vector<Sid> ownSids() {
    HANDLE token = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token)) return {};
    std::vector<Sid> sids;
    const auto add = [&](TOKEN_INFORMATION_CLASS kind) {
        DWORD size = 0;
        ::GetTokenInformation(token, kind, nullptr, 0, &size);
        std::vector<unsigned char> buffer(size);
        if (size == 0 || !::GetTokenInformation(token, kind, buffer.data(), size, &size)) return;
        const PSID sid = kind == TokenUser ? reinterpret_cast<const TOKEN_USER*>(buffer.data())->User.Sid
                                           : reinterpret_cast<const TOKEN_OWNER*>(buffer.data())->Owner;
        Sid copy(::GetLengthSid(sid));
        if (::CopySid(static_cast<DWORD>(copy.size()), copy.data(), sid)) sids.push_back(std::move(copy));
    };
    add(TokenUser);
    add(TokenOwner);
    ::CloseHandle(token);
    return sids;
}

bool ownedByOneOf(const std::wstring& path, std::vector<Sid>& owners) {
    PSID fileOwner = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (::GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &fileOwner, nullptr, nullptr,
                                nullptr, &descriptor) != ERROR_SUCCESS) {
        return false;
    }
    bool same = false;
    for (Sid& owner : owners) same = same || (fileOwner && ::EqualSid(fileOwner, owner.data()));
    ::LocalFree(descriptor);
    return same;
}

void removeLeftovers(const std::wstring& prefix) {
    const std::wstring pattern = prefix + std::wstring(TemporaryPrefix.begin(), TemporaryPrefix.end()) + L"*" +
                                 std::wstring(TemporarySuffix.begin(), TemporarySuffix.end());
    WIN32_FIND_DATAW entry{};
    const HANDLE search = ::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) return;
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    const auto ticks = [](const FILETIME& t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    const ULONGLONG before = ticks(now) - static_cast<ULONGLONG>(LeftoverAge.count()) * 10'000'000ULL;
    std::vector<Sid> owners;
    bool ownersKnown = false;
    do {
        const std::wstring_view name = entry.cFileName;
        // The pattern also matches the short (8.3) names of other files.
        if (!IsTemporaryName(name)) continue;
        if (entry.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) continue;
        if (ticks(entry.ftLastWriteTime) >= before) continue;
        if (!ownersKnown) {
            owners = ownSids();
            ownersKnown = true;
        }
        const std::wstring path = prefix + entry.cFileName;
        if (ownedByOneOf(path, owners)) ::DeleteFileW(path.c_str());
    } while (::FindNextFileW(search, &entry));
    ::FindClose(search);
}

// Gives the temporary file the name; NameTaken when it must not replace one.
WriteResult putInPlace(const std::wstring& temporary, const std::wstring& target, ExistingFile existing) {
    const DWORD flags = MOVEFILE_WRITE_THROUGH | (existing == ExistingFile::Replace ? MOVEFILE_REPLACE_EXISTING : 0);
    if (::MoveFileExW(temporary.c_str(), target.c_str(), flags)) return {WriteResult::Status::Written, {}};
    const DWORD error = ::GetLastError();
    if (existing == ExistingFile::Keep && (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS)) {
        return {WriteResult::Status::NameTaken, {}};
    }
    return failedWithError(error);
}

}  // namespace

void RemoveLeftoverTemporaries(const std::string& folder) {
    std::optional<std::wstring> prefix = WideText(folder);
    if (!prefix) return;
    if (!prefix->empty() && !isSeparator(prefix->back()) && prefix->back() != L':') *prefix += L'\\';
    removeLeftovers(*prefix);
}

WriteResult WriteFile(const std::string& path, std::string_view bytes, ExistingFile existing) {
    if (path.empty() || path.back() == '/' || path.back() == '\\' || path.back() == ':') {
        return failed("No file name was given");
    }
    const std::optional<std::wstring> wide = WideText(path);
    if (!wide) return failed(std::string(NotUtf8Reason));
    std::wstring target = *wide;
    if (existing == ExistingFile::Replace) {
        const Resolved resolved = followLinks(target);
        if (resolved.error != 0) return failedWithError(resolved.error);
        target = resolved.path;
    }

    if (existing == ExistingFile::Keep && ::GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES) {
        return {WriteResult::Status::NameTaken, {}};
    }
    const Found old = windows::Look(target);
    if (old.kind == Found::Kind::Unknown) return failedWithError(old.error);
    if (auto reason = windows::NotAFileReason(old.kind)) return failed(*reason);
    // A read-only file cannot be replaced on Windows; it is refused before
    // anything is written.
    if (old.kind == Found::Kind::File && (old.attributes & FILE_ATTRIBUTE_READONLY)) return failed("It is read-only");

    const std::wstring prefix = folderPrefix(target);
    removeLeftovers(prefix);
    std::wstring temporary;
    HANDLE handle = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 100 && handle == INVALID_HANDLE_VALUE; ++attempt) {
        temporary = prefix + randomName();
        handle = ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        const DWORD error = handle == INVALID_HANDLE_VALUE ? ::GetLastError() : 0;
        if (error != 0 && error != ERROR_FILE_EXISTS) return failedWithError(error);
    }
    if (handle == INVALID_HANDLE_VALUE) return failedWithError(ERROR_FILE_EXISTS);

    if (!writeAll(handle, bytes) || !::FlushFileBuffers(handle)) {
        const DWORD error = ::GetLastError();
        ::CloseHandle(handle);
        ::DeleteFileW(temporary.c_str());
        return failedWithError(error);
    }
    if (!::CloseHandle(handle)) {
        const DWORD error = ::GetLastError();
        ::DeleteFileW(temporary.c_str());
        return failedWithError(error);
    }
    const WriteResult placed = putInPlace(temporary, target, existing);
    if (!placed.written()) ::DeleteFileW(temporary.c_str());
    return placed;
}

}  // namespace io
