#pragma once

#include <memory>
#include <string>

namespace ledgerly {

struct Menu;

// The application's one item in the system tray / menu bar.
class StatusItem {
public:
    StatusItem() = default;
    StatusItem(const StatusItem&) = delete;
    StatusItem& operator=(const StatusItem&) = delete;
    virtual ~StatusItem() = default;

    // Whether the item has a button; only a button shows a title or can be clicked.
    virtual bool hasButton() const = 0;
    // Sets the button's title; callers check hasButton() first, an item without one ignores it.
    virtual void setTitle(const std::string& title) = 0;
    // Installs `menu`, replacing the previous one; it opens when the item is clicked.
    // Shared, not copied: a built menu is never edited, and a large one is costly to copy.
    virtual void setMenu(std::shared_ptr<const Menu> menu) = 0;
    // Clicks the button so that the menu opens as if the user had clicked it.
    virtual void performClick() = 0;
};

}  // namespace ledgerly
