#include "LedgerlyCore/Platform/InMemoryUserDefaults.h"

#include <charconv>

namespace ledgerly {

const InMemoryUserDefaults::Value* InMemoryUserDefaults::find(std::string_view key) const {
    const auto found = values_.find(key);
    return found == values_.end() ? nullptr : &found->second;
}

bool InMemoryUserDefaults::hasValue(std::string_view key) const { return find(key) != nullptr; }

std::optional<std::string> InMemoryUserDefaults::string(std::string_view key) const {
    const Value* value = find(key);
    if (value == nullptr || !std::holds_alternative<std::string>(*value)) {
        return std::nullopt;
    }
    return std::get<std::string>(*value);
}

std::optional<std::int64_t> InMemoryUserDefaults::integer(std::string_view key) const {
    const Value* value = find(key);
    if (value == nullptr) {
        return std::nullopt;
    }
    if (const auto* number = std::get_if<std::int64_t>(value)) {
        return *number;
    }
    if (const auto* flag = std::get_if<bool>(value)) {
        return *flag ? 1 : 0;
    }
    const auto& text = std::get<std::string>(*value);
    std::int64_t parsed = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return parsed;
}

std::optional<bool> InMemoryUserDefaults::boolean(std::string_view key) const {
    const Value* value = find(key);
    if (value == nullptr || !std::holds_alternative<bool>(*value)) {
        return std::nullopt;
    }
    return std::get<bool>(*value);
}

void InMemoryUserDefaults::setString(std::string_view key, std::string_view value) {
    values_.insert_or_assign(std::string(key), Value(std::string(value)));
}

void InMemoryUserDefaults::setInteger(std::string_view key, std::int64_t value) {
    values_.insert_or_assign(std::string(key), Value(value));
}

void InMemoryUserDefaults::setBoolean(std::string_view key, bool value) {
    values_.insert_or_assign(std::string(key), Value(value));
}

void InMemoryUserDefaults::remove(std::string_view key) {
    if (const auto found = values_.find(key); found != values_.end()) {
        values_.erase(found);
    }
}

}  // namespace ledgerly
