#include "velorin-chart/FileOutput.h"

#include <utility>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <iostream>

#include <fcntl.h>
#ifdef _WIN32
#include <io.h>
#include <windows.h>

#include "io/WindowsText.h"
#else
#include <unistd.h>
#endif

#include "io/FileKind.h"

namespace velorin_chart {

#ifdef _WIN32

namespace {
UINT consoleCodePage = 0;  // the console's own, to give back at the end
}  // namespace

void HoldClosedStandardStreams() {
    for (std::FILE* stream : {stdin, stdout, stderr}) {
        const int fd = ::_fileno(stream);
        if (fd >= 0) ::_setmode(fd, _O_BINARY);
    }
    consoleCodePage = ::GetConsoleOutputCP();
    // (a closed standard input reads as empty there)
    if (consoleCodePage != 0 && consoleCodePage != CP_UTF8 && ::SetConsoleOutputCP(CP_UTF8)) {
        std::atexit([] { ::SetConsoleOutputCP(consoleCodePage); });
    }
}

bool StandardInputWasClosed() { return false; }

std::optional<std::vector<std::string>> ProgramArguments(int argc, wchar_t** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        std::optional<std::string> arg = io::Utf8Text(argv[i]);
        if (!arg) return std::nullopt;
        args.push_back(std::move(*arg));
    }
    return args;
}

#else

namespace {
bool inputWasClosed = false;
}  // namespace

bool StandardInputWasClosed() { return inputWasClosed; }

void HoldClosedStandardStreams() {
    for (int stream : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (::fcntl(stream, F_GETFD) != -1 || errno != EBADF) continue;
        if (stream == STDIN_FILENO) inputWasClosed = true;
        // Opened for reading only: a write to it fails with "Bad file descriptor".
        const int fd = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
        if (fd >= 0 && fd != stream) {
            ::dup2(fd, stream);
            ::close(fd);
        }
    }
}

#endif

namespace {
// The reason of the first write to standard output that failed (0: none).
int firstOutputError = 0;
}  // namespace

void PrintToStandardOutput(std::string_view text) {
    std::cout.flush();
    errno = 0;
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0) {
        if (firstOutputError == 0) firstOutputError = errno != 0 ? errno : EIO;
    }
}

bool StandardOutputFailed() { return firstOutputError != 0; }

std::optional<std::string> StandardOutputFailure() {
    if (firstOutputError != 0) return io::ErrorText(firstOutputError);
    errno = 0;
    std::cout.flush();
    if (std::cout.good() && std::fflush(stdout) == 0) return std::nullopt;
    // A write that failed earlier left its bytes in the buffer: trying once
    // more gives the reason again.
    if (errno == 0) std::fflush(stdout);
    const int error = errno;
    return error != 0 ? io::ErrorText(error) : std::string("the write failed");
}

std::string UnreadChartFileFields(const app::ChartFileLines& lines) {
    app::BirthFormValues a, b;
    b.txtName = b.txtLatDeg = b.txtLatMin = b.txtLonDeg = b.txtLonMin = b.txtCity = b.txtState = b.txtCountry = "x";
    b.cboDate = b.cboMonth = b.cboYear = b.cboHour = b.cboMinute = b.cboTimeZone = 1;
    b.optLatNorth = b.optLongEast = false;
    b.optLatSouth = b.optLongWest = b.chkDST = true;
    app::ApplyChartFile(lines, a);
    app::ApplyChartFile(lines, b);
    const std::pair<bool, const char*> fields[] = {
        {a.txtName != b.txtName, "name"},      {a.cboDate != b.cboDate, "day"},
        {a.cboMonth != b.cboMonth, "month"},   {a.cboYear != b.cboYear, "year"},
        {a.cboHour != b.cboHour, "hour"},      {a.cboMinute != b.cboMinute, "minute"},
        {a.cboTimeZone != b.cboTimeZone, "zone"},
        {a.txtLatDeg != b.txtLatDeg || a.txtLatMin != b.txtLatMin || a.optLatSouth != b.optLatSouth, "latitude"},
        {a.txtLonDeg != b.txtLonDeg || a.txtLonMin != b.txtLonMin || a.optLongWest != b.optLongWest, "longitude"},
        {a.txtCity != b.txtCity, "city"},      {a.txtState != b.txtState, "state"},
        {a.txtCountry != b.txtCountry, "country"}, {a.chkDST != b.chkDST, "daylight saving"},
    };
    std::string unread;
    for (const auto& [differs, name] : fields) {
        if (differs) unread += (unread.empty() ? "" : ", ") + std::string(name);
    }
    return unread;
}

}  // namespace velorin_chart
