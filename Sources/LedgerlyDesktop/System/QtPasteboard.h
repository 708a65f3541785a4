#pragma once

#include "LedgerlyCore/Platform/Pasteboard.h"

namespace ledgerly {

// The desktop clipboard (the one Ctrl+V pastes from), through QClipboard.
class QtPasteboard final : public Pasteboard {
public:
    void setString(const std::string& text) override;
};

}  // namespace ledgerly
