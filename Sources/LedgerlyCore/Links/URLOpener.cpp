#include "LedgerlyCore/Links/URLOpener.h"

#include "LedgerlyCore/Platform/Log.h"
#include "LedgerlyCore/Text/URLText.h"

namespace ledgerly {

URLOpener::URLOpener(Workspace& workspace) : workspace_(workspace) {}

void URLOpener::open(const std::string& urlString) {
    // A relative reference has no handler to go to: the system would guess.
    if (const auto url = text::encodedURL(urlString)) {
        workspace_.openURL(*url);
        return;
    }
    logWarning(LogCategory::menu, "Not opening \"" + urlString + "\": it is no absolute URL");
}

}  // namespace ledgerly
