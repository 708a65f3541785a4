#include "Support/FakeStatusItem.h"

namespace ledgerly::testing {

void FakeStatusItem::setTitle(const std::string& title) {
    recordCall(log_, "statusItem.setTitle " + title);
    titles.push_back(title);
}

void FakeStatusItem::setMenu(std::shared_ptr<const Menu> menu) {
    recordCall(log_, "statusItem.setMenu");
    menus.push_back(*menu);
}

void FakeStatusItem::performClick() {
    recordCall(log_, "statusItem.performClick");
    ++clicks;
    if (onPerformClick) {
        onPerformClick();
    }
}

std::optional<std::string> FakeStatusItem::title() const {
    if (titles.empty()) {
        return std::nullopt;
    }
    return titles.back();
}

const Menu* FakeStatusItem::installedMenu() const { return menus.empty() ? nullptr : &menus.back(); }

}  // namespace ledgerly::testing
