#pragma once

#include <cstdint>

namespace ledgerly {

// A set of modifier keys in the platform's raw bits. The bits are stored in
// the user defaults as they are, so their values must never change.
struct ModifierFlags {
    std::uint64_t rawValue = 0;

    static const ModifierFlags shift;
    static const ModifierFlags control;
    static const ModifierFlags option;
    static const ModifierFlags command;

    // Whether every bit of `other` is set here.
    constexpr bool contains(ModifierFlags other) const { return (rawValue & other.rawValue) == other.rawValue; }
    // Whether at least one bit of `other` is set here.
    constexpr bool intersects(ModifierFlags other) const { return (rawValue & other.rawValue) != 0; }

    constexpr ModifierFlags operator|(ModifierFlags other) const { return ModifierFlags{rawValue | other.rawValue}; }
    constexpr ModifierFlags operator&(ModifierFlags other) const { return ModifierFlags{rawValue & other.rawValue}; }

    bool operator==(const ModifierFlags&) const = default;
};

inline constexpr ModifierFlags ModifierFlags::shift{0x20000};
inline constexpr ModifierFlags ModifierFlags::control{0x40000};
inline constexpr ModifierFlags ModifierFlags::option{0x80000};
inline constexpr ModifierFlags ModifierFlags::command{0x100000};

}  // namespace ledgerly
