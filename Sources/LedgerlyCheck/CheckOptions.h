#pragma once

#include <optional>
#include <string>
#include <vector>

namespace ledgerly::check {

// What the tool prints for the files it is given. Each mode has its own
// runner in CheckModes; a new mode needs a case here and a runner there.
enum class CheckMode { warnings, tree, json, menu, menuJson };

struct CheckOptions {
    CheckMode mode = CheckMode::warnings;
    bool showHelp = false;
    bool showVersion = false;
    std::vector<std::string> files;
};

// The options of one command line, or a message saying what is wrong with it.
struct ParsedCommandLine {
    std::optional<CheckOptions> options;
    std::string error;
};

ParsedCommandLine parseCommandLine(const std::vector<std::string>& arguments);

// The text of --help.
std::string usageText();

}  // namespace ledgerly::check
