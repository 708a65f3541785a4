#pragma once

#include "LedgerlyCore/Menu/Menu.h"
#include "LedgerlyCore/Platform/StatusItem.h"
#include "Support/CallLog.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace ledgerly::testing {

// Records every title, menu and click; the button can be taken away.
class FakeStatusItem final : public StatusItem {
public:
    explicit FakeStatusItem(CallLog* log = nullptr) : log_(log) {}

    bool hasButton() const override { return buttonPresent; }
    void setTitle(const std::string& title) override;
    void setMenu(std::shared_ptr<const Menu> menu) override;
    void performClick() override;

    // The last title set, none before the first.
    std::optional<std::string> title() const;
    // The menu installed last, none before the first.
    const Menu* installedMenu() const;

    bool buttonPresent = true;
    std::vector<std::string> titles;  // every setTitle call, also without a button
    std::vector<Menu> menus;          // every installed menu, in order
    int clicks = 0;
    std::function<void()> onPerformClick;  // runs inside performClick, e.g. to open the menu

private:
    CallLog* log_;
};

}  // namespace ledgerly::testing
