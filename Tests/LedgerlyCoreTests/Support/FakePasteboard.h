#pragma once

#include "LedgerlyCore/Platform/Pasteboard.h"
#include "Support/CallLog.h"

#include <optional>
#include <string>
#include <vector>

namespace ledgerly::testing {

// A clipboard in memory. `otherContent` stands for data of other types that a
// copy must clear.
class FakePasteboard final : public Pasteboard {
public:
    explicit FakePasteboard(CallLog* log = nullptr) : log_(log) {}

    void setString(const std::string& text) override;

    std::optional<std::string> string;        // the plain text now held
    std::optional<std::string> otherContent;  // non-text content now held
    std::vector<std::string> writes;          // every setString call

private:
    CallLog* log_;
};

}  // namespace ledgerly::testing
