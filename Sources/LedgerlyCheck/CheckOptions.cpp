#include "CheckOptions.h"

namespace ledgerly::check {
namespace {

struct ModeOption {
    const char* flag;
    CheckMode mode;
};

constexpr ModeOption kModeOptions[] = {
    {"--tree", CheckMode::tree},
    {"--json", CheckMode::json},
};

ParsedCommandLine failure(std::string message) { return ParsedCommandLine{std::nullopt, std::move(message)}; }

// --menu shows one file's menu, as text or, with --json, as JSON.
ParsedCommandLine withMenuMode(CheckOptions options) {
    if (options.mode == CheckMode::tree) {
        return failure("--menu cannot be combined with --tree");
    }
    if (options.files.size() != 1) {
        return failure("--menu takes exactly one FILE");
    }
    options.mode = options.mode == CheckMode::json ? CheckMode::menuJson : CheckMode::menu;
    return ParsedCommandLine{std::move(options), {}};
}

}  // namespace

ParsedCommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    CheckOptions options;
    bool modeChosen = false;
    bool onlyFilesFollow = false;
    bool menuRequested = false;
    for (const auto& argument : arguments) {
        if (onlyFilesFollow || argument.empty() || argument[0] != '-' || argument == "-") {
            options.files.push_back(argument);
        } else if (argument == "--") {
            onlyFilesFollow = true;
        } else if (argument == "--help" || argument == "-h") {
            options.showHelp = true;
        } else if (argument == "--version") {
            options.showVersion = true;
        } else if (argument == "--menu") {
            menuRequested = true;
        } else {
            const ModeOption* match = nullptr;
            for (const auto& option : kModeOptions) {
                if (argument == option.flag) {
                    match = &option;
                }
            }
            if (match == nullptr) {
                return failure("unknown option '" + argument + "'");
            }
            if (modeChosen && options.mode != match->mode) {
                return failure("choose only one of --tree and --json");
            }
            options.mode = match->mode;
            modeChosen = true;
        }
    }
    if (options.showHelp || options.showVersion) {
        return ParsedCommandLine{options, {}};
    }
    if (options.files.empty()) {
        return failure("no FILE given");
    }
    if (menuRequested) {
        return withMenuMode(std::move(options));
    }
    return ParsedCommandLine{options, {}};
}

std::string usageText() {
    return "Usage: ledgerly-check [--tree | --json] FILE...\n"
           "       ledgerly-check --menu [--json] FILE\n"
           "\n"
           "Checks Ledgerly bookmark files and reports every line that Ledgerly skips.\n"
           "\n"
           "  (no option)  print each warning as FILE:LINE: MESSAGE, with the offending\n"
           "               line below it as '    | EXCERPT'\n"
           "  --tree       print each file as an indented tree of its menu\n"
           "  --json       print each file's document as JSON (an array for several files)\n"
           "  --menu       print the tray menu that selecting FILE gives; with --json, as JSON\n"
           "  -h, --help   print this help and exit\n"
           "  --version    print the version and exit\n"
           "  --           end of the options: every later argument is a FILE\n"
           "\n"
           "Exit status: 0 when no file has warnings, 1 when any file has warnings,\n"
           "2 when a file cannot be read or the command line is wrong.\n";
}

}  // namespace ledgerly::check
