#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ledgerly {

// The application's persistent key-value preferences. Typed reads give none
// when the key is absent or holds a value that cannot be read as that type.
class UserDefaults {
public:
    UserDefaults() = default;
    UserDefaults(const UserDefaults&) = delete;
    UserDefaults& operator=(const UserDefaults&) = delete;
    virtual ~UserDefaults() = default;

    // Whether anything is stored under `key`, whatever its type.
    virtual bool hasValue(std::string_view key) const = 0;
    // The string stored under `key`.
    virtual std::optional<std::string> string(std::string_view key) const = 0;
    // The integer stored under `key`; numeric strings and booleans read as numbers.
    virtual std::optional<std::int64_t> integer(std::string_view key) const = 0;
    // The boolean stored under `key`; anything else reads as none.
    virtual std::optional<bool> boolean(std::string_view key) const = 0;

    // Stores a value, replacing whatever was there. A write that fails throws,
    // and is logged by the implementation, which knows why; callers log nothing more.
    virtual void setString(std::string_view key, std::string_view value) = 0;
    virtual void setInteger(std::string_view key, std::int64_t value) = 0;
    virtual void setBoolean(std::string_view key, bool value) = 0;
    // Removes `key`; a later read gives none.
    virtual void remove(std::string_view key) = 0;
};

}  // namespace ledgerly
