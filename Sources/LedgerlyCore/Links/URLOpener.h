#pragma once

#include "LedgerlyCore/Links/URLOpening.h"
#include "LedgerlyCore/Platform/Workspace.h"

#include <string>

namespace ledgerly {

// Hands every string that is an absolute URI with a scheme to the workspace,
// unchanged; anything else is dropped without a message.
class URLOpener final : public URLOpening {
public:
    explicit URLOpener(Workspace& workspace);

    void open(const std::string& urlString) override;

    // Whether `urlString` is an absolute RFC 3986 URI, the only kind opened.
    static bool isOpenableURL(const std::string& urlString);

private:
    Workspace& workspace_;
};

}  // namespace ledgerly
