#pragma once

#include "LedgerlyCore/Platform/InMemoryUserDefaults.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace ledgerly::testing {

// In-memory defaults whose writes can be made to throw, as they do when the
// settings file cannot be written. A failed write changes nothing.
class ThrowingUserDefaults final : public UserDefaults {
public:
    // Makes every write throw, or with `failingKey` set only the writes of that key.
    bool failWrites = false;
    std::optional<std::string> failingKey;

    bool hasValue(std::string_view key) const override { return stored_.hasValue(key); }
    std::optional<std::string> string(std::string_view key) const override { return stored_.string(key); }
    std::optional<std::int64_t> integer(std::string_view key) const override { return stored_.integer(key); }
    std::optional<bool> boolean(std::string_view key) const override { return stored_.boolean(key); }

    void setString(std::string_view key, std::string_view value) override {
        failIfAsked(key);
        stored_.setString(key, value);
    }
    void setInteger(std::string_view key, std::int64_t value) override {
        failIfAsked(key);
        stored_.setInteger(key, value);
    }
    void setBoolean(std::string_view key, bool value) override {
        failIfAsked(key);
        stored_.setBoolean(key, value);
    }
    void remove(std::string_view key) override {
        failIfAsked(key);
        stored_.remove(key);
    }

private:
    void failIfAsked(std::string_view key) const {
        if (failWrites && (!failingKey || *failingKey == key)) {
            throw std::runtime_error("the settings file cannot be written");
        }
    }

    InMemoryUserDefaults stored_;
};

}  // namespace ledgerly::testing
