#include "CheckModes.h"
#include "CheckOptions.h"

#include "LedgerlyCore/Platform/Log.h"
#include "LedgerlyCore/Version.h"

#include <iostream>

int main(int argc, char** argv) {
    using namespace ledgerly::check;
    // Every file that cannot be read gets a line of the tool's own; the core's
    // log line about the same failure would only repeat it.
    ledgerly::setLogSink(&ledgerly::silentLogSink());
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const ParsedCommandLine commandLine = parseCommandLine(arguments);
    if (!commandLine.options) {
        std::cerr << "ledgerly-check: " << commandLine.error << "\n"
                  << "Try 'ledgerly-check --help'.\n";
        return kExitUnreadable;
    }
    const CheckOptions& options = *commandLine.options;
    if (options.showHelp) {
        std::cout << usageText();
        return kExitClean;
    }
    if (options.showVersion) {
        std::cout << "ledgerly-check " << ledgerly::versionString() << '\n';
        return kExitClean;
    }
    return runMode(options.mode, options.files, std::cout, std::cerr);
}
