#pragma once

#include "LedgerlyCore/Platform/ContentType.h"

#include <string>
#include <vector>

namespace ledgerly {

// How a save panel is set up. No start folder: the system's default applies.
struct SavePanelOptions {
    std::vector<ContentType> allowedContentTypes;  // in order of preference
    bool canCreateDirectories = false;
    std::string nameFieldStringValue;  // the suggested file name
    std::string title;
    std::string message;
    std::string prompt;  // the default button's title

    bool operator==(const SavePanelOptions&) const = default;
};

}  // namespace ledgerly
