#pragma once

#include "LedgerlyCore/Platform/UserDefaults.h"

#include <cstdint>
#include <map>
#include <string>
#include <variant>

namespace ledgerly {

// User defaults kept in memory only: for tests and the command-line tool.
class InMemoryUserDefaults final : public UserDefaults {
public:
    using Value = std::variant<std::string, std::int64_t, bool>;

    bool hasValue(std::string_view key) const override;
    std::optional<std::string> string(std::string_view key) const override;
    std::optional<std::int64_t> integer(std::string_view key) const override;
    std::optional<bool> boolean(std::string_view key) const override;

    void setString(std::string_view key, std::string_view value) override;
    void setInteger(std::string_view key, std::int64_t value) override;
    void setBoolean(std::string_view key, bool value) override;
    void remove(std::string_view key) override;

    // Every stored value, for assertions in tests.
    const std::map<std::string, Value, std::less<>>& values() const { return values_; }

private:
    const Value* find(std::string_view key) const;

    std::map<std::string, Value, std::less<>> values_;
};

}  // namespace ledgerly
