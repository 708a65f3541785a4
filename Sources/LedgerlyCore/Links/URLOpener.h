#pragma once

#include "LedgerlyCore/Platform/Workspace.h"

#include <string>

namespace ledgerly {

// Hands every link to the workspace as a URL: characters a URL may not hold
// are escaped and a non-ASCII host made ASCII first. A text that is still no
// absolute URI after that is not opened, and the refusal is logged.
class URLOpener {
public:
    explicit URLOpener(Workspace& workspace);

    // Opens `urlString`; a string that is no URL leads to nothing but a log line.
    void open(const std::string& urlString);

private:
    Workspace& workspace_;
};

}  // namespace ledgerly
