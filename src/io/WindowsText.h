// Windows: the program's text, file names included, is UTF-8; the system's
// is UTF-16. The two conversions and the system's error texts.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace io {

// The UTF-16 form of UTF-8 text; nothing when the bytes are not valid UTF-8.
std::optional<std::wstring> WideText(std::string_view utf8);

// The UTF-8 form of UTF-16 text; nothing when it holds an unpaired surrogate.
std::optional<std::string> Utf8Text(std::wstring_view wide);

// The system's text for an error code of GetLastError ("The system cannot
// find the path specified."), without the line end.
std::string SystemErrorText(unsigned long error);

// Why a file name that is not valid UTF-8 is refused.
inline constexpr std::string_view NotUtf8Reason = "The file name is not valid UTF-8";

}  // namespace io
