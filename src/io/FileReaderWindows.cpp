#include "io/FileReader.h"

#include <algorithm>

#include <windows.h>

#include "io/WindowsFiles.h"
#include "io/WindowsText.h"

namespace io {

ReadResult ReadFileStart(const std::string& path, std::size_t maxBytes) {
    const std::optional<std::wstring> wide = WideText(path);
    if (!wide) return {{}, std::string(NotUtf8Reason)};
    // Looked at first, then opened and looked at again: something else may
    // have taken the name meanwhile.
    if (auto reason = windows::NotAFileReason(windows::Look(*wide).kind)) return {{}, *reason};
    const HANDLE handle = ::CreateFileW(wide->c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return {{}, SystemErrorText(::GetLastError())};
    ReadResult result;
    BY_HANDLE_FILE_INFORMATION information{};
    if (::GetFileType(handle) != FILE_TYPE_DISK) {
        result.error = "It is a device, not a file";
    } else if (!::GetFileInformationByHandle(handle, &information)) {
        result.error = SystemErrorText(::GetLastError());
    } else if (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        result.error = "It is a folder, not a file";
    } else {
        result.bytes.resize(maxBytes);
        std::size_t got = 0;
        while (got < maxBytes) {
            const DWORD ask = static_cast<DWORD>(std::min<std::size_t>(maxBytes - got, 1U << 30));
            DWORD n = 0;
            if (!::ReadFile(handle, result.bytes.data() + got, ask, &n, nullptr)) {
                result.error = SystemErrorText(::GetLastError());
                break;
            }
            if (n == 0) break;
            got += n;
        }
        result.bytes.resize(result.error.empty() ? got : 0);
    }
    ::CloseHandle(handle);
    return result;
}

}  // namespace io
