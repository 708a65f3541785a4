#pragma once

#include "LedgerlyCore/Platform/ContentType.h"

#include <string>
#include <vector>

namespace ledgerly {

// How an open panel is set up. No title, message or start folder: the
// system's defaults apply.
struct OpenPanelOptions {
    std::vector<ContentType> allowedContentTypes;  // in order of preference
    bool allowsMultipleSelection = false;
    bool canChooseDirectories = false;
    bool canChooseFiles = true;
    std::string prompt;  // the default button's title

    bool operator==(const OpenPanelOptions&) const = default;
};

}  // namespace ledgerly
