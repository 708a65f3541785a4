#pragma once

#include "LedgerlyCore/Menu/LedgerlyMenuState.h"
#include "LedgerlyCore/Menu/Menu.h"
#include "LedgerlyCore/Menu/MenuActionHandling.h"
#include "LedgerlyCore/Menu/SymbolAvailability.h"
#include "LedgerlyCore/Models/BookmarkModel.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace ledgerly {

// Turns the menu state and the selected file into the whole status menu: the
// content, a separator and the "Ledgerly" administration submenu. Every build
// is new; nothing is kept from earlier builds.
class MenuBuilder {
public:
    // `actionHandler` is held weakly: entries get a target only while it lives.
    // `symbols` (all available when null) decides which icons fall back;
    // `homeFolder` is shown as "~" in the selected file's path.
    MenuBuilder(std::weak_ptr<MenuActionHandling> actionHandler,
                std::shared_ptr<const SymbolAvailability> symbols = nullptr,
                std::string homeFolder = homeFolderFromEnvironment());

    Menu buildMenu(const LedgerlyMenuState& state, const std::optional<std::filesystem::path>& selectedFileURL) const;
    // The menu of `document`, or of no file selected when there is none.
    Menu buildMenu(const std::optional<LedgerlyDocument>& document,
                   const std::optional<std::filesystem::path>& selectedFileURL) const;

    // The HOME environment variable, or "" when it is not set.
    static std::string homeFolderFromEnvironment();

private:
    std::weak_ptr<MenuActionHandling> actionHandler_;
    std::shared_ptr<const SymbolAvailability> symbols_;
    std::string homeFolder_;
};

}  // namespace ledgerly
