#include "LedgerlyCore/Links/URLOpener.h"

#include "LedgerlyCore/Text/UriReference.h"

namespace ledgerly {

URLOpener::URLOpener(Workspace& workspace) : workspace_(workspace) {}

void URLOpener::open(const std::string& urlString) {
    if (isOpenableURL(urlString)) {
        workspace_.openURL(urlString);
    }
}

bool URLOpener::isOpenableURL(const std::string& urlString) {
    // A relative reference has no handler to go to: the system would guess.
    const auto reference = text::UriReference::parse(urlString);
    return reference && !reference->scheme.empty();
}

}  // namespace ledgerly
