#include "io/WindowsText.h"

#include <climits>

#include <windows.h>

namespace io {

std::optional<std::wstring> WideText(std::string_view utf8) {
    if (utf8.empty()) return std::wstring();
    if (utf8.size() > INT_MAX) return std::nullopt;
    const int length = static_cast<int>(utf8.size());
    const int wideLength = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), length, nullptr, 0);
    if (wideLength <= 0) return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), length, wide.data(), wideLength);
    return wide;
}

std::optional<std::string> Utf8Text(std::wstring_view wide) {
    if (wide.empty()) return std::string();
    if (wide.size() > INT_MAX / 3) return std::nullopt;
    const int length = static_cast<int>(wide.size());
    const int utf8Length = ::WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, wide.data(), length, nullptr, 0,
                                                 nullptr, nullptr);
    if (utf8Length <= 0) return std::nullopt;
    std::string utf8(static_cast<std::size_t>(utf8Length), '\0');
    ::WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, wide.data(), length, utf8.data(), utf8Length, nullptr, nullptr);
    return utf8;
}

std::string SystemErrorText(unsigned long error) {
    wchar_t* buffer = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
        MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::optional<std::string> text;
    if (length > 0 && buffer) text = Utf8Text(std::wstring_view(buffer, length));
    if (buffer) ::LocalFree(buffer);
    if (!text || text->empty()) return "Windows error " + std::to_string(error);
    while (!text->empty() && (text->back() == '\n' || text->back() == '\r' || text->back() == ' ')) text->pop_back();
    return *text;
}

}  // namespace io
