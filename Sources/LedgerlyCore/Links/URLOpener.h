#pragma once

#include "LedgerlyCore/Links/URLOpening.h"
#include "LedgerlyCore/Platform/Workspace.h"

#include <string>

namespace ledgerly {

// Hands every link to the workspace as a URL: characters a URL may not hold
// are escaped and a non-ASCII host made ASCII first. A text that is still no
// absolute URI after that is not opened, and the refusal is logged.
class URLOpener final : public URLOpening {
public:
    explicit URLOpener(Workspace& workspace);

    void open(const std::string& urlString) override;

private:
    Workspace& workspace_;
};

}  // namespace ledgerly
