#pragma once

#include <string>

namespace ledgerly {

// The system's general clipboard.
class Pasteboard {
public:
    Pasteboard() = default;
    Pasteboard(const Pasteboard&) = delete;
    Pasteboard& operator=(const Pasteboard&) = delete;
    virtual ~Pasteboard() = default;

    // Clears every content of every type, then holds `text` as plain UTF-8 text.
    virtual void setString(const std::string& text) = 0;
};

}  // namespace ledgerly
