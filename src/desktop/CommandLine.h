// The desktop program's own command line: velorin [FILE.vrc], --help, --version.
// Plain C++: it is read before any window or display is touched.
#pragma once

#include <string>
#include <vector>

namespace desktop {

enum class StartAction {
    Start,    // open the entry form, or the chart of `file` when one is given
    Help,     // print HelpText() and end with status 0
    Version,  // print "velorin <version>" and end with status 0
    Usage,    // print `message` and UsageLine() on standard error, end with status 2
};

struct StartRequest {
    StartAction action = StartAction::Start;
    std::string file;
    std::string message;
};

// `arguments` without the program's name, Qt's own options already taken out.
// Any other argument names the chart file (as the file manager passes it);
// "--" ends the options, so a file named "--help" can be opened.
StartRequest ParseDesktopArguments(const std::vector<std::string>& arguments);

// Whether the arguments ask for --help or --version: answered before Qt starts,
// so that they work without a display.
bool AsksForHelpOrVersion(const std::vector<std::string>& arguments);

std::string UsageLine();
std::string HelpText();
std::string VersionLine();

}  // namespace desktop
