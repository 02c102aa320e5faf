#include "desktop/CommandLine.h"

#include "app/BirthForm.h"
#include "app/Version.h"

namespace desktop {

std::string UsageLine() { return "usage: velorin [FILE.vrc] | --help | --version"; }

std::string VersionLine() { return "velorin " + std::string(app::ProgramVersion); }

std::string HelpText() {
    return UsageLine() +
           "\n"
           "\n"
           "Draws a Vedic birth chart (the Rashi chart, South Indian style) from the\n"
           "birth data typed into the entry form. With FILE.vrc, a chart file saved\n"
           "earlier, the form is filled from it and the chart is shown.\n"
           "\n"
           "  -h, --help     print this help and end\n"
           "  -V, --version  print the version and end\n"
           "\n"
           "The same chart without a window: velorin-chart --help.\n";
}

StartRequest ParseDesktopArguments(const std::vector<std::string>& arguments) {
    StartRequest request;
    bool optionsEnded = false;
    std::vector<std::string> files;
    for (const std::string& argument : arguments) {
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && (argument == "--help" || argument == "-h")) {
            return {StartAction::Help, {}, {}};
        } else if (!optionsEnded && (argument == "--version" || argument == "-V")) {
            return {StartAction::Version, {}, {}};
        } else {
            files.push_back(argument);
        }
    }
    if (files.size() > 1) {
        return {StartAction::Usage, {}, "velorin: one chart file at a time; " + files[1] + " was not opened"};
    }
    if (!files.empty()) request.file = files.front();
    return request;
}

bool AsksForHelpOrVersion(const std::vector<std::string>& arguments) {
    for (const std::string& argument : arguments) {
        if (argument == "--") return false;
        if (argument == "--help" || argument == "-h" || argument == "--version" || argument == "-V") return true;
    }
    return false;
}

}  // namespace desktop
